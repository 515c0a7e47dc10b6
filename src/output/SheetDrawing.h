#pragma once
// The class and teacher timetable sheets drawn at a place the caller chooses, reading the records
// and writing nothing into them: the master timetable's style 3 and the printed pages use these,
// so a printed sheet is the sheet of the panels.
#include "output/ClassTimetableSheet.h"
#include "output/TeacherTimetableSheet.h"

namespace tabrel {

class ClassTable;
class DataSet;
class TeacherInfoRecord;

inline constexpr int SheetCellWidth = 72;
inline constexpr int SheetCellHeight = 36;

// Drawing size of one sheet for the data set's time grid.
int sheetWidth(const DataSet& dataSet);
int sheetHeight(const DataSet& dataSet);

// "<name> 班课程信息表" at (x, y): title, grid, cell texts and mark icons.
void drawClassSheet(const DataSet& dataSet, const ClassTable& table, int x, int y, Canvas& canvas,
                    const ClassCellOptions& options);
// "<name> 课程信息表" at (x, y): title, grid and the slot texts.
void drawTeacherSheet(const DataSet& dataSet, const TeacherInfoRecord& teacher, int x, int y, Canvas& canvas,
                      const TeacherCellOptions& options);

} // namespace tabrel
