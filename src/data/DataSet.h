#pragma once
#include <algorithm>
#include <array>
#include <cstdint>
#include <ctime>
#include <memory>
#include <string>
#include <vector>

#include "data/ClassTable.h"
#include "data/DataTable.h"
#include "data/SchoolExtension.h"
#include "data/Dimensions.h"
#include "data/Subject.h"
#include "data/TeacherInfoRecord.h"

namespace tabrel {

class DataSet;

// A grade: its ordered classes. Its name is the entry of DataSet::gradeNames at the same position.
class Grade {
public:
    explicit Grade(DataSet* owner) : dataSet(owner) {}
    Grade(const Grade&) = delete;
    Grade& operator=(const Grade&) = delete;
    DataSet* dataSet = nullptr;
    std::vector<std::unique_ptr<ClassTable>> classes;
};

// The whole schedule of one school for one term. All texts are GBK byte strings.
class DataSet {
public:
    using SlotLists = std::array<std::array<std::vector<std::string>, DayColumns>, MaxPeriodRows>;

    DataSet();
    ~DataSet();
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;

    std::string schoolName;                    // "XX学校"; stored as extension.schoolName when that is set
    std::string scheduleTitle;                 // filled by fillDefaultTitle; not stored
    std::vector<std::string> requirementTexts; // not stored
    std::vector<std::unique_ptr<Grade>> grades;
    std::vector<std::string> gradeNames;       // parallel to grades
    int32_t earlyReadingCount = 0;
    int32_t morningCount = 0;
    int32_t afternoonCount = 0;
    int32_t eveningCount = 0;
    std::vector<std::string> dayNames;
    std::array<std::string, TimeSlotCount> commonRowNames;
    std::array<std::string, TimeSlotCount> commonRowStarts;
    std::array<std::string, TimeSlotCount> commonRowEnds;
    std::array<std::string, TimeSlotCount> periodStarts;
    std::array<std::string, TimeSlotCount> periodEnds;
    int32_t lessonMinutes = 40;
    int32_t breakMinutes = 10;
    std::vector<std::unique_ptr<Subject>> subjects;
    std::vector<std::unique_ptr<TeacherInfoRecord>> teachers;
    std::vector<std::string> nameReplacements; // "old-new" lines of the sidecar; not stored
    SlotLists teacherSlotSettings;             // [period][day] lists of "teacher-value"
    DataTable teacherGroupTable;
    DataTable spareTable;
    SchoolExtension extension;                 // what the file stores after section 7

    // ---- derived sizes ----
    int periodsPerDay() const { return earlyReadingCount + morningCount + afternoonCount + eveningCount; }
    int dayCount() const { return static_cast<int>(dayNames.size()); }
    // The two kept within the fixed 12 x 7 grid and never negative: how far every walk over a
    // class's or a teacher's grid goes.
    int gridPeriods() const { return std::clamp(periodsPerDay(), 0, MaxPeriodRows); }
    int gridDays() const { return std::clamp(dayCount(), 0, DayColumns); }
    // "早%d节" for early-reading periods, "第%d节" counted from the first morning period otherwise.
    std::string periodLabel(int period) const;

    // ---- grades and classes ----
    int setGradeCount(int count);
    int appendGrade();
    int removeGrade(int gradeIndex);
    int setClassCount(int gradeIndex, int count);
    int appendClass(int gradeIndex);
    int removeClass(int gradeIndex, int classIndex);
    int classCount(int gradeIndex) const;
    ClassTable* classAt(int gradeIndex, int classIndex) const;
    int renameClasses(const std::string& prefix, const std::string& suffix);
    // Every class of every grade, grades in order and classes in grade order.
    std::vector<ClassTable*> classesInGradeOrder() const;
    // Index of the grade holding the class, or -1.
    int gradeIndexOf(const ClassTable* classTable) const;

    // ---- subjects ----
    int appendSubject();
    int findOrAppendSubject(const std::string& name);
    int removeSubject(int index);
    int clearSubjects();

    // ---- teachers ----
    int appendTeacher();
    int removeTeacher(int index);
    TeacherInfoRecord* findTeacher(const std::string& name) const;

    // ---- texts and rules ----
    std::string replacementName(const std::string& name) const;
    std::string teacherSlotValue(int period, int day, const std::string& teacherName) const;
    int setTeacherSlotValue(int period, int day, const std::string& teacherName, const std::string& value);
    std::string teacherSlotSummary(const std::string& teacherName) const;
    int refreshTeacherSummaries();
    int teacherBusyElsewhere(const std::string& teacherName, int day, int period, const ClassTable* classTable) const;
    int teacherHasLessonAt(const std::string& teacherName, int day, int period) const;

    // ---- derived teacher data ----
    void relinkCell(LessonCell& cell);
    int syncTeacherAssignments();
    int relinkTeacherCells();

    // Fills an empty scheduleTitle from the school name and today's date (or the given one).
    void fillDefaultTitle();
    void fillDefaultTitle(int year, int month);

    // The name titles use while the school has none of its own: "XX学校".
    static const std::string& defaultSchoolName();
    // Makes schoolName follow the stored name (extension.schoolName, the default when none is
    // stored); a master title that begins with the old name begins with the new one, a title typed
    // otherwise stays. True when the name changed.
    bool applySchoolName();
    // The edit of "学校名称": stores `name` (trimmed GBK; "" takes the stored name away) and applies
    // it. False when nothing changed.
    bool setSchoolName(const std::string& name);

    // The defaults "新建排课" gives a new schedule: 4 morning and 3 afternoon periods, 星期一 … 星期五.
    void applyNewDocumentDefaults();

private:
    void destroyClass(ClassTable* classTable);
};

} // namespace tabrel
