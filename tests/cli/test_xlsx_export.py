#!/usr/bin/env python3
"""End to end: build a small school with tabrel-cli, export every workbook, read the .xlsx files
back with openpyxl and check values, merges, fonts, borders, row heights and column widths.

Usage: python3 test_xlsx_export.py /path/to/tabrel-cli
"""
import json
import os
import subprocess
import sys
import tempfile

try:
    import openpyxl
except ImportError:  # a Python of its own without Debian's packages
    sys.path.append("/usr/lib/python3/dist-packages")
    import openpyxl

CLI = sys.argv[1] if len(sys.argv) > 1 else "tabrel-cli"
DAYS = ["星期一", "星期二", "星期三", "星期四", "星期五"]

passed = 0
failed = 0


def check(name, condition, detail=""):
    global passed, failed
    if condition:
        passed += 1
    else:
        failed += 1
        print(f"FAIL: {name} {detail}")


def equal(name, actual, expected):
    check(name, actual == expected, f"got {actual!r}, expected {expected!r}")


def text(ws, address):
    v = ws[address].value
    return "" if v is None else str(v)


def merged(ws):
    return {str(r) for r in ws.merged_cells.ranges}


def width(ws, letter):
    # The file stores the width with the cell padding added (3 → 3.71).
    return ws.column_dimensions[letter].width


def near_width(ws, letter, expected):
    w = width(ws, letter)
    return w is not None and expected <= w < expected + 1


def empty_cell():
    return {"commonPeriod": "", "subject": "", "teacher": ""}


def school():
    grades = []
    for g, gname in enumerate(["初一", "初二"]):
        classes = []
        for c in range(1, 3 if g == 0 else 4):
            cells = [[empty_cell() for _ in DAYS] for _ in range(7)]
            classes.append({"name": f"{gname}{c}班", "cells": cells, "assignments": []})
        grades.append({"name": gname, "classes": classes})
    c11 = grades[0]["classes"][0]["cells"]
    c12 = grades[0]["classes"][1]["cells"]
    c21 = grades[1]["classes"][0]["cells"]
    c11[0][0] = {"commonPeriod": "", "subject": "语文", "teacher": "欧阳明月"}
    c12[0][0] = {"commonPeriod": "", "subject": "语文", "teacher": "欧阳明月"}
    c11[2][0] = {"commonPeriod": "自习", "subject": "", "teacher": ""}
    c11[4][1] = {"commonPeriod": "", "subject": "数学", "teacher": "李小A"}
    c21[6][4] = {"commonPeriod": "", "subject": "英语", "teacher": "王五"}
    return {
        "earlyReadingCount": 0, "morningCount": 4, "afternoonCount": 3, "eveningCount": 0,
        "dayNames": DAYS,
        "grades": grades,
        "subjects": [{"name": "语文", "gradeLessons": ["5", "5"]}],
        "teachers": [{"name": "欧阳明月"}, {"name": "李小A"}, {"name": "王五"}],
    }


def run(*args):
    return subprocess.run([CLI, *args], capture_output=True, text=True)


def title_font_ok(cell):
    f = cell.font
    colour = f.color.rgb if f.color is not None else None
    return f.name == "黑体" and bool(f.b) and f.sz == 20 and colour in ("FF000000", "00000000")


def boxed(cell):
    b = cell.border
    a = cell.alignment
    return (b.left.style == "thin" and b.right.style == "thin" and b.top.style == "thin"
            and b.bottom.style == "thin" and a.horizontal == "center" and a.vertical == "center")


def check_class_file(out):
    ws = openpyxl.load_workbook(os.path.join(out, "classFiles", "初一1班.xlsx")).active
    equal("class file title", text(ws, "A1"), "初一1班课程表")
    check("class file title merged", "A1:G1" in merged(ws), merged(ws))
    check("class file title font", title_font_ok(ws["A1"]))
    check("class file title has no border", ws["A1"].border.left.style is None)
    equal("class file header", [text(ws, a) for a in ("A3", "C3", "G3")], ["时间", "星期一", "星期五"])
    check("class file sections", {"A3:B3", "A4:A11", "A12:A17", "B4:B5", "B16:B17"} <= merged(ws), merged(ws))
    equal("class file period 7", text(ws, "B16"), "7")
    equal("class file lesson", (text(ws, "C4"), text(ws, "C5")), ("语文", "欧阳明月"))
    equal("class file common period", (text(ws, "C8"), text(ws, "C9")), ("自习", ""))
    check("class file cells boxed", boxed(ws["C4"]) and boxed(ws["C9"]))
    check("class file wrap text", ws["C4"].alignment.wrap_text and ws["G17"].alignment.wrap_text)
    equal("class file row heights", [ws.row_dimensions[r].height for r in (1, 2, 3, 17)], [28, 10, 28, 28])
    check("class file column widths", near_width(ws, "A", 3) and near_width(ws, "B", 3)
          and near_width(ws, "C", 12) and near_width(ws, "G", 12))


def check_all_classes(out):
    ws = openpyxl.load_workbook(os.path.join(out, "classFiles", "allclass.xlsx")).active
    # Five classes, three to a row: block 1 at column I, block 3 at row 2·7+3+1 = 18.
    equal("all classes block 0", text(ws, "A1"), "初一1班课程表")
    equal("all classes block 1", text(ws, "I1"), "初一2班课程表")
    equal("all classes block 3", text(ws, "A18"), "初二2班课程表")
    equal("all classes block 4", text(ws, "I18"), "初二3班课程表")
    check("all classes merges", {"A1:G1", "I1:O1", "Q1:W1", "A18:G18", "I19:J19", "I20:I27"} <= merged(ws))
    equal("all classes heights", [ws.row_dimensions[r].height for r in (1, 2, 16, 18, 19)], [30, 18, 18, 30, 18])
    check("all classes widths", near_width(ws, "A", 5) and near_width(ws, "C", 10) and near_width(ws, "K", 10))
    # The column between two blocks keeps its default width.
    check("all classes gap column", not near_width(ws, "H", 5) and not near_width(ws, "H", 10))
    # 初二1班's 英语 in the last period of 星期五: block 2 at column Q, row 2 + 2·6 + 1.
    equal("all classes lesson", (text(ws, "W15"), text(ws, "W16")), ("英语", "王五"))


def check_teachers(out):
    ws = openpyxl.load_workbook(os.path.join(out, "teacherExcelFiles", "欧阳明月.xlsx")).active
    equal("teacher file title", text(ws, "A1"), "欧阳明月课程表")
    equal("teacher file slot", text(ws, "C4"), "初一1.2语文")
    check("teacher file sections", {"A1:G1", "A3:B3", "A4:A7", "A8:A10"} <= merged(ws), merged(ws))
    equal("teacher file heights", [ws.row_dimensions[r].height for r in (1, 2, 3, 10)], [38, 10, 38, 38])
    check("teacher file widths", near_width(ws, "A", 3) and near_width(ws, "C", 20))
    ws = openpyxl.load_workbook(os.path.join(out, "teacherExcelFiles", "allteacher.xlsx")).active
    # --teacher-tables-per-row 2: the third teacher starts the second row of blocks at row 7 + 3 + 1.
    equal("all teachers blocks", (text(ws, "A1"), text(ws, "I1"), text(ws, "A11")),
          ("欧阳明月课程表", "李小A课程表", "王五课程表"))
    equal("all teachers slot", text(ws, "G19"), "初二1英语")
    equal("all teachers heights", [ws.row_dimensions[r].height for r in (11, 12, 19)], [30, 38, 38])
    check("all teachers widths", near_width(ws, "I", 5) and near_width(ws, "K", 13))


def check_master(out):
    ws = openpyxl.load_workbook(os.path.join(out, "master-style1.xlsx")).active
    # 5 classes on 5 days: K = 27 columns, the last AA.
    equal("master 1 title", text(ws, "A1"), "测试中学课程总表")
    check("master 1 title merged", "A1:AA1" in merged(ws) and title_font_ok(ws["A1"]))
    equal("master 1 days", (text(ws, "C2"), text(ws, "H2"), text(ws, "W2")), ("星 期 一", "星 期 二", "星 期 五"))
    check("master 1 day merges", {"A2:B2", "C2:G2", "H2:L2", "W2:AA2", "A3:B3", "A4:A11", "A12:AA12",
                                  "A13:A18", "B13:B14"} <= merged(ws), merged(ws))
    equal("master 1 classes", (text(ws, "C3"), text(ws, "G3"), text(ws, "H3")), ("初一1班", "初二3班", "初一1班"))
    equal("master 1 lesson", (text(ws, "C4"), text(ws, "C5")), ("语文", "明月"))
    equal("master 1 teacher font", ws["C5"].font.sz, 9)
    # The afternoon starts again at 1; 李小A is cut to its last 3 bytes.
    equal("master 1 afternoon", (text(ws, "B13"), text(ws, "B17")), ("1", "3"))
    equal("master 1 afternoon lesson", (text(ws, "H13"), text(ws, "H14")), ("数学", "小A"))
    equal("master 1 heights", [ws.row_dimensions[r].height for r in (1, 4, 12, 13)], [30, 28, 5, 28])
    check("master 1 widths", near_width(ws, "A", 3) and near_width(ws, "AA", 3))

    ws = openpyxl.load_workbook(os.path.join(out, "master-style2.xlsx")).active
    equal("master 2 corner", text(ws, "A2"), "总课程表")
    check("master 2 merges", {"A1:AJ1", "A2:A3", "B2:H2", "AD2:AJ2", "A4:A5", "A12:A13"} <= merged(ws), merged(ws))
    equal("master 2 periods", (text(ws, "B3"), text(ws, "H3"), text(ws, "I3")), ("1", "7", "1"))
    equal("master 2 class", text(ws, "A12"), "初二3班")
    # 初二1班 is the third class (rows 8, 9); 英语 on 星期五 period 7: column 4·7 + 6 + 2 = 36 (AJ).
    equal("master 2 lesson", (text(ws, "AJ8"), text(ws, "AJ9")), ("英语", "王五"))
    equal("master 2 fonts", (ws["AJ8"].font.sz, ws["AJ9"].font.sz), (11, 9))
    equal("master 2 heights", [ws.row_dimensions[r].height for r in (1, 4, 8)], [30, 28, 28])

    ws = openpyxl.load_workbook(os.path.join(out, "master-style3.xlsx")).active
    equal("master 3 blocks", (text(ws, "Y1"), text(ws, "A18")), ("初二2班课程表", "初二3班课程表"))


def check_text(out):
    with open(os.path.join(out, "paikeInfo.txt"), "rb") as f:
        lines = f.read().decode("gbk").split("\n")
    equal("text lines", lines, [
        "初一\t初一1班\t星期一\t1\t语文\t欧阳明月",
        "初一\t初一1班\t星期一\t3\t自习\t",
        "初一\t初一1班\t星期二\t5\t数学\t李小A",
        "初一\t初一2班\t星期一\t1\t语文\t欧阳明月",
        "初二\t初二1班\t星期五\t7\t英语\t王五",
        "",
    ])


def main():
    with tempfile.TemporaryDirectory() as tmp:
        src = os.path.join(tmp, "school.json")
        qtf = os.path.join(tmp, "school.qtf")
        out = os.path.join(tmp, "exports")
        with open(src, "w", encoding="utf-8") as f:
            json.dump(school(), f, ensure_ascii=False)
        r = run("build", src, "-o", qtf)
        check("build", r.returncode == 0, r.stderr)
        r = run("export", qtf, "--out", out, "--tables-per-row", "3", "--teacher-tables-per-row", "2",
                "--title", "测试中学课程总表", "class-xlsx", "all-classes-xlsx", "teacher-xlsx",
                "all-teachers-xlsx", "master1-xlsx", "master2-xlsx", "master3-xlsx", "text")
        check("export", r.returncode == 0, r.stderr)
        if r.returncode == 0:
            for part in (check_class_file, check_all_classes, check_teachers, check_master, check_text):
                try:
                    part(out)
                except Exception as e:  # a missing file or sheet counts as one failure
                    check(part.__name__, False, repr(e))
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
