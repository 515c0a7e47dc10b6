#include "output/SheetDrawing.h"

#include "data/DataSet.h"
#include "output/DrawnTable.h"

namespace tabrel {

int sheetWidth(const DataSet& ds) { return sheetGeometry(ds, 0, 0, SheetCellWidth, SheetCellHeight).totalWidth(); }

int sheetHeight(const DataSet& ds) { return sheetGeometry(ds, 0, 0, SheetCellWidth, SheetCellHeight).totalHeight(); }

void drawClassSheet(const DataSet& ds, const ClassTable& table, int x, int y, Canvas& canvas,
                    const ClassCellOptions& options)
{
    DrawnTable view;
    view.SetDrawOrigin(ds, x, y);
    DrawClassTimetable(table, view, canvas, options);
}

void drawTeacherSheet(const DataSet& ds, const TeacherInfoRecord& teacher, int x, int y, Canvas& canvas,
                      const TeacherCellOptions& options)
{
    DrawnTable view;
    view.SetDrawOrigin(ds, x, y);
    DrawTeacherTimetable(teacher, view, canvas, options);
}

} // namespace tabrel
