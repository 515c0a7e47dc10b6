#include "term/CoverStatistics.h"

#include <unordered_map>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "term/DatedTimetable.h"

namespace tabrel {

std::vector<TeacherCoverStats> coverStatistics(const DataSet& ds, DayNumber from, DayNumber to)
{
    std::vector<TeacherCoverStats> rows;
    std::unordered_map<std::string, std::size_t> row;
    for (const auto& t : ds.teachers)
        if (row.emplace(t->name, rows.size()).second) {
            rows.emplace_back();
            rows.back().teacher = t->name;
        }
    auto of = [&](const std::string& name) -> TeacherCoverStats* {
        auto it = row.find(name);
        return name.empty() || it == row.end() ? nullptr : &rows[it->second];
    };
    const TermCalendar cal(ds);
    if (!cal.isSet())
        return rows;
    from = std::max(from, cal.firstDay());
    to = std::min(to, cal.lastDay());
    for (DayNumber d = from; d <= to; ++d) {
        if (!cal.isTeachingDay(d))
            continue;
        const DayPlan plan(ds, cal, d);
        for (std::size_t k = 0; k < plan.classes().size(); ++k)
            for (int p = 0; p < plan.periods(); ++p) {
                const DatedLesson& l = plan.at(static_cast<int>(k), p);
                if (isLessonSubject(l.originalSubject))
                    if (auto* s = of(l.originalTeacher))
                        ++s->due;
                const bool selfStudy = l.changed && l.kind == ChangeKind::SelfStudy;
                if (l.isLesson())
                    if (auto* s = of(l.teacher))
                        ++(selfStudy ? s->selfStudy : s->taught);
                if (!l.changed)
                    continue;
                if (l.kind == ChangeKind::Substitute) {
                    if (auto* s = of(l.teacher))
                        ++s->coverGiven;
                    if (auto* s = of(l.originalTeacher))
                        ++s->coveredByOthers;
                } else if (l.kind == ChangeKind::Swap) {
                    if (auto* s = of(l.originalTeacher))
                        ++s->swaps;
                }
            }
    }
    return rows;
}

const std::vector<std::string>& coverStatisticsHeadings()
{
    static const std::vector<std::string> headings = {GBK("教师"), GBK("应上课时"), GBK("实上课时"), GBK("代课"),
                                                      GBK("被代课"), GBK("调课"), GBK("看自习")};
    return headings;
}

} // namespace tabrel
