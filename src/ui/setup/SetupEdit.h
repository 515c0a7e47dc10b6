#pragma once
// The one door through which the setup windows change the school: the edit runs on the document's
// data set as one step named `stepName` (GBK). Returns whether the edit changed something.
#include "ui/app/Prompter.h"
#include <QString>
#include <functional>
#include <string>

class QWidget;

namespace tabrel {
class DataSet;
class Document;
}

namespace tabrel::ui {

bool runSetupEdit(Document& doc, const std::string& stepName, const std::function<bool(DataSet&)>& edit);


} // namespace tabrel::ui
