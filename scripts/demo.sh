#!/usr/bin/env bash
# The demo behind `make demo`: builds the example school into BUILD_DIR/examples and shows what
# it holds. Each step is one function; later steps (scheduling, exports) are added to main().
#
#     bash scripts/demo.sh BUILD_DIR
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD=$(cd "${1:-$ROOT/build}" && pwd)
CLI="$BUILD/tabrel-cli"
OUT="$BUILD/examples"
SCHOOL_JSON="$ROOT/examples/full-week-school.json"
SCHOOL_QTF="$OUT/full-week-school.qtf"
SCHEDULED_QTF="$OUT/full-week-school.scheduled.qtf"

export QT_QPA_PLATFORM=offscreen

step() { printf '\n== %s\n' "$*"; }

# Prints a short summary of a schedule in its JSON form (read from stdin).
summarize() {
    python3 -c '
import json, sys
s = json.load(sys.stdin)
grades = s["grades"]
classes = [c for g in grades for c in g["classes"]]
lessons = sum(a["weeklyLessons"] for c in classes for a in c["assignments"])
placed = sum(1 for c in classes for row in c["cells"] for cell in row if cell["subject"] not in ("", "empty"))
periods = s["earlyReadingCount"] + s["morningCount"] + s["afternoonCount"] + s["eveningCount"]
print("年级 %d 个：%s" % (len(grades), "、".join(g["name"] for g in grades)))
for g in grades:
    per_class = sorted({sum(a["weeklyLessons"] for a in c["assignments"]) for c in g["classes"]})
    print("  %s：%d 个班，每班每周 %s 节" % (g["name"], len(g["classes"]), "/".join(map(str, per_class))))
print("班级 %d 个" % len(classes))
print("科目 %d 门：%s" % (len(s["subjects"]), "、".join(x["name"] for x in s["subjects"])))
print("教师 %d 人" % len(s["teachers"]))
print("作息：每天 %d 节（上午 %d，下午 %d），%s" % (periods, s["morningCount"], s["afternoonCount"], "、".join(s["dayNames"])))
print("每周课时合计 %d 节，已排 %d 节" % (lessons, placed))
'
}

build_example() {
    step "构建示例学校：$SCHOOL_QTF"
    mkdir -p "$OUT"
    "$CLI" build "$SCHOOL_JSON" -o "$SCHOOL_QTF"
    "$CLI" dump "$SCHOOL_QTF" > "$OUT/full-week-school.dump.json"
    summarize < "$OUT/full-week-school.dump.json"
}

# Runs the program's recommended automatic scheduling over the whole school (the search, the
# completion and the quality phase) and prints, per class, lessons placed/required; then what the
# check finds and how good the week is (per class the lessons of each day, holes, repeats).
schedule_example() {
    step "自动排课（全校，补排、修正冲突并优化）：$SCHEDULED_QTF"
    "$CLI" schedule "$SCHOOL_QTF" -o "$SCHEDULED_QTF" --optimize
    step "排课检查与课表质量"
    "$CLI" check "$SCHEDULED_QTF" | tail -n 1
    "$CLI" quality "$SCHEDULED_QTF" | grep -v $'\tgaps '
}

# Exports every workbook, picture and the text list of the scheduled school into out/.
export_example() {
    local dir="$ROOT/out"
    step "导出课表：$dir"
    mkdir -p "$dir"
    "$CLI" export "$SCHEDULED_QTF" --out "$dir" all
    printf '班级课表与图片：%s\n' "$dir/classFiles"
    printf '教师课表：%s（图片在 %s）\n' "$dir/teacherExcelFiles" "$dir/teacher"
    printf '总课表：%s\n' "$dir/master-style1.xlsx $dir/master-style2.xlsx $dir/master-style3.xlsx"
    printf '排课信息：%s\n' "$dir/paikeInfo.txt"
}

main() {
    if [ ! -x "$CLI" ]; then
        echo "demo.sh: $CLI not found; build first (make build)" >&2
        exit 1
    fi
    build_example
    schedule_example
    export_example
}

main
