#include "output/VenueTimetable.h"

#include <algorithm>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/ClassTimetableSheet.h"
#include "output/DrawnTable.h"
#include "output/PrintDocument.h"
#include "output/Workbook.h"
#include "scheduling/GridShape.h"
#include "scheduling/VenueUse.h"
#include "views/Canvas.h"

namespace tabrel {

namespace {

constexpr Rgb RoomGround{226, 245, 226};   // a class can still go there
constexpr Rgb ClosedGround{215, 215, 215}; // the venue cannot be used
constexpr Rgb OverGround{255, 200, 200};   // over capacity
constexpr Rgb OverText{200, 0, 0};

std::string title(const VenueTimetable& t)
{
    return t.name + GBK(" 场室课程表（容纳 ") + gbk::formatInt(t.capacity) + GBK(" 个班）");
}

std::string slotLine(const VenueSlotView& s, std::size_t i)
{
    return s.teachers[i].empty() ? s.classes[i] : s.classes[i] + " " + s.teachers[i];
}

} // namespace

int VenueTimetable::overSlots() const
{
    int n = 0;
    for (int p = 0; p < periods; ++p)
        for (int d = 0; d < days; ++d)
            n += over(p, d);
    return n;
}

std::vector<VenueTimetable> BuildVenueTimetables(const DataSet& ds)
{
    std::vector<VenueTimetable> out;
    if (ds.extension.venues.empty())
        return out;
    const VenueMap venues(ds);
    const GridShape g = GridShape::of(ds);
    out.resize(venues.count());
    for (int v = 0; v < venues.count(); ++v) {
        VenueTimetable& t = out[v];
        t.name = venues.venue(v).name;
        t.capacity = venues.capacity(v);
        t.periods = g.T;
        t.days = g.D;
        for (int p = 0; p < g.T; ++p)
            for (int d = 0; d < g.D; ++d)
                t.cells[p][d].unavailable = venues.unavailable(v, p, d);
    }
    for (const auto& grade : ds.grades)
        for (const auto& c : grade->classes)
            for (int p = 0; p < g.T; ++p)
                for (int d = 0; d < g.D; ++d) {
                    const LessonCell& cell = c->cells[p][d];
                    const int v = venues.venueOf(c->name, cell.subject);
                    if (v < 0)
                        continue;
                    VenueSlotView& s = out[v].cells[p][d];
                    s.classes.push_back(c->name);
                    s.teachers.push_back(names::exemptTeacher(cell.teacher) ? std::string() : cell.teacher);
                }
    return out;
}

std::string venueLoadText(const VenueTimetable& t, int p, int d)
{
    const VenueSlotView& s = t.cells[p][d];
    const std::string load = gbk::formatInt(s.used()) + "/" + gbk::formatInt(t.capacity);
    return s.unavailable ? GBK("不可用") + (s.used() > 0 ? " " + load : std::string()) : load;
}

void DrawVenueTimetable(const DataSet& ds, const VenueTimetable& t, DrawnTable& view, Canvas& canvas)
{
    view.titleText = title(t);
    view.SetDrawOrigin(ds, view.originX, view.originY);
    const SheetGeometry g = sheetGeometry(ds, view.originX, view.originY, view.cellWidth, view.cellHeight);
    DrawTimetableSheet(g, std::string(), canvas, view.cellRects);
    // the sheet's own title font is sized for narrow class cells; a venue's title is longer
    TextStyle titleStyle;
    titleStyle.height = std::min(28, g.cellHeight / 2);
    titleStyle.flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip;
    canvas.drawText({g.x0, g.y0, g.x0 + g.totalWidth(), g.y0 + g.cellHeight}, view.titleText, titleStyle);

    TextStyle loadStyle;
    loadStyle.height = 11;
    loadStyle.color = colors::Grey;
    loadStyle.flags = text::Right | text::Top | text::SingleLine | text::NoPrefix | text::Clip;
    TextStyle lineStyle;
    lineStyle.height = 12;
    lineStyle.flags = text::Left | text::Top | text::SingleLine | text::NoPrefix | text::Clip | text::EndEllipsis;
    const int lineHeight = 14;
    for (int p = 0; p < std::min(g.periods, t.periods); ++p)
        for (int d = 0; d < std::min(g.days, t.days); ++d) {
            const Rect& r = view.cellRects[p][d];
            if (r.width() <= 2 || r.height() <= 2)
                continue;
            const VenueSlotView& s = t.cells[p][d];
            const bool over = t.over(p, d);
            const Rect inner{r.left + 1, r.top + 1, r.right, r.bottom};
            if (over)
                canvas.fillRect(inner, OverGround);
            else if (s.unavailable)
                canvas.fillRect(inner, ClosedGround);
            else if (t.hasRoom(p, d))
                canvas.fillRect(inner, RoomGround);
            TextStyle load = loadStyle;
            if (over)
                load.color = OverText;
            canvas.drawText({r.left + 3, r.top + 1, r.right - 3, r.top + 1 + lineHeight}, venueLoadText(t, p, d), load);
            TextStyle line = lineStyle;
            line.color = over ? OverText : colors::Black;
            const int rows = std::max(1, (r.height() - lineHeight - 2) / lineHeight);
            for (std::size_t i = 0; i < s.classes.size(); ++i) {
                const int top = r.top + 1 + lineHeight * (1 + static_cast<int>(i));
                const bool last = static_cast<int>(i) + 1 == rows && i + 1 < s.classes.size();
                const std::string text = last ? slotLine(s, i) + GBK(" 等") + gbk::formatInt(s.classes.size()) + GBK("班")
                                              : slotLine(s, i);
                canvas.drawText({r.left + 3, top, r.right - 2, std::min(top + lineHeight, r.bottom)}, text, line);
                if (last)
                    break;
            }
        }
}

std::string venueTimetablesText(const DataSet& ds, const std::vector<VenueTimetable>& tables)
{
    std::string out;
    for (const VenueTimetable& t : tables) {
        if (!out.empty())
            out += "\r\n";
        out += title(t) + "\r\n";
        for (int d = 0; d < t.days; ++d)
            out += "\t" + (d < ds.dayCount() ? ds.dayNames[d] : std::string());
        out += "\r\n";
        for (int p = 0; p < t.periods; ++p) {
            out += ds.periodLabel(p);
            for (int d = 0; d < t.days; ++d) {
                const VenueSlotView& s = t.cells[p][d];
                std::string cell;
                for (std::size_t i = 0; i < s.classes.size(); ++i)
                    cell += (i ? GBK("、") : std::string()) + slotLine(s, i);
                out += "\t" + cell + (cell.empty() ? "" : " ") + "[" + venueLoadText(t, p, d) + "]";
            }
            out += "\r\n";
        }
    }
    return out;
}

WorkbookExportReport exportVenueWorkbook(const DataSet& ds, const std::filesystem::path& file,
                                         const WorkbookFactory& factory)
{
    WorkbookExportReport report;
    std::unique_ptr<Workbook> wb = factory ? factory() : nullptr;
    if (!wb) {
        report.errors.push_back(cannotCreateWorkbookMessage());
        return report;
    }
    const auto tables = BuildVenueTimetables(ds);
    int row = 1;
    wb->setColumnWidth(1, 8);
    for (const VenueTimetable& t : tables) {
        const std::string last = cellAddress(1 + t.days, row);
        wb->merge(cellAddress(1, row), last);
        wb->setValue(cellAddress(1, row), last, title(t));
        wb->centre(cellAddress(1, row), last);
        FontSettings bold;
        bold.bold = true;
        bold.size = 14;
        wb->setFont(cellAddress(1, row), last, bold);
        wb->setRowHeight(row, 24);
        ++row;
        for (int d = 0; d < t.days; ++d) {
            const std::string a = cellAddress(2 + d, row);
            wb->setValue(a, a, d < ds.dayCount() ? ds.dayNames[d] : std::string());
            wb->centre(a, a);
            wb->borderAround(a, a);
            wb->setColumnWidth(2 + d, 22);
        }
        wb->borderAround(cellAddress(1, row), cellAddress(1, row));
        ++row;
        for (int p = 0; p < t.periods; ++p) {
            const std::string label = cellAddress(1, row);
            wb->setValue(label, label, ds.periodLabel(p));
            wb->centre(label, label);
            wb->borderAround(label, label);
            int lines = 1;
            for (int d = 0; d < t.days; ++d) {
                const VenueSlotView& s = t.cells[p][d];
                std::string text = "[" + venueLoadText(t, p, d) + "]";
                for (std::size_t i = 0; i < s.classes.size(); ++i)
                    text += "\n" + slotLine(s, i);
                lines = std::max(lines, 1 + s.used());
                const std::string a = cellAddress(2 + d, row);
                wb->setValue(a, a, text);
                wb->centre(a, a);
                wb->borderAround(a, a);
                if (t.over(p, d)) {
                    FontSettings red;
                    red.colorIndex = 3; // red
                    red.bold = true;
                    wb->setFont(a, a, red);
                }
            }
            wb->setRowHeight(row, 15.0 * lines);
            ++row;
        }
        ++row;
    }
    if (tables.empty())
        wb->setValue("A1", "A1", GBK("没有场室"));
    wb->wrapUsedRange();
    std::string error;
    if (wb->saveAs(file, error))
        ++report.filesWritten;
    else
        report.errors.push_back(error.empty() ? "无法写入Excel文件：" + file.string() : error);
    return report;
}

namespace {

class VenueSheets : public PrintDocument {
public:
    explicit VenueSheets(const DataSet& ds) : ds_(ds), tables_(BuildVenueTimetables(ds)) {}
    int pageCount() const override { return static_cast<int>(tables_.size()); }
    bool landscape() const override { return true; }
    PageDrawing pageDrawing(int) const override
    {
        return {timetableWidth(VenueCellWidth, ds_.dayCount()) + 2 * Margin,
                timetableHeight(VenueCellHeight, ds_.periodsPerDay()) + 2 * Margin};
    }
    void drawPage(int page, Canvas& canvas) const override
    {
        DrawnTable view;
        view.cellWidth = VenueCellWidth;
        view.cellHeight = VenueCellHeight;
        view.originX = view.originY = Margin;
        DrawVenueTimetable(ds_, tables_.at(page), view, canvas);
    }
    std::string title() const override { return GBK("场室课程表"); }

private:
    static constexpr int Margin = 10;
    const DataSet& ds_;
    std::vector<VenueTimetable> tables_;
};

} // namespace

std::unique_ptr<PrintDocument> venueSheetsDocument(const DataSet& ds) { return std::make_unique<VenueSheets>(ds); }

std::string venueTimetableHelpPage()
{
    return R"(<h2>场室课程表</h2>
<p>机房、音乐室、实验室、操场等共用场室每周的使用情况：每个场室一张表，每一节列出在该场室上课的班级和任课教师，
右上角是“已用/容纳班数”。</p>
<ul>
<li><b>绿色</b>的节次还有空位，可以再安排一个班到这个场室上课；<b>红色</b>的节次超出容纳班数（或在不可用时段排了课），
需要调整；<b>灰色</b>是场室不可用的时段。</li>
<li>左边的列表选择“全部场室”或某一个场室（↑/↓ 也可切换）。列表中标出每个场室超员的节数。</li>
<li><b>导出表格</b>：全部场室写入一个 EXCEL 文件；<b>导出图片</b>：每个显示的场室一张图片；<b>导出PDF</b>、<b>打印</b>（Ctrl+P）：
每个场室一页；<b>复制文本</b>（Ctrl+C）：显示的场室课程表以制表符分隔复制，可直接粘贴到 EXCEL 或 WPS。</li>
</ul>
<p>场室在“科目管理”的“场室设置”中登记：名称、容纳班数、使用该场室的科目、个别班级的例外和不可用时段。
自动排课的补排不会超出容纳班数，手动排课时场室已满的节次显示“×(场室已满)”，课表检查报告每一处超员。</p>)";
}

} // namespace tabrel
