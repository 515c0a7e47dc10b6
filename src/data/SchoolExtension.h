#pragma once
// What a school stores beyond the seven sections of the data file: its name, the term calendar,
// the absences and the dated changes of the timetable, and every chunk of the extension block this
// version does not know (kept byte for byte). Owned by the DataSet as `extension`; the file codec,
// the copy of a data set and the JSON form carry it whole. Records name grades, classes, subjects
// and teachers by name (GBK), as the described records do.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "data/CalendarDate.h"

namespace tabrel {

// A Saturday or Sunday of the term that follows the timetable of a named weekday.
struct MakeUpDay {
    DayNumber date = 0;
    std::string follows; // a name of dayNames (GBK)
    bool operator==(const MakeUpDay&) const = default;
};

// A day off or a range of them, both ends included.
struct DaysOff {
    DayNumber from = 0, to = 0;
    bool operator==(const DaysOff&) const = default;
};

struct TermRecord {
    DayNumber start = 0; // the first teaching day
    int weeks = 0;       // 0 = no term set
    std::vector<DaysOff> daysOff;
    std::vector<MakeUpDay> makeUpDays;
    bool isSet() const { return weeks > 0; }
    bool operator==(const TermRecord&) const = default;
};

inline constexpr int MaxTermWeeks = 60;

// The kinds of absence, as the user picks them (UTF-8 literals; GBK in records).
inline constexpr const char* AbsenceKinds[] = {"病假", "事假", "公假", "培训", "其他"};

struct AbsenceRecord {
    int id = 0;
    std::string teacher;
    DayNumber from = 0;
    int fromPeriod = 0; // 0-based
    DayNumber to = 0;
    int toPeriod = 0;   // 0-based, included
    std::string kind;   // one of AbsenceKinds (GBK)
    std::string note;
    bool operator==(const AbsenceRecord&) const = default;
};

enum class ChangeKind { Substitute, Swap, SelfStudy, Cancel };
// "代课", "调课", "自习", "停课" (GBK); and back (false when the text is none of them).
std::string changeKindText(ChangeKind kind);
bool changeKindFromText(const std::string& gbkText, ChangeKind& kind);

// One lesson of a date changed: the lesson (class, subject, teacher) that stood at date/period by
// the weekly timetable, and what replaced it.
struct ChangeRecord {
    DayNumber date = 0;
    int period = 0; // 0-based
    std::string className, subject, teacher;
    ChangeKind kind = ChangeKind::Substitute;
    std::string newTeacher;   // 代课: the substitute; 自习: the supervisor or ""
    bool hasSwap = false;     // 调课: the lesson moves to swapDate/swapPeriod and the lesson there comes back
    DayNumber swapDate = 0;
    int swapPeriod = -1;
    int absence = 0;          // id of the absence it belongs to, 0 for none
    bool operator==(const ChangeRecord&) const = default;
};

// A shared room or ground ("场室"): `capacity` classes at once. A lesson of one of `subjects` uses
// it, and so does the lesson of a plan row in `plans` whatever venue its subject names; a subject
// belongs to at most one venue's `subjects`. `unavailable` slots take no lesson of the venue.
struct VenuePlan {
    std::string className, subject;
    bool operator==(const VenuePlan&) const = default;
};

struct VenueSlot {
    int period = 0, day = 0; // 0-based
    bool operator==(const VenueSlot&) const = default;
};

struct VenueRecord {
    std::string name;
    int capacity = 1;
    std::vector<std::string> subjects;
    std::vector<VenuePlan> plans;
    std::vector<VenueSlot> unavailable;
    bool operator==(const VenueRecord&) const = default;
};

inline constexpr int MaxVenueCapacity = 10000;

// A chunk of the extension block this version does not read: its tag and payload, kept as read.
struct ExtensionChunk {
    std::array<char, 4> tag{};
    std::string payload;
    bool operator==(const ExtensionChunk&) const = default;
};

struct SchoolExtension {
    std::string schoolName; // "" = not stored
    std::vector<VenueRecord> venues;
    TermRecord term;
    std::vector<AbsenceRecord> absences;
    std::vector<ChangeRecord> changes;
    std::vector<ExtensionChunk> unknownChunks; // in the order they were read

    // Nothing to store: the file then ends after section 7, as it always did.
    bool empty() const
    {
        return schoolName.empty() && venues.empty() && !term.isSet() && absences.empty() && changes.empty() && unknownChunks.empty();
    }
    bool operator==(const SchoolExtension&) const = default;

    // A rename in the program renames every record that names the old name.
    void renameTeacher(const std::string& from, const std::string& to);
    void renameClass(const std::string& from, const std::string& to);
    void renameSubject(const std::string& from, const std::string& to);

    const AbsenceRecord* findAbsence(int id) const;
    int nextAbsenceId() const;
};

// The column of dayNames whose weekly timetable a date follows: a make-up day's named weekday,
// else the column named as the date's weekday ("星期一" …); when no column bears a weekday name,
// columns count from Monday. -1 when no column applies (a Saturday of a five-day week). Neither
// the term's range nor its days off are considered here.
int timetableColumn(const std::vector<std::string>& dayNames, const TermRecord& term, DayNumber date);

} // namespace tabrel
