#include "data/SchoolExtension.h"

#include <algorithm>

namespace tabrel {

namespace {
void renameIn(std::string& field, const std::string& from, const std::string& to)
{
    if (!from.empty() && field == from)
        field = to;
}
} // namespace

void SchoolExtension::renameTeacher(const std::string& from, const std::string& to)
{
    for (AbsenceRecord& a : absences)
        renameIn(a.teacher, from, to);
    for (ChangeRecord& c : changes) {
        renameIn(c.teacher, from, to);
        renameIn(c.newTeacher, from, to);
    }
}

void SchoolExtension::renameClass(const std::string& from, const std::string& to)
{
    for (ChangeRecord& c : changes)
        renameIn(c.className, from, to);
    for (VenueRecord& v : venues)
        for (VenuePlan& p : v.plans)
            renameIn(p.className, from, to);
}

void SchoolExtension::renameSubject(const std::string& from, const std::string& to)
{
    for (ChangeRecord& c : changes)
        renameIn(c.subject, from, to);
    for (VenueRecord& v : venues) {
        for (std::string& s : v.subjects)
            renameIn(s, from, to);
        for (VenuePlan& p : v.plans)
            renameIn(p.subject, from, to);
    }
}

const AbsenceRecord* SchoolExtension::findAbsence(int id) const
{
    for (const AbsenceRecord& a : absences)
        if (a.id == id)
            return &a;
    return nullptr;
}

int SchoolExtension::nextAbsenceId() const
{
    int id = 0;
    for (const AbsenceRecord& a : absences)
        id = std::max(id, a.id);
    return id + 1;
}

int timetableColumn(const std::vector<std::string>& dayNames, const TermRecord& term, DayNumber date)
{
    const int days = static_cast<int>(dayNames.size());
    for (const MakeUpDay& m : term.makeUpDays)
        if (m.date == date) {
            for (int d = 0; d < days; ++d)
                if (dayNames[d] == m.follows)
                    return d;
            return -1;
        }
    const int weekday = weekdayOf(date);
    bool anyWeekdayName = false;
    for (int d = 0; d < days; ++d)
        for (int w = 0; w < 7; ++w)
            if (dayNames[d] == weekdayName(w)) {
                if (w == weekday)
                    return d;
                anyWeekdayName = true;
            }
    return !anyWeekdayName && weekday < days ? weekday : -1;
}

} // namespace tabrel
