#pragma once
// The band of buttons across the top of the main view: which buttons it shows, where they stand,
// which of them can be used, which one is under the mouse and which one a release runs.
#include <optional>
#include <string>
#include <vector>

#include "app/PanelRegistry.h"
#include "data/Dimensions.h"

namespace tabrel {

class TopMenuStrip {
public:
    static constexpr int MaxButtons = 10;

    // The buttons of the home page or of a panel (PanelInfo::buttons); every one enabled.
    void setButtons(const std::vector<MenuButton>& buttons);
    const std::vector<MenuButton>& buttonIds() const { return ids_; }
    // The texts of the buttons shown (GBK).
    std::vector<std::string> buttons() const;

    // "撤销" and "重做" are disabled while there is nothing to take back or redo: drawn grey, and a
    // release on them runs nothing. True when that changed.
    bool setEnabled(MenuButton button, bool enabled);
    bool isEnabled(int index) const;

    // Lays the buttons out left to right in a band of the given size (icon above text).
    void layout(int width, int height);
    const std::vector<Rect>& buttonRects() const { return rects_; }

    int hitTest(int x, int y) const;
    // The button under the mouse is framed and its text drawn in red; true when that changed.
    bool setHover(int x, int y);
    void clearHover() { hover_ = -1; }
    int hover() const { return hover_; }

    // The button a release runs: the enabled one under the mouse, or none.
    std::optional<MenuButton> release(int x, int y) const;

    // The band is one fifteenth of the view's height, never so low that icon and text collide.
    static constexpr int MinBandHeight = 48;
    static int bandHeight(int viewHeight) { return viewHeight / 15 > MinBandHeight ? viewHeight / 15 : MinBandHeight; }

private:
    std::vector<MenuButton> ids_;
    std::vector<bool> enabled_;
    std::vector<Rect> rects_;
    int width_ = 0, height_ = 0;
    int hover_ = -1;
};

} // namespace tabrel
