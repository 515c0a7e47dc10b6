#include "data/DataSet.h"

#include <algorithm>
#include <cstdio>
#include <string_view>
#include <unordered_map>

#include "data/Gbk.h"
#include "data/KeyValueList.h"

namespace tabrel {

DataSet::DataSet()
    : schoolName(defaultSchoolName()),
      requirementTexts{GBK("各班的语文、数学、英语每天最少上1节")}
{
}

DataSet::~DataSet()
{
    // Teachers hold pointers into the classes: drop them first.
    for (auto& t : teachers)
        t->clearDerived();
}

std::string DataSet::periodLabel(int period) const
{
    char buf[32];
    if (period < earlyReadingCount)
        std::snprintf(buf, sizeof buf, "%d", period + 1);
    else
        std::snprintf(buf, sizeof buf, "%d", period + 1 - earlyReadingCount);
    return (period < earlyReadingCount ? GBK("早") : GBK("第")) + buf + GBK("节");
}

// ---------------------------------------------------------------- grades and classes

void DataSet::destroyClass(ClassTable* classTable)
{
    for (auto& t : teachers)
        if (t->forgetClass(classTable))
            t->rebuildSlotTexts();
}

int DataSet::setGradeCount(int count)
{
    if (count < 0)
        return 0;
    while (static_cast<int>(grades.size()) < count) {
        grades.push_back(std::make_unique<Grade>(this));
        gradeNames.push_back(GBK("未命名年级"));
    }
    while (static_cast<int>(grades.size()) > count) {
        for (auto& c : grades.back()->classes)
            destroyClass(c.get());
        grades.pop_back();
        gradeNames.pop_back();
    }
    return static_cast<int>(grades.size());
}

int DataSet::appendGrade()
{
    return setGradeCount(static_cast<int>(grades.size()) + 1);
}

int DataSet::removeGrade(int gradeIndex)
{
    if (gradeIndex < 0 || gradeIndex >= static_cast<int>(grades.size()))
        return 0;
    for (auto& c : grades[gradeIndex]->classes)
        destroyClass(c.get());
    grades.erase(grades.begin() + gradeIndex);
    gradeNames.erase(gradeNames.begin() + gradeIndex);
    return 1;
}

int DataSet::setClassCount(int gradeIndex, int count)
{
    if (gradeIndex < 0 || gradeIndex >= static_cast<int>(grades.size()) || count < 0)
        return 0;
    Grade& g = *grades[gradeIndex];
    while (static_cast<int>(g.classes.size()) < count) {
        auto c = std::make_unique<ClassTable>(this, &g);
        c->gradeName = gradeNames[gradeIndex];
        c->ordinal = static_cast<int32_t>(g.classes.size()) + 1;
        g.classes.push_back(std::move(c));
    }
    while (static_cast<int>(g.classes.size()) > count) {
        destroyClass(g.classes.back().get());
        g.classes.pop_back();
    }
    return 1;
}

int DataSet::appendClass(int gradeIndex)
{
    if (gradeIndex < 0 || gradeIndex >= static_cast<int>(grades.size()))
        return 0;
    Grade& g = *grades[gradeIndex];
    g.classes.push_back(std::make_unique<ClassTable>(this, &g));
    return static_cast<int>(g.classes.size());
}

int DataSet::removeClass(int gradeIndex, int classIndex)
{
    ClassTable* c = classAt(gradeIndex, classIndex);
    if (!c)
        return 0;
    destroyClass(c);
    auto& classes = grades[gradeIndex]->classes;
    classes.erase(classes.begin() + classIndex);
    return 1;
}

std::vector<ClassTable*> DataSet::classesInGradeOrder() const
{
    std::vector<ClassTable*> list;
    for (const auto& g : grades)
        for (const auto& c : g->classes)
            list.push_back(c.get());
    return list;
}

int DataSet::classCount(int gradeIndex) const
{
    if (gradeIndex < 0 || gradeIndex >= static_cast<int>(grades.size()))
        return 0;
    return static_cast<int>(grades[gradeIndex]->classes.size());
}

ClassTable* DataSet::classAt(int gradeIndex, int classIndex) const
{
    if (gradeIndex < 0 || gradeIndex >= static_cast<int>(grades.size()))
        return nullptr;
    const auto& classes = grades[gradeIndex]->classes;
    if (classIndex < 0 || classIndex >= static_cast<int>(classes.size()))
        return nullptr;
    return classes[classIndex].get();
}

int DataSet::renameClasses(const std::string& prefix, const std::string& suffix)
{
    for (std::size_t g = 0; g < grades.size(); ++g) {
        auto& classes = grades[g]->classes;
        for (std::size_t j = 0; j < classes.size(); ++j) {
            ClassTable& c = *classes[j];
            c.name = gradeNames[g] + prefix + gbk::formatInt(static_cast<long long>(j) + 1) + suffix;
            c.gradeName = gradeNames[g];
            c.ordinal = static_cast<int32_t>(j) + 1;
        }
    }
    return 1;
}

int DataSet::gradeIndexOf(const ClassTable* classTable) const
{
    if (!classTable)
        return -1;
    for (std::size_t g = 0; g < grades.size(); ++g)
        if (grades[g].get() == classTable->grade)
            return static_cast<int>(g);
    return -1;
}

// ---------------------------------------------------------------- subjects

int DataSet::appendSubject()
{
    subjects.push_back(std::make_unique<Subject>());
    return static_cast<int>(subjects.size());
}

int DataSet::findOrAppendSubject(const std::string& name)
{
    for (std::size_t i = 0; i < subjects.size(); ++i)
        if (subjects[i]->name == name)
            return static_cast<int>(i);
    appendSubject();
    subjects.back()->name = name;
    return static_cast<int>(subjects.size()) - 1;
}

int DataSet::removeSubject(int index)
{
    if (index < 0 || index >= static_cast<int>(subjects.size()))
        return 0;
    subjects.erase(subjects.begin() + index);
    return 1;
}

int DataSet::clearSubjects()
{
    subjects.clear();
    return 1;
}

// ---------------------------------------------------------------- teachers

int DataSet::appendTeacher()
{
    teachers.push_back(std::make_unique<TeacherInfoRecord>(this));
    return static_cast<int>(teachers.size());
}

int DataSet::removeTeacher(int index)
{
    if (index < 0 || index >= static_cast<int>(teachers.size()))
        return 0;
    teachers.erase(teachers.begin() + index);
    return 1;
}

TeacherInfoRecord* DataSet::findTeacher(const std::string& name) const
{
    for (const auto& t : teachers)
        if (t->name == name)
            return t.get();
    return nullptr;
}

// ---------------------------------------------------------------- texts and rules

std::string DataSet::replacementName(const std::string& name) const
{
    for (const auto& entry : nameReplacements) {
        std::string_view key, value;
        if (!gbk::splitKeyValue(entry, key, value))
            continue;
        if (key == name)
            return std::string(value);
    }
    return name;
}

std::string DataSet::teacherSlotValue(int period, int day, const std::string& teacherName) const
{
    if (period < 0 || day < 0 || period >= MaxPeriodRows || day >= DayColumns)
        return {};
    return keyValueLookup(teacherSlotSettings[period][day], teacherName);
}

int DataSet::setTeacherSlotValue(int period, int day, const std::string& teacherName, const std::string& value)
{
    if (period < 0 || day < 0 || period >= MaxPeriodRows || day >= DayColumns)
        return 0;
    return keyValueSet(teacherSlotSettings[period][day], teacherName, value);
}

std::string DataSet::teacherSlotSummary(const std::string& teacherName) const
{
    std::string out;
    const int periods = gridPeriods();
    const int days = gridDays();
    for (int n = 0; n < periods; ++n)
        for (int d = 0; d < days; ++d) {
            std::string v = teacherSlotValue(n, d, teacherName);
            if (v.empty())
                continue;
            out += dayNames[d] + periodLabel(n) + GBK("（") + v + GBK("）");
        }
    return out;
}

int DataSet::refreshTeacherSummaries()
{
    for (auto& t : teachers)
        t->ruleSummary = teacherSlotSummary(t->name);
    return 1;
}

int DataSet::teacherBusyElsewhere(const std::string& teacherName, int day, int period,
                                  const ClassTable* classTable) const
{
    if (period < 0 || day < 0 || period >= MaxPeriodRows || day >= DayColumns)
        return 0;
    for (const auto& g : grades)
        for (const auto& c : g->classes)
            if (c.get() != classTable && c->cells[period][day].teacher == teacherName)
                return 1;
    return 0;
}

int DataSet::teacherHasLessonAt(const std::string& teacherName, int day, int period) const
{
    const TeacherInfoRecord* t = findTeacher(teacherName);
    if (!t)
        return 0;
    for (const LessonCell* c : t->lessons)
        if (c->day == day && c->period == period)
            return 1;
    return 0;
}

// ---------------------------------------------------------------- derived teacher data

void DataSet::relinkCell(LessonCell& cell)
{
    for (auto& t : teachers)
        if (t->removeLesson(&cell))
            t->rebuildSlotTexts();
    if (!cell.teacher.empty())
        if (TeacherInfoRecord* t = findTeacher(cell.teacher))
            t->addLesson(&cell);
}

int DataSet::syncTeacherAssignments()
{
    int changed = 0;
    for (std::size_t g = 0; g < grades.size(); ++g)
        for (const auto& c : grades[g]->classes)
            for (const auto& a : c->assignments)
                if (TeacherInfoRecord* t = findTeacher(a->teacher))
                    if (t->addCourse(gradeNames[g], a->subject, c.get()))
                        changed = 1;
    return changed;
}

int DataSet::relinkTeacherCells()
{
    for (auto& t : teachers)
        t->clearDerived();
    // First teacher of each name, so the rebuild is linear in cells rather than cells x teachers.
    std::unordered_map<std::string_view, TeacherInfoRecord*> byName;
    byName.reserve(teachers.size());
    for (auto& t : teachers)
        byName.emplace(t->name, t.get());
    const int periods = gridPeriods();
    const int days = gridDays();
    for (const auto& g : grades)
        for (const auto& c : g->classes)
            for (int n = 0; n < periods; ++n)
                for (int d = 0; d < days; ++d) {
                    LessonCell& cell = c->cells[n][d];
                    if (cell.teacher.empty())
                        continue;
                    auto it = byName.find(cell.teacher);
                    if (it != byName.end())
                        it->second->addLesson(&cell);
                }
    for (auto& t : teachers)
        t->rebuildSlotTexts();
    return 1;
}

void DataSet::fillDefaultTitle()
{
    std::time_t now = std::time(nullptr);
    std::tm tm{};
    localtime_r(&now, &tm);
    fillDefaultTitle(tm.tm_year + 1900, tm.tm_mon + 1);
}

void DataSet::fillDefaultTitle(int year, int month)
{
    if (!scheduleTitle.empty())
        return;
    char buf[64];
    if (month < 7) {
        std::snprintf(buf, sizeof buf, "%d-%d", year - 1, year);
        scheduleTitle = schoolName + buf + GBK("学年下学期课程总表");
    } else {
        std::snprintf(buf, sizeof buf, "%d-%d", year, year + 1);
        scheduleTitle = schoolName + buf + GBK("学年上学期课程总表");
    }
}

const std::string& DataSet::defaultSchoolName()
{
    static const std::string name = GBK("XX学校");
    return name;
}

bool DataSet::applySchoolName()
{
    const std::string& name = extension.schoolName.empty() ? defaultSchoolName() : extension.schoolName;
    if (name == schoolName)
        return false;
    if (!schoolName.empty() && scheduleTitle.compare(0, schoolName.size(), schoolName) == 0)
        scheduleTitle = name + scheduleTitle.substr(schoolName.size());
    schoolName = name;
    return true;
}

bool DataSet::setSchoolName(const std::string& name)
{
    std::size_t first = name.find_first_not_of(" \t\r\n");
    std::size_t last = name.find_last_not_of(" \t\r\n");
    const std::string trimmed = first == std::string::npos ? std::string() : name.substr(first, last - first + 1);
    if (trimmed == extension.schoolName)
        return false;
    extension.schoolName = trimmed;
    applySchoolName();
    return true;
}

void DataSet::applyNewDocumentDefaults()
{
    morningCount = 4;
    afternoonCount = 3;
    dayNames = {GBK("星期一"), GBK("星期二"), GBK("星期三"), GBK("星期四"), GBK("星期五")};
}

} // namespace tabrel
