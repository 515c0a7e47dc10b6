#pragma once
// Small schools for the drawing tests.
#include <memory>
#include <string>

#include "data/DataSet.h"
#include "support/TestSupport.h"

namespace tabrel::test {

// The new-document time grid (4 morning, 3 afternoon periods, 星期一 … 星期五) with one grade
// "初一" of `classes` classes named 初一(1), 初一(2), …
inline std::unique_ptr<DataSet> newDocumentSchool(int classes = 1)
{
    auto ds = std::make_unique<DataSet>();
    ds->applyNewDocumentDefaults();
    ds->setGradeCount(1);
    ds->gradeNames[0] = G("初一");
    ds->setClassCount(0, classes);
    for (int i = 0; i < classes; ++i)
        ds->classAt(0, i)->name = G("初一(") + std::to_string(i + 1) + ")";
    return ds;
}

// Writes a lesson straight into a cell and registers it with its teacher.
inline void putLesson(DataSet& ds, ClassTable& table, int period, int day, const char* subject, const char* teacher)
{
    LessonCell& cell = table.cells[period][day];
    cell.subject = G(subject);
    cell.teacher = G(teacher);
    ds.relinkCell(cell);
}

inline TeacherInfoRecord& addTeacher(DataSet& ds, const char* name)
{
    ds.appendTeacher();
    TeacherInfoRecord& t = *ds.teachers.back();
    t.name = G(name);
    return t;
}

} // namespace tabrel::test
