#pragma once
// The cover statistics as a workbook sheet: the title row, the headings, one row per teacher.
#include <string>
#include <vector>

#include "term/CoverStatistics.h"

namespace tabrel {

class Workbook;

// `title` is GBK ("代课统计 2027-03-01 至 2027-03-31").
void writeCoverStatistics(Workbook& book, const std::string& title, const std::vector<TeacherCoverStats>& rows);

} // namespace tabrel
