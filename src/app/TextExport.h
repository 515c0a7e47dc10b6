#pragma once
// "导出排课信息数据": every occupied slot of every class as one tab-separated GBK line in
// "paikeInfo.txt" of the program folder.
#include <filesystem>
#include <string>

namespace tabrel {

class DataSet;

// The file's content: grade, class, day name, period number (1-based through all sections), the
// common-period name or else the subject, and the teacher, "%s\t%s\t%s\t%d\t%s\t%s" and a line end
// per slot, classes in grade order, days outer and periods inner. Slots whose content is "" give
// no line; a slot the automatic run marked "empty" is written with that text.
std::string scheduleTextLines(const DataSet& dataSet);

// Writes "paikeInfo.txt" into `programFolder`: 1 when done, 0 when the file cannot be created
// (the caller shows "创建文件失败!").
int exportScheduleText(const DataSet& dataSet, const std::filesystem::path& programFolder);

// "创建文件失败!"
std::string textExportFailedMessage();

} // namespace tabrel
