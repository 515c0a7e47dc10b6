// The reader of the data file's seven sections: every length and count checked against what is
// left before it is acted on; damage is reported with its section and offset.
#include "data/DataFile.h"

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "data/DataSet.h"
#include "data/ExtensionBlock.h"
#include "data/Gbk.h"
#include "data/SafeFile.h"

namespace tabrel {

namespace {

const char* sectionName(int section)
{
    switch (section) {
    case 1: return "班级";
    case 2: return "作息时间";
    case 3: return "科目";
    case 4: return "教师";
    case 5: return "课表";
    case 6: return "教师时段设置";
    case 7: return "表格";
    default: return "";
    }
}

// Reads int32 values and texts from the bytes of a file, checking every length and count against
// what is left. After the first damage every read fails, so callers stop at their next check.
class SectionReader {
public:
    SectionReader(std::string_view bytes, FileResult& result) : bytes_(bytes), result_(result) {}

    bool ok() const { return result_.status == FileStatus::Ok; }
    void setSection(int section) { section_ = section; }
    std::size_t remainingValues() const { return (bytes_.size() - pos_) / 4; }
    std::size_t position() const { return pos_; }

    void damage(const std::string& what, std::size_t offset)
    {
        if (!ok())
            return;
        result_.status = FileStatus::Damaged;
        char where[96];
        std::snprintf(where, sizeof where, "第%d节（%s）: ", section_, sectionName(section_));
        result_.message = "数据文件已损坏: " + std::string(where) + what + " (偏移 " + std::to_string(offset) + ")";
    }

    bool int32(int32_t& v)
    {
        if (!ok())
            return false;
        if (bytes_.size() - pos_ < 4) {
            damage("文件在此节结束前中断", pos_);
            return false;
        }
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
        v = static_cast<int32_t>(static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8
                                 | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24);
        pos_ += 4;
        return true;
    }

    // A count of items that each take at least one value of the file; `limit` is the most the
    // record can hold.
    bool count(int32_t& n, const char* what, int32_t limit = INT32_MAX)
    {
        const std::size_t at = pos_;
        if (!int32(n))
            return false;
        if (n < 0) {
            damage(std::string(what) + "为负数 (" + std::to_string(n) + ")", at);
            return false;
        }
        if (n > limit) {
            damage(std::string(what) + " " + std::to_string(n) + " 超过 " + std::to_string(limit), at);
            return false;
        }
        if (static_cast<std::size_t>(n) > remainingValues()) {
            damage(std::string(what) + " " + std::to_string(n) + " 超过文件剩余的数据", at);
            return false;
        }
        return true;
    }

    bool text(std::string& out)
    {
        const std::size_t at = pos_;
        int32_t length = 0;
        if (!int32(length))
            return false;
        if (length < 0) {
            ++result_.negativeTextLengths;
            damage("数据读取错误！文本长度为负数 (" + std::to_string(length) + ")", at);
            return false;
        }
        if (length > MaxTextBytes) {
            damage("文本长度 " + std::to_string(length) + " 超过上限", at);
            return false;
        }
        if (static_cast<std::size_t>(length) > remainingValues()) {
            damage("文本长度 " + std::to_string(length) + " 超过文件剩余的数据", at);
            return false;
        }
        out.resize(static_cast<std::size_t>(length));
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + pos_);
        for (int32_t i = 0; i < length; ++i, p += 4) {
            const uint32_t v = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8
                               | static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
            out[static_cast<std::size_t>(i)] = static_cast<char>(static_cast<unsigned char>(0u - v));
        }
        pos_ += 4 * static_cast<std::size_t>(length);
        return true;
    }

    // Appends a count-prefixed list of texts.
    bool textList(std::vector<std::string>& out, const char* what, int32_t limit = INT32_MAX)
    {
        int32_t n = 0;
        if (!count(n, what, limit))
            return false;
        for (int32_t i = 0; i < n; ++i) {
            std::string t;
            if (!text(t))
                return false;
            out.push_back(std::move(t));
        }
        return true;
    }

    bool table(DataTable& t, const char* what)
    {
        const std::size_t at = pos_;
        int32_t rows = 0, columns = 0;
        if (!count(rows, "表格行数") || !count(columns, "表格列数"))
            return false;
        if (static_cast<uint64_t>(rows) * static_cast<uint64_t>(columns) > remainingValues()) {
            damage(std::string(what) + " " + std::to_string(rows) + "×" + std::to_string(columns)
                       + " 个单元超过文件剩余的数据",
                   at);
            return false;
        }
        t.setRowCount(rows);
        t.setColumnCount(columns);
        for (int32_t r = 0; r < rows; ++r)
            for (int32_t k = 0; k < columns; ++k) {
                std::string cell;
                if (!text(cell))
                    return false;
                t.setCell(r, k, cell);
            }
        return true;
    }

private:
    std::string_view bytes_;
    std::size_t pos_ = 0;
    int section_ = 1;
    FileResult& result_;
};

bool readClasses(DataSet& ds, SectionReader& r)
{
    r.setSection(1);
    int32_t gradeCount = 0;
    if (!r.count(gradeCount, "年级数", MaxGradeColumns))
        return false;
    ds.setGradeCount(gradeCount);
    for (int32_t g = 0; g < gradeCount; ++g) {
        if (!r.text(ds.gradeNames[static_cast<std::size_t>(g)]))
            return false;
        int32_t classCount = 0;
        if (!r.count(classCount, "班级数", MaxClassesPerGrade))
            return false;
        ds.setClassCount(g, classCount);
        for (int32_t c = 0; c < classCount; ++c)
            if (!r.text(ds.classAt(g, c)->name))
                return false;
    }
    return true;
}

bool readTimeGrid(DataSet& ds, SectionReader& r)
{
    r.setSection(2);
    int32_t* counts[] = {&ds.earlyReadingCount, &ds.morningCount, &ds.afternoonCount, &ds.eveningCount};
    const char* names[] = {"早读节数", "上午节数", "下午节数", "晚上节数"};
    const std::size_t start = r.position();
    long long periods = 0;
    for (int i = 0; i < 4; ++i) {
        const std::size_t at = r.position();
        int32_t n = 0;
        if (!r.int32(n))
            return false;
        if (n < 0) {
            r.damage(std::string(names[i]) + "为负数 (" + std::to_string(n) + ")", at);
            return false;
        }
        *counts[i] = n;
        periods += n;
    }
    if (periods > MaxPeriodRows) {
        r.damage("每天节数 " + std::to_string(periods) + " 超过 " + std::to_string(MaxPeriodRows), start);
        return false;
    }
    if (!r.textList(ds.dayNames, "星期数", DayColumns))
        return false;
    for (int n = 0; n < TimeSlotCount; ++n)
        if (!r.text(ds.commonRowNames[n]) || !r.text(ds.commonRowStarts[n]) || !r.text(ds.commonRowEnds[n])
            || !r.text(ds.periodStarts[n]) || !r.text(ds.periodEnds[n]))
            return false;
    return r.int32(ds.lessonMinutes) && r.int32(ds.breakMinutes);
}

bool readSubjects(DataSet& ds, SectionReader& r)
{
    r.setSection(3);
    int32_t n = 0;
    if (!r.count(n, "科目数"))
        return false;
    for (int32_t i = 0; i < n; ++i) {
        ds.appendSubject();
        Subject& s = *ds.subjects.back();
        if (!r.text(s.name))
            return false;
        for (auto& lessons : s.gradeLessons)
            if (!r.text(lessons))
                return false;
        if (!r.int32(s.sameSubjectLimit) || !r.int32(s.progressAligned) || !r.text(s.ruleSummary))
            return false;
    }
    return true;
}

bool readTeachers(DataSet& ds, SectionReader& r)
{
    r.setSection(4);
    int32_t n = 0;
    if (!r.count(n, "教师人数", MaxTeacherCount))
        return false;
    for (int32_t i = 0; i < n; ++i) {
        ds.appendTeacher();
        TeacherInfoRecord& t = *ds.teachers.back();
        std::string nameRead, shortRead;
        if (!r.text(nameRead) || !r.text(shortRead))
            return false;
        t.name = ds.replacementName(nameRead);
        // A renamed teacher's short name follows the new name: its last two Chinese characters.
        t.shortName = t.name != nameRead ? gbk::shortName(t.name) : shortRead;
        if (!r.text(t.taughtSubjects) || !r.int32(t.workload) || !r.text(t.remark) || !r.text(t.ruleSummary))
            return false;
    }
    return true;
}

bool readClassTimetables(DataSet& ds, SectionReader& r)
{
    r.setSection(5);
    // Section 2 guaranteed 0 <= periods <= 12 and 0 <= days <= 7.
    const int periods = ds.periodsPerDay();
    const int days = ds.dayCount();
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes) {
            for (int p = 0; p < periods; ++p)
                for (int d = 0; d < days; ++d) {
                    LessonCell& cell = c->cells[p][d];
                    std::string teacher;
                    if (!r.text(c->commonPeriods[p][d]) || !r.text(cell.subject) || !r.text(teacher)
                        || !r.int32(cell.reservedValue) || !r.int32(cell.markFlag)
                        || !r.textList(cell.subjectRules, "科目规则数"))
                        return false;
                    cell.teacher = ds.replacementName(teacher);
                }
            int32_t n = 0;
            if (!r.count(n, "任课数"))
                return false;
            for (int32_t i = 0; i < n; ++i) {
                TeachingAssignment& a = *c->appendAssignment();
                std::string teacher;
                if (!r.text(a.subject) || !r.text(teacher) || !r.int32(a.weeklyLessons) || !r.int32(a.doubleCount)
                    || !r.int32(a.placedCount))
                    return false;
                a.teacher = ds.replacementName(teacher);
            }
        }
    return true;
}

bool readTeacherSlots(DataSet& ds, SectionReader& r)
{
    r.setSection(6);
    for (int i = 0; i < MaxPeriodRows; ++i)
        for (int j = 0; j < DayColumns; ++j) {
            auto& list = ds.teacherSlotSettings[i][j];
            list.clear();
            if (!r.textList(list, "时段设置数"))
                return false;
        }
    return true;
}

bool readTables(DataSet& ds, SectionReader& r)
{
    r.setSection(7);
    return r.table(ds.teacherGroupTable, "教师分组表") && r.table(ds.spareTable, "备用表");
}

} // namespace

FileResult decodeDataSections(DataSet& dataSet, std::string_view bytes)
{
    FileResult result;
    SectionReader r(bytes, result);
    if (!(readClasses(dataSet, r) && readTimeGrid(dataSet, r) && readSubjects(dataSet, r) && readTeachers(dataSet, r)
          && readClassTimetables(dataSet, r) && readTeacherSlots(dataSet, r) && readTables(dataSet, r)))
        return result;
    // What follows section 7: the extension block when it starts with its mark, else ignored.
    FileResult extension = decodeExtensionBlock(bytes.substr(r.position()), dataSet.extension);
    if (!extension.ok())
        return extension;
    SchoolExtension& x = dataSet.extension;
    for (AbsenceRecord& a : x.absences)
        a.teacher = dataSet.replacementName(a.teacher);
    for (ChangeRecord& c : x.changes) {
        c.teacher = dataSet.replacementName(c.teacher);
        if (!c.newTeacher.empty())
            c.newTeacher = dataSet.replacementName(c.newTeacher);
    }
    dataSet.applySchoolName();
    return result;
}

FileResult readWholeFile(const std::string& path, std::string& bytes)
{
    return readFileLimited(path, MaxDataFileBytes, bytes);
}

FileResult readDataSections(DataSet& dataSet, const std::string& path)
{
    std::string bytes;
    FileResult r = readWholeFile(path, bytes);
    if (!r.ok())
        return r;
    return decodeDataSections(dataSet, bytes);
}

FileResult loadDataFile(DataSet& dataSet, const std::string& path)
{
    FileResult result;
    result.sidecarRead = readReplacements(dataSet, path, &result.duplicateNewNames) == 1;
    std::string bytes;
    FileResult read = readWholeFile(path, bytes);
    if (!read.ok()) {
        result.status = read.status;
        result.message = read.message;
        result.reason = read.reason;
        return result;
    }
    FileResult decoded = decodeDataSections(dataSet, bytes);
    result.status = decoded.status;
    result.message = decoded.message;
    result.negativeTextLengths = decoded.negativeTextLengths;
    if (result.ok())
        dataSet.relinkTeacherCells();
    return result;
}

} // namespace tabrel
