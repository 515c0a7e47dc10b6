#pragma once
// Start-up of the desktop program: program folder, recent files, the start dialog or the file named
// on the command line, then the main window.
#include <QString>
#include <QStringList>

class QApplication;
class QCoreApplication;

namespace tabrel {
class Application;
class Document;
}

namespace tabrel::ui {

// The program folder: the executable's folder when writable, else the per-user data folder.
void setUpProgramFolder(Application& app);
// The data file named among the arguments (the first one that is not an option), or "".
QString fileArgument(const QStringList& arguments);
// Opens the given file, or runs the start dialog (also when the given file cannot be read).
// False when the user quit.
bool openFirstSchedule(Application& app, Document& doc, const QString& givenFile);
// Sets the Chinese locale and loads Qt's own Chinese translations; false when they are not installed.
bool installChineseTranslations(QCoreApplication& qapp);
// Before the application object exists: file dates and sizes in Chinese when the desktop gives
// no Chinese time and number locale.
void preferChineseDates();

// The program's look: resources, Chinese translations, the style sheet, names, icon and font.
void setUpApplication(QApplication& qapp);

int runTabrel(int argc, char** argv);

} // namespace tabrel::ui
