#pragma once
// `tabrel-cli copy-rules`: "复制设置" on one record and "粘贴设置" on another. Each half (--teacher,
// --subject) is one row of `copyRulesHalves()` with a function that finds both records by name,
// carries the settings lines and returns ExitDone, or prints one line and returns the status
// without having changed anything.
#include <string>
#include <vector>

#include "cli/Commands.h"

namespace tabrel::cli {

struct CopyRulesHalf {
    const char* option; // "--teacher"
    int (*run)(DataSet& ds, const std::string& from, const std::string& to, const std::string& input, Io io);
};
const std::vector<CopyRulesHalf>& copyRulesHalves();

int copyRulesTeacher(DataSet& ds, const std::string& from, const std::string& to, const std::string& input, Io io);

} // namespace tabrel::cli
