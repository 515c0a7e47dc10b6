#pragma once
// Style 1 of the master timetable: one large grid, one row per period and, within each day, one
// narrow column per selected class. The geometry is decided here and the grid drawn through a
// Canvas; a range of class columns can be drawn alone (a printed page repeats the label columns
// in front of its own columns) and a screen window draws only the columns it can see.
#include <string>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class Canvas;
class ClassTable;
class DataSet;

struct Style1Options {
    bool showSubject = true;
    bool showTeacher = true;
};

class TotalScheduleTable {
public:
    static constexpr int ColumnWidth = 30; // V
    static constexpr int FirstLabelLeft = 30;
    static constexpr int BodyLeft = 90;    // right edge of the second label column
    static constexpr int LineGrey = 180;

    // Geometry of `classes` columns per day for the data set's time grid and a client height.
    TotalScheduleTable(const DataSet& dataSet, int classes, int clientHeight);

    int periods() const { return T_; }
    int days() const { return D_; }
    int classes() const { return n_; }
    int upperPeriods() const { return U_; }
    int rowHeight() const { return R_; }
    int columnCount() const { return D_ * n_; }

    // Right edge of the grid when every column is drawn: 90 + D·n·V + (D − 1).
    int gridRight() const;
    // The table window's width (grid plus 50) and the scrolled content's width (plus 100 more).
    int tableWidth() const { return gridRight() + 50; }
    int contentWidth() const { return tableWidth() + 100; }

    // Rows: top of the grid (y0), the class-name row, the top of period p, the bottom of the grid.
    int titleBottom() const { return 4 * R_ / 5; }
    int gridTop() const { return 4 * R_ / 5 + 10; }
    int classRowTop() const { return gridTop() + R_ / 2; }
    int firstPeriodTop() const { return classRowTop() + 2 * R_ / 3; }
    int periodTop(int period) const;
    int gridBottom() const { return periodTop(T_); }

    // Left edge of body column k (day k / n, class k % n) when columns first … are drawn from the
    // body's left edge on.
    int columnLeft(int column, int firstColumn = 0) const;

    // Draws body columns [firstColumn, lastColumn) (-1: to the end) with the title, the labels and
    // the lines; columns whose x range misses [visibleLeft, visibleRight) are skipped, and the
    // long lines are cut to that range.
    void draw(Canvas& canvas, const DataSet& dataSet, const std::vector<const ClassTable*>& selected,
              const Style1Options& options, int firstColumn = 0, int lastColumn = -1, int visibleLeft = 0,
              int visibleRight = 1 << 30) const;

    // The body column under a point of the table (full grid from column 0), -1 when none.
    int columnAt(int x) const;

private:
    int T_ = 0, D_ = 0, U_ = 0, n_ = 0, R_ = 0;
};

// The teacher as style 1 draws it: "专门人" becomes "专人", then the master workbooks' cut.
std::string style1TeacherText(const std::string& teacher);

// The first part of a text that fits in `bytes` bytes without cutting a character, and the rest.
// (Always at least one character when the text is not empty.)
std::pair<std::string, std::string> splitLeadingBytes(const std::string& gbkText, std::size_t bytes);

} // namespace tabrel
