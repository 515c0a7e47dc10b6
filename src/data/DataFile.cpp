#include "data/DataFile.h"

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <unordered_set>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {

// ================================================================ writing

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

std::string systemReason(int err)
{
    return std::strerror(err);
}

FileResult cannotWrite(const std::string& path, const std::string& why)
{
    FileResult r;
    r.status = FileStatus::CannotWrite;
    r.message = "无法写入文件: " + path + (why.empty() ? std::string() : "（" + why + "）");
    return r;
}

bool writeAll(int fd, const std::string& bytes)
{
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

// Writes the bytes into a new file beside the target and renames it over the target once it is
// complete and flushed; the target is untouched on any failure.
FileResult replaceFile(const std::string& path, const std::string& bytes)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path target(path);
    if (fs::is_symlink(fs::symlink_status(target, ec))) {
        // Keep the link: replace the file it points to.
        fs::path resolved = fs::canonical(target, ec);
        if (!ec)
            target = resolved;
    }
    if (target.filename().empty())
        return cannotWrite(path, "不是文件名");
    fs::path folder = target.parent_path();
    if (folder.empty())
        folder = ".";

    static std::atomic<unsigned> serial{0};
    fs::path temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = folder / ("." + target.filename().string() + ".tmp-" + std::to_string(::getpid()) + "-"
                         + std::to_string(serial++));
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return cannotWrite(path, systemReason(errno));

    struct stat old {};
    if (::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode))
        (void)::fchmod(fd, old.st_mode & 07777);

    int err = 0;
    if (!writeAll(fd, bytes) || ::fsync(fd) != 0)
        err = errno;
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return cannotWrite(path, systemReason(err));
    }
    // Make the rename itself durable; a failure here no longer affects the data written.
    int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd >= 0) {
        (void)::fsync(dirFd);
        ::close(dirFd);
    }
    return {};
}

// ================================================================ reading

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
        t.shortName = t.name != nameRead ? gbk::lastBytes(t.name, 4) : shortRead;
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

FileResult readFileLimited(const std::string& path, std::size_t limit, std::string& bytes)
{
    FileResult r;
    bytes.clear();
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        r.status = FileStatus::CannotOpen;
        r.message = "无法打开文件: " + path + "（" + systemReason(errno) + "）";
        return r;
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        r.status = FileStatus::CannotOpen;
        r.message = "无法打开文件: " + path + "（不是普通文件）";
        return r;
    }
    auto tooLarge = [&] {
        ::close(fd);
        bytes.clear();
        r.status = FileStatus::Damaged;
        r.message = "数据文件已损坏: " + path + " 超过 " + std::to_string(limit >> 20) + " MiB";
        return r;
    };
    if (st.st_size < 0 || static_cast<uint64_t>(st.st_size) > limit)
        return tooLarge();
    bytes.reserve(static_cast<std::size_t>(st.st_size));
    char buf[1 << 16];
    for (;;) {
        ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            const int err = errno;
            ::close(fd);
            bytes.clear();
            r.status = FileStatus::CannotOpen;
            r.message = "无法读取文件: " + path + "（" + systemReason(err) + "）";
            return r;
        }
        if (n == 0)
            break;
        if (bytes.size() + static_cast<std::size_t>(n) > limit) // grew while being read
            return tooLarge();
        bytes.append(buf, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return r;
}

} // namespace

// ================================================================ public

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
    return replaceFile(path, bytes);
}

FileResult decodeDataSections(DataSet& dataSet, std::string_view bytes)
{
    FileResult result;
    SectionReader r(bytes, result);
    readClasses(dataSet, r) && readTimeGrid(dataSet, r) && readSubjects(dataSet, r) && readTeachers(dataSet, r)
        && readClassTimetables(dataSet, r) && readTeacherSlots(dataSet, r) && readTables(dataSet, r);
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

std::string sidecarPath(const std::string& path)
{
    static constexpr std::string_view from = ".qtf", to = ".rep";
    if (path.find(from) == std::string::npos)
        return {};
    std::string out;
    std::size_t start = 0;
    for (std::size_t at; (at = path.find(from, start)) != std::string::npos; start = at + from.size())
        out.append(path, start, at - start).append(to);
    out.append(path, start, std::string::npos);
    return out;
}

int readReplacements(DataSet& dataSet, const std::string& path, std::vector<std::string>* duplicateNewNames)
{
    const std::string sidecar = sidecarPath(path);
    if (sidecar.empty())
        return 0;
    std::string bytes;
    if (!readFileLimited(sidecar, MaxSidecarBytes, bytes).ok())
        return 0;
    std::unordered_set<std::string> seen, reported;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(start, end - start);
        start = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        const std::size_t dash = line.find('-');
        if (dash == std::string::npos || dash == 0)
            continue;
        std::string newName = line.substr(dash + 1);
        if (newName.empty()) // "张三-" would erase the name from every lesson
            continue;
        if (!seen.insert(newName).second && duplicateNewNames && reported.insert(newName).second)
            duplicateNewNames->push_back(newName);
        dataSet.nameReplacements.push_back(std::move(line));
    }
    return 1;
}

} // namespace tabrel
