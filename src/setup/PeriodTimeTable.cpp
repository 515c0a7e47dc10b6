#include "setup/PeriodTimeTable.h"

#include "data/ClipboardTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

void PeriodTimeTable::load(const DataSet& ds)
{
    rows_.clear();
    const int periods = std::min(ds.periodsPerDay(), TimeSlotCount);
    for (int n = 0; n < periods; ++n) {
        if (!ds.commonRowNames[n].empty())
            rows_.push_back({ds.commonRowNames[n], "p" + gbk::formatInt(n), ds.commonRowStarts[n], ds.commonRowEnds[n]});
        rows_.push_back({ds.periodLabel(n), "c" + gbk::formatInt(n), ds.periodStarts[n], ds.periodEnds[n]});
    }
    lessonText = gbk::formatInt(ds.lessonMinutes);
    breakText = gbk::formatInt(ds.breakMinutes);
}

bool PeriodTimeTable::setText(int row, int column, const std::string& text)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return false;
    if (column == StartColumn)
        rows_[row].start = text;
    else if (column == EndColumn)
        rows_[row].end = text;
    else
        return false;
    return true;
}

const std::string& PeriodTimeTable::text(int row, int column) const
{
    static const std::string none;
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return none;
    const Row& r = rows_[row];
    return column == NameColumn ? r.name : column == StartColumn ? r.start : column == EndColumn ? r.end : none;
}

int PeriodTimeTable::paste(int row, int column, const std::string& text)
{
    int written = 0;
    const auto lines = cutClipboardTable(text);
    for (std::size_t i = 0; i < lines.size(); ++i)
        for (std::size_t j = 0; j < lines[i].size(); ++j)
            if (setText(row + static_cast<int>(i), column + static_cast<int>(j), lines[i][j]))
                ++written;
    return written;
}

std::string PeriodTimeTable::normalise(const std::string& text)
{
    const std::string& wide = GBK("：");
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text.compare(i, wide.size(), wide) == 0) {
            out += ':';
            i += wide.size();
        } else {
            // A GBK lead byte takes its trail byte with it, so a trail byte is never matched.
            const bool lead = static_cast<unsigned char>(text[i]) >= 0x81 && i + 1 < text.size();
            out.append(text, i, lead ? 2 : 1);
            i += lead ? 2 : 1;
        }
    }
    return out;
}

std::string PeriodTimeTable::formatTime(int minutes)
{
    return gbk::formatInt(minutes / 60) + ":" + gbk::formatInt(minutes % 60);
}

std::string PeriodTimeTable::fillForward(int row, int column)
{
    if (row < 0 || row >= static_cast<int>(rows_.size()) || column == NameColumn)
        return GBK("请选择有时间的某个单元格");
    const std::string t = normalise(text(row, column));
    const auto colon = t.find(':');
    if (colon == std::string::npos || colon == 0)
        return GBK("当前时间不符合格式，请参照 8:30 录入");
    long long running = static_cast<long long>(gbk::leadingInt(t.substr(0, colon))) * 60 +
                        gbk::leadingInt(t.substr(colon + 1));
    const int lesson = gbk::leadingInt(lessonText);
    const int pause = gbk::leadingInt(breakText);
    auto format = [](long long minutes) {
        // Hours are not wrapped; a negative start stays as the arithmetic gives it.
        if (minutes < 0)
            return gbk::formatInt(minutes / 60) + ":" + gbk::formatInt(-(minutes % 60));
        return gbk::formatInt(minutes / 60) + ":" + gbk::formatInt(minutes % 60);
    };
    int r = row, c = column;
    for (;;) {
        if (c == StartColumn) {
            running += lesson;
            rows_[r].end = format(running);
            c = EndColumn;
            continue;
        }
        if (r + 1 >= static_cast<int>(rows_.size()))
            break;
        std::string next;
        if (rows_[r].key[0] == rows_[r + 1].key[0]) {
            running += pause;
            next = format(running);
        } else {
            next = rows_[r].end;
        }
        ++r;
        rows_[r].start = next;
        c = StartColumn;
    }
    return {};
}

bool PeriodTimeTable::apply(DataSet& ds) const
{
    bool changed = false;
    auto store = [&changed](std::string& field, const std::string& value) {
        if (field != value) {
            field = value;
            changed = true;
        }
    };
    for (const Row& row : rows_) {
        const int n = gbk::leadingInt(row.key.substr(1));
        if (n < 0 || n >= TimeSlotCount)
            continue;
        if (row.key[0] == 'c') {
            store(ds.periodStarts[n], normalise(row.start));
            store(ds.periodEnds[n], normalise(row.end));
        } else {
            store(ds.commonRowStarts[n], normalise(row.start));
            store(ds.commonRowEnds[n], normalise(row.end));
        }
    }
    return changed;
}

} // namespace tabrel
