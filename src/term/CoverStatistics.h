#pragma once
// Cover statistics for pay: per teacher over a date range, the lessons due by the weekly timetable,
// the lessons taught by the dated timetable, cover lessons given, own lessons covered by others,
// swaps and self-study supervision.
#include <string>
#include <vector>

#include "data/CalendarDate.h"

namespace tabrel {

class DataSet;

struct TeacherCoverStats {
    std::string teacher; // GBK
    int due = 0;             // lessons of the weekly timetable on the teaching days
    int taught = 0;          // lessons given by the dated timetable (cover and swaps included, self-study not)
    int coverGiven = 0;      // 代课 taken for others
    int coveredByOthers = 0; // own lessons taken by a substitute
    int swaps = 0;           // own lessons moved by a 调课 (each end counts for its teacher)
    int selfStudy = 0;       // self-study periods supervised
};

// One row per teacher of the list (first of each name), in list order. Only teaching days of the
// term within [from, to] count.
std::vector<TeacherCoverStats> coverStatistics(const DataSet& dataSet, DayNumber from, DayNumber to);

// The column headings (GBK): 教师, 应上课时, 实上课时, 代课, 被代课, 调课, 看自习.
const std::vector<std::string>& coverStatisticsHeadings();

} // namespace tabrel
