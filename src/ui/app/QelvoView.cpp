#include "ui/app/QelvoView.h"

#include <QAction>
#include <QKeySequence>
#include <QStackedWidget>

#include "app/Application.h"
#include "app/DataMerge.h"
#include "app/ExportFolder.h"
#include "app/Document.h"
#include "app/TextExport.h"
#include "data/DataSet.h"
#include "manual/ManualSlot.h"
#include "setup/KmGrid.h"
#include "ui/app/HomePageWnd.h"
#include "ui/app/PanelWindows.h"
#include "ui/manual/PaikeTiaokeWnd.h"
#include "ui/widgets/ExportPlaces.h"
#include "ui/widgets/Prompter.h"
#include "ui/app/TopMenuWnd.h"
#include "ui/widgets/UiText.h"
#include "ui/output/TeacherTeachFrame.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/output/TotalScheduleWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/setup/ClassGridDefWnd.h"
#include "ui/setup/ClassManageWnd.h"
#include "ui/setup/KmSetWnd.h"
#include "ui/setup/TeacherClassMatchWnd.h"
#include "ui/setup/TeacherInfoWnd.h"

namespace tabrel::ui {

namespace {
const QString OpenFilter = QStringLiteral("Tabrel排课数据文件 (*.qtf)|*.qtf||");
const QString SaveFilter = QStringLiteral("Tabrel排课文件 (*.qtf)|*.qtf||");
} // namespace

QelvoView::QelvoView(Application& app, Document& doc, QWidget* parent)
    : QWidget(parent), app_(app), doc_(doc), core_(app, doc)
{
    setObjectName(QStringLiteral("QelvoView"));
    exportplaces::setDocument(&doc_);
    topMenu_ = new TopMenuWnd(core_.topMenu(), this);
    connect(topMenu_, &TopMenuWnd::buttonReleased, this, [this](MenuButton b) { runButton(b); });

    stack_ = new QStackedWidget(this);
    home_ = new HomePageWnd(core_.home(), app_.trace());
    connect(home_, &HomePageWnd::actionChosen, this, &QelvoView::runHomeAction);
    stack_->addWidget(home_);

    for (const PanelInfo& info : panels()) {
        const PanelId id = info.id;
        PanelWindow* w = makePanelWindow(id, app_, doc_);
        connect(w, &PanelWindow::statusMessage, this, &QelvoView::statusMessage);
        connect(w, &PanelWindow::homeRequested, this, [this] { runButton(MenuButton::Back); });
        // A window asks for a place in another panel (a problem of the check: its class and slot).
        connect(w, &PanelWindow::openRequested, this, [this](PanelId target, const PanelTarget& place) {
            if (openPanel(target))
                panel(target)->showTarget(place);
        });
        core_.setBeforeShow(id, [this, w, id] { w->beforeShow(core_.visiblePanelId() == id); });
        w->setObjectName(QString::fromUtf8(info.key));
        stack_->addWidget(w);
        panels_[static_cast<std::size_t>(id)] = w;
    }
    // F1 in manual scheduling shows the help of the view in front.
    core_.setHelpSource(PanelId::ManualPaike, [this] {
        const PaikeTiaokeWnd* manual = paikeTiaoke();
        return manual && manual->showingTeachers() ? manual::teacherViewHelpPage() : manual::panelHelpPage();
    });

    makeAction(MenuButton::Save, {QKeySequence::Save});
    makeAction(MenuButton::Undo, {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    makeAction(MenuButton::Redo, {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    makeAction(MenuButton::Help, {QKeySequence(Qt::Key_F1)});
    makeAction(MenuButton::Open, {QKeySequence::Open});
    makeAction(MenuButton::New, {QKeySequence::New});

    core_.setPanelShower([this](std::optional<PanelId> panel) { showWidgetOf(panel); });
    listenerId_ = doc_.addReplacementListener([this](DataSet& fresh) { dataSetReplaced(fresh); });
    undoListenerId_ = doc_.undoStack().addListener([this] { schoolChanged(); });
    core_.showHome();
    schoolChanged();
}

QelvoView::~QelvoView()
{
    doc_.undoStack().removeListener(undoListenerId_);
    doc_.removeReplacementListener(listenerId_);
}

QAction* QelvoView::makeAction(MenuButton button, const QList<QKeySequence>& keys)
{
    auto* a = new QAction(qs(buttonText(button)), this);
    a->setShortcuts(keys);
    a->setShortcutContext(Qt::WindowShortcut);
    connect(a, &QAction::triggered, this, [this, button] { runButton(button); });
    addAction(a);
    actions_[static_cast<std::size_t>(button)] = a;
    return a;
}

QAction* QelvoView::action(MenuButton button) const
{
    return actions_[static_cast<std::size_t>(button)];
}

void QelvoView::schoolChanged()
{
    const UndoStack& stack = doc_.undoStack();
    if (QAction* a = action(MenuButton::Undo)) {
        a->setEnabled(stack.canUndo());
        a->setText(qs(stack.undoText()));
    }
    if (QAction* a = action(MenuButton::Redo)) {
        a->setEnabled(stack.canRedo());
        a->setText(qs(stack.redoText()));
    }
    core_.refreshUndoButtons();
    // The visible page re-reads the school after every step, undo and redo included.
    if (PanelWindow* w = visiblePanel())
        w->afterSchoolChange();
    topMenu_->setToolTips(qs(stack.undoText()), qs(stack.redoText()));
    topMenu_->update();
    emit titleChanged();
}

QWidget* QelvoView::panel(const QString& name) const
{
    auto id = panelByName(gbkOf(name));
    return id ? panel(*id) : nullptr;
}

PanelWindow* QelvoView::visiblePanel() const
{
    return qobject_cast<PanelWindow*>(stack_->currentWidget());
}

ClassTableFrame* QelvoView::classFrame() const { return static_cast<ClassTableFrame*>(panel(PanelId::ClassTimetable)); }
TeacherTableFrame* QelvoView::teacherFrame() const { return static_cast<TeacherTableFrame*>(panel(PanelId::TeacherTimetable)); }
PaikeRunWnd* QelvoView::paikeRun() const { return static_cast<PaikeRunWnd*>(panel(PanelId::AutoPaike)); }
ClassManageWnd* QelvoView::classManage() const { return static_cast<ClassManageWnd*>(panel(PanelId::ClassManage)); }
ClassGridDefWnd* QelvoView::classGridDef() const { return static_cast<ClassGridDefWnd*>(panel(PanelId::TimeGrid)); }
KmSetWnd* QelvoView::kmSet() const { return static_cast<KmSetWnd*>(panel(PanelId::Subjects)); }
TeacherInfoWnd* QelvoView::teacherInfo() const { return static_cast<TeacherInfoWnd*>(panel(PanelId::Teachers)); }
TeacherClassMatchWnd* QelvoView::teacherClassMatch() const
{
    return static_cast<TeacherClassMatchWnd*>(panel(PanelId::Assignments));
}
PaikeTiaokeWnd* QelvoView::paikeTiaoke() const { return static_cast<PaikeTiaokeWnd*>(panel(PanelId::ManualPaike)); }
TotalScheduleWnd* QelvoView::totalSchedule() const { return static_cast<TotalScheduleWnd*>(panel(PanelId::MasterTimetable)); }
TeacherTeachFrame* QelvoView::teacherTeach() const { return static_cast<TeacherTeachFrame*>(panel(PanelId::MasterAssignment)); }

QWidget* QelvoView::visibleWidget() const
{
    return stack_->currentWidget();
}

void QelvoView::showWidgetOf(std::optional<PanelId> panel)
{
    QWidget* w = panel ? static_cast<QWidget*>(this->panel(*panel)) : home_;
    stack_->setCurrentWidget(w);
    if (w == home_)
        home_->update();
    // The keyboard starts where the user works: the page just shown (its first focusable part).
    if (w->focusPolicy() != Qt::NoFocus)
        w->setFocus(Qt::OtherFocusReason);
    else if (QWidget* first = w->nextInFocusChain(); first && w->isAncestorOf(first))
        first->setFocus(Qt::OtherFocusReason);
    topMenu_->refresh();
    emit panelShown();
}

void QelvoView::resizeEvent(QResizeEvent*)
{
    const int band = TopMenuStrip::bandHeight(height());
    topMenu_->setGeometry(0, 0, width(), band);
    stack_->setGeometry(0, band, width(), std::max(0, height() - band));
    topMenu_->refresh();
}

bool QelvoView::openPanel(PanelId id)
{
    const auto outcome = core_.showPanel(id);
    topMenu_->refresh();
    if (outcome.result == MainView::ShowResult::Refused) {
        Prompter::current().inform(this, qs(outcome.message));
        return false;
    }
    return outcome.result == MainView::ShowResult::Shown;
}

bool QelvoView::openPanel(const QString& name)
{
    const auto outcome = core_.showPanel(gbkOf(name));
    topMenu_->refresh();
    if (outcome.result == MainView::ShowResult::Refused) {
        Prompter::current().inform(this, qs(outcome.message));
        return false;
    }
    return outcome.result == MainView::ShowResult::Shown;
}

void QelvoView::runButton(const QString& text)
{
    if (auto b = buttonByText(gbkOf(text)))
        runButton(*b);
}

void QelvoView::runButton(MenuButton button)
{
    if (button == MenuButton::Back)
        if (const std::string q = core_.leaveQuestion(); !q.empty() && !Prompter::current().confirm(this, qs(q)))
            return;
    switch (core_.runButton(button)) {
    case MainView::Command::None:
        break;
    case MainView::Command::Help:
        Prompter::current().help(this, qs(core_.visiblePanel().empty() ? GBK("主页") : core_.visiblePanel()),
                                 QString::fromStdString(core_.helpPage()));
        break;
    case MainView::Command::Undo:
    case MainView::Command::Redo:
        if (core_.visiblePanelId())
            core_.showPanel(*core_.visiblePanelId());
        else
            home_->update();
        break;
    case MainView::Command::Home:
        topMenu_->refresh();
        tellPendingMessage();
        break;
    case MainView::Command::Quit:
        if (!core_.quitNeedsConfirmation() ||
            Prompter::current().confirm(this, QString::fromUtf8(MainView::QuitQuestion())))
            emit quitRequested();
        break;
    case MainView::Command::Save:
        save(false);
        tellPendingMessage();
        break;
    case MainView::Command::SaveAs:
        save(true);
        tellPendingMessage();
        break;
    case MainView::Command::Clear:
        if (PanelWindow* w = visiblePanel())
            w->clearCommand();
        break;
    case MainView::Command::About:
        Prompter::current().about(this);
        break;
    case MainView::Command::Open:
        emit openRequested();
        break;
    case MainView::Command::New:
        emit newRequested();
        break;
    }
}

bool QelvoView::save(bool askForName)
{
    const auto takeOver = core_.saveTakeOver();
    Document::SaveOutcome outcome;
    if (!askForName) {
        outcome = doc_.save(takeOver);
        askForName = outcome.step == Document::SaveStep::NeedsSaveAs;
    }
    if (askForName) {
        const QString path = Prompter::current().saveFile(this, SaveFilter, QStringLiteral("qtf"));
        if (path.isEmpty())
            return false;
        outcome = doc_.saveAs(utf8(path), takeOver);
        emit titleChanged();
    }
    if (outcome.step == Document::SaveStep::Failed)
        Prompter::current().inform(this, qu(saveFailureMessage(doc_.path(), outcome.result)));
    else if (outcome.step == Document::SaveStep::Saved)
        emit statusMessage(QStringLiteral("已保存：%1").arg(qu(doc_.path())));
    emit titleChanged();
    return outcome.step == Document::SaveStep::Saved;
}

void QelvoView::runHomeAction(const HomeSteps::Action& action)
{
    switch (action.kind) {
    case HomeSteps::ActionKind::None:
        break;
    case HomeSteps::ActionKind::ShowPanel:
        if (action.panel)
            openPanel(*action.panel);
        else
            openPanel(qs(action.panelName));
        break;
    case HomeSteps::ActionKind::MergeData:
        mergeData();
        break;
    case HomeSteps::ActionKind::ExportText:
        exportText();
        break;
    }
}

void QelvoView::mergeData()
{
    const QString path = Prompter::current().openFile(this, OpenFilter);
    if (path.isEmpty())
        return;
    MergeResult r;
    doc_.undoStack().push(GBK("合并数据"), [&](DataSet& ds) {
        r = mergeDataFile(ds, utf8(path));
        return r.merged();
    });
    if (r.merged()) {
        core_.home().refreshSteps(doc_.dataSet());
        home_->update();
        emit statusMessage(QStringLiteral("已合并数据：%1").arg(path));
    } else if (r.needsMessageBox()) {
        Prompter::current().inform(this, qu(r.message));
    } else {
        emit statusMessage(qu(r.message));
    }
}

void QelvoView::exportText()
{
    const QString folder = exportplaces::askFolder(this, QStringLiteral("排课信息数据"));
    if (folder.isEmpty())
        return;
    if (!exportScheduleText(doc_.dataSet(), utf8(folder))) {
        Prompter::current().inform(this, qu(textExportFailedMessage()));
        return;
    }
    const QString done =
        QStringLiteral("已导出排课信息数据到 %1").arg(qu(exportPath(utf8(folder), "paikeInfo.txt")));
    emit statusMessage(done);
    exportplaces::tellWritten(this, done, folder);
}

void QelvoView::tellPendingMessage()
{
    const std::string message = core_.takePendingMessage();
    if (!message.empty())
        Prompter::current().inform(this, qs(message));
}

void QelvoView::dataSetReplaced(DataSet& dataSet)
{
    for (PanelWindow* w : panels_)
        w->schoolReplaced(dataSet);
    core_.showHome();
    emit titleChanged();
}

} // namespace tabrel::ui
