#include "app/TermPanel.h"

#include <algorithm>
#include <unordered_set>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "term/TermCalendar.h"

namespace tabrel {

namespace {

std::string monthDay(DayNumber date)
{
    int y = 0, m = 0, d = 0;
    civilFromDays(date, y, m, d);
    return gbk::formatInt(m) + GBK("月") + gbk::formatInt(d) + GBK("日");
}

std::string slotText(const DataSet& ds, const TermCalendar& cal, DayNumber date, int period)
{
    return cal.shortDateText(date) + ds.periodLabel(period);
}

std::string absenceSpan(const DataSet& ds, const TermCalendar& cal, const AbsenceRecord& a)
{
    return slotText(ds, cal, a.from, a.fromPeriod) + GBK(" 至 ") + slotText(ds, cal, a.to, a.toPeriod);
}

bool runEdit(const EditRunner& edit, const char* stepName, const EditFunction& change)
{
    return edit(gbk::literal(stepName), change, -1);
}

} // namespace

// ---- 学期设置 -------------------------------------------------------------------------------------

std::vector<TermPanel::CalendarWeek> TermPanel::calendar(const DataSet& ds)
{
    std::vector<CalendarWeek> out;
    const TermCalendar cal(ds);
    if (!cal.isSet())
        return out;
    const DayNumber monday = mondayOf(cal.firstDay());
    for (int w = 0; w < cal.term().weeks; ++w) {
        CalendarWeek week;
        week.week = w + 1;
        week.weekText = GBK("第") + gbk::formatInt(w + 1) + GBK("周");
        week.parity = (w % 2 == 0) ? GBK("单周") : GBK("双周");
        for (int d = 0; d < 7; ++d) {
            CalendarDay& day = week.days[d];
            day.date = monday + 7 * w + d;
            day.text = monthDay(day.date);
            if (!cal.contains(day.date))
                day.kind = DayKind::Outside;
            else if (const MakeUpDay* mu = cal.makeUp(day.date)) {
                day.kind = DayKind::MakeUp;
                day.text += GBK(" 补") + mu->follows;
            } else if (cal.isDayOff(day.date))
                day.kind = DayKind::DayOff;
            else
                day.kind = cal.isTeachingDay(day.date) ? DayKind::Teaching : DayKind::Weekend;
        }
        out.push_back(std::move(week));
    }
    return out;
}

Rgb TermPanel::dayColour(DayKind kind)
{
    switch (kind) {
    case DayKind::Teaching: return {214, 236, 214};
    case DayKind::DayOff: return {246, 200, 200};
    case DayKind::MakeUp: return {255, 226, 150};
    case DayKind::Weekend: return {232, 232, 232};
    case DayKind::Outside: break;
    }
    return colors::White;
}

std::string TermPanel::termSummary(const DataSet& ds)
{
    const TermCalendar cal(ds);
    if (!cal.isSet())
        return GBK("尚未设置学期");
    int teaching = 0, off = 0, makeUp = 0;
    for (DayNumber d = cal.firstDay(); d <= cal.lastDay(); ++d) {
        if (cal.makeUp(d))
            ++makeUp;
        else if (cal.isDayOff(d) && weekdayOf(d) < 5)
            ++off;
        if (cal.isTeachingDay(d))
            ++teaching;
    }
    return TermCalendar::longDateText(cal.firstDay()) + GBK(" 起，共 ") + gbk::formatInt(cal.term().weeks)
           + GBK(" 周：教学日 ") + gbk::formatInt(teaching) + GBK(" 天，放假 ") + gbk::formatInt(off)
           + GBK(" 天，补课 ") + gbk::formatInt(makeUp) + GBK(" 天");
}

void TermPanel::loadDraft(const DataSet& ds, DayNumber today)
{
    draft_ = ds.extension.term;
    if (!draft_.isSet()) {
        draft_ = TermRecord();
        draft_.start = mondayOf(today);
        draft_.weeks = 20;
    }
}

std::string TermPanel::addDayOff(DayNumber from, DayNumber to)
{
    if (to < from)
        return GBK("放假的结束日期早于开始日期，未添加");
    for (const DaysOff& o : draft_.daysOff)
        if (o.from == from && o.to == to)
            return GBK("这段放假已在列表中");
    draft_.daysOff.push_back({from, to});
    std::stable_sort(draft_.daysOff.begin(), draft_.daysOff.end(),
                     [](const DaysOff& a, const DaysOff& b) { return a.from < b.from; });
    return {};
}

std::string TermPanel::addMakeUpDay(const DataSet& ds, DayNumber date, const std::string& follows)
{
    if (weekdayOf(date) < 5)
        return monthDay(date) + GBK("是") + weekdayName(weekdayOf(date)) + GBK("，补课日须是星期六或星期日，未添加");
    if (std::find(ds.dayNames.begin(), ds.dayNames.end(), follows) == ds.dayNames.end())
        return GBK("补课日须上作息表中某一天的课，未添加");
    for (const MakeUpDay& m : draft_.makeUpDays)
        if (m.date == date)
            return monthDay(date) + GBK("已是补课日，未添加");
    draft_.makeUpDays.push_back({date, follows});
    std::stable_sort(draft_.makeUpDays.begin(), draft_.makeUpDays.end(),
                     [](const MakeUpDay& a, const MakeUpDay& b) { return a.date < b.date; });
    return {};
}

void TermPanel::removeDayOff(int index)
{
    if (index >= 0 && index < static_cast<int>(draft_.daysOff.size()))
        draft_.daysOff.erase(draft_.daysOff.begin() + index);
}

void TermPanel::removeMakeUpDay(int index)
{
    if (index >= 0 && index < static_cast<int>(draft_.makeUpDays.size()))
        draft_.makeUpDays.erase(draft_.makeUpDays.begin() + index);
}

std::vector<std::string> TermPanel::dayOffTexts() const
{
    std::vector<std::string> out;
    for (const DaysOff& o : draft_.daysOff)
        out.push_back(o.from == o.to ? TermCalendar::longDateText(o.from)
                                     : TermCalendar::longDateText(o.from) + GBK(" 至 ") + TermCalendar::longDateText(o.to));
    return out;
}

std::vector<std::string> TermPanel::makeUpTexts() const
{
    std::vector<std::string> out;
    for (const MakeUpDay& m : draft_.makeUpDays)
        out.push_back(TermCalendar::longDateText(m.date) + GBK(" 上") + m.follows + GBK("的课"));
    return out;
}

std::string TermPanel::applyTerm(const EditRunner& edit, const DataSet& ds) const
{
    std::string why = termRefusal(draft_, ds.dayNames);
    if (!why.empty())
        return why + GBK("，学期未保存");
    if (ds.extension.term == draft_)
        return {};
    const TermRecord term = draft_;
    runEdit(edit, "设置学期", [term](DataSet& d) {
        d.extension.term = term;
        return true;
    });
    return {};
}

// ---- 请假登记 -------------------------------------------------------------------------------------

const std::vector<std::string>& TermPanel::absenceHeadings()
{
    static const std::vector<std::string> h = {GBK("教师"), GBK("开始"), GBK("结束"), GBK("类别"),
                                               GBK("备注"), GBK("课数"), GBK("未安排")};
    return h;
}

std::vector<TermPanel::AbsenceRow> TermPanel::absenceRows(const DataSet& ds)
{
    std::vector<AbsenceRow> out;
    const TermCalendar cal(ds);
    for (const AbsenceRecord& a : ds.extension.absences) {
        const auto lessons = touchedLessons(ds, a);
        const auto open = std::count_if(lessons.begin(), lessons.end(),
                                        [](const TouchedLesson& t) { return t.state == LessonState::Open; });
        AbsenceRow row;
        row.id = a.id;
        row.cells = {a.teacher, slotText(ds, cal, a.from, a.fromPeriod), slotText(ds, cal, a.to, a.toPeriod), a.kind,
                     a.note, gbk::formatInt(static_cast<long long>(lessons.size())), gbk::formatInt(open)};
        out.push_back(std::move(row));
    }
    std::stable_sort(out.begin(), out.end(), [&](const AbsenceRow& x, const AbsenceRow& y) {
        const AbsenceRecord* a = ds.extension.findAbsence(x.id);
        const AbsenceRecord* b = ds.extension.findAbsence(y.id);
        return a->from != b->from ? a->from < b->from : a->fromPeriod < b->fromPeriod;
    });
    return out;
}

int TermPanel::recordAbsence(const EditRunner& edit, const DataSet& ds, const AbsenceRecord& absence,
                             std::string& message)
{
    message = absenceRefusal(ds, absence);
    if (!message.empty())
        return 0;
    int id = 0;
    runEdit(edit, "登记请假", [&](DataSet& d) {
        id = addAbsence(d, absence);
        return id != 0;
    });
    return id;
}

std::string TermPanel::deleteAbsenceQuestion(const DataSet& ds, int id)
{
    const AbsenceRecord* a = ds.extension.findAbsence(id);
    if (!a)
        return {};
    const long long n = std::count_if(ds.extension.changes.begin(), ds.extension.changes.end(),
                                      [id](const ChangeRecord& c) { return c.absence == id; });
    std::string q = GBK("删除 ") + a->teacher + GBK(" 的请假（") + absenceSpan(ds, TermCalendar(ds), *a) + GBK("）");
    if (n > 0)
        q += GBK("及其 ") + gbk::formatInt(n) + GBK(" 条调代课记录");
    return q + GBK("？");
}

bool TermPanel::deleteAbsence(const EditRunner& edit, int id)
{
    return runEdit(edit, "删除请假", [id](DataSet& d) { return removeAbsence(d, id); });
}

const std::vector<std::string>& TermPanel::lessonHeadings()
{
    static const std::vector<std::string> h = {GBK("日期"), GBK("节次"), GBK("班级"), GBK("科目"), GBK("状态")};
    return h;
}

std::vector<TermPanel::LessonRow> TermPanel::lessonRows(const DataSet& ds, int absenceId)
{
    std::vector<LessonRow> out;
    const AbsenceRecord* a = ds.extension.findAbsence(absenceId);
    if (!a)
        return out;
    const TermCalendar cal(ds);
    for (TouchedLesson& t : touchedLessons(ds, *a)) {
        LessonRow row;
        const std::string state = t.state == LessonState::Open ? GBK("未安排") : t.how;
        row.cells = {cal.shortDateText(t.date), ds.periodLabel(t.period), t.className, t.subject, state};
        row.lesson = std::move(t);
        out.push_back(std::move(row));
    }
    return out;
}

// ---- cover one lesson -----------------------------------------------------------------------------

std::vector<TermPanel::CandidateRow> TermPanel::substituteRows(const DataSet& ds, const TouchedLesson& lesson)
{
    std::vector<CandidateRow> out;
    for (const SubstituteCandidate& s : substituteCandidates(ds, lesson.date, lesson.period, lesson.classIndex)) {
        const std::string& name = ds.teachers[s.teacher]->name;
        out.push_back({name, name + GBK("（") + s.reason + GBK("）")});
    }
    return out;
}

void TermPanel::defaultSwapRange(const DataSet& ds, DayNumber date, DayNumber& from, DayNumber& to)
{
    const TermCalendar cal(ds);
    from = mondayOf(date);
    to = from + 6;
    if (cal.isSet()) {
        from = std::max(from, cal.firstDay());
        to = std::min(to, cal.lastDay());
    }
}

std::vector<TermPanel::SwapRow> TermPanel::swapRows(const DataSet& ds, const TouchedLesson& lesson, DayNumber from,
                                                    DayNumber to)
{
    std::vector<SwapRow> out;
    const TermCalendar cal(ds);
    for (SwapCandidate& s : swapCandidates(ds, lesson.date, lesson.period, lesson.classIndex, from, to)) {
        SwapRow row;
        row.text = slotText(ds, cal, s.date, s.period) + " " + s.subject + " " + s.teacher;
        row.swap = std::move(s);
        out.push_back(std::move(row));
    }
    return out;
}

bool TermPanel::cover(const EditRunner& edit, const DataSet& ds, const CoverRequest& request, std::string& message)
{
    ChangeRecord record;
    if (!checkCover(ds, request, record, message)) {
        message += GBK("，未安排");
        return false;
    }
    static const char* const steps[] = {"安排代课", "安排调课", "安排自习", "安排停课"};
    runEdit(edit, steps[static_cast<int>(request.kind)], [record](DataSet& d) {
        storeChange(d, record);
        return true;
    });
    return true;
}

// ---- 一键安排 --------------------------------------------------------------------------------------

void TermPanel::propose(const DataSet& ds, const std::vector<int>& absenceIds)
{
    proposal_ = proposeCover(ds, absenceIds);
}

std::string TermPanel::proposalLineText(const DataSet& ds, int line) const
{
    if (line < 0 || line >= static_cast<int>(proposal_.size()))
        return {};
    return noticeLine(ds, proposal_[line]);
}

std::vector<std::string> TermPanel::proposalChoices(const DataSet& ds, int line, int& current) const
{
    std::vector<std::string> out;
    current = -1;
    if (line < 0 || line >= static_cast<int>(proposal_.size()))
        return out;
    const ChangeRecord& c = proposal_[line];
    // Teachers the other lines of the slot use.
    std::unordered_set<std::string> taken;
    for (int i = 0; i < static_cast<int>(proposal_.size()); ++i)
        if (i != line && proposal_[i].date == c.date && proposal_[i].period == c.period && !proposal_[i].newTeacher.empty())
            taken.insert(proposal_[i].newTeacher);
    const TermCalendar cal(ds);
    const DayPlan plan(ds, cal, c.date);
    const int k = plan.classIndex(c.className);
    for (const SubstituteCandidate& s : substituteCandidates(ds, c.date, c.period, k)) {
        const std::string& name = ds.teachers[s.teacher]->name;
        if (taken.count(name))
            continue;
        if (c.kind == ChangeKind::Substitute && c.newTeacher == name)
            current = static_cast<int>(out.size());
        out.push_back(GBK("代课 ") + name + GBK("（") + s.reason + GBK("）"));
    }
    if (c.kind == ChangeKind::SelfStudy)
        current = static_cast<int>(out.size());
    out.push_back(GBK("自习"));
    if (c.kind == ChangeKind::Cancel)
        current = static_cast<int>(out.size());
    out.push_back(GBK("停课"));
    return out;
}

bool TermPanel::setProposalChoice(const DataSet& ds, int line, const std::string& choice)
{
    int current = -1;
    const auto choices = proposalChoices(ds, line, current);
    if (std::find(choices.begin(), choices.end(), choice) == choices.end())
        return false;
    ChangeRecord& c = proposal_[line];
    c.newTeacher.clear();
    if (choice == GBK("自习"))
        c.kind = ChangeKind::SelfStudy;
    else if (choice == GBK("停课"))
        c.kind = ChangeKind::Cancel;
    else {
        const std::string prefix = GBK("代课 ");
        const std::size_t end = choice.find(GBK("（"));
        c.kind = ChangeKind::Substitute;
        c.newTeacher = choice.substr(prefix.size(), end - prefix.size());
    }
    return true;
}

bool TermPanel::acceptProposal(const EditRunner& edit, const DataSet& ds, std::string& message)
{
    message.clear();
    if (proposal_.empty()) {
        message = GBK("没有要安排的课");
        return false;
    }
    const std::vector<ChangeRecord> lines = proposal_;
    std::string why;
    int badLine = -1;
    const bool done = runEdit(edit, "一键安排", [&](DataSet& d) {
        const std::vector<ChangeRecord> before = d.extension.changes;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const ChangeRecord& c = lines[i];
            CoverRequest r;
            r.date = c.date;
            r.period = c.period;
            r.classIndex = DayPlan(d, TermCalendar(d), c.date).classIndex(c.className);
            r.kind = c.kind;
            r.teacher = c.newTeacher;
            if (!coverLesson(d, r, why)) {
                d.extension.changes = before;
                badLine = static_cast<int>(i);
                return false;
            }
        }
        return true;
    });
    if (badLine >= 0) {
        message = GBK("第 ") + gbk::formatInt(badLine + 1) + GBK(" 行：") + why + GBK("，一键安排未执行");
        return false;
    }
    if (done)
        proposal_.clear();
    return done;
}

// ---- 调代课记录 -------------------------------------------------------------------------------------

const std::vector<std::string>& TermPanel::changeHeadings()
{
    static const std::vector<std::string> h = {GBK("日期"), GBK("节次"), GBK("班级"), GBK("科目"),
                                               GBK("原任课教师"), GBK("安排"), GBK("请假"), GBK("状态")};
    return h;
}

bool TermPanel::isStale(const DataSet& ds, const ChangeRecord& c)
{
    const int d = timetableColumn(ds.dayNames, ds.extension.term, c.date);
    if (d < 0 || d >= ds.dayCount() || d >= DayColumns || c.period < 0 || c.period >= ds.gridPeriods())
        return true;
    for (const ClassTable* k : ds.classesInGradeOrder())
        if (k->name == c.className)
            return !(k->cells[c.period][d].subject == c.subject && k->cells[c.period][d].teacher == c.teacher);
    return true;
}

std::string TermPanel::replacementText(const DataSet& ds, const ChangeRecord& c)
{
    switch (c.kind) {
    case ChangeKind::Substitute: return GBK("代课 ") + c.newTeacher;
    case ChangeKind::Swap:
        return GBK("与 ") + slotText(ds, TermCalendar(ds), c.swapDate, c.swapPeriod) + GBK(" 对调");
    case ChangeKind::SelfStudy:
        return c.newTeacher.empty() ? GBK("自习") : GBK("自习（") + c.newTeacher + GBK("看班）");
    case ChangeKind::Cancel: return GBK("停课");
    }
    return {};
}

std::vector<TermPanel::ChangeRow> TermPanel::changeRows(const DataSet& ds, const ChangeFilter& f)
{
    std::vector<ChangeRow> out;
    const TermCalendar cal(ds);
    for (int i : changesInOrder(ds)) {
        const ChangeRecord& c = ds.extension.changes[i];
        const bool inRange = (!f.from || c.date >= f.from || (c.hasSwap && c.swapDate >= f.from))
                             && (!f.to || c.date <= f.to || (c.hasSwap && c.swapDate <= f.to));
        if (!inRange || (!f.className.empty() && c.className != f.className)
            || (!f.teacher.empty() && c.teacher != f.teacher && c.newTeacher != f.teacher))
            continue;
        ChangeRow row;
        row.index = i;
        row.stale = isStale(ds, c);
        std::string absence;
        if (const AbsenceRecord* a = ds.extension.findAbsence(c.absence))
            absence = a->teacher + " " + a->kind;
        row.cells = {cal.shortDateText(c.date), ds.periodLabel(c.period), c.className, c.subject, c.teacher,
                     replacementText(ds, c), absence, row.stale ? GBK("已过时") : GBK("有效")};
        out.push_back(std::move(row));
    }
    return out;
}

bool TermPanel::deleteChange(const EditRunner& edit, const DataSet& ds, int index)
{
    if (index < 0 || index >= static_cast<int>(ds.extension.changes.size()))
        return false;
    const ChangeRecord record = ds.extension.changes[index];
    return runEdit(edit, "删除调代课记录", [index, record](DataSet& d) {
        auto& list = d.extension.changes;
        if (index >= static_cast<int>(list.size()) || !(list[index] == record))
            return false;
        list.erase(list.begin() + index);
        return true;
    });
}

// ---- 调代课通知 -----------------------------------------------------------------------------------

std::vector<int> TermPanel::changesOfDate(const DataSet& ds, DayNumber date)
{
    std::vector<int> out;
    for (int i : changesInOrder(ds)) {
        const ChangeRecord& c = ds.extension.changes[i];
        if (c.date == date || (c.hasSwap && c.swapDate == date))
            out.push_back(i);
    }
    return out;
}

std::vector<int> TermPanel::changesOfAbsence(const DataSet& ds, int absenceId)
{
    std::vector<int> out;
    for (int i : changesInOrder(ds))
        if (ds.extension.changes[i].absence == absenceId)
            out.push_back(i);
    return out;
}

std::string TermPanel::chatText(const DataSet& ds, const std::vector<int>& changes)
{
    std::string out;
    for (int i : changes)
        out += noticeLine(ds, ds.extension.changes[i]) + "\n";
    return out;
}

std::vector<TermPanel::Slip> TermPanel::slips(const DataSet& ds, const std::vector<int>& changes)
{
    std::vector<Slip> out;
    const TermCalendar cal(ds);
    auto add = [&](const std::string& teacher, const std::string& line) {
        if (teacher.empty())
            return;
        auto it = std::find_if(out.begin(), out.end(), [&](const Slip& s) { return s.teacher == teacher; });
        if (it == out.end()) {
            out.push_back({teacher, {}});
            it = out.end() - 1;
        }
        if (it->lines.empty() || it->lines.back() != line)
            it->lines.push_back(line);
    };
    for (int i : changes) {
        const ChangeRecord& c = ds.extension.changes[i];
        const std::string line = noticeLine(ds, c);
        add(c.teacher, line);
        add(c.newTeacher, line);
        if (c.hasSwap) {
            const DayPlan there(ds, cal, c.swapDate);
            const int k = there.classIndex(c.className);
            if (k >= 0 && c.swapPeriod >= 0 && c.swapPeriod < there.periods())
                add(there.at(k, c.swapPeriod).originalTeacher, line);
        }
    }
    return out;
}

} // namespace tabrel
