#include "data/TeacherInfoRecord.h"

#include <algorithm>
#include <string_view>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

void TeacherInfoRecord::writeLessonTexts(const LessonCell& cell)
{
    const int p = cell.period, d = cell.day;
    if (p < 0 || p >= MaxPeriodRows || d < 0 || d >= DayColumns || !cell.classTable)
        return;
    const ClassTable& c = *cell.classTable;
    slotGradeText[p][d] = c.gradeName;
    std::string n = gbk::formatInt(c.ordinal);
    std::string& numbers = slotClassNumbers[p][d];
    if (numbers.empty())
        numbers = n;
    else
        numbers += "." + n;
    slotSubject[p][d] = cell.subject;
}

void TeacherInfoRecord::addLesson(LessonCell* cell)
{
    if (!cell)
        return;
    lessons.push_back(cell);
    writeLessonTexts(*cell);
}

void TeacherInfoRecord::rebuildSlotTexts()
{
    for (auto* table : {&slotGradeText, &slotClassNumbers, &slotSubject})
        for (auto& row : *table)
            for (auto& s : row)
                s.clear();
    for (const LessonCell* cell : lessons)
        writeLessonTexts(*cell);
}

void TeacherInfoRecord::clearDerived()
{
    for (auto* table : {&slotGradeText, &slotClassNumbers, &slotSubject})
        for (auto& row : *table)
            for (auto& s : row)
                s.clear();
    for (int i = 0; i < MaxCourses; ++i) {
        courseGrade[i].clear();
        courseSubject[i].clear();
        courseClasses[i].clear();
    }
    lessons.clear();
}

bool TeacherInfoRecord::addCourse(const std::string& gradeName, const std::string& subjectName, ClassTable* classTable)
{
    int slot = -1;
    for (int i = 0; i < MaxCourses; ++i) {
        if (courseGrade[i] == gradeName && courseSubject[i] == subjectName) {
            slot = i;
            break;
        }
        // A slot is free while nothing was registered in it. A slot claimed under a grade without a
        // name also has grade text "", but it holds its classes and must not be claimed again.
        if (courseGrade[i].empty() && courseClasses[i].empty()) {
            courseGrade[i] = gradeName;
            courseSubject[i] = subjectName;
            slot = i;
            break;
        }
    }
    if (slot < 0)
        return false;
    auto& classes = courseClasses[slot];
    if (std::find(classes.begin(), classes.end(), classTable) != classes.end())
        return false;
    classes.push_back(classTable);
    return true;
}

int TeacherInfoRecord::TeacherDaytimeLessonsThrough(int day) const
{
    if (!dataSet)
        return 0;
    const int first = dataSet->earlyReadingCount;
    const int last = std::min(first + dataSet->morningCount + dataSet->afternoonCount, MaxPeriodRows) - 1;
    const int lastDay = std::min({day, dataSet->dayCount() - 1, DayColumns - 1});
    int total = 0;
    for (int i = 0; i < MaxCourses; ++i) {
        const std::string& s = courseSubject[i];
        if (gbk::containsText(s, GBK("早")) || gbk::containsText(s, GBK("晚")) || s == GBK("班会"))
            continue;
        for (const ClassTable* c : courseClasses[i])
            for (int p = std::max(first, 0); p <= last; ++p)
                for (int d = 0; d <= lastDay; ++d)
                    if (c->cells[p][d].subject == s)
                        ++total;
    }
    return total;
}

int TeacherInfoRecord::countPlacedSlots() const
{
    if (!dataSet)
        return 0;
    const int periods = dataSet->gridPeriods();
    const int days = dataSet->gridDays();
    int n = 0;
    for (int p = 0; p < periods; ++p)
        for (int d = 0; d < days; ++d)
            if (!slotSubject[p][d].empty())
                ++n;
    return n;
}

bool TeacherInfoRecord::forgetClass(const ClassTable* classTable)
{
    const auto before = lessons.size();
    std::erase_if(lessons, [classTable](const LessonCell* c) { return c->classTable == classTable; });
    for (auto& classes : courseClasses)
        std::erase(classes, classTable);
    return lessons.size() != before;
}

bool TeacherInfoRecord::removeLesson(const LessonCell* cell)
{
    auto it = std::find(lessons.begin(), lessons.end(), cell);
    if (it == lessons.end())
        return false;
    lessons.erase(it);
    return true;
}

} // namespace tabrel
