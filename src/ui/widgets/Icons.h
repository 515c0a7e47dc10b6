#pragma once
// The program's small pictures, drawn with QPainter: the top-menu buttons, the window icon and the
// tile of the home page's background.
#include <QIcon>
#include <QPixmap>
#include <QString>

#include "app/PanelRegistry.h"

namespace tabrel::ui {

// The picture of a top-menu button, `size` pixels square.
QPixmap menuButtonIcon(MenuButton button, int size);
// The program's icon (a small timetable).
QIcon applicationIcon();
// The tile of the home page's background.
QPixmap homeBackgroundTile();

} // namespace tabrel::ui
