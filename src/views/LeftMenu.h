#pragma once
// The left menu of the editing panels: a vertical list of rows built from texts that begin with
// "[title]" (a heading that ignores clicks) or "[item]" (a command), and below them the area
// "返回主页" that acts like the top menu's "返回". Texts are GBK.
#include <optional>
#include <string>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class LeftMenu {
public:
    enum class Kind { Title, Item };
    struct Row {
        Kind kind = Kind::Item;
        std::string text; // what follows the first "]"
    };

    LeftMenu() = default;
    // Each entry: the kind up to and including the first "]" ("[title]" or "[item]"), then the
    // text. An entry of another kind is shown as a title (it runs nothing).
    explicit LeftMenu(const std::vector<std::string>& entries);

    const std::vector<Row>& rows() const { return rows_; }

    // Geometry in a list of the given size: every row is as high as the height divided by the number
    // of rows plus 2 (one share is the "返回主页" area at the bottom, one the gap above it), at most
    // a third of the width.
    int rowHeight(int width, int height) const;
    Rect rowRect(int row, int width, int height) const;
    Rect homeRect(int width, int height) const;

    // What a click at (x, y) runs: the text of an item row, or nothing (titles, gaps).
    std::optional<std::string> itemAt(int x, int y, int width, int height) const;
    // The row under (x, y), -1 when none.
    int rowAt(int x, int y, int width, int height) const;
    bool homeAt(int x, int y, int width, int height) const;

    // The items only, top to bottom (the keyboard walks through them).
    std::vector<int> itemRows() const;

private:
    std::vector<Row> rows_;
};

} // namespace tabrel
