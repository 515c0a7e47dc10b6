#pragma once
// The paste kinds of the grades-and-classes panel: `grades` (the quick entry) and `class-names`
// (the table editor).
#include "cli/CopyPasteKinds.h"

namespace tabrel::cli {

int pasteGrades(DataSet& ds, const PasteRequest& request, Io io);
int pasteClassNames(DataSet& ds, const PasteRequest& request, Io io);

} // namespace tabrel::cli
