#include "output/TeacherTimetableSheet.h"

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "data/TeacherInfoRecord.h"
#include "views/Canvas.h"
#include "output/ClassTimetableSheet.h"
#include "output/DrawnTable.h"

namespace tabrel {

std::string teacherSlotClassText(const TeacherInfoRecord& teacher, int period, int day)
{
    if (period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return {};
    return teacher.slotGradeText[period][day] + teacher.slotClassNumbers[period][day];
}

void DrawTeacherTimetable(const TeacherInfoRecord& teacher, DrawnTable& view, Canvas& canvas,
                          const TeacherCellOptions& options)
{
    view.titleText = teacher.name + GBK(" 课程信息表");
    if (!teacher.dataSet)
        return;
    view.SetDrawOrigin(*teacher.dataSet, view.originX, view.originY);
    const SheetGeometry g = sheetGeometry(*teacher.dataSet, view.originX, view.originY, view.cellWidth, view.cellHeight);
    DrawTimetableSheet(g, view.titleText, canvas, view.cellRects);

    TextStyle cellStyle;
    cellStyle.flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix | text::Clip;
    for (int p = 0; p < g.periods; ++p) {
        for (int d = 0; d < g.days; ++d) {
            const std::string& subject = teacher.slotSubject[p][d];
            if (subject.empty())
                continue; // a slot without a lesson stays blank whatever the options
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
            drawCellTexts(display, view.cellRects[p][d], cellStyle, canvas);
        }
    }
}

} // namespace tabrel
