#pragma once
// Small schools for the subjects panel tests: grades of named classes over a chosen time grid.
#include <memory>
#include <string>
#include <vector>

#include "data/DataSet.h"
#include "support/TestSupport.h"

namespace tabrel::test {

// Grades "G0", "G1", … with the given class counts ("G0-1" style names are avoided: classes are
// named "<grade>(n)"), `periods` morning periods (after `early` early-reading ones) and `days` days.
inline std::unique_ptr<DataSet> smallSchool(const std::vector<int>& classes, int early = 0, int morning = 4,
                                            int afternoon = 2, int days = 5)
{
    auto ds = std::make_unique<DataSet>();
    ds->earlyReadingCount = early;
    ds->morningCount = morning;
    ds->afternoonCount = afternoon;
    const char* dayNames[] = {"星期一", "星期二", "星期三", "星期四", "星期五", "星期六", "星期日"};
    for (int d = 0; d < days; ++d)
        ds->dayNames.push_back(G(dayNames[d]));
    const char* gradeNames[] = {"初一", "初二", "初三", "高一", "高二", "高三"};
    ds->setGradeCount(static_cast<int>(classes.size()));
    for (std::size_t g = 0; g < classes.size(); ++g) {
        ds->gradeNames[g] = G(gradeNames[g % 6]);
        ds->setClassCount(static_cast<int>(g), classes[g]);
        for (int c = 0; c < classes[g]; ++c)
            ds->classAt(static_cast<int>(g), c)->name = ds->gradeNames[g] + "(" + std::to_string(c + 1) + ")";
    }
    return ds;
}

inline Subject& addSubject(DataSet& ds, const char* name, std::vector<std::string> lessons = {})
{
    ds.appendSubject();
    Subject& s = *ds.subjects.back();
    s.name = G(name);
    for (std::size_t g = 0; g < lessons.size(); ++g)
        s.gradeLessons[g] = G(lessons[g].c_str());
    return s;
}

} // namespace tabrel::test
