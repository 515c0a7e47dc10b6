#pragma once
// The subjects panel's commands on the command line: the quick import as `paste subjects`, the
// take-over as `plan`, and the `--subject` half of `copy-rules`.
#include <string>

#include "cli/CopyPasteKinds.h"

namespace tabrel::cli {

// `paste … subjects TEXT`: the quick import with the text pasted from data row 1, column 科目名称.
int pasteSubjects(DataSet& ds, const PasteRequest& request, Io io);

// "复制设置" on subject `from`, then "粘贴设置" on subject `to` (names as given on the command
// line, UTF-8; `input` names the data file in messages). ExitNothingToDo when a name matches no
// subject; ExitBadInput when a name has no GBK form.
int copyRulesSubject(DataSet& ds, const std::string& from, const std::string& to, Io io,
                     const std::string& input = std::string());

} // namespace tabrel::cli
