#include "support/FilledSchool.h"

#include <algorithm>
#include <random>

#include "data/ClassTable.h"
#include "support/TestSupport.h"

namespace tabrel::test {

namespace {

void addTeacher(DataSet& ds, const char* name)
{
    ds.appendTeacher();
    ds.teachers.back()->name = G(name);
}

void plan(ClassTable& c, const char* subject, int weekly, const std::string& teacher)
{
    TeachingAssignment* a = c.appendAssignment();
    a->subject = G(subject);
    a->weeklyLessons = weekly;
    a->teacher = teacher;
}

} // namespace

std::unique_ptr<DataSet> filledSchool(uint32_t seed, const FilledSchoolOptions& o)
{
    std::mt19937 rng(seed);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    auto ds = std::make_unique<DataSet>();
    ds->applyNewDocumentDefaults();
    ds->afternoonCount = pick(3, 4);
    const int T = ds->periodsPerDay(), D = 5;
    const int grades = o.grades > 0 ? o.grades : pick(1, 2);
    ds->setGradeCount(grades);
    for (int g = 0; g < grades; ++g) {
        ds->gradeNames[g] = G(("年级" + std::to_string(g + 1)).c_str());
        ds->setClassCount(g, o.classesPerGrade > 0 ? o.classesPerGrade : pick(2, 5));
    }
    ds->renameClasses("(", ")");
    const char* subjects[] = {"语文", "数学", "英语", "物理", "历史", "地理", "体育", "音乐", "美术"};
    int teacherNo = 0;
    for (int g = 0; g < grades; ++g) {
        const int classes = ds->classCount(g);
        const int commons = pick(1, 2);
        std::vector<std::pair<int, int>> common;
        for (int x = 0; x < commons; ++x)
            common.emplace_back(T - 1 - pick(0, 1), pick(0, D - 1));
        const int ordinary = T * D - static_cast<int>(common.size());
        const int lessons = ordinary * o.fill / 100 - 1; // and 班会
        // counts: 语文/数学/英语 large, the rest spread
        std::vector<int> counts(std::size(subjects), 0);
        for (int left = lessons, s = 0; left > 0; s = (s + 1) % static_cast<int>(counts.size())) {
            const int add = std::min(left, s < 3 ? 2 : 1);
            counts[s] += add;
            left -= add;
        }
        for (std::size_t s = 0; s < counts.size(); ++s) {
            int k = 0;
            while (k < classes) {
                const int take = std::min(classes - k, pick(1, 3));
                const std::string teacher = "T" + std::to_string(++teacherNo);
                addTeacher(*ds, teacher.c_str());
                for (int x = k; x < k + take; ++x)
                    plan(*ds->classAt(g, x), subjects[s], counts[s], G(teacher.c_str()));
                k += take;
            }
        }
        for (int k = 0; k < classes; ++k) {
            ClassTable& c = *ds->classAt(g, k);
            const std::string head = "H" + std::to_string(++teacherNo);
            addTeacher(*ds, head.c_str());
            plan(c, "班会", 1, G(head.c_str()));
            for (auto [p, d] : common)
                c.commonPeriods[p][d] = G("自习");
            int mp = std::min(T - 1, (lessons + 1) / D - 1), md = 4; // the last lesson of a day of its share
            while (!c.commonPeriods[mp][md].empty())
                --mp;
            ClassTable::setCellRule(c.cells[mp][md], G("班会"), G("一定排"));
            ClassTable::setCellRule(c.cells[ds->morningCount][pick(0, D - 1)], G("体育"), G("不排"));
            ClassTable::setCellRule(c.cells[0][pick(0, D - 1)], G("语文"), G("尽量排"));
        }
    }
    return ds;
}

} // namespace tabrel::test
