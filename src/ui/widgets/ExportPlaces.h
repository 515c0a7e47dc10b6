#pragma once
// The place of every export the windows make: the folder question starts in the data file's folder,
// then in the last folder used (kept in the per-user settings), then in the user's documents; the
// chosen folder is remembered, and after writing the user is told where and offered "打开文件夹".
#include <QString>

class QWidget;

namespace tabrel {
class Document;
}

namespace tabrel::ui {

namespace exportplaces {

// The open school whose data-file folder comes first; set once by the main view.
void setDocument(const Document* document);

// The folder an export question starts in.
QString startFolder();
// Asks for the folder of an export (`what` names it: "班级课程表"); "" when cancelled. The chosen
// folder is remembered as the last one used.
QString askFolder(QWidget* parent, const QString& what);
// The save-file question of a one-file export, starting at startFolder()/`fileName`; "" when
// cancelled. The folder of the chosen file is remembered.
QString askFile(QWidget* parent, const QString& filter, const QString& suffix, const QString& fileName);
// Says what was written where (`text` names the place) with "打开文件夹" beside "关闭"; the button
// opens `folder` in the desktop's file manager.
void tellWritten(QWidget* parent, const QString& text, const QString& folder);

} // namespace exportplaces

} // namespace tabrel::ui
