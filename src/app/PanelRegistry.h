#pragma once
// The panels of the main view and, for each, the one row that everything about it reads: its
// Chinese name (what the user sees and what the home page's steps open), its top-menu buttons,
// whether showing it needs a data file read since start-up, what showing it prepares, what "返回"
// and "保存" run first, and its help page. Nothing dispatches on the Chinese names.
#include <optional>
#include <string>
#include <vector>

namespace tabrel {

class DataSet;

enum class PanelId {
    ClassManage,      // 班级管理
    TimeGrid,         // 课时安排
    Subjects,         // 科目管理
    Teachers,         // 教师信息
    Assignments,      // 任课信息
    ManualPaike,      // 手动排课
    AutoPaike,        // 自动排课
    ClassTimetable,   // 班级课程表
    TeacherTimetable, // 教师课程表
    MasterTimetable,  // 总课程表
    MasterAssignment, // 总任课表
    VenueTimetable,   // 场室课程表
    Term,             // 学期运行
};
inline constexpr int PanelCount = 13;

// The buttons of the top menu strip.
enum class MenuButton { Close, Back, Save, SaveAs, Undo, Redo, Clear, Help, About, Open, New };
inline constexpr int MenuButtonCount = 11;

// A take-over: an edit run when leaving a panel or before saving from it, one undo step. It
// answers what the user then reads (GBK; "" for nothing).
struct TakeOver {
    const char* stepName = nullptr; // UTF-8, e.g. "科目课时转入教学计划"
    std::string (*run)(DataSet&) = nullptr;
    explicit operator bool() const { return run != nullptr; }
};

struct PanelInfo {
    PanelId id;
    const char* name;                 // UTF-8 "班级管理"
    const char* key;                  // "class-manage": object names, help anchors, screenshots
    std::vector<MenuButton> buttons;  // the top menu while the panel is shown
    const char* refusal = nullptr;    // UTF-8 message when shown without a data file read, or null
    bool preparesScheduling = false;  // after showing: the teachers' loads and taught courses made afresh
    TakeOver onLeave;                 // what "返回" runs first
    TakeOver beforeSave;              // what "保存" runs first while the panel is shown
    std::string (*helpPage)() = nullptr; // UTF-8 HTML
    // The question "返回" asks before its take-over creates records (GBK; "" asks nothing), or null.
    std::string (*leaveQuestion)(const DataSet&) = nullptr;
};

// Every panel, in menu order.
const std::vector<PanelInfo>& panels();
const PanelInfo& panelInfo(PanelId id);
// The panel of a Chinese name (GBK), as the home page's steps name them.
std::optional<PanelId> panelByName(const std::string& gbkName);
// The GBK name of a panel.
const std::string& panelName(PanelId id);

// The buttons of the home page's top menu.
const std::vector<MenuButton>& homeButtons();
// A button's text (GBK) and the button of a text, if any.
const std::string& buttonText(MenuButton button);
std::optional<MenuButton> buttonByText(const std::string& gbkText);

// The help page of the home page and of panels without one of their own (UTF-8 HTML).
std::string homeHelpPage();
std::string helpPageFor(PanelId id);


} // namespace tabrel
