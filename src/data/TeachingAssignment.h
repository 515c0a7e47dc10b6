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
    int32_t cost = 10;
};

} // namespace tabrel
