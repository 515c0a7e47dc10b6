// tabrel-cli export and merge: the workbook, picture and text exports of a data file, and the merge
// of a second data file into a first.
#include <QGuiApplication>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <system_error>

#include "app/DataMerge.h"
#include "app/TextExport.h"
#include "cli/Commands.h"
#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/PictureExport.h"
#include "output/PrintDocument.h"
#include "output/TotalSchedulePanel.h"
#include "output/VenueTimetable.h"
#include "output/WorkbookExports.h"
#include "render/PdfPrinting.h"
#include "render/QtCanvas.h"

namespace tabrel::cli {

namespace {

const std::vector<std::string> AllKinds = {
    "class-xlsx",   "all-classes-xlsx", "teacher-xlsx", "all-teachers-xlsx", "master1-xlsx",
    "master2-xlsx", "master3-xlsx",     "class-bmp",    "teacher-bmp",       "text",
};
// Printed timetables; "all" leaves them out.
const std::vector<std::string> PdfKinds = {"class-pdf", "teacher-pdf", "master-pdf"};
// The venue timetables, one file for all venues; "all" leaves them out too.
const std::vector<std::string> VenueKinds = {"venue-xlsx", "venue-pdf"};

// A whole number in [low, high] from an option value.
bool parseNumber(const std::string& text, int low, int high, int& out)
{
    if (text.empty() || text.size() > 6 || !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return false;
    out = std::stoi(text);
    return out >= low && out <= high;
}

// A QGuiApplication on the offscreen platform for the pictures, made once when first needed.
void ensureGuiApplication()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Without a session (CI, cron) there is no runtime folder; give Qt a private one so it does
    // not warn on every export.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const std::string dir = "/tmp/runtime-" + std::to_string(::getuid());
        ::mkdir(dir.c_str(), 0700);
        struct stat st {};
        if (::stat(dir.c_str(), &st) == 0 && st.st_uid == ::getuid() && (st.st_mode & 0777) == 0700)
            qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(dir));
    }
    static int argc = 1;
    static char name[] = "tabrel-cli";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace

int cmdExport(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"--out", "--tables-per-row", "--teacher-tables-per-row", "--name-style", "--title", "--bmp-depth", "--grade"},
              {"--no-subject", "--no-teacher", "--no-class"});
    if (args.helpAsked()) {
        printUsage(*findCommand("export"), io.out);
        io.out << "kinds: all";
        for (const auto& k : AllKinds)
            io.out << " " << k;
        for (const auto& k : PdfKinds)
            io.out << " " << k;
        for (const auto& k : VenueKinds)
            io.out << " " << k;
        io.out << "\n";
        io.out << "venue-xlsx writes DIR/venue-timetables.xlsx and venue-pdf DIR/venue-timetables.pdf: every venue's\n"
                  "week, the classes and teachers using it in each slot and the load against its capacity (status 4\n"
                  "when the school has no venues). \"all\" leaves out the pdf and venue kinds.\n";
        return ExitDone;
    }
    if (!args.ok())
        return usageError("export", args.error(), io);
    const auto& pos = args.positionals();
    if (pos.empty())
        return usageError("export", "missing data file", io);
    if (pos.size() < 2)
        return usageError("export", "missing export kind", io);
    auto outOption = args.value("--out");
    if (!outOption || outOption->empty())
        return usageError("export", "missing --out DIR", io);

    // Kinds in the order of the table, each once.
    std::vector<std::string> kinds;
    for (std::size_t i = 1; i < pos.size(); ++i) {
        const std::string& k = pos[i];
        if (k != "all" && std::find(AllKinds.begin(), AllKinds.end(), k) == AllKinds.end() &&
            std::find(PdfKinds.begin(), PdfKinds.end(), k) == PdfKinds.end() &&
            std::find(VenueKinds.begin(), VenueKinds.end(), k) == VenueKinds.end())
            return usageError("export", "unknown export kind " + k, io);
    }
    for (const auto& k : AllKinds)
        if (std::find(pos.begin() + 1, pos.end(), k) != pos.end() || std::find(pos.begin() + 1, pos.end(), "all") != pos.end())
            kinds.push_back(k);
    for (const auto& k : PdfKinds)
        if (std::find(pos.begin() + 1, pos.end(), k) != pos.end())
            kinds.push_back(k);
    bool venueKinds = false;
    for (const auto& k : VenueKinds)
        if (std::find(pos.begin() + 1, pos.end(), k) != pos.end()) {
            kinds.push_back(k);
            venueKinds = true;
        }
    if (args.has("--grade") && std::find(kinds.begin(), kinds.end(), "master-pdf") == kinds.end())
        return usageError("export", "--grade belongs to master-pdf only", io);

    int tablesPerRow = 4, teacherTablesPerRow = 4, bitDepth = 24;
    if (auto v = args.value("--tables-per-row"); v && !parseNumber(*v, 1, 15, tablesPerRow))
        return usageError("export", "--tables-per-row: expected a number from 1 to 15", io);
    if (auto v = args.value("--teacher-tables-per-row"); v && !parseNumber(*v, 1, 15, teacherTablesPerRow))
        return usageError("export", "--teacher-tables-per-row: expected a number from 1 to 15", io);
    if (auto v = args.value("--bmp-depth"); v && (!parseNumber(*v, 16, 32, bitDepth) || (bitDepth != 16 && bitDepth != 24 && bitDepth != 32)))
        return usageError("export", "--bmp-depth: expected 16, 24 or 32", io);
    PictureOptions pictures;
    pictures.bitDepth = bitDepth;
    pictures.showSubject = !args.has("--no-subject");
    pictures.showTeacher = !args.has("--no-teacher");
    pictures.showClass = !args.has("--no-class");
    if (auto v = args.value("--name-style")) {
        if (*v == "full")
            pictures.nameStyle = 0;
        else if (*v == "short")
            pictures.nameStyle = 1;
        else
            return usageError("export", "--name-style: expected full or short", io);
    }

    std::optional<std::string> title;
    if (auto text = args.value("--title")) {
        std::string error;
        title = gbk::fromUtf8(*text, error);
        if (!title) {
            io.err << pos[0] << ": --title: " << error << "\n";
            return ExitBadInput;
        }
    }
    DataSet ds;
    if (int s = loadForCommand(ds, pos[0], io); s >= 0)
        return s;
    if (title)
        ds.scheduleTitle = *title;
    else
        ds.fillDefaultTitle();
    int masterGrade = -1;
    if (auto v = args.value("--grade")) {
        auto name = gbk::fromUtf8(*v);
        for (std::size_t g = 0; name && g < ds.gradeNames.size() && masterGrade < 0; ++g)
            if (ds.gradeNames[g] == *name)
                masterGrade = static_cast<int>(g);
        if (!name) {
            io.err << pos[0] << ": --grade: the name has no GBK form\n";
            return ExitBadInput;
        }
        if (masterGrade < 0 || masterGrade >= static_cast<int>(ds.grades.size())) {
            io.err << pos[0] << ": no grade is named " << *v << "\n";
            return ExitNothingToDo;
        }
    }

    if (venueKinds && ds.extension.venues.empty()) {
        io.err << pos[0] << ": the school has no venues\n";
        return ExitNothingToDo;
    }
    const std::filesystem::path dir = *outOption;
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (!std::filesystem::is_directory(dir)) {
        io.err << dir.string() << ": cannot create the folder\n";
        return ExitBadInput;
    }

    const std::vector<const ClassTable*> classes = allClassesInOrder(ds);
    const WorkbookFactory factory = xlsxWorkbookFactory();
    bool failed = false;
    auto report = [&](const WorkbookExportReport& r) {
        for (const auto& e : r.errors)
            io.err << e << "\n";
        failed = failed || !r.ok();
    };
    auto pictureReport = [&](const PictureExportResult& r) {
        if (!r.message.empty())
            io.err << r.message << (r.message.back() == '\n' ? "" : "\n");
        failed = failed || !r.ok;
    };

    for (const auto& k : kinds) {
        if (k == "class-xlsx")
            report(exportClassFiles(ds, classes, dir, factory));
        else if (k == "all-classes-xlsx")
            report(exportAllClasses(ds, classes, tablesPerRow, dir, factory));
        else if (k == "teacher-xlsx")
            report(exportTeacherFiles(ds, dir, factory));
        else if (k == "all-teachers-xlsx")
            report(exportAllTeachers(ds, teacherTablesPerRow, dir, factory));
        else if (k == "master1-xlsx")
            report(exportMasterStyle1(ds, classes, dir / "master-style1.xlsx", factory));
        else if (k == "master2-xlsx")
            report(exportMasterStyle2(ds, classes, dir / "master-style2.xlsx", factory));
        else if (k == "master3-xlsx")
            report(exportMasterStyle3(ds, classes, dir / "master-style3.xlsx", factory));
        else if (k == "class-bmp" || k == "teacher-bmp") {
            ensureGuiApplication();
            QtCanvasFactory canvases;
            if (k == "class-bmp")
                pictureReport(ExportClassPictures(ds, dir, canvases, pictures));
            else
                pictureReport(ExportTeacherPictures(ds, dir, canvases, pictures));
        } else if (k == "class-pdf" || k == "teacher-pdf" || k == "master-pdf") {
            ensureGuiApplication();
            std::unique_ptr<PrintDocument> doc;
            std::string file;
            if (k == "class-pdf") {
                ClassCellOptions o{pictures.showSubject, pictures.showTeacher, pictures.nameStyle};
                doc = classSheetsDocument(ds, classes, o);
                file = "class-timetables.pdf";
            } else if (k == "teacher-pdf") {
                doc = teacherSheetsDocument(ds, TeacherCellOptions{pictures.showSubject, pictures.showClass});
                file = "teacher-timetables.pdf";
            } else {
                TotalSchedulePanel panel;
                panel.prepareForShow(ds);
                if (masterGrade >= 0)
                    panel.SelectClasses(ds, masterGrade + 1);
                doc = masterStyle1Document(ds, panel.selectedConstClasses(ds),
                                           Style1Options{pictures.showSubject, pictures.showTeacher});
                file = "master-timetable.pdf";
            }
            std::string error;
            if (!writePdf(*doc, dir / file, error)) {
                io.err << error << "\n";
                failed = true;
            }
        } else if (k == "venue-xlsx") {
            report(exportVenueWorkbook(ds, dir / "venue-timetables.xlsx", factory));
        } else if (k == "venue-pdf") {
            ensureGuiApplication();
            std::string error;
            if (!writePdf(*venueSheetsDocument(ds), dir / "venue-timetables.pdf", error)) {
                io.err << error << "\n";
                failed = true;
            }
        } else if (k == "text") {
            if (!exportScheduleText(ds, dir)) {
                io.err << textExportFailedMessage() << " " << (dir / "paikeInfo.txt").string() << "\n";
                failed = true;
            }
        }
    }
    return failed ? ExitBadInput : ExitDone;
}

int cmdMerge(const std::vector<std::string>& argv, Io io)
{
    Args args(argv, {"-o"}, {});
    if (args.helpAsked()) {
        printUsage(*findCommand("merge"), io.out);
        return ExitDone;
    }
    if (!args.ok())
        return usageError("merge", args.error(), io);
    const auto& pos = args.positionals();
    if (pos.size() < 2)
        return usageError("merge", "missing argument", io);
    if (pos.size() > 2)
        return usageError("merge", "unexpected argument " + pos[2], io);
    auto out = args.value("-o");
    if (!out || out->empty())
        return usageError("merge", "missing -o OUT.qtf", io);

    DataSet ds;
    ds.fillDefaultTitle();
    if (int s = loadForCommand(ds, pos[0], io); s >= 0)
        return s;
    MergeResult merged = mergeDataFile(ds, pos[1]);
    switch (merged.status) {
    case MergeStatus::Merged: break;
    case MergeStatus::CannotOpen: io.err << pos[1] << ": " << merged.message << "\n"; return ExitBadInput;
    case MergeStatus::Damaged: io.err << pos[1] << ": " << merged.message << "\n"; return ExitDamaged;
    case MergeStatus::GridDiffers:
    case MergeStatus::TooManyGrades: io.err << pos[1] << ": " << merged.message << "\n"; return ExitNothingToDo;
    }
    return saveForCommand(ds, *out, io);
}

} // namespace tabrel::cli
