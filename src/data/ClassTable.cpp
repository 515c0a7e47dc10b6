#include "data/ClassTable.h"

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

ClassTable::ClassTable(DataSet* owner, Grade* ownerGrade) : name(GBK("未命名")), grade(ownerGrade), dataSet(owner)
{
    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d) {
            LessonCell& c = cells[p][d];
            c.period = p;
            c.day = d;
            c.classTable = this;
        }
}

std::string ClassTable::teacherForSubject(const std::string& subjectName) const
{
    for (const auto& a : assignments)
        if (a->subject == subjectName)
            return a->teacher;
    return {};
}

int ClassTable::setCellSubject(LessonCell& cell, const std::string& subjectName)
{
    const std::string& stored = subjectName == GBK("[空白]") ? std::string() : subjectName;
    cell.subject = stored;
    cell.teacher = teacherForSubject(stored);
    return 1;
}

std::string ClassTable::cellRule(const LessonCell& cell, const std::string& subjectName)
{
    for (const auto& entry : cell.subjectRules) {
        std::string_view key, value;
        if (gbk::splitKeyValue(entry, key, value) && key == subjectName)
            return std::string(value);
    }
    return {};
}

int ClassTable::setCellRule(LessonCell& cell, const std::string& subjectName, const std::string& level)
{
    auto& rules = cell.subjectRules;
    auto found = rules.end();
    for (auto it = rules.begin(); it != rules.end(); ++it) {
        std::string_view key, value;
        if (gbk::splitKeyValue(*it, key, value) && key == subjectName) {
            found = it;
            break;
        }
    }
    if (level.empty()) {
        if (found != rules.end())
            rules.erase(found);
        return 0;
    }
    std::string entry = subjectName + "-" + level;
    if (found != rules.end())
        *found = entry;
    else
        rules.push_back(entry);
    return 1;
}

TeachingAssignment* ClassTable::appendAssignment()
{
    assignments.push_back(std::make_unique<TeachingAssignment>());
    return assignments.back().get();
}

LessonCell* ClassTable::cellAt(int period, int day)
{
    if (period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return nullptr;
    return &cells[period][day];
}

const LessonCell* ClassTable::cellAt(int period, int day) const
{
    if (period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return nullptr;
    return &cells[period][day];
}

int ClassTable::SetDrawOrigin(int x, int y)
{
    originX = x;
    originY = y;
    const int days = dataSet ? dataSet->dayCount() : 0;
    const int periods = dataSet ? dataSet->periodsPerDay() : 0;
    totalWidth = cellWidth * 3 / 5 + days * cellWidth;
    totalHeight = (periods + 2) * cellHeight + 1;
    return 1;
}

} // namespace tabrel
