#include "data/ExtensionJson.h"

#include "data/DataFile.h"
#include "data/Dimensions.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {

using J = ExtensionJsonValue;

std::string u(const std::string& gbkText) { return gbk::toUtf8(gbkText); }

std::string daysOffText(const DaysOff& d)
{
    return d.from == d.to ? isoDate(d.from) : isoDate(d.from) + ".." + isoDate(d.to);
}

// Reads values of one key, remembering the first fault.
class Reader {
public:
    std::string path, message;
    bool fail(const std::string& at, const std::string& why)
    {
        if (message.empty()) {
            path = at;
            message = why;
        }
        return false;
    }
    bool object(const J& v, const std::string& at)
    {
        return v.is_object() || fail(at, "expected an object");
    }
    bool array(const J& v, const std::string& at, std::size_t limit = MaxExtensionRecords)
    {
        if (!v.is_array())
            return fail(at, "expected an array");
        return v.size() <= limit || fail(at, "more than " + std::to_string(limit) + " entries");
    }
    bool text(const J& v, const std::string& at, std::string& out)
    {
        if (!v.is_string())
            return fail(at, "expected a string");
        const auto& s = v.get_ref<const std::string&>();
        if (s.size() > static_cast<std::size_t>(MaxTextBytes))
            return fail(at, "text too long");
        std::string error;
        auto g = gbk::fromUtf8(s, error);
        if (!g)
            return fail(at, error);
        out = std::move(*g);
        return true;
    }
    bool integer(const J& v, const std::string& at, int& out, long long lo, long long hi)
    {
        if (!v.is_number_integer())
            return fail(at, "expected an integer");
        const long long n = v.is_number_unsigned() ? static_cast<long long>(std::min<unsigned long long>(
                                                         v.get<unsigned long long>(), 1ULL << 62))
                                                   : v.get<long long>();
        if (n < lo || n > hi)
            return fail(at, "expected an integer from " + std::to_string(lo) + " to " + std::to_string(hi));
        out = static_cast<int>(n);
        return true;
    }
    bool date(const J& v, const std::string& at, DayNumber& out)
    {
        if (!v.is_string())
            return fail(at, "expected a date YYYY-MM-DD");
        auto d = parseIsoDate(v.get_ref<const std::string&>());
        if (!d)
            return fail(at, "expected a date YYYY-MM-DD");
        out = *d;
        return true;
    }
    // The member `key` of object `v`; a missing member is a fault.
    const J* member(const J& v, const std::string& at, const char* key)
    {
        auto it = v.find(key);
        if (it == v.end()) {
            fail(at.empty() ? key : at + "." + key, "missing");
            return nullptr;
        }
        return &*it;
    }
};

std::string sub(const std::string& at, const char* key) { return at.empty() ? key : at + "." + key; }
std::string idx(const std::string& at, std::size_t i) { return at + "[" + std::to_string(i) + "]"; }

bool readTerm(Reader& r, const J& v, TermRecord& t)
{
    if (!r.object(v, ""))
        return false;
    const J* start = r.member(v, "", "start");
    const J* weeks = r.member(v, "", "weeks");
    if (!start || !weeks || !r.date(*start, "start", t.start) || !r.integer(*weeks, "weeks", t.weeks, 1, MaxTermWeeks))
        return false;
    if (auto it = v.find("daysOff"); it != v.end()) {
        if (!r.array(*it, "daysOff"))
            return false;
        for (std::size_t i = 0; i < it->size(); ++i) {
            const J& e = (*it)[i];
            const std::string at = idx("daysOff", i);
            if (!e.is_string())
                return r.fail(at, "expected a date or a range DATE..DATE");
            const auto& s = e.get_ref<const std::string&>();
            DaysOff d;
            const std::size_t dots = s.find("..");
            const auto a = parseIsoDate(dots == std::string::npos ? std::string_view(s) : std::string_view(s).substr(0, dots));
            const auto b = dots == std::string::npos ? a : parseIsoDate(std::string_view(s).substr(dots + 2));
            if (!a || !b || *b < *a)
                return r.fail(at, "expected a date or a range DATE..DATE");
            d.from = *a;
            d.to = *b;
            t.daysOff.push_back(d);
        }
    }
    if (auto it = v.find("makeUpDays"); it != v.end()) {
        if (!r.array(*it, "makeUpDays"))
            return false;
        for (std::size_t i = 0; i < it->size(); ++i) {
            const J& e = (*it)[i];
            const std::string at = idx("makeUpDays", i);
            MakeUpDay m;
            if (!r.object(e, at))
                return false;
            const J* date = r.member(e, at, "date");
            const J* follows = r.member(e, at, "follows");
            if (!date || !follows || !r.date(*date, sub(at, "date"), m.date) || !r.text(*follows, sub(at, "follows"), m.follows))
                return false;
            t.makeUpDays.push_back(std::move(m));
        }
    }
    return true;
}

bool readAbsences(Reader& r, const J& v, std::vector<AbsenceRecord>& out)
{
    if (!r.array(v, ""))
        return false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const J& e = v[i];
        const std::string at = idx("", i);
        if (!r.object(e, at))
            return false;
        AbsenceRecord a;
        const J *id = r.member(e, at, "id"), *teacher = r.member(e, at, "teacher"), *from = r.member(e, at, "from"),
                *fromPeriod = r.member(e, at, "fromPeriod"), *to = r.member(e, at, "to"),
                *toPeriod = r.member(e, at, "toPeriod");
        if (!id || !teacher || !from || !fromPeriod || !to || !toPeriod)
            return false;
        if (!r.integer(*id, sub(at, "id"), a.id, 1, 1000000000) || !r.text(*teacher, sub(at, "teacher"), a.teacher)
            || !r.date(*from, sub(at, "from"), a.from)
            || !r.integer(*fromPeriod, sub(at, "fromPeriod"), a.fromPeriod, 0, MaxPeriodRows - 1)
            || !r.date(*to, sub(at, "to"), a.to)
            || !r.integer(*toPeriod, sub(at, "toPeriod"), a.toPeriod, 0, MaxPeriodRows - 1))
            return false;
        if (a.to < a.from || (a.to == a.from && a.toPeriod < a.fromPeriod))
            return r.fail(at, "the absence ends before it starts");
        a.kind = GBK("其他");
        if (auto k = e.find("kind"); k != e.end()) {
            if (!r.text(*k, sub(at, "kind"), a.kind))
                return false;
            bool known = false;
            for (const char* name : AbsenceKinds)
                known = known || a.kind == gbk::literal(name);
            if (!known)
                return r.fail(sub(at, "kind"), "expected one of 病假, 事假, 公假, 培训, 其他");
        }
        if (auto n = e.find("note"); n != e.end() && !r.text(*n, sub(at, "note"), a.note))
            return false;
        for (const AbsenceRecord& other : out)
            if (other.id == a.id)
                return r.fail(sub(at, "id"), "the id " + std::to_string(a.id) + " is used twice");
        out.push_back(std::move(a));
    }
    return true;
}

bool readChanges(Reader& r, const J& v, std::vector<ChangeRecord>& out)
{
    if (!r.array(v, ""))
        return false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const J& e = v[i];
        const std::string at = idx("", i);
        if (!r.object(e, at))
            return false;
        ChangeRecord c;
        const J *date = r.member(e, at, "date"), *period = r.member(e, at, "period"), *cls = r.member(e, at, "class"),
                *subject = r.member(e, at, "subject"), *teacher = r.member(e, at, "teacher"),
                *kind = r.member(e, at, "kind");
        if (!date || !period || !cls || !subject || !teacher || !kind)
            return false;
        std::string kindText;
        if (!r.date(*date, sub(at, "date"), c.date) || !r.integer(*period, sub(at, "period"), c.period, 0, MaxPeriodRows - 1)
            || !r.text(*cls, sub(at, "class"), c.className) || !r.text(*subject, sub(at, "subject"), c.subject)
            || !r.text(*teacher, sub(at, "teacher"), c.teacher) || !r.text(*kind, sub(at, "kind"), kindText))
            return false;
        if (!changeKindFromText(kindText, c.kind))
            return r.fail(sub(at, "kind"), "expected one of 代课, 调课, 自习, 停课");
        if (auto n = e.find("newTeacher"); n != e.end() && !r.text(*n, sub(at, "newTeacher"), c.newTeacher))
            return false;
        if (auto s = e.find("swapDate"); s != e.end()) {
            if (!s->is_string())
                return r.fail(sub(at, "swapDate"), "expected a date YYYY-MM-DD or \"\"");
            if (!s->get_ref<const std::string&>().empty()) {
                if (!r.date(*s, sub(at, "swapDate"), c.swapDate))
                    return false;
                c.hasSwap = true;
            }
        }
        if (auto s = e.find("swapPeriod"); s != e.end()
            && !r.integer(*s, sub(at, "swapPeriod"), c.swapPeriod, -1, MaxPeriodRows - 1))
            return false;
        if ((c.kind == ChangeKind::Swap) != (c.hasSwap && c.swapPeriod >= 0))
            return r.fail(sub(at, c.kind == ChangeKind::Swap ? "swapDate" : "kind"),
                          "a 调课 change needs swapDate and swapPeriod, and only it has them");
        if (!c.hasSwap)
            c.swapPeriod = -1;
        if (auto a = e.find("absence"); a != e.end() && !r.integer(*a, sub(at, "absence"), c.absence, 0, 1000000000))
            return false;
        out.push_back(std::move(c));
    }
    return true;
}

bool readVenues(Reader& r, const J& v, std::vector<VenueRecord>& out)
{
    if (!r.array(v, ""))
        return false;
    for (std::size_t i = 0; i < v.size(); ++i) {
        const J& e = v[i];
        const std::string at = idx("", i);
        if (!r.object(e, at))
            return false;
        VenueRecord venue;
        const J *name = r.member(e, at, "name"), *capacity = r.member(e, at, "capacity");
        if (!name || !capacity || !r.text(*name, sub(at, "name"), venue.name)
            || !r.integer(*capacity, sub(at, "capacity"), venue.capacity, 1, MaxVenueCapacity))
            return false;
        if (venue.name.empty())
            return r.fail(sub(at, "name"), "a venue needs a name");
        for (const VenueRecord& other : out)
            if (other.name == venue.name)
                return r.fail(sub(at, "name"), "the venue name " + u(venue.name) + " is used twice");
        if (auto it = e.find("subjects"); it != e.end()) {
            const std::string list = sub(at, "subjects");
            if (!r.array(*it, list))
                return false;
            for (std::size_t k = 0; k < it->size(); ++k) {
                std::string subject;
                if (!r.text((*it)[k], idx(list, k), subject))
                    return false;
                for (const VenueRecord& other : out)
                    for (const std::string& s : other.subjects)
                        if (s == subject)
                            return r.fail(idx(list, k), "the subject " + u(subject) + " already belongs to the venue "
                                                            + u(other.name));
                for (const std::string& s : venue.subjects)
                    if (s == subject)
                        return r.fail(idx(list, k), "the subject " + u(subject) + " is listed twice");
                venue.subjects.push_back(std::move(subject));
            }
        }
        if (auto it = e.find("unavailable"); it != e.end()) {
            const std::string list = sub(at, "unavailable");
            if (!r.array(*it, list))
                return false;
            for (std::size_t k = 0; k < it->size(); ++k) {
                const J& slot = (*it)[k];
                const std::string sat = idx(list, k);
                if (!slot.is_array() || slot.size() != 2)
                    return r.fail(sat, "expected a slot [period, day]");
                VenueSlot vs;
                if (!r.integer(slot[0], idx(sat, 0), vs.period, 0, MaxPeriodRows - 1)
                    || !r.integer(slot[1], idx(sat, 1), vs.day, 0, DayColumns - 1))
                    return false;
                venue.unavailable.push_back(vs);
            }
        }
        if (auto it = e.find("plans"); it != e.end()) {
            const std::string list = sub(at, "plans");
            if (!r.array(*it, list))
                return false;
            for (std::size_t k = 0; k < it->size(); ++k) {
                const J& plan = (*it)[k];
                const std::string pat = idx(list, k);
                if (!r.object(plan, pat))
                    return false;
                VenuePlan vp;
                const J *cls = r.member(plan, pat, "class"), *subject = r.member(plan, pat, "subject");
                if (!cls || !subject || !r.text(*cls, sub(pat, "class"), vp.className)
                    || !r.text(*subject, sub(pat, "subject"), vp.subject))
                    return false;
                for (const VenueRecord& other : out)
                    for (const VenuePlan& p : other.plans)
                        if (p == vp)
                            return r.fail(pat, "the plan row is sent to the venue " + u(other.name) + " already");
                for (const VenuePlan& p : venue.plans)
                    if (p == vp)
                        return r.fail(pat, "the plan row is listed twice");
                venue.plans.push_back(std::move(vp));
            }
        }
        out.push_back(std::move(venue));
    }
    return true;
}

} // namespace

std::string changeKindText(ChangeKind kind)
{
    switch (kind) {
    case ChangeKind::Substitute: return GBK("代课");
    case ChangeKind::Swap: return GBK("调课");
    case ChangeKind::SelfStudy: return GBK("自习");
    case ChangeKind::Cancel: return GBK("停课");
    }
    return {};
}

bool changeKindFromText(const std::string& text, ChangeKind& kind)
{
    for (ChangeKind k : {ChangeKind::Substitute, ChangeKind::Swap, ChangeKind::SelfStudy, ChangeKind::Cancel})
        if (changeKindText(k) == text) {
            kind = k;
            return true;
        }
    return false;
}

ExtensionJsonValue extensionKeyToJson(const SchoolExtension& x, const std::string& key)
{
    if (key == "schoolName")
        return x.schoolName.empty() ? J() : J(u(x.schoolName));
    if (key == "venues") {
        if (x.venues.empty())
            return J();
        J list = J::array();
        for (const VenueRecord& v : x.venues) {
            J e;
            e["name"] = u(v.name);
            e["capacity"] = v.capacity;
            e["subjects"] = J::array();
            for (const std::string& s : v.subjects)
                e["subjects"].push_back(u(s));
            e["unavailable"] = J::array();
            for (const VenueSlot& s : v.unavailable)
                e["unavailable"].push_back(J::array({s.period, s.day}));
            e["plans"] = J::array();
            for (const VenuePlan& p : v.plans) {
                J pe;
                pe["class"] = u(p.className);
                pe["subject"] = u(p.subject);
                e["plans"].push_back(std::move(pe));
            }
            list.push_back(std::move(e));
        }
        return list;
    }
    if (key == "term") {
        if (!x.term.isSet())
            return J();
        J t;
        t["start"] = isoDate(x.term.start);
        t["weeks"] = x.term.weeks;
        t["daysOff"] = J::array();
        for (const DaysOff& d : x.term.daysOff)
            t["daysOff"].push_back(daysOffText(d));
        t["makeUpDays"] = J::array();
        for (const MakeUpDay& m : x.term.makeUpDays) {
            J e;
            e["date"] = isoDate(m.date);
            e["follows"] = u(m.follows);
            t["makeUpDays"].push_back(std::move(e));
        }
        return t;
    }
    if (key == "absences") {
        if (x.absences.empty())
            return J();
        J list = J::array();
        for (const AbsenceRecord& a : x.absences) {
            J e;
            e["id"] = a.id;
            e["teacher"] = u(a.teacher);
            e["from"] = isoDate(a.from);
            e["fromPeriod"] = a.fromPeriod;
            e["to"] = isoDate(a.to);
            e["toPeriod"] = a.toPeriod;
            e["kind"] = u(a.kind);
            e["note"] = u(a.note);
            list.push_back(std::move(e));
        }
        return list;
    }
    if (key == "changes") {
        if (x.changes.empty())
            return J();
        J list = J::array();
        for (const ChangeRecord& c : x.changes) {
            J e;
            e["date"] = isoDate(c.date);
            e["period"] = c.period;
            e["class"] = u(c.className);
            e["subject"] = u(c.subject);
            e["teacher"] = u(c.teacher);
            e["kind"] = u(changeKindText(c.kind));
            e["newTeacher"] = u(c.newTeacher);
            e["swapDate"] = c.hasSwap ? isoDate(c.swapDate) : std::string();
            e["swapPeriod"] = c.hasSwap ? c.swapPeriod : -1;
            e["absence"] = c.absence;
            list.push_back(std::move(e));
        }
        return list;
    }
    return J();
}

bool extensionKeyFromJson(const std::string& key, const ExtensionJsonValue& value, SchoolExtension& x,
                          std::string& path, std::string& message)
{
    Reader r;
    bool ok = false;
    if (key == "schoolName") {
        std::string name;
        ok = r.text(value, "", name);
        if (ok)
            x.schoolName = std::move(name);
    } else if (key == "venues") {
        std::vector<VenueRecord> list;
        ok = readVenues(r, value, list);
        if (ok)
            x.venues = std::move(list);
    } else if (key == "term") {
        TermRecord t;
        ok = readTerm(r, value, t);
        if (ok)
            x.term = std::move(t);
    } else if (key == "absences") {
        std::vector<AbsenceRecord> list;
        ok = readAbsences(r, value, list);
        if (ok)
            x.absences = std::move(list);
    } else if (key == "changes") {
        std::vector<ChangeRecord> list;
        ok = readChanges(r, value, list);
        if (ok)
            x.changes = std::move(list);
    } else {
        r.fail("", "unknown key");
    }
    path = r.path;
    message = r.message;
    return ok;
}

} // namespace tabrel
