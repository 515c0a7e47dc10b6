#include "setup/TeacherInfoGrid.h"

#include <algorithm>
#include <cctype>

#include "data/ClipboardTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/PasteSummary.h"

namespace tabrel {

namespace {

bool isBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

// "%d" as scanf reads it: blanks, a sign, digits. False when there are no digits.
bool readInt(const std::string& s, std::size_t& i, int& out)
{
    while (i < s.size() && isBlank(s[i]))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+'))
        negative = s[i++] == '-';
    if (i >= s.size() || s[i] < '0' || s[i] > '9')
        return false;
    long long v = 0;
    for (; i < s.size() && s[i] >= '0' && s[i] <= '9'; ++i)
        v = std::min(v * 10 + (s[i] - '0'), 1000000000LL);
    out = static_cast<int>(negative ? -v : v);
    return true;
}

// One settings line "%d,%d,%s": the rule text ends at its first white space and holds at most
// 29 bytes, cut at the last character boundary; nothing after the second comma gives "". False when the two numbers are not there.
bool parseSettingsLine(const std::string& line, int& period, int& day, std::string& text)
{
    std::size_t i = 0;
    if (!readInt(line, i, period) || i >= line.size() || line[i] != ',')
        return false;
    ++i;
    if (!readInt(line, i, day))
        return false;
    text.clear();
    if (i < line.size() && line[i] == ',') {
        ++i;
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        text = gbk::firstBytes(std::string_view(line).substr(start, i - start), 29);
    }
    return true;
}

bool isTextColumn(int column) { return column >= 1 && column <= 5; }

bool isSubjectName(const DataSet& ds, const std::string& name)
{
    for (const auto& s : ds.subjects)
        if (s->name == name)
            return true;
    return false;
}

} // namespace

const std::vector<std::string>& TeacherInfoGrid::headers()
{
    static const std::vector<std::string> h = [] {
        std::vector<std::string> v;
        for (const char* t : {"序号", "教师名称", "简称", "任教学科", "工作量", "备注", "尽量排，一定排，不排"})
            v.push_back(gbk::literal(t));
        return v;
    }();
    return h;
}

std::string TeacherInfoGrid::cellText(const DataSet& ds, int teacher, int column)
{
    if (teacher < 0 || teacher >= static_cast<int>(ds.teachers.size()))
        return {};
    const TeacherInfoRecord& t = *ds.teachers[teacher];
    switch (column) {
    case 0: return gbk::formatInt(teacher + 1);
    case 1: return t.name;
    case 2: return t.shortName;
    case 3: return t.taughtSubjects;
    case 4: return t.workload > 0 ? gbk::formatInt(t.workload) : std::string();
    case 5: return t.remark;
    case 6: return t.ruleSummary;
    default: return {};
    }
}

bool TeacherInfoGrid::writeCell(DataSet& ds, int teacher, int column, const std::string& text)
{
    if (teacher < 0 || teacher >= static_cast<int>(ds.teachers.size()) || !isTextColumn(column))
        return false;
    TeacherInfoRecord& t = *ds.teachers[teacher];
    auto store = [](std::string& field, const std::string& value) {
        if (field == value)
            return false;
        field = value;
        return true;
    };
    switch (column) {
    case 1: {
        const std::string old = t.name;
        if (!store(t.name, text))
            return false;
        ds.extension.renameTeacher(old, text); // absences and changes follow the rename
        return true;
    }
    case 2: return store(t.shortName, text);
    case 3: return store(t.taughtSubjects, text);
    case 4: {
        if (leadingIntOverflows(text))
            return false;
        const int v = gbk::leadingInt(text);
        if (t.workload == v)
            return false;
        t.workload = v;
        return true;
    }
    case 5: return store(t.remark, text);
    default: return false;
    }
}

std::string TeacherInfoGrid::wholeTableText(const DataSet& ds)
{
    std::vector<std::vector<std::string>> rows;
    rows.push_back(headers());
    for (int i = 0; i < static_cast<int>(ds.teachers.size()); ++i) {
        std::vector<std::string> row;
        for (int c = 0; c < ColumnCount; ++c)
            row.push_back(cellText(ds, i, c));
        rows.push_back(std::move(row));
    }
    return joinClipboardTable(rows);
}

bool TeacherInfoGrid::pasteAt(DataSet& ds, int row, int column, const std::string& text)
{
    return pasteAt(ds, row, column, text, nullptr);
}

bool TeacherInfoGrid::pasteAt(DataSet& ds, int row, int column, const std::string& text, PasteSummary* summary)
{
    PasteSummary local;
    PasteSummary& sum = summary ? *summary : local;
    if (row < 0 || column < 0 || column >= RuleColumn)
        return false;
    const auto lines = cutClipboardTable(text);
    std::vector<std::string> unknown; // pasted 任教学科 texts that name no subject
    int refusedRows = 0; // rows left that would have appended a teacher: later rows move up
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int r = row + static_cast<int>(i) - refusedRows;
        const std::string line = pastedLineName(static_cast<int>(i) + 1);
        if (r >= static_cast<int>(ds.teachers.size())) {
            // A new teacher with something to hold needs a name: a row whose 教师名称 field is
            // missing or empty while another field it writes has text is left. A row that writes
            // nothing appends an empty teacher, as "添加教师" does.
            const long long k = 1 - static_cast<long long>(column);
            const bool named = k >= 0 && k < static_cast<long long>(lines[i].size()) && !lines[i][k].empty();
            bool holdsText = false;
            for (std::size_t f = 0; f < lines[i].size(); ++f) {
                const long long c = static_cast<long long>(column) + static_cast<long long>(f);
                holdsText = holdsText || (c >= 2 && c < RuleColumn && !lines[i][f].empty());
            }
            if (!named && holdsText) {
                ++refusedRows;
                sum.left.push_back(line + GBK("：没有教师名称，没有添加教师"));
                continue;
            }
        }
        for (std::size_t k = 0; k < lines[i].size(); ++k) {
            const long long c = static_cast<long long>(column) + static_cast<long long>(k);
            if (c >= RuleColumn)
                break;
            if (c == 4 && leadingIntOverflows(lines[i][k])) {
                sum.left.push_back(line + GBK("的工作量“") + lines[i][k] + GBK("”：数字太大，没有填入"));
                continue;
            }
            while (static_cast<int>(ds.teachers.size()) <= r) {
                ds.appendTeacher();
                ++sum.recordsAdded;
                sum.changed = true;
            }
            if (c == 0)
                continue;
            ++sum.cellsTaken;
            sum.changed = writeCell(ds, r, static_cast<int>(c), lines[i][k]) || sum.changed;
            if (c == 3 && !lines[i][k].empty() && !isSubjectName(ds, lines[i][k]))
                unknown.push_back(lines[i][k]);
        }
    }
    for (std::size_t i = 0; i < unknown.size(); ++i)
        if (std::find(unknown.begin(), unknown.begin() + static_cast<long>(i), unknown[i]) == unknown.begin() + static_cast<long>(i))
            sum.notes.push_back(GBK("任教学科“") + unknown[i] + GBK("”不在科目列表中，已标为红色。"));
    return sum.changed;
}

bool TeacherInfoGrid::cellMarked(const DataSet& ds, int teacher, int column)
{
    if (column != 3 || teacher < 0 || teacher >= static_cast<int>(ds.teachers.size()))
        return false;
    const std::string& s = ds.teachers[teacher]->taughtSubjects;
    return !s.empty() && !isSubjectName(ds, s);
}

std::string TeacherInfoGrid::cellTip(const DataSet& ds, int teacher, int column)
{
    if (!cellMarked(ds, teacher, column))
        return {};
    return GBK("“") + ds.teachers[teacher]->taughtSubjects + GBK("”不在科目列表中");
}

std::vector<std::string> TeacherInfoGrid::unknownSubjectsOf(const DataSet& ds)
{
    std::vector<std::string> out;
    for (int t = 0; t < static_cast<int>(ds.teachers.size()); ++t)
        if (cellMarked(ds, t, 3) &&
            std::find(out.begin(), out.end(), ds.teachers[t]->taughtSubjects) == out.end())
            out.push_back(ds.teachers[t]->taughtSubjects);
    return out;
}

std::string TeacherInfoGrid::editRefusal(int column, const std::string& text)
{
    if (column == 4 && leadingIntOverflows(text))
        return GBK("工作量“") + text + GBK("”数字太大，没有填入。");
    return {};
}

std::vector<int> TeacherInfoGrid::columnWidths(int clientWidth)
{
    const int units[] = {2, 4, 3, 3, 3, 5};
    std::vector<int> w;
    int used = 0;
    for (int u : units) {
        w.push_back(u * HeaderHeight);
        used += u * HeaderHeight;
    }
    w.push_back(std::max(4 * HeaderHeight, clientWidth - used));
    return w;
}

int TeacherInfoGrid::placesNaming(const DataSet& ds, const std::string& name)
{
    if (name.empty())
        return 0;
    int n = 0;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes) {
            for (const auto& a : c->assignments)
                n += a->teacher == name;
            for (const auto& row : c->cells)
                for (const auto& cell : row)
                    n += cell.teacher == name;
        }
    return n;
}

std::string TeacherInfoGrid::deleteQuestion(const DataSet& ds, int teacher)
{
    if (teacher < 0 || teacher >= static_cast<int>(ds.teachers.size()))
        return {};
    const std::string& name = ds.teachers[teacher]->name;
    const int n = placesNaming(ds, name);
    if (n == 0)
        return {};
    return GBK("任课信息和课程表中还有") + gbk::formatInt(n) + GBK("处写着教师“") + name +
           GBK("”，删除教师后这些地方仍写着这个名字。是否删除?");
}

// ---------------------------------------------------------------- display state

void TeacherInfoGrid::setClientHeight(int height)
{
    visibleRows_ = std::max(1, (height - HeaderHeight) / RowHeight);
    if (selRow_ >= visibleRows_) {
        selRow_ = -1;
        selColumn_ = -1;
        ruleButtons_ = false;
    }
}

bool TeacherInfoGrid::ensureNotEmpty(DataSet& ds)
{
    if (!ds.teachers.empty())
        return false;
    ds.appendTeacher();
    return true;
}

void TeacherInfoGrid::clampTo(int count)
{
    firstRow_ = std::clamp(firstRow_, 0, maxFirstRow(count));
    if (selRow_ >= 0 && firstRow_ + selRow_ >= count) {
        selRow_ = -1;
        selColumn_ = -1;
        ruleButtons_ = false;
    }
}

bool TeacherInfoGrid::hitTest(int x, int y, int clientWidth, int& row, int& column) const
{
    row = column = -1;
    if (y < HeaderHeight || x < 0)
        return false;
    const int r = (y - HeaderHeight) / RowHeight;
    if (r >= visibleRows_)
        return false;
    const auto widths = columnWidths(clientWidth);
    int left = 0;
    for (int c = 0; c < ColumnCount; ++c) {
        if (x < left + widths[c]) {
            row = r;
            column = c;
            return true;
        }
        left += widths[c];
    }
    return false;
}

void TeacherInfoGrid::select(int row, int column)
{
    if (row < 0 || column < 0 || row >= visibleRows_ || column >= ColumnCount) {
        selRow_ = selColumn_ = -1;
        return;
    }
    selRow_ = row;
    selColumn_ = column;
}

TeacherInfoGrid::Action TeacherInfoGrid::leftDown(int row, int column)
{
    if (row >= 0 && row == selRow_ && column == selColumn_) {
        armed_ = true;
        return Action::None;
    }
    select(row, column);
    return Action::Redraw;
}

TeacherInfoGrid::Action TeacherInfoGrid::leftUp(int row, int column)
{
    const bool armed = armed_;
    armed_ = false;
    if (row >= 0 && isTextColumn(column)) {
        ruleButtons_ = false;
        return armed ? Action::OpenEditor : Action::Redraw;
    }
    if (row >= 0 && column == RuleColumn) {
        select(row, column);
        ruleButtons_ = true;
        return Action::Redraw;
    }
    ruleButtons_ = false;
    return Action::Redraw;
}

TeacherInfoGrid::Action TeacherInfoGrid::doubleClick(int row, int column)
{
    if (row < 0 || !isTextColumn(column))
        return Action::None;
    ruleButtons_ = false;
    select(row, column);
    return Action::OpenEditor;
}

TeacherInfoGrid::Action TeacherInfoGrid::rightDown(int row, int column)
{
    const bool changed = row != selRow_ || column != selColumn_;
    select(row, column);
    if (column != RuleColumn)
        ruleButtons_ = false;
    return changed ? Action::Redraw : Action::None;
}

bool TeacherInfoGrid::moveAfterEdit(EditEnd end, int count)
{
    if (!hasSelection() || end == EditEnd::Accept || end == EditEnd::Cancel)
        return false;
    int teacher = selectedTeacher();
    int column = selColumn_;
    switch (end) {
    case EditEnd::Tab:
        if (column < 5) {
            ++column;
        } else if (teacher + 1 < count) {
            column = 1;
            ++teacher;
        }
        break;
    case EditEnd::BackTab:
        if (column > 1) {
            --column;
        } else if (teacher > 0) {
            column = 5;
            --teacher;
        }
        break;
    case EditEnd::Left: column = std::max(1, column - 1); break;
    case EditEnd::Right: column = std::min(5, column + 1); break;
    case EditEnd::Up: teacher = std::max(0, teacher - 1); break;
    case EditEnd::Down: teacher = std::min(count - 1, teacher + 1); break;
    case EditEnd::PageUp: teacher = std::max(0, teacher - visibleRows_); break;
    case EditEnd::PageDown: teacher = std::min(count - 1, teacher + visibleRows_); break;
    default: break;
    }
    teacher = std::max(0, teacher);
    if (teacher < firstRow_)
        firstRow_ = teacher;
    else if (teacher >= firstRow_ + visibleRows_)
        firstRow_ = teacher - visibleRows_ + 1;
    selRow_ = teacher - firstRow_;
    selColumn_ = column;
    ruleButtons_ = false;
    return true;
}

int TeacherInfoGrid::maxFirstRow(int count) const
{
    return std::max(0, count - visibleRows_);
}

void TeacherInfoGrid::scrollBy(int rows, int count)
{
    scrollTo(firstRow_ + rows, count);
}

void TeacherInfoGrid::scrollTo(int first, int count)
{
    firstRow_ = std::clamp(first, 0, maxFirstRow(count));
    ruleButtons_ = false;
}

// ---------------------------------------------------------------- page commands

bool TeacherInfoGrid::paste(DataSet& ds, const std::string& text, PasteSummary* summary) const
{
    if (!canPaste())
        return false;
    return pasteAt(ds, firstRow_ + selRow_, selColumn_, text, summary);
}

bool TeacherInfoGrid::addTeacher(DataSet& ds)
{
    ds.appendTeacher();
    return true;
}

bool TeacherInfoGrid::deleteSelected(DataSet& ds)
{
    const int a = selectedTeacher();
    if (a < 0 || !ds.removeTeacher(a))
        return false;
    const int count = static_cast<int>(ds.teachers.size());
    if (firstRow_ > 0 && count < firstRow_ + visibleRows_) {
        --firstRow_;
        ++selRow_;
    }
    if (firstRow_ + selRow_ >= count)
        --selRow_;
    if (selRow_ < 0 || selRow_ >= visibleRows_) {
        selRow_ = -1;
        selColumn_ = -1;
    }
    ruleButtons_ = false;
    return true;
}

bool TeacherInfoGrid::moveUp(DataSet& ds)
{
    const int a = selectedTeacher();
    if (a <= 0 || a >= static_cast<int>(ds.teachers.size()))
        return false;
    std::swap(ds.teachers[a - 1], ds.teachers[a]);
    if (selRow_ > 0)
        --selRow_;
    else if (firstRow_ > 0)
        --firstRow_;
    ruleButtons_ = false;
    return true;
}

bool TeacherInfoGrid::moveDown(DataSet& ds)
{
    const int a = selectedTeacher();
    if (a < 0 || a >= static_cast<int>(ds.teachers.size()) - 1)
        return false;
    std::swap(ds.teachers[a], ds.teachers[a + 1]);
    if (selRow_ < visibleRows_ - 1)
        ++selRow_;
    else
        ++firstRow_;
    ruleButtons_ = false;
    return true;
}

// ---------------------------------------------------------------- rule cell buttons

std::vector<std::string> TeacherInfoGrid::settingsOf(const DataSet& ds, int teacher)
{
    std::vector<std::string> lines;
    if (teacher < 0 || teacher >= static_cast<int>(ds.teachers.size()))
        return lines;
    const TeacherInfoRecord& t = *ds.teachers[teacher];
    lines.push_back(t.ruleSummary);
    const int periods = ds.gridPeriods();
    const int days = ds.gridDays();
    for (int p = 0; p < periods; ++p)
        for (int d = 0; d < days; ++d)
            lines.push_back(gbk::formatInt(p) + "," + gbk::formatInt(d) + "," + ds.teacherSlotValue(p, d, t.name));
    return lines;
}

bool TeacherInfoGrid::applySettings(DataSet& ds, int teacher, const std::vector<std::string>& lines)
{
    if (teacher < 0 || teacher >= static_cast<int>(ds.teachers.size()) || lines.empty())
        return false;
    TeacherInfoRecord& t = *ds.teachers[teacher];
    bool changed = t.ruleSummary != lines[0];
    t.ruleSummary = lines[0];
    for (std::size_t i = 1; i < lines.size(); ++i) {
        int p = 0, d = 0;
        std::string rule;
        if (!parseSettingsLine(lines[i], p, d, rule))
            continue;
        if (ds.teacherSlotValue(p, d, t.name) == rule)
            continue;
        changed = ds.setTeacherSlotValue(p, d, t.name, rule) != 0 || changed;
    }
    return changed;
}

void TeacherInfoGrid::copySettings(const DataSet& ds)
{
    const int a = selectedTeacher();
    if (a < 0 || a >= static_cast<int>(ds.teachers.size()))
        return;
    settingsClipboard_ = settingsOf(ds, a);
    ruleButtons_ = false;
}

bool TeacherInfoGrid::pasteSettings(DataSet& ds)
{
    ruleButtons_ = false;
    return applySettings(ds, selectedTeacher(), settingsClipboard_);
}

std::string TeacherInfoGrid::helpPage()
{
    return R"(<h2>教师信息</h2>
<p>这里登记全校的教师：每行一位教师，依次是序号、教师名称、简称、任教学科、工作量（每周应上的课时数）、备注，
最后一列是这位教师的排课要求（尽量排、一定排、不排）。</p>
<h3>录入和修改</h3>
<ul>
<li>“添加教师”在表格末尾加一行；单击一个格子选中它，再单击或双击就可以直接输入，按 Enter 确认，按 Esc 放弃。</li>
<li>输入时按 Tab、方向键或翻页键，会确认当前格子并在相邻的格子里继续输入。</li>
<li>工作量只取开头的数字，例如输入“12节”记为 12；不是数字的内容记为空。</li>
<li>“上移一行”“下移一行”调整教师的先后顺序，这个顺序也是各种教师名单和课程表的顺序。</li>
<li>“删除教师”删除选中的教师。如果任课信息或课程表里还写着他的名字，会先告诉您有几处，确认后才删除；这些地方的名字不会被改掉。</li>
</ul>
<h3>从表格软件粘贴</h3>
<p>在电子表格里复制若干行（教师名称、简称、任教学科、工作量、备注），在本页选中第一位教师的“教师名称”格子，
按 Ctrl+V 或点“数据粘贴”。每行贴到一位教师，不够的行会自动添加；超出“备注”列的内容不贴。
从“序号”列开始粘贴时，第一列被跳过，所以“数据复制”得到的整表可以原样贴回（表头会贴进第一行）。</p>
<p>“数据复制”（或右键菜单“整表复制”）把整张表复制到剪贴板，可以直接贴进电子表格。</p>
<h3>排课要求</h3>
<p>单击最后一列的格子会出现三个按钮：“设置...”打开这位教师的排课要求设置；“复制设置”记下这位教师的全部要求；
“粘贴设置”把记下的要求原样给当前选中的教师（原来有而记下的没有的要求会被去掉）。
“多人同时设置”一次给几位教师设置要求，关闭后最后一列会重新生成。</p>
<h3>分组</h3>
<p>“分组”打开教师分组：右边是全部教师，双击（或“&lt;&lt; 加入组”）把教师加入当前组，左边双击（或“退出组 &gt;&gt;”）把他移出；
“*”修改组的名称，也可以增加或删除组。</p>
<p>每一步修改都可以用 Ctrl+Z 撤销、Ctrl+Y 重做。</p>
)";
}

} // namespace tabrel
