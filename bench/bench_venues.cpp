// Venues on generated tight schools (a ground for 3 classes of 体育, one computer room for
// 信息技术, one music room for 音乐): problems (and venue problems among them) after the described
// run and after the completion phase, and the phase's time. These venues are often tighter than any
// timetable allows (one computer room for 信息技术 that may only stand in the afternoons), so the
// same schools run again with "fitted" venues drawn around a complete timetable made first: the
// ground, the computer room and the music room each hold that timetable's busiest slot and are
// closed in three slots it leaves them unused; a complete timetable within them exists. Then the
// venue timetables' model and drawing for a 96-class school (goal: under 50 ms).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/DrawnTable.h"
#include "output/RecordingCanvas.h"
#include "output/VenueTimetable.h"
#include "scheduling/AutoRun.h"
#include "scheduling/CompletionPhase.h"
#include "scheduling/TeacherAssignment.h"
#include "scheduling/TimetableCheck.h"
#include "scheduling/VenueUse.h"

#include "../tests/support/TightSchool.cpp"

using namespace tabrel;

namespace {

std::vector<VenueRecord> threeVenues()
{
    std::vector<VenueRecord> v(3);
    v[0].name = gbk::literal("操场");
    v[0].capacity = 3;
    v[0].subjects = {gbk::literal("体育")};
    v[1].name = gbk::literal("机房");
    v[1].capacity = 1;
    v[1].subjects = {gbk::literal("信息技术")};
    v[2].name = gbk::literal("音乐室");
    v[2].capacity = 1;
    v[2].subjects = {gbk::literal("音乐")};
    return v;
}

struct Figures {
    int problems = 0, venue = 0;
};

Figures figures(const DataSet& ds)
{
    Figures f;
    for (const auto& p : CheckTimetable(ds)) {
        ++f.problems;
        f.venue += p.kind == ProblemKind::Venue;
    }
    return f;
}

void prepare(DataSet& ds)
{
    ds.relinkTeacherCells();
    ComputeAssignedPeriods(ds);
    ds.syncTeacherAssignments();
}

// The three venues fitted around a complete timetable of the school (empty when none was found).
std::vector<VenueRecord> fittedVenues(uint32_t seed, const test::TightSchoolOptions& options)
{
    auto ds = test::tightSchool(seed, options);
    prepare(*ds);
    SchedulingState sched;
    AutoRun autoRun(*ds, sched);
    autoRun.SelectSchool();
    autoRun.completeAfterSearch = true;
    autoRun.Start();
    if (!CheckTimetable(*ds).empty())
        return {};
    std::vector<VenueRecord> venues = threeVenues();
    for (VenueRecord& v : venues)
        v.capacity = MaxVenueCapacity;
    ds->extension.venues = venues;
    const VenueMap map(*ds);
    const auto loads = VenueLoads(*ds, map);
    for (int v = 0; v < 3; ++v) {
        int most = 0;
        for (const auto& use : loads[v])
            most = std::max(most, static_cast<int>(use.lessons.size()));
        venues[v].capacity = std::max(1, most);
        for (int p = 0; p < ds->gridPeriods() && venues[v].unavailable.size() < 3; ++p)
            for (int d = 0; d < ds->gridDays() && venues[v].unavailable.size() < 3; ++d)
                if (loads[v][p * DayColumns + d].lessons.empty())
                    venues[v].unavailable.push_back({p, d});
    }
    return venues;
}

void schoolRun(benchmark::State& state, uint32_t seed, test::TightSchoolOptions options, bool fitted)
{
    const std::vector<VenueRecord> venues = fitted ? fittedVenues(seed, options) : threeVenues();
    if (venues.empty()) {
        state.SkipWithError("no complete timetable to fit the venues around");
        return;
    }
    Figures run, phase;
    double phaseSeconds = 0;
    for (auto _ : state) {
        auto ds = test::tightSchool(seed, options);
        ds->extension.venues = venues;
        prepare(*ds);
        SchedulingState sched;
        AutoRun autoRun(*ds, sched);
        autoRun.SelectSchool();
        std::vector<ClassTable*> scope = autoRun.classList();
        auto pinned = LessonCells(*ds, scope);
        autoRun.Start();
        run = figures(*ds);
        const auto t0 = std::chrono::steady_clock::now();
        CompletionPhase completion(*ds, scope, pinned);
        completion.Run();
        const auto t1 = std::chrono::steady_clock::now();
        phase = figures(*ds);
        phaseSeconds += std::chrono::duration<double>(t1 - t0).count();
        state.SetIterationTime(std::chrono::duration<double>(t1 - t0).count());
    }
    state.counters["run_problems"] = run.problems;
    state.counters["run_venue"] = run.venue;
    state.counters["phase_problems"] = phase.problems;
    state.counters["phase_venue"] = phase.venue;
    state.counters["phase_ms"] = phaseSeconds * 1000.0 / static_cast<double>(state.iterations());
}

struct SchoolShape {
    int grades, classes;
};
const SchoolShape Shapes[] = {{1, 10}, {2, 10}, {2, 12}, {3, 12}, {3, 14}, {4, 14}, {6, 16}};

int registerSchools()
{
    uint32_t seed = 1;
    for (const SchoolShape& s : Shapes) {
        test::TightSchoolOptions o;
        o.grades = s.grades;
        o.classesPerGrade = s.classes;
        for (bool fitted : {false, true}) {
            const std::string name = std::string(fitted ? "BM_FittedVenueCompletion/" : "BM_VenueCompletion/") +
                                     std::to_string(s.grades) + "x" + std::to_string(s.classes) + "/seed" +
                                     std::to_string(seed);
            benchmark::RegisterBenchmark(name.c_str(),
                                         [seed, o, fitted](benchmark::State& st) { schoolRun(st, seed, o, fitted); })
                ->UseManualTime()
                ->Unit(benchmark::kMillisecond)
                ->Iterations(1);
        }
        ++seed;
    }
    return 0;
}
const int registered = registerSchools();

// The panel of a 96-class school: the model read from the grids and every venue's sheet drawn.
void BM_VenueTimetables96(benchmark::State& state)
{
    test::TightSchoolOptions o;
    o.grades = 6;
    o.classesPerGrade = 16;
    auto ds = test::tightSchool(7, o);
    ds->extension.venues = threeVenues();
    prepare(*ds);
    SchedulingState sched;
    AutoRun autoRun(*ds, sched);
    autoRun.SelectSchool();
    autoRun.Start();
    for (auto _ : state) {
        const auto tables = BuildVenueTimetables(*ds);
        RecordingCanvas canvas;
        int y = 0;
        for (const VenueTimetable& t : tables) {
            DrawnTable view;
            view.cellWidth = VenueCellWidth;
            view.cellHeight = VenueCellHeight;
            view.originY = y;
            DrawVenueTimetable(*ds, t, view, canvas);
            y += view.totalHeight + 24;
        }
        benchmark::DoNotOptimize(canvas.calls().size());
    }
}
BENCHMARK(BM_VenueTimetables96)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
