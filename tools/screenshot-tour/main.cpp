// tabrel-screenshots FOLDER SCHOOL.qtf: the developer's screenshot tour (scripts/screenshot.sh). It
// saves a PNG of every window into FOLDER and leaves the user's settings alone.
#include <QApplication>
#include <cstdio>

#include "ScreenshotTour.h"
#include "app/Application.h"
#include "app/Document.h"
#include "ui/app/GuiStartup.h"

int main(int argc, char** argv)
{
    QApplication qapp(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::fprintf(stderr, "usage: tabrel-screenshots FOLDER SCHOOL.qtf\n");
        return 2;
    }
    tabrel::ui::setUpApplication(qapp);
    tabrel::Application app;
    tabrel::ui::setUpProgramFolder(app);
    tabrel::Document doc(app);
    return tabrel::ui::runScreenshotTour(app, doc, args[1], tabrel::ui::fileArgument({args[0], args[2]}));
}
