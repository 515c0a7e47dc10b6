#include "ui/app/QelvoView.h"

#include <QStackedWidget>

#include "app/Application.h"
#include "app/DataMerge.h"
#include "app/Document.h"
#include "app/TextExport.h"
#include "data/DataSet.h"
#include "ui/app/HomePageWnd.h"
#include "ui/app/PendingPanelWnd.h"
#include "ui/app/Prompter.h"
#include "ui/app/TopMenuWnd.h"
#include "ui/app/UiText.h"
#include "ui/output/TeacherTeachFrame.h"
#include "ui/output/TimetableFrameWnd.h"
#include "ui/output/TotalScheduleWnd.h"
#include "ui/scheduling/PaikeRunWnd.h"

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
    connect(topMenu_, &TopMenuWnd::buttonReleased, this, [this](const std::string& text) { runButton(qs(text)); });

    stack_ = new QStackedWidget(this);
    home_ = new HomePageWnd(core_.home(), app_.trace());
    connect(home_, &HomePageWnd::actionChosen, this, &QelvoView::runHomeAction);
    stack_->addWidget(home_);

    DataSet& ds = doc_.dataSet();
    for (const std::string& name : MainView::panelNames()) {
        QWidget* w = nullptr;
        if (name == GBK("自动排课")) {
            paikeRun_ = new PaikeRunWnd(ds, app_.scheduling);
            w = paikeRun_;
            core_.setBeforeShow(name, [this] { paikeRun_->prepareForShow(); });
        } else if (name == GBK("班级课程表")) {
            classFrame_ = new ClassTableFrame(&ds, app_);
            w = classFrame_;
            core_.setBeforeShow(name, [this] { classFrame_->prepareForShow(); });
        } else if (name == GBK("教师课程表")) {
            teacherFrame_ = new TeacherTableFrame(&ds, app_);
            w = teacherFrame_;
            core_.setBeforeShow(name, [this] { teacherFrame_->prepareForShow(); });
        } else if (name == GBK("总课程表")) {
            totalSchedule_ = new TotalScheduleWnd(&ds, app_);
            totalSchedule_->onStatus = [this](const QString& text) { emit statusMessage(text); };
            w = totalSchedule_;
            core_.setBeforeShow(name, [this] { totalSchedule_->prepareForShow(); });
        } else if (name == GBK("总任课表")) {
            teacherTeach_ = new TeacherTeachFrame(&ds);
            teacherTeach_->onStatus = [this](const QString& text) { emit statusMessage(text); };
            w = teacherTeach_;
            core_.setBeforeShow(name, [this] { teacherTeach_->prepareForShow(); });
        } else {
            w = new PendingPanelWnd(qs(name));
        }
        stack_->addWidget(w);
        panels_[name] = w;
    }
    for (TimetableFrameWnd* f : {static_cast<TimetableFrameWnd*>(classFrame_), static_cast<TimetableFrameWnd*>(teacherFrame_)})
        f->onStatus = [this](const QString& text) { emit statusMessage(text); };

    core_.setPanelShower([this](const std::string& name) { showNamed(name); });
    listenerId_ = doc_.addReplacementListener([this](DataSet& fresh) { dataSetReplaced(fresh); });
    core_.showHome();
}

QelvoView::~QelvoView()
{
    doc_.removeReplacementListener(listenerId_);
}

QWidget* QelvoView::panel(const QString& name) const
{
    auto it = panels_.find(gbkOf(name));
    return it == panels_.end() ? nullptr : it->second;
}

QWidget* QelvoView::visibleWidget() const
{
    return stack_->currentWidget();
}

void QelvoView::showNamed(const std::string& name)
{
    QWidget* w = home_;
    if (!name.empty())
        if (auto it = panels_.find(name); it != panels_.end())
            w = it->second;
    stack_->setCurrentWidget(w);
    if (w == home_)
        home_->update();
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
    switch (core_.runButton(gbkOf(text))) {
    case MainView::Command::None:
        break;
    case MainView::Command::Help:
        if (stack_->currentWidget() == totalSchedule_)
            totalSchedule_->showHelp();
        else if (stack_->currentWidget() == teacherTeach_)
            teacherTeach_->showHelp();
        break;
    case MainView::Command::Home:
        topMenu_->refresh();
        break;
    case MainView::Command::Quit:
        if (Prompter::current().confirm(this, QStringLiteral("是否真的退出应用程序?")))
            emit quitRequested();
        break;
    case MainView::Command::Save:
        save(false);
        break;
    case MainView::Command::SaveAs:
        save(true);
        break;
    case MainView::Command::Clear:
        if (stack_->currentWidget() == totalSchedule_)
            totalSchedule_->clearSelected();
        break;
    case MainView::Command::About:
        Prompter::current().about(this);
        break;
    }
}

void QelvoView::save(bool askForName)
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
            return;
        outcome = doc_.saveAs(utf8(path), takeOver);
        emit titleChanged();
    }
    if (outcome.step == Document::SaveStep::Failed)
        Prompter::current().inform(this, qu(saveFailureMessage(doc_.path(), outcome.result)));
    else if (outcome.step == Document::SaveStep::Saved)
        emit statusMessage(QStringLiteral("已保存：%1").arg(qu(doc_.path())));
}

void QelvoView::runHomeAction(const HomeSteps::Action& action)
{
    switch (action.kind) {
    case HomeSteps::ActionKind::None:
        break;
    case HomeSteps::ActionKind::ShowPanel:
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
    const MergeResult r = mergeDataFile(doc_.dataSet(), utf8(path));
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
    emit statusMessage(QStringLiteral("已导出排课信息数据到 %1").arg(qu(app_.programFile("paikeInfo.txt"))));
}

void QelvoView::dataSetReplaced(DataSet& dataSet)
{
    classFrame_->setDataSet(&dataSet);
    teacherFrame_->setDataSet(&dataSet);
    paikeRun_->setDataSet(dataSet);
    totalSchedule_->setDataSet(&dataSet);
    teacherTeach_->setDataSet(&dataSet);
    core_.showHome();
    emit titleChanged();
}

} // namespace tabrel::ui
