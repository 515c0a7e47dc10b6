// The recommended run (`schedule --optimize`: the searches, the completion phase, the quality
// phase) on generated schools: partly full weeks (70-95 % of the ordinary slots) and tight ones
// (every cell). Per school: the times of the run and of each phase, the problems left, and the
// quality before and after the quality phase (holes, same-day repeats, short days, score).
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

#include "data/DataSet.h"
#include "scheduling/AutoRun.h"
#include "scheduling/CompletionPhase.h"
#include "scheduling/QualityPhase.h"
#include "scheduling/TeacherAssignment.h"
#include "scheduling/TimetableCheck.h"

#include "../tests/support/FilledSchool.cpp"
#include "../tests/support/TightSchool.cpp"

using namespace tabrel;

namespace {

void optimizedRun(benchmark::State& state, const std::function<std::unique_ptr<DataSet>()>& make)
{
    double runMs = 0, completionMs = 0, qualityMs = 0;
    QualityReport before, after;
    int problems = 0;
    long long moves = 0;
    for (auto _ : state) {
        auto ds = make();
        const auto t0 = std::chrono::steady_clock::now();
        SchedulingState sched;
        AutoRun run(*ds, sched);
        run.SelectSchool();
        std::vector<ClassTable*> scope = run.classList();
        auto pinned = LessonCells(*ds, scope);
        run.Start();
        const auto t1 = std::chrono::steady_clock::now();
        CompletionPhase completion(*ds, scope, pinned);
        completion.Run();
        const auto t2 = std::chrono::steady_clock::now();
        before = MeasureQuality(*ds);
        const auto t3 = std::chrono::steady_clock::now();
        QualityPhase quality(*ds, scope, pinned);
        moves = quality.Run().moves;
        const auto t4 = std::chrono::steady_clock::now();
        after = MeasureQuality(*ds);
        problems = static_cast<int>(CheckTimetable(*ds).size());
        auto ms = [](auto a, auto b) { return std::chrono::duration<double, std::milli>(b - a).count(); };
        runMs += ms(t0, t1);
        completionMs += ms(t1, t2);
        qualityMs += ms(t3, t4);
        state.SetIterationTime(std::chrono::duration<double>((t2 - t0) + (t4 - t3)).count());
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["run_ms"] = runMs / n;
    state.counters["completion_ms"] = completionMs / n;
    state.counters["quality_ms"] = qualityMs / n;
    state.counters["problems"] = problems;
    state.counters["moves"] = static_cast<double>(moves);
    state.counters["holes_before"] = before.holes;
    state.counters["holes"] = after.holes;
    state.counters["repeats_before"] = before.repeats;
    state.counters["repeats"] = after.repeats;
    state.counters["short_before"] = before.shortDays;
    state.counters["short"] = after.shortDays;
    state.counters["score_before"] = static_cast<double>(before.score);
    state.counters["score"] = static_cast<double>(after.score);
}

int registerSchools()
{
    struct Filled {
        int grades, classes, fill;
    };
    const Filled filled[] = {{6, 16, 85}, {6, 16, 95}, {6, 16, 70}, {3, 12, 80}, {2, 3, 75}};
    uint32_t seed = 1;
    for (const Filled& f : filled) {
        const std::string name = "BM_Optimize/filled/" + std::to_string(f.grades) + "x" + std::to_string(f.classes) +
                                 "/" + std::to_string(f.fill) + "pc/seed" + std::to_string(seed);
        const test::FilledSchoolOptions o{f.grades, f.classes, f.fill};
        benchmark::RegisterBenchmark(name.c_str(), [seed, o](benchmark::State& st) {
            optimizedRun(st, [&] {
                auto ds = test::filledSchool(seed, o);
                ds->relinkTeacherCells();
                ComputeAssignedPeriods(*ds);
                ds->syncTeacherAssignments();
                return ds;
            });
        })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
        ++seed;
    }
    for (bool evening : {false, true}) {
        test::TightSchoolOptions o;
        o.grades = 6;
        o.classesPerGrade = 16;
        o.evening = evening;
        const std::string name = std::string("BM_Optimize/tight/6x16") + (evening ? "+evening" : "") + "/seed" +
                                 std::to_string(seed);
        benchmark::RegisterBenchmark(name.c_str(), [seed, o](benchmark::State& st) {
            optimizedRun(st, [&] {
                auto ds = test::tightSchool(seed, o);
                ds->relinkTeacherCells();
                ComputeAssignedPeriods(*ds);
                ds->syncTeacherAssignments();
                return ds;
            });
        })->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);
        ++seed;
    }
    return 0;
}

const int registered = registerSchools();

} // namespace

BENCHMARK_MAIN();
