// The term panel's printed outputs (notice slips, cover statistics), the statistics' order and its
// help page.
#include <algorithm>

#include "app/TermPanel.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/PrintDocument.h"
#include "term/TermCalendar.h"

namespace tabrel {

namespace {

constexpr int SlipsPerPage = 3;

class SlipsDocument : public PrintDocument {
public:
    SlipsDocument(std::vector<TermPanel::Slip> slips, std::string title)
        : slips_(std::move(slips)), title_(std::move(title))
    {
    }
    int pageCount() const override { return std::max(1, (static_cast<int>(slips_.size()) + SlipsPerPage - 1) / SlipsPerPage); }
    bool landscape() const override { return false; }
    PageDrawing pageDrawing(int) const override { return {PortraitDrawingWidth, PortraitDrawingHeight}; }
    void drawPage(int page, Canvas& canvas) const override
    {
        canvas.fillRect(Rect{0, 0, PortraitDrawingWidth, PortraitDrawingHeight}, colors::White);
        const int slipH = PortraitDrawingHeight / SlipsPerPage;
        const TextStyle heading{GBK("黑体"), 22};
        TextStyle line{GBK("宋体"), 15};
        line.flags = text::Left | text::VCenter | text::SingleLine | text::NoPrefix | text::EndEllipsis;
        TextStyle foot{GBK("宋体"), 13, colors::Grey};
        foot.flags = text::Right | text::VCenter | text::SingleLine | text::NoPrefix;
        if (slips_.empty()) {
            canvas.drawText(Rect{0, 0, PortraitDrawingWidth, 60}, GBK("没有调代课记录"), heading);
            return;
        }
        for (int i = 0; i < SlipsPerPage; ++i) {
            const int s = page * SlipsPerPage + i;
            if (s >= static_cast<int>(slips_.size()))
                break;
            const TermPanel::Slip& slip = slips_[s];
            const int top = i * slipH;
            canvas.drawText(Rect{20, top + 16, PortraitDrawingWidth - 20, top + 50},
                            GBK("调代课通知 —— ") + slip.teacher + GBK(" 老师"), heading);
            int y = top + 62;
            const int lineH = 26;
            const int maxLines = (slipH - 120) / lineH;
            for (int l = 0; l < static_cast<int>(slip.lines.size()) && l < maxLines; ++l, y += lineH)
                canvas.drawText(Rect{36, y, PortraitDrawingWidth - 24, y + lineH}, slip.lines[l], line);
            if (static_cast<int>(slip.lines.size()) > maxLines)
                canvas.drawText(Rect{36, y, PortraitDrawingWidth - 24, y + lineH},
                                GBK("……另有 ") + gbk::formatInt(static_cast<long long>(slip.lines.size()) - maxLines)
                                    + GBK(" 条，见调代课记录"),
                                line);
            canvas.drawText(Rect{20, top + slipH - 44, PortraitDrawingWidth - 30, top + slipH - 20}, title_, foot);
            // the cutting line between slips
            for (int x = 10; x < PortraitDrawingWidth - 10; x += 12)
                canvas.drawLine(x, top + slipH - 2, x + 6, top + slipH - 2, colors::Grey);
        }
    }
    std::string title() const override { return title_; }

private:
    std::vector<TermPanel::Slip> slips_;
    std::string title_;
};

constexpr int StatsRowsPerPage = 30;

class StatisticsDocument : public PrintDocument {
public:
    StatisticsDocument(std::string title, std::vector<TeacherCoverStats> rows)
        : title_(std::move(title)), rows_(std::move(rows))
    {
    }
    int pageCount() const override
    {
        return std::max(1, (static_cast<int>(rows_.size()) + StatsRowsPerPage - 1) / StatsRowsPerPage);
    }
    bool landscape() const override { return false; }
    PageDrawing pageDrawing(int) const override { return {PortraitDrawingWidth, PortraitDrawingHeight}; }
    void drawPage(int page, Canvas& canvas) const override
    {
        const int w = PortraitDrawingWidth;
        canvas.fillRect(Rect{0, 0, w, PortraitDrawingHeight}, colors::White);
        canvas.drawText(Rect{0, 10, w, 50}, title_, TextStyle{GBK("黑体"), 22});
        const auto& headings = coverStatisticsHeadings();
        const int cols = static_cast<int>(headings.size());
        const int left = 30, firstW = 130;
        const int colW = (w - 2 * left - firstW) / (cols - 1);
        const int rowH = 30, top = 70;
        const TextStyle head{GBK("黑体"), 14};
        const TextStyle body{GBK("宋体"), 14};
        auto x = [&](int c) { return c == 0 ? left : left + firstW + (c - 1) * colW; };
        const int right = x(cols);
        canvas.fillRect(Rect{left, top, right, top + rowH}, Rgb{226, 236, 246});
        for (int c = 0; c < cols; ++c)
            canvas.drawText(Rect{x(c), top, x(c + 1), top + rowH}, headings[c], head);
        const int first = page * StatsRowsPerPage;
        const int count = std::min(StatsRowsPerPage, static_cast<int>(rows_.size()) - first);
        for (int r = 0; r < count; ++r) {
            const TeacherCoverStats& s = rows_[first + r];
            const int y = top + (r + 1) * rowH;
            const int values[] = {s.due, s.taught, s.coverGiven, s.coveredByOthers, s.swaps, s.selfStudy};
            canvas.drawText(Rect{x(0), y, x(1), y + rowH}, s.teacher, body);
            for (int c = 1; c < cols; ++c)
                canvas.drawText(Rect{x(c), y, x(c + 1), y + rowH}, gbk::formatInt(values[c - 1]), body);
        }
        const int bottom = top + (std::max(count, 0) + 1) * rowH;
        for (int r = 0; r <= std::max(count, 0) + 1; ++r)
            canvas.drawLine(left, top + r * rowH, right + 1, top + r * rowH, colors::Black);
        for (int c = 0; c <= cols; ++c)
            canvas.drawLine(x(c), top, x(c), bottom + 1, colors::Black);
        canvas.drawText(Rect{0, PortraitDrawingHeight - 30, w, PortraitDrawingHeight},
                        GBK("第 ") + gbk::formatInt(page + 1) + GBK(" 页，共 ") + gbk::formatInt(pageCount()) + GBK(" 页"),
                        TextStyle{GBK("宋体"), 12, colors::Grey});
    }
    std::string title() const override { return title_; }

private:
    std::string title_;
    std::vector<TeacherCoverStats> rows_;
};

} // namespace

std::unique_ptr<PrintDocument> TermPanel::slipsDocument(const DataSet& ds, const std::vector<int>& changes,
                                                        const std::string& title)
{
    return std::make_unique<SlipsDocument>(slips(ds, changes), title);
}

std::vector<TeacherCoverStats> TermPanel::sortedStatistics(const DataSet& ds, DayNumber from, DayNumber to, int column,
                                                           bool descending)
{
    auto rows = coverStatistics(ds, from, to);
    auto value = [column](const TeacherCoverStats& s) {
        switch (column) {
        case 1: return s.due;
        case 2: return s.taught;
        case 3: return s.coverGiven;
        case 4: return s.coveredByOthers;
        case 5: return s.swaps;
        case 6: return s.selfStudy;
        default: return 0;
        }
    };
    if (column >= 1 && column <= 6)
        std::stable_sort(rows.begin(), rows.end(), [&](const TeacherCoverStats& a, const TeacherCoverStats& b) {
            return descending ? value(a) > value(b) : value(a) < value(b);
        });
    else if (column == 0 && descending)
        std::reverse(rows.begin(), rows.end());
    return rows;
}

std::string TermPanel::statisticsRefusal(const DataSet& ds, DayNumber from, DayNumber to)
{
    const TermCalendar cal(ds);
    if (!cal.isSet())
        return GBK("尚未设置学期");
    if (!cal.contains(from) || !cal.contains(to))
        return GBK("统计的日期不在学期之内（") + TermCalendar::longDateText(cal.firstDay()) + GBK(" 至 ")
               + TermCalendar::longDateText(cal.lastDay()) + GBK("）");
    if (to < from)
        return GBK("结束日期早于开始日期");
    return {};
}

std::string TermPanel::statisticsTitle(DayNumber from, DayNumber to)
{
    return GBK("代课统计 ") + isoDate(from) + GBK(" 至 ") + isoDate(to);
}

std::unique_ptr<PrintDocument> TermPanel::statisticsDocument(const std::string& title,
                                                             const std::vector<TeacherCoverStats>& rows)
{
    return std::make_unique<StatisticsDocument>(title, rows);
}

std::string TermPanel::helpPage()
{
    return R"(<h2>学期运行</h2>
<p>排好周课表以后，用本页管理整个学期：校历、请假、代课与调课、按周的课程表、调代课通知和代课统计。</p>
<h3>学期设置</h3>
<p>填写第一个教学日和周数，添加放假（单日或一段日期）和补课日（星期六或星期日，上某一天的课），按“保存学期”。
校历中绿色为教学日，红色为放假，黄色为补课日，灰色为周末；每行标出第几周和单周/双周。</p>
<h3>请假登记</h3>
<p>选择教师、开始和结束的日期与节次、类别（病假、事假、公假、培训、其他）和备注，按“登记请假”。
选中一条请假，下方列出它涉及的每一节课及其状态（未安排、代课、调课、自习、停课）。按 Delete 删除请假，
它的调代课记录一并删除（先询问）。</p>
<h3>安排一节课</h3>
<p>选中一节课后可以：<b>代课</b>——候选教师按“科目相同、本班教师、其他”排列，同组内本学期代课少、当天课少的在前，
每人后面写明理由；<b>调课</b>——在所选日期范围（默认本周）内与本班另一节课对调，近的在前；<b>自习</b>——可选看班教师；
<b>停课</b>。忙碌、请假或该节设为不排的教师不能代课，程序会说明原因且不作改动。</p>
<h3>一键安排</h3>
<p>为所选请假中所有未安排的课给出建议：同一节不会让一位教师上两个班，请假的教师不会被安排，代课尽量平均。
每一行都可以改成其他候选教师、自习或停课；按“接受”后作为一步写入，可以撤销。</p>
<h3>调代课记录</h3>
<p>列出每条记录，可按日期、教师、班级筛选；周课表改动后原课已不在的记录显示为“已过时”，课表检查也会报告。
按 Delete 删除选中的记录。</p>
<h3>按周课表</h3>
<p>选择周次和班级或教师，显示该周按日期的课程表：有变动的课以底色标出，下方小字为原来的课。可打印或导出 PDF。</p>
<h3>调代课通知</h3>
<p>选择一天或一条请假，可打印每位相关教师的通知单，或把通知文字复制到剪贴板，粘贴到工作群。</p>
<h3>代课统计</h3>
<p>选择日期范围，列出每位教师的应上课时、实上课时、代课、被代课、调课和看自习节数；点击表头排序，可导出 Excel 或打印。</p>
<p>所有改动都可以用 Ctrl+Z 撤销、Ctrl+Y 重做；Ctrl+S 保存。</p>)";
}

} // namespace tabrel
