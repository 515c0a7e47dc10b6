#include "manual/UnplacedReport.h"

#include <algorithm>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/VenueUse.h"

namespace tabrel::report {

const std::string& heading()
{
    return GBK("===未排情况如下:===");
}

namespace {

std::string labelled(int i, const std::string& text)
{
    if (i >= LabelCount)
        return text;
    return std::string(1, Labels[i]) + ". " + text;
}

} // namespace

std::vector<std::string> classViewLines(ClassTable& c, const LessonCell& cell, int autoRunning)
{
    std::vector<std::string> lines;
    const int p = cell.period, d = cell.day;
    if (p < 0 || p >= MaxPeriodRows || d < 0 || d >= DayColumns)
        return lines;
    if (cell.subject.empty()) {
        if (!c.commonPeriods[p][d].empty())
            return lines;
        const int n = c.EvaluateSlot(cell, autoRunning);
        if (autoRunning == 0 && c.dataSet)
            markVenueCandidates(*c.dataSet, c, cell);
        lines.push_back(heading());
        for (int i = 0; i < n; ++i)
            lines.push_back(labelled(i, c.candidateTexts[i]));
        if (n == 0)
            lines.emplace_back();
        else {
            const char last = Labels[std::min(n, LabelCount) - 1];
            lines.push_back(GBK("◆按 1--") + std::string(1, last) + GBK(" 安排对应课程◆"));
        }
        return lines;
    }
    const TeacherInfoRecord* t = c.dataSet ? c.dataSet->findTeacher(cell.teacher) : nullptr;
    if (t)
        lines.push_back(cell.subject + " [ " + t->name + " ]");
    return lines;
}

std::vector<SlotCandidate> teacherSlotEntries(const TeacherInfoRecord& teacher, int period, int day)
{
    std::vector<SlotCandidate> list;
    for (int i = 0; i < MaxCourses; ++i) {
        if (teacher.courseGrade[i].empty() || teacher.courseSubject[i].empty())
            break;
        const std::string& s = teacher.courseSubject[i];
        for (ClassTable* c : teacher.courseClasses[i]) {
            if (c->teacherForSubject(s) != teacher.name)
                continue;
            const int n = c->RemainingIfPlaceable(s, period, day);
            if (n > 0)
                list.push_back({c, s, c->name + s + GBK(" [ 剩") + gbk::formatInt(n) + GBK("节 ]")});
        }
    }
    return list;
}

std::vector<std::string> teacherSlotCandidates(const TeacherInfoRecord& teacher, int period, int day)
{
    std::vector<std::string> list;
    for (auto& e : teacherSlotEntries(teacher, period, day))
        list.push_back(std::move(e.text));
    return list;
}

std::vector<std::string> teacherViewLines(const std::vector<std::string>& candidates)
{
    std::vector<std::string> lines;
    if (candidates.empty())
        return lines;
    lines.push_back(heading());
    for (std::size_t i = 0; i < candidates.size(); ++i)
        lines.push_back(labelled(static_cast<int>(i), candidates[i]));
    return lines;
}

} // namespace tabrel::report
