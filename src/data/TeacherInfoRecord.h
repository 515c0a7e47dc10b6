#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class ClassTable;
class DataSet;
class LessonCell;

// One teacher with the derived texts of its timetable and its taught courses.
class TeacherInfoRecord {
public:
    using SlotTexts = std::array<std::array<std::string, DayColumns>, MaxPeriodRows>;

    explicit TeacherInfoRecord(DataSet* owner) : dataSet(owner) {}
    TeacherInfoRecord(const TeacherInfoRecord&) = delete;
    TeacherInfoRecord& operator=(const TeacherInfoRecord&) = delete;

    DataSet* dataSet = nullptr;
    std::string name;
    std::string shortName;
    std::string taughtSubjects;
    int32_t workload = 0;
    int32_t assignedPeriods = 0; // computed from the classes' teaching plans, not stored
    std::string remark;
    std::string ruleSummary;
    SlotTexts slotGradeText;     // [period][day]: grade name of the lesson there
    SlotTexts slotClassNumbers;  // class numbers there, joined by "."
    SlotTexts slotSubject;       // subject there
    std::vector<LessonCell*> lessons; // the cells whose teacher is this teacher
    std::array<std::string, MaxCourses> courseGrade;
    std::array<std::string, MaxCourses> courseSubject;
    std::array<std::vector<ClassTable*>, MaxCourses> courseClasses;

    // Writes the cell's grade, class number and subject into the slot tables at its period and day.
    void writeLessonTexts(const LessonCell& cell);
    // Appends the cell to `lessons` and writes its texts.
    void addLesson(LessonCell* cell);
    // Empties the slot tables and writes every lesson again, in list order.
    void rebuildSlotTexts();
    // Empties the slot tables, the taught courses and `lessons`.
    void clearDerived();
    // Registers the class under the (grade, subject) course; false when nothing changed.
    bool addCourse(const std::string& gradeName, const std::string& subjectName, ClassTable* classTable);
    // Daytime lessons of the teacher's courses from day 0 through `day` (the teacher's pace).
    int TeacherDaytimeLessonsThrough(int day) const;
    // Slots within the current grid whose subject text is not empty.
    int countPlacedSlots() const;

    // Removes every reference to the class (its cells from `lessons`, the class from the courses);
    // returns true when the lesson list changed.
    bool forgetClass(const ClassTable* classTable);
    // Removes one cell from `lessons`; true when it was there.
    bool removeLesson(const LessonCell* cell);
};

} // namespace tabrel
