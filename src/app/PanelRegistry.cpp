#include "app/PanelRegistry.h"

#include <algorithm>

#include "views/HelpPages.h"
#include "app/PaikeRunPage.h"
#include "app/TermPanel.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "manual/ManualSlot.h"
#include "output/TeacherTeachTable.h"
#include "output/TotalSchedulePanel.h"
#include "output/VenueTimetable.h"
#include "scheduling/TeacherAssignment.h"
#include "setup/ClassManagePage.h"
#include "setup/CommonPeriodPage.h"
#include "setup/KmGrid.h"
#include "setup/LessonTakeOver.h"
#include "setup/TeacherClassMatch.h"
#include "setup/TeacherInfoGrid.h"

namespace tabrel {

namespace {

// The user then reads which plan rows went.
std::string takeOverLessonCountsStep(DataSet& dataSet)
{
    return takeOverMessage(takeOverLessonCounts(dataSet));
}

std::string leaveSubjects(DataSet& dataSet)
{
    KmGrid::dropUnnamedSubjects(dataSet);
    return takeOverLessonCountsStep(dataSet);
}

std::string addMissingTeachers(DataSet& dataSet)
{
    AddMissingTeachers(dataSet);
    return {};
}

using B = MenuButton;
const std::vector<MenuButton> Editing = {B::Back, B::Save, B::Undo, B::Redo, B::Help};
const std::vector<MenuButton> Viewing = {B::Back, B::Save, B::Help};
const TakeOver LessonCounts{"科目课时转入教学计划", takeOverLessonCountsStep};
const TakeOver LeaveSubjects{"科目课时转入教学计划", leaveSubjects};
const TakeOver MissingTeachers{"添加缺少的教师", addMissingTeachers};

} // namespace

const std::vector<PanelInfo>& panels()
{
    static const std::vector<PanelInfo> rows = {
        {PanelId::ClassManage, "班级管理", "class-manage", Editing, nullptr, false, {}, {}, ClassManagePage::helpPage},
        {PanelId::TimeGrid, "课时安排", "time-grid", Editing, nullptr, false, {}, {}, CommonPeriodPage::helpPage},
        {PanelId::Subjects, "科目管理", "subjects", Editing, nullptr, false, LeaveSubjects, LessonCounts, kmSetHelpPage,
         KmGrid::unnamedSubjectsQuestion},
        {PanelId::Teachers, "教师信息", "teachers", Editing, nullptr, false, {}, LessonCounts,
         TeacherInfoGrid::helpPage},
        {PanelId::Assignments, "任课信息", "assignments", Editing, nullptr, false, MissingTeachers, {},
         TeacherClassMatch::helpPage, TeacherClassMatch::addTeachersQuestion},
        {PanelId::ManualPaike, "手动排课", "manual-paike", Editing, nullptr, true, {}, {}, manual::panelHelpPage},
        {PanelId::AutoPaike, "自动排课", "auto-paike", Editing, "请保存数据后，再打开，再自动排课", true, {}, {},
         &PaikeRunPage::helpPage},
        {PanelId::ClassTimetable, "班级课程表", "class-timetable", Viewing, nullptr, false, {}, {},
         classTimetableHelpPage},
        {PanelId::TeacherTimetable, "教师课程表", "teacher-timetable", Viewing, nullptr, false, {}, {},
         teacherTimetableHelpPage},
        {PanelId::MasterTimetable, "总课程表", "master-timetable", {B::Back, B::Save, B::Undo, B::Redo, B::Clear, B::Help},
         nullptr, false, {}, {}, TotalSchedulePanel::helpPage},
        {PanelId::MasterAssignment, "总任课表", "master-assignment", Viewing, nullptr, false, {}, {},
         TeacherTeachTable::helpPage},
        {PanelId::VenueTimetable, "场室课程表", "venue-timetable", Viewing, nullptr, false, {}, {},
         venueTimetableHelpPage},
        {PanelId::Term, "学期运行", "term", Editing, nullptr, false, {}, {}, TermPanel::helpPage},
    };
    return rows;
}

const PanelInfo& panelInfo(PanelId id)
{
    return panels()[static_cast<std::size_t>(id)];
}

const std::string& panelName(PanelId id)
{
    static const std::vector<std::string> names = [] {
        std::vector<std::string> v;
        for (const PanelInfo& p : panels())
            v.push_back(gbk::literal(p.name));
        return v;
    }();
    return names[static_cast<std::size_t>(id)];
}

std::optional<PanelId> panelByName(const std::string& gbkName)
{
    for (const PanelInfo& p : panels())
        if (panelName(p.id) == gbkName)
            return p.id;
    return std::nullopt;
}

const std::vector<MenuButton>& homeButtons()
{
    static const std::vector<MenuButton> buttons = {B::Close, B::New, B::Open, B::Save, B::SaveAs, B::Help, B::About};
    return buttons;
}

namespace {
const char* const ButtonTexts[] = {"关闭", "返回", "保存", "另存为", "撤销", "重做", "清空", "帮助", "关于", "打开", "新建"};
}

const std::string& buttonText(MenuButton button)
{
    static const std::vector<std::string> texts = [] {
        std::vector<std::string> v;
        for (const char* t : ButtonTexts)
            v.push_back(gbk::literal(t));
        return v;
    }();
    return texts[static_cast<std::size_t>(button)];
}

std::optional<MenuButton> buttonByText(const std::string& gbkText)
{
    for (int b = 0; b < static_cast<int>(std::size(ButtonTexts)); ++b)
        if (buttonText(static_cast<MenuButton>(b)) == gbkText)
            return static_cast<MenuButton>(b);
    return std::nullopt;
}

std::string helpPageFor(PanelId id)
{
    const PanelInfo& p = panelInfo(id);
    return p.helpPage ? p.helpPage() : panelOverviewHelpPage(p.name);
}

} // namespace tabrel
