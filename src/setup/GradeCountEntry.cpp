#include "setup/GradeCountEntry.h"

#include "data/DataSet.h"
#include "data/Gbk.h"
#include "setup/ClassManagePage.h"
#include "setup/EntryGrid.h"

namespace tabrel {


// ---------------------------------------------------------------- quick entry

GradeCountEntry::GradeCountEntry() : grid_(EntryRows + 1, 3, 1, 1)
{
    grid_.setHeader(0, 1, GBK("年级名称"));
    grid_.setHeader(0, 2, GBK("班级数"));
    for (int r = 1; r <= EntryRows; ++r)
        grid_.setHeader(r, 0, gbk::formatInt(r));
}

void GradeCountEntry::clear()
{
    clearEditable(grid_);
}

void GradeCountEntry::load(const DataSet& ds)
{
    clear();
    if (ds.grades.empty()) {
        const std::string names[] = {GBK("七"), GBK("八"), GBK("九")};
        for (int r = 0; r < 3; ++r) {
            grid_.setText(r + 1, 1, names[r]);
            grid_.setText(r + 1, 2, "10");
        }
        return;
    }
    for (int g = 0; g < static_cast<int>(ds.grades.size()) && g < EntryRows; ++g) {
        grid_.setText(g + 1, 1, ds.gradeNames[g]);
        grid_.setText(g + 1, 2, gbk::formatInt(ds.classCount(g)));
    }
}

int GradeCountEntry::paste(int row, int column, const std::string& text)
{
    return pasteIntoEditable(grid_, row + 1, column + 1, text);
}

std::vector<std::pair<std::string, int>> GradeCountEntry::entries() const
{
    std::vector<std::pair<std::string, int>> out;
    for (int r = 1; r <= EntryRows; ++r) {
        const std::string& name = grid_.text(r, 1);
        if (name.empty())
            break;
        const int count = gbk::leadingInt(grid_.text(r, 2));
        if (count > 0)
            out.emplace_back(name, count);
    }
    return out;
}

std::string GradeCountEntry::refusal() const
{
    const auto rows = entries();
    if (rows.empty())
        return GBK("没有录入任何年级（年级名称和大于0的班级数），这样会删除全校的年级和班级");
    for (const auto& [name, count] : rows)
        if (count > GradeClassLimit)
            return GBK("年级“") + name + GBK("”的班级数超过50，每个年级最多只能有50个班");
    return {};
}

bool GradeCountEntry::apply(DataSet& ds) const
{
    if (!refusal().empty())
        return false;
    const auto rows = entries();
    const auto before = schoolShape(ds);
    ds.setGradeCount(static_cast<int>(rows.size()));
    for (std::size_t g = 0; g < rows.size(); ++g) {
        ds.gradeNames[g] = rows[g].first;
        ds.setClassCount(static_cast<int>(g), rows[g].second);
    }
    ds.renameClasses("(", ")");
    return schoolShape(ds) != before;
}

} // namespace tabrel
