#pragma once
// Calendar dates as whole days since 1970-01-01 (proleptic Gregorian), written ISO "YYYY-MM-DD"
// in files, JSON and on the command line.
#include <optional>
#include <string>
#include <string_view>

namespace tabrel {

using DayNumber = int; // days since 1970-01-01

DayNumber daysFromCivil(int year, int month, int day);
void civilFromDays(DayNumber days, int& year, int& month, int& day);
// A strict "YYYY-MM-DD" (years 1900–2999, a real day of the month); nothing otherwise.
std::optional<DayNumber> parseIsoDate(std::string_view text);
std::string isoDate(DayNumber days);
// 0 = Monday … 6 = Sunday.
int weekdayOf(DayNumber days);
// "星期一" … "星期日" (GBK) for 0 … 6.
const std::string& weekdayName(int weekday); // "" outside 0 … 6
// The Monday of the date's week.
inline DayNumber mondayOf(DayNumber days) { return days - weekdayOf(days); }

} // namespace tabrel
