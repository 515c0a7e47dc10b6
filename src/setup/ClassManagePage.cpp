#include "setup/ClassManagePage.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

namespace {
constexpr int Margin = 24;
constexpr int HeaderHeight = 36;
constexpr int HeaderWidth = 420;
constexpr int BoxWidth = 120;
constexpr int BoxHeight = 44;
constexpr int Gap = 14;

std::string headerText(const DataSet& ds, int g)
{
    return GBK("年级名:  ") + ds.gradeNames[g] + GBK("  ( 共 ") + gbk::formatInt(ds.classCount(g)) + GBK(" 班 )");
}
} // namespace

const std::vector<std::string>& ClassManagePage::menuEntries()
{
    static const std::vector<std::string> entries = [] {
        std::vector<std::string> v;
        for (const char* e : {"[title]快速定义", "[item]1.录入数据", "[item]2.表格修改", "[title]年级管理",
                              "[item]增加年级", "[item]删除年级", "[title]班级管理", "[item]增加班级",
                              "[item]删除班级", "[item]填充班名称", "[title]学校",
                              "[item]学校名称"})
            v.push_back(gbk::literal(e));
        return v;
    }();
    return entries;
}

void ClassManagePage::clampSelection(const DataSet& ds)
{
    if (grade_ >= static_cast<int>(ds.grades.size()))
        grade_ = class_ = -1;
    if (grade_ >= 0 && class_ >= ds.classCount(grade_))
        class_ = ds.classCount(grade_) - 1;
    if (grade_ < 0)
        class_ = -1;
}

ClassManagePage::Layout ClassManagePage::layout(const DataSet& ds, int width, int height)
{
    Layout out;
    if (ds.grades.empty()) {
        out.empty = true;
        // "1. 点击此处 可快速定义年级数和班级数" / "2. 定义后按上面返回按纽回到主页面"
        const int top = std::max(Margin, height / 3);
        const int left = std::max(Margin, width / 2 - 220);
        const int line = 40;
        out.hintClick = Rect{left + 40, top, left + 150, top + line};
        out.hintTexts.push_back({out.hintClick, GBK("点击此处")});
        out.hintTexts.push_back({Rect{left, top, left + 40, top + line}, "1."});
        out.hintTexts.push_back({Rect{left + 150, top, left + 460, top + line}, GBK("可快速定义年级数和班级数")});
        out.hintTexts.push_back({Rect{left, top + line, left + 40, top + 2 * line}, "2."});
        out.hintTexts.push_back(
            {Rect{left + 40, top + line, left + 460, top + 2 * line}, GBK("定义后按上面返回按纽回到主页面")});
        out.contentHeight = top + 2 * line + Margin;
        return out;
    }
    const int usable = std::max(width - 2 * Margin, BoxWidth);
    const int perLine = std::max(1, (usable + Gap) / (BoxWidth + Gap));
    int y = Margin;
    for (int g = 0; g < static_cast<int>(ds.grades.size()); ++g) {
        Item header;
        header.kind = Item::Kind::GradeHeader;
        header.grade = g;
        header.rect = Rect{Margin, y, Margin + std::min(HeaderWidth, usable), y + HeaderHeight};
        header.text = headerText(ds, g);
        out.items.push_back(header);
        y += HeaderHeight + Gap / 2;
        const int n = ds.classCount(g);
        for (int c = 0; c < n; ++c) {
            const int col = c % perLine;
            if (c > 0 && col == 0)
                y += BoxHeight + Gap;
            Item box;
            box.kind = Item::Kind::ClassBox;
            box.grade = g;
            box.klass = c;
            const int x = Margin + col * (BoxWidth + Gap);
            box.rect = Rect{x, y, x + BoxWidth, y + BoxHeight};
            box.text = ds.classAt(g, c)->name;
            out.items.push_back(box);
        }
        if (n > 0)
            y += BoxHeight;
        y += Gap * 2;
    }
    out.contentHeight = y + Margin;
    return out;
}

ClassManagePage::Click ClassManagePage::leftClick(const DataSet& ds, int width, int height, int x, int y)
{
    Click click;
    const Layout l = layout(ds, width, height);
    if (l.empty) {
        if (l.hintClick.contains(x, y))
            click.kind = ClickKind::QuickEntry;
        return click;
    }
    for (const Item& item : l.items) {
        if (!item.rect.contains(x, y))
            continue;
        grade_ = item.grade;
        editing_ = true;
        if (item.kind == Item::Kind::GradeHeader) {
            class_ = -1;
            click.kind = ClickKind::EditGrade;
            // The field covers the name part of the header line.
            click.editRect = Rect{item.rect.left + 70, item.rect.top + 3, item.rect.left + 290, item.rect.bottom - 3};
            click.editText = ds.gradeNames[item.grade];
        } else {
            class_ = item.klass;
            click.kind = ClickKind::EditClass;
            click.editRect = Rect{item.rect.left + 4, item.rect.top + 6, item.rect.right - 4, item.rect.bottom - 6};
            click.editText = item.text;
        }
        return click;
    }
    return click;
}

void ClassManagePage::stepSelection(const DataSet& ds, int step)
{
    // Drawing order: every grade's header, then its classes.
    std::vector<std::pair<int, int>> order;
    for (int g = 0; g < static_cast<int>(ds.grades.size()); ++g) {
        order.emplace_back(g, -1);
        for (int c = 0; c < ds.classCount(g); ++c)
            order.emplace_back(g, c);
    }
    if (order.empty())
        return;
    editing_ = false;
    const auto at = std::find(order.begin(), order.end(), std::make_pair(grade_, class_));
    const int n = static_cast<int>(order.size());
    int i = at == order.end() ? (step > 0 ? 0 : n - 1) : static_cast<int>(at - order.begin()) + step;
    i = std::clamp(i, 0, n - 1);
    grade_ = order[i].first;
    class_ = order[i].second;
}

ClassManagePage::Click ClassManagePage::editSelection(const DataSet& ds, int width, int height)
{
    for (const Item& item : layout(ds, width, height).items)
        if (item.grade == grade_ && (item.kind == Item::Kind::GradeHeader ? class_ < 0 : item.klass == class_))
            return leftClick(ds, width, height, item.rect.left + 1, item.rect.top + 1);
    return {};
}

std::string ClassManagePage::subjectList(const DataSet& ds, int grade, int klass)
{
    const ClassTable* c = ds.classAt(grade, klass);
    if (!c)
        return {};
    std::string text;
    for (const auto& a : c->assignments)
        text += a->subject + "----\n";
    return text;
}

std::string ClassManagePage::subjectListAt(const DataSet& ds, int width, int height, int x, int y)
{
    for (const Item& item : layout(ds, width, height).items)
        if (item.kind == Item::Kind::ClassBox && item.rect.contains(x, y))
            return subjectList(ds, item.grade, item.klass);
    return {};
}

bool ClassManagePage::commitEdit(DataSet& ds, const std::string& text)
{
    if (!editing_)
        return false;
    editing_ = false;
    if (text.empty() || grade_ < 0 || grade_ >= static_cast<int>(ds.grades.size()))
        return false;
    if (class_ < 0) {
        if (ds.gradeNames[grade_] == text)
            return false;
        ds.gradeNames[grade_] = text;
        return true;
    }
    ClassTable* c = ds.classAt(grade_, class_);
    if (!c || c->name == text)
        return false;
    ds.extension.renameClass(c->name, text); // changes follow the rename
    c->name = text;
    return true;
}

std::string ClassManagePage::commitStepName(const DataSet& ds) const
{
    return class_ < 0 ? GBK("修改年级名称") : GBK("修改班级名称");
}

std::string ClassManagePage::addGradeRefusal(const DataSet& ds)
{
    if (static_cast<int>(ds.grades.size()) >= SchoolGradeLimit)
        return GBK("最多只能定义12个年级，不能再增加年级");
    return {};
}

std::string ClassManagePage::addClassRefusal(const DataSet& ds) const
{
    if (grade_ >= 0 && ds.classCount(grade_) >= GradeClassLimit)
        return GBK("每个年级最多只能有50个班，不能再增加班级");
    return {};
}

bool ClassManagePage::addGrade(DataSet& ds)
{
    if (!addGradeRefusal(ds).empty())
        return false;
    ds.appendGrade();
    const int g = static_cast<int>(ds.grades.size()) - 1;
    ds.appendClass(g);
    ds.classAt(g, 0)->name = GBK("未命名");
    grade_ = g;
    class_ = -1;
    return true;
}

bool ClassManagePage::addClass(DataSet& ds)
{
    if (grade_ < 0 || grade_ >= static_cast<int>(ds.grades.size()) || !addClassRefusal(ds).empty())
        return false;
    ds.appendClass(grade_);
    return true;
}

bool ClassManagePage::canDeleteGrade(const DataSet& ds) const
{
    return grade_ >= 0 && grade_ < static_cast<int>(ds.grades.size());
}

std::string ClassManagePage::deleteGradeQuestion()
{
    return GBK("删除年级，将同时删除该年级下所有班级，是否真的删除?");
}

bool ClassManagePage::deleteGrade(DataSet& ds)
{
    if (!canDeleteGrade(ds))
        return false;
    ds.removeGrade(grade_);
    clearSelection();
    return true;
}

bool ClassManagePage::canDeleteClass(const DataSet& ds) const
{
    return ds.classAt(grade_, class_) != nullptr;
}

bool ClassManagePage::deleteClass(DataSet& ds)
{
    if (!canDeleteClass(ds))
        return false;
    if (ds.classCount(grade_) == 1) {
        ds.removeGrade(grade_);
        clearSelection();
        return true;
    }
    ds.removeClass(grade_, class_);
    if (class_ >= ds.classCount(grade_))
        class_ = ds.classCount(grade_) - 1;
    return true;
}

std::string ClassManagePage::deleteGradeStepName(const DataSet& ds) const
{
    return GBK("删除年级 ") + (canDeleteGrade(ds) ? ds.gradeNames[grade_] : std::string());
}

std::string ClassManagePage::deleteClassStepName(const DataSet& ds) const
{
    const ClassTable* c = ds.classAt(grade_, class_);
    return GBK("删除班级 ") + (c ? c->name : std::string());
}

bool ClassManagePage::fillClassNames(DataSet& ds, const std::string& prefix, const std::string& suffix)
{
    const auto before = schoolShape(ds);
    ds.renameClasses(prefix, suffix);
    return schoolShape(ds) != before;
}

std::vector<std::string> schoolShape(const DataSet& ds)
{
    std::vector<std::string> shape;
    for (std::size_t g = 0; g < ds.grades.size(); ++g) {
        shape.push_back("G" + ds.gradeNames[g]);
        for (const auto& c : ds.grades[g]->classes)
            shape.push_back("C" + c->name + "\t" + c->gradeName + "\t" + gbk::formatInt(c->ordinal));
    }
    return shape;
}

} // namespace tabrel

namespace tabrel {

std::string ClassManagePage::helpPage()
{
    return R"(<h2>班级管理</h2>
<p>在这里定义学校的年级和各年级的班级。这是排课的第一步：后面的科目、教师、任课和课表都按这里的年级和班级来安排。</p>
<h3>左边的菜单</h3>
<ul>
<li><b>1.录入数据</b>：打开“年级数和各年级班级数录入窗口”，每行填一个年级名称和班级数（这个窗口一次最多录入9个年级，每个年级最多50个班；全校最多12个年级，第10个年级起用“增加年级”添加）。按“确定”后，学校的年级和班级按表格重新设置，各班重新命名为“年级名(序号)”，例如 七(1)。已有班级的课表在班级数之内保留。</li>
<li><b>2.表格修改</b>：打开“年级和班级数量数据编辑窗口”，第一行是年级名称，下面各行是该年级各班的名称（这个表格最多显示10个年级、每个年级50个班；全校最多12个年级，更多的年级用“增加年级”添加）。读到第一个空格子为止。</li>
<li><b>增加年级</b>：增加一个“未命名年级”，带一个“未命名”班。全校最多12个年级。</li>
<li><b>删除年级</b>：先点一下年级名称选中它；删除前会询问，该年级的所有班级一起删除。</li>
<li><b>增加班级</b>：在选中的年级里增加一个“未命名”班，每个年级最多50个班。</li>
<li><b>删除班级</b>：删除选中的班级；如果它是该年级唯一的班，整个年级一起删除。</li>
<li><b>填充班名称</b>：按“年级名+文字A+班序+文字B”的规则给全校各班重新命名，例如 初一年级1班。</li>
<li><b>学校名称</b>：填写学校的名称。总课程表的标题（屏幕上、打印、PDF 和 EXCEL 中）用这个名称；不填时标题写“XX学校”。总课程表的标题仍可在总课程表里另行修改。</li>
<li><b>返回主页</b>：回到主页面。</li>
</ul>
<h3>鼠标和键盘</h3>
<ul>
<li>左键点年级名称或班级方框：选中它并在原处修改名称；按回车或点别处即保存，按 Esc 放弃。</li>
<li>右键点班级方框：列出该班已有的任课科目。</li>
<li>没有年级时，点“点击此处”即可快速定义年级和班级。</li>
<li>两个表格窗口都可以从电子表格复制后按 Ctrl+V 粘贴。</li>
<li>左边菜单可以用 Tab 进入，用上下方向键选择，回车执行。</li>
<li>Ctrl+Z 撤销，Ctrl+Y 重做，Ctrl+S 保存，F1 打开本帮助。</li>
</ul>
)";
}

} // namespace tabrel
