// Manual scheduling on the largest school the panels allow (12 periods x 7 days, 12 grades x 50
// classes, 600 teachers): a hover over a new free cell (the slot evaluation and the report box's
// lines), a swap source pick (the swap hints over the class), and the teacher view's candidate lists.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "manual/ClassTableTiaoKe.h"
#include "manual/TeacherPaike.h"
#include "scheduling/TeacherAssignment.h"

using namespace tabrel;

namespace {

constexpr int Grades = 12, ClassesPerGrade = 50, Subjects = 10, TeachersPerSubject = 60;

// Every class has ten subjects of 8 lessons; each teacher gives one subject in ten classes. The
// grid is filled but for the last two periods of each day, which stay free for the hover.
std::unique_ptr<DataSet> largestSchool()
{
    auto ds = std::make_unique<DataSet>();
    ds->applyNewDocumentDefaults();
    ds->earlyReadingCount = 1;
    ds->morningCount = 5;
    ds->afternoonCount = 4;
    ds->eveningCount = 2;
    ds->dayNames.resize(7, gbk::literal("星期日"));
    for (int s = 0; s < Subjects; ++s) {
        ds->appendSubject();
        ds->subjects.back()->name = gbk::literal("科目") + gbk::formatInt(s);
    }
    for (int t = 0; t < Subjects * TeachersPerSubject; ++t) {
        ds->appendTeacher();
        ds->teachers.back()->name = gbk::literal("教师") + gbk::formatInt(t);
    }
    ds->setGradeCount(Grades);
    for (int g = 0; g < Grades; ++g) {
        ds->gradeNames[g] = gbk::literal("年级") + gbk::formatInt(g);
        ds->setClassCount(g, ClassesPerGrade);
        for (int j = 0; j < ClassesPerGrade; ++j) {
            ClassTable& c = *ds->classAt(g, j);
            c.name = ds->gradeNames[g] + "(" + gbk::formatInt(j + 1) + ")";
            const int block = (g * ClassesPerGrade + j) / 10;
            for (int s = 0; s < Subjects; ++s) {
                TeachingAssignment& a = *c.appendAssignment();
                a.subject = ds->subjects[s]->name;
                a.teacher = ds->teachers[s * TeachersPerSubject + block]->name;
                a.weeklyLessons = 8;
            }
            for (int p = 1; p < 10; ++p)
                for (int d = 0; d < 7; ++d)
                    c.setCellSubject(c.cells[p][d], ds->subjects[(p * 7 + d + j) % Subjects]->name);
        }
    }
    ds->relinkTeacherCells();
    ComputeAssignedPeriods(*ds);
    ds->syncTeacherAssignments();
    return ds;
}

DataSet& school()
{
    static std::unique_ptr<DataSet> ds = largestSchool();
    return *ds;
}

void BM_HoverNewFreeCell(benchmark::State& state)
{
    DataSet& ds = school();
    manual::ClassTableTiaoKe view;
    view.refresh(ds);
    view.chooseClass(ds, 300);
    int i = 0;
    for (auto _ : state) {
        // alternate between two free cells so that every hover is over a new cell
        view.hover(ds, {10 + (i & 1), 3});
        benchmark::DoNotOptimize(view.reportLines().size());
        ++i;
    }
}
BENCHMARK(BM_HoverNewFreeCell)->Unit(benchmark::kMicrosecond);

void BM_PickSwapSource(benchmark::State& state)
{
    DataSet& ds = school();
    manual::ClassTableTiaoKe view;
    view.refresh(ds);
    view.chooseClass(ds, 300);
    view.setMode(manual::ClassTableTiaoKe::Swap);
    int i = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(view.pickSwapSource(ds, {3 + (i & 1), 2}));
        ++i;
    }
    view.cancelSwap(ds);
}
BENCHMARK(BM_PickSwapSource)->Unit(benchmark::kMicrosecond);

void BM_TeacherCandidateLists(benchmark::State& state)
{
    DataSet& ds = school();
    manual::TeacherPaike view;
    view.refresh(ds);
    int i = 0;
    for (auto _ : state) {
        view.chooseTeacher(ds, 100 + (i & 1));
        benchmark::DoNotOptimize(view.candidates({10, 3}).size());
        ++i;
    }
}
BENCHMARK(BM_TeacherCandidateLists)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
