#include "output/TotalScheduleTable.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "views/Canvas.h"
#include "output/WorkbookExports.h"

namespace tabrel {

namespace {

constexpr Rgb Line{TotalScheduleTable::LineGrey, TotalScheduleTable::LineGrey, TotalScheduleTable::LineGrey};

TextStyle centred(int height)
{
    TextStyle s;
    s.height = height;
    s.flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip;
    return s;
}

// The characters of a text, one by one.
std::vector<std::string> characters(const std::string& s)
{
    std::vector<std::string> out;
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = gbk::charBytes(s, i);
        out.push_back(s.substr(i, n));
        i += n;
    }
    return out;
}

// Two texts one above the other in two bands.
void stacked(Canvas& canvas, int left, int right, int top1, int bottom1, int top2, int bottom2,
             const std::string& text, int height)
{
    auto [upper, lower] = splitLeadingBytes(text, 2);
    lower = splitLeadingBytes(lower, 2).first;
    canvas.drawText({left, top1, right, bottom1}, upper, centred(height));
    if (!lower.empty())
        canvas.drawText({left, top2, right, bottom2}, lower, centred(height));
}

} // namespace

std::pair<std::string, std::string> splitLeadingBytes(const std::string& s, std::size_t bytes)
{
    // At least the first character, even when it is longer than `bytes`.
    const std::size_t at = s.empty() ? 0 : std::max(gbk::firstBytes(s, bytes).size(), gbk::charBytes(s, 0));
    return {s.substr(0, at), s.substr(at)};
}

std::string style1TeacherText(const std::string& teacher)
{
    return shortTeacherText(teacher == GBK("专门人") ? GBK("专人") : teacher);
}

TotalScheduleTable::TotalScheduleTable(const DataSet& ds, int classes, int clientHeight)
{
    T_ = ds.gridPeriods();
    D_ = ds.gridDays();
    U_ = std::clamp(ds.earlyReadingCount + ds.morningCount, 0, T_);
    n_ = std::max(classes, 0);
    R_ = std::max(clientHeight, 0) / (T_ + 3);
}

int TotalScheduleTable::gridRight() const
{
    return BodyLeft + D_ * n_ * ColumnWidth + std::max(D_ - 1, 0);
}

int TotalScheduleTable::periodTop(int p) const
{
    if (p < U_ || (p == U_ && U_ == T_))
        return firstPeriodTop() + p * R_;
    return firstPeriodTop() + p * R_ + R_ / 4;
}

int TotalScheduleTable::columnLeft(int k, int first) const
{
    if (n_ == 0)
        return BodyLeft;
    auto full = [&](int c) { return BodyLeft + c * ColumnWidth + c / n_; };
    return full(k) - full(first) + BodyLeft;
}

int TotalScheduleTable::columnAt(int x) const
{
    for (int k = 0; k < columnCount(); ++k)
        if (x >= columnLeft(k) && x < columnLeft(k) + ColumnWidth)
            return k;
    return -1;
}

void TotalScheduleTable::draw(Canvas& canvas, const DataSet& ds, const std::vector<const ClassTable*>& selected,
                              const Style1Options& o, int first, int last, int visLeft, int visRight) const
{
    const int V = ColumnWidth, R = R_;
    const int n = std::min<int>(n_, static_cast<int>(selected.size()));
    const int K = D_ * n;
    first = std::clamp(first, 0, K);
    last = last < 0 ? K : std::clamp(last, first, K);
    const int shown = last - first;
    // Right edge of the drawn part: the last drawn column plus the day gaps inside the range.
    const int right = shown > 0 ? columnLeft(last - 1, first) + V : gridRight();
    const int lineLeft = std::max(FirstLabelLeft, visLeft), lineRight = std::min(right, visRight);
    const int y0 = gridTop(), classTop = classRowTop(), upperTop = firstPeriodTop();
    const int upperBottom = upperTop + U_ * R, lowerTop = upperBottom + R / 4, bottom = gridBottom();
    auto visible = [&](int l, int r) { return r > visLeft && l < visRight; };

    // Title over the drawn columns and the labels.
    TextStyle titleStyle = centred(std::max(titleBottom() - 8, 1));
    titleStyle.flags |= text::EndEllipsis;
    canvas.drawText({FirstLabelLeft, 8, (shown + 2) * V, titleBottom()}, ds.scheduleTitle, titleStyle);

    // Label texts.
    const TextStyle label = centred(std::min(20, std::max(R / 3, 8)));
    canvas.drawText({FirstLabelLeft, y0, BodyLeft, classTop}, GBK("时 间"), label);
    canvas.drawText({FirstLabelLeft, classTop, BodyLeft, upperTop}, GBK("班 级"), label);
    auto section = [&](int top, int bottom2, const char* a, const char* b) {
        if (bottom2 <= top)
            return;
        const int mid = (top + bottom2) / 2;
        canvas.drawText({FirstLabelLeft, top, 60, mid}, gbk::literal(a), label);
        canvas.drawText({FirstLabelLeft, mid, 60, bottom2}, gbk::literal(b), label);
    };
    section(upperTop, upperBottom, "上", "午");
    section(lowerTop, bottom, "下", "午");
    for (int p = 0; p < T_; ++p)
        canvas.drawText({60, periodTop(p), BodyLeft, periodTop(p) + R}, gbk::formatInt(p + 1), label);

    // Day names centred over the day's drawn columns.
    for (int d = 0; d < D_ && n > 0; ++d) {
        const int a = std::max(first, d * n), b = std::min(last, d * n + n);
        if (a >= b)
            continue;
        const int l = columnLeft(a, first), r = columnLeft(b - 1, first) + V;
        if (visible(l, r))
            canvas.drawText({l, y0, r, classTop}, masterDayName(d), label);
    }

    // Class names and cells.
    const TextStyle nameStyle = centred(std::min(20, std::max((2 * R / 3) / 2, 8)));
    const int classMid = classTop + (upperTop - classTop) / 2;
    for (int k = first; k < last; ++k) {
        const int l = columnLeft(k, first), r = l + V;
        if (!visible(l, r))
            continue;
        const int d = k / n;
        const ClassTable& c = *selected[k % n];
        if (c.name.size() < 3) {
            canvas.drawText({l, classTop, r, upperTop}, c.name, nameStyle);
        } else if (c.name.size() <= 4) {
            stacked(canvas, l, r, classTop, classMid, classMid, upperTop, c.name, nameStyle.height);
        } else {
            // A longer name is drawn whole, one character under the other (brackets left out), so
            // that 初一(1) and 初一(2) stay apart.
            std::vector<std::string> chars;
            for (const std::string& ch : characters(c.name))
                if (ch != "(" && ch != ")" && ch != GBK("（") && ch != GBK("）"))
                    chars.push_back(ch);
            const int count = std::max<int>(chars.size(), 1);
            const int h = std::clamp((upperTop - classTop) / count, 6, 20);
            const int top = classTop + (upperTop - classTop - h * count) / 2;
            for (int i = 0; i < count && i < static_cast<int>(chars.size()); ++i)
                canvas.drawText({l, top + i * h, r, top + (i + 1) * h}, chars[i], centred(h));
        }
        for (int p = 0; p < T_; ++p) {
            const int y = periodTop(p);
            const LessonCell& cell = c.cells[p][d];
            const std::string& s = cell.subject == "empty" ? std::string() : cell.subject;
            const std::string t = style1TeacherText(cell.teacher);
            if (o.showSubject && !s.empty()) {
                const int h = std::min(20, std::max(R / 3, 8));
                if (o.showTeacher) {
                    if (s.size() >= 4)
                        stacked(canvas, l, r, y + 1, y + R / 3, y + R / 3, y + 2 * R / 3 - 1, s, h);
                    else
                        canvas.drawText({l, y + 1, r, y + 2 * R / 3 - 1}, s, centred(h));
                } else {
                    if (s.size() >= 4)
                        stacked(canvas, l, r, y + 6, y + R / 2, y + R / 2, y + R - 6, s, h);
                    else
                        canvas.drawText({l, y + 6, r, y + R - 6}, s, centred(h));
                }
            }
            if (o.showTeacher && !t.empty()) {
                if (o.showSubject)
                    canvas.drawText({l, y + 2 * R / 3, r, y + R - R / 12}, t, centred(V / 2));
                else
                    stacked(canvas, l, r, y + 6, y + R / 2, y + R / 2, y + R - 6, t,
                            std::min(20, std::max(R / 3, 8)));
            }
        }
    }

    // Common periods: one white box over every run of adjacent classes with the same name.
    for (int d = 0; d < D_ && n > 0; ++d) {
        const int a = std::max(first, d * n), b = std::min(last, d * n + n);
        for (int p = 0; p < T_; ++p) {
            const int y = periodTop(p);
            for (int k = a; k < b;) {
                const std::string& name = selected[k % n]->commonPeriods[p][d];
                int e = k + 1;
                if (!name.empty())
                    while (e < b && selected[e % n]->commonPeriods[p][d] == name)
                        ++e;
                if (!name.empty()) {
                    const int l = columnLeft(k, first) + 1, r = columnLeft(e - 1, first) + V - 1;
                    if (visible(l, r)) {
                        canvas.fillRect({l, y + 1, r, y + R - 1}, colors::White);
                        const std::vector<std::string> chars = characters(name);
                        const int count = static_cast<int>(chars.size());
                        if (e - k == 1 && count > 1) {
                            // One column is too narrow for the name on one line: one character
                            // under the other.
                            const int h = std::min(20, std::max((R - 2) / count, 6));
                            const int top = y + (R - h * count) / 2;
                            for (int i = 0; i < count; ++i)
                                canvas.drawText({l, top + i * h, r, top + (i + 1) * h}, chars[i], centred(h));
                        } else {
                            canvas.drawText({l, y + 1, r, y + R - 1}, name, centred(std::min(20, std::max(R / 3, 8))));
                        }
                    }
                }
                k = e;
            }
        }
    }

    // Lines.
    auto hline = [&](int x1, int y) {
        const int l = std::max(x1, visLeft);
        if (l < lineRight)
            canvas.drawLine(l, y, lineRight, y, Line);
    };
    hline(FirstLabelLeft, y0);
    hline(FirstLabelLeft, classTop);
    hline(FirstLabelLeft, upperTop);
    hline(FirstLabelLeft, upperBottom);
    if (T_ > U_)
        hline(FirstLabelLeft, lowerTop);
    hline(FirstLabelLeft, bottom);
    for (int p = 1; p < T_; ++p)
        if (p != U_)
            hline(60, periodTop(p));
    auto vline = [&](int x, int y1, int y2) {
        if (x >= visLeft && x <= visRight && y2 > y1)
            canvas.drawLine(x, y1, x, y2, Line);
    };
    (void)lineLeft;
    vline(FirstLabelLeft, y0, bottom + 1);
    vline(60, upperTop, upperBottom);
    vline(60, lowerTop, bottom);
    vline(BodyLeft, y0, bottom + 1);
    vline(right, y0, bottom + 1);
    for (int k = first + 1; k < last; ++k) {
        const int x = columnLeft(k, first);
        if (k % n == 0) {
            // The double line between two days.
            vline(x - 1, y0, bottom + 1);
            vline(x, y0, bottom + 1);
        } else {
            vline(x, classTop, upperBottom);
            vline(x, lowerTop, bottom);
        }
    }
}

} // namespace tabrel
