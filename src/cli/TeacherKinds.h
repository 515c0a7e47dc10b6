#pragma once
// The teacher page's and the assignment page's kinds of `tabrel-cli copy` and `paste`.
#include <string>

#include "cli/CopyPasteKinds.h"

namespace tabrel::cli {

int copyTeachers(DataSet& ds, const CopyRequest& request, std::string& text, Io io);
int copyAssignments(DataSet& ds, const CopyRequest& request, std::string& text, Io io);
int copyTeacherLoad(DataSet& ds, const CopyRequest& request, std::string& text, Io io);
int pasteTeachers(DataSet& ds, const PasteRequest& request, Io io);
int pasteAssignments(DataSet& ds, const PasteRequest& request, Io io);

} // namespace tabrel::cli
