#include "scheduling/QualityPhase.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <unordered_map>
#include <unordered_set>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/GridShape.h"
#include "scheduling/PlacementEngine.h"
#include "scheduling/TimetableCheck.h"
#include "scheduling/VenueUse.h"

namespace tabrel {

namespace {

constexpr int SlotCount = MaxPeriodRows * DayColumns; // slot = period * DayColumns + day

bool isLesson(const std::string& s) { return !s.empty() && s != names::emptyMarker(); }

// A subject's share of one day: one lesson when it has no more lessons than days, ⌈n / days⌉ otherwise.
// (a count read as it stands may be any int32: held within the grid, so no sum overflows)
int dailyShare(int lessons, int days)
{
    if (lessons <= days || days <= 0)
        return 1;
    return static_cast<int>(std::min<long long>((static_cast<long long>(lessons) + days - 1) / days, MaxPeriodRows));
}

// The subjects the cell's rules give `level`, the first line of a subject being its rule.
std::vector<std::string> subjectsWithRule(const LessonCell& cell, const std::string& level)
{
    std::vector<std::string> out;
    for (const std::string& line : cell.subjectRules) {
        const auto dash = line.find('-');
        if (dash == std::string::npos || dash == 0)
            continue;
        std::string subject = line.substr(0, dash);
        if (std::find(out.begin(), out.end(), subject) != out.end() || ClassTable::cellRule(cell, subject) != level)
            continue;
        out.push_back(std::move(subject));
    }
    return out;
}

int problemCount(const DataSet& ds, const std::vector<ClassTable*>& scope)
{
    return static_cast<int>(CheckTimetable(ds, std::vector<const ClassTable*>(scope.begin(), scope.end())).size());
}

// ---- the phase's model of the scope
//
// Every cell of a scope class is a grid value: the lesson kind it holds (a subject of the class's
// plan), Free, Other (a lesson of no kind) or Blocked (a common period). The cells the phase may
// change are its positions. The cost of a timetable is a sum of parts, each kept up to date: a part
// per class and day (free slots before the day's last lesson, the day's load, a day short of its
// share), per kind (lessons beyond the daily share, double periods missing, the same period on many
// days), per teacher and day (free periods between lessons) and per position ("尽量排" kept). The
// hard parts are the problems of the check a move could add: a slot the lesson may not take, two
// lessons of a teacher in one slot, a room limit passed.
constexpr int Free = -1, Other = -2, Blocked = -3;
constexpr long long HardWeight = 1LL << 32;

// The weights of the parts: a hole (or a late start) first, then a subject too often on a day and a
// day short of its share, then the rest; the square of a day's lessons evens out the days.
constexpr int WFree = 60;   // a free slot before the day's last lesson
constexpr int WLoad = 2;    // times the square of a day's lessons
constexpr int WShort = 25;  // a lesson a day lacks of ⌊lessons / days⌋
constexpr int WRepeat = 30; // a lesson of a subject beyond its daily share
constexpr int WDouble = 6;  // a double period of the plan missing
constexpr int WPeriod = 1;  // a subject in one period on more than two days
constexpr int WPrefer = 4;  // a "尽量排" slot kept
constexpr int WGap = QualityWeights::TeacherGap;

struct Rng {
    uint64_t s;
    uint64_t next()
    {
        uint64_t z = (s += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    int below(int n) { return n <= 1 ? 0 : static_cast<int>(next() % static_cast<uint64_t>(n)); }
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }
};

class Improver {
public:
    Improver(DataSet& ds, const std::vector<ClassTable*>& scope, const std::vector<const LessonCell*>& pinned,
             uint64_t seed);

    long long run(long long budget, ProgressSink* sink, const std::atomic<bool>* stop, bool& stopped);
    int writeBack();
    void restore();
    bool empty() const { return pos_.empty(); }

private:
    struct Kind {
        int cls = 0, tid = -1, sid = -1, limit = 0, share = 1, doubles = 0;
        int venue = -1; // row of room_ holding its venue's use (limit in sidLimit_), -1 for none
        std::string subject;
    };
    struct Pos {
        int cls = 0, slot = 0;
        LessonCell* cell = nullptr;
        ClassTable* table = nullptr;
    };
    struct Change {
        int pos, from, to;
    };

    int& at(int cls, int slot) { return grid_[static_cast<std::size_t>(cls) * SlotCount + slot]; }
    int at(int cls, int slot) const { return grid_[static_cast<std::size_t>(cls) * SlotCount + slot]; }
    int posAt(int cls, int slot) const { return posAt_[static_cast<std::size_t>(cls) * SlotCount + slot]; }
    int tidOf(int u) const { return u >= 0 ? kinds_[u].tid : -1; }

    long long classDayCost(int cls, int d) const;
    long long kindCost(int u) const;
    long long teacherDayCost(int t, int d) const;
    long long clashCost(int t, int slot) const
    {
        const int n = occ_[static_cast<std::size_t>(t) * SlotCount + slot];
        return n >= 2 ? n : 0;
    }
    long long roomCost(int sid, int slot) const
    {
        const int over = room_[static_cast<std::size_t>(sid) * SlotCount + slot] - sidLimit_[sid];
        return over > 0 ? over : 0;
    }
    long long forbidden(int u, int slot) const { return u >= 0 ? forbid_[static_cast<std::size_t>(u) * SlotCount + slot] : 0; }
    long long preferred(int u, int slot) const { return u >= 0 ? prefer_[static_cast<std::size_t>(u) * SlotCount + slot] : 0; }
    void count(int pos, int u, int delta);
    // Applies the changes, returns the change of the cost, sets `hardDelta_` to the change of the hard
    // parts (the problems a move adds) and keeps the new values of the parts it touched for commit().
    long long evaluate();
    void commit();
    void revert();
    bool addSwap(int i, int j);
    bool buildChain(int cls, int s1, int s2);
    long long total() const { return total_; }
    void snapshot();

    DataSet& ds_;
    GridShape g_;
    Rng rng_;
    int C_ = 0;
    std::vector<Kind> kinds_;
    std::vector<Pos> pos_;
    std::vector<int> grid_, posAt_;
    std::vector<std::vector<int>> classPositions_;
    std::vector<unsigned char> forbid_, prefer_, daytime_;
    std::vector<int16_t> occ_, room_, dayCnt_, perCnt_, classDay_;
    std::vector<int> sidLimit_, floorShare_;
    std::vector<std::vector<int>> teacherClasses_;
    std::unordered_map<std::string, int> teacherIds_, subjectIds_;
    // cached parts
    std::vector<long long> cdCost_, kCost_, tdCost_;
    long long total_ = 0;
    long long hardDelta_ = 0;
    bool tracking_ = false; // whether every new best timetable is kept (not while descending)
    // the move being evaluated
    std::vector<Change> changes_;
    struct Part {
        int type, index;
        long long before, after;
    };
    std::vector<Part> parts_;
    std::vector<int> cdStamp_, kStamp_, tdStamp_, tsStamp_, rsStamp_;
    int stamp_ = 0;
    // chains
    std::vector<int> chain_, chainMark_;
    int chainStamp_ = 0;
    // the best timetable found (content of every position)
    std::vector<int> best_;
    long long bestTotal_ = 0;
    std::vector<std::string> oldSubject_, oldTeacher_;
    std::vector<TeacherInfoRecord*> touched_;
    std::vector<int> written_;
};

Improver::Improver(DataSet& ds, const std::vector<ClassTable*>& scope, const std::vector<const LessonCell*>& pinned,
                   uint64_t seed)
    : ds_(ds), g_(GridShape::of(ds)), rng_{seed}, C_(static_cast<int>(scope.size()))
{
    const std::unordered_set<const LessonCell*> pinnedSet(pinned.begin(), pinned.end());
    const VenueMap venues(ds);
    daytime_.assign(MaxPeriodRows, 0);
    for (int p = 0; p < g_.T; ++p)
        daytime_[p] = p >= g_.L && p < g_.eveningStart();
    auto teacherId = [&](const std::string& name) {
        return teacherIds_.try_emplace(name, static_cast<int>(teacherIds_.size())).first->second;
    };
    auto subjectId = [&](const std::string& name) {
        auto [it, inserted] = subjectIds_.try_emplace(name, static_cast<int>(subjectIds_.size()));
        if (inserted) {
            int limit = 0;
            for (const auto& s : ds_.subjects)
                if (s->name == name) {
                    limit = std::max(0, s->sameSubjectLimit);
                    break;
                }
            sidLimit_.push_back(limit);
        }
        return it->second;
    };

    grid_.assign(static_cast<std::size_t>(C_) * SlotCount, Blocked);
    posAt_.assign(static_cast<std::size_t>(C_) * SlotCount, -1);
    classPositions_.resize(C_);
    std::vector<int> firstKind(C_ + 1, 0);
    for (int k = 0; k < C_; ++k) {
        ClassTable& c = *scope[k];
        firstKind[k] = static_cast<int>(kinds_.size());
        for (const auto& a : c.assignments) {
            if (!isLesson(a->subject))
                continue;
            bool seen = false;
            for (int u = firstKind[k]; u < static_cast<int>(kinds_.size()); ++u)
                seen = seen || kinds_[u].subject == a->subject;
            if (seen)
                continue;
            Kind kd;
            kd.cls = k;
            kd.subject = a->subject;
            kd.sid = subjectId(a->subject);
            kd.limit = sidLimit_[kd.sid];
            kd.tid = names::exemptTeacher(a->teacher) ? -1 : teacherId(a->teacher);
            kd.share = dailyShare(a->weeklyLessons, g_.D);
            kd.doubles = std::max(0, a->doubleCount);
            kd.venue = venues.venueOf(c.name, a->subject);
            kinds_.push_back(kd);
        }
        auto kindOf = [&](const std::string& subject) {
            for (int u = firstKind[k]; u < static_cast<int>(kinds_.size()); ++u)
                if (kinds_[u].subject == subject)
                    return u;
            return -1;
        };
        int lessons = 0;
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d) {
                LessonCell& cell = c.cells[p][d];
                const int slot = p * DayColumns + d;
                if (!c.commonPeriods[p][d].empty()) {
                    at(k, slot) = isLesson(cell.subject) ? Other : Blocked;
                    lessons += isLesson(cell.subject);
                    continue;
                }
                const int u = isLesson(cell.subject) ? kindOf(cell.subject) : Free;
                at(k, slot) = isLesson(cell.subject) && u < 0 ? Other : u;
                lessons += isLesson(cell.subject);
                bool fixed = pinnedSet.count(&cell) || cell.markFlag == 1 || (isLesson(cell.subject) && u < 0);
                for (const std::string& must : subjectsWithRule(cell, GBK("一定排")))
                    fixed = fixed || kindOf(must) >= 0;
                if (fixed)
                    continue;
                Pos ps;
                ps.cls = k;
                ps.slot = slot;
                ps.cell = &cell;
                ps.table = &c;
                posAt_[static_cast<std::size_t>(k) * SlotCount + slot] = static_cast<int>(pos_.size());
                classPositions_[k].push_back(static_cast<int>(pos_.size()));
                pos_.push_back(ps);
            }
        floorShare_.push_back(g_.D > 0 ? lessons / g_.D : 0);
    }
    firstKind[C_] = static_cast<int>(kinds_.size());

    // what a kind may not take, and the slots it should
    const int K = static_cast<int>(kinds_.size());
    forbid_.assign(static_cast<std::size_t>(K) * SlotCount, 0);
    prefer_.assign(static_cast<std::size_t>(K) * SlotCount, 0);
    for (int u = 0; u < K; ++u) {
        const Kind& kd = kinds_[u];
        const ClassTable& c = *scope[kd.cls];
        const std::string teacher = c.teacherForSubject(kd.subject);
        const bool zao = names::hasZao(kd.subject), wan = names::hasWan(kd.subject);
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d) {
                const LessonCell& cell = c.cells[p][d];
                const std::size_t x = static_cast<std::size_t>(u) * SlotCount + p * DayColumns + d;
                const std::string rule = ClassTable::cellRule(cell, kd.subject);
                forbid_[x] = g_.timeMismatch(zao, wan, p) || rule == GBK("不排") ||
                             ds.teacherSlotValue(p, d, teacher) == GBK("不排") ||
                             (kd.venue >= 0 && venues.unavailable(kd.venue, p, d));
                prefer_[x] = rule == GBK("尽量排");
            }
    }

    // counters: every lesson of the school
    const int Tn = std::max<int>(1, static_cast<int>(teacherIds_.size()));
    const int Sn = std::max<int>(1, static_cast<int>(subjectIds_.size()));
    // venues count in the rows after the subjects', their capacities as the rows' limits
    sidLimit_.resize(Sn, 0);
    for (int v = 0; v < venues.count(); ++v)
        sidLimit_.push_back(venues.capacity(v));
    for (Kind& kd : kinds_)
        if (kd.venue >= 0)
            kd.venue += Sn;
    occ_.assign(static_cast<std::size_t>(Tn) * SlotCount, 0);
    room_.assign(static_cast<std::size_t>(Sn + venues.count()) * SlotCount, 0);
    dayCnt_.assign(static_cast<std::size_t>(K) * DayColumns + 1, 0);
    perCnt_.assign(static_cast<std::size_t>(K) * MaxPeriodRows + 1, 0);
    classDay_.assign(static_cast<std::size_t>(C_) * DayColumns + 1, 0);
    std::unordered_map<const ClassTable*, int> scopeIndex;
    for (int k = 0; k < C_; ++k)
        scopeIndex.emplace(scope[k], k);
    for (const auto& grade : ds.grades)
        for (const auto& c : grade->classes) {
            auto si = scopeIndex.find(c.get());
            for (int p = 0; p < g_.T; ++p)
                for (int d = 0; d < g_.D; ++d) {
                    const LessonCell& cell = c->cells[p][d];
                    const int slot = p * DayColumns + d;
                    if (si != scopeIndex.end() && posAt(si->second, slot) >= 0)
                        continue; // counted below through its kind
                    if (!names::exemptTeacher(cell.teacher)) {
                        auto t = teacherIds_.find(cell.teacher);
                        if (t != teacherIds_.end())
                            ++occ_[static_cast<std::size_t>(t->second) * SlotCount + slot];
                    }
                    if (!isLesson(cell.subject))
                        continue;
                    auto s = subjectIds_.find(cell.subject);
                    if (s != subjectIds_.end() && sidLimit_[s->second] > 0)
                        ++room_[static_cast<std::size_t>(s->second) * SlotCount + slot];
                    if (const int v = venues.venueOf(c->name, cell.subject); v >= 0)
                        ++room_[static_cast<std::size_t>(Sn + v) * SlotCount + slot];
                    if (si != scopeIndex.end()) {
                        ++classDay_[si->second * DayColumns + d];
                        const int u = at(si->second, slot);
                        if (u >= 0) {
                            ++dayCnt_[u * DayColumns + d];
                            ++perCnt_[u * MaxPeriodRows + p];
                        }
                    }
                }
        }
    for (std::size_t i = 0; i < pos_.size(); ++i) {
        const int u = at(pos_[i].cls, pos_[i].slot);
        if (u >= 0)
            count(static_cast<int>(i), u, +1);
        oldSubject_.push_back(pos_[i].cell->subject);
        oldTeacher_.push_back(pos_[i].cell->teacher);
    }
    teacherClasses_.assign(teacherIds_.size(), {});
    for (const Kind& kd : kinds_)
        if (kd.tid >= 0 && (teacherClasses_[kd.tid].empty() || teacherClasses_[kd.tid].back() != kd.cls))
            teacherClasses_[kd.tid].push_back(kd.cls);
    chainMark_.assign(C_, 0);

    // the parts' costs
    cdCost_.assign(static_cast<std::size_t>(C_) * DayColumns, 0);
    kCost_.assign(K, 0);
    tdCost_.assign(static_cast<std::size_t>(Tn) * DayColumns, 0);
    for (int k = 0; k < C_; ++k)
        for (int d = 0; d < g_.D; ++d)
            total_ += cdCost_[k * DayColumns + d] = classDayCost(k, d);
    for (int u = 0; u < K; ++u)
        total_ += kCost_[u] = kindCost(u);
    for (int t = 0; t < static_cast<int>(teacherIds_.size()); ++t)
        for (int d = 0; d < g_.D; ++d)
            total_ += tdCost_[t * DayColumns + d] = teacherDayCost(t, d);
    for (std::size_t i = 0; i < pos_.size(); ++i)
        total_ -= WPrefer * preferred(at(pos_[i].cls, pos_[i].slot), pos_[i].slot);
    cdStamp_.assign(cdCost_.size(), 0);
    kStamp_.assign(K + 1, 0);
    tdStamp_.assign(tdCost_.size(), 0);
    tsStamp_.assign(occ_.size(), 0);
    rsStamp_.assign(room_.size(), 0);
    snapshot();
}

void Improver::count(int pos, int u, int delta)
{
    const Kind& kd = kinds_[u];
    const int slot = pos_[pos].slot;
    const int p = slot / DayColumns, d = slot % DayColumns;
    if (kd.tid >= 0)
        occ_[static_cast<std::size_t>(kd.tid) * SlotCount + slot] += delta;
    if (kd.limit > 0)
        room_[static_cast<std::size_t>(kd.sid) * SlotCount + slot] += delta;
    if (kd.venue >= 0)
        room_[static_cast<std::size_t>(kd.venue) * SlotCount + slot] += delta;
    dayCnt_[u * DayColumns + d] += delta;
    perCnt_[u * MaxPeriodRows + p] += delta;
    classDay_[pos_[pos].cls * DayColumns + d] += delta;
}

long long Improver::classDayCost(int k, int d) const
{
    int last = -1;
    for (int p = g_.T - 1; p >= 0 && last < 0; --p)
        if (const int v = at(k, p * DayColumns + d); v >= 0 || v == Other)
            last = p;
    int frees = 0;
    for (int p = 0; p < last; ++p)
        frees += at(k, p * DayColumns + d) == Free;
    const int n = classDay_[k * DayColumns + d];
    return static_cast<long long>(WFree) * frees + static_cast<long long>(WLoad) * n * n +
           static_cast<long long>(WShort) * std::max(0, floorShare_[k] - n);
}

long long Improver::kindCost(int u) const
{
    const Kind& kd = kinds_[u];
    long long cost = 0;
    int pairDays = 0, allowance = kd.doubles;
    for (int d = 0; d < g_.D; ++d) {
        const int n = dayCnt_[u * DayColumns + d];
        bool pair = false;
        if (n >= 2)
            for (int p = 0; p + 1 < g_.T && !pair; ++p)
                pair = !g_.straddles(p) && at(kd.cls, p * DayColumns + d) == u && at(kd.cls, (p + 1) * DayColumns + d) == u;
        pairDays += pair;
        int excess = n - kd.share;
        if (excess > 0 && pair && allowance > 0) {
            --allowance;
            --excess;
        }
        if (excess > 0)
            cost += static_cast<long long>(WRepeat) * excess;
    }
    if (kd.doubles > pairDays)
        cost += static_cast<long long>(WDouble) * (kd.doubles - pairDays);
    for (int p = 0; p < g_.T; ++p)
        cost += WPeriod * std::max(0, perCnt_[u * MaxPeriodRows + p] - 2);
    return cost;
}

long long Improver::teacherDayCost(int t, int d) const
{
    int first = -1, last = -1, n = 0;
    for (int p = 0; p < g_.T; ++p)
        if (occ_[static_cast<std::size_t>(t) * SlotCount + p * DayColumns + d] > 0) {
            if (first < 0)
                first = p;
            last = p;
            ++n;
        }
    return first < 0 ? 0 : static_cast<long long>(WGap) * (last - first + 1 - n);
}

long long Improver::evaluate()
{
    ++stamp_;
    parts_.clear();
    enum { CD, KD, TD, TS, RS };
    auto note = [&](int type, int index) {
        std::vector<int>& st = type == CD ? cdStamp_ : type == KD ? kStamp_ : type == TD ? tdStamp_ : type == TS ? tsStamp_ : rsStamp_;
        if (st[index] == stamp_)
            return;
        st[index] = stamp_;
        long long before = 0;
        switch (type) {
        case CD: before = cdCost_[index]; break;
        case KD: before = kCost_[index]; break;
        case TD: before = tdCost_[index]; break;
        case TS: before = clashCost(index / SlotCount, index % SlotCount); break;
        default: before = roomCost(index / SlotCount, index % SlotCount); break;
        }
        parts_.push_back({type, index, before, 0});
    };
    long long delta = 0, hard = 0;
    for (const Change& ch : changes_) {
        const Pos& ps = pos_[ch.pos];
        const int d = ps.slot % DayColumns, p = ps.slot / DayColumns;
        note(CD, ps.cls * DayColumns + d);
        for (int u : {ch.from, ch.to}) {
            if (u < 0)
                continue;
            const Kind& kd = kinds_[u];
            note(KD, u);
            if (kd.tid >= 0) {
                note(TD, kd.tid * DayColumns + d);
                if (daytime_[p])
                    note(TS, kd.tid * SlotCount + ps.slot);
            }
            if (kd.limit > 0)
                note(RS, kd.sid * SlotCount + ps.slot);
            if (kd.venue >= 0)
                note(RS, kd.venue * SlotCount + ps.slot);
        }
        hard += forbidden(ch.to, ps.slot) - forbidden(ch.from, ps.slot);
        delta -= WPrefer * (preferred(ch.to, ps.slot) - preferred(ch.from, ps.slot));
    }
    for (const Change& ch : changes_) {
        if (ch.from >= 0)
            count(ch.pos, ch.from, -1);
        at(pos_[ch.pos].cls, pos_[ch.pos].slot) = ch.to;
        if (ch.to >= 0)
            count(ch.pos, ch.to, +1);
    }
    for (Part& pt : parts_) {
        switch (pt.type) {
        case CD: pt.after = classDayCost(pt.index / DayColumns, pt.index % DayColumns); break;
        case KD: pt.after = kindCost(pt.index); break;
        case TD: pt.after = teacherDayCost(pt.index / DayColumns, pt.index % DayColumns); break;
        case TS: pt.after = clashCost(pt.index / SlotCount, pt.index % SlotCount); break;
        default: pt.after = roomCost(pt.index / SlotCount, pt.index % SlotCount); break;
        }
        (pt.type >= TS ? hard : delta) += pt.after - pt.before;
    }
    hardDelta_ = hard;
    return delta + hard * HardWeight;
}

void Improver::commit()
{
    for (const Part& pt : parts_) {
        if (pt.type == 0)
            cdCost_[pt.index] = pt.after;
        else if (pt.type == 1)
            kCost_[pt.index] = pt.after;
        else if (pt.type == 2)
            tdCost_[pt.index] = pt.after;
    }
}

void Improver::revert()
{
    for (auto it = changes_.rbegin(); it != changes_.rend(); ++it) {
        if (it->to >= 0)
            count(it->pos, it->to, -1);
        at(pos_[it->pos].cls, pos_[it->pos].slot) = it->from;
        if (it->from >= 0)
            count(it->pos, it->from, +1);
    }
}

bool Improver::addSwap(int i, int j)
{
    const int a = at(pos_[i].cls, pos_[i].slot), b = at(pos_[j].cls, pos_[j].slot);
    if (a == b)
        return false;
    changes_.push_back({i, a, b});
    changes_.push_back({j, b, a});
    return true;
}

bool Improver::buildChain(int cls, int s1, int s2)
{
    constexpr std::size_t MaxChain = 16;
    ++chainStamp_;
    chain_.clear();
    chain_.push_back(cls);
    chainMark_[cls] = chainStamp_;
    for (std::size_t k = 0; k < chain_.size(); ++k) {
        const int x = chain_[k];
        if (posAt(x, s1) < 0 || posAt(x, s2) < 0)
            return false;
        for (int side = 0; side < 2; ++side) {
            const int from = side ? s2 : s1, to = side ? s1 : s2;
            const int t = tidOf(at(x, from));
            if (t < 0 || !daytime_[to / DayColumns])
                continue;
            for (int y : teacherClasses_[t]) {
                if (chainMark_[y] == chainStamp_ || tidOf(at(y, to)) != t)
                    continue;
                if (chain_.size() >= MaxChain)
                    return false;
                chainMark_[y] = chainStamp_;
                chain_.push_back(y);
            }
        }
    }
    return true;
}

void Improver::snapshot()
{
    best_.resize(pos_.size());
    for (std::size_t i = 0; i < pos_.size(); ++i)
        best_[i] = at(pos_[i].cls, pos_[i].slot);
    bestTotal_ = total_;
}

long long Improver::run(long long budget, ProgressSink* sink, const std::atomic<bool>* stop, bool& stopped)
{
    if (sink)
        sink->setRange(0, static_cast<int>(std::min<long long>(budget, INT32_MAX)));
    long long moves = 0;
    auto tick = [&] {
        ++moves;
        if ((moves & 1023) == 0) {
            if (sink)
                sink->setPosition(static_cast<int>(std::min<long long>(moves, INT32_MAX)));
            if (stop && stop->load(std::memory_order_relaxed))
                stopped = true;
        }
        return moves < budget && !stopped;
    };
    // Tries the move in changes_: kept when `accept` says so for its cost change (which never takes
    // a move that adds to the hard parts).
    auto attempt = [&](auto accept) {
        const long long delta = evaluate();
        if (hardDelta_ <= 0 && accept(delta)) {
            commit();
            total_ += delta;
            if (tracking_ && total_ < bestTotal_)
                snapshot();
            return true;
        }
        revert();
        return false;
    };
    // One move between positions i and j of a class: their swap, or when that puts a teacher into two
    // places at once, the swap of the two slots along the chain of classes the teachers link.
    auto tryPair = [&](int i, int j, auto accept) {
        changes_.clear();
        if (!addSwap(i, j))
            return false;
        if (attempt(accept))
            return true;
        if (hardDelta_ <= 0)
            return false; // no teacher in two places: a chain would not do better
        const int s1 = pos_[i].slot, s2 = pos_[j].slot;
        if (!buildChain(pos_[i].cls, s1, s2) || chain_.size() < 2)
            return false;
        changes_.clear();
        for (int x : chain_)
            addSwap(posAt(x, s1), posAt(x, s2));
        return attempt(accept);
    };
    auto descend = [&] {
        bool improved = true;
        while (improved && !stopped && moves < budget) {
            improved = false;
            for (int k = 0; k < C_ && !stopped && moves < budget; ++k) {
                const auto& ps = classPositions_[k];
                for (std::size_t x = 0; x < ps.size() && moves < budget && !stopped; ++x)
                    for (std::size_t y = x + 1; y < ps.size(); ++y) {
                        if (at(k, pos_[ps[x]].slot) == at(k, pos_[ps[y]].slot))
                            continue;
                        if (tryPair(ps[x], ps[y], [](long long dl) { return dl < 0; }))
                            improved = true;
                        if (!tick())
                            break;
                    }
            }
        }
    };
    descend();
    snapshot();
    tracking_ = true;
    // Then a cooling walk over random moves from the best timetable, and a last descent from its best.
    const long long walk = budget - moves;
    if (walk > 0 && !stopped && total_ > 0) {
        const double t0 = 6.0, t1 = 0.3;
        const long long start = moves;
        std::vector<int> classes;
        for (int k = 0; k < C_; ++k)
            if (classPositions_[k].size() >= 2)
                classes.push_back(k);
        const long long walkBudget = start + walk * 3 / 4;
        while (!classes.empty() && moves < walkBudget && !stopped) {
            const double f = static_cast<double>(moves - start) / static_cast<double>(walkBudget - start);
            const double temp = t0 * std::pow(t1 / t0, f);
            const auto& ps = classPositions_[classes[rng_.below(static_cast<int>(classes.size()))]];
            const int i = ps[rng_.below(static_cast<int>(ps.size()))], j = ps[rng_.below(static_cast<int>(ps.size()))];
            if (i != j)
                tryPair(i, j, [&](long long dl) { return dl <= 0 || rng_.unit() < std::exp(-static_cast<double>(dl) / temp); });
            tick();
        }
        if (bestTotal_ < total_) {
            // back to the best timetable of the walk
            changes_.clear();
            for (std::size_t i = 0; i < pos_.size(); ++i) {
                const int now = at(pos_[i].cls, pos_[i].slot);
                if (now != best_[i])
                    changes_.push_back({static_cast<int>(i), now, best_[i]});
            }
            total_ += evaluate();
            commit();
        }
        tracking_ = false;
        descend();
    }
    snapshot();
    if (sink)
        sink->setPosition(static_cast<int>(std::min<long long>(budget, INT32_MAX)));
    return moves;
}

int Improver::writeBack()
{
    written_.clear();
    for (std::size_t i = 0; i < pos_.size(); ++i) {
        LessonCell* cell = pos_[i].cell;
        const int u = best_[i];
        const std::string want = u >= 0 ? kinds_[u].subject : (oldSubject_[i].empty() ? std::string() : names::emptyMarker());
        if (cell->subject == want)
            continue;
        const std::string before = cell->teacher;
        pos_[i].table->setCellSubject(*cell, want);
        written_.push_back(static_cast<int>(i));
        TeacherInfoRecord* from = before.empty() ? nullptr : ds_.findTeacher(before);
        if (!(from && from->removeLesson(cell)))
            for (auto& t : ds_.teachers)
                if (t->removeLesson(cell)) {
                    from = t.get();
                    break;
                }
        if (from)
            touched_.push_back(from);
        if (TeacherInfoRecord* to = cell->teacher.empty() ? nullptr : ds_.findTeacher(cell->teacher)) {
            to->lessons.push_back(cell);
            touched_.push_back(to);
        }
    }
    std::sort(touched_.begin(), touched_.end());
    touched_.erase(std::unique(touched_.begin(), touched_.end()), touched_.end());
    for (TeacherInfoRecord* t : touched_)
        t->rebuildSlotTexts();
    return static_cast<int>(written_.size());
}

void Improver::restore()
{
    touched_.clear();
    for (int i : written_) {
        LessonCell* cell = pos_[i].cell;
        const std::string before = cell->teacher;
        cell->subject = oldSubject_[i];
        cell->teacher = oldTeacher_[i];
        if (TeacherInfoRecord* from = before.empty() ? nullptr : ds_.findTeacher(before))
            if (from->removeLesson(cell))
                touched_.push_back(from);
        if (TeacherInfoRecord* to = cell->teacher.empty() ? nullptr : ds_.findTeacher(cell->teacher)) {
            to->lessons.push_back(cell);
            touched_.push_back(to);
        }
    }
    std::sort(touched_.begin(), touched_.end());
    touched_.erase(std::unique(touched_.begin(), touched_.end()), touched_.end());
    for (TeacherInfoRecord* t : touched_)
        t->rebuildSlotTexts();
}

} // namespace

QualityReport MeasureQuality(const DataSet& ds)
{
    std::vector<const ClassTable*> all;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            all.push_back(c.get());
    return MeasureQuality(ds, all);
}

QualityReport MeasureQuality(const DataSet& ds, const std::vector<const ClassTable*>& classes)
{
    const GridShape g = GridShape::of(ds);
    QualityReport r;
    std::map<std::string, std::vector<uint16_t>> busy; // teacher → periods taught, a bit mask per day
    std::unordered_set<std::string> measured;
    for (std::size_t gi = 0; gi < ds.grades.size(); ++gi)
        for (std::size_t ci = 0; ci < ds.grades[gi]->classes.size(); ++ci) {
            const ClassTable& c = *ds.grades[gi]->classes[ci];
            const bool in = std::find(classes.begin(), classes.end(), &c) != classes.end();
            for (int p = 0; p < g.T; ++p)
                for (int d = 0; d < g.D; ++d) {
                    const LessonCell& cell = c.cells[p][d];
                    if (!isLesson(cell.subject) || names::exemptTeacher(cell.teacher))
                        continue;
                    auto& days = busy[cell.teacher];
                    days.resize(DayColumns, 0);
                    days[d] |= static_cast<uint16_t>(1u << p);
                    if (in)
                        measured.insert(cell.teacher);
                }
            if (!in)
                continue;
            ClassQuality q;
            q.gradeIndex = static_cast<int>(gi);
            q.classIndex = static_cast<int>(ci);
            q.className = c.name;
            q.lessonsPerDay.assign(g.D, 0);
            std::map<std::string, std::vector<int>> perDay;
            std::vector<std::string> order;
            for (int d = 0; d < g.D; ++d) {
                int first = -1, last = -1;
                for (int p = 0; p < g.T; ++p) {
                    const LessonCell& cell = c.cells[p][d];
                    if (!isLesson(cell.subject))
                        continue;
                    ++q.lessonsPerDay[d];
                    if (first < 0)
                        first = p;
                    last = p;
                    auto [it, added] = perDay.try_emplace(cell.subject, std::vector<int>(g.D, 0));
                    if (added)
                        order.push_back(cell.subject);
                    ++it->second[d];
                }
                for (int p = first + 1; first >= 0 && p < last; ++p)
                    q.holes += !isLesson(c.cells[p][d].subject) && c.commonPeriods[p][d].empty();
            }
            for (const std::string& s : order) {
                const TeachingAssignment* a = c.FindAssignment(s);
                int n = 0;
                for (int x : perDay[s])
                    n += x;
                const int share = dailyShare(a ? a->weeklyLessons : n, g.D);
                for (int x : perDay[s])
                    q.repeats += std::max(0, x - share);
            }
            for (int p = 0; p < g.T; ++p)
                for (int d = 0; d < g.D; ++d) {
                    const LessonCell& cell = c.cells[p][d];
                    if (!c.commonPeriods[p][d].empty())
                        continue;
                    for (const std::string& s : subjectsWithRule(cell, GBK("尽量排")))
                        q.preferMissed += s != cell.subject && c.FindAssignment(s) != nullptr;
                }
            int lessons = 0;
            for (int n : q.lessonsPerDay)
                lessons += n;
            for (int n : q.lessonsPerDay)
                q.shortDays += g.D > 0 ? std::max(0, lessons / g.D - n) : 0;
            r.holes += q.holes;
            r.repeats += q.repeats;
            r.preferMissed += q.preferMissed;
            r.shortDays += q.shortDays;
            r.classes.push_back(std::move(q));
        }
    std::unordered_set<std::string> listed;
    for (const auto& t : ds.teachers) {
        if (!measured.count(t->name) || !listed.insert(t->name).second)
            continue;
        TeacherQuality q;
        q.teacher = t->name;
        for (uint16_t m : busy[t->name]) {
            if (!m)
                continue;
            int first = 0, last = 15;
            while (!(m & (1u << first)))
                ++first;
            while (!(m & (1u << last)))
                --last;
            q.gaps += last - first + 1 - std::popcount(static_cast<unsigned>(m));
        }
        r.teacherGaps += q.gaps;
        r.teachers.push_back(std::move(q));
    }
    r.score = static_cast<long long>(QualityWeights::Hole) * r.holes +
              static_cast<long long>(QualityWeights::ShortDay) * r.shortDays +
              static_cast<long long>(QualityWeights::Repeat) * r.repeats +
              static_cast<long long>(QualityWeights::PreferMissed) * r.preferMissed +
              static_cast<long long>(QualityWeights::TeacherGap) * r.teacherGaps;
    return r;
}

QualityPhase::QualityPhase(DataSet& dataSet, std::vector<ClassTable*> scope, std::vector<const LessonCell*> pinned)
    : dataSet_(dataSet), scope_(std::move(scope)), pinned_(std::move(pinned))
{
}

QualityResult QualityPhase::Run(ProgressSink* sink, const std::atomic<bool>* stop)
{
    QualityResult r;
    const std::vector<const ClassTable*> classes(scope_.begin(), scope_.end());
    r.scoreBefore = r.scoreAfter = MeasureQuality(dataSet_, classes).score;
    Improver improver(dataSet_, scope_, pinned_, seed);
    if (scope_.empty() || improver.empty()) {
        if (sink) {
            sink->setRange(0, 1);
            sink->setPosition(1);
        }
        return r;
    }
    long long cells = 0;
    for (const ClassTable* c : scope_)
        cells += c ? static_cast<long long>(GridShape::of(dataSet_).T) * GridShape::of(dataSet_).D : 0;
    // 300 moves a cell, at most 500,000: a school of 6 x 16 classes takes well under a second
    const long long budget = effort > 0 ? effort : std::clamp<long long>(300 * cells, 50000, 500000);
    const int problemsBefore = problemCount(dataSet_, scope_);
    r.moves = improver.run(budget, sink, stop, r.stopped);
    if (improver.writeBack() == 0)
        return r;
    const long long after = MeasureQuality(dataSet_, classes).score;
    if (problemCount(dataSet_, scope_) > problemsBefore || after > r.scoreBefore) {
        improver.restore();
        return r;
    }
    for (ClassTable* c : scope_)
        c->RecountPlaced();
    r.kept = true;
    r.scoreAfter = after;
    return r;
}

} // namespace tabrel
