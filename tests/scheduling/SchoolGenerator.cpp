#include "SchoolGenerator.h"

#include <algorithm>
#include <string>
#include <vector>

#include "data/Gbk.h"
#include "scheduling/TeacherAssignment.h"

namespace tabrel::test {

namespace {

struct Rng {
    uint64_t s;
    explicit Rng(uint32_t seed) : s(0x9E3779B97F4A7C15ULL ^ (uint64_t(seed) * 0xBF58476D1CE4E5B9ULL)) { next(); }
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<uint32_t>(s >> 11);
    }
    int below(int n) { return n > 0 ? static_cast<int>(next() % static_cast<uint32_t>(n)) : 0; }
    bool chance(int percent) { return below(100) < percent; }
    template <class T>
    const T& pick(const std::vector<T>& v) { return v[below(static_cast<int>(v.size()))]; }
};

std::string g(const char* utf8) { return gbk::literal(utf8); }

} // namespace

std::unique_ptr<DataSet> generateSchool(uint32_t seed, const GeneratorOptions& options)
{
    Rng rng(seed);
    auto ds = std::make_unique<DataSet>();

    // ---- time grid
    ds->earlyReadingCount = rng.below(3);
    ds->morningCount = 2 + rng.below(5);
    ds->afternoonCount = 1 + rng.below(5);
    ds->eveningCount = rng.below(4);
    while (ds->periodsPerDay() > 12) {
        if (ds->eveningCount > 0)
            --ds->eveningCount;
        else
            --ds->afternoonCount;
    }
    const char* dayNames[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    const int D = 3 + rng.below(5);
    for (int d = 0; d < D; ++d)
        ds->dayNames.push_back(g(dayNames[d]));
    const int T = ds->periodsPerDay();
    const int L = ds->earlyReadingCount, E = ds->eveningCount;

    // ---- subjects and teachers
    const std::vector<std::string> daySubjects = {g("语文"), g("数学"), g("英语"), g("物理"), g("化学"),
                                                  g("生物"), g("历史"), g("地理"), g("政治"), g("体育"),
                                                  g("音乐"), g("美术"), g("班会"), g("信息-技术")};
    const std::vector<std::string> earlySubjects = {g("早读"), g("早练")};
    const std::vector<std::string> eveningSubjects = {g("晚自习"), g("晚读")};
    const std::string bothSections = g("早晚练");
    const std::vector<std::string> teacherNames = {g("张三"), g("李四"), g("王五"), g("赵六"), g("孙七"),
                                                   g("周八"), g("吴九"), g("郑十"), g("钱一"), g("冯二"),
                                                   g("陈明"), g("褚亮"), g("卫东"), g("蒋华")};
    const std::vector<std::string> unknownNames = {g("路人甲"), g("外聘王")};
    const std::string special = g("专门人");
    for (const auto& n : teacherNames) {
        ds->appendTeacher();
        ds->teachers.back()->name = n;
        ds->teachers.back()->shortName = n;
    }
    if (rng.chance(50)) {
        ds->appendTeacher();
        ds->teachers.back()->name = special;
    }
    if (rng.chance(30)) { // a second record of an existing name: look-ups take the first
        ds->appendTeacher();
        ds->teachers.back()->name = teacherNames[0];
    }
    if (rng.chance(20)) { // a record without a name
        ds->appendTeacher();
    }
    auto pickTeacher = [&]() -> std::string {
        const int r = rng.below(100);
        if (r < 75)
            return rng.pick(teacherNames);
        if (r < 83)
            return special;
        if (r < 91)
            return std::string();
        return rng.pick(unknownNames);
    };

    // ---- requirement lines
    if (rng.chance(30))
        ds->requirementTexts.push_back(g("各班的体育每天最少上1节"));
    if (rng.chance(30))
        ds->requirementTexts.push_back(g("语文每天最少上1节"));
    if (rng.chance(30))
        ds->requirementTexts.push_back(g("初一(1)的物理、化学每天最少上1节"));
    if (rng.chance(10))
        ds->requirementTexts.clear();

    // ---- grades and classes
    const char* gradeNames[] = {"初一", "初二", "初三", "高一", "高二", "高三"};
    const int grades = 1 + rng.below(options.maxGrades);
    ds->setGradeCount(grades);
    for (int gi = 0; gi < grades; ++gi) {
        ds->gradeNames[gi] = g(gradeNames[gi % 6]);
        ds->setClassCount(gi, 1 + rng.below(options.maxClassesPerGrade));
    }
    ds->renameClasses("(", ")");

    for (int gi = 0; gi < grades; ++gi) {
        // the grade's plan: subjects with a weekly count and a teacher shared by the grade's classes
        struct Plan {
            std::string subject, text, teacher;
        };
        std::vector<Plan> plan;
        std::vector<std::string> pool = daySubjects;
        const int subjectCount = 3 + rng.below(7);
        const int freeCells = T * D;
        int budget = freeCells * (options.tight ? 120 : 70 + rng.below(40)) / 100;
        for (int k = 0; k < subjectCount && !pool.empty(); ++k) {
            const int at = rng.below(static_cast<int>(pool.size()));
            Plan p;
            p.subject = pool[at];
            pool.erase(pool.begin() + at);
            const int left = subjectCount - k;
            const int w = std::max(1, std::min(budget / std::max(left, 1) + rng.below(3) - 1, 2 * D));
            budget -= w;
            p.text = gbk::formatInt(w);
            if (rng.chance(20))
                p.text += "." + gbk::formatInt(1 + rng.below(2));
            p.teacher = pickTeacher();
            plan.push_back(p);
        }
        if (L > 0 && rng.chance(70))
            plan.push_back({rng.pick(earlySubjects), gbk::formatInt(1 + rng.below(L * D)), pickTeacher()});
        if (E > 0 && rng.chance(70))
            plan.push_back({rng.pick(eveningSubjects), gbk::formatInt(1 + rng.below(E * D)), pickTeacher()});
        if (rng.chance(15))
            plan.push_back({bothSections, "2", pickTeacher()});
        for (const Plan& p : plan)
            ds->findOrAppendSubject(p.subject);

        for (const auto& cp : ds->grades[gi]->classes) {
            ClassTable& c = *cp;
            for (const Plan& p : plan) {
                if (rng.chance(8))
                    continue; // this class does without the subject
                std::string text = p.text;
                if (rng.chance(10))
                    text = gbk::formatInt(1 + rng.below(D + 2));
                c.UpdateAssignmentFromLessonText(p.subject, text);
                c.FindAssignment(p.subject)->teacher = rng.chance(85) ? p.teacher : pickTeacher();
            }
            std::vector<std::string> subjects;
            for (const auto& a : c.assignments)
                subjects.push_back(a->subject);
            subjects.push_back(g("劳技")); // a subject outside the plan

            static const char* levels[] = {"尽量排", "一定排", "不排", "随便"};
            for (int p = 0; p < T; ++p)
                for (int d = 0; d < D; ++d) {
                    LessonCell& cell = c.cells[p][d];
                    if (rng.chance(options.tight ? 15 : 8))
                        ClassTable::setCellRule(cell, rng.pick(subjects), g(levels[rng.below(4)]));
                    if (rng.chance(5))
                        c.commonPeriods[p][d] = rng.chance(50) ? g("自习") : g("劳动");
                    if (rng.chance(5))
                        cell.markFlag = 1;
                    if (rng.chance(options.tight ? 4 : 10)) {
                        const std::string s = rng.chance(5) ? std::string("empty") : rng.pick(subjects);
                        c.setCellSubject(cell, s);
                    }
                }
            if (options.tight && rng.chance(50)) {
                // a late cell of the week that no subject may take: the search must step back
                LessonCell& cell = c.cells[T - 1][D - 1];
                if (c.commonPeriods[T - 1][D - 1].empty() && cell.subject.empty())
                    for (const auto& s : subjects)
                        ClassTable::setCellRule(cell, s, g("不排"));
            }
        }
    }

    // ---- teacher slot rules
    static const char* levels[] = {"尽量排", "一定排", "不排"};
    for (int p = 0; p < T; ++p)
        for (int d = 0; d < D; ++d) {
            for (const auto& n : teacherNames)
                if (rng.chance(options.tight ? 8 : 4))
                    ds->setTeacherSlotValue(p, d, n, g(levels[rng.below(3)]));
            if (rng.chance(3))
                ds->setTeacherSlotValue(p, d, special, g(levels[rng.below(3)]));
            if (rng.chance(2))
                ds->setTeacherSlotValue(p, d, "", g("不排"));
            if (rng.chance(2))
                ds->teacherSlotSettings[p][d].push_back(g("没有横线的条目"));
        }

    // ---- as the program prepares a school for a run
    ds->relinkTeacherCells();
    ComputeAssignedPeriods(*ds);
    ds->syncTeacherAssignments();
    if (rng.chance(30)) {
        // a teacher change after the courses were handed out: the former teacher keeps the class
        ClassTable* c = ds->classAt(0, 0);
        if (c && !c->assignments.empty()) {
            c->assignments[0]->teacher = rng.pick(teacherNames);
            ds->syncTeacherAssignments();
        }
    }
    return ds;
}

} // namespace tabrel::test
