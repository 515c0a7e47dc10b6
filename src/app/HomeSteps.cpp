#include "app/HomeSteps.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

std::string HomeSteps::Item::panelName() const
{
    if (kind == Kind::Tool)
        return {};
    return panel ? tabrel::panelName(*panel) : title;
}

HomeSteps::HomeSteps()
{
    struct StepText { const char* title; const char* description; const char* message; PanelId panel; };
    static const StepText steps[StepCount] = {
        {"1. 班级管理", "设置年级和班级数量，并命名", "设置年级和班级数量，并命名", PanelId::ClassManage},
        {"2. 课时安排", "设置上课天数及每天上课节数", "请先运行班级管理", PanelId::TimeGrid},
        {"3. 科目管理", "设置开设和课程名称及每个课程在各年级中的数量", "请先运行课时安排", PanelId::Subjects},
        {"4. 教师信息", "录入教师信息及选择各教师任教的班级", "请先运行科目管理", PanelId::Teachers},
        {"5. 任课信息", "将任课教师，填入到相应的班级", "请先完成前四个步骤录入", PanelId::Assignments},
        {"6. 手动排课", "手动排课及手动调课", "请先完成前五个步骤录入", PanelId::ManualPaike},
        {"7. 自动排课", "电脑自动排课", "请先完成前五个步骤录入", PanelId::AutoPaike},
    };
    for (const auto& s : steps) {
        Item item;
        item.kind = Kind::Step;
        item.title = gbk::literal(s.title);
        item.description = gbk::literal(s.description);
        item.message = gbk::literal(s.message);
        item.panel = s.panel;
        items_.push_back(item);
    }
    struct OutputText { const char* title; std::optional<PanelId> panel; };
    static const OutputText outputs[] = {
        {"班级课程表", PanelId::ClassTimetable},
        {"教师课程表", PanelId::TeacherTimetable},
        {"总课程表", PanelId::MasterTimetable},
        {"总任课表", PanelId::MasterAssignment},
        {"场室课程表", PanelId::VenueTimetable},
    };
    for (const auto& o : outputs) {
        Item item;
        item.kind = Kind::Output;
        item.title = gbk::literal(o.title);
        item.panel = o.panel;
        items_.push_back(item);
    }
    for (const char* t : {"合并数据", "导出排课信息数据"}) {
        Item item;
        item.kind = Kind::Tool;
        item.title = gbk::literal(t);
        items_.push_back(item);
    }
    // Running the term: beside the outputs, after the tools in the list so their places stay.
    Item term;
    term.kind = Kind::Output;
    term.title = gbk::literal("学期运行");
    term.panel = PanelId::Term;
    items_.push_back(term);
    items_[0].available = true;
}

void HomeSteps::refreshSteps(const DataSet& dataSet)
{
    const bool grades = !dataSet.grades.empty();
    const bool subjects = grades && !dataSet.subjects.empty();
    const bool teachers = subjects && !dataSet.teachers.empty();
    for (std::size_t i = 0; i < items_.size(); ++i) {
        Item& item = items_[i];
        switch (item.kind) {
        case Kind::Step: {
            const int n = static_cast<int>(i) + 1;
            item.available = n == 1 || (n <= 3 && grades) || (n <= 5 && subjects) || teachers;
            break;
        }
        case Kind::Output:
        case Kind::Tool:
            item.available = teachers;
            break;
        }
    }
    if (focus_ >= 0 && (focus_ >= static_cast<int>(items_.size()) || !items_[focus_].available))
        focus_ = -1;
}

void HomeSteps::layout(int width, int height)
{
    width = std::max(width, 320);
    height = std::max(height, 240);
    const int margin = width / 24;
    // Four boxes and three arrows (each a quarter of a box) in the first row.
    const int boxW = (width - 2 * margin) * 4 / 19;
    const int arrowW = boxW / 4;
    const int boxH = std::clamp(height / 5, 80, 150);
    bandHeight_ = std::max(boxH / 3, 26);
    const int top = height / 10;
    const int rowGap = boxH / 3;

    arrows_.clear();
    auto place = [&](int index, int x, int y, int w, int h) {
        items_[index].rect = Rect{x, y, x + w, y + h};
    };
    // Steps 1–4.
    for (int i = 0; i < 4; ++i)
        place(i, margin + i * (boxW + arrowW), top, boxW, boxH);
    // Steps 5–7, starting under step 1.
    const int row2 = top + boxH + rowGap;
    for (int i = 0; i < 3; ++i)
        place(4 + i, margin + i * (boxW + arrowW), row2, boxW, boxH);
    auto join = [&](int a, int b) {
        const Rect& ra = items_[a].rect;
        const Rect& rb = items_[b].rect;
        const int y = (ra.top + ra.bottom) / 2;
        arrows_.push_back({ra.right + arrowW / 6, y, rb.left - arrowW / 6, y});
    };
    for (int i = 0; i < 3; ++i)
        join(i, i + 1);
    join(4, 5);
    join(5, 6);

    // Outputs and tools: two groups of buttons below the steps.
    const int row3 = row2 + boxH + rowGap;
    const int headingH = bandHeight_;
    const int buttonH = std::clamp(boxH / 2, 40, 70);
    const int gap = arrowW / 3;
    const int outputsW = (width - 2 * margin) * 5 / 8;
    const int outputCount = 6; // the five outputs and 学期运行 (the last item)
    const int outputW = (outputsW - (outputCount - 1) * gap) / outputCount;
    outputsHeading_ = Rect{margin, row3, margin + outputsW, row3 + headingH};
    for (int i = 0; i < 5; ++i)
        place(7 + i, margin + i * (outputW + gap), row3 + headingH + gap, outputW, buttonH);
    place(14, margin + 5 * (outputW + gap), row3 + headingH + gap, outputW, buttonH);
    const int toolsLeft = margin + outputsW + arrowW;
    const int toolsW = width - margin - toolsLeft;
    const int toolW = (toolsW - gap) / 2;
    toolsHeading_ = Rect{toolsLeft, row3, toolsLeft + toolsW, row3 + headingH};
    for (int i = 0; i < 2; ++i)
        place(12 + i, toolsLeft + i * (toolW + gap), row3 + headingH + gap, toolW, buttonH);
}

int HomeSteps::hitTest(int x, int y) const
{
    for (std::size_t i = 0; i < items_.size(); ++i)
        if (items_[i].rect.contains(x, y))
            return static_cast<int>(i);
    return -1;
}

bool HomeSteps::setHover(int x, int y)
{
    const int h = hitTest(x, y);
    if (h == hover_)
        return false;
    hover_ = h;
    return true;
}

bool HomeSteps::hoverActive() const
{
    return hover_ >= 0 && hover_ < static_cast<int>(items_.size()) && items_[hover_].available;
}

bool HomeSteps::moveFocus(int step)
{
    const int n = static_cast<int>(items_.size());
    if (n == 0 || step == 0)
        return false;
    int i = focus_ < 0 ? (step > 0 ? -1 : 0) : focus_;
    for (int tries = 0; tries < n; ++tries) {
        i = ((i + (step > 0 ? 1 : -1)) % n + n) % n;
        if (items_[i].available) {
            focus_ = i;
            return true;
        }
    }
    focus_ = -1;
    return false;
}

HomeSteps::Action HomeSteps::click(int x, int y) const
{
    return activate(hitTest(x, y));
}

HomeSteps::Action HomeSteps::activate(int itemIndex) const
{
    if (itemIndex < 0 || itemIndex >= static_cast<int>(items_.size()))
        return {};
    const Item& item = items_[itemIndex];
    if (!item.available)
        return {};
    if (item.kind == Kind::Tool)
        return {itemIndex == 12 ? ActionKind::MergeData : ActionKind::ExportText, {}};
    return {ActionKind::ShowPanel, item.panel, item.panelName()};
}

Rgb HomeSteps::bandColour(bool available)
{
    return available ? Rgb{112, 144, 190} : Rgb{200, 200, 200};
}

} // namespace tabrel
