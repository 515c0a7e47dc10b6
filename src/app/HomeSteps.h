#pragma once
// The home page: seven guided steps, the output buttons and the two data tools, which of them can
// be used with the data at hand, where each box stands on the page and what a click on it does.
// Texts are GBK.
#include <string>
#include <vector>

#include <optional>

#include "app/PanelRegistry.h"
#include "data/Dimensions.h"
#include "views/Canvas.h"

namespace tabrel {

class DataSet;

class HomeSteps {
public:
    enum class Kind { Step, Output, Tool };
    struct Item {
        Kind kind = Kind::Step;
        std::string title;       // "1. 班级管理", "班级课程表", "合并数据" …
        std::string description; // steps: shown when available
        std::string message;     // steps: shown when not available
        bool available = false;
        Rect rect;               // set by layout()
        // The text shown under the title band.
        const std::string& body() const { return available ? description : message; }
        // The panel a step or output button opens; none for tools and for outputs without a panel.
        std::optional<PanelId> panel;
        // The name of that panel (GBK), or the output's title when it has none; "" for tools.
        std::string panelName() const;
    };
    struct Arrow { int x1, y1, x2, y2; };

    HomeSteps();

    // Recomputes which items can be used from the grades, subjects and teachers of the data set.
    void refreshSteps(const DataSet& dataSet);

    const std::vector<Item>& items() const { return items_; }
    const Item& step(int number) const { return items_.at(number - 1); } // 1 … 7
    static constexpr int StepCount = 7;

    // Places every box on a page of the given size; arrows join steps 1→2→3→4 and 5→6→7.
    void layout(int width, int height);
    const std::vector<Arrow>& arrows() const { return arrows_; }
    // The heading above the output buttons and above the tools, with their positions.
    const Rect& outputsHeading() const { return outputsHeading_; }
    const Rect& toolsHeading() const { return toolsHeading_; }
    int titleBandHeight() const { return bandHeight_; }

    // Item under the point, or -1.
    int hitTest(int x, int y) const;
    // Remembers the item under the mouse; true when that changed (the page repaints).
    bool setHover(int x, int y);
    int hover() const { return hover_; }
    // The item under the mouse can be clicked: it is framed and the hand cursor shows.
    bool hoverActive() const;

    enum class ActionKind { None, ShowPanel, MergeData, ExportText };
    struct Action {
        ActionKind kind = ActionKind::None;
        std::optional<PanelId> panel; // ShowPanel: the panel, when the item has one
        std::string panelName;        // ShowPanel (GBK)
    };
    // A left click: an available step or output opens its panel, an available tool runs;
    // anything else does nothing.
    Action click(int x, int y) const;
    Action activate(int itemIndex) const;

    // Keyboard focus: Tab and the arrow keys move it over the items that can be used, in page
    // order, wrapping round; Return runs the focused item. -1 when nothing has the focus.
    int focus() const { return focus_; }
    // Moves the focus by `step` usable items (+1 next, -1 previous); false when none is usable.
    bool moveFocus(int step);
    Action activateFocus() const { return activate(focus_); }

    static Rgb bandColour(bool available);

private:
    std::vector<Item> items_;
    std::vector<Arrow> arrows_;
    Rect outputsHeading_, toolsHeading_;
    int bandHeight_ = 0;
    int hover_ = -1;
    int focus_ = -1;
};

} // namespace tabrel
