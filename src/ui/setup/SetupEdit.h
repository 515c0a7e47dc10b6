#pragma once
// The one door through which the setup windows change the school: the edit runs on the document's
// data set as one step named `stepName` (GBK). Returns whether the edit changed something.
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

// Shows a help page (UTF-8 HTML) in a window of its own.
void showHelpPage(QWidget* parent, const QString& title, const std::string& html);

} // namespace tabrel::ui
