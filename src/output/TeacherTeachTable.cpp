#include "output/TeacherTeachTable.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/TeacherTimetableSheet.h"

namespace tabrel {

namespace {

int periods(const DataSet& ds) { return ds.gridPeriods(); }
int days(const DataSet& ds) { return ds.gridDays(); }

TextStyle centred(const std::string& face, int height)
{
    TextStyle s;
    s.face = face;
    s.height = height;
    s.flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip;
    return s;
}

} // namespace

int TeacherTeachTable::slotColumns(const DataSet& ds) { return periods(ds) * days(ds); }

bool TeacherTeachTable::verticalBarShown(const DataSet& ds) { return static_cast<int>(ds.teachers.size()) > VisibleRows; }

bool TeacherTeachTable::horizontalBarShown(const DataSet& ds) { return slotColumns(ds) > VisibleColumns; }

int TeacherTeachTable::verticalMaximum(const DataSet& ds) { return static_cast<int>(ds.teachers.size()); }

int TeacherTeachTable::horizontalMaximum(const DataSet& ds) { return std::max(slotColumns(ds) - VisibleColumns, 0); }

void TeacherTeachTable::setFirstRow(int row, const DataSet& ds)
{
    firstVisibleRow = std::clamp(row, 0, std::max(verticalMaximum(ds) - 1, 0));
}

void TeacherTeachTable::setFirstColumn(int column, const DataSet& ds)
{
    firstVisibleColumn = std::clamp(column, 0, horizontalMaximum(ds));
}

void TeacherTeachTable::scrollRows(int delta, const DataSet& ds) { setFirstRow(firstVisibleRow + delta, ds); }

void TeacherTeachTable::scrollColumns(int delta, const DataSet& ds) { setFirstColumn(firstVisibleColumn + delta, ds); }

int TeacherTeachTable::shownColumns(const DataSet& ds, int visible) { return std::min(slotColumns(ds) + 1, visible + 1); }

void TeacherTeachTable::draw(Canvas& canvas, const DataSet& ds, int W, int H) const
{
    const int T = periods(ds), D = days(ds);
    const int C = shownColumns(ds, visibleColumns);
    const int first = std::clamp(firstVisibleColumn, 0, std::max(slotColumns(ds) - (C - 1), 0));
    auto x = [&](int u) { return columnX(u, W, C); };
    auto y = [&](int v) { return bandY(v, H); };
    const Rgb black = colors::Black;

    canvas.fillRect({0, 0, W, H}, colors::White);
    canvas.fillRect({0, 0, W, y(2)}, HeaderGrey);
    canvas.fillRect({0, 0, x(1), H}, HeaderGrey);
    canvas.drawLine(0, 0, W, 0, Rgb{100, 100, 100});
    canvas.drawLine(0, 0, 0, H, Rgb{100, 100, 100});
    canvas.drawLine(0, H - 1, W, H - 1, colors::White);
    canvas.drawLine(W - 1, 0, W - 1, H, colors::White);

    const TextStyle header = centred("", std::clamp(y(1) - 6, 8, 16));
    // The corner names the table ("总任课表") in the headers' face and size.
    canvas.drawText({0, 0, x(1), y(1)}, GBK("总任"), header);
    canvas.drawText({0, y(1), x(1), y(2)}, GBK("课表"), header);
    if (T > 0) {
        // Day names over their visible columns, period numbers over every column.
        for (int d = 0; d < D; ++d) {
            const int a = std::max(d * T, first), b = std::min(d * T + T, first + C - 1);
            if (a < b)
                canvas.drawText({x(a - first + 1), 0, x(b - first + 1), y(1)}, ds.dayNames[d], header);
        }
        for (int u = 1; u < C; ++u)
            canvas.drawText({x(u), y(1), x(u + 1), y(2)}, gbk::formatInt((first + u - 1) % T + 1), header);
    }

    // Lines.
    canvas.drawLine(x(1), y(1), W, y(1), black);
    for (int v = 2; v <= visibleRows + 2; ++v)
        canvas.drawLine(0, y(v), W, y(v), black);
    for (int u = 1; u <= C; ++u) {
        const int column = first + u - 1;
        const bool dayStart = T > 0 && u < C && column % T == 0;
        canvas.drawLine(x(u), dayStart || u == 1 || u == C ? 0 : y(1), x(u), H, black);
    }

    const TextStyle text = centred(GBK("楷体_GB2312"), 12);
    for (int r = 0; r < visibleRows; ++r) {
        const int i = firstVisibleRow + r;
        if (i < 0 || i >= static_cast<int>(ds.teachers.size()))
            break;
        const TeacherInfoRecord& t = *ds.teachers[i];
        const int top = y(r + 2), bottom = y(r + 3);
        canvas.drawText({x(0), top, x(1), bottom}, t.name, text);
        for (int u = 1; u < C && T > 0; ++u) {
            const int column = first + u - 1;
            const int d = column / T, p = column % T;
            const std::string& subject = t.slotSubject[p][d];
            if (subject.empty())
                continue;
            const std::string classText = teacherSlotClassText(t, p, d);
            const Rect slot{x(u) + 1, top + 1, x(u + 1), bottom};
            if (showSubject && showClass) {
                const int mid = (slot.top + slot.bottom) / 2;
                canvas.drawText({slot.left, slot.top, slot.right, mid}, subject, text);
                canvas.drawText({slot.left, mid, slot.right, slot.bottom}, classText, text);
            } else if (showSubject) {
                canvas.drawText(slot, subject, text);
            } else if (showClass) {
                canvas.drawText(slot, classText, text);
            }
        }
    }
}

std::string TeacherTeachTable::helpPage()
{
    return R"(<h2>总任课表</h2>
<p>总任课表是教师的“总课程表”：每位教师一行，每天每节一列，格子里是这位教师这一节上的科目和班级（例如“初一1.2”表示同时给初一1班和2班上课）。
一次显示18位教师、30节，多出的部分用滚动条查看（也可以用方向键和翻页键）。</p>
<ul>
<li><b>显示科目</b>、<b>显示班级</b>：决定格子里显示什么。</li>
<li><b>分布情况</b>：打开每位教师每节、每天课时数的统计表，检查有没有把课集中在一天。</li>
<li><b>导出打印</b>：打开打印预览，打印总任课表和分布情况；也可以在预览里选择打印机或保存为 PDF。</li>
</ul>
)";
}

} // namespace tabrel
