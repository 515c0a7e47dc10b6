// The writer of the data file's seven sections: the format's limits, the sections in memory, and
// saving them through the safe file replacement.
#include "data/DataFile.h"

#include <climits>
#include <cstdio>
#include <unordered_set>

#include "data/DataSet.h"
#include "data/ExtensionBlock.h"
#include "data/Gbk.h"
#include "data/SafeFile.h"

namespace tabrel {

namespace {

std::string formatText(const char* format, long long a, long long b = 0)
{
    char buf[256];
    std::snprintf(buf, sizeof buf, format, a, b);
    return buf;
}

// Appends the sections to `out`, or only measures them when `out` is null, remembering the first
// thing the format cannot hold.
class SectionWriter {
public:
    explicit SectionWriter(std::string* out) : out_(out) {}

    bool ok() const { return problem_.empty(); }
    const std::string& problem() const { return problem_; }
    std::size_t size() const { return size_; }
    void refuse(const std::string& why)
    {
        if (problem_.empty())
            problem_ = why;
    }

    void int32(int32_t v)
    {
        size_ += 4;
        if (out_)
            appendInt32(*out_, v);
    }

    void count(std::size_t n)
    {
        if (n > static_cast<std::size_t>(INT32_MAX)) {
            refuse("列表过长");
            return;
        }
        int32(static_cast<int32_t>(n));
    }

    void text(std::string_view t)
    {
        if (!ok())
            return;
        if (t.size() > static_cast<std::size_t>(MaxTextBytes)) {
            refuse(formatText("文本长度 %lld 字节超过上限 %lld 字节", static_cast<long long>(t.size()), MaxTextBytes));
            return;
        }
        size_ += 4 * (t.size() + 1);
        if (size_ > MaxDataFileBytes) {
            refuse(formatText("文件将超过 %lld MiB", static_cast<long long>(MaxDataFileBytes >> 20)));
            return;
        }
        if (out_)
            appendText(*out_, t);
    }

    template <typename List>
    void textList(const List& list)
    {
        count(list.size());
        for (const auto& t : list)
            text(t);
    }

    // A table without rows or without columns holds no cell and is written as 0 x 0: its other
    // count would have no values behind it, and a reader takes such a count for damage.
    void table(const DataTable& t)
    {
        if (t.rowCount() == 0 || t.columnCount() == 0) {
            int32(0);
            int32(0);
            return;
        }
        int32(t.rowCount());
        int32(t.columnCount());
        for (int32_t r = 0; r < t.rowCount() && ok(); ++r)
            for (int32_t k = 0; k < t.columnCount(); ++k)
                text(t.cell(r, k));
    }

private:
    std::string* out_ = nullptr;
    std::size_t size_ = 0;
    std::string problem_;
};

// What a data set holds that the file cannot: "" when it can be written.
std::string unwritableReason(const DataSet& ds)
{
    if (ds.grades.size() != ds.gradeNames.size())
        return "年级与年级名称的数目不一致";
    if (ds.grades.size() > static_cast<std::size_t>(MaxGradeColumns))
        return formatText("年级数 %lld 超过 %lld", static_cast<long long>(ds.grades.size()), MaxGradeColumns);
    for (std::size_t g = 0; g < ds.grades.size(); ++g)
        if (ds.grades[g]->classes.size() > static_cast<std::size_t>(MaxClassesPerGrade))
            return formatText("第 %lld 个年级的班级数超过 %lld", static_cast<long long>(g) + 1, MaxClassesPerGrade);
    if (ds.earlyReadingCount < 0 || ds.morningCount < 0 || ds.afternoonCount < 0 || ds.eveningCount < 0)
        return "作息时间的节数为负数";
    const long long periods = static_cast<long long>(ds.earlyReadingCount) + ds.morningCount + ds.afternoonCount
                              + ds.eveningCount;
    if (periods > MaxPeriodRows)
        return formatText("每天节数 %lld 超过 %lld", periods, MaxPeriodRows);
    if (ds.dayNames.size() > static_cast<std::size_t>(DayColumns))
        return formatText("每周天数 %lld 超过 %lld", static_cast<long long>(ds.dayNames.size()), DayColumns);
    if (ds.teachers.size() > static_cast<std::size_t>(MaxTeacherCount))
        return formatText("教师人数 %lld 超过 %lld", static_cast<long long>(ds.teachers.size()), MaxTeacherCount);
    return {};
}

void writeSections(const DataSet& ds, SectionWriter& w)
{
    // 1: grades and their classes
    w.count(ds.grades.size());
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        w.text(ds.gradeNames[g]);
        const auto& classes = ds.grades[g]->classes;
        w.count(classes.size());
        for (const auto& c : classes)
            w.text(c->name);
    }

    // 2: time grid
    w.int32(ds.earlyReadingCount);
    w.int32(ds.morningCount);
    w.int32(ds.afternoonCount);
    w.int32(ds.eveningCount);
    w.textList(ds.dayNames);
    for (int n = 0; n < TimeSlotCount; ++n) {
        w.text(ds.commonRowNames[n]);
        w.text(ds.commonRowStarts[n]);
        w.text(ds.commonRowEnds[n]);
        w.text(ds.periodStarts[n]);
        w.text(ds.periodEnds[n]);
    }
    w.int32(ds.lessonMinutes);
    w.int32(ds.breakMinutes);

    // 3: subjects
    w.count(ds.subjects.size());
    for (const auto& s : ds.subjects) {
        w.text(s->name);
        for (const auto& lessons : s->gradeLessons)
            w.text(lessons);
        w.int32(s->sameSubjectLimit);
        w.int32(s->progressAligned);
        w.text(s->ruleSummary);
    }

    // 4: teachers
    w.count(ds.teachers.size());
    for (const auto& t : ds.teachers) {
        w.text(t->name);
        w.text(t->shortName);
        w.text(t->taughtSubjects);
        w.int32(t->workload);
        w.text(t->remark);
        w.text(t->ruleSummary);
    }

    // 5: the stored cells and the teaching plan of every class
    const int periods = ds.periodsPerDay();
    const int days = ds.dayCount();
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes) {
            for (int p = 0; p < periods && w.ok(); ++p)
                for (int d = 0; d < days; ++d) {
                    const LessonCell& cell = c->cells[p][d];
                    w.text(c->commonPeriods[p][d]);
                    w.text(cell.subject);
                    w.text(cell.teacher);
                    w.int32(cell.reservedValue);
                    w.int32(cell.markFlag);
                    w.textList(cell.subjectRules);
                }
            w.count(c->assignments.size());
            for (const auto& a : c->assignments) {
                w.text(a->subject);
                w.text(a->teacher);
                w.int32(a->weeklyLessons);
                w.int32(a->doubleCount);
                w.int32(a->placedCount);
            }
            if (!w.ok())
                return;
        }

    // 6: all 12 x 7 teacher slot lists
    for (int i = 0; i < MaxPeriodRows; ++i)
        for (int j = 0; j < DayColumns; ++j)
            w.textList(ds.teacherSlotSettings[i][j]);

    // 7: the two tables
    w.table(ds.teacherGroupTable);
    w.table(ds.spareTable);
}

} // namespace

void appendInt32(std::string& out, int32_t value)
{
    const auto u = static_cast<uint32_t>(value);
    const char b[4] = {static_cast<char>(u & 0xFF), static_cast<char>((u >> 8) & 0xFF),
                       static_cast<char>((u >> 16) & 0xFF), static_cast<char>((u >> 24) & 0xFF)};
    out.append(b, 4);
}

void appendText(std::string& out, std::string_view text)
{
    appendInt32(out, static_cast<int32_t>(text.size()));
    const std::size_t start = out.size();
    out.resize(start + 4 * text.size());
    char* p = out.data() + start;
    for (char ch : text) {
        // The byte taken as signed, negated: 0x80 (-128) becomes 128.
        const int32_t v = -static_cast<int32_t>(static_cast<signed char>(ch));
        const auto u = static_cast<uint32_t>(v);
        p[0] = static_cast<char>(u & 0xFF);
        p[1] = static_cast<char>((u >> 8) & 0xFF);
        p[2] = static_cast<char>((u >> 16) & 0xFF);
        p[3] = static_cast<char>((u >> 24) & 0xFF);
        p += 4;
    }
}

FileResult encodeDataFile(const DataSet& dataSet, std::string& out)
{
    out.clear();
    FileResult r;
    std::string why = unwritableReason(dataSet);
    if (why.empty()) {
        SectionWriter measure(nullptr);
        writeSections(dataSet, measure);
        why = measure.problem();
        if (why.empty()) {
            out.reserve(measure.size());
            SectionWriter w(&out);
            writeSections(dataSet, w);
            if (!appendExtensionBlock(dataSet.extension, out, why))
                out.clear();
            else if (out.size() > MaxDataFileBytes)
                why = formatText("文件将超过 %lld MiB", static_cast<long long>(MaxDataFileBytes >> 20));
        }
    }
    if (!why.empty()) {
        out.clear();
        out.shrink_to_fit();
        r.status = FileStatus::CannotWrite;
        r.message = why;
    }
    return r;
}

FileResult saveDataFile(const DataSet& dataSet, const std::string& path)
{
    std::string bytes;
    FileResult r = encodeDataFile(dataSet, bytes);
    if (!r.ok())
        return cannotWrite(path, r.message);
    return replaceFileSafely(path, bytes);
}

} // namespace tabrel
