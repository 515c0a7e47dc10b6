#include "scheduling/VenueUse.h"

#include <algorithm>

#include "data/ClassTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/GridShape.h"

namespace tabrel {

namespace {

constexpr int SlotCount = MaxPeriodRows * DayColumns;

bool isLesson(const std::string& s) { return !s.empty() && s != names::emptyMarker(); }

} // namespace

VenueMap::VenueMap(const DataSet& ds)
{
    for (const VenueRecord& v : ds.extension.venues)
        venues_.push_back(&v);
    blocked_.assign(venues_.size() * SlotCount, 0);
    for (std::size_t v = 0; v < venues_.size(); ++v) {
        for (const std::string& s : venues_[v]->subjects)
            bySubject_.try_emplace(s, static_cast<int>(v));
        for (const VenuePlan& p : venues_[v]->plans)
            byPlan_.try_emplace({p.className, p.subject}, static_cast<int>(v));
        for (const VenueSlot& s : venues_[v]->unavailable)
            if (s.period >= 0 && s.period < MaxPeriodRows && s.day >= 0 && s.day < DayColumns)
                blocked_[v * SlotCount + s.period * DayColumns + s.day] = 1;
    }
}

int VenueMap::capacity(int v) const { return std::max(1, venues_[v]->capacity); }

int VenueMap::venueOf(const std::string& className, const std::string& subject) const
{
    if (venues_.empty() || !isLesson(subject))
        return -1;
    if (!byPlan_.empty())
        if (auto it = byPlan_.find({className, subject}); it != byPlan_.end())
            return it->second;
    auto it = bySubject_.find(subject);
    return it == bySubject_.end() ? -1 : it->second;
}

std::vector<std::vector<VenueSlotUse>> VenueLoads(const DataSet& ds, const VenueMap& venues)
{
    std::vector<std::vector<VenueSlotUse>> out(venues.count(), std::vector<VenueSlotUse>(SlotCount));
    if (venues.empty())
        return out;
    const GridShape g = GridShape::of(ds);
    for (const auto& grade : ds.grades)
        for (const auto& c : grade->classes)
            for (int p = 0; p < g.T; ++p)
                for (int d = 0; d < g.D; ++d) {
                    const LessonCell& cell = c->cells[p][d];
                    const int v = venues.venueOf(c->name, cell.subject);
                    if (v >= 0)
                        out[v][p * DayColumns + d].lessons.push_back(&cell);
                }
    return out;
}

VenueFit FitInVenue(const DataSet& ds, const VenueMap& venues, const ClassTable& c, const std::string& subject,
                    int period, int day)
{
    const int v = venues.venueOf(c.name, subject);
    if (v < 0 || period < 0 || period >= MaxPeriodRows || day < 0 || day >= DayColumns)
        return VenueFit::Fits;
    if (venues.unavailable(v, period, day))
        return VenueFit::Unavailable;
    int used = 0;
    for (const auto& grade : ds.grades)
        for (const auto& other : grade->classes)
            if (other.get() != &c && venues.venueOf(other->name, other->cells[period][day].subject) == v)
                ++used;
    return used >= venues.capacity(v) ? VenueFit::Full : VenueFit::Fits;
}

std::string venueRefusal(VenueFit fit)
{
    switch (fit) {
    case VenueFit::Full: return GBK("×(场室已满)");
    case VenueFit::Unavailable: return GBK("×(场室不可用)");
    default: return {};
    }
}

void markVenueCandidates(const DataSet& ds, ClassTable& c, const LessonCell& cell)
{
    if (ds.extension.venues.empty())
        return;
    const VenueMap venues(ds);
    for (std::size_t k = 0; k < c.candidates.size() && k < c.candidateTexts.size(); ++k) {
        std::string& text = c.candidateTexts[k];
        const std::size_t tick = gbk::findText(text, GBK("√"));
        if (tick == std::string::npos || gbk::findText(text, GBK("×")) != std::string::npos)
            continue;
        const VenueFit fit = FitInVenue(ds, venues, c, c.candidates[k]->subject, cell.period, cell.day);
        if (fit != VenueFit::Fits)
            text = text.substr(0, tick) + venueRefusal(fit);
    }
}

void markVenueSwapTargets(const DataSet& ds, ClassTable& c, const LessonCell& selected)
{
    if (ds.extension.venues.empty())
        return;
    const VenueMap venues(ds);
    const GridShape g = GridShape::of(ds);
    for (int p = 0; p < g.T; ++p)
        for (int d = 0; d < g.D; ++d) {
            LessonCell& target = c.cells[p][d];
            if (&target == &selected || (target.mark != GBK("√") && target.mark != GBK("≈")))
                continue;
            const bool mineFits = !isLesson(selected.subject)
                                  || FitInVenue(ds, venues, c, selected.subject, p, d) == VenueFit::Fits;
            const bool theirsFits = !isLesson(target.subject)
                                    || FitInVenue(ds, venues, c, target.subject, selected.period, selected.day)
                                           == VenueFit::Fits;
            if (!mineFits || !theirsFits)
                target.mark = GBK("╳");
        }
}

} // namespace tabrel
