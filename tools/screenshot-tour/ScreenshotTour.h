#pragma once
// Developer aid, its own program (tabrel-screenshots, run by scripts/screenshot.sh): walks the start dialog, the
// home page (empty school and the given school), the automatic-scheduling page before and after a
// run, both timetable panels, both views of the manual scheduling panel in both modes (a swap
// pending, a lesson dragged) and a pending panel, and saves a PNG of each window into the folder.
#include <QString>

namespace tabrel {
class Application;
class Document;
}

namespace tabrel::ui {

// Returns 0 when every picture was saved.
int runScreenshotTour(Application& app, Document& doc, const QString& folder, const QString& schoolFile);

} // namespace tabrel::ui
