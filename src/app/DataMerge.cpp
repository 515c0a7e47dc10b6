#include "app/DataMerge.h"

#include <filesystem>
#include <memory>
#include <system_error>

#include "data/DataFile.h"
#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {

bool sameTimeGrid(const DataSet& a, const DataSet& b)
{
    return a.earlyReadingCount == b.earlyReadingCount && a.morningCount == b.morningCount &&
           a.afternoonCount == b.afternoonCount && a.eveningCount == b.eveningCount &&
           a.dayNames.size() == b.dayNames.size();
}

} // namespace

MergeResult mergeDataSet(DataSet& a, DataSet& b)
{
    if (!sameTimeGrid(a, b))
        return {MergeStatus::GridDiffers, "两个数据文件的作息时间（各时段节数或每周天数）不同，无法合并"};
    const std::size_t gA = a.grades.size();
    const std::size_t gB = b.grades.size();
    if (gA + gB > static_cast<std::size_t>(MaxGradeColumns))
        return {MergeStatus::TooManyGrades, "合并后年级数将达到" + std::to_string(gA + gB) + "个，超过了" +
                                                std::to_string(MaxGradeColumns) + "个年级的上限，无法合并"};

    // B's derived lists point at its classes; drop them before the classes move.
    for (auto& t : b.teachers)
        t->clearDerived();

    // Grades with their classes, timetables and teaching plans, appended after A's grades.
    for (std::size_t g = 0; g < gB; ++g) {
        std::unique_ptr<Grade> grade = std::move(b.grades[g]);
        grade->dataSet = &a;
        for (auto& c : grade->classes) {
            c->dataSet = &a;
            c->candidates.clear();
            c->candidateTexts.clear();
        }
        a.grades.push_back(std::move(grade));
        a.gradeNames.push_back(g < b.gradeNames.size() ? b.gradeNames[g] : GBK("未命名年级"));
    }
    b.grades.clear();
    b.gradeNames.clear();

    // Per-grade lesson texts of B's subjects go to the new grade positions of A's subject of that name.
    for (const auto& s : b.subjects) {
        Subject& target = *a.subjects[a.findOrAppendSubject(s->name)];
        for (std::size_t i = 0; i < gB; ++i)
            target.gradeLessons[gA + i] = s->gradeLessons[i];
        if (target.sameSubjectLimit == 0 && s->sameSubjectLimit > 0)
            target.sameSubjectLimit = s->sameSubjectLimit;
    }

    // Teachers whose name A does not know yet; A's own records stay as they are.
    for (auto& t : b.teachers) {
        if (a.findTeacher(t->name))
            continue;
        t->dataSet = &a;
        a.teachers.push_back(std::move(t));
    }
    std::erase(b.teachers, nullptr);

    a.relinkTeacherCells();
    return {};
}

MergeResult mergeDataFile(DataSet& dataSet, const std::string& path)
{
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec))
        return {MergeStatus::CannotOpen, "无法打开数据文件：" + path};
    // The seven sections only: the second file's .rep sidecar renames nothing, and its teachers'
    // lessons are not rebuilt (they are rebuilt in the open schedule after the merge).
    auto other = std::make_unique<DataSet>();
    FileResult read = readDataSections(*other, path);
    if (read.status == FileStatus::CannotOpen)
        return {MergeStatus::CannotOpen, "无法打开数据文件：" + path};
    if (read.status != FileStatus::Ok) {
        // Keep the reader's account of the damage (section, what, offset) for the user.
        std::string detail = read.message;
        const std::string prefix = "数据文件已损坏: ";
        if (detail.rfind(prefix, 0) == 0)
            detail.erase(0, prefix.size());
        return {MergeStatus::Damaged,
                "数据文件已损坏，无法合并：" + path + (detail.empty() ? std::string() : "（" + detail + "）")};
    }
    return mergeDataSet(dataSet, *other);
}

} // namespace tabrel
