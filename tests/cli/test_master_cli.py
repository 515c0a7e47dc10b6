#!/usr/bin/env python3
"""End to end: the master timetable's copies and batch import, the load distribution, and the PDF
exports of tabrel-cli on the example school, read back with poppler's pdfinfo and pdftotext.

Usage: python3 test_master_cli.py /path/to/tabrel-cli
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

CLI = sys.argv[1] if len(sys.argv) > 1 else "tabrel-cli"
SOURCE = os.environ.get("TABREL_SOURCE_DIR", os.path.join(os.path.dirname(__file__), "..", ".."))

passed = 0
failed = 0


def check(name, condition, detail=""):
    global passed, failed
    if condition:
        passed += 1
    else:
        failed += 1
        print(f"FAIL: {name} {detail}")


def run(*args, stdin=None):
    return subprocess.run([CLI, *args], capture_output=True, text=True, input=stdin)


def cells(qtf):
    school = json.loads(run("dump", qtf).stdout)
    return {(g["name"], c["name"], p, d): cell["subject"]
            for g in school["grades"] for c in g["classes"]
            for p, row in enumerate(c["cells"]) for d, cell in enumerate(row)}


def pdf_info(path):
    info = {}
    for line in subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout.splitlines():
        key, _, value = line.partition(":")
        info[key.strip()] = value.strip()
    return info


def check_copies(tmp, qtf, school):
    classes = [c["name"] for g in school["grades"] for c in g["classes"]]
    T = school["morningCount"] + school["afternoonCount"] + school["earlyReadingCount"] + school["eveningCount"]
    D = len(school["dayNames"])
    r = run("copy", qtf, "master1")
    check("copy master1", r.returncode == 0, r.stderr)
    lines = r.stdout.split("\n")
    check("master1 ends with a line feed", r.stdout.endswith("\n"))
    check("master1 has a name line and two lines per period", len(lines) == 1 + 2 * T + 1, str(len(lines)))
    check("master1 names every class once per day", lines[0].split("\t") == classes * D)
    check("master1 lines have a field per day and class",
          all(len(l.split("\t")) == D * len(classes) for l in lines[:-1]))

    # The subject lines, pasted back: nothing changes but 体育, which the import writes as 体育1, and
    # the engine's "empty", which the copy gives as an empty field.
    text = os.path.join(tmp, "subjects.txt")
    with open(text, "w", encoding="utf-8") as f:
        f.write("".join(l + "\n" for l in lines[1:-1:2]))
    back = os.path.join(tmp, "back.qtf")
    r = run("paste", qtf, "master1", text, "-o", back)
    check("paste master1", r.returncode == 0 and r.stdout == "", r.stderr)
    before, after = cells(qtf), cells(back)
    changed = {k: (before[k], after[k]) for k in before if before[k] != after[k]}
    check("paste back changes only 体育", all(v in (("体育", "体育1"), ("empty", "")) for v in changed.values()), str(changed)[:300])

    grade = school["grades"][0]
    r = run("copy", qtf, "master2", "--grade", grade["name"])
    lines = r.stdout.split("\n")
    check("master2 of one grade", r.returncode == 0 and len(lines) == 2 + 2 * len(grade["classes"]), r.stderr)
    check("master2 period line", lines[0] == "".join(f"{p}\t" for p in range(1, T + 1)) * D, lines[0])

    r = run("copy", qtf, "distribution")
    rows = r.stdout.split("\n")
    header = rows[0].split("\t")
    check("distribution header", header == ["姓名", "合计"] + [f"第{p}节" for p in range(1, T + 1)]
          + school["dayNames"], header)
    check("distribution row per teacher", len(rows) == len(school["teachers"]) + 2)
    for row in rows[1:-1]:
        f = row.split("\t")
        total = int(f[1])
        by_period = sum(int(x or 0) for x in f[2:2 + T])
        by_day = sum(int(x or 0) for x in f[2 + T:])
        check("distribution sums", total == by_period == by_day, row)

    for args, status in ((("copy", qtf, "master1", "--grade", "无此年级"), 4),
                         (("copy", qtf, "distribution", "--grade", grade["name"]), 2),
                         (("paste", qtf, "master1", text, "--in-place", "--at", "0,0"), 2),
                         (("copy", qtf, "master3"), 2)):
        r = run(*args)
        check(f"status of {' '.join(args[2:])}", r.returncode == status and r.stdout == "",
              f"{r.returncode} {r.stderr}")


def check_pdfs(tmp, qtf, school):
    out = os.path.join(tmp, "pdf")
    r = run("export", qtf, "--out", out, "class-pdf", "teacher-pdf", "master-pdf")
    check("export pdf", r.returncode == 0, r.stderr)
    classes = [c["name"] for g in school["grades"] for c in g["classes"]]
    expected = {"class-timetables.pdf": (len(classes), "595 x 842"),
                "teacher-timetables.pdf": (len(school["teachers"]), "595 x 842")}
    for name, (pages, size) in expected.items():
        info = pdf_info(os.path.join(out, name))
        check(f"{name} pages", info.get("Pages") == str(pages), str(info.get("Pages")))
        check(f"{name} A4 upright", info.get("Page size", "").startswith(size), info.get("Page size"))
    master = pdf_info(os.path.join(out, "master-timetable.pdf"))
    check("master A4 across", master.get("Page size", "").startswith("842 x 595"), master.get("Page size"))
    pages = int(master.get("Pages", "0"))
    check("master needs several pages", pages >= 2, str(pages))

    def page_text(name, page):
        return subprocess.run(["pdftotext", "-f", str(page), "-l", str(page), os.path.join(out, name), "-"],
                              capture_output=True, text=True).stdout

    for i in (0, len(classes) - 1):
        t = page_text("class-timetables.pdf", i + 1)
        check(f"class page {i + 1} names its class", classes[i] + " 班课程信息表" in t, t[:80])
        check(f"class page {i + 1} has the days", all(d in t for d in school["dayNames"]), t[:200])
    first = school["teachers"][0]["name"]
    check("teacher page names the teacher", first + " 课程信息表" in page_text("teacher-timetables.pdf", 1))
    for page in range(1, pages + 1):
        t = page_text("master-timetable.pdf", page)
        check(f"master page {page} repeats the labels", "班 级" in t and "时 间" in t, t[:100])

    grade = school["grades"][0]["name"]
    one = os.path.join(tmp, "one")
    r = run("export", qtf, "--out", one, "--grade", grade, "master-pdf")
    check("master pdf of one grade", r.returncode == 0, r.stderr)
    fewer = int(pdf_info(os.path.join(one, "master-timetable.pdf")).get("Pages", "0"))
    check("one grade needs fewer pages", 1 <= fewer < pages, f"{fewer} {pages}")
    for args, status in ((("--grade", grade, "class-pdf"), 2), (("--grade", "无此年级", "master-pdf"), 4)):
        r = run("export", qtf, "--out", os.path.join(tmp, "x"), *args)
        check(f"export {' '.join(args)}", r.returncode == status, f"{r.returncode} {r.stderr}")
    r = run("export", qtf, "--out", os.path.join(tmp, "all"), "all")
    check("all writes no PDF", r.returncode == 0 and not any(
        f.endswith(".pdf") for f in os.listdir(os.path.join(tmp, "all"))), r.stderr)
    if shutil.which("pdftoppm"):
        r = subprocess.run(["pdftoppm", "-r", "30", "-png", "-f", "1", "-l", "1",
                            os.path.join(out, "master-timetable.pdf"), os.path.join(tmp, "page")])
        check("pages turn into pictures", r.returncode == 0 and os.path.exists(os.path.join(tmp, "page-1.png")))


def main():
    if not shutil.which("pdfinfo") or not shutil.which("pdftotext"):
        print("FAIL: poppler-utils (pdfinfo, pdftotext) are missing: scripts/setup-deps.sh installs them")
        print("0 passed, 1 failed")
        return 1
    with tempfile.TemporaryDirectory() as tmp:
        qtf = os.path.join(tmp, "school.qtf")
        r = run("build", os.path.join(SOURCE, "examples", "middle-school.json"), "-o", qtf)
        check("build", r.returncode == 0, r.stderr)
        r = run("schedule", qtf, "--in-place")
        check("schedule", r.returncode == 0, r.stderr)
        school = json.loads(run("dump", qtf).stdout)
        for part in (check_copies, check_pdfs):
            try:
                part(tmp, qtf, school)
            except Exception as e:  # a missing file counts as one failure
                check(part.__name__, False, repr(e))
    print(f"{passed} passed, {failed} failed")
    return 0 if failed == 0 else 1


if __name__ == "__main__":
    sys.exit(main())
