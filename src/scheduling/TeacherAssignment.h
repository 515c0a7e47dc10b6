#pragma once
// Teacher data derived from the classes' teaching plans: assigned periods, missing teacher records
// and the teacher summary table ("教师任教信息表").
#include <vector>

namespace tabrel {

class ClassTable;
class DataSet;
class DataTable;

// For every teacher: `assignedPeriods` = sum of weeklyLessons + 2 x doubleCount over the assignments
// of every class that name it.
void ComputeAssignedPeriods(DataSet& dataSet);

// What showing a scheduling panel, and every command-line run that stands for one, prepares:
// every teacher's assigned periods, then its taught courses from the classes' assignments.
void PrepareForScheduling(DataSet& dataSet);

// Appends a teacher record for every assigned name without one (subjects outer, classes inner), with
// the short name and the subject it was first found under. Returns the number of records added.
int AddMissingTeachers(DataSet& dataSet);

// "提取教师": one row per (subject, teacher) pair with the weekly lessons the teacher gives in it,
// under the header row "任教科目", "教师", "课时".
void BuildTeacherLoadTable(const DataSet& dataSet, DataTable& table);

} // namespace tabrel
