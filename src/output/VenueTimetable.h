#pragma once
// The venue timetables ("场室课程表"): per venue a week grid listing in every slot the classes (and
// their teachers) that use it, the load against the capacity, the slots over capacity and the
// slots where the venue cannot be used. Drawn on the sheet the class timetables use, copied as
// text, written as one workbook and printed as one document.
#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "data/Dimensions.h"
#include "output/WorkbookExports.h"

namespace tabrel {

class Canvas;
class DataSet;
class PrintDocument;
struct DrawnTable;

struct VenueSlotView {
    std::vector<std::string> classes, teachers; // GBK, in grade and class order
    bool unavailable = false;
    int used() const { return static_cast<int>(classes.size()); }
};

struct VenueTimetable {
    std::string name; // GBK
    int capacity = 1;
    int periods = 0, days = 0; // of the time grid
    std::array<std::array<VenueSlotView, DayColumns>, MaxPeriodRows> cells{};
    // More lessons than places, or any lesson in a slot where the venue cannot be used.
    bool over(int period, int day) const
    {
        const VenueSlotView& s = cells[period][day];
        return s.used() > capacity || (s.unavailable && s.used() > 0);
    }
    // A place left for one more class.
    bool hasRoom(int period, int day) const
    {
        const VenueSlotView& s = cells[period][day];
        return !s.unavailable && s.used() < capacity;
    }
    int overSlots() const;
};

// Every venue of the school in its order.
std::vector<VenueTimetable> BuildVenueTimetables(const DataSet& dataSet);

// "2/3" (used / capacity) or "不可用" with its use (GBK).
std::string venueLoadText(const VenueTimetable& table, int period, int day);

// Draws one venue timetable at the view's origin (the view's cell size: `VenueCellWidth` ×
// `VenueCellHeight` suits three classes a slot): the sheet, then per slot a pale green ground where
// a class can still go, grey where the venue cannot be used, red over capacity, the load in the
// corner and one line per class with its teacher.
inline constexpr int VenueCellWidth = 120, VenueCellHeight = 60;
void DrawVenueTimetable(const DataSet& dataSet, const VenueTimetable& table, DrawnTable& view, Canvas& canvas);

// The timetables as text, one block per venue: its title line, then a heading line of day names
// and one line per period, cells separated by tabs ("初一(1) 张三、初一(2) 李四 [2/3]").
std::string venueTimetablesText(const DataSet& dataSet, const std::vector<VenueTimetable>& tables);

// One workbook of every venue, one block below the other.
WorkbookExportReport exportVenueWorkbook(const DataSet& dataSet, const std::filesystem::path& file,
                                         const WorkbookFactory& factory);
// One landscape page per venue.
std::unique_ptr<PrintDocument> venueSheetsDocument(const DataSet& dataSet);

// The panel's help page (UTF-8 HTML).
std::string venueTimetableHelpPage();

} // namespace tabrel
