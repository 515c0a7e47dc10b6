// The master timetable's style-1 picture of the largest school the panels allow (12 grades of 50
// classes, 12 periods on 7 days): the window's view drawn at a scroll position (goal: under 100 ms;
// scrolling draws only the columns in view), the geometry alone, and the PDF of every class of the
// example school (goal: under 2 s).
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <filesystem>
#include <fstream>
#include <memory>

#include "cli/JsonSchedule.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "output/PrintDocument.h"
#include "output/RecordingCanvas.h"
#include "output/TotalSchedulePanel.h"
#include "support/RandomSchool.h"
#include "render/PdfPrinting.h"
#include "render/QtCanvas.h"

using namespace tabrel;

namespace {

const DataSet& largestSchool()
{
    static std::unique_ptr<DataSet> cached = [] {
        test::RandomSchoolOptions o;
        o.grades = 12;
        o.classesPerGrade = 50;
        o.periodsPerDay = 12;
        o.days = 7;
        o.subjects = 20;
        o.teachers = 150;
        o.assignmentsPerClass = 8;
        o.maxTextChars = 4;
        o.tableRows = 0;
        o.tableColumns = 0;
        return test::randomSchool(15, o);
    }();
    return *cached;
}

std::vector<const ClassTable*> everyClass(const DataSet& ds)
{
    TotalSchedulePanel panel;
    panel.prepareForShow(ds);
    return panel.selectedConstClasses(ds);
}

// The window's view, 1600 x 900 pixels, at a scroll position in the middle of the grid.
void BM_Style1View(benchmark::State& state)
{
    const DataSet& ds = largestSchool();
    const auto classes = everyClass(ds);
    QImage picture(1600, 900, QImage::Format_RGB32);
    for (auto _ : state) {
        const TotalScheduleTable table(ds, static_cast<int>(classes.size()), picture.height());
        const int x = table.contentWidth() / 2;
        QPainter p(&picture);
        p.fillRect(picture.rect(), Qt::white);
        p.translate(-x, 0);
        QtCanvas canvas(p);
        table.draw(canvas, ds, classes, {}, 0, -1, x, x + picture.width());
    }
    state.counters["classes"] = static_cast<double>(classes.size());
}
BENCHMARK(BM_Style1View)->Unit(benchmark::kMillisecond);

// Every call of the whole grid (4,200 columns) recorded, without painting.
void BM_Style1WholeGridRecorded(benchmark::State& state)
{
    const DataSet& ds = largestSchool();
    const auto classes = everyClass(ds);
    for (auto _ : state) {
        RecordingCanvas canvas;
        const TotalScheduleTable table(ds, static_cast<int>(classes.size()), 900);
        table.draw(canvas, ds, classes, {});
        benchmark::DoNotOptimize(canvas.calls().size());
    }
}
BENCHMARK(BM_Style1WholeGridRecorded)->Unit(benchmark::kMillisecond);

void BM_ClassPdfOfTheExampleSchool(benchmark::State& state)
{
    DataSet ds;
    std::ifstream in(std::filesystem::path(TABREL_SOURCE_DIR) / "examples" / "middle-school.json");
    cli::JsonError jsonError;
    if (!in || !cli::fromJson(cli::Json::parse(in, nullptr, false), ds, jsonError)) {
        state.SkipWithError("examples/middle-school.json could not be read");
        return;
    }
    ds.relinkTeacherCells();
    const auto classes = everyClass(ds);
    const auto file = std::filesystem::temp_directory_path() / "tabrel-bench-classes.pdf";
    for (auto _ : state) {
        auto doc = classSheetsDocument(ds, classes, {});
        std::string error;
        if (!writePdf(*doc, file, error))
            state.SkipWithError(error.c_str());
    }
    std::filesystem::remove(file);
    state.counters["pages"] = static_cast<double>(classes.size());
}
BENCHMARK(BM_ClassPdfOfTheExampleSchool)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
