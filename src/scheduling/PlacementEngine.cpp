#include "scheduling/PlacementEngine.h"

#include <algorithm>
#include <string>
#include <string_view>
#include <unordered_map>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/GridShape.h"
#include "scheduling/SlotEvaluation.h"

namespace tabrel {

namespace {

// An alternatives line: "1-" (tried) or "0-" (still to try) and the subject.
std::string alternativeLine(bool used, const std::string& subject)
{
    std::string line(used ? "1-" : "0-");
    line += subject;
    return line;
}

} // namespace

// ------------------------------------------------------------------ slot list and cell steps

std::vector<LessonCell*> BuildSlotList(const DataSet& dataSet, const std::vector<ClassTable*>& classes)
{
    const GridShape g = GridShape::of(dataSet);
    std::vector<LessonCell*> slots;
    for (int d = 0; d < g.D; ++d)
        for (ClassTable* c : classes)
            for (int p = 0; p < g.T; ++p)
                if (c->commonPeriods[p][d].empty() && c->cells[p][d].subject.empty())
                    slots.push_back(&c->cells[p][d]);
    return slots;
}

int PlaceBest(ClassTable& c, LessonCell& cell)
{
    if (c.candidates.empty()) {
        cell.alternatives.assign(1, alternativeLine(true, names::emptyMarker()));
        c.setCellSubject(cell, names::emptyMarker());
        return 1;
    }
    const TeachingAssignment* first = c.candidates.front();
    if (first->cost == 100)
        return -1;
    cell.alternatives.clear();
    c.setCellSubject(cell, first->subject);
    if (c.dataSet)
        c.dataSet->relinkCell(cell);
    cell.alternatives.push_back(alternativeLine(true, first->subject));
    for (std::size_t i = 1; i < c.candidates.size(); ++i) {
        const TeachingAssignment* a = c.candidates[i];
        if (a->cost == first->cost || a->cost <= 0)
            cell.alternatives.push_back(alternativeLine(false, a->subject));
    }
    return 1;
}

int NextAlternative(ClassTable& c, LessonCell& cell)
{
    for (std::string& line : cell.alternatives) {
        if (!line.empty() && line[0] == '1')
            continue;
        c.setCellSubject(cell, line.size() > 2 ? line.substr(2) : std::string());
        if (c.dataSet)
            c.dataSet->relinkCell(cell);
        if (line.empty())
            line.assign(1, '1');
        else
            line[0] = '1';
        return 1;
    }
    cell.alternatives.clear();
    c.setCellSubject(cell, "");
    if (c.dataSet)
        c.dataSet->relinkCell(cell);
    return -1;
}

// ------------------------------------------------------------------ the search's counters

// Everything the evaluation reads, as integer tables kept up to date cell by cell:
// texts become ids, each class has per-subject counts by day and by period, each teacher
// record a count of lessons per slot and of daytime course lessons per day.
class SearchContext {
public:
    SearchContext(DataSet& ds, const std::vector<LessonCell*>& slots);

    int evaluate(int slot, int autoRunning);
    int placeBest(int slot);
    int nextAlternative(int slot);
    // Writes the bookkeeping that the search kept in tables back into the records.
    void finish();

    bool cellFree(int slot) const { return cellId_[cellIndex(slotClass_[slot], slotPeriod_[slot], slotDay_[slot])] == idBlank_; }

private:
    friend class EngineInputs;
    struct AInfo {
        int subject = 0;      // id of the assignment's subject
        int record = -1;      // teacher record of the assignment's teacher
        bool exempt = false;  // "专门人" or ""
        int requirement = 0;  // requirement lines granting the daily bonus
        bool paceCourse = false;
        int paceBegin = 0, paceEnd = 0; // other classes of the teacher's course, in paceClasses_
    };
    struct SearchClass {
        int ci = 0;           // class index
        int firstA = 0, nA = 0;
        int ruleBase = 0;     // rules_[ruleBase + (p * DayColumns + d) * nA + k]
        int writeBase = 0;    // write tables, indexed writeBase + id
        bool evaluated = false;
    };

    static int cellIndex(int ci, int p, int d) { return (ci * MaxPeriodRows + p) * DayColumns + d; }
    int idFor(const std::string& text);
    void setCell(int slot, int id, bool relink);
    void countChange(int ci, int p, int d, int from, int to);
    int progress(int ci, int s, int I, int H) const;

    DataSet& ds_;
    GridShape g_;
    int D7_ = 0; // g_.D

    // texts
    std::unordered_map<std::string, int> ids_;
    std::vector<std::string> texts_;
    std::vector<unsigned char> zao_, wan_, blankish_;
    int S_ = 0;
    int idBlank_ = 0, idEmpty_ = 0;

    // classes
    std::vector<ClassTable*> classes_;
    std::unordered_map<const ClassTable*, int> classIndex_;
    std::vector<int32_t> cellId_;
    std::vector<int16_t> dayCount_;    // [(ci * S + s) * 7 + d]
    std::vector<int16_t> periodCount_; // [(ci * S + s) * 12 + p]
    std::vector<int16_t> total_;       // [ci * S + s]
    std::vector<int16_t> doubles_;     // [ci * S + s]
    std::vector<int16_t> doublesOnDay_; // [ci * 7 + d]
    std::vector<int> watchStart_;      // [ci * S + s] .. [+1] into watchRecord_
    std::vector<int> watchRecord_;

    // teachers
    std::vector<TeacherInfoRecord*> records_;
    std::unordered_map<std::string, int> recordByName_;
    std::vector<uint16_t> busy_;       // [(r * 12 + p) * 7 + d]
    std::vector<int> daytime_;         // [r * 7 + d]
    std::vector<int> load_;
    std::vector<std::size_t> initialLessons_;
    std::vector<unsigned char> removedFrom_;

    // classes of the slot list
    std::vector<SearchClass> searchClasses_;
    std::vector<int> searchOf_;        // class index -> search class or -1
    std::vector<AInfo> ainfo_;
    std::vector<int> paceClasses_;
    std::vector<unsigned char> rules_;  // subject rule | teacher rule << 2
    std::vector<int32_t> writeId_;
    std::vector<const std::string*> writeTeacher_;
    std::vector<int> writeRecord_;

    // slots
    std::vector<LessonCell*> slots_;
    std::vector<int> slotClass_, slotPeriod_, slotDay_, slotSearch_;
    std::vector<int> holder_;
    bool sharedHolders_ = false;
    int maxAlternatives_ = 1;
    std::vector<int32_t> altId_;
    std::vector<unsigned char> altUsed_;
    std::vector<int> altLen_;
    std::vector<unsigned char> touched_;
};

int SearchContext::idFor(const std::string& text)
{
    auto [it, inserted] = ids_.try_emplace(text, static_cast<int>(texts_.size()));
    if (inserted)
        texts_.push_back(text);
    return it->second;
}

SearchContext::SearchContext(DataSet& ds, const std::vector<LessonCell*>& slots) : ds_(ds), g_(GridShape::of(ds))
{
    D7_ = g_.D;
    // ---- ids of every text the search can meet
    idBlank_ = idFor("");
    idEmpty_ = idFor(names::emptyMarker());
    idFor(GBK("[空白]"));
    for (const auto& grade : ds.grades)
        for (const auto& c : grade->classes) {
            classIndex_.emplace(c.get(), static_cast<int>(classes_.size()));
            classes_.push_back(c.get());
            for (const auto& a : c->assignments)
                idFor(a->subject);
            for (int p = 0; p < g_.T; ++p)
                for (int d = 0; d < g_.D; ++d)
                    idFor(c->cells[p][d].subject);
        }
    for (const auto& t : ds.teachers) {
        recordByName_.try_emplace(t->name, static_cast<int>(records_.size()));
        records_.push_back(t.get());
        for (int i = 0; i < MaxCourses; ++i)
            if (!t->courseClasses[i].empty())
                idFor(t->courseSubject[i]);
    }
    S_ = static_cast<int>(texts_.size());
    zao_.resize(S_);
    wan_.resize(S_);
    for (int s = 0; s < S_; ++s) {
        zao_[s] = names::hasZao(texts_[s]);
        wan_[s] = names::hasWan(texts_[s]);
    }

    // ---- class counters
    const int C = static_cast<int>(classes_.size());
    cellId_.assign(static_cast<std::size_t>(C) * MaxPeriodRows * DayColumns, idBlank_);
    dayCount_.assign(static_cast<std::size_t>(C) * S_ * DayColumns, 0);
    periodCount_.assign(static_cast<std::size_t>(C) * S_ * MaxPeriodRows, 0);
    total_.assign(static_cast<std::size_t>(C) * S_, 0);
    doubles_.assign(static_cast<std::size_t>(C) * S_, 0);
    doublesOnDay_.assign(static_cast<std::size_t>(C) * DayColumns, 0);
    for (int ci = 0; ci < C; ++ci) {
        const ClassTable& c = *classes_[ci];
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d) {
                const int s = ids_.at(c.cells[p][d].subject);
                cellId_[cellIndex(ci, p, d)] = s;
                ++dayCount_[(ci * S_ + s) * DayColumns + d];
                ++periodCount_[(ci * S_ + s) * MaxPeriodRows + p];
                ++total_[ci * S_ + s];
            }
        for (int p = 0; p + 1 < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d) {
                const int s = cellId_[cellIndex(ci, p, d)];
                if (s != cellId_[cellIndex(ci, p + 1, d)])
                    continue;
                if (!g_.straddles(p))
                    ++doubles_[ci * S_ + s];
                if (g_.daytimePair(p) && s != idBlank_)
                    ++doublesOnDay_[ci * DayColumns + d];
            }
    }

    // ---- teacher counters
    const int R = static_cast<int>(records_.size());
    busy_.assign(static_cast<std::size_t>(R) * MaxPeriodRows * DayColumns, 0);
    daytime_.assign(static_cast<std::size_t>(R) * DayColumns, 0);
    load_.resize(R);
    initialLessons_.resize(R);
    removedFrom_.assign(R, 0);
    std::vector<std::vector<int>> watchers(static_cast<std::size_t>(C) * S_);
    const int dayFirst = g_.L, dayEnd = std::min(g_.L + g_.M + g_.N, MaxPeriodRows);
    for (int r = 0; r < R; ++r) {
        const TeacherInfoRecord& t = *records_[r];
        load_[r] = t.assignedPeriods;
        initialLessons_[r] = t.lessons.size();
        for (const LessonCell* cell : t.lessons)
            if (cell->period >= 0 && cell->period < MaxPeriodRows && cell->day >= 0 && cell->day < DayColumns)
                ++busy_[(r * MaxPeriodRows + cell->period) * DayColumns + cell->day];
        for (int i = 0; i < MaxCourses; ++i) {
            const std::string& subject = t.courseSubject[i];
            if (names::hasZao(subject) || names::hasWan(subject) || subject == GBK("班会"))
                continue;
            for (const ClassTable* cc : t.courseClasses[i]) {
                auto found = classIndex_.find(cc);
                if (found == classIndex_.end())
                    continue;
                const int ci = found->second, s = ids_.at(subject);
                watchers[ci * S_ + s].push_back(r);
                for (int p = std::max(dayFirst, 0); p < dayEnd; ++p)
                    for (int d = 0; d < g_.D; ++d)
                        if (cellId_[cellIndex(ci, p, d)] == s)
                            ++daytime_[r * DayColumns + d];
            }
        }
    }
    watchStart_.assign(static_cast<std::size_t>(C) * S_ + 1, 0);
    for (std::size_t i = 0; i < watchers.size(); ++i) {
        watchStart_[i + 1] = watchStart_[i] + static_cast<int>(watchers[i].size());
        watchRecord_.insert(watchRecord_.end(), watchers[i].begin(), watchers[i].end());
    }

    // ---- classes of the slot list
    slots_ = slots;
    const int n = static_cast<int>(slots.size());
    slotClass_.resize(n);
    slotPeriod_.resize(n);
    slotDay_.resize(n);
    slotSearch_.resize(n);
    searchOf_.assign(C, -1);
    for (int k = 0; k < n; ++k) {
        LessonCell* cell = slots[k];
        const int ci = classIndex_.at(cell->classTable);
        slotClass_[k] = ci;
        slotPeriod_[k] = cell->period;
        slotDay_[k] = cell->day;
        if (searchOf_[ci] < 0) {
            searchOf_[ci] = static_cast<int>(searchClasses_.size());
            SearchClass sc;
            sc.ci = ci;
            searchClasses_.push_back(sc);
        }
        slotSearch_[k] = searchOf_[ci];
    }
    // The teacher rules of every slot, each entry split once: the first entry of a name counts.
    std::vector<std::vector<std::pair<std::string_view, std::string_view>>> slotRules(MaxPeriodRows * DayColumns);
    if (!searchClasses_.empty())
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d)
                for (const std::string& entry : ds.teacherSlotSettings[p][d]) {
                    std::string_view key, value;
                    if (gbk::splitKeyValue(entry, key, value))
                        slotRules[p * DayColumns + d].emplace_back(key, value);
                }
    for (SearchClass& sc : searchClasses_) {
        ClassTable& c = *classes_[sc.ci];
        sc.firstA = static_cast<int>(ainfo_.size());
        sc.nA = static_cast<int>(c.assignments.size());
        maxAlternatives_ = std::max(maxAlternatives_, sc.nA);
        for (int k = 0; k < sc.nA; ++k) {
            TeachingAssignment& a = *c.assignments[k];
            a.listIndex = k;
            AInfo f;
            f.subject = ids_.at(a.subject);
            auto rec = recordByName_.find(a.teacher);
            f.record = rec == recordByName_.end() ? -1 : rec->second;
            f.exempt = names::exemptTeacher(a.teacher);
            f.requirement = names::requirementMatches(ds.requirementTexts, a.subject, c.name);
            if (f.record >= 0) {
                const TeacherInfoRecord& t = *records_[f.record];
                for (int i = 0; i < MaxCourses; ++i) {
                    if (t.courseGrade[i] != c.gradeName || t.courseSubject[i] != a.subject)
                        continue;
                    if (t.courseClasses[i].size() > 1) {
                        f.paceCourse = true;
                        f.paceBegin = static_cast<int>(paceClasses_.size());
                        for (const ClassTable* other : t.courseClasses[i]) {
                            auto found = classIndex_.find(other);
                            if (other != &c && found != classIndex_.end())
                                paceClasses_.push_back(found->second);
                        }
                        f.paceEnd = static_cast<int>(paceClasses_.size());
                    }
                    break;
                }
            }
            ainfo_.push_back(f);
        }
        // rules of every slot for every assignment
        sc.ruleBase = static_cast<int>(rules_.size());
        rules_.resize(rules_.size() + static_cast<std::size_t>(MaxPeriodRows) * DayColumns * sc.nA, 0);
        for (int p = 0; p < g_.T; ++p)
            for (int d = 0; d < g_.D; ++d) {
                const auto& teacherRules = slotRules[p * DayColumns + d];
                const bool cellRules = !c.cells[p][d].subjectRules.empty();
                if (teacherRules.empty() && !cellRules)
                    continue;
                for (int k = 0; k < sc.nA; ++k) {
                    const TeachingAssignment& a = *c.assignments[k];
                    const int sr = cellRules ? ruleCode(ClassTable::cellRule(c.cells[p][d], a.subject)) : RuleAuto;
                    int tr = RuleAuto;
                    for (const auto& [key, value] : teacherRules)
                        if (key == a.teacher) {
                            tr = ruleCode(std::string(value));
                            break;
                        }
                    rules_[sc.ruleBase + (p * DayColumns + d) * sc.nA + k] = static_cast<unsigned char>(sr | (tr << 2));
                }
            }
        // what setCellSubject writes for every text
        sc.writeBase = static_cast<int>(writeId_.size());
        for (int s = 0; s < S_; ++s) {
            const std::string& stored = texts_[s] == GBK("[空白]") ? texts_[idBlank_] : texts_[s];
            writeId_.push_back(ids_.at(stored));
            const TeachingAssignment* owner = c.FindAssignment(stored);
            writeTeacher_.push_back(owner ? &owner->teacher : nullptr);
            int r = -1;
            if (owner && !owner->teacher.empty()) {
                auto rec = recordByName_.find(owner->teacher);
                if (rec != recordByName_.end())
                    r = rec->second;
            }
            writeRecord_.push_back(r);
        }
    }

    // ---- who holds the listed cells now
    holder_.assign(n, -1);
    std::unordered_map<const LessonCell*, int> slotOfCell;
    slotOfCell.reserve(n);
    for (int k = 0; k < n; ++k)
        if (!slotOfCell.emplace(slots[k], k).second)
            sharedHolders_ = true; // a cell listed twice: keep the general relink
    for (int r = 0; r < R; ++r)
        for (const LessonCell* cell : records_[r]->lessons) {
            auto it = slotOfCell.find(cell);
            if (it == slotOfCell.end())
                continue;
            if (holder_[it->second] >= 0)
                sharedHolders_ = true;
            holder_[it->second] = r;
        }

    altId_.assign(static_cast<std::size_t>(n) * maxAlternatives_, 0);
    altUsed_.assign(static_cast<std::size_t>(n) * maxAlternatives_, 0);
    altLen_.assign(n, 0);
    touched_.assign(n, 0);
}

void SearchContext::countChange(int ci, int p, int d, int from, int to)
{
    if (from == to)
        return;
    const int base = ci * S_;
    auto neighbourPairs = [&](int s, int delta) {
        if (p > 0) {
            const int q = cellId_[cellIndex(ci, p - 1, d)];
            if (q == s) {
                if (!g_.straddles(p - 1))
                    doubles_[base + s] += delta;
                if (g_.daytimePair(p - 1) && s != idBlank_)
                    doublesOnDay_[ci * DayColumns + d] += delta;
            }
        }
        if (p + 1 < g_.T) {
            const int q = cellId_[cellIndex(ci, p + 1, d)];
            if (q == s) {
                if (!g_.straddles(p))
                    doubles_[base + s] += delta;
                if (g_.daytimePair(p) && s != idBlank_)
                    doublesOnDay_[ci * DayColumns + d] += delta;
            }
        }
    };
    neighbourPairs(from, -1);
    neighbourPairs(to, +1);
    --dayCount_[(base + from) * DayColumns + d];
    ++dayCount_[(base + to) * DayColumns + d];
    --periodCount_[(base + from) * MaxPeriodRows + p];
    ++periodCount_[(base + to) * MaxPeriodRows + p];
    --total_[base + from];
    ++total_[base + to];
    if (p >= g_.L && p < g_.L + g_.M + g_.N) {
        for (int i = watchStart_[base + from]; i < watchStart_[base + from + 1]; ++i)
            --daytime_[watchRecord_[i] * DayColumns + d];
        for (int i = watchStart_[base + to]; i < watchStart_[base + to + 1]; ++i)
            ++daytime_[watchRecord_[i] * DayColumns + d];
    }
    cellId_[cellIndex(ci, p, d)] = to;
}

// setCellSubject with the text of id `id`, then (when asked) relinkCell.
void SearchContext::setCell(int slot, int id, bool relink)
{
    const SearchClass& sc = searchClasses_[slotSearch_[slot]];
    const int ci = slotClass_[slot], p = slotPeriod_[slot], d = slotDay_[slot];
    LessonCell& cell = *slots_[slot];
    const int stored = writeId_[sc.writeBase + id];
    const std::string* teacher = writeTeacher_[sc.writeBase + id];
    cell.subject = texts_[stored];
    if (teacher)
        cell.teacher = *teacher;
    else
        cell.teacher.clear();
    countChange(ci, p, d, cellId_[cellIndex(ci, p, d)], stored);
    if (!relink)
        return;
    // remove from whoever holds it
    const int bi = (p < MaxPeriodRows && d < DayColumns) ? (p * DayColumns + d) : -1;
    if (sharedHolders_) {
        for (int r = 0; r < static_cast<int>(records_.size()); ++r)
            if (records_[r]->removeLesson(&cell)) {
                removedFrom_[r] = 1;
                if (bi >= 0)
                    --busy_[r * MaxPeriodRows * DayColumns + bi];
            }
    } else if (holder_[slot] >= 0) {
        const int r = holder_[slot];
        auto& lessons = records_[r]->lessons;
        for (std::size_t i = lessons.size(); i-- > 0;)
            if (lessons[i] == &cell) {
                lessons.erase(lessons.begin() + static_cast<std::ptrdiff_t>(i));
                break;
            }
        removedFrom_[r] = 1;
        if (bi >= 0)
            --busy_[r * MaxPeriodRows * DayColumns + bi];
        holder_[slot] = -1;
    }
    // give it to the teacher now named in it
    if (!cell.teacher.empty()) {
        const int r = writeRecord_[sc.writeBase + id];
        if (r >= 0) {
            records_[r]->lessons.push_back(&cell);
            if (bi >= 0)
                ++busy_[r * MaxPeriodRows * DayColumns + bi];
            holder_[slot] = r;
        }
    }
}

int SearchContext::progress(int ci, int s, int I, int H) const
{
    int n = 0;
    const int16_t* days = &dayCount_[(ci * S_ + s) * DayColumns];
    for (int d = 0; d < std::min(I, g_.D); ++d)
        n += days[d];
    if (I >= 0 && I < g_.D) {
        const int hEnd = std::min(H, g_.T);
        for (int p = 0; p < hEnd; ++p)
            n += cellId_[cellIndex(ci, p, I)] == s;
    }
    return n;
}

// The evaluation's inputs read from the counters.
class EngineInputs {
public:
    EngineInputs(const SearchContext& x, const SearchContext::SearchClass& sc, int H, int I)
        : x_(x), ci_(sc.ci), H_(H), I_(I), a_(x.ainfo_.data() + sc.firstA),
          // A class without a plan has no entries: the pointers are formed, never read.
          rules_(x.rules_.data() + sc.ruleBase + (H * DayColumns + I) * sc.nA), base_(sc.ci * x.S_)
    {
    }
    int placed(int k) const { return x_.total_[base_ + a_[k].subject]; }
    int doubles(int k) const { return x_.doubles_[base_ + a_[k].subject]; }
    int sameDay(int k) const { return x_.dayCount_[(base_ + a_[k].subject) * DayColumns + I_]; }
    bool zao(int k) const { return x_.zao_[a_[k].subject]; }
    bool wan(int k) const { return x_.wan_[a_[k].subject]; }
    RuleCode subjectRule(int k) const { return static_cast<RuleCode>(rules_[k] & 3); }
    RuleCode teacherRule(int k) const { return static_cast<RuleCode>(rules_[k] >> 2); }
    bool exempt(int k) const { return a_[k].exempt; }
    bool hasRecord(int k) const { return a_[k].record >= 0; }
    bool teacherBusy(int k, int period) const
    {
        const int r = a_[k].record;
        if (r < 0 || period < 0 || period >= MaxPeriodRows)
            return false;
        return x_.busy_[(r * MaxPeriodRows + period) * DayColumns + I_] != 0;
    }
    int paceLagging(int k) const
    {
        const auto& f = a_[k];
        if (!f.paceCourse)
            return 0;
        const int own = x_.progress(ci_, f.subject, I_, H_);
        int lagging = 0;
        for (int i = f.paceBegin; i < f.paceEnd; ++i)
            if (x_.progress(x_.paceClasses_[i], f.subject, I_, H_) < own)
                ++lagging;
        return lagging;
    }
    int daytimeDone(int k) const
    {
        const int* days = &x_.daytime_[a_[k].record * DayColumns];
        const int last = std::min(I_, x_.g_.D - 1);
        int n = 0;
        for (int d = 0; d <= last; ++d)
            n += days[d];
        return n;
    }
    int load(int k) const { return x_.load_[a_[k].record]; }
    int samePeriodOther(int k) const
    {
        const int s = a_[k].subject;
        return x_.periodCount_[(base_ + s) * MaxPeriodRows + H_] - (x_.cellId_[SearchContext::cellIndex(ci_, H_, I_)] == s);
    }
    bool previousHolds(int k) const
    {
        return H_ > 0 && x_.cellId_[SearchContext::cellIndex(ci_, H_ - 1, I_)] == a_[k].subject;
    }
    int doublesOnDay() const { return x_.doublesOnDay_[ci_ * DayColumns + I_]; }
    int requirementMatches(int k) const { return a_[k].requirement; }

private:
    const SearchContext& x_;
    int ci_, H_, I_;
    const SearchContext::AInfo* a_;
    const unsigned char* rules_;
    int base_;
};

int SearchContext::evaluate(int slot, int autoRunning)
{
    SearchClass& sc = searchClasses_[slotSearch_[slot]];
    sc.evaluated = true;
    ClassTable& c = *classes_[sc.ci];
    const int H = slotPeriod_[slot], I = slotDay_[slot];
    EngineInputs in(*this, sc, H, I);
    return evaluateSlotCosts(c, H, I, g_, autoRunning, in);
}

int SearchContext::placeBest(int slot)
{
    SearchClass& sc = searchClasses_[slotSearch_[slot]];
    ClassTable& c = *classes_[sc.ci];
    const std::size_t base = static_cast<std::size_t>(slot) * maxAlternatives_;
    if (c.candidates.empty()) {
        altId_[base] = idEmpty_;
        altUsed_[base] = 1;
        altLen_[slot] = 1;
        touched_[slot] = 1;
        setCell(slot, idEmpty_, false);
        return 1;
    }
    const TeachingAssignment* first = c.candidates.front();
    if (first->cost == 100)
        return -1;
    const AInfo* info = ainfo_.data() + sc.firstA;
    touched_[slot] = 1;
    int len = 0;
    setCell(slot, info[first->listIndex].subject, true);
    altId_[base] = info[first->listIndex].subject;
    altUsed_[base] = 1;
    len = 1;
    const int m = static_cast<int>(c.candidates.size());
    for (int i = 1; i < m; ++i) {
        const TeachingAssignment* a = c.candidates[i];
        if (a->cost == first->cost || a->cost <= 0) {
            altId_[base + len] = info[a->listIndex].subject;
            altUsed_[base + len] = 0;
            ++len;
        }
    }
    altLen_[slot] = len;
    return 1;
}

int SearchContext::nextAlternative(int slot)
{
    const std::size_t base = static_cast<std::size_t>(slot) * maxAlternatives_;
    touched_[slot] = 1;
    const int len = altLen_[slot];
    for (int i = 0; i < len; ++i) {
        if (altUsed_[base + i])
            continue;
        altUsed_[base + i] = 1;
        setCell(slot, altId_[base + i], true);
        return 1;
    }
    altLen_[slot] = 0;
    setCell(slot, idBlank_, true);
    return -1;
}

void SearchContext::finish()
{
    const int n = static_cast<int>(slots_.size());
    for (int k = 0; k < n; ++k) {
        if (!touched_[k])
            continue;
        auto& lines = slots_[k]->alternatives;
        lines.clear();
        const std::size_t base = static_cast<std::size_t>(k) * maxAlternatives_;
        for (int i = 0; i < altLen_[k]; ++i) {
            std::string line(altUsed_[base + i] ? "1-" : "0-");
            line += texts_[altId_[base + i]];
            lines.push_back(std::move(line));
        }
    }
    // The teachers' slot texts: a teacher that lost a lesson is rebuilt from its list; one that only
    // gained lessons gets their texts written in the order they were added.
    for (std::size_t r = 0; r < records_.size(); ++r) {
        TeacherInfoRecord& t = *records_[r];
        if (removedFrom_[r])
            t.rebuildSlotTexts();
        else
            for (std::size_t i = initialLessons_[r]; i < t.lessons.size(); ++i)
                t.writeLessonTexts(*t.lessons[i]);
    }
    for (const SearchClass& sc : searchClasses_)
        if (sc.evaluated)
            classes_[sc.ci]->BuildCandidateTexts();
}

// ------------------------------------------------------------------ the engine

PlacementEngine::PlacementEngine(DataSet& dataSet, SchedulingState& state) : dataSet_(dataSet), state_(state) {}

PlacementEngine::~PlacementEngine() = default;

void PlacementEngine::Prepare(const std::vector<LessonCell*>& slots)
{
    context_ = std::make_unique<SearchContext>(dataSet_, slots);
}

int PlacementEngine::EvaluateEntry(int index, int autoRunning)
{
    if (!context_)
        return 0;
    const int n = context_->evaluate(index, autoRunning);
    context_->finish();
    return n;
}

SearchResult PlacementEngine::RunSearch(const std::vector<LessonCell*>& slots, ProgressSink* sink, int stepLimit)
{
    SearchResult result;
    const int n = static_cast<int>(slots.size());
    state_.autoRunning = 1;
    state_.autoCursor = 0;
    if (sink)
        sink->setRange(0, n - 1);
    context_ = std::make_unique<SearchContext>(dataSet_, slots);
    SearchContext& x = *context_;
    int steps = 0;
    while (state_.autoCursor < n) {
        if (++steps == stepLimit) {
            result.stepCapHit = true;
            break;
        }
        ++result.steps;
        const int k = state_.autoCursor;
        if (sink)
            sink->setPosition(k);
        int r;
        if (x.cellFree(k)) {
            x.evaluate(k, state_.autoRunning);
            r = x.placeBest(k);
        } else
            r = x.nextAlternative(k);
        state_.autoCursor += r;
        if (state_.autoCursor < 0) {
            // Backtracking used up the first cell's alternatives: the search ends here.
            result.exhausted = true;
            break;
        }
    }
    result.completed = state_.autoCursor >= n;
    x.finish();
    context_.reset();
    state_.autoRunning = 0;
    return result;
}

} // namespace tabrel
