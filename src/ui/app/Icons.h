#pragma once
// The program's small pictures, drawn with QPainter: the top-menu buttons, the window icon and the
// tile of the home page's background.
#include <QIcon>
#include <QPixmap>
#include <QString>

namespace tabrel::ui {

// The picture of a top-menu button by its text ("关闭", "保存", "另存为", "帮助", "关于", "返回",
// "清空"), `size` pixels square.
QPixmap menuButtonIcon(const QString& buttonText, int size);
// The program's icon (a small timetable).
QIcon applicationIcon();
// The tile of the home page's background.
QPixmap homeBackgroundTile();

} // namespace tabrel::ui
