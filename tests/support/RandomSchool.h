#pragma once
// Random, fully populated schools for tests and benchmarks. Every stored field of every record is
// filled, texts are Chinese (valid GBK, with some ASCII mixed in), numbers are often nonzero or
// negative. Cells outside the stored grid keep their defaults and no sidecar is involved, so a
// saved and reloaded copy equals the original in every stored field. The same seed and options
// always give the same school.
#include <cstdint>
#include <memory>

#include "data/DataSet.h"

namespace tabrel::test {

struct RandomSchoolOptions {
    int grades = -1;              // -1: 0 … 12
    int classesPerGrade = -1;     // -1: 0 … 4, drawn per grade
    int periodsPerDay = -1;       // -1: 0 … 12, split over the four day sections within their ranges
    int days = -1;                // -1: 0 … 7
    int subjects = -1;            // -1: 0 … 12
    int teachers = -1;            // -1: 0 … 16
    int assignmentsPerClass = -1; // -1: 0 … 6, drawn per class
    int maxTextChars = 6;         // Chinese characters in the longest free text
    int tableRows = -1;           // -1: 0 … 4, for both tables
    int tableColumns = -1;        // -1: 0 … 4
};

std::unique_ptr<DataSet> randomSchool(uint32_t seed, const RandomSchoolOptions& options = {});

} // namespace tabrel::test
