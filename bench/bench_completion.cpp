// The completion phase on generated tight schools (every week full to the last cell, teachers of 2-4
// classes, part-time teachers, 体育 and 信息技术 rules, a room limit, early reading and evening
// periods in some, a few hand-placed lessons; each school has a timetable without problems). Per
// school: lessons unplaced and problems after the described run, the same after the phase, and the
// times of the run and of the phase.
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>

#include "data/DataSet.h"
#include "scheduling/AutoRun.h"
#include "scheduling/CompletionPhase.h"
#include "scheduling/TeacherAssignment.h"
#include "scheduling/TimetableCheck.h"

#include "../tests/support/TightSchool.cpp"

using namespace tabrel;

namespace {

struct Figures {
    int problems = 0;
    long long unplaced = 0;
};

Figures figures(const DataSet& ds)
{
    Figures f;
    for (const auto& p : CheckTimetable(ds)) {
        ++f.problems;
        if (p.kind == ProblemKind::Unplaced)
            f.unplaced += p.count;
    }
    return f;
}

void schoolRun(benchmark::State& state, uint32_t seed, test::TightSchoolOptions options)
{
    Figures run, phase;
    double runSeconds = 0, phaseSeconds = 0;
    long long moves = 0;
    for (auto _ : state) {
        auto ds = test::tightSchool(seed, options);
        ds->relinkTeacherCells();
        const auto t0 = std::chrono::steady_clock::now();
        ComputeAssignedPeriods(*ds);
        ds->syncTeacherAssignments();
        SchedulingState sched;
        AutoRun autoRun(*ds, sched);
        autoRun.SelectSchool();
        std::vector<ClassTable*> scope = autoRun.classList();
        auto pinned = LessonCells(*ds, scope);
        autoRun.Start();
        const auto t1 = std::chrono::steady_clock::now();
        run = figures(*ds);
        const auto t2 = std::chrono::steady_clock::now();
        CompletionPhase completion(*ds, scope, pinned);
        const CompletionResult r = completion.Run();
        const auto t3 = std::chrono::steady_clock::now();
        phase = figures(*ds);
        moves = r.iterations;
        runSeconds += std::chrono::duration<double>(t1 - t0).count();
        phaseSeconds += std::chrono::duration<double>(t3 - t2).count();
        state.SetIterationTime(std::chrono::duration<double>((t1 - t0) + (t3 - t2)).count());
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["run_unplaced"] = static_cast<double>(run.unplaced);
    state.counters["run_problems"] = run.problems;
    state.counters["phase_unplaced"] = static_cast<double>(phase.unplaced);
    state.counters["phase_problems"] = phase.problems;
    state.counters["phase_moves"] = static_cast<double>(moves);
    state.counters["run_ms"] = runSeconds * 1000.0 / n;
    state.counters["phase_ms"] = phaseSeconds * 1000.0 / n;
}

struct SchoolShape {
    int grades, classes;
    bool early, evening;
};

// Grades of 10-16 classes, early reading and evening periods in some; then the largest school.
const SchoolShape Shapes[] = {
    {1, 10, false, false}, {2, 10, true, false}, {2, 12, false, true}, {3, 12, true, true},
    {3, 14, false, false}, {4, 14, true, false}, {4, 16, false, true}, {6, 16, false, false},
    {6, 16, true, true},   {2, 16, false, false}, {5, 15, true, false}, {6, 13, false, true},
    {10, 50, true, true}, // the largest school the grade panel lays out
};

int registerSchools()
{
    uint32_t seed = 1;
    for (const SchoolShape& s : Shapes) {
        test::TightSchoolOptions o;
        o.grades = s.grades;
        o.classesPerGrade = s.classes;
        o.earlyReading = s.early;
        o.evening = s.evening;
        o.fewestClassesPerTeacher = s.classes > 30 ? 3 : 2; // a file holds at most 2000 teachers
        const std::string name = "BM_Completion/" + std::to_string(s.grades) + "x" + std::to_string(s.classes) +
                                 (s.early ? "+early" : "") + (s.evening ? "+evening" : "") + "/seed" +
                                 std::to_string(seed);
        benchmark::RegisterBenchmark(name.c_str(), [seed, o](benchmark::State& st) { schoolRun(st, seed, o); })
            ->UseManualTime()
            ->Unit(benchmark::kMillisecond)
            ->Iterations(1);
        ++seed;
    }
    return 0;
}

const int registered = registerSchools();

} // namespace

BENCHMARK_MAIN();
