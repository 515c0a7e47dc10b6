#pragma once
// Tight schools for the completion phase: every grade fills its week to the last cell (4 + 4 periods
// on 5 days, with an early-reading and an evening period in some), its teachers take one subject in
// 2-4 classes, some part-time teachers keep a whole morning or afternoon free, 体育 may not stand in
// the first period or right after lunch, 信息技术 only in the afternoons and in one room per slot
// budget, and a few lessons are placed by hand beforehand. Every rule is drawn around a complete
// timetable made first (an edge colouring of classes and teachers), so each school has at least one
// timetable without any problem. The same seed always gives the same school.
#include <cstdint>
#include <memory>

#include "data/DataSet.h"

namespace tabrel::test {

struct TightSchoolOptions {
    int grades = 2;
    int classesPerGrade = 10;
    bool earlyReading = false; // an early-reading period (早读) every day
    bool evening = false;      // an evening period (晚自习) every day
    int handPlacedPercent = 3; // lessons of the hidden timetable placed beforehand
    int fewestClassesPerTeacher = 2; // 2-4; 3 keeps the largest schools within the 2000 teachers of a file
};

// The school with its plan, teachers, rules and hand-placed lessons; nothing is prepared
// (relinking, loads and courses are left to the caller, as after loading a file).
std::unique_ptr<DataSet> tightSchool(uint32_t seed, const TightSchoolOptions& options = {});

} // namespace tabrel::test
