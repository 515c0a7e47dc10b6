// tabrel-cli paste grades / class-names: the text fills the emptied grid of the quick entry or of
// the table editor from its first cell, then OK runs.
#include "cli/CmdGradeKinds.h"

#include <ostream>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/ClassNameTable.h"
#include "setup/GradeCountEntry.h"

namespace tabrel::cli {

namespace {
template <class Dialog>
int pasteAndApply(Dialog& dialog, DataSet& ds, const PasteRequest& request, Io io)
{
    dialog.clear();
    dialog.paste(0, 0, request.text);
    if (const std::string why = dialog.refusal(); !why.empty()) {
        io.err << request.input << ": " << gbk::toUtf8(why) << "\n";
        return ExitBadInput;
    }
    dialog.apply(ds);
    return ExitDone;
}
} // namespace

int pasteGrades(DataSet& ds, const PasteRequest& request, Io io)
{
    GradeCountEntry dialog;
    return pasteAndApply(dialog, ds, request, io);
}

int pasteClassNames(DataSet& ds, const PasteRequest& request, Io io)
{
    ClassNameTable dialog;
    return pasteAndApply(dialog, ds, request, io);
}

} // namespace tabrel::cli
