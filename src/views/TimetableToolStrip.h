#pragma once
// The teal tool strip above the class and teacher timetables: check boxes, the 全称/简称 radio
// buttons (class panel only), the tables-per-row box and the export button, where each stands and
// what a click on it means. Texts are GBK.
#include <string>
#include <vector>

#include "data/Dimensions.h"
#include "views/Canvas.h"

namespace tabrel {

class TimetableToolStrip {
public:
    enum class Variant { Class, Teacher };
    enum class ItemKind { CheckBox, Radio, Label, NumberBox, ExportButton };
    enum class Hit { None, FirstCheck, SecondCheck, FullName, ShortName, PerRowBox, Export };

    struct Item {
        ItemKind kind = ItemKind::Label;
        Hit hit = Hit::None;
        std::string text; // GBK
        Rect rect;        // the whole clickable item
        Rect indicator;   // the square, the circle, the white box or the icon
        Rect textRect;
    };

    static constexpr Rgb Background{64, 192, 192};

    explicit TimetableToolStrip(Variant variant);

    // The strip spans the panel's width and one twentieth of its client height (at least 24 pixels,
    // so that its texts stay readable in a small window).
    static int stripHeight(int clientHeight);

    // Places the items left to right in a strip of the given size. Text widths are estimated from
    // the font height: a GBK byte takes half of it.
    void layout(int width, int height);
    const std::vector<Item>& items() const { return items_; }
    // x positions of the vertical grooves between the groups.
    const std::vector<int>& grooves() const { return grooves_; }
    int height() const { return height_; }
    int fontHeight() const;

    Hit hitTest(int x, int y) const;
    // Rectangle of the item a hit names (where a popup menu opens), empty when there is none.
    Rect rectOf(Hit hit) const;

    // Keyboard focus over the items that act (labels are skipped): Left and Right move it,
    // wrapping round; Return or Space acts on it as a click on its centre would.
    Hit focus() const { return focus_; }
    bool moveFocus(int step);

    // The export menu, in order.
    static std::vector<std::string> exportMenuItems();

private:
    Variant variant_;
    std::vector<Item> items_;
    std::vector<int> grooves_;
    int height_ = 0;
    Hit focus_ = Hit::None;
};

} // namespace tabrel
