#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang (AddressSanitizer and UBSan) against the core
# sources they need, generates their seed files, and runs each for SECONDS (default 120) in build-fuzz/.
#   scripts/fuzz.sh [SECONDS] [TARGET…]      e.g. scripts/fuzz.sh 600 RunFuzz
# Seeds come from the example school and small generated schools, built with tabrel-cli (the normal
# build's, which this script makes when it is missing); the corpora stay in build-fuzz/, out of git.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SECONDS_EACH=${1:-120}
shift || true
OUT="$ROOT/build-fuzz"
BUILD=${BUILD:-$ROOT/build}
mkdir -p "$OUT"
FLAGS=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$ROOT/src")
CORE=("$ROOT"/src/data/*.cpp "$ROOT"/src/scheduling/*.cpp "$ROOT"/src/views/GridModel.cpp "$ROOT"/src/views/GridSource.cpp
      "$ROOT"/src/output/TotalScheduleText.cpp)

# ---- seeds ------------------------------------------------------------------------------------
SEEDS="$OUT/seeds"
if [ ! -d "$SEEDS/qtf" ]; then
    [ -x "$BUILD/tabrel-cli" ] || cmake --build "$BUILD" --target tabrel-cli >/dev/null
    mkdir -p "$SEEDS/json" "$SEEDS/qtf" "$SEEDS/small"
    cp "$ROOT"/examples/*.json "$SEEDS/json/"
    # Small schools (1–2 grades, 1–3 classes, a few periods) with plans near and past their weeks,
    # and one count of 2^31-1: the sizes at which the runs meet their bounds.
    python3 - "$SEEDS/json" <<'EOF'
import json, random, sys
out = sys.argv[1]
subjects = ["语文", "数学", "英语", "体育", "音乐"]
teachers = ["张三", "李四", "王五", "赵六", "孙七", "周八"]
for n in range(12):
    r = random.Random(n)
    grades = []
    for g in range(r.randint(1, 2)):
        classes = []
        for c in range(r.randint(1, 3)):
            plan = [{"subject": s, "teacher": r.choice(teachers), "weeklyLessons": r.randint(0, 8)}
                    for s in r.sample(subjects, r.randint(1, 5))]
            if n == 11:
                plan[0]["weeklyLessons"] = 2147483647
            classes.append({"name": f"{g + 1}年({c + 1})", "assignments": plan})
        grades.append({"name": f"{g + 1}年级", "classes": classes})
    school = {"morningCount": r.randint(1, 4), "afternoonCount": r.randint(0, 3),
              "dayNames": ["星期一", "星期二", "星期三", "星期四", "星期五"][: r.randint(1, 5)],
              "grades": grades,
              "subjects": [{"name": s, "sameSubjectLimit": r.randint(0, 2)} for s in subjects],
              "teachers": [{"name": t, "shortName": t} for t in teachers]}
    if n % 3 == 0:  # a shared ground and a room, one of them closed in the first slot
        school["venues"] = [{"name": "操场", "capacity": 2, "subjects": ["体育"], "unavailable": [[0, 0]]},
                            {"name": "音乐室", "capacity": 1, "subjects": ["音乐"],
                             "plans": [{"class": grades[0]["classes"][0]["name"], "subject": "数学"}]}]
    with open(f"{out}/small-{n}.json", "w", encoding="utf-8") as f:
        json.dump(school, f, ensure_ascii=False)
EOF
    # extension blocks (the fuzz target puts "TBX1" in front): each known chunk once
    mkdir -p "$SEEDS/ext"
    python3 - "$SEEDS/ext" <<'EOF'
import json, struct, sys
chunks = {
    "NAME": "育才中学",
    "VENU": [{"name": "操场", "capacity": 3, "subjects": ["体育"], "unavailable": [[4, 2]],
              "plans": [{"class": "初三(2)", "subject": "物理"}]}],
    "TERM": {"start": "2027-03-01", "weeks": 20, "daysOff": ["2027-04-05"], "makeUpDays": []},
}
for tag, value in chunks.items():
    payload = json.dumps(value, ensure_ascii=False).encode()
    with open(f"{sys.argv[1]}/{tag}.bin", "wb") as f:
        f.write(tag.encode() + struct.pack("<i", len(payload)) + payload)
EOF
    for j in "$SEEDS"/json/*.json; do
        name=$(basename "$j" .json)
        "$BUILD/tabrel-cli" build "$j" -o "$SEEDS/qtf/$name.qtf" >/dev/null
        case "$name" in small-*) cp "$SEEDS/qtf/$name.qtf" "$SEEDS/small/" ;; esac
    done
fi

seed_dir() {
    case "$1" in
        DataFileFuzz) echo "$SEEDS/qtf" ;;
        JsonFormFuzz) echo "$SEEDS/json" ;;
        RunFuzz) echo "$SEEDS/small" ;;
        ExtensionBlockFuzz) echo "$SEEDS/ext" ;;
        *) echo "" ;;
    esac
}
extra_sources() {
    case "$1" in
        JsonFormFuzz) echo "$ROOT/src/cli/JsonSchedule.cpp" ;;
        *) echo "" ;;
    esac
}
run_options() {
    case "$1" in
        DataFileFuzz) echo "-max_len=262144" ;;
        JsonFormFuzz) echo "-max_len=262144" ;;
        RunFuzz) echo "-max_len=16384 -timeout=10" ;;
        *) echo "-max_len=4096" ;;
    esac
}

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
    for t in "$ROOT"/fuzz/*.cpp; do targets+=("$(basename "$t" .cpp)"); done
fi
for name in "${targets[@]}"; do
    # shellcheck disable=SC2046
    clang++ "${FLAGS[@]}" "$ROOT/fuzz/$name.cpp" "${CORE[@]}" $(extra_sources "$name") -o "$OUT/$name"
    mkdir -p "$OUT/$name.corpus"
    # shellcheck disable=SC2046
    "$OUT/$name" -max_total_time="$SECONDS_EACH" $(run_options "$name") "$OUT/$name.corpus" $(seed_dir "$name")
done
