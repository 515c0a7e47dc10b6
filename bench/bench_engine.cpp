// The automatic scheduling: the whole example school, a school of 6 grades x 16 classes, and a
// tight grade whose search runs into the step cap (steps per second). The literal statement of the
// cost model used by the tests runs the tight grade too, for the ratio.
#include <benchmark/benchmark.h>

#include <chrono>
#include <fstream>
#include <memory>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/AutoRun.h"
#include "scheduling/PlacementEngine.h"
#include "scheduling/TeacherAssignment.h"

// The literal statement of the evaluation and the search, as the tests keep it.
#include "../tests/scheduling/LiteralEvaluation.cpp"

using namespace tabrel;

namespace {

std::string g(const std::string& utf8) { return gbk::literal(utf8); }

void prepare(DataSet& ds)
{
    ds.relinkTeacherCells();
    ComputeAssignedPeriods(ds);
    ds.syncTeacherAssignments();
}

// ---- the example school, read from its JSON form

std::string exampleJson()
{
    static std::string text;
    if (text.empty()) {
        std::ifstream in(std::string(TABREL_SOURCE_DIR) + "/examples/middle-school.json");
        std::ostringstream os;
        os << in.rdbuf();
        text = os.str();
    }
    return text;
}

std::unique_ptr<DataSet> exampleSchool()
{
    const auto j = nlohmann::json::parse(exampleJson());
    auto ds = std::make_unique<DataSet>();
    ds->earlyReadingCount = j.value("earlyReadingCount", 0);
    ds->morningCount = j.value("morningCount", 0);
    ds->afternoonCount = j.value("afternoonCount", 0);
    ds->eveningCount = j.value("eveningCount", 0);
    for (const auto& d : j["dayNames"])
        ds->dayNames.push_back(g(d.get<std::string>()));
    const auto& grades = j["grades"];
    ds->setGradeCount(static_cast<int>(grades.size()));
    for (std::size_t gi = 0; gi < grades.size(); ++gi) {
        ds->gradeNames[gi] = g(grades[gi]["name"].get<std::string>());
        const auto& classes = grades[gi]["classes"];
        ds->setClassCount(static_cast<int>(gi), static_cast<int>(classes.size()));
        for (std::size_t ci = 0; ci < classes.size(); ++ci) {
            ClassTable& c = *ds->classAt(static_cast<int>(gi), static_cast<int>(ci));
            const auto& jc = classes[ci];
            c.name = g(jc["name"].get<std::string>());
            for (const auto& ja : jc["assignments"]) {
                TeachingAssignment* a = c.appendAssignment();
                a->subject = g(ja["subject"].get<std::string>());
                a->teacher = g(ja["teacher"].get<std::string>());
                a->weeklyLessons = ja["weeklyLessons"].get<int>();
                a->doubleCount = ja["doubleCount"].get<int>();
            }
            const auto& rows = jc["cells"];
            for (std::size_t p = 0; p < rows.size() && p < MaxPeriodRows; ++p)
                for (std::size_t d = 0; d < rows[p].size() && d < DayColumns; ++d) {
                    const auto& jcell = rows[p][d];
                    LessonCell& cell = c.cells[p][d];
                    c.commonPeriods[p][d] = g(jcell.value("commonPeriod", ""));
                    cell.subject = g(jcell.value("subject", ""));
                    cell.teacher = g(jcell.value("teacher", ""));
                    cell.markFlag = jcell.value("markFlag", 0);
                    for (const auto& r : jcell.value("subjectRules", nlohmann::json::array()))
                        cell.subjectRules.push_back(g(r.get<std::string>()));
                }
        }
    }
    for (const auto& jt : j["teachers"]) {
        ds->appendTeacher();
        TeacherInfoRecord& t = *ds->teachers.back();
        t.name = g(jt["name"].get<std::string>());
        t.workload = jt.value("workload", 0);
    }
    const auto& slots = j["teacherSlotSettings"];
    for (std::size_t p = 0; p < slots.size() && p < MaxPeriodRows; ++p)
        for (std::size_t d = 0; d < slots[p].size() && d < DayColumns; ++d)
            for (const auto& e : slots[p][d])
                ds->teacherSlotSettings[p][d].push_back(g(e.get<std::string>()));
    prepare(*ds);
    return ds;
}

// ---- schools built in code

struct Rng {
    uint64_t s;
    uint32_t next()
    {
        s ^= s << 13;
        s ^= s >> 7;
        s ^= s << 17;
        return static_cast<uint32_t>(s >> 11);
    }
    int below(int n) { return static_cast<int>(next() % static_cast<uint32_t>(n)); }
};

// `grades` grades of `classes` classes, 8 periods on 5 days; twelve subjects whose teachers each
// take one subject in four classes of a grade; a few slot rules. `extraLessons` are added to every
// class's plan beyond its cells; `blockLast` forbids every subject in the last cell of the week of
// the grade's last class, so that its search must step back there.
std::unique_ptr<DataSet> builtSchool(int grades, int classes, int extraLessons, bool blockLast)
{
    auto ds = std::make_unique<DataSet>();
    ds->morningCount = 4;
    ds->afternoonCount = 4;
    for (const char* d : {"星期一", "星期二", "星期三", "星期四", "星期五"})
        ds->dayNames.push_back(g(d));
    const char* subjects[] = {"语文", "数学", "英语", "物理", "化学", "生物", "历史", "地理", "政治", "体育", "音乐", "美术"};
    const int weekly[] = {6, 6, 5, 4, 3, 3, 2, 2, 2, 3, 2, 2}; // 40 = 8 x 5
    Rng rng{0x2545F4914F6CDD1DULL};
    ds->setGradeCount(grades);
    int teacherNo = 0;
    for (int gi = 0; gi < grades; ++gi) {
        ds->gradeNames[gi] = g("年级") + gbk::formatInt(gi + 1);
        ds->setClassCount(gi, classes);
        for (int s = 0; s < 12; ++s) {
            std::string teacher;
            for (int ci = 0; ci < classes; ++ci) {
                if (ci % 4 == 0) {
                    teacher = g("教师") + gbk::formatInt(++teacherNo);
                    ds->appendTeacher();
                    ds->teachers.back()->name = teacher;
                }
                ClassTable& c = *ds->classAt(gi, ci);
                TeachingAssignment* a = c.appendAssignment();
                a->subject = g(subjects[s]);
                a->teacher = teacher;
                a->weeklyLessons = weekly[s] + (s < extraLessons ? 1 : 0);
            }
        }
    }
    ds->renameClasses("(", ")");
    for (auto& t : ds->teachers)
        for (int k = 0; k < 2; ++k)
            ds->setTeacherSlotValue(rng.below(8), rng.below(5), t->name, rng.below(2) ? g("不排") : g("尽量排"));
    for (int gi = 0; gi < grades; ++gi) {
        ClassTable& last = *ds->classAt(gi, classes - 1);
        if (blockLast)
            for (const char* s : subjects)
                ClassTable::setCellRule(last.cells[7][4], g(s), g("不排"));
    }
    prepare(*ds);
    return ds;
}

std::vector<ClassTable*> gradeClasses(DataSet& ds, int gi)
{
    std::vector<ClassTable*> list;
    for (const auto& c : ds.grades[gi]->classes)
        list.push_back(c.get());
    return list;
}

int placedLessons(const DataSet& ds)
{
    int n = 0;
    for (const auto& gr : ds.grades)
        for (const auto& c : gr->classes)
            for (int p = 0; p < ds.periodsPerDay(); ++p)
                for (int d = 0; d < ds.dayCount(); ++d)
                    n += !c->cells[p][d].subject.empty() && c->cells[p][d].subject != "empty";
    return n;
}

template <class MakeSchool>
void wholeSchoolRun(benchmark::State& state, MakeSchool make)
{
    long long steps = 0, placed = 0;
    double seconds = 0;
    for (auto _ : state) {
        auto ds = make();
        SchedulingState sched;
        AutoRun run(*ds, sched);
        run.SelectSchool();
        const auto t0 = std::chrono::steady_clock::now();
        const auto results = run.Start();
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(s);
        seconds += s;
        for (const auto& r : results)
            steps += r.steps;
        placed += placedLessons(*ds);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["steps"] = static_cast<double>(steps) / n;
    state.counters["placed"] = static_cast<double>(placed) / n;
    state.counters["ms_per_run"] = seconds * 1000.0 / n;
    state.counters["steps_per_s"] = seconds > 0 ? static_cast<double>(steps) / seconds : 0;
}

void BM_ExampleSchoolWholeRun(benchmark::State& state)
{
    wholeSchoolRun(state, exampleSchool);
}
BENCHMARK(BM_ExampleSchoolWholeRun)->UseManualTime()->Unit(benchmark::kMillisecond);

void BM_SixGradesOfSixteenClasses(benchmark::State& state)
{
    wholeSchoolRun(state, [] { return builtSchool(6, 16, 0, false); });
}
BENCHMARK(BM_SixGradesOfSixteenClasses)->UseManualTime()->Unit(benchmark::kMillisecond);

// One grade of 16 classes with more lessons than cells and a last cell nothing may take: the
// search runs into its cap of 97,999 steps.
void BM_TightGradeToTheStepCap(benchmark::State& state)
{
    long long steps = 0;
    double seconds = 0;
    bool capped = true;
    for (auto _ : state) {
        auto ds = builtSchool(1, 16, 4, true);
        SchedulingState sched;
        PlacementEngine engine(*ds, sched);
        const auto slots = BuildSlotList(*ds, gradeClasses(*ds, 0));
        const auto t0 = std::chrono::steady_clock::now();
        const SearchResult r = engine.RunSearch(slots);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(s);
        seconds += s;
        steps += r.steps;
        capped = capped && r.stepCapHit;
    }
    if (!capped)
        state.SkipWithError("the tight grade did not reach the step cap");
    state.counters["steps"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
    state.counters["ms_per_run"] = seconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["steps_per_s"] = static_cast<double>(steps) / seconds;
}
BENCHMARK(BM_TightGradeToTheStepCap)->UseManualTime()->Unit(benchmark::kMillisecond);

// The literal statement on the same tight grade (slow: one iteration).
void BM_TightGradeLiteral(benchmark::State& state)
{
    long long steps = 0;
    double seconds = 0;
    for (auto _ : state) {
        auto ds = builtSchool(1, 16, 4, true);
        const auto slots = literal::BuildSlotList(*ds, gradeClasses(*ds, 0));
        const auto t0 = std::chrono::steady_clock::now();
        const auto out = literal::RunSearch(*ds, slots);
        const double s = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        state.SetIterationTime(s);
        seconds += s;
        steps += out.steps;
    }
    state.counters["steps"] = static_cast<double>(steps) / static_cast<double>(state.iterations());
    state.counters["ms_per_run"] = seconds * 1000.0 / static_cast<double>(state.iterations());
    state.counters["steps_per_s"] = static_cast<double>(steps) / seconds;
}
BENCHMARK(BM_TightGradeLiteral)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
