#include "scheduling/CellDisplay.h"

#include "data/ClassTable.h"
#include "data/Gbk.h"

namespace tabrel {

CellDisplay cellDisplay(const ClassTable& classTable, const LessonCell& cell, const CellDisplayOptions& options)
{
    CellDisplay out;
    out.markIcon = cell.markFlag == 1;
    const LessonCell* stored = classTable.cellAt(cell.period, cell.day);
    const std::string* common = stored == &cell ? &classTable.commonPeriods[cell.period][cell.day] : nullptr;
    if (common && !common->empty()) {
        if (options.showSubject)
            out.upper = *common;
        return out;
    }
    const std::string subject = cell.subject == "empty" ? std::string() : cell.subject;
    const std::string teacher = options.shortNames ? gbk::shortName(cell.teacher) : cell.teacher;
    if (options.showSubject && options.showTeacher && !teacher.empty()) {
        out.split = true;
        out.upper = subject;
        out.lower = teacher;
    } else if (options.showSubject)
        out.upper = subject;
    else if (options.showTeacher)
        out.upper = teacher;
    return out;
}

} // namespace tabrel
