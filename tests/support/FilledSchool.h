#pragma once
// Schools whose weeks are partly full, as most schools' are: every class of a grade has the same
// plan, which fills the given share of its ordinary slots; 5 days of 4 + 3 or 4 + 4 periods, a
// common period or two per class at the end of a day, teachers taking one subject in 1-3 classes of
// a grade, a head teacher per class for 班会, a few "尽量排" and "不排" rules, and 班会 "一定排" on
// 星期五. Nothing is prepared (relinking, loads and courses are left to the caller, as after loading
// a file). The same seed always gives the same school.
#include <cstdint>
#include <memory>

#include "data/DataSet.h"

namespace tabrel::test {

struct FilledSchoolOptions {
    int grades = 0;          // 0: one or two
    int classesPerGrade = 0; // 0: 2-5
    int fill = 80;           // percent of the ordinary slots taught
};

std::unique_ptr<DataSet> filledSchool(uint32_t seed, const FilledSchoolOptions& options = {});

} // namespace tabrel::test
