// Running the term on a large school: 8 grades of 12 classes (96), 300 teachers, 8 periods on 5
// days, a 20-week term with 600 changes recorded.
//   candidates for one lesson (goal < 20 ms), the one-click cover of three teachers absent a whole
//   day (goal < 200 ms), the statistics of the whole term (goal < 1 s).
#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "term/CoverStatistics.h"
#include "term/TermCover.h"

using namespace tabrel;

namespace {

constexpr int Classes = 96, Teachers = 300, Periods = 8, Days = 5;

std::unique_ptr<DataSet> largeTermSchool()
{
    auto ds = std::make_unique<DataSet>();
    ds->applyNewDocumentDefaults();
    ds->morningCount = 4;
    ds->afternoonCount = 4;
    ds->setGradeCount(8);
    for (int g = 0; g < 8; ++g) {
        ds->gradeNames[g] = "G" + std::to_string(g);
        ds->setClassCount(g, Classes / 8);
    }
    for (int t = 0; t < Teachers; ++t) {
        ds->appendTeacher();
        ds->teachers.back()->name = "T" + std::to_string(t);
        ds->teachers.back()->taughtSubjects = "S" + std::to_string(t % 10);
    }
    const auto classes = ds->classesInGradeOrder();
    for (int k = 0; k < Classes; ++k) {
        ClassTable& c = *classes[k];
        c.name = "C" + std::to_string(k);
        for (int p = 0; p < Periods; ++p)
            for (int d = 0; d < Days; ++d) {
                const int slot = p * Days + d;
                const int t = (k + 96 * slot) % Teachers; // no teacher twice in a slot
                c.cells[p][d].subject = "S" + std::to_string(t % 10);
                c.cells[p][d].teacher = "T" + std::to_string(t);
                if (!c.FindAssignment(c.cells[p][d].subject)) {
                    TeachingAssignment& a = *c.appendAssignment();
                    a.subject = c.cells[p][d].subject;
                    a.teacher = c.cells[p][d].teacher;
                    a.weeklyLessons = 4;
                }
            }
    }
    for (int t = 0; t < Teachers; t += 7)
        ds->setTeacherSlotValue(t % Periods, t % Days, "T" + std::to_string(t), GBK("不排"));
    TermRecord& term = ds->extension.term;
    term.start = *parseIsoDate("2027-03-01");
    term.weeks = 20;
    term.daysOff.push_back({*parseIsoDate("2027-05-01"), *parseIsoDate("2027-05-05")});
    // 600 substitutions spread over the term.
    for (int i = 0; i < 600; ++i) {
        ChangeRecord c;
        const int week = i % 20, d = (i / 20) % Days, p = (i / 3) % Periods, k = (i * 37) % Classes;
        c.date = term.start + week * 7 + d;
        c.period = p;
        c.className = classes[k]->name;
        c.subject = classes[k]->cells[p][d].subject;
        c.teacher = classes[k]->cells[p][d].teacher;
        c.newTeacher = "T" + std::to_string((i * 13 + 5) % Teachers);
        if (c.newTeacher != c.teacher)
            ds->extension.changes.push_back(c);
    }
    return ds;
}

const DataSet& school()
{
    static std::unique_ptr<DataSet> cached = largeTermSchool();
    return *cached;
}

void BM_SubstituteCandidates(benchmark::State& state)
{
    const DataSet& ds = school();
    const DayNumber date = *parseIsoDate("2027-04-14");
    std::size_t n = 0;
    for (auto _ : state) {
        auto list = substituteCandidates(ds, date, 2, 41);
        n = list.size();
        benchmark::DoNotOptimize(list);
    }
    state.counters["candidates"] = static_cast<double>(n);
}
BENCHMARK(BM_SubstituteCandidates)->Unit(benchmark::kMillisecond);

void BM_SwapCandidates(benchmark::State& state)
{
    const DataSet& ds = school();
    const DayNumber date = *parseIsoDate("2027-04-14");
    for (auto _ : state)
        benchmark::DoNotOptimize(swapCandidates(ds, date, 2, 41, date - 2, date + 4));
}
BENCHMARK(BM_SwapCandidates)->Unit(benchmark::kMillisecond);

void BM_OneClickCoverThreeTeachersAWholeDay(benchmark::State& state)
{
    auto ds = largeTermSchool();
    std::vector<int> ids;
    for (int t : {3, 150, 299}) {
        AbsenceRecord a;
        a.teacher = "T" + std::to_string(t);
        a.kind = GBK("病假");
        a.from = a.to = *parseIsoDate("2027-04-14");
        a.toPeriod = Periods - 1;
        ids.push_back(addAbsence(*ds, a));
    }
    std::size_t n = 0;
    for (auto _ : state) {
        auto proposal = proposeCover(*ds, ids);
        n = proposal.size();
        benchmark::DoNotOptimize(proposal);
    }
    state.counters["lessons"] = static_cast<double>(n);
}
BENCHMARK(BM_OneClickCoverThreeTeachersAWholeDay)->Unit(benchmark::kMillisecond);

void BM_StatisticsOfTheTerm(benchmark::State& state)
{
    const DataSet& ds = school();
    const DayNumber from = ds.extension.term.start, to = from + 20 * 7 - 1;
    for (auto _ : state)
        benchmark::DoNotOptimize(coverStatistics(ds, from, to));
}
BENCHMARK(BM_StatisticsOfTheTerm)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
