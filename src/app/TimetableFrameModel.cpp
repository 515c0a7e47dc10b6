#include "app/TimetableFrameModel.h"

#include "data/DataSet.h"
#include "output/PictureExport.h"

namespace tabrel {

using Hit = TimetableToolStrip::Hit;

namespace {
std::string joinLines(const std::vector<std::string>& lines)
{
    std::string out;
    for (const auto& l : lines) {
        if (!out.empty())
            out += "\n";
        out += l;
    }
    return out;
}

ExportOutcome fromWorkbooks(const WorkbookExportReport& report, const std::string& where)
{
    ExportOutcome o;
    o.ok = report.ok();
    o.errors = joinLines(report.errors);
    if (report.filesWritten > 0)
        o.summary = "已导出 " + std::to_string(report.filesWritten) + " 个EXCEL文件到 " + where;
    return o;
}

ExportOutcome fromPictures(const PictureExportResult& result, const std::string& where)
{
    ExportOutcome o;
    o.ok = result.ok;
    o.errors = result.message;
    if (result.written > 0)
        o.summary = "已导出 " + std::to_string(result.written) + " 个图片文件到 " + where;
    return o;
}

ExportOutcome nothingToExport()
{
    return {false, {}, "没有可导出的课程表"};
}
} // namespace

TimetableFrameModel::ClickResult TimetableFrameModel::click(int x, int y)
{
    const Hit hit = strip.hitTest(x, y);
    switch (hit) {
    case Hit::None:
        return ClickResult::None;
    case Hit::PerRowBox:
        return ClickResult::OpenPerRowMenu;
    case Hit::Export:
        return ClickResult::OpenExportMenu;
    default:
        return toggle(hit) ? ClickResult::Redraw : ClickResult::None;
    }
}

bool TimetableFrameModel::chooseTablesPerRow(int n)
{
    if (!panel().SetTablesPerRow(n))
        return false;
    pictureStale = true;
    return true;
}

// ---------------------------------------------------------------- class timetables

ClassTableFrameModel::ClassTableFrameModel(DataSet* dataSet)
    : TimetableFrameModel(TimetableToolStrip::Variant::Class), classPanel(dataSet)
{
    if (dataSet) {
        classPanel.RebuildClassList();
        classPanel.LayoutTables();
    }
}

void ClassTableFrameModel::setDataSet(DataSet* dataSet)
{
    classPanel.pDataSet = dataSet;
    classPanel.classList.clear();
    pictureStale = true;
}

bool ClassTableFrameModel::isOn(Hit hit) const
{
    switch (hit) {
    case Hit::FirstCheck: return classPanel.showSubject != 0;
    case Hit::SecondCheck: return classPanel.showTeacher != 0;
    case Hit::FullName: return classPanel.nameStyle == 0;
    case Hit::ShortName: return classPanel.nameStyle == 1;
    default: return false;
    }
}

bool ClassTableFrameModel::toggle(Hit hit)
{
    switch (hit) {
    case Hit::FirstCheck: classPanel.toggleShowSubject(); return true;
    case Hit::SecondCheck: classPanel.toggleShowTeacher(); return true;
    case Hit::FullName: return classPanel.setNameStyle(0);
    case Hit::ShortName: return classPanel.setNameStyle(1);
    default: return false;
    }
}

std::string ClassTableFrameModel::prepareForShow()
{
    classPanel.RebuildClassList();
    const std::string message = classPanel.LayoutTables();
    pictureStale = true;
    return message;
}

// ---------------------------------------------------------------- teacher timetables

TeacherTableFrameModel::TeacherTableFrameModel(DataSet* dataSet)
    : TimetableFrameModel(TimetableToolStrip::Variant::Teacher), teacherPanel(dataSet)
{
    if (dataSet)
        teacherPanel.LayoutTables();
}

void TeacherTableFrameModel::setDataSet(DataSet* dataSet)
{
    teacherPanel.pDataSet = dataSet;
    pictureStale = true;
}

bool TeacherTableFrameModel::isOn(Hit hit) const
{
    switch (hit) {
    case Hit::FirstCheck: return teacherPanel.showSubject != 0;
    case Hit::SecondCheck: return teacherPanel.showClass != 0;
    default: return false;
    }
}

bool TeacherTableFrameModel::toggle(Hit hit)
{
    switch (hit) {
    case Hit::FirstCheck: teacherPanel.toggleShowSubject(); return true;
    case Hit::SecondCheck: teacherPanel.toggleShowClass(); return true;
    default: return false;
    }
}

std::string TeacherTableFrameModel::prepareForShow()
{
    const std::string message = teacherPanel.LayoutTables();
    pictureStale = true;
    return message;
}

} // namespace tabrel

namespace tabrel {

ExportOutcome ClassTableFrameModel::runExport(int item, const std::filesystem::path& folder, CanvasFactory& pictures,
                                              const WorkbookFactory& workbooks)
{
    if (!classPanel.pDataSet)
        return nothingToExport();
    classPanel.RebuildClassList();
    if (classPanel.classList.empty())
        return nothingToExport();
    const DataSet& ds = *classPanel.pDataSet;
    std::vector<const ClassTable*> list(classPanel.classList.begin(), classPanel.classList.end());
    ExportOutcome o;
    switch (item) {
    case 0:
        o = fromWorkbooks(exportClassFiles(ds, list, folder, workbooks), (folder / "classFiles").string());
        break;
    case 1:
        o = fromWorkbooks(exportAllClasses(ds, list, classPanel.tablesPerRow, folder, workbooks),
                          (folder / "classFiles" / "allclass.xlsx").string());
        break;
    case 2: {
        PictureOptions options;
        options.showSubject = classPanel.showSubject != 0;
        options.showTeacher = classPanel.showTeacher != 0;
        options.nameStyle = classPanel.nameStyle;
        options.bitDepth = pictureDepth;
        o = fromPictures(ExportClassPictures(classPanel.classList, folder, pictures, options),
                         (folder / ClassPictureFolder).string());
        break;
    }
    default:
        return {};
    }
    return o;
}

ExportOutcome TeacherTableFrameModel::runExport(int item, const std::filesystem::path& folder, CanvasFactory& pictures,
                                                const WorkbookFactory& workbooks)
{
    if (!teacherPanel.pDataSet || teacherPanel.pDataSet->teachers.empty())
        return nothingToExport();
    DataSet& ds = *teacherPanel.pDataSet;
    ExportOutcome o;
    switch (item) {
    case 0:
        o = fromWorkbooks(exportTeacherFiles(ds, folder, workbooks), (folder / "teacherExcelFiles").string());
        break;
    case 1:
        o = fromWorkbooks(exportAllTeachers(ds, teacherPanel.tablesPerRow, folder, workbooks),
                          (folder / "teacherExcelFiles" / "allteacher.xlsx").string());
        break;
    case 2: {
        PictureOptions options;
        options.showSubject = teacherPanel.showSubject != 0;
        options.showClass = teacherPanel.showClass != 0;
        options.bitDepth = pictureDepth;
        o = fromPictures(ExportTeacherPictures(ds, folder, pictures, options), (folder / TeacherPictureFolder).string());
        break;
    }
    default:
        return {};
    }
    return o;
}

} // namespace tabrel
