// The undo stack on full schools of 120, 500 and 2,400 classes (12 periods on 7 days, teachers,
// subjects and assignments everywhere): one push of a small edit, and one undo followed by its
// redo. The counters give the bytes one step keeps and how many such steps the memory cap holds.
#include <benchmark/benchmark.h>

#include <map>
#include <memory>

#include "app/UndoStack.h"
#include "data/DataSet.h"
#include "support/RandomSchool.h"

using namespace tabrel;

namespace {

DataSet& fullSchool(int classes)
{
    static std::map<int, std::unique_ptr<DataSet>> cached;
    auto& slot = cached[classes];
    if (!slot) {
        test::RandomSchoolOptions o;
        o.grades = 12;
        o.classesPerGrade = classes / 12;
        o.periodsPerDay = 12;
        o.days = 7;
        o.subjects = 30;
        o.teachers = classes >= 2000 ? 2000 : classes * 5 / 3;
        o.assignmentsPerClass = 8;
        o.tableRows = 40;
        o.tableColumns = 12;
        slot = test::randomSchool(2024, o);
        slot->relinkTeacherCells();
    }
    return *slot;
}

bool renameFirstClass(DataSet& ds)
{
    std::string& name = ds.grades[0]->classes[0]->name;
    name = name.size() > 40 ? name.substr(0, 2) : name + "x";
    return true;
}

void stepCounters(benchmark::State& state, const UndoStack& stack)
{
    if (stack.count() == 0)
        return;
    const double step = static_cast<double>(stack.memoryUsed()) / static_cast<double>(stack.count());
    state.counters["step_KiB"] = step / 1024;
    state.counters["steps_in_cap"] = static_cast<double>(UndoStack::DefaultMemoryLimit) / step;
}

void BM_UndoPush(benchmark::State& state)
{
    DataSet& ds = fullSchool(static_cast<int>(state.range(0)));
    UndoStack stack(ds);
    stack.setStepLimit(8); // the pushes are timed, not the memory they would pile up
    for (auto _ : state)
        stack.push("rename", renameFirstClass);
    stepCounters(state, stack);
}

void BM_UndoThenRedo(benchmark::State& state)
{
    DataSet& ds = fullSchool(static_cast<int>(state.range(0)));
    UndoStack stack(ds);
    stack.push("rename", renameFirstClass);
    for (auto _ : state) {
        stack.undo();
        stack.redo();
    }
    stepCounters(state, stack);
}

} // namespace

BENCHMARK(BM_UndoPush)->Arg(120)->Arg(504)->Arg(2400)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_UndoThenRedo)->Arg(120)->Arg(504)->Arg(2400)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
