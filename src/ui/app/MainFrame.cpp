#include "ui/app/MainFrame.h"

#include <QDragEnterEvent>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QMimeData>
#include <QScreen>
#include <QStatusBar>
#include <QUrl>

#include "app/Application.h"
#include "app/Document.h"
#include "app/StartDialogModel.h"
#include "data/DataSet.h"
#include "ui/widgets/Icons.h"
#include "ui/widgets/Prompter.h"
#include "ui/app/QelvoView.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

namespace {
// The data file of a drop among its local files, or "".
QString droppedFile(const QMimeData* mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    std::vector<std::string> files;
    for (const QUrl& url : mime->urls())
        if (url.isLocalFile())
            files.push_back(utf8(url.toLocalFile()));
    return qu(droppedDataFile(files));
}
} // namespace

MainFrame::MainFrame(Application& app, Document& doc, QWidget* parent) : QMainWindow(parent), app_(app), doc_(doc)
{
    setObjectName(QStringLiteral("MainFrame"));
    setWindowIcon(applicationIcon());
    view_ = new QelvoView(app_, doc_, this);
    setCentralWidget(view_);
    for (auto*& pane : panes_) {
        pane = new QLabel(this);
        pane->setFrameShape(QFrame::Panel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setContentsMargins(6, 0, 6, 0);
        statusBar()->addPermanentWidget(pane);
    }
    connect(view_, &QelvoView::titleChanged, this, [this] {
        updateTitle();
        updatePanes();
    });
    connect(view_, &QelvoView::statusMessage, this, [this](const QString& text) {
        statusBar()->showMessage(text, 15000);
        updatePanes();
    });
    connect(view_, &QelvoView::panelShown, this, &MainFrame::updatePanes);
    connect(view_, &QelvoView::quitRequested, this, &QMainWindow::close);
    connect(view_, &QelvoView::openRequested, this, &MainFrame::openFromMenu);
    connect(view_, &QelvoView::newRequested, this, &MainFrame::newFromMenu);
    setAcceptDrops(true);
    updateTitle();
    updatePanes();
}

void MainFrame::updateTitle()
{
    setWindowTitle(qu(doc_.windowTitle()));
}

void MainFrame::updatePanes()
{
    const std::vector<std::string> texts = view_->core().statusPanes();
    for (std::size_t i = 0; i < texts.size() && i < std::size(panes_); ++i)
        panes_[i]->setText(qu(texts[i]));
}

void MainFrame::placeOnScreen()
{
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect r = screen->availableGeometry();
        const Rect place = mainFrameRect(Rect{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()});
        setGeometry(place.left, place.top, place.width(), place.height());
    } else {
        resize(1280, 765);
    }
}

bool MainFrame::maybeSave()
{
    if (!doc_.isModified())
        return true;
    switch (Prompter::current().askSave(this, QString::fromUtf8(Document::SaveQuestion()))) {
    case Prompter::SaveChoice::Save:
        return view_->save(false);
    case Prompter::SaveChoice::Discard:
        return true;
    case Prompter::SaveChoice::Cancel:
        break;
    }
    return false;
}

void MainFrame::closeEvent(QCloseEvent* e)
{
    if (maybeSave())
        e->accept();
    else
        e->ignore();
}

void MainFrame::openFromMenu()
{
    if (!maybeSave())
        return;
    const QString path = Prompter::current().openFile(this, QStringLiteral("Tabrel排课数据文件 (*.qtf)|*.qtf||"));
    if (path.isEmpty())
        return;
    if (readDataFile(path))
        view_->core().showHome();
}

void MainFrame::newFromMenu()
{
    if (!maybeSave())
        return;
    doc_.newSchedule();
    view_->core().showHome();
    updateTitle();
    updatePanes();
    statusBar()->showMessage(QStringLiteral("已新建排课"), 15000);
}

bool MainFrame::openDataFile(const QString& path)
{
    return maybeSave() && readDataFile(path);
}

bool MainFrame::readDataFile(const QString& path)
{
    const FileResult result = doc_.open(utf8(path));
    if (!result.ok()) {
        Prompter::current().inform(this, qu(openFailureMessage(utf8(path), result)));
        return false;
    }
    for (const auto& notice : openNotices(result))
        Prompter::current().inform(this, qu(notice));
    updateTitle();
    updatePanes();
    statusBar()->showMessage(QStringLiteral("已打开：%1").arg(path), 15000);
    return true;
}

void MainFrame::dragEnterEvent(QDragEnterEvent* e)
{
    if (!droppedFile(e->mimeData()).isEmpty())
        e->acceptProposedAction();
}

void MainFrame::dropEvent(QDropEvent* e)
{
    const QString path = droppedFile(e->mimeData());
    if (path.isEmpty())
        return;
    e->acceptProposedAction();
    // The file is read into a fresh data set that replaces the current one only when it was read.
    openDataFile(path);
}

} // namespace tabrel::ui
