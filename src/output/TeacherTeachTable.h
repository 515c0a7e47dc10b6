#pragma once
// The master assignment table (总任课表): one row per teacher, one narrow column per (day, period)
// slot, each slot showing what the teacher teaches there and in which class; 18 teacher rows and
// 30 slot columns at a time, scrolled both ways.
#include <string>

#include "data/Dimensions.h"
#include "views/Canvas.h"

namespace tabrel {

class DataSet;

class TeacherTeachTable {
public:
    static constexpr int VisibleRows = 18;
    static constexpr int VisibleColumns = 30;
    static constexpr Rgb HeaderGrey{147, 147, 147};

    int showSubject = 1;
    int showClass = 1;
    int firstVisibleRow = 0;
    int firstVisibleColumn = 0;
    int visibleRows = VisibleRows;
    int visibleColumns = VisibleColumns;

    // Slot columns of the week (T·D) and the teachers.
    static int slotColumns(const DataSet& dataSet);
    // Scroll bars: vertical past 18 teachers (0 … teachers), horizontal past 30 columns
    // (0 … T·D − 30).
    static bool verticalBarShown(const DataSet& dataSet);
    static bool horizontalBarShown(const DataSet& dataSet);
    static int verticalMaximum(const DataSet& dataSet);
    static int horizontalMaximum(const DataSet& dataSet);
    void scrollRows(int delta, const DataSet& dataSet);
    void scrollColumns(int delta, const DataSet& dataSet);
    void setFirstRow(int row, const DataSet& dataSet);
    void setFirstColumn(int column, const DataSet& dataSet);

    // Geometry of a client area W x Hc: C = min(T·D + 1, 31) columns, two header bands and one
    // band per teacher row.
    static int shownColumns(const DataSet& dataSet, int visibleColumns = VisibleColumns);
    static int columnX(int u, int width, int columns) { return u * width / columns; }
    int bandY(int v, int height) const { return v * height / (visibleRows + 2); }

    // Draws the table into W x Hc.
    void draw(Canvas& canvas, const DataSet& dataSet, int width, int height) const;

    // The Chinese help page (UTF-8 HTML).
    static std::string helpPage();
};

} // namespace tabrel
