#include "scheduling/CompletionPhase.h"

#include <algorithm>
#include <string>
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
constexpr int PoolSlot = SlotCount;                     // where the lessons wait that no cell can take
constexpr long long HardWeight = 1000;                  // one problem outweighs every spread term

bool isLesson(const std::string& s) { return !s.empty() && s != names::emptyMarker(); }

// splitmix64: the phase's own deterministic random choices.
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
};

int countProblems(const DataSet& ds, const std::vector<ClassTable*>& scope, int* unplaced)
{
    const std::vector<const ClassTable*> classes(scope.begin(), scope.end());
    const auto problems = CheckTimetable(ds, classes);
    if (unplaced) {
        long long n = 0;
        for (const auto& p : problems)
            if (p.kind == ProblemKind::Unplaced)
                n += p.count;
        *unplaced = static_cast<int>(std::min<long long>(n, INT32_MAX));
    }
    return static_cast<int>(problems.size());
}

// The scope as integer tables: lesson kinds (a subject of a class), the cells they may move between,
// and the counters every cost reads. The cost of a timetable is, per lesson, its problems (a slot it
// may not take, another lesson of its teacher in the slot, a room limit reached, its venue full or
// closed there) times HardWeight, plus
// the spread terms of the cell fitness check (the subject too often on a day or in one period).
class Solver {
public:
    Solver(DataSet& ds, const std::vector<ClassTable*>& scope, const std::vector<const LessonCell*>& pinned,
           uint64_t seed);

    long long search(long long budget, ProgressSink* sink, const std::atomic<bool>* stop, bool& stopped);
    // Writes the best timetable found into the cells; returns the cells changed.
    int writeBack();
    // Puts the cells back as they were before writeBack.
    void restore();

private:
    struct Kind {
        int cls = 0, sid = -1, tid = -1, limit = 0, allowed = 1;
        int venue = -1; // row of room_ holding its venue's use, -1 for none
        std::string subject;
    };
    struct Pos {
        int cls = 0, slot = PoolSlot;
        LessonCell* cell = nullptr;
    };
    struct Cls {
        int begin = 0, end = 0;
        ClassTable* table = nullptr;
    };

    int teacherId(const std::string& name);
    int subjectId(const std::string& name);
    void change(int u, int pos, int delta);
    long long addCost(int u, int pos) const;
    long long add(int u, int pos)
    {
        const long long c = addCost(u, pos);
        change(u, pos, +1);
        return c;
    }
    long long remove(int u, int pos)
    {
        change(u, pos, -1);
        return addCost(u, pos);
    }
    long long costAt(int pos)
    {
        const int u = content_[pos];
        if (u < 0)
            return 0;
        const long long c = remove(u, pos);
        change(u, pos, +1);
        return c;
    }
    long long swapDelta(int i, int j);
    void applySwap(int i, int j);
    // The classes that must swap slots s1 and s2 together with class `cls` so that no teacher of a
    // lesson that moves meets another of his lessons: the chain grows through the teachers' classes.
    // False when it grows too long.
    bool buildChain(int cls, int s1, int s2);
    long long chainDelta(int s1, int s2);
    void applyChain(int s1, int s2);
    // A free position on a slot whose "一定排" subject the phase could place there is a problem.
    long long emptyCost(int pos) const { return pos_[pos].slot != PoolSlot && mustKind_[pos] >= 0 ? HardWeight : 0; }
    int posAt(int cls, int slot) const { return posAt_[static_cast<std::size_t>(cls) * SlotCount + slot]; }
    void relink(LessonCell& cell, const std::string& oldTeacher);

    DataSet& ds_;
    GridShape g_;
    Rng rng_;
    std::vector<Kind> kinds_;
    std::vector<unsigned char> forbid_; // [kind * SlotCount + slot]
    std::vector<Pos> pos_;
    std::vector<Cls> cls_;
    std::vector<int> content_, best_;   // kind at every position, -1 for none
    std::vector<int> mustKind_;         // the kind a position's "一定排" rule asks for, -1 for none
    std::vector<int> posAt_;            // [class * SlotCount + slot] the position there, -1 for none
    std::vector<std::vector<int>> teacherClasses_; // classes of the scope each teacher teaches in
    std::vector<int> chain_, chainMark_;
    int chainStamp_ = 0;
    std::vector<int16_t> occ_;          // [teacher * SlotCount + slot] lessons of the teacher
    std::vector<int16_t> room_;         // [subject * SlotCount + slot] classes with the subject
    std::vector<int16_t> dayCnt_;       // [kind * DayColumns + day]
    std::vector<int16_t> perCnt_;       // [kind * MaxPeriodRows + period]
    std::vector<unsigned char> daytime_;
    std::unordered_map<std::string, int> teacherIds_, subjectIds_;
    std::vector<int> subjectLimit_;
    VenueMap venues_;
    int venueRow_ = 0; // the first row of room_ that counts a venue's use
    long long total_ = 0;
    // the cells as they were, for restore()
    std::vector<std::string> oldSubject_, oldTeacher_;
    std::vector<TeacherInfoRecord*> touched_;
};

int Solver::teacherId(const std::string& name)
{
    auto [it, inserted] = teacherIds_.try_emplace(name, static_cast<int>(teacherIds_.size()));
    return it->second;
}

int Solver::subjectId(const std::string& name)
{
    auto [it, inserted] = subjectIds_.try_emplace(name, static_cast<int>(subjectIds_.size()));
    if (inserted) {
        int limit = 0;
        for (const auto& s : ds_.subjects)
            if (s->name == name) {
                limit = std::max(0, s->sameSubjectLimit);
                break;
            }
        subjectLimit_.push_back(limit);
    }
    return it->second;
}

Solver::Solver(DataSet& ds, const std::vector<ClassTable*>& scope, const std::vector<const LessonCell*>& pinned,
               uint64_t seed)
    : ds_(ds), g_(GridShape::of(ds)), rng_{seed}, venues_(ds)
{
    const std::unordered_set<const LessonCell*> pinnedSet(pinned.begin(), pinned.end());
    const std::unordered_set<const ClassTable*> inScope(scope.begin(), scope.end());
    daytime_.assign(MaxPeriodRows, 0);
    for (int p = 0; p < g_.T; ++p)
        daytime_[p] = p >= g_.L && p < g_.eveningStart();

    // ---- the lesson kinds of every class and the cells they may take
    std::vector<std::vector<int>> need; // per class: lessons of each kind to place
    std::vector<std::vector<LessonCell*>> moving(scope.size());
    for (std::size_t k = 0; k < scope.size(); ++k) {
        ClassTable& c = *scope[k];
        Cls cl;
        cl.table = &c;
        const int firstKind = static_cast<int>(kinds_.size());
        std::vector<int> left;
        for (const auto& a : c.assignments) {
            if (!isLesson(a->subject))
                continue;
            bool seen = false;
            for (int u = firstKind; u < static_cast<int>(kinds_.size()); ++u)
                seen = seen || kinds_[u].subject == a->subject;
            if (seen)
                continue;
            Kind kd;
            kd.cls = static_cast<int>(k);
            kd.subject = a->subject;
            kd.sid = subjectId(a->subject);
            kd.limit = subjectLimit_[kd.sid];
            kd.tid = names::exemptTeacher(a->teacher) ? -1 : teacherId(a->teacher);
            kd.allowed = a->weeklyLessons > g_.D ? 2 : 1;
            kd.venue = venues_.venueOf(c.name, a->subject);
            kinds_.push_back(kd);
            // A class never holds more than SlotCount lessons of a kind: a larger count is unplaced
            // without being materialised.
            left.push_back(std::clamp(a->weeklyLessons, 0, SlotCount));
        }
        // The cells that may change: no common period, not pinned, and holding nothing, "empty" or a
        // lesson of the plan that still has lessons to place (anything else stays where it is).
        std::vector<int> held(left.size(), 0);
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d) {
                LessonCell& cell = c.cells[p][d];
                if (!isLesson(cell.subject))
                    continue;
                if (c.commonPeriods[p][d].empty() && !pinnedSet.count(&cell))
                    continue;
                for (std::size_t u = 0; u < left.size(); ++u)
                    if (kinds_[firstKind + u].subject == cell.subject)
                        ++held[u];
            }
        for (std::size_t u = 0; u < left.size(); ++u)
            left[u] = std::max(0, left[u] - held[u]);
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d) {
                LessonCell& cell = c.cells[p][d];
                if (!c.commonPeriods[p][d].empty() || pinnedSet.count(&cell))
                    continue;
                if (isLesson(cell.subject)) {
                    int u = -1;
                    for (std::size_t x = 0; x < left.size() && u < 0; ++x)
                        if (kinds_[firstKind + x].subject == cell.subject && left[x] > 0)
                            u = static_cast<int>(x);
                    if (u < 0)
                        continue; // a lesson the phase has no use for: it stays
                    --left[u];
                }
                moving[k].push_back(&cell);
            }
        need.push_back(left);
        cls_.push_back(cl);
    }

    // ---- positions: the movable cells of every class, then its waiting places
    std::vector<unsigned char> isPosition;
    std::unordered_set<const LessonCell*> positionSet;
    for (std::size_t k = 0; k < scope.size(); ++k) {
        Cls& cl = cls_[k];
        cl.begin = static_cast<int>(pos_.size());
        for (LessonCell* cell : moving[k]) {
            Pos ps;
            ps.cls = static_cast<int>(k);
            ps.slot = cell->period * DayColumns + cell->day;
            ps.cell = cell;
            pos_.push_back(ps);
            positionSet.insert(cell);
        }
        // The waiting places hold the lessons no free cell takes, at most as many as the class has
        // cells that may change: more could never all be placed, and the check counts them anyway.
        long long waiting = 0, free = 0;
        for (int n : need[k])
            waiting += n;
        for (LessonCell* cell : moving[k])
            free += !isLesson(cell->subject);
        const long long pool = std::clamp<long long>(waiting - free, 0, static_cast<long long>(moving[k].size()));
        for (long long x = 0; x < pool; ++x) {
            Pos ps;
            ps.cls = static_cast<int>(k);
            pos_.push_back(ps);
        }
        cl.end = static_cast<int>(pos_.size());
    }

    // ---- what a kind may not take
    const int K = static_cast<int>(kinds_.size());
    forbid_.assign(static_cast<std::size_t>(K) * SlotCount, 1);
    std::vector<int> firstKindOf(scope.size() + 1, K);
    for (int u = K - 1; u >= 0; --u)
        firstKindOf[kinds_[u].cls] = u;
    for (int u = 0; u < K; ++u) {
        const Kind& kd = kinds_[u];
        const ClassTable& c = *scope[kd.cls];
        const std::string teacher = c.teacherForSubject(kd.subject);
        const bool zao = names::hasZao(kd.subject), wan = names::hasWan(kd.subject);
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d) {
                bool bad = g_.timeMismatch(zao, wan, p);
                bad = bad || ClassTable::cellRule(c.cells[p][d], kd.subject) == GBK("不排");
                bad = bad || ds.teacherSlotValue(p, d, teacher) == GBK("不排");
                bad = bad || (kd.venue >= 0 && venues_.unavailable(kd.venue, p, d));
                // a slot that must hold another subject of the class takes no other lesson
                for (const std::string& must : MustSubjects(c.cells[p][d]))
                    for (int v = firstKindOf[kd.cls]; v < K && kinds_[v].cls == kd.cls && !bad; ++v)
                        bad = kinds_[v].subject == must && must != kd.subject;
                forbid_[static_cast<std::size_t>(u) * SlotCount + p * DayColumns + d] = bad ? 1 : 0;
            }
    }

    // ---- counters of everything that stays
    const int Tn = std::max<int>(1, static_cast<int>(teacherIds_.size()));
    const int Sn = std::max<int>(1, static_cast<int>(subjectIds_.size()));
    venueRow_ = Sn;
    for (Kind& kd : kinds_)
        if (kd.venue >= 0)
            kd.venue += venueRow_;
    occ_.assign(static_cast<std::size_t>(Tn) * SlotCount, 0);
    room_.assign(static_cast<std::size_t>(Sn + venues_.count()) * SlotCount, 0);
    dayCnt_.assign(static_cast<std::size_t>(K) * DayColumns + 1, 0);
    perCnt_.assign(static_cast<std::size_t>(K) * MaxPeriodRows + 1, 0);
    std::unordered_map<const ClassTable*, int> scopeIndex;
    for (std::size_t k = 0; k < scope.size(); ++k)
        scopeIndex.emplace(scope[k], static_cast<int>(k));
    for (const auto& grade : ds.grades)
        for (const auto& c : grade->classes) {
            auto si = scopeIndex.find(c.get());
            for (int p = 0; p < g_.T; ++p)
                for (int d = 0; d < g_.D; ++d) {
                    const LessonCell& cell = c->cells[p][d];
                    if (positionSet.count(&cell))
                        continue;
                    const int slot = p * DayColumns + d;
                    if (!names::exemptTeacher(cell.teacher)) {
                        auto t = teacherIds_.find(cell.teacher);
                        if (t != teacherIds_.end())
                            ++occ_[t->second * SlotCount + slot];
                    }
                    if (!isLesson(cell.subject))
                        continue;
                    auto s = subjectIds_.find(cell.subject);
                    if (s != subjectIds_.end() && subjectLimit_[s->second] > 0)
                        ++room_[s->second * SlotCount + slot];
                    if (const int v = venues_.venueOf(c->name, cell.subject); v >= 0)
                        ++room_[(venueRow_ + v) * SlotCount + slot];
                    if (si != scopeIndex.end())
                        for (int u = firstKindOf[si->second]; u < K && kinds_[u].cls == si->second; ++u)
                            if (kinds_[u].subject == cell.subject) {
                                ++dayCnt_[u * DayColumns + d];
                                ++perCnt_[u * MaxPeriodRows + p];
                                break;
                            }
                }
        }

    // ---- the timetable of the run, then the lessons it left, each where it costs least
    content_.assign(pos_.size(), -1);
    oldSubject_.resize(pos_.size());
    oldTeacher_.resize(pos_.size());
    for (std::size_t i = 0; i < pos_.size(); ++i) {
        if (!pos_[i].cell)
            continue;
        oldSubject_[i] = pos_[i].cell->subject;
        oldTeacher_[i] = pos_[i].cell->teacher;
        if (!isLesson(pos_[i].cell->subject))
            continue;
        const int k = pos_[i].cls;
        for (int u = firstKindOf[k]; u < K && kinds_[u].cls == k; ++u)
            if (kinds_[u].subject == pos_[i].cell->subject) {
                content_[i] = u;
                break;
            }
        total_ += add(content_[i], static_cast<int>(i));
    }
    // A lesson goes to the free cell where it costs least (the first of equal ones), or to the first
    // free waiting place when every free cell costs something: a waiting place costs nothing. The
    // waiting places fill in order, so the work follows the cells, not the counts.
    for (std::size_t k = 0; k < scope.size(); ++k) {
        const int cellsEnd = cls_[k].begin + static_cast<int>(moving[k].size());
        int nextWaiting = cellsEnd;
        for (std::size_t x = 0; x < need[k].size(); ++x) {
            const int u = firstKindOf[k] + static_cast<int>(x);
            for (int n = 0; n < need[k][x]; ++n) {
                int where = -1;
                long long cheapest = 0;
                for (int i = cls_[k].begin; i < cellsEnd; ++i) {
                    if (content_[i] >= 0)
                        continue;
                    const long long c = addCost(u, i);
                    if (where < 0 || c < cheapest) {
                        where = i;
                        cheapest = c;
                    }
                }
                if ((where < 0 || cheapest > 0) && nextWaiting < cls_[k].end)
                    where = nextWaiting++;
                if (where < 0)
                    break;
                content_[where] = u;
                total_ += add(u, where);
            }
        }
    }
    // every slot whose "一定排" subject has a lesson of the run to spare takes it
    mustKind_.assign(pos_.size(), -1);
    for (std::size_t i = 0; i < pos_.size(); ++i) {
        if (!pos_[i].cell)
            continue;
        const int k = pos_[i].cls;
        for (const std::string& must : MustSubjects(*pos_[i].cell))
            for (int u = firstKindOf[k]; u < K && kinds_[u].cls == k && mustKind_[i] < 0; ++u)
                if (kinds_[u].subject == must)
                    mustKind_[i] = u;
        if (mustKind_[i] >= 0 && content_[i] < 0)
            total_ += HardWeight;
    }
    for (std::size_t i = 0; i < pos_.size(); ++i) {
        const int m = mustKind_[i];
        if (m < 0 || content_[i] == m)
            continue;
        const Cls& cl = cls_[pos_[i].cls];
        for (int j = cl.begin; j < cl.end; ++j)
            if (content_[j] == m && mustKind_[j] != m) {
                applySwap(static_cast<int>(i), j);
                break;
            }
    }
    best_ = content_;
    posAt_.assign(scope.size() * SlotCount, -1);
    for (std::size_t i = 0; i < pos_.size(); ++i)
        if (pos_[i].slot != PoolSlot)
            posAt_[static_cast<std::size_t>(pos_[i].cls) * SlotCount + pos_[i].slot] = static_cast<int>(i);
    teacherClasses_.assign(teacherIds_.size(), {});
    for (const Kind& kd : kinds_)
        if (kd.tid >= 0 && (teacherClasses_[kd.tid].empty() || teacherClasses_[kd.tid].back() != kd.cls))
            teacherClasses_[kd.tid].push_back(kd.cls);
    chainMark_.assign(scope.size(), 0);
}

bool Solver::buildChain(int cls, int s1, int s2)
{
    constexpr std::size_t MaxChain = 24;
    ++chainStamp_;
    chain_.clear();
    chain_.push_back(cls);
    chainMark_[cls] = chainStamp_;
    for (std::size_t k = 0; k < chain_.size(); ++k) {
        const int x = chain_[k];
        for (int side = 0; side < 2; ++side) {
            const int from = side ? s2 : s1, to = side ? s1 : s2;
            const int p = posAt(x, from);
            if (p < 0 || posAt(x, to) < 0)
                return false;
            const int u = content_[p];
            if (u < 0 || kinds_[u].tid < 0 || !daytime_[to / DayColumns])
                continue;
            const int t = kinds_[u].tid;
            for (int y : teacherClasses_[t]) {
                if (chainMark_[y] == chainStamp_)
                    continue;
                const int q = posAt(y, to);
                if (q < 0 || content_[q] < 0 || kinds_[content_[q]].tid != t)
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

long long Solver::chainDelta(int s1, int s2)
{
    const long long before = total_;
    applyChain(s1, s2);
    const long long delta = total_ - before;
    applyChain(s1, s2);
    total_ = before;
    return delta;
}

void Solver::applyChain(int s1, int s2)
{
    for (int x : chain_) {
        const int i = posAt(x, s1), j = posAt(x, s2);
        if (content_[i] != content_[j])
            applySwap(i, j);
    }
}

void Solver::change(int u, int pos, int delta)
{
    const int slot = pos_[pos].slot;
    if (slot == PoolSlot)
        return;
    const Kind& kd = kinds_[u];
    const int p = slot / DayColumns, d = slot % DayColumns;
    if (kd.tid >= 0)
        occ_[kd.tid * SlotCount + slot] += delta;
    if (kd.limit > 0)
        room_[kd.sid * SlotCount + slot] += delta;
    if (kd.venue >= 0)
        room_[kd.venue * SlotCount + slot] += delta;
    dayCnt_[u * DayColumns + d] += delta;
    perCnt_[u * MaxPeriodRows + p] += delta;
}

long long Solver::addCost(int u, int pos) const
{
    const int slot = pos_[pos].slot;
    if (slot == PoolSlot)
        return 0;
    const Kind& kd = kinds_[u];
    const int p = slot / DayColumns, d = slot % DayColumns;
    long long hard = forbid_[static_cast<std::size_t>(u) * SlotCount + slot];
    if (kd.tid >= 0 && daytime_[p])
        hard += occ_[kd.tid * SlotCount + slot];
    if (kd.limit > 0 && room_[kd.sid * SlotCount + slot] >= kd.limit)
        ++hard;
    if (kd.venue >= 0 && room_[kd.venue * SlotCount + slot] >= venues_.capacity(kd.venue - venueRow_))
        ++hard;
    const int soft = (dayCnt_[u * DayColumns + d] >= kd.allowed) + (perCnt_[u * MaxPeriodRows + p] >= 3);
    return hard * HardWeight + soft;
}

long long Solver::swapDelta(int i, int j)
{
    const int a = content_[i], b = content_[j];
    long long delta = 0;
    if (a < 0)
        delta += emptyCost(j) - emptyCost(i);
    if (b < 0)
        delta += emptyCost(i) - emptyCost(j);
    if (a >= 0)
        delta -= remove(a, i);
    if (b >= 0)
        delta -= remove(b, j);
    if (a >= 0)
        delta += add(a, j);
    if (b >= 0)
        delta += add(b, i);
    if (b >= 0)
        change(b, i, -1);
    if (a >= 0)
        change(a, j, -1);
    if (b >= 0)
        change(b, j, +1);
    if (a >= 0)
        change(a, i, +1);
    return delta;
}

void Solver::applySwap(int i, int j)
{
    const int a = content_[i], b = content_[j];
    if (a < 0)
        total_ += emptyCost(j) - emptyCost(i);
    if (b < 0)
        total_ += emptyCost(i) - emptyCost(j);
    if (a >= 0)
        total_ -= remove(a, i);
    if (b >= 0)
        total_ -= remove(b, j);
    if (a >= 0)
        total_ += add(a, j);
    if (b >= 0)
        total_ += add(b, i);
    content_[i] = b;
    content_[j] = a;
}

long long Solver::search(long long budget, ProgressSink* sink, const std::atomic<bool>* stop, bool& stopped)
{
    const int n = static_cast<int>(pos_.size());
    const int K = static_cast<int>(kinds_.size());
    if (sink)
        sink->setRange(0, static_cast<int>(std::min<long long>(budget, INT32_MAX)));
    if (n == 0 || K == 0)
        return 0;
    std::vector<long long> tabu(static_cast<std::size_t>(K) * (SlotCount + 1), -1);
    std::vector<int> list;
    std::vector<unsigned char> listed(n, 0);
    long long bestTotal = total_;
    long long lastGain = 0;
    const long long stall = std::max<long long>(20000, 40LL * n);
    long long polish = -1; // moves left to improve the spread once no problem is left
    long long it = 0;
    bool hardMode = true;
    auto conflicted = [&](int i) {
        const long long c = costAt(i);
        return hardMode ? c >= HardWeight : c > 0;
    };
    auto rebuild = [&] {
        list.clear();
        std::fill(listed.begin(), listed.end(), 0);
        for (int i = 0; i < n; ++i)
            if (content_[i] >= 0 && conflicted(i)) {
                list.push_back(i);
                listed[i] = 1;
            }
    };
    rebuild();
    for (; it < budget; ++it) {
        if ((it & 255) == 0) {
            if (sink)
                sink->setPosition(static_cast<int>(std::min<long long>(it, INT32_MAX)));
            if (stop && stop->load(std::memory_order_relaxed)) {
                stopped = true;
                break;
            }
        }
        if (hardMode && total_ < HardWeight) {
            hardMode = false;
            polish = std::min<long long>(budget - it, 3LL * n);
            best_ = content_;
            bestTotal = total_;
            rebuild();
        }
        if (!hardMode && (polish-- <= 0 || total_ == 0))
            break;
        if (hardMode && it - lastGain > stall)
            break;
        int i = -1;
        while (i < 0) {
            if (list.empty()) {
                rebuild();
                if (list.empty())
                    break;
            }
            const int r = rng_.below(static_cast<int>(list.size()));
            const int cand = list[r];
            if (content_[cand] >= 0 && conflicted(cand)) {
                i = cand;
                break;
            }
            listed[cand] = 0;
            list[r] = list.back();
            list.pop_back();
        }
        if (i < 0)
            break;
        const Cls& cl = cls_[pos_[i].cls];
        const int a = content_[i];
        long long bestDelta = 0;
        int choice = -1, ties = 0;
        const unsigned char* fits = &forbid_[static_cast<std::size_t>(a) * SlotCount];
        const bool walk = hardMode && rng_.below(100) < 2; // now and then a random fitting move, out of a dead end
        for (int j = cl.begin; j < cl.end; ++j) {
            const int b = content_[j];
            if (j == i || b == a || (pos_[j].slot != PoolSlot && fits[pos_[j].slot]))
                continue;
            if (walk) {
                if (rng_.below(++ties) == 0)
                    choice = j;
                continue;
            }
            const long long delta = swapDelta(i, j);
            if (!hardMode && delta >= HardWeight / 2)
                continue; // the spread is never bought with a problem
            const bool isTabu = tabu[static_cast<std::size_t>(a) * (SlotCount + 1) + pos_[j].slot] > it ||
                                (b >= 0 && tabu[static_cast<std::size_t>(b) * (SlotCount + 1) + pos_[i].slot] > it);
            if (isTabu && total_ + delta >= bestTotal)
                continue;
            if (choice < 0 || delta < bestDelta) {
                choice = j;
                bestDelta = delta;
                ties = 1;
            } else if (delta == bestDelta && rng_.below(++ties) == 0)
                choice = j;
        }
        // No simple swap gains: swapping two slots across a chain of classes that share teachers
        // moves lessons without new clashes.
        int chainSlot = -1;
        if (!walk && pos_[i].slot != PoolSlot && (choice < 0 || bestDelta >= 0)) {
            const int s1 = pos_[i].slot;
            long long bestChain = 0;
            int chainTies = 0;
            for (int j = cl.begin; j < cl.end; ++j) {
                const int s2 = pos_[j].slot;
                if (j == i || s2 == PoolSlot || content_[j] == a || fits[s2] || !buildChain(pos_[i].cls, s1, s2) ||
                    chain_.size() < 2)
                    continue;
                const long long delta = chainDelta(s1, s2);
                if (!hardMode && delta >= HardWeight / 2)
                    continue;
                const bool isTabu = tabu[static_cast<std::size_t>(a) * (SlotCount + 1) + s2] > it;
                if (isTabu && total_ + delta >= bestTotal)
                    continue;
                if (chainSlot < 0 || delta < bestChain) {
                    chainSlot = s2;
                    bestChain = delta;
                    chainTies = 1;
                } else if (delta == bestChain && rng_.below(++chainTies) == 0)
                    chainSlot = s2;
            }
            if (chainSlot >= 0 && (choice < 0 || bestChain < bestDelta)) {
                buildChain(pos_[i].cls, s1, chainSlot);
                for (int x : chain_) {
                    const int u1 = content_[posAt(x, s1)], u2 = content_[posAt(x, chainSlot)];
                    if (u1 >= 0)
                        tabu[static_cast<std::size_t>(u1) * (SlotCount + 1) + s1] = it + 3 + rng_.below(6);
                    if (u2 >= 0)
                        tabu[static_cast<std::size_t>(u2) * (SlotCount + 1) + chainSlot] = it + 3 + rng_.below(6);
                }
                applyChain(s1, chainSlot);
                for (int x : chain_)
                    for (int j : {posAt(x, s1), posAt(x, chainSlot)})
                        if (!listed[j] && content_[j] >= 0 && conflicted(j)) {
                            listed[j] = 1;
                            list.push_back(j);
                        }
                if (total_ < bestTotal) {
                    if (bestTotal / HardWeight > total_ / HardWeight || !hardMode)
                        lastGain = it;
                    bestTotal = total_;
                    best_ = content_;
                }
                continue;
            }
        }
        if (choice < 0 && !hardMode)
            continue;
        if (choice < 0) {
            // every move is tabu: a random one keeps the search going
            const int span = cl.end - cl.begin;
            for (int t = 0; t < 8 && choice < 0; ++t) {
                const int j = cl.begin + rng_.below(span);
                if (j != i && content_[j] != a)
                    choice = j;
            }
            if (choice < 0)
                continue;
        }
        const int b = content_[choice];
        applySwap(i, choice);
        const long long tenure = 3 + rng_.below(6) + std::min<long long>(total_ / HardWeight / 3, 20);
        tabu[static_cast<std::size_t>(a) * (SlotCount + 1) + pos_[i].slot] = it + tenure;
        if (b >= 0)
            tabu[static_cast<std::size_t>(b) * (SlotCount + 1) + pos_[choice].slot] = it + tenure;
        for (int j : {i, choice})
            if (!listed[j] && content_[j] >= 0 && conflicted(j)) {
                listed[j] = 1;
                list.push_back(j);
            }
        if (total_ < bestTotal) {
            if (bestTotal / HardWeight > total_ / HardWeight || !hardMode)
                lastGain = it;
            bestTotal = total_;
            best_ = content_;
        }
    }
    return it;
}

void Solver::relink(LessonCell& cell, const std::string& oldTeacher)
{
    TeacherInfoRecord* from = oldTeacher.empty() ? nullptr : ds_.findTeacher(oldTeacher);
    if (!(from && from->removeLesson(&cell))) {
        from = nullptr;
        for (auto& t : ds_.teachers)
            if (t->removeLesson(&cell)) {
                from = t.get();
                break;
            }
    }
    if (from)
        touched_.push_back(from);
    if (!cell.teacher.empty())
        if (TeacherInfoRecord* to = ds_.findTeacher(cell.teacher)) {
            to->lessons.push_back(&cell);
            touched_.push_back(to);
        }
}

int Solver::writeBack()
{
    int changed = 0;
    for (std::size_t i = 0; i < pos_.size(); ++i) {
        LessonCell* cell = pos_[i].cell;
        if (!cell)
            continue;
        const int u = best_[i];
        const std::string& want =
            u >= 0 ? kinds_[u].subject : (oldSubject_[i] == names::emptyMarker() ? oldSubject_[i] : std::string());
        if (cell->subject == want)
            continue;
        const std::string before = cell->teacher;
        cls_[pos_[i].cls].table->setCellSubject(*cell, want);
        relink(*cell, before);
        ++changed;
    }
    std::sort(touched_.begin(), touched_.end());
    touched_.erase(std::unique(touched_.begin(), touched_.end()), touched_.end());
    for (TeacherInfoRecord* t : touched_)
        t->rebuildSlotTexts();
    return changed;
}

void Solver::restore()
{
    touched_.clear();
    for (std::size_t i = 0; i < pos_.size(); ++i) {
        LessonCell* cell = pos_[i].cell;
        if (!cell || (cell->subject == oldSubject_[i] && cell->teacher == oldTeacher_[i]))
            continue;
        const std::string before = cell->teacher;
        cell->subject = oldSubject_[i];
        cell->teacher = oldTeacher_[i];
        relink(*cell, before);
    }
    std::sort(touched_.begin(), touched_.end());
    touched_.erase(std::unique(touched_.begin(), touched_.end()), touched_.end());
    for (TeacherInfoRecord* t : touched_)
        t->rebuildSlotTexts();
}

} // namespace

std::vector<const LessonCell*> LessonCells(const DataSet& ds, const std::vector<ClassTable*>& classes)
{
    const GridShape g = GridShape::of(ds);
    std::vector<const LessonCell*> out;
    for (const ClassTable* c : classes)
        for (int p = 0; p < g.T; ++p)
            for (int d = 0; d < g.D; ++d)
                if (isLesson(c->cells[p][d].subject))
                    out.push_back(&c->cells[p][d]);
    return out;
}

CompletionPhase::CompletionPhase(DataSet& dataSet, std::vector<ClassTable*> scope, std::vector<const LessonCell*> pinned)
    : dataSet_(dataSet), scope_(std::move(scope)), pinned_(std::move(pinned))
{
}

CompletionResult CompletionPhase::Run(ProgressSink* sink, const std::atomic<bool>* stop)
{
    CompletionResult r;
    r.problemsBefore = countProblems(dataSet_, scope_, &r.unplacedBefore);
    r.problemsAfter = r.problemsBefore;
    r.unplacedAfter = r.unplacedBefore;
    if (r.problemsBefore == 0 || scope_.empty()) {
        if (sink) {
            sink->setRange(0, 1);
            sink->setPosition(1);
        }
        return r;
    }
    if (stop && stop->load(std::memory_order_relaxed)) {
        r.stopped = true;
        return r;
    }
    Solver solver(dataSet_, scope_, pinned_, seed);
    const GridShape g = GridShape::of(dataSet_);
    const long long cells = static_cast<long long>(scope_.size()) * g.T * g.D;
    const long long budget = effort > 0 ? effort : std::max<long long>(200000, 400 * cells);
    r.iterations = solver.search(budget, sink, stop, r.stopped);
    if (solver.writeBack() == 0)
        return r;
    int unplaced = 0;
    const int after = countProblems(dataSet_, scope_, &unplaced);
    if (after > r.problemsBefore) {
        solver.restore();
        return r;
    }
    for (ClassTable* c : scope_)
        c->RecountPlaced();
    r.kept = true;
    r.problemsAfter = after;
    r.unplacedAfter = unplaced;
    return r;
}

} // namespace tabrel
