#include "term/TermCover.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <memory>
#include <unordered_map>
#include <unordered_set>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {

bool teacherBarred(const DataSet& ds, int period, int column, const std::string& teacher)
{
    return ds.teacherSlotValue(period, column, teacher) == GBK("不排");
}

bool subjectBarred(const ClassTable& c, int period, int column, const std::string& subject)
{
    return ClassTable::cellRule(c.cells[period][column], subject) == GBK("不排");
}

std::string slotText(const DataSet& ds, const TermCalendar& cal, DayNumber date, int period)
{
    return cal.shortDateText(date) + ds.periodLabel(period);
}

// Cover lessons given this term, per teacher name.
std::unordered_map<std::string, int> coversThisTerm(const DataSet& ds, const TermCalendar& cal)
{
    std::unordered_map<std::string, int> n;
    for (const ChangeRecord& c : ds.extension.changes)
        if (c.kind == ChangeKind::Substitute && cal.contains(c.date))
            ++n[c.newTeacher];
    return n;
}

// Why the teacher cannot take a lesson at date/period (GBK), "" when free. `ownClass` is the class
// whose lesson the teacher would take; a lesson of the teacher there does not count.
std::string unavailable(const DataSet& ds, const DayPlan& plan, const std::string& teacher, int period, int ownClass)
{
    if (absenceAt(ds.extension, teacher, plan.date(), period))
        return teacher + GBK(" 该节请假");
    const int k = plan.classOfTeacher(teacher, period);
    if (k >= 0 && k != ownClass) {
        const DatedLesson& l = plan.at(k, period);
        return teacher + GBK(" 该节已有课（") + plan.classes()[k]->name + " " + l.subject + GBK("）");
    }
    if (teacherBarred(ds, period, plan.column(), teacher))
        return teacher + GBK(" 该节设为不排");
    return {};
}

// The first teacher index of every name.
std::vector<int> distinctTeachers(const DataSet& ds)
{
    std::vector<int> out;
    std::unordered_set<std::string> seen;
    for (std::size_t t = 0; t < ds.teachers.size(); ++t)
        if (!ds.teachers[t]->name.empty() && seen.insert(ds.teachers[t]->name).second)
            out.push_back(static_cast<int>(t));
    return out;
}

// Teachers who teach the subject somewhere, and those who teach the class.
struct Affinity {
    std::unordered_set<std::string> subject, ofClass;
    Affinity(const DataSet& ds, const std::string& subjectName, const ClassTable& c)
    {
        for (const auto& g : ds.grades)
            for (const auto& k : g->classes)
                for (const auto& a : k->assignments) {
                    if (a->subject == subjectName)
                        subject.insert(a->teacher);
                    if (k.get() == &c)
                        ofClass.insert(a->teacher);
                }
    }
    int group(const TeacherInfoRecord& t, const std::string& subjectName) const
    {
        if (subject.count(t.name)
            || (!subjectName.empty() && (t.taughtSubjects == subjectName || gbk::containsText(t.taughtSubjects, subjectName))))
            return 0;
        return ofClass.count(t.name) ? 1 : 2;
    }
};

std::string candidateReason(int group, int covers, int lessons)
{
    std::string r;
    if (group == 0)
        r = GBK("科目相同，");
    else if (group == 1)
        r = GBK("本班教师，");
    return r + GBK("本学期已代 ") + gbk::formatInt(covers) + GBK(" 节，当天已有 ") + gbk::formatInt(lessons) + GBK(" 节");
}

std::vector<SubstituteCandidate> rankedCandidates(const DataSet& ds, const DayPlan& plan, int period, int k,
                                                  const std::unordered_map<std::string, int>& covers,
                                                  const std::unordered_set<std::string>* alsoBusy,
                                                  const std::unordered_map<std::string, int>* extraLessons)
{
    std::vector<SubstituteCandidate> out;
    if (plan.column() < 0 || k < 0 || k >= static_cast<int>(plan.classes().size()) || period < 0
        || period >= plan.periods())
        return out;
    const DatedLesson& lesson = plan.at(k, period);
    const ClassTable& c = *plan.classes()[k];
    const Affinity affinity(ds, lesson.originalSubject, c);
    for (int t : distinctTeachers(ds)) {
        const TeacherInfoRecord& rec = *ds.teachers[t];
        if (rec.name == lesson.teacher || !unavailable(ds, plan, rec.name, period, -1).empty())
            continue;
        if (alsoBusy && alsoBusy->count(rec.name))
            continue;
        SubstituteCandidate s;
        s.teacher = t;
        s.group = affinity.group(rec, lesson.originalSubject);
        auto it = covers.find(rec.name);
        s.coversSoFar = it == covers.end() ? 0 : it->second;
        s.lessonsThatDay = plan.lessonsOfTeacher(rec.name);
        if (extraLessons)
            if (auto e = extraLessons->find(rec.name); e != extraLessons->end())
                s.lessonsThatDay += e->second;
        s.reason = candidateReason(s.group, s.coversSoFar, s.lessonsThatDay);
        out.push_back(std::move(s));
    }
    std::stable_sort(out.begin(), out.end(), [](const SubstituteCandidate& a, const SubstituteCandidate& b) {
        if (a.group != b.group)
            return a.group < b.group;
        if (a.coversSoFar != b.coversSoFar)
            return a.coversSoFar < b.coversSoFar;
        if (a.lessonsThatDay != b.lessonsThatDay)
            return a.lessonsThatDay < b.lessonsThatDay;
        return a.teacher < b.teacher;
    });
    return out;
}

// Minimum-cost assignment of every row to a distinct column (rows <= columns); returns the column
// of each row. The shortest-augmenting-path form of the Hungarian method, deterministic.
std::vector<int> assignRows(const std::vector<std::vector<int64_t>>& cost, int columns)
{
    const int n = static_cast<int>(cost.size());
    const int m = columns;
    const int64_t inf = std::numeric_limits<int64_t>::max() / 4;
    std::vector<int64_t> u(n + 1, 0), v(m + 1, 0);
    std::vector<int> p(m + 1, 0), way(m + 1, 0);
    for (int i = 1; i <= n; ++i) {
        p[0] = i;
        int j0 = 0;
        std::vector<int64_t> minv(m + 1, inf);
        std::vector<char> used(m + 1, 0);
        do {
            used[j0] = 1;
            const int i0 = p[j0];
            int64_t delta = inf;
            int j1 = 0;
            for (int j = 1; j <= m; ++j)
                if (!used[j]) {
                    const int64_t cur = cost[i0 - 1][j - 1] - u[i0] - v[j];
                    if (cur < minv[j]) {
                        minv[j] = cur;
                        way[j] = j0;
                    }
                    if (minv[j] < delta) {
                        delta = minv[j];
                        j1 = j;
                    }
                }
            for (int j = 0; j <= m; ++j)
                if (used[j]) {
                    u[p[j]] += delta;
                    v[j] -= delta;
                } else {
                    minv[j] -= delta;
                }
            j0 = j1;
        } while (p[j0] != 0);
        do {
            const int j1 = way[j0];
            p[j0] = p[j1];
            j0 = j1;
        } while (j0);
    }
    std::vector<int> rowColumn(n, -1);
    for (int j = 1; j <= m; ++j)
        if (p[j] > 0)
            rowColumn[p[j] - 1] = j - 1;
    return rowColumn;
}

bool sameLesson(const ChangeRecord& a, const ChangeRecord& b)
{
    return a.date == b.date && a.period == b.period && a.className == b.className;
}

} // namespace

// ---- absences ------------------------------------------------------------------------------------

std::vector<TouchedLesson> touchedLessons(const DataSet& ds, const AbsenceRecord& a)
{
    std::vector<TouchedLesson> out;
    const TermCalendar cal(ds);
    if (!cal.isSet() || a.to < a.from || a.to - a.from > 7 * MaxTermWeeks)
        return out;
    for (DayNumber d = std::max(a.from, cal.firstDay()); d <= std::min(a.to, cal.lastDay()); ++d) {
        if (!cal.isTeachingDay(d))
            continue;
        const DayPlan plan(ds, cal, d);
        const int first = d == a.from ? a.fromPeriod : 0;
        const int last = d == a.to ? a.toPeriod : plan.periods() - 1;
        for (int p = first; p <= last && p < plan.periods(); ++p)
            for (std::size_t k = 0; k < plan.classes().size(); ++k) {
                const DatedLesson& l = plan.at(static_cast<int>(k), p);
                if (l.originalTeacher != a.teacher || !isLessonSubject(l.originalSubject))
                    continue;
                TouchedLesson t;
                t.date = d;
                t.period = p;
                t.classIndex = static_cast<int>(k);
                t.className = plan.classes()[k]->name;
                t.subject = l.originalSubject;
                if (l.changed) {
                    const ChangeRecord& c = ds.extension.changes[l.change];
                    t.change = l.change;
                    t.state = c.kind == ChangeKind::Cancel ? LessonState::Cancelled : LessonState::Covered;
                    t.how = changeKindText(c.kind);
                    if (c.kind == ChangeKind::Swap)
                        t.how += " " + slotText(ds, cal, c.swapDate, c.swapPeriod);
                    else if (!c.newTeacher.empty())
                        t.how += " " + c.newTeacher;
                }
                out.push_back(std::move(t));
            }
    }
    return out;
}

std::string absenceRefusal(const DataSet& ds, const AbsenceRecord& a)
{
    if (!ds.findTeacher(a.teacher))
        return GBK("没有名为“") + a.teacher + GBK("”的教师，请假未登记");
    bool known = false;
    for (const char* k : AbsenceKinds)
        known = known || a.kind == gbk::literal(k);
    if (!known)
        return GBK("请假类别须是病假、事假、公假、培训或其他");
    const TermCalendar cal(ds);
    if (!cal.isSet())
        return GBK("尚未设置学期，请假未登记");
    if (!cal.contains(a.from) || !cal.contains(a.to))
        return GBK("请假日期不在学期之内，请假未登记");
    const int periods = ds.periodsPerDay();
    if (a.fromPeriod < 0 || a.fromPeriod >= periods || a.toPeriod < 0 || a.toPeriod >= periods)
        return GBK("请假的节次不在作息时间之内，请假未登记");
    if (a.to < a.from || (a.to == a.from && a.toPeriod < a.fromPeriod))
        return GBK("请假的结束时间早于开始时间，请假未登记");
    return {};
}

int addAbsence(DataSet& ds, AbsenceRecord a, std::string* refusal)
{
    const std::string why = absenceRefusal(ds, a);
    if (refusal)
        *refusal = why;
    if (!why.empty())
        return 0;
    a.id = ds.extension.nextAbsenceId();
    ds.extension.absences.push_back(a);
    return a.id;
}

bool removeAbsence(DataSet& ds, int id)
{
    auto& list = ds.extension.absences;
    auto it = std::find_if(list.begin(), list.end(), [id](const AbsenceRecord& a) { return a.id == id; });
    if (it == list.end())
        return false;
    list.erase(it);
    auto& changes = ds.extension.changes;
    changes.erase(std::remove_if(changes.begin(), changes.end(), [id](const ChangeRecord& c) { return c.absence == id; }),
                  changes.end());
    return true;
}

// ---- candidates -----------------------------------------------------------------------------------

std::vector<SubstituteCandidate> substituteCandidates(const DataSet& ds, DayNumber date, int period, int classIndex)
{
    const TermCalendar cal(ds);
    const DayPlan plan(ds, cal, date);
    return rankedCandidates(ds, plan, period, classIndex, coversThisTerm(ds, cal), nullptr, nullptr);
}

namespace {

// Why the lesson of class k at (date, period) and the one at (date2, period2) may not change places
// (GBK), "" when they may.
std::string swapRefusal(const DataSet& ds, const DayPlan& a, int period, const DayPlan& b, int period2, int k)
{
    if (a.column() < 0 || b.column() < 0)
        return GBK("该日不上课");
    if (period2 < 0 || period2 >= b.periods())
        return GBK("节次不在作息时间之内");
    if (a.date() == b.date() && period == period2)
        return GBK("不能与同一节课对调");
    const ClassTable& c = *a.classes()[k];
    const DatedLesson& mine = a.at(k, period);
    const DatedLesson& theirs = b.at(k, period2);
    if (!theirs.isLesson() || theirs.teacher.empty())
        return c.name + GBK(" 在对调的那一节没有课");
    if (theirs.changed)
        return GBK("对调的那一节课已有调代课记录");
    if (theirs.teacher == mine.teacher)
        return GBK("两节课是同一位教师的课");
    // Their teacher comes to this slot, this teacher goes to theirs.
    std::string why = unavailable(ds, a, theirs.teacher, period, k);
    if (!why.empty())
        return why;
    why = unavailable(ds, b, mine.teacher, period2, k);
    if (!why.empty())
        return why;
    if (subjectBarred(c, period, a.column(), theirs.subject))
        return theirs.subject + GBK(" 在该节设为不排");
    if (subjectBarred(c, period2, b.column(), mine.subject))
        return mine.subject + GBK(" 在对调的那一节设为不排");
    return {};
}

} // namespace

std::vector<SwapCandidate> swapCandidates(const DataSet& ds, DayNumber date, int period, int k, DayNumber from,
                                          DayNumber to)
{
    std::vector<SwapCandidate> out;
    const TermCalendar cal(ds);
    const DayPlan here(ds, cal, date);
    if (here.column() < 0 || k < 0 || k >= static_cast<int>(here.classes().size()) || period < 0
        || period >= here.periods())
        return out;
    const DatedLesson& mine = here.at(k, period);
    if (!mine.isLesson() || mine.teacher.empty() || (mine.changed && mine.kind == ChangeKind::Swap))
        return out;
    from = std::max(from, cal.firstDay());
    to = std::min(to, cal.lastDay());
    for (DayNumber d = from; d <= to && d - from <= 7 * MaxTermWeeks; ++d) {
        if (!cal.isTeachingDay(d))
            continue;
        std::unique_ptr<DayPlan> other;
        if (d != date)
            other = std::make_unique<DayPlan>(ds, cal, d);
        const DayPlan& there = other ? *other : here;
        for (int p = 0; p < there.periods(); ++p) {
            if (d == date && p == period)
                continue;
            const DatedLesson& theirs = there.at(k, p);
            if (!theirs.isLesson() || !swapRefusal(ds, here, period, there, p, k).empty())
                continue;
            SwapCandidate s;
            s.date = d;
            s.period = p;
            s.subject = theirs.subject;
            s.teacher = theirs.teacher;
            s.distance = std::abs((d - date) * here.periods() + (p - period));
            out.push_back(std::move(s));
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const SwapCandidate& a, const SwapCandidate& b) {
        if (a.distance != b.distance)
            return a.distance < b.distance;
        return a.date != b.date ? a.date < b.date : a.period < b.period;
    });
    return out;
}

// ---- one change -----------------------------------------------------------------------------------

bool checkCover(const DataSet& ds, const CoverRequest& r, ChangeRecord& record, std::string& refusal)
{
    const TermCalendar cal(ds);
    refusal.clear();
    if (!cal.contains(r.date)) {
        refusal = GBK("日期不在学期之内");
        return false;
    }
    const DayPlan plan(ds, cal, r.date);
    if (plan.column() < 0) {
        refusal = GBK("该日不上课");
        return false;
    }
    if (r.classIndex < 0 || r.classIndex >= static_cast<int>(plan.classes().size()) || r.period < 0
        || r.period >= plan.periods()) {
        refusal = GBK("没有这个班级或节次");
        return false;
    }
    const ClassTable& c = *plan.classes()[r.classIndex];
    const DatedLesson& l = plan.at(r.classIndex, r.period);
    if (!isLessonSubject(l.originalSubject) || l.originalTeacher.empty()) {
        refusal = c.name + GBK(" 在该节没有课");
        return false;
    }
    if (l.changed && l.kind == ChangeKind::Swap) {
        refusal = GBK("该节课已调课，请先删除那条调课记录");
        return false;
    }
    record = ChangeRecord();
    record.date = r.date;
    record.period = r.period;
    record.className = c.name;
    record.subject = l.originalSubject;
    record.teacher = l.originalTeacher;
    record.kind = r.kind;
    record.absence = absenceAt(ds.extension, l.originalTeacher, r.date, r.period);
    switch (r.kind) {
    case ChangeKind::Substitute:
    case ChangeKind::SelfStudy:
        if (r.teacher.empty()) {
            if (r.kind == ChangeKind::Substitute) {
                refusal = GBK("代课须指定代课教师");
                return false;
            }
            break;
        }
        if (!ds.findTeacher(r.teacher)) {
            refusal = GBK("没有名为“") + r.teacher + GBK("”的教师");
            return false;
        }
        if (r.teacher == l.originalTeacher) {
            refusal = r.teacher + GBK(" 就是该节课的任课教师");
            return false;
        }
        refusal = unavailable(ds, plan, r.teacher, r.period, -1);
        if (!refusal.empty())
            return false;
        record.newTeacher = r.teacher;
        break;
    case ChangeKind::Swap: {
        if (l.changed) {
            refusal = GBK("该节课已有调代课记录，不能再调课");
            return false;
        }
        if (!cal.contains(r.swapDate)) {
            refusal = GBK("对调的日期不在学期之内");
            return false;
        }
        std::unique_ptr<DayPlan> other;
        if (r.swapDate != r.date)
            other = std::make_unique<DayPlan>(ds, cal, r.swapDate);
        refusal = swapRefusal(ds, plan, r.period, other ? *other : plan, r.swapPeriod, r.classIndex);
        if (!refusal.empty())
            return false;
        record.hasSwap = true;
        record.swapDate = r.swapDate;
        record.swapPeriod = r.swapPeriod;
        break;
    }
    case ChangeKind::Cancel: break;
    }
    return true;
}

void storeChange(DataSet& ds, const ChangeRecord& record)
{
    auto& list = ds.extension.changes;
    for (auto& c : list)
        if (sameLesson(c, record) && c.kind != ChangeKind::Swap) {
            c = record;
            return;
        }
    list.push_back(record);
}

bool coverLesson(DataSet& ds, const CoverRequest& request, std::string& refusal)
{
    ChangeRecord record;
    if (!checkCover(ds, request, record, refusal))
        return false;
    storeChange(ds, record);
    return true;
}

// ---- one-click cover ----------------------------------------------------------------------------------

std::vector<ChangeRecord> proposeCover(const DataSet& ds, const std::vector<int>& absenceIds)
{
    std::vector<ChangeRecord> out;
    const TermCalendar cal(ds);
    struct Open {
        TouchedLesson lesson;
        std::string teacher;
        int absence;
    };
    std::vector<Open> open;
    for (int id : absenceIds)
        if (const AbsenceRecord* a = ds.extension.findAbsence(id))
            for (TouchedLesson& t : touchedLessons(ds, *a))
                if (t.state == LessonState::Open)
                    open.push_back({std::move(t), a->teacher, id});
    std::stable_sort(open.begin(), open.end(), [](const Open& a, const Open& b) {
        if (a.lesson.date != b.lesson.date)
            return a.lesson.date < b.lesson.date;
        if (a.lesson.period != b.lesson.period)
            return a.lesson.period < b.lesson.period;
        return a.lesson.classIndex < b.lesson.classIndex;
    });

    auto covers = coversThisTerm(ds, cal);
    std::map<DayNumber, std::unique_ptr<DayPlan>> plans;
    std::map<DayNumber, std::unordered_map<std::string, int>> extraLessons;
    constexpr int64_t Big = int64_t{1} << 50;
    for (std::size_t i = 0; i < open.size();) {
        std::size_t j = i;
        while (j < open.size() && open[j].lesson.date == open[i].lesson.date
               && open[j].lesson.period == open[i].lesson.period)
            ++j;
        const DayNumber date = open[i].lesson.date;
        const int period = open[i].lesson.period;
        auto& plan = plans[date];
        if (!plan)
            plan = std::make_unique<DayPlan>(ds, cal, date);
        auto& extra = extraLessons[date];
        // The slot's lessons and every teacher any of them may take.
        const int rows = static_cast<int>(j - i);
        std::vector<std::vector<SubstituteCandidate>> lists;
        std::vector<int> columnTeacher;
        std::unordered_map<int, int> columnOf;
        for (std::size_t r = i; r < j; ++r) {
            lists.push_back(rankedCandidates(ds, *plan, period, open[r].lesson.classIndex, covers, nullptr, &extra));
            for (const SubstituteCandidate& s : lists.back())
                if (columnOf.emplace(s.teacher, static_cast<int>(columnTeacher.size())).second)
                    columnTeacher.push_back(s.teacher);
        }
        const int teacherColumns = static_cast<int>(columnTeacher.size());
        const int columns = teacherColumns + rows; // one self-study column per lesson
        std::vector<std::vector<int64_t>> cost(rows, std::vector<int64_t>(columns, 2 * Big));
        for (int r = 0; r < rows; ++r) {
            for (const SubstituteCandidate& s : lists[r])
                cost[r][columnOf[s.teacher]] =
                    ((int64_t{s.group} * 100000 + s.coversSoFar) * 100 + s.lessonsThatDay) * 4096 + s.teacher;
            for (int q = 0; q < rows; ++q)
                cost[r][teacherColumns + q] = Big;
        }
        const std::vector<int> chosen = assignRows(cost, columns);
        for (int r = 0; r < rows; ++r) {
            const Open& o = open[i + r];
            ChangeRecord c;
            c.date = date;
            c.period = period;
            c.className = o.lesson.className;
            c.subject = o.lesson.subject;
            c.teacher = o.teacher;
            c.absence = o.absence;
            const int col = chosen[r];
            if (col >= 0 && col < teacherColumns && cost[r][col] < Big) {
                const std::string& name = ds.teachers[columnTeacher[col]]->name;
                c.kind = ChangeKind::Substitute;
                c.newTeacher = name;
                ++covers[name];
                ++extra[name];
            } else {
                c.kind = ChangeKind::SelfStudy;
            }
            out.push_back(std::move(c));
        }
        i = j;
    }
    return out;
}

void acceptProposal(DataSet& ds, const std::vector<ChangeRecord>& proposal)
{
    for (const ChangeRecord& c : proposal)
        storeChange(ds, c);
}

// ---- the record -------------------------------------------------------------------------------------

std::vector<int> changesInOrder(const DataSet& ds)
{
    const SchoolExtension& x = ds.extension;
    std::unordered_map<std::string, int> rank;
    for (const ClassTable* c : ds.classesInGradeOrder())
        rank.emplace(c->name, static_cast<int>(rank.size()));
    auto rankOf = [&](const std::string& name) {
        auto it = rank.find(name);
        return it == rank.end() ? static_cast<int>(rank.size()) : it->second;
    };
    std::vector<int> order(x.changes.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
        const ChangeRecord &ca = x.changes[a], &cb = x.changes[b];
        if (ca.date != cb.date)
            return ca.date < cb.date;
        if (ca.period != cb.period)
            return ca.period < cb.period;
        return rankOf(ca.className) < rankOf(cb.className);
    });
    return order;
}

std::string noticeLine(const DataSet& ds, const ChangeRecord& c)
{
    const TermCalendar cal(ds);
    std::string line = GBK("【") + changeKindText(c.kind) + GBK("】") + slotText(ds, cal, c.date, c.period) + " "
                       + c.className + " " + c.subject + " " + c.teacher;
    switch (c.kind) {
    case ChangeKind::Substitute: line += GBK(" → ") + c.newTeacher; break;
    case ChangeKind::SelfStudy:
        line += GBK(" → 自习");
        if (!c.newTeacher.empty())
            line += GBK("（") + c.newTeacher + GBK("看班）");
        break;
    case ChangeKind::Cancel: line += GBK(" → 停课"); break;
    case ChangeKind::Swap: {
        std::string subject, teacher;
        const DayPlan there(ds, cal, c.swapDate);
        if (const int k = there.classIndex(c.className); k >= 0 && c.swapPeriod >= 0 && c.swapPeriod < there.periods()
                                                         && there.column() >= 0) {
            const LessonCell& cell = there.classes()[k]->cells[c.swapPeriod][there.column()];
            subject = cell.subject;
            teacher = cell.teacher;
        }
        line += GBK(" 与 ") + slotText(ds, cal, c.swapDate, c.swapPeriod) + " " + subject + " " + teacher + GBK(" 对调");
        break;
    }
    }
    return line;
}

std::string noticeText(const DataSet& ds, DayNumber date)
{
    std::string out;
    for (int i : changesInOrder(ds)) {
        const ChangeRecord& c = ds.extension.changes[i];
        if (c.date == date || (c.hasSwap && c.swapDate == date))
            out += noticeLine(ds, c) + "\n";
    }
    return out;
}

} // namespace tabrel
