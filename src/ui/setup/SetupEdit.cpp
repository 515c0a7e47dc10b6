#include "ui/setup/SetupEdit.h"

#include "app/Document.h"
#include "app/UndoStack.h"
#include "ui/app/Prompter.h"

namespace tabrel::ui {

bool runSetupEdit(Document& doc, const std::string& stepName, const std::function<bool(DataSet&)>& edit)
{
    return doc.undoStack().push(stepName, edit);
}


} // namespace tabrel::ui
