#include "output/SheetDrawing.h"

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {
TextStyle cellStyle()
{
    TextStyle s;
    s.flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip;
    return s;
}
} // namespace

int sheetWidth(const DataSet& ds) { return sheetGeometry(ds, 0, 0, SheetCellWidth, SheetCellHeight).totalWidth(); }

int sheetHeight(const DataSet& ds) { return sheetGeometry(ds, 0, 0, SheetCellWidth, SheetCellHeight).totalHeight(); }

void drawClassSheet(const DataSet& ds, const ClassTable& table, int x, int y, Canvas& canvas,
                    const ClassCellOptions& options)
{
    const SheetGeometry g = sheetGeometry(ds, x, y, SheetCellWidth, SheetCellHeight);
    SlotRects rects;
    DrawTimetableSheet(g, table.name + GBK(" 班课程信息表"), canvas, rects);
    const CellDisplayOptions o = cellDisplayOptions(options);
    for (int p = 0; p < g.periods; ++p)
        for (int d = 0; d < g.days; ++d) {
            const Rect& r = rects[p][d];
            const CellDisplay display = cellDisplay(table, table.cells[p][d], o);
            drawCellTexts(display, r, cellStyle(), canvas);
            if (display.markIcon)
                canvas.drawIcon(Icon::Mark, r.left + r.width() * 3 / 4, r.top + (r.height() - IconSize) / 2);
        }
}

void drawTeacherSheet(const DataSet& ds, const TeacherInfoRecord& teacher, int x, int y, Canvas& canvas,
                      const TeacherCellOptions& options)
{
    const SheetGeometry g = sheetGeometry(ds, x, y, SheetCellWidth, SheetCellHeight);
    SlotRects rects;
    DrawTimetableSheet(g, teacher.name + GBK(" 课程信息表"), canvas, rects);
    for (int p = 0; p < g.periods; ++p)
        for (int d = 0; d < g.days; ++d) {
            const std::string& subject = teacher.slotSubject[p][d];
            if (subject.empty())
                continue;
            const std::string classText = teacherSlotClassText(teacher, p, d);
            CellDisplay display;
            if (options.showSubject && options.showClass && !classText.empty()) {
                display.split = true;
                display.upper = subject;
                display.lower = classText;
            } else if (options.showSubject) {
                display.upper = subject;
            } else if (options.showClass) {
                display.upper = classText;
            }
            drawCellTexts(display, rects[p][d], cellStyle(), canvas);
        }
}

} // namespace tabrel
