#pragma once
// The teacher load distribution ("分布情况"): for every teacher the lessons of the week, per period
// of the day and per day of the week, counted from the teacher's slot tables (a slot where the
// teacher teaches two classes at once counts once).
#include <string>
#include <vector>

namespace tabrel {

class DataSet;

struct LoadDistribution {
    // "姓名", "合计", "第1节" … "第T节", then the day names.
    std::vector<std::string> header;
    // One row per teacher in list order: the name, the total ("0" too), then the counts per
    // period and per day ("" for 0).
    std::vector<std::vector<std::string>> rows;
};

LoadDistribution buildLoadDistribution(const DataSet& dataSet);

// The header row and every teacher's row, cells joined by "\t", each row ended by "\n".
std::string loadDistributionText(const LoadDistribution& distribution);

// The Chinese help page of the distribution window (UTF-8 HTML).
std::string loadDistributionHelpPage();

} // namespace tabrel
