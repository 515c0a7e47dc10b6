#include "output/TotalScheduleOne.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/TotalScheduleTable.h"

namespace tabrel {

namespace {

TextStyle centred(const std::string& face, int height)
{
    TextStyle s;
    s.face = face;
    s.height = height;
    s.flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip;
    return s;
}

} // namespace

TotalScheduleOne::TotalScheduleOne(const DataSet& ds, int width, int height, int rows)
{
    T_ = ds.gridPeriods();
    D_ = ds.gridDays();
    W_ = std::max(width, 0);
    H_ = std::max(height, 0);
    rows_ = std::max(rows, 1);
}

int TotalScheduleOne::columnX(int u) const { return u * W_ / (T_ * D_ + 1); }

int TotalScheduleOne::rowTop(int r) const { return (r * H_ * 8 / 9) / rows_ + H_ / 9; }

Rect TotalScheduleOne::slotRect(int row, int day, int period) const
{
    const int u = day * T_ + period + 1;
    return {columnX(u), rowTop(row), columnX(u + 1), rowTop(row + 1)};
}

int TotalScheduleOne::nameRowAt(int x, int y) const
{
    if (x < columnX(0) || x >= columnX(1))
        return -1;
    for (int r = 0; r < rows_; ++r)
        if (y >= rowTop(r) && y < rowTop(r + 1))
            return r;
    return -1;
}

int TotalScheduleOne::clampFirstRow(int firstRow, int classes)
{
    return std::clamp(firstRow, 0, std::max(classes - 1, 0));
}

void TotalScheduleOne::drawRows(Canvas& canvas, const DataSet& ds, const std::vector<const ClassTable*>& selected,
                                const Style2Options& o, int firstRow, const std::vector<bool>& marked) const
{
    const int H = H_, W = W_;
    const int columns = T_ * D_ + 1;
    const Rgb black = colors::Black;
    const int headerTextHeight = std::clamp(H / 18 - 4, 8, 16);

    canvas.fillRect({0, 0, W, H}, colors::White);
    canvas.fillRect({0, 0, W, H / 9}, HeaderGrey);
    canvas.fillRect({0, 0, columnX(1), H}, HeaderGrey);
    // Sunken border.
    canvas.drawLine(0, 0, W, 0, Rgb{100, 100, 100});
    canvas.drawLine(0, 0, 0, H, Rgb{100, 100, 100});
    canvas.drawLine(0, H - 1, W, H - 1, colors::White);
    canvas.drawLine(W - 1, 0, W - 1, H, colors::White);

    const TextStyle header = centred("", headerTextHeight);
    canvas.drawText({0, H / 90, columnX(1), H / 18}, GBK("总课"), header);
    canvas.drawText({0, H / 18, columnX(1), H / 9 - H / 90}, GBK("程表"), header);
    for (int d = 0; d < D_; ++d) {
        const std::string dayName = d < ds.dayCount() ? ds.dayNames[d] : std::string();
        canvas.drawText({columnX(d * T_ + 1), 0, columnX(d * T_ + T_ + 1), H / 18}, dayName, header);
        for (int p = 0; p < T_; ++p)
            canvas.drawText({columnX(d * T_ + p + 1), H / 18, columnX(d * T_ + p + 2), H / 9}, gbk::formatInt(p + 1),
                            header);
    }

    // Grid lines.
    for (int r = 0; r <= rows_; ++r)
        canvas.drawLine(0, rowTop(r), W, rowTop(r), black);
    for (int u = 1; u <= columns; ++u) {
        const bool dayEdge = (u - 1) % std::max(T_, 1) == 0;
        canvas.drawLine(columnX(u), dayEdge ? 0 : H / 18, columnX(u), H, black);
    }

    const TextStyle nameStyle = centred(GBK("楷体_GB2312"), 12);
    const TextStyle teacherStyle = centred(GBK("楷体_GB2312"), 12);
    const TextStyle subjectStyle = centred(GBK("宋体"), o.subjectFontSize * 3 / 2);
    for (int r = 0; r < rows_; ++r) {
        const int i = firstRow + r;
        if (i < 0 || i >= static_cast<int>(selected.size()))
            break;
        const ClassTable& c = *selected[i];
        // A name wider than its column goes on two lines: its first two characters, then the rest.
        const Rect nameRect{columnX(0), rowTop(r), columnX(1), rowTop(r + 1)};
        if (static_cast<int>(c.name.size()) * nameStyle.height / 2 > nameRect.width() && c.name.size() > 4) {
            auto [upper, lower] = splitLeadingBytes(c.name, 4);
            const int mid = (nameRect.top + nameRect.bottom) / 2;
            canvas.drawText({nameRect.left, nameRect.top, nameRect.right, mid}, upper, nameStyle);
            canvas.drawText({nameRect.left, mid, nameRect.right, nameRect.bottom}, lower, nameStyle);
        } else {
            canvas.drawText(nameRect, c.name, nameStyle);
        }
        for (int d = 0; d < D_; ++d)
            for (int p = 0; p < T_; ++p) {
                Rect slot = slotRect(r, d, p);
                slot.left += 1;
                slot.top += 1;
                if (i < static_cast<int>(marked.size()) && marked[i])
                    canvas.fillRect(slot, MarkColour);
                const LessonCell& cell = c.cells[p][d];
                std::string subject = c.commonPeriods[p][d];
                std::string teacher;
                if (subject.empty()) {
                    subject = cell.subject == "empty" ? std::string() : cell.subject;
                    teacher = o.nameStyle == 1 ? gbk::shortName(cell.teacher) : cell.teacher;
                }
                const bool withTeacher = o.showTeacher && !teacher.empty();
                Rect subjectArea = slot;
                if (withTeacher && o.showSubject)
                    subjectArea.bottom = slot.top + slot.height() * 2 / 3;
                if (o.showSubject && !subject.empty()) {
                    auto [upper, rest] = splitLeadingBytes(subject, 2);
                    const std::string lower = splitLeadingBytes(rest, 2).first;
                    const int top = subjectArea.top + 3;
                    const int h = subjectStyle.height;
                    if (lower.empty()) {
                        canvas.drawText({slot.left, top, slot.right, subjectArea.bottom}, upper, subjectStyle);
                    } else {
                        const int mid = std::max(top + h, (top + subjectArea.bottom) / 2);
                        canvas.drawText({slot.left, top, slot.right, mid}, upper, subjectStyle);
                        canvas.drawText({slot.left, mid, slot.right, std::max(subjectArea.bottom, mid + h)}, lower,
                                        subjectStyle);
                    }
                }
                if (withTeacher) {
                    Rect area = slot;
                    if (o.showSubject)
                        area.top = slot.top + slot.height() * 2 / 3;
                    // A name wider than the slot is drawn smaller (down to 8 pixels) rather than cut.
                    TextStyle fitted = teacherStyle;
                    const int bytes = static_cast<int>(teacher.size());
                    if (bytes * fitted.height / 2 > area.width())
                        fitted.height = std::max(8, 2 * area.width() / std::max(bytes, 1));
                    canvas.drawText(area, teacher, fitted);
                }
            }
    }
}

} // namespace tabrel
