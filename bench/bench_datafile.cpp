// Saving and loading the data file of a large school: 12 grades of 30 classes, 12 periods on 7 days,
// 200 teachers, 30 subjects, 8 assignments a class, texts everywhere.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "support/RandomSchool.h"

using namespace tabrel;

namespace {

// Argument: Chinese characters in the longest free text (remarks, time texts, table cells, ...).
const DataSet& largeSchool(int maxTextChars)
{
    static std::unique_ptr<DataSet> cached;
    static int cachedChars = -1;
    if (cachedChars != maxTextChars) {
        test::RandomSchoolOptions o;
        o.grades = 12;
        o.classesPerGrade = 30;
        o.periodsPerDay = 12;
        o.days = 7;
        o.subjects = 30;
        o.teachers = 200;
        o.assignmentsPerClass = 8;
        o.maxTextChars = maxTextChars;
        o.tableRows = 40;
        o.tableColumns = 12;
        cached = test::randomSchool(2024, o);
        cachedChars = maxTextChars;
    }
    return *cached;
}

std::string benchPath()
{
    return (std::filesystem::temp_directory_path() / "tabrel-bench-datafile.qtf").string();
}

void BM_SaveLargeSchool(benchmark::State& state)
{
    const DataSet& ds = largeSchool(static_cast<int>(state.range(0)));
    const std::string path = benchPath();
    for (auto _ : state) {
        FileResult r = saveDataFile(ds, path);
        if (!r.ok())
            state.SkipWithError(r.message.c_str());
    }
    state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    std::filesystem::remove(path);
}

void BM_LoadLargeSchool(benchmark::State& state)
{
    const std::string path = benchPath();
    if (!saveDataFile(largeSchool(static_cast<int>(state.range(0))), path).ok()) {
        state.SkipWithError("cannot save");
        return;
    }
    for (auto _ : state) {
        DataSet ds;
        FileResult r = loadDataFile(ds, path);
        if (!r.ok())
            state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(ds.teachers.data());
    }
    state.counters["file_MiB"] = static_cast<double>(std::filesystem::file_size(path)) / (1 << 20);
    std::filesystem::remove(path);
}

// The same without the disk: the encoding and the parse alone.
void BM_EncodeLargeSchool(benchmark::State& state)
{
    const DataSet& ds = largeSchool(static_cast<int>(state.range(0)));
    std::string bytes;
    for (auto _ : state) {
        encodeDataFile(ds, bytes);
        benchmark::DoNotOptimize(bytes.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

void BM_DecodeLargeSchool(benchmark::State& state)
{
    std::string bytes;
    encodeDataFile(largeSchool(static_cast<int>(state.range(0))), bytes);
    for (auto _ : state) {
        DataSet ds;
        FileResult r = decodeDataSections(ds, bytes);
        if (!r.ok())
            state.SkipWithError(r.message.c_str());
        benchmark::DoNotOptimize(ds.grades.data());
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
}

// The heaviest load the reader lets through: every grade and teacher limit reached, every cell
// naming a teacher that does not exist (so the post-load rebuild searches the whole list each time).
void BM_LoadAtTheLimits(benchmark::State& state)
{
    DataSet ds;
    ds.morningCount = 6;
    ds.afternoonCount = 6;
    for (int d = 0; d < DayColumns; ++d)
        ds.dayNames.push_back("d");
    for (int i = 0; i < MaxTeacherCount; ++i) {
        ds.appendTeacher();
        char name[16];
        std::snprintf(name, sizeof name, "t%05d", i); // all of one length: every comparison reads the bytes
        ds.teachers.back()->name = name;
    }
    ds.setGradeCount(MaxGradeColumns);
    for (int g = 0; g < MaxGradeColumns; ++g) {
        ds.setClassCount(g, MaxClassesPerGrade);
        for (auto& c : ds.grades[g]->classes)
            for (auto& row : c->cells)
                for (auto& cell : row)
                    cell.teacher = "t99999"; // same length, no such teacher
    }
    std::string bytes;
    if (!encodeDataFile(ds, bytes).ok()) {
        state.SkipWithError("cannot encode");
        return;
    }
    for (auto _ : state) {
        DataSet back;
        FileResult r = decodeDataSections(back, bytes);
        if (!r.ok())
            state.SkipWithError(r.message.c_str());
        back.relinkTeacherCells();
    }
    state.counters["file_MiB"] = static_cast<double>(bytes.size()) / (1 << 20);
}

} // namespace

BENCHMARK(BM_LoadAtTheLimits)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_SaveLargeSchool)->Arg(6)->Arg(400)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadLargeSchool)->Arg(6)->Arg(400)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_EncodeLargeSchool)->Arg(6)->Arg(400)->Arg(4000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DecodeLargeSchool)->Arg(6)->Arg(400)->Arg(4000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
