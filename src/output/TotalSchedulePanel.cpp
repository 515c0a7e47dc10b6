#include "output/TotalSchedulePanel.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "output/TotalScheduleText.h"

namespace tabrel {

std::vector<ClassTable*> classesInGradeOrder(const DataSet& ds)
{
    std::vector<ClassTable*> list;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            list.push_back(c.get());
    return list;
}

bool TotalSchedulePanel::SelectClasses(const DataSet& ds, int a)
{
    const int grades = static_cast<int>(ds.grades.size());
    if (a < 0 || a > grades)
        return false;
    mode_ = a == 0 ? Mode::All : Mode::Grade;
    grade_ = a - 1;
    firstVisibleRow = 0;
    return true;
}

void TotalSchedulePanel::selectCustom(const DataSet& ds, std::vector<int> positions)
{
    const int count = static_cast<int>(classesInGradeOrder(ds).size());
    positions.erase(std::remove_if(positions.begin(), positions.end(), [&](int p) { return p < 0 || p >= count; }),
                    positions.end());
    mode_ = Mode::Custom;
    custom_ = std::move(positions);
    firstVisibleRow = 0;
}

std::vector<int> TotalSchedulePanel::selectedPositions(const DataSet& ds) const
{
    std::vector<int> out;
    int position = 0;
    for (std::size_t g = 0; g < ds.grades.size(); ++g)
        for (std::size_t i = 0; i < ds.grades[g]->classes.size(); ++i, ++position)
            if (mode_ == Mode::All || (mode_ == Mode::Grade && static_cast<int>(g) == grade_))
                out.push_back(position);
    if (mode_ == Mode::Custom)
        for (int p : custom_)
            if (p < position)
                out.push_back(p);
    return out;
}

std::vector<ClassTable*> TotalSchedulePanel::selectedClasses(const DataSet& ds) const
{
    const std::vector<ClassTable*> all = classesInGradeOrder(ds);
    std::vector<ClassTable*> out;
    for (int p : selectedPositions(ds))
        out.push_back(all[p]);
    return out;
}

std::vector<const ClassTable*> TotalSchedulePanel::selectedConstClasses(const DataSet& ds) const
{
    std::vector<const ClassTable*> out;
    for (ClassTable* c : selectedClasses(ds))
        out.push_back(c);
    return out;
}

std::vector<std::string> TotalSchedulePanel::classMenuEntries(const DataSet& ds)
{
    std::vector<std::string> entries{GBK("所有班级")};
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        std::string name = g < ds.gradeNames.size() ? ds.gradeNames[g] : std::string();
        if (!gbk::containsText(name, GBK("年级")))
            name += GBK("年级");
        entries.push_back(name + GBK("所有班级"));
    }
    entries.push_back(GBK("自选班级"));
    return entries;
}

TotalSchedulePanel::MenuResult TotalSchedulePanel::chooseClassMenuEntry(const DataSet& ds, int entry)
{
    const int grades = static_cast<int>(ds.grades.size());
    if (entry == grades + 1)
        return MenuResult::ChooseClasses;
    return SelectClasses(ds, entry) ? MenuResult::Selected : MenuResult::Nothing;
}

std::string TotalSchedulePanel::key(const DataSet& ds, int position)
{
    int p = 0;
    for (std::size_t g = 0; g < ds.grades.size(); ++g)
        for (std::size_t i = 0; i < ds.grades[g]->classes.size(); ++i, ++p)
            if (p == position)
                return std::to_string(g) + "/" + std::to_string(i) + "/" + ds.grades[g]->classes[i]->name;
    return {};
}

bool TotalSchedulePanel::rowMarked(const DataSet& ds, int selectedIndex) const
{
    const std::vector<int> positions = selectedPositions(ds);
    if (selectedIndex < 0 || selectedIndex >= static_cast<int>(positions.size()))
        return false;
    return marked_.count(key(ds, positions[selectedIndex])) > 0;
}

bool TotalSchedulePanel::clickStyle2(const DataSet& ds, int x, int y, int width, int height)
{
    const TotalScheduleOne geometry(ds, width, height);
    const int row = geometry.nameRowAt(x, y);
    const std::vector<int> positions = selectedPositions(ds);
    const int i = firstVisibleRow + row;
    if (row < 0 || i >= static_cast<int>(positions.size()))
        return false;
    const std::string k = key(ds, positions[i]);
    if (!marked_.erase(k))
        marked_.insert(k);
    return true;
}

void TotalSchedulePanel::scrollStyle2(int delta, const DataSet& ds)
{
    firstVisibleRow = TotalScheduleOne::clampFirstRow(firstVisibleRow + delta,
                                                      static_cast<int>(selectedPositions(ds).size()));
}

Style2Options TotalSchedulePanel::style2Options() const
{
    Style2Options o;
    o.showSubject = showSubject != 0;
    o.showTeacher = showTeacher != 0;
    o.nameStyle = nameStyle;
    o.subjectFontSize = subjectFontSize;
    return o;
}

Style1Options TotalSchedulePanel::style1Options() const
{
    return {showSubject != 0, showTeacher != 0};
}

bool TotalSchedulePanel::SetStyle(int s)
{
    if (s == style || s < 0 || s > 2)
        return false;
    style = s;
    return true;
}

bool TotalSchedulePanel::setNameStyle(int s)
{
    if (s == nameStyle || s < 0 || s > 1)
        return false;
    nameStyle = s;
    return true;
}

std::string TotalSchedulePanel::exportText(const DataSet& ds) const
{
    if (style == 0)
        return masterStyle1Text(ds, selectedConstClasses(ds));
    if (style == 1)
        return masterStyle2Text(ds, selectedConstClasses(ds));
    return {};
}

void TotalSchedulePanel::prepareForShow(const DataSet& ds)
{
    SelectClasses(ds, 0);
    firstVisibleRow = 0;
}

std::string TotalSchedulePanel::batchImportStepName() { return GBK("批量导入"); }
std::string TotalSchedulePanel::clearStepName() { return GBK("清空所选班级的课程"); }
std::string TotalSchedulePanel::lineBreakStepName() { return GBK("课程文字中的换行改为空格"); }
std::string TotalSchedulePanel::clearQuestion() { return GBK("是否清空所选班级的全部课程?"); }

std::string TotalSchedulePanel::helpPage()
{
    return R"(<h2>总课程表</h2>
<p>总课程表把全校（或所选班级）的课程排在一起，供教务处查看和打印。工具条上可以选择三种样式：</p>
<ul>
<li><b>样式一</b>：一张大表，每节课一行，每天按班级分成窄列；相邻班级同一节的公共课合成一个方框。表格较宽时左右滚动。</li>
<li><b>样式二</b>：每个班级一行，每天每节一列，一次显示十个班级，上下滚动。单击班级名称可以把这一行标成黄色，再单击取消。</li>
<li><b>样式三</b>：每个班级自己的课程表，每个年级一排，可上下左右滚动。样式三总是显示全部班级。</li>
</ul>
<h3>工具条</h3>
<ul>
<li><b>显示科目</b>、<b>显示教师</b>：决定格子里显示什么。<b>全称</b>、<b>简称</b>：教师姓名显示全名或后两个字（样式二、样式三）。</li>
<li><b>选择班级</b>：选择所有班级、某个年级的所有班级，或用“自选班级”逐个勾选要显示的班级（样式一、样式二）。</li>
<li><b>导出打印</b>：把当前样式的内容以文字形式复制到剪贴板（可直接粘贴到电子表格），再导出为 Excel 工作簿。</li>
<li><b>打印</b>：打开打印预览，按 A4 纸打印当前样式；较宽的表横向打印，每页重复左侧的节次栏。</li>
<li><b>导出PDF</b>：把当前样式保存为 PDF 文件，文字可以搜索。</li>
<li><b>批量导入</b>（只在样式一）：把剪贴板里的一块科目粘贴到课程表中。这一块的形状与样式一的表体相同：每节一行，每天每个所选班级一列；单独的“体育”写成“体育1”；有公共课的格子、超出表格的内容都会跳过；“[空白]”清空该格。没有选择班级时不写入任何内容。</li>
</ul>
<h3>清空</h3>
<p>顶部菜单的“清空”会先询问“是否清空所选班级的全部课程?”，确定后清空所选班级的全部课程。</p>
<p>批量导入和清空都可以用“撤销”（Ctrl+Z）恢复，用“重做”（Ctrl+Y）再做一次。</p>
)";
}

} // namespace tabrel
