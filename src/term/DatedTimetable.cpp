#include "term/DatedTimetable.h"

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

bool isLessonSubject(const std::string& subject)
{
    return !subject.empty() && subject != "empty";
}

DayPlan::DayPlan(const DataSet& ds, const TermCalendar& calendar, DayNumber date)
    : date_(date), column_(calendar.column(date)), periods_(std::min(ds.periodsPerDay(), MaxPeriodRows))
{
    if (column_ >= ds.dayCount() || column_ >= DayColumns)
        column_ = -1;
    for (const ClassTable* c : ds.classesInGradeOrder())
        classes_.push_back(c);
    for (std::size_t k = 0; k < classes_.size(); ++k)
        classByName_.emplace(classes_[k]->name, static_cast<int>(k));
    cells_.resize(classes_.size() * static_cast<std::size_t>(periods_));
    if (column_ >= 0)
        for (std::size_t k = 0; k < classes_.size(); ++k)
            for (int p = 0; p < periods_; ++p) {
                const LessonCell& cell = classes_[k]->cells[p][column_];
                if (!isLessonSubject(cell.subject))
                    continue;
                DatedLesson& l = cells_[k * periods_ + p];
                l.subject = l.originalSubject = cell.subject;
                l.teacher = l.originalTeacher = cell.teacher;
            }

    const auto& changes = ds.extension.changes;
    // The weekly lesson of a class at another date's slot (what a swap brings in).
    auto weeklyLesson = [&](int k, DayNumber other, int period, std::string& subject, std::string& teacher) {
        const int col = calendar.column(other);
        subject.clear();
        teacher.clear();
        if (col < 0 || col >= ds.dayCount() || col >= DayColumns || period < 0 || period >= periods_)
            return;
        const LessonCell& cell = classes_[k]->cells[period][col];
        if (isLessonSubject(cell.subject)) {
            subject = cell.subject;
            teacher = cell.teacher;
        }
    };
    auto mark = [&](DatedLesson& l, const ChangeRecord& c, int index) {
        l.changed = true;
        l.kind = c.kind;
        l.change = index;
    };
    for (int pass = 0; pass < 2 && column_ >= 0; ++pass)
        for (std::size_t i = 0; i < changes.size(); ++i) {
            const ChangeRecord& c = changes[i];
            if ((c.kind == ChangeKind::Swap) != (pass == 0))
                continue;
            const bool here = c.date == date_;
            const bool swapHere = c.hasSwap && c.swapDate == date_;
            if (!here && !swapHere)
                continue;
            const int k = classIndex(c.className);
            if (k < 0)
                continue;
            if (pass == 0) {
                if (here && c.period < periods_) {
                    DatedLesson& l = cells_[k * periods_ + c.period];
                    weeklyLesson(k, c.swapDate, c.swapPeriod, l.subject, l.teacher);
                    mark(l, c, static_cast<int>(i));
                }
                if (swapHere && c.swapPeriod >= 0 && c.swapPeriod < periods_) {
                    DatedLesson& l = cells_[k * periods_ + c.swapPeriod];
                    l.subject = c.subject;
                    l.teacher = c.teacher;
                    mark(l, c, static_cast<int>(i));
                }
                continue;
            }
            if (!here || c.period >= periods_)
                continue;
            DatedLesson& l = cells_[k * periods_ + c.period];
            switch (c.kind) {
            case ChangeKind::Substitute: l.teacher = c.newTeacher; break;
            case ChangeKind::SelfStudy:
                l.subject = GBK("自习");
                l.teacher = c.newTeacher;
                break;
            case ChangeKind::Cancel:
                l.subject.clear();
                l.teacher.clear();
                break;
            case ChangeKind::Swap: break;
            }
            mark(l, c, static_cast<int>(i));
        }

    busy_.resize(periods_);
    for (std::size_t k = 0; k < classes_.size(); ++k)
        for (int p = 0; p < periods_; ++p) {
            const DatedLesson& l = cells_[k * periods_ + p];
            if (l.teacher.empty() || !l.isLesson())
                continue;
            busy_[p].emplace(l.teacher, static_cast<int>(k));
            ++dayCount_[l.teacher];
        }
}

int DayPlan::classIndex(const std::string& name) const
{
    auto it = classByName_.find(name);
    return it == classByName_.end() ? -1 : it->second;
}

int DayPlan::classOfTeacher(const std::string& teacher, int period) const
{
    if (period < 0 || period >= periods_)
        return -1;
    auto it = busy_[period].find(teacher);
    return it == busy_[period].end() ? -1 : it->second;
}

int DayPlan::lessonsOfTeacher(const std::string& teacher) const
{
    auto it = dayCount_.find(teacher);
    return it == dayCount_.end() ? 0 : it->second;
}

int absenceAt(const SchoolExtension& x, const std::string& teacher, DayNumber date, int period)
{
    for (const AbsenceRecord& a : x.absences) {
        if (a.teacher != teacher || date < a.from || date > a.to)
            continue;
        if (date == a.from && period < a.fromPeriod)
            continue;
        if (date == a.to && period > a.toPeriod)
            continue;
        return a.id;
    }
    return 0;
}

} // namespace tabrel
