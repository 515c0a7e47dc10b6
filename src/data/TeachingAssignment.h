#pragma once
#include <cstdint>
#include <string>

namespace tabrel {

// One row of a class's teaching plan.
class TeachingAssignment {
public:
    std::string subject;
    std::string teacher;
    int32_t weeklyLessons = 0;
    int32_t doubleCount = 0;
    int32_t placedCount = 0;

    // ---- working fields of the placement checks (not stored) ----
    int32_t placedDoubles = 0;
    int32_t sameDayCount = 0;
    int32_t clash = 0;
    int32_t timeMismatch = 0;
    int32_t lunchAdjacent = 0;
    int32_t paceAhead = 0;
    int32_t subjectNever = 0;
    int32_t teacherNever = 0;
    int32_t cost = 10;
    int32_t listIndex = 0; // position in the class's plan, kept by the automatic engine during a search
};

} // namespace tabrel
