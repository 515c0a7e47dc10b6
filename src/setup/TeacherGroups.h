#pragma once
// Teacher groups: named member lists kept in the data set's group table (row 0 the group names
// from column 1, column g the members of group g from row 1; the first empty name ends the groups,
// the first empty cell ends a group). The logic of the group dialog (教师分组) and of the group
// names dialog (组名称). Every method that changes the school returns whether it changed something.
#include <string>
#include <vector>

namespace tabrel {

class DataSet;
class DataTable;

class TeacherGroups {
public:
    // Creates the default table (201 rows, 6 columns, "分组名", "行政人员", "教师01" …) when the table
    // has no rows or no columns. True when it did.
    static bool ensureDefaultTable(DataSet& ds);
    // Names of row 0, columns 1, 2, … up to the first empty one.
    static std::vector<std::string> groupNames(const DataTable& table);
    // Column of the first group of that name among columns 1 …, -1 when none.
    static int groupColumn(const DataTable& table, const std::string& name);
    // Members of the column, rows 1 … up to the first empty cell.
    static std::vector<std::string> members(const DataTable& table, int column);
    // The name into the first empty member cell of the column (even when already a member).
    static bool addMember(DataSet& ds, int column, const std::string& name);
    // Adds every name that is not yet a member, in order, while there is room.
    static bool addMembers(DataSet& ds, int column, const std::vector<std::string>& names);
    // Removes member k (0-based); the members below move up.
    static bool removeMember(DataSet& ds, int column, int k);
    // Empties the group's member list.
    static bool clearMembers(DataSet& ds, int column);
    // Whether the name is a member of any listed group.
    static bool inAnyGroup(const DataTable& table, const std::string& name);

    // The group names dialog: one row per group column of the table (1 … column count - 1). Rows
    // may be edited, added and deleted; `apply` writes them back on "确定": a row keeps the members
    // of the column it came from, a new row starts empty.
    struct NameRow {
        int sourceColumn = -1; // -1 for a row added in the dialog
        std::string name;
    };
    static std::vector<NameRow> nameRows(const DataTable& table);
    static bool applyNameRows(DataSet& ds, const std::vector<NameRow>& rows);

    // The group dialog's help (UTF-8 HTML).
    static std::string helpPage();
};

} // namespace tabrel
