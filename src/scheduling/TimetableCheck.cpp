#include "scheduling/TimetableCheck.h"

#include <algorithm>
#include <map>
#include <unordered_set>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/GridShape.h"
#include "scheduling/VenueUse.h"

namespace tabrel {

namespace {

bool isLesson(const std::string& subject) { return !subject.empty() && subject != names::emptyMarker(); }

ProblemKind kindOf(LessonFault f)
{
    switch (f) {
    case LessonFault::Section: return ProblemKind::Section;
    case LessonFault::TeacherClash: return ProblemKind::TeacherClash;
    case LessonFault::SubjectNever: return ProblemKind::SubjectNever;
    default: return ProblemKind::TeacherNever;
    }
}

// The room limit of a subject: `sameSubjectLimit` of the first subject of that name, 0 for none.
int roomLimitOf(const DataSet& ds, const std::string& subject)
{
    for (const auto& s : ds.subjects)
        if (s->name == subject)
            return std::max(0, s->sameSubjectLimit);
    return 0;
}

// The lessons over a room limit: for every slot, the classes holding a limited subject in grade and
// class order; every one after the first N is over.
std::vector<std::vector<unsigned char>> roomLimitFlags(const DataSet& ds, const GridShape& g,
                                                       const std::vector<const ClassTable*>& school)
{
    std::vector<std::vector<unsigned char>> over(school.size(), std::vector<unsigned char>(MaxPeriodRows * DayColumns, 0));
    std::map<std::string, int> limits;
    for (const auto& s : ds.subjects)
        if (s->sameSubjectLimit > 0)
            limits.try_emplace(s->name, 0);
    if (limits.empty())
        return over;
    for (auto& [name, limit] : limits)
        limit = roomLimitOf(ds, name);
    for (int p = 0; p < g.T; ++p)
        for (int d = 0; d < g.D; ++d) {
            std::map<std::string, int> seen;
            for (std::size_t k = 0; k < school.size(); ++k) {
                const std::string& s = school[k]->cells[p][d].subject;
                auto it = limits.find(s);
                if (it == limits.end() || it->second <= 0 || !isLesson(s))
                    continue;
                if (++seen[s] > it->second)
                    over[k][p * DayColumns + d] = 1;
            }
        }
    return over;
}

// The stale changes of a class, each placed after the problems of its cell (period-major), those
// of no slot after every cell problem. `problem` appends to `out`.
template <class Problem>
void addStaleChanges(const DataSet& ds, const GridShape& g, const ClassTable& c, Problem& problem,
                     std::vector<TimetableProblem>& out, std::size_t begin)
{
    if (ds.extension.changes.empty())
        return;
    // The first class of a name is the one a change names.
    for (const auto* other : ds.classesInGradeOrder()) {
        if (other == &c)
            break;
        if (other->name == c.name)
            return;
    }
    for (const ChangeRecord& ch : ds.extension.changes) {
        if (ch.className != c.name)
            continue;
        const int d = timetableColumn(ds.dayNames, ds.extension.term, ch.date);
        const bool inGrid = d >= 0 && d < g.D && ch.period < g.T;
        if (inGrid && c.cells[ch.period][d].subject == ch.subject && c.cells[ch.period][d].teacher == ch.teacher)
            continue;
        const std::size_t before = out.size();
        problem(ProblemKind::StaleChange, inGrid ? ch.period : -1, inGrid ? d : -1, ch.subject, ch.teacher, 0);
        TimetableProblem pr = std::move(out[before]);
        out.pop_back();
        // after every problem of an earlier or the same slot
        const long long key = inGrid ? static_cast<long long>(ch.period) * DayColumns + d : (1LL << 40);
        std::size_t at = begin;
        while (at < out.size() && out[at].period >= 0 && out[at].day >= 0
               && static_cast<long long>(out[at].period) * DayColumns + out[at].day <= key)
            ++at;
        while (key == (1LL << 40) && at < out.size())
            ++at;
        out.insert(out.begin() + static_cast<std::ptrdiff_t>(at), std::move(pr));
    }
}

} // namespace

const char* problemKindName(ProblemKind kind)
{
    switch (kind) {
    case ProblemKind::Section: return "section";
    case ProblemKind::TeacherClash: return "teacher-clash";
    case ProblemKind::SubjectNever: return "subject-never";
    case ProblemKind::TeacherNever: return "teacher-never";
    case ProblemKind::CommonPeriod: return "common-period";
    case ProblemKind::RoomLimit: return "room-limit";
    case ProblemKind::SubjectMust: return "subject-must";
    case ProblemKind::OverPlan: return "over-plan";
    case ProblemKind::Unplaced: return "unplaced";
    case ProblemKind::StaleChange: return "stale-change";
    case ProblemKind::Venue: return "venue";
    }
    return "";
}

std::string problemKindText(ProblemKind kind)
{
    switch (kind) {
    case ProblemKind::Section: return GBK("时间不匹配");
    case ProblemKind::TeacherClash: return GBK("教师重课");
    case ProblemKind::SubjectNever: return GBK("本节课不排该科目");
    case ProblemKind::TeacherNever: return GBK("本节课不排该教师");
    case ProblemKind::CommonPeriod: return GBK("占用公共时段");
    case ProblemKind::RoomLimit: return GBK("超出场室限制");
    case ProblemKind::SubjectMust: return GBK("未排一定排的科目");
    case ProblemKind::OverPlan: return GBK("超出计划课时");
    case ProblemKind::Unplaced: return GBK("尚未排完");
    case ProblemKind::StaleChange: return GBK("调代课记录已过时");
    case ProblemKind::Venue: return GBK("场室超员或不可用");
    }
    return {};
}

std::vector<std::string> MustSubjects(const LessonCell& cell)
{
    std::vector<std::string> out;
    for (const std::string& line : cell.subjectRules) {
        const auto dash = line.find('-');
        if (dash == std::string::npos || dash == 0)
            continue;
        std::string subject = line.substr(0, dash);
        // the first line of a subject is its rule, as every rule lookup reads it
        if (std::find(out.begin(), out.end(), subject) != out.end() || ClassTable::cellRule(cell, subject) != GBK("一定排"))
            continue;
        out.push_back(std::move(subject));
    }
    return out;
}

std::string problemSlotText(const DataSet& ds, const TimetableProblem& problem)
{
    if (problem.period < 0 || problem.day < 0 || problem.day >= ds.dayCount())
        return {};
    return ds.dayNames[problem.day] + ds.periodLabel(problem.period);
}

std::vector<TimetableProblem> CheckTimetable(const DataSet& ds)
{
    std::vector<const ClassTable*> all;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            all.push_back(c.get());
    return CheckTimetable(ds, all);
}

std::vector<TimetableProblem> CheckTimetable(const DataSet& ds, const std::vector<const ClassTable*>& classes)
{
    const GridShape g = GridShape::of(ds);
    std::vector<const ClassTable*> school;
    std::vector<std::pair<int, int>> position;
    for (std::size_t gi = 0; gi < ds.grades.size(); ++gi)
        for (std::size_t ci = 0; ci < ds.grades[gi]->classes.size(); ++ci) {
            school.push_back(ds.grades[gi]->classes[ci].get());
            position.emplace_back(static_cast<int>(gi), static_cast<int>(ci));
        }
    const auto over = roomLimitFlags(ds, g, school);
    std::unordered_set<const LessonCell*> venueOver;
    if (!ds.extension.venues.empty()) {
        const VenueMap venues(ds);
        const auto loads = VenueLoads(ds, venues);
        for (int v = 0; v < venues.count(); ++v)
            for (int slot = 0; slot < MaxPeriodRows * DayColumns; ++slot) {
                const auto& lessons = loads[v][slot].lessons;
                const bool closed = venues.unavailable(v, slot / DayColumns, slot % DayColumns);
                for (std::size_t i = closed ? 0 : static_cast<std::size_t>(venues.capacity(v)); i < lessons.size(); ++i)
                    venueOver.insert(lessons[i]);
            }
    }

    std::vector<TimetableProblem> out;
    for (std::size_t k = 0; k < school.size(); ++k) {
        const ClassTable& c = *school[k];
        if (std::find(classes.begin(), classes.end(), &c) == classes.end())
            continue;
        auto problem = [&](ProblemKind kind, int p, int d, const std::string& subject, const std::string& teacher,
                           int count) {
            TimetableProblem pr;
            pr.kind = kind;
            pr.gradeIndex = position[k].first;
            pr.classIndex = position[k].second;
            pr.className = c.name;
            pr.period = p;
            pr.day = d;
            pr.subject = subject;
            pr.teacher = teacher;
            pr.count = count;
            out.push_back(std::move(pr));
        };
        // the cells, period-major
        const std::size_t classBegin = out.size();
        std::vector<std::string> outside; // subjects outside the plan, as they first stand in the grid
        std::map<std::string, long long> placed;
        for (int p = 0; p < g.T; ++p)
            for (int d = 0; d < g.D; ++d) {
                const LessonCell& cell = c.cells[p][d];
                if (!isLesson(cell.subject)) {
                    for (const std::string& must : MustSubjects(cell))
                        problem(ProblemKind::SubjectMust, p, d, must, c.teacherForSubject(must), 0);
                    continue;
                }
                if (++placed[cell.subject] == 1 && !c.FindAssignment(cell.subject))
                    outside.push_back(cell.subject);
                const LessonFault f = ForbiddenReason(c, cell);
                if (f != LessonFault::None)
                    problem(kindOf(f), p, d, cell.subject, cell.teacher, 0);
                if (!c.commonPeriods[p][d].empty())
                    problem(ProblemKind::CommonPeriod, p, d, cell.subject, cell.teacher, 0);
                if (over[k][p * DayColumns + d])
                    problem(ProblemKind::RoomLimit, p, d, cell.subject, cell.teacher, 0);
                for (const std::string& must : MustSubjects(cell))
                    if (must != cell.subject)
                        problem(ProblemKind::SubjectMust, p, d, must, c.teacherForSubject(must), 0);
                if (!venueOver.empty() && venueOver.count(&cell))
                    problem(ProblemKind::Venue, p, d, cell.subject, cell.teacher, 0);
            }
        addStaleChanges(ds, g, c, problem, out, classBegin);
        // the plan, one problem per subject at its first assignment
        std::vector<const std::string*> done;
        auto clampCount = [](long long n) { return static_cast<int>(std::min<long long>(n, INT32_MAX)); };
        for (const auto& a : c.assignments) {
            if (std::any_of(done.begin(), done.end(), [&](const std::string* s) { return *s == a->subject; }))
                continue;
            done.push_back(&a->subject);
            if (!isLesson(a->subject))
                continue;
            auto it = placed.find(a->subject);
            const long long n = it == placed.end() ? 0 : it->second;
            if (n > a->weeklyLessons)
                problem(ProblemKind::OverPlan, -1, -1, a->subject, a->teacher, clampCount(n - a->weeklyLessons));
            else if (n < a->weeklyLessons)
                problem(ProblemKind::Unplaced, -1, -1, a->subject, a->teacher, clampCount(a->weeklyLessons - n));
        }
        for (const std::string& s : outside)
            problem(ProblemKind::OverPlan, -1, -1, s, std::string(), clampCount(placed[s]));
    }
    if (classes.size() >= school.size())
        for (const ChangeRecord& ch : ds.extension.changes)
            if (std::none_of(school.begin(), school.end(), [&](const ClassTable* c) { return c->name == ch.className; })) {
                TimetableProblem pr;
                pr.kind = ProblemKind::StaleChange;
                pr.className = ch.className;
                pr.subject = ch.subject;
                pr.teacher = ch.teacher;
                out.push_back(std::move(pr));
            }
    return out;
}

} // namespace tabrel
