#include "ui/app/GuiStartup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QStandardPaths>

#include "app/Application.h"
#include "app/Document.h"
#include "app/StartDialogModel.h"
#include "ui/widgets/Icons.h"
#include "ui/app/MainFrame.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/RecentFileSettings.h"
#include "ui/app/StartDlg.h"
#include "ui/widgets/UiText.h"

// The icon resources live in the static ui library; the linker keeps them only when asked.
static void initResources()
{
    Q_INIT_RESOURCE(tabrel);
}

namespace tabrel::ui {

namespace {

// The few texts of Qt's file dialog that Qt's own Chinese catalogue leaves in English (the type
// column's "Folder", "File" …, translated in the icon provider's context since Qt 6).
class FileDialogTexts : public QTranslator {
public:
    using QTranslator::QTranslator;
    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* source, const char* disambiguation, int n) const override
    {
        Q_UNUSED(disambiguation);
        Q_UNUSED(n);
        if (qstrcmp(context, "QAbstractFileIconProvider") != 0 && qstrcmp(context, "QFileSystemModel") != 0)
            return {};
        static const char* const pairs[][2] = {
            {"Folder", "文件夹"}, {"File", "文件"}, {"Drive", "驱动器"}, {"%1 File", "%1 文件"},
            {"File Folder", "文件夹"}, {"Alias", "快捷方式"}, {"Shortcut", "快捷方式"}, {"Unknown", "未知"},
        };
        for (const auto& p : pairs)
            if (qstrcmp(source, p[0]) == 0)
                return QString::fromUtf8(p[1]);
        return {};
    }
};

} // namespace

void preferChineseDates()
{
    // Qt's file dialog writes the dates and sizes of files in the system locale: without a Chinese
    // one they come out in English. The time and number categories alone are taken as Chinese
    // (same digits and decimal point), before Qt reads them; messages and text stay as they are.
    if (!qgetenv("LC_ALL").isEmpty())
        return;
    for (const char* category : {"LC_TIME", "LC_NUMERIC"}) {
        const QByteArray value = qgetenv(category).isEmpty() ? qgetenv("LANG") : qgetenv(category);
        if (!value.startsWith("zh"))
            qputenv(category, "zh_CN.UTF-8");
    }
}

bool installChineseTranslations(QCoreApplication& qapp)
{
    QCoreApplication::installTranslator(new FileDialogTexts(&qapp));
    // Every text the user reads is Chinese, whatever the desktop's language: Qt's own dialogs
    // (file dialogs, standard buttons) take the Chinese translations installed with the program.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto* translator = new QTranslator(&qapp);
    const QString dir = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    if (!translator->load(QStringLiteral("qtbase_zh_CN"), dir) && !translator->load(QStringLiteral("qt_zh_CN"), dir)) {
        delete translator;
        return false;
    }
    QCoreApplication::installTranslator(translator);
    return true;
}

void setUpProgramFolder(Application& app)
{
    const QString exeDir = QCoreApplication::applicationDirPath();
    const QFileInfo info(exeDir);
    QString dataDir = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (dataDir.isEmpty())
        dataDir = QDir::homePath() + QStringLiteral("/.tabrel");
    const ProgramFolderChoice choice =
        chooseProgramFolder(utf8(exeDir), info.isDir() && info.isWritable(), utf8(dataDir));
    if (choice.fallback)
        QDir().mkpath(qu(choice.folder));
    app.setProgramFolder(choice);
    // The trace is the program's own state, not an output: it goes to the per-user state folder
    // (XDG_STATE_HOME, ~/.local/state on Linux), never beside the program or into the working folder.
    QString state;
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
    state = qEnvironmentVariable("XDG_STATE_HOME");
    if (state.isEmpty())
        state = QDir::homePath() + QStringLiteral("/.local/state");
    state += QStringLiteral("/tabrel");
#else
    state = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
#endif
    if (!state.isEmpty() && QDir().mkpath(state))
        app.trace().setFolder(utf8(state));
}

QString fileArgument(const QStringList& arguments)
{
    std::vector<std::string> args;
    for (const QString& a : arguments)
        args.push_back(utf8(a));
    const std::string file = commandLineFile(args);
    return file.empty() ? QString() : QFileInfo(qu(file)).absoluteFilePath();
}

bool openFirstSchedule(Application& app, Document& doc, const QString& givenFile)
{
    StartSequenceUi ui;
    ui.runDialog = [](const StartDialogModel& model) { return StartDlg::run(model); };
    ui.chooseFile = [] {
        return utf8(Prompter::current().openFile(nullptr, QStringLiteral("Tabrel排课数据文件 (*.qtf)|*.qtf||")));
    };
    ui.tell = [](const std::string& text) { Prompter::current().inform(nullptr, qu(text)); };
    ui.offerRemoval = [](const std::string& text) {
        return Prompter::current().offer(nullptr, qu(text), QStringLiteral("从列表中删除"));
    };
    return tabrel::openFirstSchedule(doc, app.history(), utf8(givenFile), ui);
}

void setUpApplication(QApplication& qapp)
{
    initResources();
    installChineseTranslations(qapp);
    // Where the keyboard is must always be visible: buttons, lists and fields show their focus.
    qapp.setStyleSheet(QStringLiteral(
        "QPushButton { padding: 4px 14px; border: 1px solid rgb(143,163,192); border-radius: 3px;"
        " background: rgb(244,247,251); min-height: 20px; }"
        "QPushButton:hover { background: rgb(230,238,248); }"
        "QPushButton:pressed { background: rgb(208,220,238); }"
        "QPushButton:disabled { color: rgb(150,150,150); border-color: rgb(200,200,200); }"
        "QPushButton:focus { border: 2px solid rgb(220,120,30); }"
        "QAbstractItemView:focus, QLineEdit:focus, QSpinBox:focus, QComboBox:focus"
        " { border: 2px solid rgb(220,120,30); }"));
    QApplication::setApplicationName(QStringLiteral("Tabrel"));
    QApplication::setOrganizationName(QStringLiteral("Tabrel"));
    QApplication::setWindowIcon(applicationIcon());
    QFont font = QApplication::font();
    font.setFamilies({QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN"), font.family()});
    QApplication::setFont(font);
}

int runTabrel(int argc, char** argv)
{
    preferChineseDates();
    QApplication qapp(argc, argv);
    setUpApplication(qapp);
    Application app;
    setUpProgramFolder(app);
    RecentFileSettings store;
    Document doc(app);
    const QString givenFile = fileArgument(QApplication::arguments());

    app.recentFiles().load(store);
    app.recentFiles().attach(&store);
    app.takeHistorySnapshot();

    if (!openFirstSchedule(app, doc, givenFile))
        return 0;
    MainFrame frame(app, doc);
    frame.placeOnScreen();
    frame.show();
    return qapp.exec();
}

} // namespace tabrel::ui
