#include "output/TimetableLayout.h"

#include <algorithm>

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "views/Canvas.h"

namespace tabrel {

TableGrid layoutTableGrid(int count, int tablesPerRow, int width, int totalHeight)
{
    TableGrid grid;
    if (count <= 0 || tablesPerRow <= 0)
        return grid;
    const int h = totalHeight + 40;
    grid.origins.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        grid.origins.push_back({(i % tablesPerRow) * (width + 30) + 30, (i / tablesPerRow) * h + 40});
    const int rows = count / tablesPerRow + (count % tablesPerRow > 0 ? 1 : 0);
    grid.contentWidth = tablesPerRow * (width + 30) + 30;
    grid.contentHeight = h * rows + 40;
    return grid;
}

// ---- ScrollState -------------------------------------------------------------------------------

void ScrollState::setClientSize(int width, int height)
{
    clientWidth = std::max(0, width);
    clientHeight = std::max(0, height);
    scrollX = 0;
    scrollY = 0;
}

// ---- TimetablePanel ----------------------------------------------------------------------------

void TimetablePanel::layoutViews(const DataSet& dataSet, std::size_t count)
{
    views.assign(count, DrawnTable{});
    if (count == 0)
        return;
    DrawnTable size;
    size.SetDrawOrigin(dataSet, 0, 0);
    const TableGrid grid = layoutTableGrid(static_cast<int>(count), tablesPerRow, size.totalWidth, size.totalHeight);
    for (std::size_t i = 0; i < count; ++i)
        views[i].SetDrawOrigin(dataSet, grid.origins[i].x, grid.origins[i].y);
    contentWidth = grid.contentWidth;
    contentHeight = grid.contentHeight;
}

int TimetablePanel::tableAt(int x, int y) const
{
    for (std::size_t i = 0; i < views.size(); ++i) {
        const DrawnTable& v = views[i];
        if (x >= v.originX && x < v.originX + v.totalWidth && y >= v.originY && y < v.originY + v.totalHeight)
            return static_cast<int>(i);
    }
    return -1;
}

bool TimetablePanel::SetTablesPerRow(int n)
{
    if (n == tablesPerRow || n < MinTablesPerRow || n > MaxTablesPerRow)
        return false;
    tablesPerRow = n;
    LayoutTables();
    return true;
}

std::vector<std::string> TimetablePanel::tablesPerRowMenuItems()
{
    std::vector<std::string> items;
    for (int n = MinTablesPerRow; n <= MaxTablesPerRow; ++n)
        items.push_back(gbk::formatInt(n));
    return items;
}

void TimetablePanel::fillPicture(Canvas& canvas) const
{
    canvas.fillRect({0, 0, pictureWidth(), pictureHeight()}, colors::White);
}

// ---- ClassTablePanel ---------------------------------------------------------------------------

void ClassTablePanel::RebuildClassList()
{
    classList.clear();
    if (!pDataSet)
        return;
    for (const auto& grade : pDataSet->grades)
        for (const auto& table : grade->classes)
            classList.push_back(table.get());
}

bool ClassTablePanel::classListCurrent() const
{
    if (!pDataSet)
        return classList.empty();
    std::size_t i = 0;
    for (const auto& grade : pDataSet->grades)
        for (const auto& table : grade->classes) {
            if (i >= classList.size() || classList[i] != table.get())
                return false;
            ++i;
        }
    return i == classList.size();
}

std::string ClassTablePanel::LayoutTables()
{
    if (!pDataSet)
        return "pDataSet==NULL";
    if (!classListCurrent())
        RebuildClassList();
    if (classList.empty())
        return {};
    layoutViews(*pDataSet, classList.size());
    return {};
}

void ClassTablePanel::RedrawTables(Canvas& canvas)
{
    if (!classListCurrent()) {
        RebuildClassList();
        LayoutTables();
    }
    fillPicture(canvas);
    const ClassCellOptions options = cellOptions();
    if (views.size() != classList.size())
        layoutViews(*pDataSet, classList.size());
    for (std::size_t i = 0; i < classList.size(); ++i)
        DrawClassTimetable(*classList[i], views[i], canvas, options);
}

bool ClassTablePanel::setNameStyle(int style)
{
    if (style == nameStyle || (style != 0 && style != 1))
        return false;
    nameStyle = style;
    return true;
}

ClassCellOptions ClassTablePanel::cellOptions() const
{
    return {showSubject != 0, showTeacher != 0, nameStyle};
}

// ---- TeacherTablePanel -------------------------------------------------------------------------

std::string TeacherTablePanel::LayoutTables()
{
    if (!pDataSet)
        return "pDataSet==NULL";
    auto& teachers = pDataSet->teachers;
    if (teachers.empty())
        return {};
    layoutViews(*pDataSet, teachers.size());
    return {};
}

void TeacherTablePanel::RedrawTables(Canvas& canvas)
{
    fillPicture(canvas);
    if (!pDataSet)
        return;
    const TeacherCellOptions options = cellOptions();
    const auto& teachers = pDataSet->teachers;
    if (views.size() != teachers.size())
        layoutViews(*pDataSet, teachers.size());
    for (std::size_t i = 0; i < teachers.size(); ++i)
        DrawTeacherTimetable(*teachers[i], views[i], canvas, options);
}

TeacherCellOptions TeacherTablePanel::cellOptions() const { return {showSubject != 0, showClass != 0}; }

} // namespace tabrel
