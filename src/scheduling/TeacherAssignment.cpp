#include "scheduling/TeacherAssignment.h"

#include "data/DataSet.h"
#include "data/DataTable.h"
#include "data/Gbk.h"

namespace tabrel {

void ComputeAssignedPeriods(DataSet& dataSet)
{
    const auto classes = dataSet.classesInGradeOrder();
    for (auto& t : dataSet.teachers) {
        long long sum = 0;
        for (const ClassTable* c : classes)
            for (const auto& a : c->assignments)
                if (!a->teacher.empty() && a->teacher == t->name)
                    sum += static_cast<long long>(a->weeklyLessons) + 2LL * a->doubleCount;
        t->assignedPeriods = static_cast<int32_t>(sum);
    }
}

void PrepareForScheduling(DataSet& dataSet)
{
    ComputeAssignedPeriods(dataSet);
    dataSet.syncTeacherAssignments();
}

int AddMissingTeachers(DataSet& dataSet)
{
    const auto classes = dataSet.classesInGradeOrder();
    int added = 0;
    for (const auto& s : dataSet.subjects)
        for (const ClassTable* c : classes) {
            const std::string t = c->teacherForSubject(s->name);
            if (t.empty() || dataSet.findTeacher(t))
                continue;
            dataSet.appendTeacher();
            TeacherInfoRecord& r = *dataSet.teachers.back();
            r.name = t;
            r.shortName = gbk::shortName(t);
            r.taughtSubjects = s->name;
            r.workload = 0;
            ++added;
        }
    return added;
}

void BuildTeacherLoadTable(const DataSet& dataSet, DataTable& table)
{
    table.setRowCount(0);
    table.setColumnCount(0);
    table.setRowCount(1);
    table.setColumnCount(3);
    table.setCell(0, 0, GBK("任教科目"));
    table.setCell(0, 1, GBK("教师"));
    table.setCell(0, 2, GBK("课时"));
    const auto classes = dataSet.classesInGradeOrder();
    for (const auto& s : dataSet.subjects)
        for (const ClassTable* c : classes) {
            const std::string t = c->teacherForSubject(s->name);
            if (t.empty())
                continue;
            int row = -1;
            for (int r = 1; r < table.rowCount(); ++r)
                if (table.cell(r, 0) == s->name && table.cell(r, 1) == t) {
                    row = r;
                    break;
                }
            if (row < 0) {
                row = table.rowCount();
                table.setRowCount(row + 1);
                table.setCell(row, 0, s->name);
                table.setCell(row, 1, t);
            }
            const int before = gbk::leadingInt(table.cell(row, 2));
            const TeachingAssignment* a = c->FindAssignment(s->name);
            table.setCell(row, 2, gbk::formatInt(static_cast<long long>(before) + (a ? a->weeklyLessons : 0)));
        }
}

} // namespace tabrel
