#include "data/StoredState.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>

#include "data/DataSet.h"
#include "data/ExtensionBlock.h"
#include "data/SchoolExtension.h"

namespace tabrel {

namespace {

class Writer {
public:
    explicit Writer(std::string& out) : out_(out) {}
    // Zigzag, then seven bits a byte: the small numbers and lengths most fields hold take one byte.
    void number(int64_t v)
    {
        uint64_t u = (static_cast<uint64_t>(v) << 1) ^ static_cast<uint64_t>(v >> 63);
        while (u >= 0x80) {
            out_ += static_cast<char>((u & 0x7F) | 0x80);
            u >>= 7;
        }
        out_ += static_cast<char>(u);
    }
    void text(const std::string& s)
    {
        number(static_cast<int64_t>(s.size()));
        out_ += s;
    }
    template <class List>
    void texts(const List& list)
    {
        number(static_cast<int64_t>(list.size()));
        for (const auto& s : list)
            text(s);
    }

private:
    std::string& out_;
};

class Reader {
public:
    explicit Reader(std::string_view in) : in_(in) {}
    bool ok() const { return ok_; }
    bool atEnd() const { return pos_ == in_.size(); }
    int64_t number()
    {
        uint64_t u = 0;
        for (int shift = 0; ok_; shift += 7) {
            if (pos_ >= in_.size() || shift > 63) {
                ok_ = false;
                break;
            }
            const auto byte = static_cast<unsigned char>(in_[pos_++]);
            u |= static_cast<uint64_t>(byte & 0x7F) << shift;
            if (!(byte & 0x80))
                return static_cast<int64_t>(u >> 1) ^ -static_cast<int64_t>(u & 1);
        }
        return 0;
    }
    int32_t int32() { return static_cast<int32_t>(number()); }
    // A count of items that each take at least `minBytes` more of the input.
    std::size_t count(std::size_t minBytes = 1)
    {
        const int64_t n = number();
        if (n < 0 || static_cast<uint64_t>(n) > (in_.size() - pos_) / minBytes) {
            ok_ = false;
            return 0;
        }
        return static_cast<std::size_t>(n);
    }
    void text(std::string& s)
    {
        const std::size_t n = count();
        if (!ok_)
            return;
        s.assign(in_.data() + pos_, n);
        pos_ += n;
    }
    template <class Vector>
    void textVector(Vector& list)
    {
        list.resize(count());
        for (auto& s : list)
            text(s);
    }
    template <class Array>
    void textArray(Array& list)
    {
        if (count() != list.size())
            ok_ = false;
        for (auto& s : list)
            text(s);
    }

private:
    std::string_view in_;
    std::size_t pos_ = 0;
    bool ok_ = true;
};

template <class T, class Make>
void resizeOwned(std::vector<std::unique_ptr<T>>& list, std::size_t size, Make make)
{
    while (list.size() > size)
        list.pop_back();
    while (list.size() < size)
        list.push_back(make());
}

void writeTable(Writer& w, const DataTable& t)
{
    w.number(t.rowCount());
    w.number(t.columnCount());
    for (int32_t r = 0; r < t.rowCount(); ++r)
        for (int32_t c = 0; c < t.columnCount(); ++c)
            w.text(t.cell(r, c));
}

void readTable(Reader& r, DataTable& t)
{
    const int32_t rows = r.int32();
    const int32_t columns = r.int32();
    if (!r.ok() || rows < 0 || columns < 0)
        return;
    t.setRowCount(0);
    t.setColumnCount(columns);
    t.setRowCount(rows);
    std::string cell;
    for (int32_t i = 0; i < rows && r.ok(); ++i)
        for (int32_t j = 0; j < columns; ++j) {
            r.text(cell);
            t.setCell(i, j, cell);
        }
}

void writeClass(Writer& w, const ClassTable& c)
{
    w.text(c.name);
    w.text(c.gradeName);
    w.number(c.ordinal);
    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d) {
            const LessonCell& cell = c.cells[p][d];
            w.text(cell.subject);
            w.text(cell.teacher);
            w.number(cell.reservedValue);
            w.number(cell.markFlag);
            w.texts(cell.subjectRules);
            w.text(c.commonPeriods[p][d]);
        }
    w.number(static_cast<int64_t>(c.assignments.size()));
    for (const auto& a : c.assignments) {
        w.text(a->subject);
        w.text(a->teacher);
        w.number(a->weeklyLessons);
        w.number(a->doubleCount);
        w.number(a->placedCount);
    }
}

void readClass(Reader& r, ClassTable& c)
{
    r.text(c.name);
    r.text(c.gradeName);
    c.ordinal = r.int32();
    for (int p = 0; p < MaxPeriodRows; ++p)
        for (int d = 0; d < DayColumns; ++d) {
            LessonCell& cell = c.cells[p][d];
            r.text(cell.subject);
            r.text(cell.teacher);
            cell.reservedValue = r.int32();
            cell.markFlag = r.int32();
            r.textVector(cell.subjectRules);
            r.text(c.commonPeriods[p][d]);
        }
    resizeOwned(c.assignments, r.count(), [] { return std::make_unique<TeachingAssignment>(); });
    for (auto& a : c.assignments) {
        r.text(a->subject);
        r.text(a->teacher);
        a->weeklyLessons = r.int32();
        a->doubleCount = r.int32();
        a->placedCount = r.int32();
    }
    // A candidate of an assignment that went is dropped with it.
    std::unordered_set<const TeachingAssignment*> kept;
    for (const auto& a : c.assignments)
        kept.insert(a.get());
    if (std::erase_if(c.candidates, [&kept](const TeachingAssignment* a) { return !kept.count(a); }) > 0)
        c.candidateTexts.clear();
}

} // namespace

std::string captureStoredState(const DataSet& ds)
{
    std::string out;
    Writer w(out);
    w.texts(ds.gradeNames);
    w.number(static_cast<int64_t>(ds.grades.size()));
    for (const auto& g : ds.grades) {
        w.number(static_cast<int64_t>(g->classes.size()));
        for (const auto& c : g->classes)
            writeClass(w, *c);
    }
    w.number(ds.earlyReadingCount);
    w.number(ds.morningCount);
    w.number(ds.afternoonCount);
    w.number(ds.eveningCount);
    w.texts(ds.dayNames);
    for (const auto* list : {&ds.commonRowNames, &ds.commonRowStarts, &ds.commonRowEnds, &ds.periodStarts, &ds.periodEnds})
        w.texts(*list);
    w.number(ds.lessonMinutes);
    w.number(ds.breakMinutes);
    w.number(static_cast<int64_t>(ds.subjects.size()));
    for (const auto& s : ds.subjects) {
        w.text(s->name);
        w.texts(s->gradeLessons);
        w.number(s->sameSubjectLimit);
        w.number(s->progressAligned);
        w.text(s->ruleSummary);
    }
    w.number(static_cast<int64_t>(ds.teachers.size()));
    for (const auto& t : ds.teachers) {
        w.text(t->name);
        w.text(t->shortName);
        w.text(t->taughtSubjects);
        w.number(t->workload);
        w.text(t->remark);
        w.text(t->ruleSummary);
    }
    for (const auto& row : ds.teacherSlotSettings)
        for (const auto& list : row)
            w.texts(list);
    writeTable(w, ds.teacherGroupTable);
    writeTable(w, ds.spareTable);
    // the data beyond the seven sections, as the file's extension block holds it
    std::string block, problem;
    appendExtensionBlock(ds.extension, block, problem);
    w.text(block);
    return out;
}

bool restoreStoredState(DataSet& ds, std::string_view state)
{
    Reader r(state);
    // The teachers point into the classes; those pointers go before any class can.
    for (auto& t : ds.teachers)
        t->clearDerived();

    r.textVector(ds.gradeNames);
    resizeOwned(ds.grades, r.count(), [&ds] { return std::make_unique<Grade>(&ds); });
    for (auto& g : ds.grades) {
        Grade& grade = *g;
        resizeOwned(grade.classes, r.count(), [&ds, &grade] { return std::make_unique<ClassTable>(&ds, &grade); });
        for (auto& c : grade.classes)
            readClass(r, *c);
    }
    ds.earlyReadingCount = r.int32();
    ds.morningCount = r.int32();
    ds.afternoonCount = r.int32();
    ds.eveningCount = r.int32();
    r.textVector(ds.dayNames);
    for (auto* list : {&ds.commonRowNames, &ds.commonRowStarts, &ds.commonRowEnds, &ds.periodStarts, &ds.periodEnds})
        r.textArray(*list);
    ds.lessonMinutes = r.int32();
    ds.breakMinutes = r.int32();
    resizeOwned(ds.subjects, r.count(), [] { return std::make_unique<Subject>(); });
    for (auto& s : ds.subjects) {
        r.text(s->name);
        r.textArray(s->gradeLessons);
        s->sameSubjectLimit = r.int32();
        s->progressAligned = r.int32();
        r.text(s->ruleSummary);
    }
    resizeOwned(ds.teachers, r.count(), [&ds] { return std::make_unique<TeacherInfoRecord>(&ds); });
    for (auto& t : ds.teachers) {
        r.text(t->name);
        r.text(t->shortName);
        r.text(t->taughtSubjects);
        t->workload = r.int32();
        r.text(t->remark);
        r.text(t->ruleSummary);
    }
    for (auto& row : ds.teacherSlotSettings)
        for (auto& list : row)
            r.textVector(list);
    readTable(r, ds.teacherGroupTable);
    readTable(r, ds.spareTable);
    std::string block;
    r.text(block);
    SchoolExtension extension;
    const bool extensionRead = decodeExtensionBlock(block, extension).ok();
    ds.extension = std::move(extension);
    ds.applySchoolName();
    ds.relinkTeacherCells();
    return r.ok() && r.atEnd() && extensionRead;
}

} // namespace tabrel
