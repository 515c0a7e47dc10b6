#include "setup/SubjectRulePreset.h"

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

SubjectRulePreset::SubjectRulePreset(const DataSet& ds, int subjectIndex) : subjectIndex_(subjectIndex)
{
    if (subjectIndex >= 0 && subjectIndex < static_cast<int>(ds.subjects.size()))
        subjectName_ = ds.subjects[subjectIndex]->name;
    grid_.setSubject(subjectName_);
    tree_.rebuild(ds);
    selectScope(ds, 0);
}

std::string SubjectRulePreset::title() const
{
    return subjectName_ + GBK(" 课节预设");
}

const std::string& SubjectRulePreset::scopeLabel() { return GBK("针对范围设置"); }
const std::string& SubjectRulePreset::restoreButtonText() { return GBK("全部恢复为自动"); }
const std::string& SubjectRulePreset::wrongSelectionMessage() { return GBK("选择错误!"); }

std::string SubjectRulePreset::selectScope(const DataSet& ds, int nodeIndex)
{
    std::string message;
    if (nodeIndex < 0 || nodeIndex >= static_cast<int>(tree_.nodes().size())) {
        selected_ = -1;
        message = wrongSelectionMessage();
        grid_.setScope({});
    } else {
        selected_ = nodeIndex;
        grid_.setScope(tree_.classesOf(nodeIndex));
    }
    grid_.refresh(ds);
    return message;
}

void SubjectRulePreset::reload(const DataSet& ds)
{
    const ScopeTree::Node before = selected_ >= 0 ? tree_.nodes()[selected_] : ScopeTree::Node{};
    const bool had = selected_ >= 0;
    if (tree_.rebuild(ds)) {
        selected_ = had ? tree_.find(before) : -1;
        grid_.setScope(selected_ >= 0 ? tree_.classesOf(selected_) : std::vector<std::pair<int, int>>{});
    }
    grid_.refresh(ds);
}

std::string subjectRulePresetHelpPage()
{
    return R"(<h2>课节预设</h2>
<p>为一个科目设定在一周各节次的排课要求，自动排课时按这些要求安排。</p>
<ul>
<li>左边的“针对范围设置”选择范围：“全校”为所有班级，选年级为该年级所有班级，选班级只设这个班。</li>
<li>在右边表格中<b>左键单击</b>某一节，依次切换为“尽量排”、“一定排”、“不排”、自动（空白）。</li>
<li><b>右键单击</b>某一节弹出菜单，可直接选“尽量排”、“一定排”、“不排”、“本节课自动”，或“全部设为自动”。</li>
<li>范围内各班设置不一致的节次显示“各班不同”，单击后所有班级都变为自动。</li>
<li>“全部恢复为自动”清除范围内所有班级的全部设置。</li>
</ul>
<p>关闭窗口时，当前显示的设置汇总写入科目表最右一列。每次修改都可以撤销（Ctrl+Z）。</p>
<p>“尽量排”：优先安排在该节；“一定排”：必须安排在该节；“不排”：不安排在该节。</p>
)";
}

} // namespace tabrel
