#pragma once
// Fixed sizes shared by every record of a schedule.
namespace tabrel {

inline constexpr int DayColumns = 7;        // day columns of every timetable grid
inline constexpr int MaxPeriodRows = 12;    // period rows of class timetables, teacher slot rules and teacher tables
inline constexpr int TimeSlotCount = 20;    // entries of each period-time text array
inline constexpr int MaxGradeColumns = 12;  // per-grade lesson texts of a subject; also the most grades a school has
inline constexpr int MaxCourses = 8;        // taught (grade, subject) courses of one teacher
inline constexpr int MaxEarlyReading = 2;
inline constexpr int MaxMorning = 6;
inline constexpr int MaxAfternoon = 6;
inline constexpr int MaxEvening = 4;

// Drawing size of one timetable: a number column three fifths of a cell wide and one column per
// day; a title row, a heading row and one row per period, plus the closing line.
inline constexpr int timetableWidth(int cellWidth, int days) { return cellWidth * 3 / 5 + days * cellWidth; }
inline constexpr int timetableHeight(int cellHeight, int periods) { return (periods + 2) * cellHeight + 1; }

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const Rect&) const = default;
};

} // namespace tabrel
