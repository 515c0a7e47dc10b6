#include "app/DatedWeekSheet.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/PrintDocument.h"
#include "term/DatedTimetable.h"
#include "term/TermCalendar.h"

namespace tabrel {

namespace {

std::string monthDay(DayNumber date)
{
    int y = 0, m = 0, d = 0;
    civilFromDays(date, y, m, d);
    return gbk::formatInt(m) + GBK("月") + gbk::formatInt(d) + GBK("日");
}

// The frame every dated sheet shares: the title, the day headers of the week, the period labels.
// `plans` gets one plan per shown day.
DatedWeek weekFrame(const DataSet& ds, const TermCalendar& cal, int week, const std::string& who,
                    std::vector<std::unique_ptr<DayPlan>>& plans)
{
    DatedWeek sheet;
    const DayNumber monday = mondayOf(cal.firstDay()) + 7 * (week - 1);
    int days = std::clamp(ds.dayCount(), 1, 7);
    for (int d = days; d < 7; ++d)
        if (cal.isTeachingDay(monday + d))
            days = d + 1;
    sheet.title = who + GBK(" 第") + gbk::formatInt(week) + GBK("周（") + cal.parityText(monday) + GBK("周） ")
                  + monthDay(monday) + GBK("—") + monthDay(monday + days - 1);
    for (int d = 0; d < days; ++d) {
        const DayNumber date = monday + d;
        std::string h = weekdayName(d) + " " + monthDay(date);
        if (const MakeUpDay* mu = cal.makeUp(date))
            h += GBK(" 补") + mu->follows;
        else if (!cal.contains(date))
            h += GBK(" 学期外");
        else if (cal.isDayOff(date))
            h += GBK(" 放假");
        sheet.headers.push_back(h);
        plans.push_back(std::make_unique<DayPlan>(ds, cal, date));
    }
    const int periods = std::min(ds.periodsPerDay(), MaxPeriodRows);
    for (int p = 0; p < periods; ++p)
        sheet.periods.push_back(ds.periodLabel(p));
    sheet.cells.assign(periods, std::vector<DatedWeekCell>(days));
    return sheet;
}

std::string joined(const std::string& a, const std::string& b)
{
    if (a.empty())
        return b;
    return b.empty() ? a : a + " " + b;
}

} // namespace

DatedWeek datedClassWeek(const DataSet& ds, int k, int week)
{
    const TermCalendar cal(ds);
    std::vector<std::unique_ptr<DayPlan>> plans;
    const auto classes = ds.classesInGradeOrder();
    if (!cal.isSet() || k < 0 || k >= static_cast<int>(classes.size()))
        return {};
    DatedWeek sheet = weekFrame(ds, cal, week, classes[k]->name, plans);
    for (std::size_t d = 0; d < plans.size(); ++d) {
        const DayPlan& plan = *plans[d];
        if (plan.column() < 0)
            continue;
        for (int p = 0; p < plan.periods() && p < static_cast<int>(sheet.cells.size()); ++p) {
            const DatedLesson& l = plan.at(k, p);
            DatedWeekCell& cell = sheet.cells[p][d];
            cell.text = l.isLesson() ? joined(l.subject, l.teacher) : (l.changed ? GBK("停课") : "");
            if (l.changed) {
                cell.changed = true;
                cell.original = GBK("原：") + joined(l.originalSubject, l.originalTeacher);
            }
        }
    }
    return sheet;
}

DatedWeek datedTeacherWeek(const DataSet& ds, const std::string& teacher, int week)
{
    const TermCalendar cal(ds);
    std::vector<std::unique_ptr<DayPlan>> plans;
    if (!cal.isSet())
        return {};
    DatedWeek sheet = weekFrame(ds, cal, week, teacher, plans);
    for (std::size_t d = 0; d < plans.size(); ++d) {
        const DayPlan& plan = *plans[d];
        if (plan.column() < 0)
            continue;
        for (int p = 0; p < plan.periods() && p < static_cast<int>(sheet.cells.size()); ++p) {
            DatedWeekCell& cell = sheet.cells[p][d];
            for (std::size_t k = 0; k < plan.classes().size(); ++k) {
                const DatedLesson& l = plan.at(static_cast<int>(k), p);
                const std::string& name = plan.classes()[k]->name;
                if (l.isLesson() && l.teacher == teacher) {
                    cell.text = joined(name, l.subject);
                    if (l.changed) {
                        cell.changed = true;
                        cell.original = l.originalTeacher == teacher ? GBK("原：") + joined(name, l.originalSubject)
                                        : l.kind == ChangeKind::Swap
                                            ? GBK("调课，原：") + joined(l.originalSubject, l.originalTeacher)
                                            : GBK("代 ") + l.originalTeacher;
                    }
                    break;
                }
                if (l.changed && l.originalTeacher == teacher && cell.text.empty()) {
                    cell.changed = true;
                    cell.original = GBK("原：") + joined(name, l.originalSubject);
                    cell.text = l.kind == ChangeKind::Substitute ? GBK("由 ") + l.teacher + GBK(" 代课")
                                : l.kind == ChangeKind::SelfStudy ? GBK("改自习")
                                : l.kind == ChangeKind::Cancel    ? GBK("停课")
                                                                  : GBK("已调出");
                }
            }
        }
    }
    return sheet;
}

void drawDatedWeek(Canvas& canvas, const DatedWeek& sheet, int width, int height)
{
    canvas.fillRect(Rect{0, 0, width, height}, colors::White);
    if (sheet.headers.empty())
        return;
    const int margin = 10;
    const int titleH = 36;
    TextStyle title{GBK("黑体"), 22};
    canvas.drawText(Rect{margin, margin, width - margin, margin + titleH}, sheet.title, title);
    const int top = margin + titleH + 8;
    const int rows = static_cast<int>(sheet.periods.size()) + 1;
    const int cols = static_cast<int>(sheet.headers.size()) + 1;
    const int labelW = std::max(70, (width - 2 * margin) / (cols * 2));
    const int colW = std::max(1, (width - 2 * margin - labelW) / std::max(1, cols - 1));
    const int rowH = std::max(1, (height - top - margin) / rows);
    const int right = margin + labelW + colW * (cols - 1);
    const int bottom = top + rowH * rows;
    const TextStyle head{GBK("宋体"), 14};
    const TextStyle body{GBK("宋体"), 15};
    TextStyle small{GBK("宋体"), 11, colors::Grey};
    const Rgb changedFill{255, 236, 200};
    for (int d = 0; d + 1 < cols; ++d) {
        const int x = margin + labelW + d * colW;
        canvas.fillRect(Rect{x, top, x + colW, top + rowH}, Rgb{226, 236, 246});
        canvas.drawText(Rect{x + 2, top, x + colW - 2, top + rowH}, sheet.headers[d], head);
    }
    for (int p = 0; p + 1 < rows; ++p) {
        const int y = top + (p + 1) * rowH;
        canvas.fillRect(Rect{margin, y, margin + labelW, y + rowH}, Rgb{226, 236, 246});
        canvas.drawText(Rect{margin, y, margin + labelW, y + rowH}, sheet.periods[p], head);
        for (int d = 0; d + 1 < cols; ++d) {
            const DatedWeekCell& cell = sheet.cells[p][d];
            const int x = margin + labelW + d * colW;
            if (cell.changed) {
                canvas.fillRect(Rect{x + 1, y + 1, x + colW, y + rowH}, changedFill);
                TextStyle mark = body;
                mark.color = Rgb{200, 40, 40};
                canvas.drawText(Rect{x + 2, y, x + colW - 2, y + rowH * 3 / 5}, cell.text, mark);
                canvas.drawText(Rect{x + 2, y + rowH / 2, x + colW - 2, y + rowH}, cell.original, small);
            } else {
                canvas.drawText(Rect{x + 2, y, x + colW - 2, y + rowH}, cell.text, body);
            }
        }
    }
    for (int r = 0; r <= rows; ++r)
        canvas.drawLine(margin, top + r * rowH, right + 1, top + r * rowH, colors::Black);
    canvas.drawLine(margin, top, margin, bottom + 1, colors::Black);
    for (int c = 0; c < cols; ++c) {
        const int x = margin + labelW + c * colW;
        canvas.drawLine(x, top, x, bottom + 1, colors::Black);
    }
}

namespace {

class DatedWeekDocument : public PrintDocument {
public:
    DatedWeekDocument(std::vector<DatedWeek> sheets, std::string title)
        : sheets_(std::move(sheets)), title_(std::move(title))
    {
    }
    int pageCount() const override { return static_cast<int>(sheets_.size()); }
    bool landscape() const override { return true; }
    PageDrawing pageDrawing(int) const override { return {LandscapeDrawingWidth, LandscapeDrawingHeight}; }
    void drawPage(int page, Canvas& canvas) const override
    {
        drawDatedWeek(canvas, sheets_.at(page), LandscapeDrawingWidth, LandscapeDrawingHeight);
    }
    std::string title() const override { return title_; }

private:
    std::vector<DatedWeek> sheets_;
    std::string title_;
};

} // namespace

std::unique_ptr<PrintDocument> datedWeekDocument(std::vector<DatedWeek> sheets, const std::string& title)
{
    return std::make_unique<DatedWeekDocument>(std::move(sheets), title);
}

} // namespace tabrel
