#include "term/TermCalendar.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

TermCalendar::TermCalendar(const DataSet& ds) : TermCalendar(ds.extension.term, ds.dayNames) {}

TermCalendar::TermCalendar(const TermRecord& term, const std::vector<std::string>& dayNames)
    : term_(term), dayNames_(dayNames)
{
}

std::string TermCalendar::parityText(DayNumber date) const
{
    return oddWeek(date) ? GBK("单") : GBK("双");
}

bool TermCalendar::isDayOff(DayNumber date) const
{
    return std::any_of(term_.daysOff.begin(), term_.daysOff.end(),
                       [date](const DaysOff& d) { return date >= d.from && date <= d.to; });
}

const MakeUpDay* TermCalendar::makeUp(DayNumber date) const
{
    for (const MakeUpDay& m : term_.makeUpDays)
        if (m.date == date)
            return &m;
    return nullptr;
}

int TermCalendar::column(DayNumber date) const
{
    if (!contains(date))
        return -1;
    if (!makeUp(date) && isDayOff(date))
        return -1;
    return timetableColumn(dayNames_, term_, date);
}

std::string TermCalendar::shortDateText(DayNumber date) const
{
    int y = 0, m = 0, d = 0;
    civilFromDays(date, y, m, d);
    std::string out = gbk::formatInt(m) + GBK("月") + gbk::formatInt(d) + GBK("日（") + weekdayName(weekdayOf(date));
    if (const MakeUpDay* mu = makeUp(date))
        out += GBK("，上") + mu->follows + GBK("的课");
    return out + GBK("）");
}

std::string TermCalendar::longDateText(DayNumber date)
{
    int y = 0, m = 0, d = 0;
    civilFromDays(date, y, m, d);
    return gbk::formatInt(y) + GBK("年") + gbk::formatInt(m) + GBK("月") + gbk::formatInt(d) + GBK("日 ")
           + weekdayName(weekdayOf(date));
}

std::string termRefusal(const TermRecord& term, const std::vector<std::string>& dayNames)
{
    if (term.weeks < 1 || term.weeks > MaxTermWeeks)
        return GBK("学期周数须在 1 到 ") + gbk::formatInt(MaxTermWeeks) + GBK(" 之间");
    const TermCalendar cal(term, dayNames);
    for (const DaysOff& d : term.daysOff) {
        if (d.to < d.from)
            return GBK("放假日期 ") + isoDate(d.from) + ".." + isoDate(d.to) + GBK(" 的结束日早于开始日");
        if (!cal.contains(d.from) || !cal.contains(d.to))
            return GBK("放假日期 ") + isoDate(d.from) + GBK(" 不在学期之内");
    }
    for (std::size_t i = 0; i < term.makeUpDays.size(); ++i) {
        const MakeUpDay& m = term.makeUpDays[i];
        if (weekdayOf(m.date) < 5)
            return GBK("补课日 ") + isoDate(m.date) + GBK(" 不是星期六或星期日");
        if (!cal.contains(m.date))
            return GBK("补课日 ") + isoDate(m.date) + GBK(" 不在学期之内");
        if (std::find(dayNames.begin(), dayNames.end(), m.follows) == dayNames.end())
            return GBK("补课日 ") + isoDate(m.date) + GBK(" 所上的“") + m.follows + GBK("”不是课表中的一天");
        for (std::size_t j = 0; j < i; ++j)
            if (term.makeUpDays[j].date == m.date)
                return GBK("补课日 ") + isoDate(m.date) + GBK(" 设置了两次");
    }
    return {};
}

} // namespace tabrel
