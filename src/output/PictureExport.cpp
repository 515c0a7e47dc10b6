#include "output/PictureExport.h"

#include <algorithm>
#include <system_error>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "data/TeacherInfoRecord.h"
#include "views/Canvas.h"
#include "output/ClassTimetableSheet.h"

namespace tabrel {

namespace {

constexpr int R = PictureGeometry::RowHeight;
constexpr int C = PictureGeometry::ColumnWidth;
constexpr int NumberWidth = PictureGeometry::NumberColumnWidth;

TextStyle pictureText(int height, int flags)
{
    TextStyle s;
    s.height = height;
    s.color = colors::Black;
    s.flags = flags | text::SingleLine | text::NoPrefix | text::Clip;
    return s;
}

void addFailure(PictureExportResult& result, const std::string& line)
{
    result.ok = false;
    if (!result.message.empty())
        result.message += '\n';
    result.message += line;
}

void merge(PictureExportResult& into, const PictureExportResult& part)
{
    into.written += part.written;
    into.files.insert(into.files.end(), part.files.begin(), part.files.end());
    if (!part.ok)
        addFailure(into, part.message);
}

// Draws one picture with `draw` and writes it to folder/fileName.
template <typename Draw>
PictureExportResult makePicture(const DataSet& dataSet, const std::string& gbkName, const std::filesystem::path& folder,
                                CanvasFactory& factory, int bitDepth, Draw draw)
{
    PictureExportResult result;
    std::string error;
    const std::string fileName = pictureFileName(gbkName, error);
    if (fileName.empty()) {
        addFailure(result, folder.string() + "：" + error); // the folder the picture was meant for
        return result;
    }
    const std::filesystem::path path = folder / fileName;
    if (!bmp::supportedDepth(bitDepth)) {
        addFailure(result, path.string() + "：不支持的颜色深度 " + std::to_string(bitDepth) + "（只支持 16、24、32 位）");
        return result;
    }
    const PictureGeometry g = pictureGeometry(dataSet);
    std::unique_ptr<RasterSurface> surface = factory.createSurface(g.width(), g.height(), error);
    if (!surface) {
        addFailure(result, path.string() + "：无法创建图片：" + error);
        return result;
    }
    surface->canvas().fillRect({0, 0, g.width(), g.height()}, colors::White);
    draw(surface->canvas());
    const PixelBuffer pixels = surface->pixels();

    std::error_code ec;
    std::filesystem::create_directories(folder, ec); // a failure shows when the file is opened
    const BmpResult written = bmp::write(path, pixels, bitDepth);
    if (!written.ok) {
        addFailure(result, written.message);
        return result;
    }
    result.written = 1;
    result.files.push_back(path.string());
    return result;
}

} // namespace

Rect PictureGeometry::cellRect(int period, int day) const
{
    const int left = x0 + NumberColumnWidth + ColumnWidth * day;
    const int top = y0 + (period + 2) * RowHeight;
    return {left, top, left + ColumnWidth, top + RowHeight};
}

PictureGeometry pictureGeometry(const DataSet& dataSet)
{
    PictureGeometry g;
    g.periods = dataSet.gridPeriods();
    g.days = dataSet.gridDays();
    return g;
}

void DrawPictureSheet(const PictureGeometry& g, const DataSet& dataSet, const std::string& title, Canvas& canvas)
{
    const int x0 = g.x0, y0 = g.y0;
    const int wt = g.tableWidth();
    const int yB = g.bottomLine();

    canvas.drawText({x0, y0 + 3, x0 + wt, y0 + R}, title, pictureText(R * 4 / 5, text::HCenter | text::Top));
    for (int i = 0; i <= g.periods + 2; ++i)
        canvas.drawLine(x0, y0 + i * R, x0 + wt, y0 + i * R, colors::Black);

    const TextStyle numberStyle = pictureText(R * 2 / 3, text::HCenter | text::Top);
    for (int p = 0; p < g.periods; ++p) {
        const int rowTop = y0 + (p + 2) * R;
        canvas.drawText({x0, rowTop + R / 4, x0 + NumberWidth, rowTop + R * 3 / 4}, gbk::formatInt(p + 1), numberStyle);
    }

    canvas.drawLine(x0, y0, x0, yB + 1, colors::Black);
    for (int d = 0; d <= g.days; ++d) {
        const int x = x0 + NumberWidth + C * d;
        canvas.drawLine(x, y0 + R, x, yB + 1, colors::Black);
    }

    const TextStyle headingStyle = pictureText(R * 3 / 5, text::HCenter | text::Top);
    for (int d = 0; d < g.days; ++d) {
        const int left = x0 + NumberWidth + C * d;
        canvas.drawText({left, y0 + R + R / 5, left + C, y0 + R + R * 4 / 5}, dataSet.dayNames[d], headingStyle);
    }

    canvas.drawLine(x0 + wt, y0 + 1, x0 + wt, yB + 2, colors::Black);
}

void DrawClassPicture(const ClassTable& table, int x0, int y0, Canvas& canvas, const PictureOptions& options)
{
    if (!table.dataSet)
        return;
    PictureGeometry g = pictureGeometry(*table.dataSet);
    g.x0 = x0;
    g.y0 = y0;
    DrawPictureSheet(g, *table.dataSet, table.name + GBK(" 班级课程情况表"), canvas);

    // The same cell rule as on screen, without the mark icon.
    const TextStyle cellStyle = pictureText(0, text::HCenter | text::VCenter);
    const CellDisplayOptions displayOptions =
        cellDisplayOptions({options.showSubject, options.showTeacher, options.nameStyle});
    for (int p = 0; p < g.periods; ++p)
        for (int d = 0; d < g.days; ++d)
            drawCellTexts(cellDisplay(table, table.cells[p][d], displayOptions), g.cellRect(p, d), cellStyle, canvas);
}

void DrawTeacherPicture(const TeacherInfoRecord& teacher, int number, int x0, int y0, Canvas& canvas)
{
    if (!teacher.dataSet)
        return;
    PictureGeometry g = pictureGeometry(*teacher.dataSet);
    g.x0 = x0;
    g.y0 = y0;
    const std::string title = gbk::formatInt(number) + ". " + teacher.name + GBK(" 教师任课情况表 [共") +
                              gbk::formatInt(teacher.countPlacedSlots()) + GBK("节课]");
    DrawPictureSheet(g, *teacher.dataSet, title, canvas);

    const TextStyle cellStyle = pictureText(R * 3 / 5, text::HCenter | text::VCenter | text::EndEllipsis);
    for (int p = 0; p < g.periods; ++p) {
        for (int d = 0; d < g.days; ++d) {
            const std::string cellText =
                teacher.slotGradeText[p][d] + teacher.slotClassNumbers[p][d] + teacher.slotSubject[p][d];
            if (!cellText.empty())
                canvas.drawText(g.cellRect(p, d), cellText, cellStyle);
        }
    }
}

std::string pictureFileName(const std::string& gbkName, std::string& error)
{
    const std::string utf8 = gbk::toUtf8(gbkName);
    if (utf8.empty()) {
        error = "名称为空，无法作为文件名";
        return {};
    }
    if (utf8 == "." || utf8 == ".." || utf8.find_first_of(std::string("/\\\0", 3)) != std::string::npos) {
        error = "“" + utf8 + "”不能作为文件名（不能是 . 或 ..，不能含 / 或 \\）";
        return {};
    }
    return utf8 + ".bmp";
}

PictureExportResult ExportClassPicture(ClassTable& table, const std::filesystem::path& folder, CanvasFactory& factory,
                                       const PictureOptions& options)
{
    if (!table.dataSet) {
        PictureExportResult r;
        addFailure(r, "班级不属于任何数据");
        return r;
    }
    const int m = PictureGeometry::Margin;
    return makePicture(*table.dataSet, table.name, folder, factory, options.bitDepth,
                       [&](Canvas& canvas) { DrawClassPicture(table, m, m, canvas, options); });
}

PictureExportResult ExportTeacherPicture(TeacherInfoRecord& teacher, int number, const std::filesystem::path& folder,
                                         CanvasFactory& factory, const PictureOptions& options)
{
    if (!teacher.dataSet) {
        PictureExportResult r;
        addFailure(r, "教师不属于任何数据");
        return r;
    }
    const int m = PictureGeometry::Margin;
    return makePicture(*teacher.dataSet, teacher.name, folder, factory, options.bitDepth,
                       [&](Canvas& canvas) { DrawTeacherPicture(teacher, number, m, m, canvas); });
}

PictureExportResult ExportClassPictures(const std::vector<ClassTable*>& classList, const std::filesystem::path& baseDir,
                                        CanvasFactory& factory, const PictureOptions& options)
{
    PictureExportResult all;
    const std::filesystem::path folder = baseDir / ClassPictureFolder;
    for (ClassTable* table : classList)
        if (table)
            merge(all, ExportClassPicture(*table, folder, factory, options));
    return all;
}

PictureExportResult ExportClassPictures(DataSet& dataSet, const std::filesystem::path& baseDir, CanvasFactory& factory,
                                        const PictureOptions& options)
{
    std::vector<ClassTable*> classList;
    for (const auto& grade : dataSet.grades)
        for (const auto& table : grade->classes)
            classList.push_back(table.get());
    return ExportClassPictures(classList, baseDir, factory, options);
}

PictureExportResult ExportTeacherPictures(DataSet& dataSet, const std::filesystem::path& baseDir,
                                          CanvasFactory& factory, const PictureOptions& options)
{
    PictureExportResult all;
    const std::filesystem::path folder = baseDir / TeacherPictureFolder;
    for (std::size_t i = 0; i < dataSet.teachers.size(); ++i)
        merge(all, ExportTeacherPicture(*dataSet.teachers[i], static_cast<int>(i) + 1, folder, factory, options));
    return all;
}

} // namespace tabrel
