#include "ui/widgets/RecentFileSettings.h"

#include <QSettings>

namespace tabrel::ui {

std::vector<std::string> RecentFileSettings::load()
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(Organisation),
                QString::fromUtf8(ApplicationName));
    s.beginGroup(QString::fromUtf8(ListGroup));
    std::vector<std::string> entries;
    for (int i = 1; i <= RecentFileList::MaxEntries; ++i)
        entries.push_back(s.value(QStringLiteral("File%1").arg(i)).toString().toStdString());
    return entries;
}

void RecentFileSettings::save(const std::vector<std::string>& entries)
{
    QSettings s(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(Organisation),
                QString::fromUtf8(ApplicationName));
    s.beginGroup(QString::fromUtf8(ListGroup));
    for (int i = 1; i <= RecentFileList::MaxEntries; ++i) {
        const QString key = QStringLiteral("File%1").arg(i);
        if (i <= static_cast<int>(entries.size()))
            s.setValue(key, QString::fromStdString(entries[i - 1]));
        else
            s.remove(key);
    }
}

} // namespace tabrel::ui
