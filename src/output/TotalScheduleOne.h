#pragma once
// Style 2 of the master timetable: one row per class, one narrow column per (day, period) slot,
// ten class rows at a time. Clicking a class name marks the class's row.
#include <string>
#include <vector>

#include "data/Dimensions.h"
#include "views/Canvas.h"

namespace tabrel {

class ClassTable;
class DataSet;

struct Style2Options {
    bool showSubject = true;
    bool showTeacher = true;
    int nameStyle = 0;        // 1: teachers cut to their last two characters
    int subjectFontSize = 11; // subjects are drawn at one and a half times this height
};

class TotalScheduleOne {
public:
    static constexpr int VisibleRows = 10;
    static constexpr Rgb HeaderGrey{147, 147, 147};
    static constexpr Rgb MarkColour{255, 201, 14};

    // Geometry of a client area W x Hc for the data set's time grid, `rows` class rows to a view.
    TotalScheduleOne(const DataSet& dataSet, int width, int height, int rows = VisibleRows);

    int columnX(int u) const;          // x(u) = u·W / (T·D + 1)
    int rowTop(int r) const;           // (r·Hc·8/9) / rows + Hc/9
    int headerBottom() const { return H_ / 9; }
    Rect slotRect(int row, int day, int period) const;

    // The visible row under a point of the class-name column, -1 elsewhere.
    int nameRowAt(int x, int y) const;

    // Draws rows firstRow … firstRow + rows − 1 of `selected`; `marked(i)` says whether class i of
    // the selection has its row marked.
    template <class Marked>
    void draw(Canvas& canvas, const DataSet& dataSet, const std::vector<const ClassTable*>& selected,
              const Style2Options& options, int firstRow, Marked marked) const
    {
        std::vector<bool> m(selected.size());
        for (std::size_t i = 0; i < selected.size(); ++i)
            m[i] = marked(static_cast<int>(i));
        drawRows(canvas, dataSet, selected, options, firstRow, m);
    }
    void drawRows(Canvas& canvas, const DataSet& dataSet, const std::vector<const ClassTable*>& selected,
                  const Style2Options& options, int firstRow, const std::vector<bool>& marked) const;

    // Scroll range over n selected classes: 0 … n − 1, the bar shown past ten classes.
    static bool scrollBarShown(int classes) { return classes > VisibleRows; }
    static int clampFirstRow(int firstRow, int classes);

private:
    int T_ = 0, D_ = 0, W_ = 0, H_ = 0, rows_ = VisibleRows;
};

} // namespace tabrel
