#pragma once
// The timetable of a class or a teacher for one week of the term ("第 N 周", the dates in the day
// headers) with that week's changes applied: a changed lesson is marked and shows the weekly
// timetable's lesson small under it. Drawn through the Canvas on screen, on paper and into PDF.
#include <memory>
#include <string>
#include <vector>

#include "views/Canvas.h"

namespace tabrel {

class DataSet;
class PrintDocument;

struct DatedWeekCell {
    std::string text;     // what stands there on the date: "数学 李强" / "初一(2) 数学" / "自习"
    std::string original; // the weekly lesson when changed ("原：数学 王芳"), else ""
    bool changed = false;
};

struct DatedWeek {
    std::string title;                // "初一(1) 第3周（单周） 3月15日—3月21日"
    std::vector<std::string> headers; // per day column: "星期一 3月15日", a day off adds "放假"
    std::vector<std::string> periods; // "第1节" …
    std::vector<std::vector<DatedWeekCell>> cells; // [period][day]
};

// Whose week: a class (by its grade-order position) or a teacher (by name, GBK).
DatedWeek datedClassWeek(const DataSet& dataSet, int classIndex, int week);
DatedWeek datedTeacherWeek(const DataSet& dataSet, const std::string& teacher, int week);

// Draws the sheet into width × height pixels.
void drawDatedWeek(Canvas& canvas, const DatedWeek& sheet, int width, int height);

// One landscape page per sheet.
std::unique_ptr<PrintDocument> datedWeekDocument(std::vector<DatedWeek> sheets, const std::string& title);

} // namespace tabrel
