#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class ClassTable;
class TeacherInfoRecord;

// One slot of a class timetable.
class LessonCell {
public:
    std::string subject;                   // "" = free; "empty" = left free by the automatic engine
    std::string teacher;                   // teacher giving the lesson, looked up from the class's assignments
    int32_t day = 0;                       // day index (column), fixed at creation
    int32_t period = 0;                    // period index (row), fixed at creation
    int32_t reservedValue = 0;             // stored and loaded unchanged
    int32_t markFlag = 0;                  // 1 draws a mark in the cell
    std::vector<std::string> subjectRules; // per-slot subject rules "subject-level"
    ClassTable* classTable = nullptr;      // the owning class

    // ---- working fields of the placement checks (not stored) ----
    std::string mark;                      // swap hint: "★", "√", "≈", "╳" or ""
    std::vector<std::string> alternatives; // engine bookkeeping: "1-" tried, "0-" still to try
};

} // namespace tabrel
