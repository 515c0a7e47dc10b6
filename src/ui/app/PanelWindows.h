#pragma once
// The Qt half of the panel registry: for every PanelId the factory that makes its window from the
// application and the document. The core's row (app/PanelRegistry.cpp) says everything else about
// the panel; the core cannot name a Qt window, so the factory sits here, one row per panel.
#include "app/PanelRegistry.h"

namespace tabrel {
class Application;
class Document;
}

namespace tabrel::ui {

class PanelWindow;

// A new window of the panel, not yet shown; the caller owns it.
PanelWindow* makePanelWindow(PanelId id, Application& app, Document& doc);

} // namespace tabrel::ui
