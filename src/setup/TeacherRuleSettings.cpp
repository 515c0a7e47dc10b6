#include "setup/TeacherRuleSettings.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

TeacherRuleSettings::TeacherRuleSettings(std::vector<std::string> teacherNames)
{
    grid_.setTeachers(std::move(teacherNames));
}

TeacherRuleSettings::TeacherRuleSettings(const DataSet& ds) : checkList_(true)
{
    reload(ds);
}

std::string TeacherRuleSettings::title() const
{
    if (checkList_)
        return GBK("预设“尽量排、一定排、不排”");
    std::string names;
    for (const std::string& t : grid_.teachers())
        names += (names.empty() ? "" : ",") + t;
    return GBK("对 ") + names + GBK(" 进行设置");
}

const std::string& TeacherRuleSettings::checkListLabel() { return GBK("所针对教师"); }
const std::string& TeacherRuleSettings::multiButtonText() { return GBK("多选◢"); }

bool TeacherRuleSettings::ticked(int index) const
{
    return index >= 0 && index < static_cast<int>(ticks_.size()) && ticks_[index];
}

bool TeacherRuleSettings::setTicked(int index, bool on)
{
    if (index < 0 || index >= static_cast<int>(ticks_.size()) || ticks_[index] == on)
        return false;
    ticks_[index] = on;
    updateSelection();
    return true;
}

void TeacherRuleSettings::toggleAll()
{
    const bool all = !ticks_.empty() && std::find(ticks_.begin(), ticks_.end(), false) == ticks_.end();
    ticks_.assign(ticks_.size(), !all);
    updateSelection();
}

void TeacherRuleSettings::reload(const DataSet& ds)
{
    if (checkList_) {
        listNames_.clear();
        for (const auto& t : ds.teachers)
            listNames_.push_back(t->name);
        ticks_.resize(listNames_.size(), false);
        updateSelection();
    }
    grid_.refresh(ds);
}

void TeacherRuleSettings::updateSelection()
{
    std::vector<std::string> selected;
    for (std::size_t i = 0; i < listNames_.size(); ++i)
        if (ticks_[i])
            selected.push_back(listNames_[i]);
    grid_.setTeachers(std::move(selected));
}

std::string TeacherRuleSettings::summary(const DataSet& ds)
{
    grid_.refresh(ds);
    return grid_.summary(ds);
}

std::string teacherRuleHelpPage()
{
    return R"(<h2>教师课节预设</h2>
<p>为教师设定在一周各节次的排课要求：“尽量排”优先安排，“一定排”必须安排，“不排”不安排（例如外出教研、兼任行政的时间）。</p>
<ul>
<li><b>左键单击</b>某一节弹出菜单，选“尽量排”、“一定排”、“不排”、“本节课自动”，或“全部设为自动”。</li>
<li><b>右键单击</b>某一节依次切换为“尽量排”、“一定排”、“不排”、自动（空白）。</li>
<li>同时设置几位教师时，左上角显示“己选N人”；各人设置不一致的节次显示“设置不同”，修改后所有选中的教师都相同。</li>
<li>在“预设“尽量排、一定排、不排””窗口中，勾选左边“所针对教师”列表中的教师即可一起设置。</li>
</ul>
<p>关闭窗口后，设置汇总显示在教师信息表中。每次修改都可以撤销（Ctrl+Z）。</p>
)";
}

} // namespace tabrel
