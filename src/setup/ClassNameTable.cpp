#include "setup/ClassNameTable.h"

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/ClassManagePage.h"
#include "setup/EntryGrid.h"

namespace tabrel {

ClassNameTable::ClassNameTable() : grid_(ClassRows + 1, GradeColumns + 1, 0, 1)
{
    grid_.setHeader(0, 0, GBK("年级名称"));
    for (int r = 1; r <= ClassRows; ++r)
        grid_.setHeader(r, 0, GBK("班级") + gbk::formatInt(r));
}

void ClassNameTable::clear()
{
    clearEditable(grid_);
}

void ClassNameTable::load(const DataSet& ds)
{
    clear();
    if (ds.grades.empty()) {
        const std::string names[] = {GBK("七"), GBK("八"), GBK("九")};
        for (int g = 0; g < 3; ++g) {
            grid_.setText(0, g + 1, names[g]);
            for (int k = 1; k <= 10; ++k)
                grid_.setText(k, g + 1, names[g] + "(" + gbk::formatInt(k) + ")");
        }
        return;
    }
    for (int g = 0; g < static_cast<int>(ds.grades.size()) && g < GradeColumns; ++g) {
        grid_.setText(0, g + 1, ds.gradeNames[g]);
        for (int k = 0; k < ds.classCount(g) && k < ClassRows; ++k)
            grid_.setText(k + 1, g + 1, ds.classAt(g, k)->name);
    }
}

int ClassNameTable::paste(int row, int column, const std::string& text)
{
    return pasteIntoEditable(grid_, row, column + 1, text);
}

std::vector<ClassNameTable::GradeColumn> ClassNameTable::columns() const
{
    std::vector<GradeColumn> out;
    for (int c = 1; c <= GradeColumns; ++c) {
        if (grid_.text(0, c).empty())
            break;
        GradeColumn col;
        col.name = grid_.text(0, c);
        for (int r = 1; r <= ClassRows && !grid_.text(r, c).empty(); ++r)
            col.classes.push_back(grid_.text(r, c));
        out.push_back(std::move(col));
    }
    return out;
}

std::string ClassNameTable::refusal() const
{
    if (columns().empty())
        return GBK("第一行没有年级名称，这样会删除全校的年级和班级");
    return {};
}

bool ClassNameTable::apply(DataSet& ds) const
{
    if (!refusal().empty())
        return false;
    const auto cols = columns();
    const auto before = schoolShape(ds);
    ds.setGradeCount(static_cast<int>(cols.size()));
    for (std::size_t g = 0; g < cols.size(); ++g) {
        ds.gradeNames[g] = cols[g].name;
        ds.setClassCount(static_cast<int>(g), static_cast<int>(cols[g].classes.size()));
        for (std::size_t k = 0; k < cols[g].classes.size(); ++k) {
            ClassTable* c = ds.classAt(static_cast<int>(g), static_cast<int>(k));
            // A class that keeps its place but gets a new name is renamed in the changes too.
            if (!c->name.empty() && c->name != cols[g].classes[k])
                ds.extension.renameClass(c->name, cols[g].classes[k]);
            c->name = cols[g].classes[k];
            c->gradeName = cols[g].name;
            c->ordinal = static_cast<int32_t>(k) + 1;
        }
    }
    return schoolShape(ds) != before;
}

} // namespace tabrel
