#pragma once
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "data/Dimensions.h"
#include "data/LessonCell.h"
#include "data/TeachingAssignment.h"

namespace tabrel {

class DataSet;
class Grade;

// One class of a grade with its weekly timetable and teaching plan.
class ClassTable {
public:
    ClassTable(DataSet* owner, Grade* ownerGrade);
    ClassTable(const ClassTable&) = delete;
    ClassTable& operator=(const ClassTable&) = delete;

    std::string name;      // "未命名" at creation
    std::string gradeName; // name of its grade when the class was created
    int32_t ordinal = 0;   // 1-based position in the grade at creation
    Grade* grade = nullptr;
    std::array<std::array<LessonCell, DayColumns>, MaxPeriodRows> cells;          // [period][day]
    std::array<std::array<std::string, DayColumns>, MaxPeriodRows> commonPeriods; // [period][day]
    DataSet* dataSet = nullptr;
    std::vector<std::unique_ptr<TeachingAssignment>> assignments;

    // ---- working fields (not stored) ----
    std::vector<TeachingAssignment*> candidates;    // result of the last slot evaluation
    std::vector<std::string> candidateTexts;        // one display line per candidate

    // ---- shared cell operations ----
    // `teacher` of the first assignment whose subject is exactly `subjectName`; "" when none.
    std::string teacherForSubject(const std::string& subjectName) const;
    // Stores the subject ("[空白]" counts as empty) and the teacher the assignments name for it.
    int setCellSubject(LessonCell& cell, const std::string& subjectName);
    // Value of the cell's first rule for the subject; "" when none.
    static std::string cellRule(const LessonCell& cell, const std::string& subjectName);
    // Replaces or appends the rule "subject-level"; an empty level removes it and returns 0.
    static int setCellRule(LessonCell& cell, const std::string& subjectName, const std::string& level);

    // ---- placement checks (implemented with the scheduling code, src/scheduling/ClassPlacement.cpp) ----
    // Keeps the teaching plan in step with a lesson text "w" or "w.k" of the subjects panel.
    int UpdateAssignmentFromLessonText(const std::string& subjectName, const std::string& lessonText);
    // First assignment of the subject, or nullptr.
    TeachingAssignment* FindAssignment(const std::string& subjectName) const;
    // `weeklyLessons` of the subject's assignment, 0 when none.
    int WeeklyLessonsOf(const std::string& subjectName) const;
    // Recomputes `placedCount` and `placedDoubles` of every assignment from the grid.
    int RecountPlaced();
    // Cells holding the subject on the days before `day` plus on `day` before `period`.
    int ProgressBefore(const std::string& subjectName, int day, int period) const;
    // Adjacent morning or afternoon pairs of the day holding the same non-empty text.
    int DoublesOnDay(int day) const;
    // Ranks every assignment for the cell; fills `candidates` and `candidateTexts`, returns their count.
    // `autoRunning` is the application's flag of an automatic search in progress (pace check).
    int EvaluateSlot(const LessonCell& cell, int autoRunning = 0);
    // Rebuilds `candidateTexts` from `candidates` and the reasons of the last evaluation.
    void BuildCandidateTexts();
    // 20 = fine, 5 = doubtful, -1 = forbidden, for the lesson standing in the cell.
    int CellFitness(const LessonCell& cell) const;
    // Writes the swap hint `mark` of every cell for the selected cell.
    int MarkSwapTargets(LessonCell& selected);
    int ClearMarks();
    // Lessons of the subject still to place when it may go into the slot by the hard rules, else 0.
    int RemainingIfPlaceable(const std::string& subjectName, int period, int day) const;
    // Empties every cell of the grid and relinks it.
    void ClearAllCells();

    // Lessons standing in the stored grid (periods x days of the time grid): cells whose subject
    // is neither "" nor "empty".
    int placedLessonCount() const;
    // The weekly lessons of the teaching plan.
    long long requiredLessonCount() const;
    // Slots of the time grid a lesson may stand in: the stored grid's cells without a common period.
    int usableSlotCount() const;

    // Appends an assignment and returns it.
    TeachingAssignment* appendAssignment();
    // Cell at (period, day), or nullptr outside the 12 x 7 grid.
    LessonCell* cellAt(int period, int day);
    const LessonCell* cellAt(int period, int day) const;
};

} // namespace tabrel
