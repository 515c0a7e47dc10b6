#pragma once
// The class-grid definition panel (课时安排): the scope tree "针对范围设置任免课", the preview of
// one week with its break rows, common-period rows and period rows, the left-click toggle, the slot
// menu and the row menu, and the dialog "插入公共时段". Methods that change the school work on the
// DataSet they are given and say whether they changed it. Texts are GBK.
#include <string>
#include <vector>

#include "views/ScopeTree.h"
#include "data/Dimensions.h"

namespace tabrel {

class ClassTable;
class DataSet;

class CommonPeriodPage {
public:
    // ---- scope tree ----
    using Node = ScopeTree::Node;
    // "全校", one child per grade, one grandchild per class; none without grades. The root becomes
    // selected.
    void rebuildTree(const DataSet& ds);
    // After the school changed behind the panel (an undo): the tree follows it; the node of the same
    // kind and positions stays selected, else the root. True when the tree changed.
    bool refreshTree(const DataSet& ds);
    const ScopeTree& tree() const { return hasTree_ ? tree_ : noTree_; }
    const std::vector<Node>& nodes() const { return tree().nodes(); }
    // "" when the scope was set, "选择错误!" otherwise (the scope is then empty).
    std::string select(int nodeIndex);
    int selectedNode() const { return selected_; }
    // The classes of the scope as the school stands now, grade by grade.
    std::vector<ClassTable*> scope(const DataSet& ds) const;

    // ---- aggregates ----
    // The name all classes of the scope share at the slot, or "各班不一样".
    std::string aggregate(const DataSet& ds, int period, int day) const;
    static const std::string& mixedText(); // "各班不一样"
    static const std::vector<std::string>& offeredNames(); // "无课" … "党团活动"

    // ---- preview ----
    struct PreviewRow {
        enum class Kind { Header, Break, CommonRow, Period } kind = Kind::Period;
        int period = -1;     // n of a common-period row or a period row
        std::string label;   // "星期/节次", "中午时间", the row name or the period label
        std::string times;   // "8:00-8:40" when both are set
        int part = 0;        // 0 上午 (early reading and morning), 1 下午, 2 晚上; -1 for the header
        Rect rect;           // the whole row, label and day cells
    };
    struct Preview {
        std::vector<PreviewRow> rows;
        Rect sectionColumn, labelColumn;
        std::vector<Rect> dayColumns; // x extents (top/bottom of the grid)
        std::vector<std::pair<Rect, std::string>> partCells; // "上午", "下午", "晚上" beside their rows
    };
    // Period rows and the header are twice as tall as the other rows.
    static Preview preview(const DataSet& ds, int width, int height);
    struct Hit {
        int row = -1;   // index into the preview rows
        int day = -1;   // -1 outside the day cells
    };
    static Hit hitTest(const Preview& p, int x, int y);

    // ---- the keyboard cursor: a period row's day cell or a common-period row ----
    // Moves by rows (over period and common-period rows only) and by days; starts at the first
    // period row. Returns the cursor's row index in the preview, -1 when there is none.
    int moveCursor(const Preview& p, int rowStep, int dayStep);
    int cursorRow(const Preview& p) const;  // -1 when the cursor is off the preview
    int cursorDay() const { return cursorDay_; }

    // ---- left click on a day cell of a period row ----
    // The question the toggle asks first ("" when it asks none).
    std::string toggleQuestion(const DataSet& ds, int period, int day) const;
    // The value the toggle writes: empty for a mixed or named slot, "无课" for an empty one.
    std::string toggleValue(const DataSet& ds, int period, int day) const;
    // Writes `value` into the slot of every class of the scope.
    bool writeSlot(DataSet& ds, int period, int day, const std::string& value) const;
    static std::string slotStepName(const std::string& value); // "设置公共时段 自习" / "清除公共时段"

    // ---- slot menu (the slot last right-clicked) ----
    void rememberSlot(int period, int day) { slotPeriod_ = period; slotDay_ = day; }
    bool hasSlot(const DataSet& ds) const;
    int slotPeriod() const { return slotPeriod_; }
    int slotDay() const { return slotDay_; }
    static const std::vector<std::string>& slotMenu(); // names, "", "其它名称...", "", "添加公共时段..."
    // Setting a name: false when nothing would happen (no slot, the aggregate already is the name);
    // `question` gets the text to ask first when the slot is mixed.
    bool namedWouldChange(const DataSet& ds, const std::string& name, std::string& question) const;
    bool setNamed(DataSet& ds, const std::string& name) const;

    // ---- common-period rows ----
    void rememberRow(int period) { rowPeriod_ = period; }
    int rememberedRow() const { return rowPeriod_; }
    static const std::vector<std::string>& rowMenu(); // "修改公共时间段", "删除此公共时间段"
    // A row's name; an empty text removes the row (its times stay stored).
    static bool setRowName(DataSet& ds, int period, const std::string& name);
    static std::string rowStepName(const DataSet& ds, int period, const std::string& name);

    // ---- "插入公共时段" ----
    // "早%d节之前" / "第%d节之前", one per day period; the third starts selected (-1 with fewer).
    static std::vector<std::string> insertPositions(const DataSet& ds);
    static int insertDefaultPosition(const DataSet& ds);
    static const std::vector<std::string>& insertNames(); // "课间操", "眼健操", "早读"
    // OK: the chosen period's row gets the name; nothing without a chosen position.
    static bool insertRow(DataSet& ds, int position, const std::string& name);

    static std::string helpPage();

private:
    ScopeTree tree_, noTree_;
    bool hasTree_ = false;
    int selected_ = -1;
    int slotPeriod_ = -1, slotDay_ = -1;
    int rowPeriod_ = -1;
    // The cursor: which kind of row and period it is on, so that it stays put when rows come and go.
    bool cursorOnCommonRow_ = false;
    int cursorPeriod_ = -1, cursorDay_ = 0;
};

} // namespace tabrel
