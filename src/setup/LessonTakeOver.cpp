#include "setup/LessonTakeOver.h"

#include <algorithm>
#include <set>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {

struct PlanRow {
    std::string subject, teacher;
    int weekly = 0, doubles = 0;
    bool operator==(const PlanRow&) const = default;
};

std::vector<PlanRow> planOf(const ClassTable& c)
{
    std::vector<PlanRow> rows;
    for (const auto& a : c.assignments)
        rows.push_back({a->subject, a->teacher, a->weeklyLessons, a->doubleCount});
    return rows;
}

} // namespace

LessonTakeOverResult takeOverLessonCounts(DataSet& dataSet)
{
    LessonTakeOverResult result;
    const std::size_t grades = std::min<std::size_t>(dataSet.grades.size(), MaxGradeColumns);

    std::vector<std::vector<PlanRow>> before;
    for (std::size_t g = 0; g < dataSet.grades.size(); ++g)
        for (const auto& c : dataSet.grades[g]->classes)
            before.push_back(planOf(*c));

    std::set<std::string> catalogue;
    for (const auto& subject : dataSet.subjects) {
        if (subject->name.empty())
            continue;
        catalogue.insert(subject->name);
        for (std::size_t g = 0; g < grades; ++g)
            for (const auto& c : dataSet.grades[g]->classes)
                c->UpdateAssignmentFromLessonText(subject->name, subject->gradeLessons[g]);
    }

    std::size_t k = 0;
    for (std::size_t g = 0; g < dataSet.grades.size(); ++g)
        for (const auto& c : dataSet.grades[g]->classes) {
            auto& plan = c->assignments;
            const auto orphan = [&](const auto& a) { return catalogue.count(a->subject) == 0; };
            if (std::any_of(plan.begin(), plan.end(), orphan)) {
                // Nothing may keep pointing at a destroyed row: the last evaluation goes whole.
                c->candidates.clear();
                c->candidateTexts.clear();
                plan.erase(std::remove_if(plan.begin(), plan.end(), orphan), plan.end());
            }
            const std::vector<PlanRow> after = planOf(*c);
            const std::vector<PlanRow>& old = before[k++];
            if (after != old)
                result.changed = true;
            // A row that was there and whose subject has no row any more was removed.
            for (const PlanRow& row : old) {
                const bool kept = std::any_of(after.begin(), after.end(),
                                              [&](const PlanRow& r) { return r.subject == row.subject; });
                if (!kept)
                    result.removed.push_back({c->name, row.subject, row.teacher});
            }
        }
    return result;
}

std::string takeOverMessage(const LessonTakeOverResult& result)
{
    if (result.removed.empty())
        return {};
    constexpr std::size_t MaxNames = 5;
    // One line per subject: the classes that lost it and the teachers who taught it there.
    struct Loss {
        std::string subject;
        std::vector<std::string> classes, teachers;
    };
    std::vector<Loss> losses;
    for (const auto& r : result.removed) {
        auto it = std::find_if(losses.begin(), losses.end(), [&](const Loss& l) { return l.subject == r.subject; });
        if (it == losses.end())
            it = losses.insert(losses.end(), Loss{r.subject, {}, {}});
        if (std::find(it->classes.begin(), it->classes.end(), r.className) == it->classes.end())
            it->classes.push_back(r.className);
        if (!r.teacher.empty() && std::find(it->teachers.begin(), it->teachers.end(), r.teacher) == it->teachers.end())
            it->teachers.push_back(r.teacher);
    }
    const auto list = [](const std::vector<std::string>& names, const std::string& unit) {
        std::string out;
        for (std::size_t i = 0; i < names.size() && i < MaxNames; ++i)
            out += (i ? GBK("、") : "") + names[i];
        if (names.size() > MaxNames)
            out += GBK("等") + gbk::formatInt(static_cast<long long>(names.size())) + unit;
        return out;
    };
    std::string text = GBK("按科目表更新教学计划时，以下科目已从这些班级的教学计划中删除：");
    for (const Loss& l : losses) {
        text += "\n" + (l.subject.empty() ? GBK("（无名科目）") : l.subject) + GBK("：") + list(l.classes, GBK("个班级"));
        if (!l.teachers.empty())
            text += GBK("；原任课教师：") + list(l.teachers, GBK("人"));
    }
    text += "\n" + GBK("可用“撤销”恢复。");
    return text;
}

} // namespace tabrel
