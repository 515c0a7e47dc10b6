#include "data/DataSetCopy.h"

#include <unordered_map>

#include "data/DataSet.h"

namespace tabrel {

namespace {

// Where every class and assignment of the source stands in the target.
struct RecordMap {
    std::unordered_map<const ClassTable*, ClassTable*> classes;
    std::unordered_map<const TeachingAssignment*, TeachingAssignment*> assignments;

    LessonCell* cell(const LessonCell* c) const
    {
        if (!c || !c->classTable)
            return nullptr;
        auto it = classes.find(c->classTable);
        if (it == classes.end())
            return nullptr;
        const std::ptrdiff_t offset = c - &c->classTable->cells[0][0];
        return &it->second->cells[0][0] + offset;
    }
};

template <class T, class Make>
void resizeOwned(std::vector<std::unique_ptr<T>>& list, std::size_t size, Make make)
{
    while (list.size() > size)
        list.pop_back();
    while (list.size() < size)
        list.push_back(make());
}

void copyAssignment(const TeachingAssignment& from, TeachingAssignment& to)
{
    to = from; // plain values only
}

void copyClass(const ClassTable& from, ClassTable& to, RecordMap& map)
{
    map.classes[&from] = &to;
    to.name = from.name;
    to.gradeName = from.gradeName;
    to.ordinal = from.ordinal;
    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d) {
            const LessonCell& a = from.cells[p][d];
            LessonCell& b = to.cells[p][d];
            b.subject = a.subject;
            b.teacher = a.teacher;
            b.reservedValue = a.reservedValue;
            b.markFlag = a.markFlag;
            b.subjectRules = a.subjectRules;
            b.mark = a.mark;
            b.alternatives = a.alternatives;
        }
    to.commonPeriods = from.commonPeriods;
    resizeOwned(to.assignments, from.assignments.size(), [] { return std::make_unique<TeachingAssignment>(); });
    for (std::size_t i = 0; i < from.assignments.size(); ++i) {
        copyAssignment(*from.assignments[i], *to.assignments[i]);
        map.assignments[from.assignments[i].get()] = to.assignments[i].get();
    }
    to.candidates.clear();
    for (const TeachingAssignment* a : from.candidates)
        if (auto it = map.assignments.find(a); it != map.assignments.end())
            to.candidates.push_back(it->second);
    to.candidateTexts = from.candidateTexts;
}

void copyTeacher(const TeacherInfoRecord& from, TeacherInfoRecord& to, const RecordMap& map)
{
    to.name = from.name;
    to.shortName = from.shortName;
    to.taughtSubjects = from.taughtSubjects;
    to.workload = from.workload;
    to.assignedPeriods = from.assignedPeriods;
    to.remark = from.remark;
    to.ruleSummary = from.ruleSummary;
    to.slotGradeText = from.slotGradeText;
    to.slotClassNumbers = from.slotClassNumbers;
    to.slotSubject = from.slotSubject;
    to.lessons.clear();
    for (const LessonCell* c : from.lessons)
        if (LessonCell* mapped = map.cell(c))
            to.lessons.push_back(mapped);
    to.courseGrade = from.courseGrade;
    to.courseSubject = from.courseSubject;
    for (int k = 0; k < MaxCourses; ++k) {
        to.courseClasses[k].clear();
        for (const ClassTable* c : from.courseClasses[k])
            if (auto it = map.classes.find(c); it != map.classes.end())
                to.courseClasses[k].push_back(it->second);
    }
}

} // namespace

void copyDataSet(const DataSet& from, DataSet& to)
{
    if (&from == &to)
        return;
    // The target's teachers point into its classes; drop those pointers before classes go.
    for (auto& t : to.teachers)
        t->clearDerived();

    to.schoolName = from.schoolName;
    to.scheduleTitle = from.scheduleTitle;
    to.requirementTexts = from.requirementTexts;
    to.cellDisplayMode = from.cellDisplayMode;
    to.gradeNames = from.gradeNames;
    to.earlyReadingCount = from.earlyReadingCount;
    to.morningCount = from.morningCount;
    to.afternoonCount = from.afternoonCount;
    to.eveningCount = from.eveningCount;
    to.dayNames = from.dayNames;
    to.commonRowNames = from.commonRowNames;
    to.commonRowStarts = from.commonRowStarts;
    to.commonRowEnds = from.commonRowEnds;
    to.periodStarts = from.periodStarts;
    to.periodEnds = from.periodEnds;
    to.lessonMinutes = from.lessonMinutes;
    to.breakMinutes = from.breakMinutes;
    to.nameReplacements = from.nameReplacements;
    to.teacherSlotSettings = from.teacherSlotSettings;
    to.teacherGroupTable = from.teacherGroupTable;
    to.spareTable = from.spareTable;
    to.extension = from.extension;

    RecordMap map;
    resizeOwned(to.grades, from.grades.size(), [&to] { return std::make_unique<Grade>(&to); });
    for (std::size_t g = 0; g < from.grades.size(); ++g) {
        Grade& target = *to.grades[g];
        resizeOwned(target.classes, from.grades[g]->classes.size(),
                    [&to, &target] { return std::make_unique<ClassTable>(&to, &target); });
        for (std::size_t j = 0; j < target.classes.size(); ++j)
            copyClass(*from.grades[g]->classes[j], *target.classes[j], map);
    }

    resizeOwned(to.subjects, from.subjects.size(), [] { return std::make_unique<Subject>(); });
    for (std::size_t s = 0; s < from.subjects.size(); ++s)
        *to.subjects[s] = *from.subjects[s];

    resizeOwned(to.teachers, from.teachers.size(), [&to] { return std::make_unique<TeacherInfoRecord>(&to); });
    for (std::size_t t = 0; t < from.teachers.size(); ++t)
        copyTeacher(*from.teachers[t], *to.teachers[t], map);
}

std::size_t approximateBytes(const DataSet& ds)
{
    auto texts = [](const auto& list) {
        std::size_t n = 0;
        for (const auto& s : list)
            n += sizeof(std::string) + s.capacity();
        return n;
    };
    std::size_t n = sizeof(DataSet);
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes) {
            n += sizeof(ClassTable) + c->assignments.size() * (sizeof(TeachingAssignment) + 64);
            for (const auto& row : c->cells)
                for (const auto& cell : row)
                    n += cell.subject.capacity() + cell.teacher.capacity() + texts(cell.subjectRules) +
                         texts(cell.alternatives);
            for (const auto& row : c->commonPeriods)
                n += texts(row);
        }
    for (const auto& t : ds.teachers) {
        n += sizeof(TeacherInfoRecord) + t->lessons.size() * sizeof(void*);
        for (const auto& row : t->slotSubject)
            n += texts(row) * 3;
    }
    n += ds.subjects.size() * (sizeof(Subject) + 128);
    for (const auto& row : ds.teacherSlotSettings)
        for (const auto& list : row)
            n += texts(list);
    n += ds.extension.absences.size() * (sizeof(AbsenceRecord) + 32) + ds.extension.changes.size() * (sizeof(ChangeRecord) + 48);
    for (const ExtensionChunk& c : ds.extension.unknownChunks)
        n += sizeof(ExtensionChunk) + c.payload.capacity();
    return n;
}

} // namespace tabrel
