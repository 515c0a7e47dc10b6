// The grid widget's table: fixed cells, copy and paste of tab-separated text.
#include <gtest/gtest.h>

#include "views/GridModel.h"
#include "app/UndoStack.h"
#include "data/DataSet.h"

using namespace tabrel;

TEST(GridModel, HeadersAreFixedAndEditsStayInside)
{
    GridModel g(3, 3);
    EXPECT_FALSE(g.setText(0, 1, "x"));
    EXPECT_TRUE(g.setHeader(0, 1, "H"));
    EXPECT_FALSE(g.setHeader(1, 1, "H"));
    EXPECT_TRUE(g.setText(1, 1, "v"));
    EXPECT_FALSE(g.setText(3, 1, "v"));
    EXPECT_FALSE(g.setText(-1, 1, "v"));
    EXPECT_EQ(g.text(1, 1), "v");
    EXPECT_EQ(g.text(9, 9), "");
}

TEST(GridModel, CopyAndPasteRoundTripAndSkipCellsOutsideOrFixed)
{
    GridModel g(4, 4);
    g.paste(1, 1, "a\tb\tc\td\ne\tf\n");
    EXPECT_EQ(g.text(1, 3), "c"); // "d" fell outside
    EXPECT_EQ(g.copyText({1, 1, 2, 3}), "a\tb\tc\ne\tf\t\n");
    GridModel h(4, 4);
    EXPECT_EQ(h.paste(0, 0, "x\ty\nz\tw\n").size(), 1u); // only (1,1) is editable
    EXPECT_EQ(h.text(1, 1), "w");
    EXPECT_TRUE(h.paste(2147483000, 2147483000, "q").empty());
    EXPECT_EQ(g.copyText({-5, -5, 99, 0}), "\n\n\n\n");
    // A paste is cut as every paste is: fields trimmed, "\r\n" line ends, and it reports the
    // cells whose text it changed.
    GridModel k(3, 3, 1, 1);
    auto changed = k.paste(1, 1, " a \tb\r\nc\n");
    EXPECT_EQ(changed, (std::vector<CellPos>{{1, 1}, {1, 2}, {2, 1}}));
    EXPECT_EQ(k.text(1, 1), "a");
    EXPECT_EQ(k.text(1, 2), "b");
    EXPECT_TRUE(k.paste(1, 1, "a\tb").empty());
    EXPECT_EQ(k.edit(2, 2, "d"), (std::vector<CellPos>{{2, 2}}));
    EXPECT_TRUE(k.edit(0, 2, "d").empty());
}

namespace {
// A grid over the teachers' names: one fixed header row, one editable column.
class TeacherNames : public SchoolGridSource {
public:
    TeacherNames(DataSet& ds, EditRunner runner) : SchoolGridSource(std::move(runner)), ds_(ds) {}
    int rowCount() const override { return 1 + static_cast<int>(ds_.teachers.size()); }
    int columnCount() const override { return 1; }
    int fixedRows() const override { return 1; }
    int fixedColumns() const override { return 0; }
    std::string text(int r, int) const override { return r == 0 ? "name" : ds_.teachers[r - 1]->name; }

protected:
    bool writeCell(DataSet& ds, int r, int, const std::string& t) override
    {
        if (ds.teachers[r - 1]->name == t)
            return false;
        ds.teachers[r - 1]->name = t;
        return true;
    }
    std::string editStepName(int, int) const override { return "edit"; }
    std::string pasteStepName() const override { return "paste"; }

private:
    DataSet& ds_;
};
} // namespace

TEST(SchoolGridSource, EditsAndPastesAreOneStepEachAndTypingIntoACellMerges)
{
    DataSet ds;
    ds.appendTeacher();
    ds.appendTeacher();
    UndoStack stack(ds);
    TeacherNames grid(ds, [&](const std::string& n, const std::function<bool(DataSet&)>& e, int id) {
        return stack.push(n, e, id);
    });
    EXPECT_EQ(grid.edit(1, 0, "a"), (std::vector<CellPos>{{1, 0}}));
    grid.edit(1, 0, "ab");
    EXPECT_EQ(stack.count(), 1u);
    EXPECT_TRUE(grid.edit(0, 0, "x").empty()); // the header row
    EXPECT_EQ(grid.paste(1, 0, "p\nq\nr\n"), (std::vector<CellPos>{{1, 0}, {2, 0}}));
    EXPECT_EQ(stack.count(), 2u);
    stack.undo();
    EXPECT_EQ(ds.teachers[0]->name, "ab");
    stack.undo();
    EXPECT_EQ(ds.teachers[0]->name, "");
}
