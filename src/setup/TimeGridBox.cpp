#include "setup/TimeGridBox.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {
int32_t& countField(DataSet& ds, DaySection s)
{
    switch (s) {
    case DaySection::EarlyReading:
        return ds.earlyReadingCount;
    case DaySection::Morning:
        return ds.morningCount;
    case DaySection::Afternoon:
        return ds.afternoonCount;
    case DaySection::Evening:
        break;
    }
    return ds.eveningCount;
}
} // namespace

const std::string& TimeGridBox::sectionLabel(DaySection s)
{
    static const std::array<std::string, DaySectionCount> labels = {
        gbk::literal("早读:"), gbk::literal("上午:"), gbk::literal("下午:"), gbk::literal("晚上:")};
    return labels[static_cast<int>(s)];
}

int TimeGridBox::sectionMaximum(DaySection s)
{
    static constexpr int maxima[] = {MaxEarlyReading, MaxMorning, MaxAfternoon, MaxEvening};
    return maxima[static_cast<int>(s)];
}

int TimeGridBox::sectionCount(const DataSet& ds, DaySection s)
{
    return countField(const_cast<DataSet&>(ds), s);
}

const std::array<std::string, DayColumns>& TimeGridBox::weekDayNames()
{
    static const std::array<std::string, DayColumns> names = {
        gbk::literal("星期一"), gbk::literal("星期二"), gbk::literal("星期三"), gbk::literal("星期四"),
        gbk::literal("星期五"), gbk::literal("星期六"), gbk::literal("星期日")};
    return names;
}

std::string TimeGridBox::stepRefusal(const DataSet& ds, DaySection s, int step)
{
    if (step > 0 && sectionCount(ds, s) < sectionMaximum(s) && ds.periodsPerDay() >= MaxPeriodsPerDay)
        return GBK("每天最多12节课，不能再增加");
    return {};
}

bool TimeGridBox::step(DataSet& ds, DaySection s, int step)
{
    int32_t& count = countField(ds, s);
    if (step > 0) {
        if (count >= sectionMaximum(s) || ds.periodsPerDay() >= MaxPeriodsPerDay)
            return false;
        ++count;
        return true;
    }
    if (step < 0 && count > 0) {
        --count;
        return true;
    }
    return false;
}

std::string TimeGridBox::stepName(DaySection s, int step)
{
    static const char* names[] = {"早读", "上午", "下午", "晚上"};
    return (step > 0 ? GBK("增加") : GBK("减少")) + gbk::literal(names[static_cast<int>(s)]) + GBK("节数");
}

std::array<bool, DayColumns> TimeGridBox::tickedDays(const DataSet& ds)
{
    std::array<bool, DayColumns> ticked{};
    for (int d = 0; d < DayColumns; ++d)
        ticked[d] = std::find(ds.dayNames.begin(), ds.dayNames.end(), weekDayNames()[d]) != ds.dayNames.end();
    return ticked;
}

bool TimeGridBox::setTeachingDays(DataSet& ds, const std::array<bool, DayColumns>& ticked)
{
    std::vector<std::string> days;
    for (int d = 0; d < DayColumns; ++d)
        if (ticked[d])
            days.push_back(weekDayNames()[d]);
    if (days == ds.dayNames)
        return false;
    ds.dayNames = std::move(days);
    return true;
}

TimeGridBox::Layout TimeGridBox::layout(int width, int height)
{
    Layout l;
    const int line = std::clamp(height / 9, 22, 34);
    const int x0 = 10;
    int y = 4;
    l.title = Rect{0, y, width, y + line};
    y += line + 4;
    l.daysText = Rect{x0, y, x0 + 90, y + line};
    l.changeDays = Rect{x0 + 96, y, std::min(width - 4, x0 + 186), y + line};
    y += line + 4;
    for (int s = 0; s < DaySectionCount; ++s) {
        l.label[s] = Rect{x0, y, x0 + 50, y + line};
        l.count[s] = Rect{x0 + 54, y + 3, x0 + 90, y + line - 3};
        l.unit[s] = Rect{x0 + 94, y, x0 + 116, y + line};
        l.up[s] = Rect{x0 + 122, y + 2, x0 + 122 + line - 4, y + line - 2};
        l.down[s] = Rect{x0 + 126 + line - 4, y + 2, x0 + 126 + 2 * (line - 4), y + line - 2};
        y += line;
    }
    y += 4;
    l.periodTimes = Rect{x0, y, x0 + 90, y + line};
    l.commonPeriods = Rect{x0 + 100, y, std::min(width - 4, x0 + 190), y + line};
    y += line;
    l.note = Rect{x0, y, width - 4, y + line};
    return l;
}

TimeGridBox::Hit TimeGridBox::hitTest(int width, int height, int x, int y)
{
    const Layout l = layout(width, height);
    if (l.changeDays.contains(x, y))
        return {Target::ChangeDays};
    if (l.periodTimes.contains(x, y))
        return {Target::PeriodTimes};
    if (l.commonPeriods.contains(x, y))
        return {Target::CommonPeriods};
    for (int s = 0; s < DaySectionCount; ++s) {
        if (l.up[s].contains(x, y))
            return {Target::Up, static_cast<DaySection>(s)};
        if (l.down[s].contains(x, y))
            return {Target::Down, static_cast<DaySection>(s)};
    }
    return {};
}

} // namespace tabrel
