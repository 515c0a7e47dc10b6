#include "ui/app/QelvoView.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>
#include <QKeySequence>
#include <QStackedWidget>

#include "app/Application.h"
#include "app/DataMerge.h"
#include "app/Document.h"
#include "app/TextExport.h"
#include "data/DataSet.h"
#include "manual/ManualSlot.h"
#include "setup/KmGrid.h"
#include "ui/app/HomePageWnd.h"
#include "ui/manual/PaikeTiaokeWnd.h"
#include "ui/app/Prompter.h"
#include "ui/app/TopMenuWnd.h"
#include "ui/app/UiText.h"
#include "ui/output/TeacherTeachFrame.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/output/TotalScheduleWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"
#include "ui/setup/ClassGridDefWnd.h"
#include "ui/setup/ClassManageWnd.h"
#include "setup/LessonTakeOver.h"
#include "ui/setup/KmSetWnd.h"
#include "ui/setup/TeacherClassMatchWnd.h"
#include "ui/setup/TeacherInfoWnd.h"
#include "ui/setup/TeacherRuleDlg.h"

namespace tabrel::ui {

namespace {
const QString OpenFilter = QStringLiteral("Tabrel排课数据文件 (*.qtf)|*.qtf||");
const QString SaveFilter = QStringLiteral("Tabrel排课文件 (*.qtf)|*.qtf||");
} // namespace

QelvoView::QelvoView(Application& app, Document& doc, QWidget* parent)
    : QWidget(parent), app_(app), doc_(doc), core_(app, doc)
{
    setObjectName(QStringLiteral("QelvoView"));
    topMenu_ = new TopMenuWnd(core_.topMenu(), this);
    connect(topMenu_, &TopMenuWnd::buttonReleased, this, [this](MenuButton b) { runButton(b); });

    stack_ = new QStackedWidget(this);
    home_ = new HomePageWnd(core_.home(), app_.trace());
    connect(home_, &HomePageWnd::actionChosen, this, &QelvoView::runHomeAction);
    stack_->addWidget(home_);

    DataSet& ds = doc_.dataSet();
    for (const PanelInfo& info : panels()) {
        QWidget* w = nullptr;
        switch (info.id) {
        case PanelId::ClassManage:
            classManage_ = new ClassManageWnd(ds);
            w = classManage_;
            classManage_->setEditDoor(
                [this](const std::string& step, const std::function<bool(DataSet&)>& edit) { return doc_.undoStack().push(step, edit); });
            connect(classManage_, &ClassManageWnd::homeRequested, this, [this] { runButton(MenuButton::Back); });
            core_.setBeforeShow(info.id, [this] { classManage_->refresh(); });
            break;
        case PanelId::TimeGrid:
            classGridDef_ = new ClassGridDefWnd(ds);
            w = classGridDef_;
            classGridDef_->setEditDoor(
                [this](const std::string& step, const std::function<bool(DataSet&)>& edit) { return doc_.undoStack().push(step, edit); });
            // Shown from elsewhere the tree starts again at "全校"; shown again after an undo it keeps its choice.
            core_.setBeforeShow(info.id, [this] {
                if (core_.visiblePanelId() == PanelId::TimeGrid)
                    classGridDef_->refresh();
                else
                    classGridDef_->prepareForShow();
            });
            break;
        case PanelId::AutoPaike:
            paikeRun_ = new PaikeRunWnd(doc_, app_.scheduling);
            w = paikeRun_;
            core_.setBeforeShow(info.id, [this] { paikeRun_->prepareForShow(); });
            // A problem of the check opens manual scheduling on its class with its slot in view.
            connect(paikeRun_, &PaikeRunWnd::problemChosen, this, [this](int g, int c, int p, int d) {
                if (openPanel(PanelId::ManualPaike))
                    paikeTiaoke_->showClassAt(g, c, p, d);
            });
            break;
        case PanelId::ClassTimetable:
            classFrame_ = new ClassTableFrame(&ds, app_);
            w = classFrame_;
            core_.setBeforeShow(info.id, [this] { classFrame_->prepareForShow(); });
            break;
        case PanelId::TeacherTimetable:
            teacherFrame_ = new TeacherTableFrame(&ds, app_);
            w = teacherFrame_;
            core_.setBeforeShow(info.id, [this] { teacherFrame_->prepareForShow(); });
            break;
        case PanelId::Subjects:
            kmSet_ = new KmSetWnd(doc_);
            w = kmSet_;
            core_.setBeforeShow(info.id, [this] { kmSet_->reload(); });
            // The take-over runs as one undo step; the user then reads which plan rows went.
            core_.setOnLeave(info.id, [this](DataSet& ds) {
                KmGrid::dropUnnamedSubjects(ds);
                pendingMessage_ = takeOverMessage(takeOverLessonCounts(ds));
            });
            core_.setBeforeSave(info.id, [this](DataSet& ds) { pendingMessage_ = takeOverMessage(takeOverLessonCounts(ds)); });
            break;
        case PanelId::Teachers:
            teacherInfo_ = new TeacherInfoWnd(&ds);
            teacherInfo_->setRunner(undoRunner());
            // "设置..." and "多人同时设置" open the slot-rule windows of the subjects' rules.
            teacherInfo_->setRuleWindows(
                [this](QWidget* parent, DataSet&, const std::string& name) -> std::optional<std::string> {
                    TeacherRuleDlg dlg(parent, doc_, std::vector<std::string>{name});
                    dlg.exec();
                    return dlg.summary();
                },
                [this](QWidget* parent, DataSet&) {
                    TeachersRuleDlg dlg(parent, doc_);
                    dlg.exec();
                });
            w = teacherInfo_;
            core_.setBeforeShow(info.id, [this] { teacherInfo_->prepareForShow(); });
            break;
        case PanelId::Assignments:
            teacherClassMatch_ = new TeacherClassMatchWnd(&ds);
            teacherClassMatch_->setRunner(undoRunner());
            w = teacherClassMatch_;
            core_.setBeforeShow(info.id, [this] { teacherClassMatch_->prepareForShow(); });
            break;
        case PanelId::ManualPaike:
            paikeTiaoke_ = new PaikeTiaokeWnd(ds);
            paikeTiaoke_->setEditRunner([this](const std::string& step, const std::function<bool(DataSet&)>& edit) {
                return doc_.undoStack().push(step, edit);
            });
            w = paikeTiaoke_;
            core_.setBeforeShow(info.id, [this] { paikeTiaoke_->prepareForShow(); });
            core_.setHelpSource(info.id, [this] {
                return paikeTiaoke_->showingTeachers() ? manual::teacherViewHelpPage() : manual::panelHelpPage();
            });
            break;
        case PanelId::MasterTimetable:
            totalSchedule_ = new TotalScheduleWnd(&ds, app_);
            totalSchedule_->onStatus = [this](const QString& text) { emit statusMessage(text); };
            totalSchedule_->pushEdit = [this](const std::string& name, const std::function<bool(DataSet&)>& edit) {
                return doc_.undoStack().push(name, edit);
            };
            w = totalSchedule_;
            core_.setBeforeShow(info.id, [this] { totalSchedule_->prepareForShow(); });
            break;
        case PanelId::MasterAssignment:
            teacherTeach_ = new TeacherTeachFrame(&ds);
            teacherTeach_->onStatus = [this](const QString& text) { emit statusMessage(text); };
            w = teacherTeach_;
            core_.setBeforeShow(info.id, [this] { teacherTeach_->prepareForShow(); });
            break;
        }
        w->setObjectName(QString::fromUtf8(info.key));
        stack_->addWidget(w);
        panels_[static_cast<std::size_t>(info.id)] = w;
    }
    for (TimetableFrameWnd* f : {static_cast<TimetableFrameWnd*>(classFrame_), static_cast<TimetableFrameWnd*>(teacherFrame_)})
        f->onStatus = [this](const QString& text) { emit statusMessage(text); };

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
    // The editing pages re-read the school after every step, undo and redo included.
    if (teacherInfo_ && stack_->currentWidget() == teacherInfo_)
        teacherInfo_->refresh();
    if (teacherClassMatch_ && stack_->currentWidget() == teacherClassMatch_)
        teacherClassMatch_->refresh();
    // The manual scheduling views re-read the school after every step, undo and redo included.
    if (paikeTiaoke_ && stack_->currentWidget() == paikeTiaoke_)
        paikeTiaoke_->schoolChanged();
    topMenu_->setToolTips(qs(stack.undoText()), qs(stack.redoText()));
    topMenu_->update();
    emit titleChanged();
}

EditRunner QelvoView::undoRunner()
{
    return [this](const std::string& stepName, const EditFn& edit) { return doc_.undoStack().push(stepName, edit); };
}

QWidget* QelvoView::panel(const QString& name) const
{
    auto id = panelByName(gbkOf(name));
    return id ? panel(*id) : nullptr;
}

QWidget* QelvoView::visibleWidget() const
{
    return stack_->currentWidget();
}

void QelvoView::showWidgetOf(std::optional<PanelId> panel)
{
    QWidget* w = panel ? this->panel(*panel) : home_;
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
        if (stack_->currentWidget() == totalSchedule_)
            totalSchedule_->clearSelected();
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
    if (!exportScheduleText(doc_.dataSet(), app_.programFolder())) {
        Prompter::current().inform(this, qu(textExportFailedMessage()));
        return;
    }
    const QString done = QStringLiteral("已导出排课信息数据到 %1").arg(qu(app_.programFile("paikeInfo.txt")));
    emit statusMessage(done);
    if (Prompter::current().offer(this, done, QStringLiteral("打开文件夹")))
        QDesktopServices::openUrl(QUrl::fromLocalFile(qu(app_.programFolder())));
}

void QelvoView::tellPendingMessage()
{
    if (pendingMessage_.empty())
        return;
    const std::string message = std::move(pendingMessage_);
    pendingMessage_.clear();
    Prompter::current().inform(this, qs(message));
}

void QelvoView::dataSetReplaced(DataSet& dataSet)
{
    classManage_->setDataSet(dataSet);
    classGridDef_->setDataSet(dataSet);
    classFrame_->setDataSet(&dataSet);
    teacherFrame_->setDataSet(&dataSet);
    paikeRun_->dataSetReplaced();
    kmSet_->model().select(dataSet, -1, -1);
    kmSet_->reload();
    teacherInfo_->setDataSet(&dataSet);
    teacherClassMatch_->setDataSet(&dataSet);
    paikeTiaoke_->setDataSet(dataSet);
    totalSchedule_->setDataSet(&dataSet);
    teacherTeach_->setDataSet(&dataSet);
    core_.showHome();
    emit titleChanged();
}

} // namespace tabrel::ui
