#include "data/ClassTable.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "data/KeyValueList.h"

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

int ClassTable::placedLessonCount() const
{
    if (!dataSet)
        return 0;
    const int periods = dataSet->gridPeriods();
    const int days = dataSet->gridDays();
    int n = 0;
    for (int p = 0; p < periods; ++p)
        for (int d = 0; d < days; ++d)
            n += !cells[p][d].subject.empty() && cells[p][d].subject != "empty";
    return n;
}

long long ClassTable::requiredLessonCount() const
{
    long long n = 0;
    for (const auto& a : assignments)
        n += a->weeklyLessons;
    return n;
}

int ClassTable::usableSlotCount() const
{
    if (!dataSet)
        return 0;
    const int periods = std::clamp(dataSet->periodsPerDay(), 0, MaxPeriodRows);
    const int days = std::clamp(dataSet->dayCount(), 0, DayColumns);
    int n = 0;
    for (int p = 0; p < periods; ++p)
        for (int d = 0; d < days; ++d)
            n += commonPeriods[p][d].empty();
    return n;
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
    return keyValueLookup(cell.subjectRules, subjectName);
}

int ClassTable::setCellRule(LessonCell& cell, const std::string& subjectName, const std::string& level)
{
    return keyValueSet(cell.subjectRules, subjectName, level);
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

} // namespace tabrel
