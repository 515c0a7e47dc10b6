#include "app/MainView.h"

#include <algorithm>

#include "app/Application.h"
#include "app/Document.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/TeacherAssignment.h"
#include "setup/LessonTakeOver.h"

namespace tabrel {

MainView::MainView(Application& app, Document& doc) : app_(app), doc_(doc)
{
    setOnLeave(GBK("科目管理"), [](DataSet& ds) { takeOverLessonCounts(ds); });
    setOnLeave(GBK("任课信息"), [](DataSet& ds) { AddMissingTeachers(ds); });
    setBeforeSave(GBK("科目管理"), [](DataSet& ds) { takeOverLessonCounts(ds); });
    setBeforeSave(GBK("教师信息"), [](DataSet& ds) { takeOverLessonCounts(ds); });
    topMenu_.setState("main");
    home_.refreshSteps(doc_.dataSet());
}

const std::vector<std::string>& MainView::panelNames()
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const char* n : {"班级管理", "课时安排", "科目管理", "教师信息", "任课信息", "手动排课", "自动排课",
                              "班级课程表", "教师课程表", "总课程表", "总任课表"})
            v.push_back(gbk::literal(n));
        return v;
    }();
    return names;
}

bool MainView::isPanelName(const std::string& name)
{
    const auto& names = panelNames();
    return std::find(names.begin(), names.end(), name) != names.end();
}

void MainView::setBeforeShow(const std::string& name, std::function<void()> prepare)
{
    beforeShow_[name] = std::move(prepare);
}

void MainView::setOnLeave(const std::string& name, std::function<void(DataSet&)> takeOver)
{
    onLeave_[name] = std::move(takeOver);
}

void MainView::setBeforeSave(const std::string& name, std::function<void(DataSet&)> takeOver)
{
    beforeSave_[name] = std::move(takeOver);
}

MainView::ShowOutcome MainView::showPanel(const std::string& name)
{
    current_ = name;
    if (!isPanelName(name))
        return {ShowResult::NoPanel, {}};
    if (name == GBK("自动排课") && !app_.loadedFromFile)
        return {ShowResult::Refused, GBK("请保存数据后，再打开，再自动排课")};

    if (auto it = beforeShow_.find(name); it != beforeShow_.end() && it->second)
        it->second();
    visible_ = name;
    if (shower_)
        shower_(name);
    topMenu_.setState(name);
    // The manual and automatic scheduling work from the teachers' taught courses.
    if (name == GBK("手动排课") || name == GBK("自动排课")) {
        ComputeAssignedPeriods(doc_.dataSet());
        doc_.dataSet().syncTeacherAssignments();
    }
    return {ShowResult::Shown, {}};
}

void MainView::showHome()
{
    home_.refreshSteps(doc_.dataSet());
    current_.clear();
    visible_.clear();
    if (shower_)
        shower_(std::string());
    topMenu_.setState("main");
}

MainView::Command MainView::runButton(const std::string& buttonText)
{
    if (buttonText == GBK("返回")) {
        if (auto it = onLeave_.find(visible_); it != onLeave_.end() && it->second)
            it->second(doc_.dataSet());
        showHome();
        return Command::Home;
    }
    if (buttonText == GBK("关闭"))
        return Command::Quit;
    if (buttonText == GBK("保存"))
        return doc_.isNewFile() ? Command::SaveAs : Command::Save;
    if (buttonText == GBK("另存为"))
        return Command::SaveAs;
    if (buttonText == GBK("清空"))
        return visible_ == GBK("总课程表") ? Command::Clear : Command::None;
    if (buttonText == GBK("关于"))
        return Command::About;
    if (buttonText == GBK("帮助"))
        return Command::Help;
    return Command::None;
}

std::function<void(DataSet&)> MainView::saveTakeOver() const
{
    if (auto it = beforeSave_.find(visible_); it != beforeSave_.end())
        return it->second;
    return {};
}

std::vector<std::string> MainView::statusPanes() const
{
    const DataSet& ds = doc_.dataSet();
    std::size_t classes = 0;
    for (const auto& g : ds.grades)
        classes += g->classes.size();
    std::vector<std::string> panes;
    panes.push_back(visible_.empty() ? std::string("主页") : gbk::toUtf8(visible_));
    panes.push_back("年级 " + std::to_string(ds.grades.size()) + "  班级 " + std::to_string(classes) + "  科目 " +
                    std::to_string(ds.subjects.size()) + "  教师 " + std::to_string(ds.teachers.size()));
    panes.push_back(app_.loadedFromFile ? "数据文件已读入" : "未读入数据文件");
    panes.push_back("文件夹：" + app_.programFolder());
    return panes;
}

Rect mainFrameRect(const Rect& screen)
{
    return Rect{screen.left, screen.top, screen.right, screen.top + std::max(400, screen.height() - 35)};
}

HomeSteps::Action MainView::homeClick(int x, int y)
{
    return home_.click(x, y);
}

} // namespace tabrel
