#!/usr/bin/env python3
"""Writes examples/middle-school.json: a three-grade middle school with 24 classes, its subjects,
teachers, teaching plans, common periods and a few slot rules, in the JSON form that
`tabrel-cli build` reads; and examples/full-week-school.json, the same school as it sets up a whole
week: every period that holds no lesson holds a common period (课外活动, 自习, 阅读), so a complete
timetable fills every cell. Deterministic: running it again gives the same files.

    python3 scripts/make-example-school.py            # both files
    python3 scripts/make-example-school.py [--full-week] OUT.json
"""
import json
import os
import random
import sys

DAYS = ["星期一", "星期二", "星期三", "星期四", "星期五"]
EARLY, MORNING, AFTERNOON, EVENING = 0, 4, 4, 0
PERIODS = EARLY + MORNING + AFTERNOON + EVENING
CLASSES_PER_GRADE = 8
GRADES = ["初一", "初二", "初三"]

# Weekly lessons per grade (初一, 初二, 初三); None: not taught in that grade.
SUBJECTS = [
    ("语文", [6, 6, 6]),
    ("数学", [6, 6, 6]),
    ("英语", [6, 6, 6]),
    ("物理", [None, 3, 4]),
    ("化学", [None, None, 4]),
    ("生物", [3, 2, None]),
    ("地理", [2, 2, None]),
    ("历史", [2, 2, 2]),
    ("道德与法治", [2, 2, 3]),
    ("体育", [3, 3, 3]),
    ("音乐", [1, 1, None]),
    ("美术", [1, 1, None]),
    ("信息技术", [1, 1, None]),
    ("班会", [1, 1, 1]),
]
# Classes one teacher takes: the main subjects two or three classes each, the others four.
CORE = {"语文", "数学", "英语"}
CORE_SPLIT = [3, 3, 2]
OTHER_SPLIT = [4, 4]
# 班会 is given by each class's head teacher: in turn its 语文, 数学 and 英语 teacher, so that no
# teacher heads two classes.
HEAD_SUBJECTS = ["语文", "数学", "英语"]
# Double periods wanted.
DOUBLES = {("初三", "化学"): 1}

# Period times: 8:00 start, 40-minute lessons, 10-minute breaks, morning exercises before the
# third period and the lunch break before the fifth.
PERIOD_TIMES = [("8:00", "8:40"), ("8:50", "9:30"), ("10:00", "10:40"), ("10:50", "11:30"),
                ("14:00", "14:40"), ("14:50", "15:30"), ("15:40", "16:20"), ("16:30", "17:10")]
COMMON_ROWS = {2: ("课间操", "9:30", "10:00"), 4: ("午休", "11:30", "14:00")}

# Common periods: (grade or None for every grade, period index, day index, name).
COMMON_PERIODS = [(None, 7, 4, "自习"), ("初三", 7, 2, "教研活动")]
# The full week's further common periods: the last periods of the day, after the lessons.
FULL_WEEK_PERIODS = [
    ("初一", 7, 0, "课外活动"), ("初一", 7, 1, "自习"), ("初一", 7, 2, "课外活动"), ("初一", 7, 3, "自习"),
    ("初一", 6, 4, "阅读"),
    ("初二", 7, 0, "课外活动"), ("初二", 7, 2, "课外活动"), ("初二", 7, 3, "自习"),
    ("初三", 7, 0, "课外活动"), ("初三", 7, 1, "自习"), ("初三", 7, 3, "自习"),
]

SURNAMES = ("王李张刘陈杨黄赵吴周徐孙马朱胡郭何高林罗郑梁谢宋唐许韩冯邓曹彭曾肖田董袁潘蒋蔡余杜叶程"
            "苏魏吕丁任沈姚卢姜崔钟谭陆汪范金石廖贾夏韦方白邹孟熊秦邱江尹薛段雷侯龙史陶黎贺顾毛郝龚邵万钱严武戴孔汤")
GIVEN_ONE = "芳伟娜敏静丽强磊军洋勇艳杰娟涛明超霞平刚辉玲斌鹏华红飞鑫波宁燕萍浩凯琳晶颖倩"
GIVEN_TWO = ["建国", "志强", "海燕", "秀英", "晓东", "丽娟", "文杰", "雪梅", "俊杰", "婷婷", "春梅",
             "宏伟", "玉兰", "志华", "红梅", "国强", "晓红", "建华", "永刚", "淑芬", "慧敏", "思远",
             "欣怡", "浩然", "嘉怡", "佳琪", "宇航", "梓萱", "晓燕", "立新", "振华", "美玲", "德明",
             "子豪", "雅琴", "亚楠", "凤英", "世杰", "家乐", "明辉", "少华", "桂香", "金凤", "新民"]


def teacher_names(count, rng):
    """`count` distinct names, 2 or 3 characters, whose short names (last two characters) differ too."""
    names, shorts = ["王芳"], {"王芳"}
    while len(names) < count:
        surname = rng.choice(SURNAMES)
        given = rng.choice(GIVEN_ONE) if rng.random() < 0.4 else rng.choice(GIVEN_TWO)
        name = surname + given
        short = name[-2:]
        if name in names or short in shorts:
            continue
        names.append(name)
        shorts.add(short)
    return names


def class_name(grade, number):
    return "%s(%d)" % (grade, number)


def build(full_week=False):
    rng = random.Random(20240901)

    # Who teaches what: (grade, subject, class numbers) per teacher, in grade and subject order.
    posts = []
    for g, grade in enumerate(GRADES):
        for subject, counts in SUBJECTS:
            if counts[g] is None or subject == "班会":
                continue
            split = CORE_SPLIT if subject in CORE else OTHER_SPLIT
            first = 1
            for size in split:
                posts.append((grade, subject, list(range(first, first + size))))
                first += size
    names = teacher_names(len(posts), rng)
    # The teacher of each (grade, subject, class number).
    teacher_of = {}
    for name, (grade, subject, numbers) in zip(names, posts):
        for n in numbers:
            teacher_of[(grade, subject, n)] = name

    workload = {name: 0 for name in names}
    head_of = {name: [] for name in names}
    grades = []
    for g, grade in enumerate(GRADES):
        classes = []
        for n in range(1, CLASSES_PER_GRADE + 1):
            cname = class_name(grade, n)
            assignments = []
            for subject, counts in SUBJECTS:
                weekly = counts[g]
                if weekly is None:
                    continue
                if subject == "班会":
                    teacher = teacher_of[(grade, HEAD_SUBJECTS[(n - 1) % 3], n)]
                    head_of[teacher].append(cname)
                else:
                    teacher = teacher_of[(grade, subject, n)]
                workload[teacher] += weekly
                assignments.append({"subject": subject, "teacher": teacher, "weeklyLessons": weekly,
                                    "doubleCount": DOUBLES.get((grade, subject), 0), "placedCount": 0})
            cells = []
            for p in range(PERIODS):
                row = []
                for d in range(len(DAYS)):
                    common = ""
                    for cg, cp, cd, cn in COMMON_PERIODS + (FULL_WEEK_PERIODS if full_week else []):
                        if (cg is None or cg == grade) and (cp, cd) == (p, d):
                            common = cn
                    rules = []
                    if p == 0:
                        rules.append("体育-不排")
                        if d in (0, 2, 4):
                            rules.append("语文-尽量排")
                    row.append({"commonPeriod": common, "subject": "", "teacher": "", "reservedValue": 0,
                                "markFlag": 0, "subjectRules": rules})
                cells.append(row)
            classes.append({"name": cname, "cells": cells, "assignments": assignments})
        grades.append({"name": grade, "classes": classes})

    def label(p):
        return "早%d节" % (p + 1) if p < EARLY else "第%d节" % (p + 1 - EARLY)

    # Subject summaries are day-major, as the preset window writes them.
    def subject_summary(subject):
        out = ""
        for d, day in enumerate(DAYS):
            for p in range(PERIODS):
                for entry in grades[0]["classes"][0]["cells"][p][d]["subjectRules"]:
                    key, _, value = entry.partition("-")
                    if key == subject:
                        out += "%s%s（%s）" % (day, label(p), value)
        return out

    subjects = []
    for subject, counts in SUBJECTS:
        lessons = ["" if c is None else str(c) for c in counts] + [""] * (12 - len(counts))
        subjects.append({"name": subject, "gradeLessons": lessons, "sameSubjectLimit": 0, "progressAligned": 0,
                         "ruleSummary": subject_summary(subject)})

    # Teacher slot rules: [period][day] lists of "name-value".
    slots = [[[] for _ in range(7)] for _ in range(12)]
    slot_rules = [("王芳", 0, 0, "不排"), ("王芳", 1, 0, "不排")]
    afternoon_off = names[posts.index(next(p for p in posts if p[0] == "初二" and p[1] == "数学"))]
    for p in range(MORNING, MORNING + AFTERNOON):
        slot_rules.append((afternoon_off, p, 4, "不排"))
    early_bird = names[posts.index(next(p for p in posts if p[0] == "初三" and p[1] == "英语"))]
    slot_rules.append((early_bird, 0, 1, "尽量排"))
    slot_rules.append((early_bird, 0, 3, "尽量排"))
    for name, p, d, value in slot_rules:
        slots[p][d].append("%s-%s" % (name, value))

    # Teacher summaries are period-major, as the teacher list rebuilds them.
    def teacher_summary(name):
        out = ""
        for p in range(PERIODS):
            for d, day in enumerate(DAYS):
                for entry in slots[p][d]:
                    key, _, value = entry.partition("-")
                    if key == name:
                        out += "%s%s（%s）" % (day, label(p), value)
        return out

    teachers = []
    for name, (grade, subject, _) in zip(names, posts):
        teachers.append({"name": name, "shortName": name[-2:], "taughtSubjects": subject,
                         "workload": workload[name],
                         "remark": "、".join(c + "班主任" for c in head_of[name]),
                         "ruleSummary": teacher_summary(name)})

    # Teacher groups as the group dialog lays them out: row 0 the group names from column 1, each
    # group's members down its column; column 0 holds the row labels.
    group_of = {"语文": "语文组", "数学": "数学组", "英语": "英语组"}
    group_names = ["行政人员", "语文组", "数学组", "英语组", "综合组"]
    members = {g: [] for g in group_names}
    members["行政人员"] = [names[0], names[posts.index(next(p for p in posts if p[0] == "初三" and p[1] == "数学"))]]
    for name, (_, subject, _) in zip(names, posts):
        members[group_of.get(subject, "综合组")].append(name)
    rows, columns = 201, 6
    table = [[""] * columns for _ in range(rows)]
    table[0][0] = "分组名"
    for r in range(1, rows):
        table[r][0] = "教师%02d" % r
    for c, group in enumerate(group_names, start=1):
        table[0][c] = group
        for r, member in enumerate(members[group], start=1):
            table[r][c] = member

    return {
        "earlyReadingCount": EARLY, "morningCount": MORNING, "afternoonCount": AFTERNOON,
        "eveningCount": EVENING,
        "dayNames": DAYS,
        "commonRowNames": [COMMON_ROWS[n][0] if n in COMMON_ROWS else "" for n in range(20)],
        "commonRowStarts": [COMMON_ROWS[n][1] if n in COMMON_ROWS else "" for n in range(20)],
        "commonRowEnds": [COMMON_ROWS[n][2] if n in COMMON_ROWS else "" for n in range(20)],
        "periodStarts": [PERIOD_TIMES[n][0] if n < PERIODS else "" for n in range(20)],
        "periodEnds": [PERIOD_TIMES[n][1] if n < PERIODS else "" for n in range(20)],
        "lessonMinutes": 40, "breakMinutes": 10,
        "grades": grades,
        "subjects": subjects,
        "teachers": teachers,
        "teacherSlotSettings": slots,
        "teacherGroupTable": {"rows": rows, "columns": columns, "cells": table},
        "spareTable": {"rows": 0, "columns": 0, "cells": []},
    }


def dumps(value, indent=0):
    """JSON with every value that fits in 120 characters on one line, so the file reads well."""
    pad = "  " * indent
    compact = json.dumps(value, ensure_ascii=False, separators=(", ", ": "))
    if not isinstance(value, (dict, list)) or len(compact) + len(pad) <= 120:
        return compact
    if isinstance(value, dict):
        items = ["%s  %s: %s" % (pad, json.dumps(k, ensure_ascii=False), dumps(v, indent + 1)) for k, v in value.items()]
        return "{\n" + ",\n".join(items) + "\n" + pad + "}"
    items = ["%s  %s" % (pad, dumps(v, indent + 1)) for v in value]
    return "[\n" + ",\n".join(items) + "\n" + pad + "]"


def write(out, full_week):
    school = build(full_week)
    with open(out, "w", encoding="utf-8") as f:
        f.write(dumps(school) + "\n")
    lessons = sum(a["weeklyLessons"] for g in school["grades"] for c in g["classes"] for a in c["assignments"])
    print("%s: %d grades, %d classes, %d subjects, %d teachers, %d weekly lessons" % (
        out, len(school["grades"]), sum(len(g["classes"]) for g in school["grades"]), len(school["subjects"]),
        len(school["teachers"]), lessons))


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    args = sys.argv[1:]
    full_week = "--full-week" in args
    args = [a for a in args if a != "--full-week"]
    if args:
        write(args[0], full_week)
        return
    write(os.path.join(root, "examples", "middle-school.json"), False)
    write(os.path.join(root, "examples", "full-week-school.json"), True)


if __name__ == "__main__":
    main()
