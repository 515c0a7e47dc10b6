#pragma once
// The term calendar of a school: which dates are in the term, their week and its parity, days off,
// make-up days, and the column of the weekly timetable each teaching day follows.
#include <string>
#include <vector>

#include "data/SchoolExtension.h"

namespace tabrel {

class DataSet;

class TermCalendar {
public:
    explicit TermCalendar(const DataSet& dataSet);
    TermCalendar(const TermRecord& term, const std::vector<std::string>& dayNames);

    bool isSet() const { return term_.isSet(); }
    const TermRecord& term() const { return term_; }
    DayNumber firstDay() const { return term_.start; }
    // The Sunday of the last week.
    DayNumber lastDay() const { return mondayOf(term_.start) + 7 * term_.weeks - 1; }
    // From the first teaching day to the end of the last week; nothing while no term is set.
    bool contains(DayNumber date) const { return isSet() && date >= term_.start && date <= lastDay(); }
    // 1-based; week 1 starts on the Monday of the first teaching day's week.
    int week(DayNumber date) const { return (date - mondayOf(term_.start)) / 7 + 1; }
    bool oddWeek(DayNumber date) const { return week(date) % 2 == 1; }
    // "单" or "双" (GBK).
    std::string parityText(DayNumber date) const;
    bool isDayOff(DayNumber date) const;
    const MakeUpDay* makeUp(DayNumber date) const;
    // The weekly timetable column the date follows, or -1 when no lessons are held that day (outside
    // the term, a day off, a weekend that is no make-up day). A make-up day wins over a day off.
    int column(DayNumber date) const;
    bool isTeachingDay(DayNumber date) const { return column(date) >= 0; }

    // "3月12日（星期四）" (GBK); a make-up day adds "，上星期五的课".
    std::string shortDateText(DayNumber date) const;
    // "2027年3月1日 星期一" (GBK).
    static std::string longDateText(DayNumber date);

private:
    TermRecord term_;
    std::vector<std::string> dayNames_;
};

// Why a term cannot be set on this school (GBK), "" when it can: weeks outside 1 … MaxTermWeeks,
// a day off outside the term or reversed, a make-up day that is not a Saturday or Sunday of the
// term, or whose weekday is not one of dayNames.
std::string termRefusal(const TermRecord& term, const std::vector<std::string>& dayNames);

} // namespace tabrel
