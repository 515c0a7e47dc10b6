#pragma once
// The master timetable's and the master assignment table's kinds of `tabrel-cli copy` and
// `paste` (rows of the tables in CmdCopyPaste.cpp).
#include "cli/CopyPasteKinds.h"

namespace tabrel::cli {

int copyMaster1(DataSet& ds, const CopyRequest& request, std::string& text, Io io);
int copyMaster2(DataSet& ds, const CopyRequest& request, std::string& text, Io io);
int copyDistribution(DataSet& ds, const CopyRequest& request, std::string& text, Io io);
int pasteMaster1(DataSet& ds, const PasteRequest& request, Io io);

} // namespace tabrel::cli
