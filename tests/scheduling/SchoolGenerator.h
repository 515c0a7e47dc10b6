#pragma once
// Random schools for the scheduling checks: every section of the day, subjects of the early-reading
// and evening sections, the teacher "专门人", empty and unknown teachers, every rule level for
// subjects per cell and teachers per slot, common periods, double-period quotas, lessons placed
// beforehand and marked cells. The same seed always gives the same school.
#include <cstdint>
#include <memory>

#include "data/DataSet.h"

namespace tabrel::test {

struct GeneratorOptions {
    int maxGrades = 3;
    int maxClassesPerGrade = 4;
    bool tight = false; // more lessons than cells and many exclusions: long searches
};

// Builds the school and prepares it as the program does before a run: relinks every lesson,
// computes the teachers' assigned periods and hands the assignments to the teachers.
std::unique_ptr<DataSet> generateSchool(uint32_t seed, const GeneratorOptions& options = {});

} // namespace tabrel::test
