#include "output/TeacherTimetableSheet.h"

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "data/TeacherInfoRecord.h"
#include "output/Canvas.h"
#include "output/ClassTimetableSheet.h"

namespace tabrel {

std::string teacherSlotClassText(const TeacherInfoRecord& teacher, int period, int day)
{
    if (period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return {};
    return teacher.slotGradeText[period][day] + teacher.slotClassNumbers[period][day];
}

void DrawTeacherTimetable(TeacherInfoRecord& teacher, Canvas& canvas, const TeacherCellOptions& options)
{
    teacher.titleText = teacher.name + GBK(" 课程信息表");
    if (!teacher.dataSet)
        return;
    teacher.SetDrawOrigin(teacher.originX, teacher.originY);
    const SheetGeometry g = sheetGeometry(*teacher.dataSet, teacher.originX, teacher.originY, teacher.cellWidth,
                                          teacher.cellHeight);
    DrawTimetableSheet(g, teacher.titleText, canvas, teacher.cellRects);

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
            drawCellTexts(display, teacher.cellRects[p][d], cellStyle, canvas);
        }
    }
}

} // namespace tabrel
