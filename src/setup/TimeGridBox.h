#pragma once
// The box "上课天数及每天节数" of the class-grid definition panel: the teaching days with
// "更改天数", the four sections of a day with their counts and arrows, and the texts "节次时间..."
// and "公共时段...". The arrows and the day dialog change the school through the DataSet they are
// given and say whether they changed it. Texts are GBK.
#include <array>
#include <string>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class DataSet;

enum class DaySection { EarlyReading, Morning, Afternoon, Evening };
inline constexpr int DaySectionCount = 4;

// The most periods a day holds: the rows of every timetable grid.
inline constexpr int MaxPeriodsPerDay = MaxPeriodRows;

class TimeGridBox {
public:
    static const std::string& sectionLabel(DaySection s); // "早读:" …
    static int sectionMaximum(DaySection s);               // 2, 6, 6, 4
    static int sectionCount(const DataSet& ds, DaySection s);
    static const std::array<std::string, DayColumns>& weekDayNames(); // "星期一" … "星期日"

    // Why the arrow does nothing ("" when it changes the count): at a section's bounds nothing is
    // said; at the most periods a day holds the box says why.
    static std::string stepRefusal(const DataSet& ds, DaySection s, int step);
    // Up (+1) or down (-1) arrow: the count within its bounds and the day within 12 periods.
    // Stored rows keep their index: only their labels change.
    static bool step(DataSet& ds, DaySection s, int step);
    static std::string stepName(DaySection s, int step); // "增加上午节数" …

    // The day dialog "设置有课的天数": which of the seven days are ticked, and closing it.
    static std::array<bool, DayColumns> tickedDays(const DataSet& ds);
    static bool setTeachingDays(DataSet& ds, const std::array<bool, DayColumns>& ticked);

    // ---- geometry of the box ----
    enum class Target { None, ChangeDays, Up, Down, PeriodTimes, CommonPeriods };
    struct Hit {
        Target target = Target::None;
        DaySection section = DaySection::EarlyReading;
    };
    struct Layout {
        Rect title;                              // "上课天数及每天节数"
        Rect daysText, changeDays;               // "共上 N 天", "更改天数"
        std::array<Rect, DaySectionCount> label, count, unit, up, down;
        Rect periodTimes, commonPeriods, note;   // "节次时间...", "公共时段...", the refusal line
    };
    static Layout layout(int width, int height);
    static Hit hitTest(int width, int height, int x, int y);

    // The last refusal of an arrow, shown in the box until the next change.
    const std::string& note() const { return note_; }
    void setNote(std::string note) { note_ = std::move(note); }

private:
    std::string note_;
};

} // namespace tabrel
