#include "data/CalendarDate.h"

#include <array>
#include <cstdio>

#include "data/Gbk.h"

namespace tabrel {

// The civil-calendar conversions of H. Hinnant's "chrono-compatible low-level date algorithms".
DayNumber daysFromCivil(int y, int m, int d)
{
    y -= m <= 2;
    const int era = (y >= 0 ? y : y - 399) / 400;
    const int yoe = y - era * 400;
    const int doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civilFromDays(DayNumber z, int& year, int& month, int& day)
{
    z += 719468;
    const int era = (z >= 0 ? z : z - 146096) / 146097;
    const int doe = z - era * 146097;
    const int yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int mp = (5 * doy + 2) / 153;
    day = doy - (153 * mp + 2) / 5 + 1;
    month = mp < 10 ? mp + 3 : mp - 9;
    year = yoe + era * 400 + (month <= 2);
}

std::optional<DayNumber> parseIsoDate(std::string_view t)
{
    if (t.size() != 10 || t[4] != '-' || t[7] != '-')
        return std::nullopt;
    auto digits = [&](std::size_t from, std::size_t n, int& v) {
        v = 0;
        for (std::size_t i = from; i < from + n; ++i) {
            if (t[i] < '0' || t[i] > '9')
                return false;
            v = v * 10 + (t[i] - '0');
        }
        return true;
    };
    int y = 0, m = 0, d = 0;
    if (!digits(0, 4, y) || !digits(5, 2, m) || !digits(8, 2, d))
        return std::nullopt;
    if (y < 1900 || y > 2999 || m < 1 || m > 12 || d < 1)
        return std::nullopt;
    static const int lengths[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
    if (d > lengths[m - 1] + (m == 2 && leap))
        return std::nullopt;
    return daysFromCivil(y, m, d);
}

std::string isoDate(DayNumber days)
{
    int y = 0, m = 0, d = 0;
    civilFromDays(days, y, m, d);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", y, m, d);
    return buf;
}

int weekdayOf(DayNumber days)
{
    // 1970-01-01 was a Thursday (3).
    const int w = (days % 7 + 7 + 3) % 7;
    return w;
}

const std::string& weekdayName(int weekday)
{
    static const std::array<std::string, 8> names = [] {
        const char* utf8[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
        std::array<std::string, 8> out;
        for (int i = 0; i < 7; ++i)
            out[i] = gbk::literal(utf8[i]);
        return out;
    }();
    return names[weekday >= 0 && weekday < 7 ? weekday : 7];
}

} // namespace tabrel
