#pragma once
// A small hand-made school for the edge cases of the placement checks.
#include <memory>
#include <string>
#include <vector>

#include "data/DataSet.h"
#include "scheduling/TeacherAssignment.h"
#include "support/TestSupport.h"

namespace tabrel::test {

// One grade "初一" with `classes` classes named 初一(1)…, no early reading, 4 morning and
// 3 afternoon periods, 5 days; no requirement lines unless a test adds them.
inline std::unique_ptr<DataSet> smallSchool(int classes = 1)
{
    auto ds = std::make_unique<DataSet>();
    ds->applyNewDocumentDefaults();
    ds->requirementTexts.clear();
    ds->setGradeCount(1);
    ds->gradeNames[0] = G("初一");
    ds->setClassCount(0, classes);
    ds->renameClasses("(", ")");
    return ds;
}

inline TeachingAssignment& plan(ClassTable& c, const char* subject, int weekly, const std::string& teacher = {})
{
    c.UpdateAssignmentFromLessonText(G(subject), std::to_string(weekly));
    TeachingAssignment* a = c.FindAssignment(G(subject));
    a->teacher = teacher;
    return *a;
}

inline void addTeacher(DataSet& ds, const char* name)
{
    ds.appendTeacher();
    ds.teachers.back()->name = G(name);
}

// Writes a lesson as every scheduling path does: the subject, then the relink.
inline void place(DataSet& ds, ClassTable& c, int period, int day, const char* subject)
{
    c.setCellSubject(c.cells[period][day], G(subject));
    ds.relinkCell(c.cells[period][day]);
}

inline int costOf(const ClassTable& c, const char* subject) { return c.FindAssignment(G(subject))->cost; }

// As the program prepares an opened file for a run: lessons relinked, loads, courses.
inline void prepare(DataSet& ds)
{
    ds.relinkTeacherCells();
    ComputeAssignedPeriods(ds);
    ds.syncTeacherAssignments();
}

// Every cell's subject and teacher, school-wide (whole 12 x 7 grids).
inline std::vector<std::string> cells(const DataSet& ds)
{
    std::vector<std::string> out;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            for (int p = 0; p < MaxPeriodRows; ++p)
                for (int d = 0; d < DayColumns; ++d)
                    out.push_back(c->cells[p][d].subject + "|" + c->cells[p][d].teacher);
    return out;
}

} // namespace tabrel::test
