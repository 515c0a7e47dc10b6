#include "setup/TeacherClassMatch.h"

#include <algorithm>

#include "data/ClipboardTable.h"
#include "data/DataSet.h"
#include "data/Gbk.h"
#include "scheduling/TeacherAssignment.h"

namespace tabrel {

namespace {

constexpr int ListNameWidth = 72;
constexpr int ListInfoWidth = 52;
constexpr int StripWidth = 16;
constexpr int Gap = 6;
constexpr int ClassColumnWidth = 90;

TeachingAssignment* assignmentOf(const DataSet& ds, int classIndex, int subjectIndex)
{
    if (subjectIndex < 0 || subjectIndex >= static_cast<int>(ds.subjects.size()) || classIndex < 0)
        return nullptr;
    const auto classes = TeacherClassMatch::classList(ds);
    if (classIndex >= static_cast<int>(classes.size()))
        return nullptr;
    return classes[classIndex]->FindAssignment(ds.subjects[subjectIndex]->name);
}

} // namespace

// ---------------------------------------------------------------- the assignment

std::vector<ClassTable*> TeacherClassMatch::classList(const DataSet& ds)
{
    std::vector<ClassTable*> list;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            list.push_back(c.get());
    return list;
}

int TeacherClassMatch::classCount(const DataSet& ds)
{
    int n = 0;
    for (const auto& g : ds.grades)
        n += static_cast<int>(g->classes.size());
    return n;
}

std::string TeacherClassMatch::className(const DataSet& ds, int classIndex)
{
    const auto classes = TeacherClassMatch::classList(ds);
    if (classIndex < 0 || classIndex >= static_cast<int>(classes.size()))
        return {};
    return classes[classIndex]->name;
}

std::string TeacherClassMatch::assignmentTeacherAt(const DataSet& ds, int classIndex, int subjectIndex)
{
    const TeachingAssignment* a = assignmentOf(ds, classIndex, subjectIndex);
    return a ? a->teacher : std::string();
}

bool TeacherClassMatch::setAssignmentTeacher(DataSet& ds, int classIndex, int subjectIndex, const std::string& text)
{
    TeachingAssignment* a = assignmentOf(ds, classIndex, subjectIndex);
    if (!a || a->teacher == text)
        return false;
    a->teacher = text;
    return true;
}

std::string TeacherClassMatch::wholeTableText(const DataSet& ds)
{
    std::vector<std::vector<std::string>> rows;
    std::vector<std::string> header{GBK("班级")};
    for (const auto& s : ds.subjects)
        header.push_back(s->name);
    rows.push_back(std::move(header));
    const auto classes = TeacherClassMatch::classList(ds);
    for (const ClassTable* c : classes) {
        std::vector<std::string> row{c->name};
        for (const auto& s : ds.subjects) {
            std::string t = c->teacherForSubject(s->name);
            row.push_back(t.empty() ? std::string(" ") : t);
        }
        rows.push_back(std::move(row));
    }
    return joinClipboardTable(rows);
}

bool TeacherClassMatch::pasteAt(DataSet& ds, int classIndex, int subjectIndex, const std::string& text)
{
    if (classIndex < 0 || subjectIndex < 0)
        return false;
    const auto classes = TeacherClassMatch::classList(ds);
    const long long classTotal = static_cast<long long>(classes.size());
    const long long subjectTotal = static_cast<long long>(ds.subjects.size());
    bool changed = false;
    const auto lines = cutClipboardTable(text);
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const long long ci = classIndex + static_cast<long long>(i);
        if (ci >= classTotal)
            break;
        for (std::size_t k = 0; k < lines[i].size(); ++k) {
            const long long sj = subjectIndex + static_cast<long long>(k);
            if (sj >= subjectTotal)
                break;
            TeachingAssignment* a = classes[ci]->FindAssignment(ds.subjects[sj]->name);
            if (a && a->teacher != lines[i][k]) {
                a->teacher = lines[i][k];
                changed = true;
            }
        }
    }
    return changed;
}

bool TeacherClassMatch::clearAll(DataSet& ds)
{
    bool changed = false;
    for (const auto& g : ds.grades)
        for (const auto& c : g->classes)
            for (auto& a : c->assignments)
                if (!a->teacher.empty()) {
                    a->teacher.clear();
                    changed = true;
                }
    return changed;
}

std::string TeacherClassMatch::clearQuestion()
{
    return GBK("是否清空所有班级的任课教师?");
}

std::string TeacherClassMatch::planOverWeekText(const DataSet& ds, int classIndex)
{
    const auto list = classList(ds);
    if (classIndex < 0 || classIndex >= static_cast<int>(list.size()))
        return {};
    const long long required = list[classIndex]->requiredLessonCount();
    const int slots = list[classIndex]->usableSlotCount();
    if (required <= slots)
        return {};
    return GBK("本班每周共") + gbk::formatInt(required) + GBK("节课，可排课时只有") + gbk::formatInt(slots) +
           GBK("节：多出的") + gbk::formatInt(required - slots) + GBK("节无法排入课表");
}

std::string TeacherClassMatch::tipAt(const DataSet& ds, const Layout& l, int x, int y) const
{
    const Place place = hitTest(l, x, y);
    if (place.kind != PlaceKind::Matrix || place.column != 0 || place.row < 1)
        return {};
    return planOverWeekText(ds, firstClass_ + place.row - 1);
}

std::string TeacherClassMatch::teacherInfo(const TeacherInfoRecord& t)
{
    if (t.assignedPeriods > 0)
        return gbk::formatInt(t.workload) + "-" + gbk::formatInt(t.assignedPeriods);
    return gbk::formatInt(t.workload);
}

std::vector<std::vector<std::string>> TeacherClassMatch::teacherLoadRows(const DataSet& ds)
{
    DataTable table;
    BuildTeacherLoadTable(ds, table);
    std::vector<std::vector<std::string>> rows;
    for (int r = 0; r < table.rowCount(); ++r) {
        std::vector<std::string> row;
        for (int c = 0; c < table.columnCount(); ++c)
            row.push_back(table.cell(r, c));
        rows.push_back(std::move(row));
    }
    return rows;
}

// ---------------------------------------------------------------- geometry

TeacherClassMatch::Layout TeacherClassMatch::layout(int width, int height, int teacherCount) const
{
    Layout l;
    l.width = width;
    l.height = height;
    l.rowHeight = std::max(18, height / (MatrixRows + 1));
    const int rh = l.rowHeight;
    l.listName = {0, 0, ListNameWidth, rh};
    l.listInfo = {ListNameWidth, 0, ListNameWidth + ListInfoWidth, rh};
    const int sx = ListNameWidth + ListInfoWidth;
    const int bottom = rh * (ListRows + 1);
    l.strip = {sx, 0, sx + StripWidth, bottom};
    l.stripUp = {sx, 0, sx + StripWidth, StripWidth};
    l.stripDown = {sx, bottom - StripWidth, sx + StripWidth, bottom};
    const int trackTop = StripWidth, trackBottom = bottom - StripWidth;
    const int track = std::max(0, trackBottom - trackTop);
    const int maxFirst = std::max(0, teacherCount - ListRows);
    if (maxFirst == 0) {
        l.thumb = {sx, trackTop, sx + StripWidth, trackBottom};
    } else {
        const int len = std::max(12, track * ListRows / std::max(1, teacherCount));
        const int top = trackTop + (track - len) * std::min(firstTeacher_, maxFirst) / maxFirst;
        l.thumb = {sx, top, sx + StripWidth, top + len};
    }
    l.matrixLeft = sx + StripWidth + Gap;
    l.classColumnWidth = ClassColumnWidth;
    l.columnWidth = std::max(40, (width - l.matrixLeft - ClassColumnWidth) / MatrixColumns);
    return l;
}

Rect TeacherClassMatch::listRowRect(const Layout& l, int k)
{
    const int top = (k + 1) * l.rowHeight;
    return {0, top, ListNameWidth + ListInfoWidth, top + l.rowHeight};
}

Rect TeacherClassMatch::matrixCellRect(const Layout& l, int r, int c)
{
    const int top = r * l.rowHeight;
    const int left = c == 0 ? l.matrixLeft : l.matrixLeft + l.classColumnWidth + (c - 1) * l.columnWidth;
    const int w = c == 0 ? l.classColumnWidth : l.columnWidth;
    return {left, top, left + w, top + l.rowHeight};
}

bool TeacherClassMatch::cellOnScreen(int classIndex, int subjectIndex, const Layout& l, Rect& out) const
{
    const int r = classIndex - firstClass_ + 1;
    const int c = subjectIndex - firstSubject_ + 1;
    if (r < 1 || r > MatrixRows || c < 1 || c > ShownSubjects)
        return false;
    out = matrixCellRect(l, r, c);
    return true;
}

TeacherClassMatch::Place TeacherClassMatch::hitTest(const Layout& l, int x, int y) const
{
    Place p;
    if (l.strip.contains(x, y)) {
        if (l.stripUp.contains(x, y))
            p.kind = PlaceKind::StripUp;
        else if (l.stripDown.contains(x, y))
            p.kind = PlaceKind::StripDown;
        else if (y < l.thumb.top)
            p.kind = PlaceKind::StripAbove;
        else if (y >= l.thumb.bottom)
            p.kind = PlaceKind::StripBelow;
        else
            p.kind = PlaceKind::Thumb;
        return p;
    }
    if (y < 0 || l.rowHeight <= 0)
        return p;
    const int row = y / l.rowHeight;
    if (x >= 0 && x < ListNameWidth + ListInfoWidth) {
        if (row == 0)
            p.kind = PlaceKind::ListHeader;
        else if (row <= ListRows) {
            p.kind = PlaceKind::ListRow;
            p.row = row - 1;
        }
        return p;
    }
    if (row > MatrixRows || x < l.matrixLeft)
        return p;
    int column = -1;
    if (x < l.matrixLeft + l.classColumnWidth)
        column = 0;
    else {
        column = 1 + (x - l.matrixLeft - l.classColumnWidth) / l.columnWidth;
        if (column > MatrixColumns)
            return p;
    }
    p.kind = PlaceKind::Matrix;
    p.row = row;
    p.column = column;
    return p;
}

// ---------------------------------------------------------------- state

void TeacherClassMatch::select(int classIndex, int subjectIndex)
{
    if (classIndex < 0 || subjectIndex < 0) {
        selClass_ = selSubject_ = -1;
        return;
    }
    selClass_ = classIndex;
    selSubject_ = subjectIndex;
}

int TeacherClassMatch::maxFirstClass(const DataSet& ds) { return std::max(0, classCount(ds) - MatrixRows); }
int TeacherClassMatch::maxFirstSubject(const DataSet& ds)
{
    return std::max(0, static_cast<int>(ds.subjects.size()) - ShownSubjects);
}
int TeacherClassMatch::maxFirstTeacher(const DataSet& ds)
{
    return std::max(0, static_cast<int>(ds.teachers.size()) - ListRows);
}

void TeacherClassMatch::clampTo(const DataSet& ds)
{
    firstClass_ = std::clamp(firstClass_, 0, maxFirstClass(ds));
    firstSubject_ = std::clamp(firstSubject_, 0, maxFirstSubject(ds));
    firstTeacher_ = std::clamp(firstTeacher_, 0, maxFirstTeacher(ds));
    if (selClass_ >= classCount(ds) || selSubject_ >= static_cast<int>(ds.subjects.size()))
        selClass_ = selSubject_ = -1;
}

void TeacherClassMatch::scrollClassesTo(const DataSet& ds, int first)
{
    firstClass_ = std::clamp(first, 0, maxFirstClass(ds));
}
void TeacherClassMatch::scrollSubjectsTo(const DataSet& ds, int first)
{
    firstSubject_ = std::clamp(first, 0, maxFirstSubject(ds));
}
void TeacherClassMatch::scrollTeachersTo(const DataSet& ds, int first)
{
    firstTeacher_ = std::clamp(first, 0, maxFirstTeacher(ds));
}

void TeacherClassMatch::revealSelection(const DataSet& ds)
{
    if (!hasSelection())
        return;
    if (selClass_ < firstClass_)
        scrollClassesTo(ds, selClass_);
    else if (selClass_ >= firstClass_ + MatrixRows)
        scrollClassesTo(ds, selClass_ - MatrixRows + 1);
    if (selSubject_ < firstSubject_)
        scrollSubjectsTo(ds, selSubject_);
    else if (selSubject_ >= firstSubject_ + ShownSubjects)
        scrollSubjectsTo(ds, selSubject_ - ShownSubjects + 1);
}

bool TeacherClassMatch::cellAt(const DataSet& ds, int r, int c, int& classIndex, int& subjectIndex) const
{
    if (r < 1 || r > MatrixRows || c < 1 || c > ShownSubjects)
        return false;
    classIndex = firstClass_ + r - 1;
    subjectIndex = firstSubject_ + c - 1;
    return classIndex < classCount(ds) && subjectIndex < static_cast<int>(ds.subjects.size());
}

// ---------------------------------------------------------------- mouse

TeacherClassMatch::Result TeacherClassMatch::leftDown(const DataSet& ds, const Layout& l, int x, int y)
{
    const Place p = hitTest(l, x, y);
    downX_ = dragX_ = x;
    downY_ = dragY_ = y;
    dragging_ = false;
    dragText_.clear();
    dragMode_.clear();
    std::string description;
    int matrixRow = -1, matrixColumn = -1;
    switch (p.kind) {
    case PlaceKind::ListHeader:
        description = "leftTitle";
        break;
    case PlaceKind::ListRow: {
        const int t = firstTeacher_ + p.row;
        const std::string name = t < static_cast<int>(ds.teachers.size()) ? ds.teachers[t]->name : std::string();
        description = "left[" + gbk::formatInt(p.row) + ",0]" + name;
        dragText_ = name;
        break;
    }
    case PlaceKind::Matrix: {
        int i = 0, j = 0;
        if (p.row < 1 || p.column < 1 || p.column > ShownSubjects)
            break;
        const std::string text = cellAt(ds, p.row, p.column, i, j) ? assignmentTeacherAt(ds, i, j) : std::string();
        description = "right[" + gbk::formatInt(p.row) + "," + gbk::formatInt(p.column) + "]" + text;
        dragText_ = text;
        matrixRow = p.row;
        matrixColumn = p.column;
        break;
    }
    case PlaceKind::StripUp: scrollTeachersTo(ds, firstTeacher_ - 1); return {Outcome::Redraw};
    case PlaceKind::StripDown: scrollTeachersTo(ds, firstTeacher_ + 1); return {Outcome::Redraw};
    case PlaceKind::StripAbove: scrollTeachersTo(ds, firstTeacher_ - ListRows); return {Outcome::Redraw};
    case PlaceKind::StripBelow: scrollTeachersTo(ds, firstTeacher_ + ListRows); return {Outcome::Redraw};
    default: break;
    }
    if (!dragText_.empty())
        dragMode_ = "copy";
    if (!description.empty()) {
        if (description == dragSource_ && matrixRow >= 0) {
            armed_ = true;
        } else {
            dragSource_ = description;
            dragSourceRow_ = matrixRow;
            dragSourceColumn_ = matrixColumn;
        }
    }
    return {Outcome::None};
}

TeacherClassMatch::Result TeacherClassMatch::mouseMove(int x, int y, bool buttonHeld)
{
    if (!buttonHeld) {
        const bool was = dragging_;
        dragText_.clear();
        dragMode_.clear();
        dragging_ = false;
        return {was ? Outcome::Redraw : Outcome::None};
    }
    const long long dx = x - downX_, dy = y - downY_;
    if (dragText_.empty() || dx * dx + dy * dy < 5)
        return {Outcome::None};
    dragging_ = true;
    dragX_ = x;
    dragY_ = y;
    return {Outcome::Redraw};
}

TeacherClassMatch::Result TeacherClassMatch::leftUp(const DataSet& ds, const Layout& l, int x, int y)
{
    Result result{Outcome::Redraw};
    const Place p = hitTest(l, x, y);
    int i = 0, j = 0;
    const bool onCell = p.kind == PlaceKind::Matrix && cellAt(ds, p.row, p.column, i, j);
    if (onCell && p.row == dragSourceRow_ && p.column == dragSourceColumn_) {
        if (selClass_ != i || selSubject_ != j)
            select(i, j);
        else if (armed_)
            result.outcome = Outcome::OpenEditor;
        highlight_ = assignmentTeacherAt(ds, selClass_, selSubject_);
    } else if (onCell) {
        select(-1, -1);
        const Rect r = matrixCellRect(l, p.row, p.column);
        const bool inside = x > r.left + 5 && x < r.right - 5 && y > r.top + 5 && y < r.bottom - 5;
        if (!dragText_.empty() && inside) {
            result = {Outcome::Drop, i, j, dragText_};
            highlight_ = dragText_;
        }
    }
    dragText_.clear();
    dragMode_.clear();
    dragging_ = false;
    armed_ = false;
    return result;
}

TeacherClassMatch::Result TeacherClassMatch::rightDown(const DataSet& ds, const Layout& l, int x, int y)
{
    const Place p = hitTest(l, x, y);
    int i = 0, j = 0;
    if (p.kind != PlaceKind::Matrix || !cellAt(ds, p.row, p.column, i, j))
        return {Outcome::None};
    select(i, j);
    return {Outcome::ContextMenu, i, j};
}

// ---------------------------------------------------------------- commands

bool TeacherClassMatch::paste(DataSet& ds, const std::string& text) const
{
    int s0 = 0, j0 = 0;
    if (hasSelection()) {
        j0 = selSubject_;
        if (selClass_ >= firstClass_ && selClass_ < firstClass_ + MatrixRows)
            s0 = selClass_;
    }
    return pasteAt(ds, s0, j0, text);
}

bool TeacherClassMatch::clearSelected(DataSet& ds) const
{
    return hasSelection() && setAssignmentTeacher(ds, selClass_, selSubject_, "");
}

bool TeacherClassMatch::commitEdit(DataSet& ds, const std::string& text) const
{
    return hasSelection() && setAssignmentTeacher(ds, selClass_, selSubject_, text);
}

bool TeacherClassMatch::moveSelection(const DataSet& ds, int dRow, int dColumn)
{
    const int classes = classCount(ds), subjects = static_cast<int>(ds.subjects.size());
    if (classes == 0 || subjects == 0)
        return false;
    if (!hasSelection()) {
        select(firstClass_, firstSubject_);
    } else {
        const int i = std::clamp(selClass_ + dRow, 0, classes - 1);
        const int j = std::clamp(selSubject_ + dColumn, 0, subjects - 1);
        if (i == selClass_ && j == selSubject_)
            return false;
        select(i, j);
    }
    revealSelection(ds);
    highlight_ = assignmentTeacherAt(ds, selClass_, selSubject_);
    return true;
}

std::string TeacherClassMatch::helpPage()
{
    return R"(<h2>任课信息</h2>
<p>这里安排每个班每门课由哪位教师任教。左边是教师名单，“信息”一栏是工作量，已安排课时后显示为“工作量-已安排课时”，
例如 16-12。右边每行是一个班，每列是一门科目；只有这个年级开设的科目，格子才能填写。</p>
<h3>填写</h3>
<ul>
<li>把左边的教师名字拖到右边的格子里就填好了；也可以把一个格子里的名字拖到另一个格子，原来的格子保持不变。</li>
<li>单击一个格子，所有写着同一位教师的格子都变成红色，一眼看出他教哪些班；再单击一次（或按 Enter、F2）就可以直接输入名字。</li>
<li>方向键移动选中的格子；右键菜单可以“整表复制”“数据粘贴”“清除单元格”。</li>
<li>输入的名字不在教师名单里也可以，点“返回”时会自动把这些教师加进教师信息。</li>
</ul>
<h3>复制和粘贴</h3>
<p>“整表复制”把班级、科目和教师名整表复制到剪贴板。“数据粘贴”从选中的格子开始，一行对应一个班、一列对应一门科目；
空的内容会清除这个格子。只复制教师名（不带表头和班级列）的一块，选中第一个班的第一门科目再粘贴，就能原样贴回。</p>
<h3>其他</h3>
<ul>
<li>科目多时用下面的横向滚动条查看右边的科目；班级多时用右边的滚动条。</li>
<li>“数据清空”清除所有班级的任课教师，会先询问。</li>
<li>“提取教师”列出每位教师任教的科目和每周课时（教师任教信息表）。</li>
</ul>
<p>每一步修改都可以用 Ctrl+Z 撤销、Ctrl+Y 重做。</p>
)";
}

} // namespace tabrel
