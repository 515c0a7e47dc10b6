#include "setup/TeacherGroups.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"

namespace tabrel {

bool TeacherGroups::ensureDefaultTable(DataSet& ds)
{
    DataTable& t = ds.teacherGroupTable;
    if (t.rowCount() > 0 && t.columnCount() > 0)
        return false;
    t.setRowCount(0);
    t.setColumnCount(0);
    t.setRowCount(201);
    t.setColumnCount(6);
    t.setCell(0, 0, GBK("分组名"));
    t.setCell(0, 1, GBK("行政人员"));
    for (int r = 1; r <= 200; ++r) {
        std::string label = GBK("教师");
        if (r < 10)
            label += "0";
        t.setCell(r, 0, label + gbk::formatInt(r));
    }
    return true;
}

std::vector<std::string> TeacherGroups::groupNames(const DataTable& table)
{
    std::vector<std::string> names;
    if (table.rowCount() < 1)
        return names;
    for (int c = 1; c < table.columnCount(); ++c) {
        std::string n = table.cell(0, c);
        if (n.empty())
            break;
        names.push_back(std::move(n));
    }
    return names;
}

int TeacherGroups::groupColumn(const DataTable& table, const std::string& name)
{
    if (table.rowCount() < 1)
        return -1;
    for (int c = 1; c < table.columnCount(); ++c)
        if (table.cell(0, c) == name)
            return c;
    return -1;
}

std::vector<std::string> TeacherGroups::members(const DataTable& table, int column)
{
    std::vector<std::string> m;
    if (column < 1 || column >= table.columnCount())
        return m;
    for (int r = 1; r < table.rowCount(); ++r) {
        std::string n = table.cell(r, column);
        if (n.empty())
            break;
        m.push_back(std::move(n));
    }
    return m;
}

bool TeacherGroups::addMember(DataSet& ds, int column, const std::string& name)
{
    DataTable& t = ds.teacherGroupTable;
    if (column < 1 || column >= t.columnCount() || name.empty())
        return false;
    for (int r = 1; r < t.rowCount(); ++r)
        if (t.cell(r, column).empty())
            return t.setCell(r, column, name) != 0;
    return false;
}

bool TeacherGroups::addMembers(DataSet& ds, int column, const std::vector<std::string>& names)
{
    bool changed = false;
    for (const std::string& n : names) {
        const auto m = members(ds.teacherGroupTable, column);
        if (std::find(m.begin(), m.end(), n) != m.end())
            continue;
        if (!addMember(ds, column, n))
            break;
        changed = true;
    }
    return changed;
}

bool TeacherGroups::removeMember(DataSet& ds, int column, int k)
{
    DataTable& t = ds.teacherGroupTable;
    const int rows = t.rowCount();
    if (column < 1 || column >= t.columnCount() || k < 0 || k + 1 >= rows)
        return false;
    if (t.cell(k + 1, column).empty())
        return false;
    for (int j = k + 1; j <= rows - 2; ++j)
        t.setCell(j, column, t.cell(j + 1, column));
    t.setCell(rows - 1, column, "");
    return true;
}

bool TeacherGroups::clearMembers(DataSet& ds, int column)
{
    DataTable& t = ds.teacherGroupTable;
    if (column < 1 || column >= t.columnCount())
        return false;
    bool changed = false;
    for (int r = 1; r < t.rowCount(); ++r)
        if (!t.cell(r, column).empty()) {
            t.setCell(r, column, "");
            changed = true;
        }
    return changed;
}

bool TeacherGroups::inAnyGroup(const DataTable& table, const std::string& name)
{
    const int groups = static_cast<int>(groupNames(table).size());
    for (int c = 1; c <= groups; ++c) {
        const auto m = members(table, c);
        if (std::find(m.begin(), m.end(), name) != m.end())
            return true;
    }
    return false;
}

std::vector<TeacherGroups::NameRow> TeacherGroups::nameRows(const DataTable& table)
{
    std::vector<NameRow> rows;
    for (int c = 1; c < table.columnCount(); ++c)
        rows.push_back({c, table.rowCount() > 0 ? table.cell(0, c) : std::string()});
    return rows;
}

bool TeacherGroups::applyNameRows(DataSet& ds, const std::vector<NameRow>& rows)
{
    const DataTable old = ds.teacherGroupTable;
    DataTable t;
    t.setRowCount(std::max(1, old.rowCount()));
    t.setColumnCount(static_cast<int>(rows.size()) + 1);
    for (int r = 0; r < t.rowCount(); ++r)
        t.setCell(r, 0, old.cell(r, 0));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const int c = static_cast<int>(i) + 1;
        t.setCell(0, c, rows[i].name);
        if (rows[i].sourceColumn >= 1)
            for (int r = 1; r < t.rowCount(); ++r)
                t.setCell(r, c, old.cell(r, rows[i].sourceColumn));
    }
    if (t == old)
        return false;
    ds.teacherGroupTable = t;
    return true;
}

std::string TeacherGroups::helpPage()
{
    return R"(<h2>教师分组</h2>
<p>分组只是把教师归类，方便查看，不影响排课。上方选择要编辑的组。</p>
<ul>
<li>右边列出全部教师：双击一位教师，或选中后点“&lt;&lt; 加入组”，把他加入当前组；“&lt;&lt;&lt;全选入组”把右边列出的、还不在组里的教师都加入。</li>
<li>左边是当前组的成员：双击一位成员，或选中后点“退出组 &gt;&gt;”，把他移出；“全清本组 &gt;&gt;&gt;”清空本组。</li>
<li>勾选“只显示从未分组”时，右边只列出还没有加入任何组的教师。</li>
<li>“*”打开组名称：可以改名，用“增加”添加新组，用“删除”删去选中的组（连同它的成员），点“确定”才生效。
某个组名改成空白时，它和后面的组都不再显示，但成员仍然保留。</li>
</ul>
<p>所有修改立即生效，可以用 Ctrl+Z 撤销。</p>
)";
}

} // namespace tabrel
