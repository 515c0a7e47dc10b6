#pragma once
// Text at the edge between the core (GBK) and Qt (UTF-16), and file paths (UTF-8 on disk).
#include <QString>
#include <string>

#include "data/Gbk.h"

namespace tabrel::ui {

inline QString qs(const std::string& gbkText) { return QString::fromStdString(gbk::toUtf8(gbkText)); }
inline QString qu(const std::string& utf8Text) { return QString::fromStdString(utf8Text); }
inline std::string utf8(const QString& text) { return text.toStdString(); }
// GBK of a Qt text; "" when it has no GBK form.
inline std::string gbkOf(const QString& text) { return gbk::fromUtf8(text.toStdString()).value_or(std::string()); }

// A file-dialog filter of the form "name (*.ext)|*.ext||" in Qt's form "name (*.ext)".
inline QString qtFilter(const QString& filter) { return filter.section(QLatin1Char('|'), 0, 0); }

} // namespace tabrel::ui
