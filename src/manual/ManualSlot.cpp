#include "manual/ManualSlot.h"

#include <algorithm>

#include "data/DataSet.h"
#include "manual/UnplacedReport.h"

namespace tabrel::manual {

int shownPeriods(const DataSet& ds)
{
    return std::clamp(ds.periodsPerDay(), 0, MaxPeriodRows);
}

int shownDays(const DataSet& ds)
{
    return std::clamp(ds.dayCount(), 0, DayColumns);
}

ClassTable* classInListOrder(const DataSet& ds, int index)
{
    if (index < 0)
        return nullptr;
    for (const auto& g : ds.grades) {
        if (index < static_cast<int>(g->classes.size()))
            return g->classes[index].get();
        index -= static_cast<int>(g->classes.size());
    }
    return nullptr;
}

int listIndexOf(const DataSet& ds, const ClassTable* classTable)
{
    int n = 0;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes) {
            if (c.get() == classTable)
                return n;
            ++n;
        }
    return -1;
}

int classListSize(const DataSet& ds)
{
    int n = 0;
    for (const auto& g : ds.grades)
        n += static_cast<int>(g->classes.size());
    return n;
}

int labelIndex(char key)
{
    for (int i = 0; i < report::LabelCount; ++i)
        if (report::Labels[i] == key)
            return i;
    return -1;
}

} // namespace tabrel::manual
