#include "ui/widgets/ExportPlaces.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QUrl>

#include "app/Document.h"
#include "app/ExportFolder.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/RecentFileSettings.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui::exportplaces {

namespace {

const Document* theDocument = nullptr;

QSettings settings()
{
    return QSettings(QSettings::NativeFormat, QSettings::UserScope, QString::fromUtf8(RecentFileSettings::Organisation),
                     QString::fromUtf8(RecentFileSettings::ApplicationName));
}

const QString LastFolderKey = QStringLiteral("Export/LastFolder");

void remember(const QString& folder)
{
    if (!folder.isEmpty())
        settings().setValue(LastFolderKey, QDir::cleanPath(folder));
}

} // namespace

void setDocument(const Document* document)
{
    theDocument = document;
}

QString startFolder()
{
    ExportFolderSources sources;
    if (theDocument)
        sources.dataFileFolder = theDocument->folder();
    sources.lastUsed = utf8(settings().value(LastFolderKey).toString());
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir())
        documents = QDir::homePath();
    sources.fallback = utf8(documents);
    return qu(defaultExportFolder(sources, [](const std::string& f) { return QFileInfo(qu(f)).isDir(); }));
}

QString askFolder(QWidget* parent, const QString& what)
{
    const QString folder =
        Prompter::current().chooseFolder(parent, QStringLiteral("选择%1的导出文件夹").arg(what), startFolder());
    remember(folder);
    return folder;
}

QString askFile(QWidget* parent, const QString& filter, const QString& suffix, const QString& fileName)
{
    const QString start = QDir(startFolder()).filePath(fileName);
    const QString path = Prompter::current().saveFile(parent, filter, suffix, start);
    if (!path.isEmpty())
        remember(QFileInfo(path).absolutePath());
    return path;
}

void tellWritten(QWidget* parent, const QString& text, const QString& folder)
{
    if (Prompter::current().offer(parent, text, QStringLiteral("打开文件夹")))
        QDesktopServices::openUrl(QUrl::fromLocalFile(folder));
}

} // namespace tabrel::ui::exportplaces
