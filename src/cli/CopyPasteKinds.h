#pragma once
// One KIND of `tabrel-cli copy` or `paste`: what it takes and the panel command it runs.
#include <string>

#include "cli/Commands.h"

namespace tabrel {
class DataSet;
}

namespace tabrel::cli {

struct CopyRequest {
    std::string input; // the data file, for messages
    int grade = -1;    // --grade, -1 when not given
};

struct PasteRequest {
    std::string input; // the data file, for messages
    std::string text;  // the clipboard text, GBK
    bool atGiven = false;
    int row = 0, column = 0; // --at ROW,COL when given
    int grade = -1;          // --grade, -1 when not given
};

// `run` leaves the clipboard text in `text` and returns ExitDone, or prints one line and returns
// the status (ExitNothingToDo for a position or name that matches nothing).
struct CopyKind {
    const char* name;
    bool takesGrade;
    int (*run)(DataSet& ds, const CopyRequest& request, std::string& text, Io io);
};

// `run` changes the data set and returns ExitDone, or prints one line and returns the status
// without having changed anything.
struct PasteKind {
    const char* name;
    bool takesAt;
    bool takesGrade;
    int (*run)(DataSet& ds, const PasteRequest& request, Io io);
};

} // namespace tabrel::cli
