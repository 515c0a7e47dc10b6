#pragma once
#include <array>
#include <cstdint>
#include <string>

#include "data/Dimensions.h"

namespace tabrel {

// One subject of the catalogue with its weekly lesson count per grade position.
class Subject {
public:
    std::string name;
    std::array<std::string, MaxGradeColumns> gradeLessons; // as the user typed them
    int32_t sameSubjectLimit = 0;                          // "同科上限"
    int32_t progressAligned = 0;                           // "进度一致"
    std::string ruleSummary;
};

} // namespace tabrel
