#pragma once
// Which venue a lesson uses and how full every venue is in every slot: the one reading of the
// school's venues that the completion and quality phases, the timetable check, the manual views and
// the venue timetable share. A plan row sent to a venue (class + subject) uses it whatever venue its
// subject names; otherwise a lesson uses the venue whose subjects list its subject, or none.
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class ClassTable;
class DataSet;
class LessonCell;
struct VenueRecord;

class VenueMap {
public:
    explicit VenueMap(const DataSet& dataSet);

    bool empty() const { return venues_.empty(); }
    int count() const { return static_cast<int>(venues_.size()); }
    const VenueRecord& venue(int v) const { return *venues_[v]; }
    int capacity(int v) const;
    bool unavailable(int v, int period, int day) const
    {
        return blocked_[static_cast<std::size_t>(v) * MaxPeriodRows * DayColumns + period * DayColumns + day] != 0;
    }
    // The venue the lesson of `subject` in the class named `className` uses, -1 for none.
    int venueOf(const std::string& className, const std::string& subject) const;

private:
    std::vector<const VenueRecord*> venues_;
    std::unordered_map<std::string, int> bySubject_;
    std::map<std::pair<std::string, std::string>, int> byPlan_;
    std::vector<unsigned char> blocked_;
};

// The lessons using one venue in one slot, in grade and class order.
struct VenueSlotUse {
    std::vector<const LessonCell*> lessons;
};

// Every venue's use in every slot of the grid: [venue][period * DayColumns + day].
std::vector<std::vector<VenueSlotUse>> VenueLoads(const DataSet& dataSet, const VenueMap& venues);

// Whether `subject` may stand in class `c` at the slot as far as its venue goes, the lesson of `c`
// there (if any) taken away first.
enum class VenueFit { Fits, Full, Unavailable };
VenueFit FitInVenue(const DataSet& dataSet, const VenueMap& venues, const ClassTable& c, const std::string& subject,
                    int period, int day);

// The refusal text of a fit: "×(场室已满)", "×(场室不可用)" (GBK), "" when it fits.
std::string venueRefusal(VenueFit fit);

// After ClassTable::EvaluateSlot: the candidates whose venue cannot take them at the cell's slot get
// the venue's refusal in place of their "√" text. After ClassTable::MarkSwapTargets: a target whose
// swap would put either lesson into a full or unavailable venue becomes "╳".
void markVenueCandidates(const DataSet& dataSet, ClassTable& c, const LessonCell& cell);
void markVenueSwapTargets(const DataSet& dataSet, ClassTable& c, const LessonCell& selected);

} // namespace tabrel
