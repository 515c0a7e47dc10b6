#pragma once
// The band of buttons across the top of the main view: which buttons a state shows, where they
// stand, which one is under the mouse and which one a release runs. Texts are GBK.
#include <string>
#include <vector>

#include "data/Dimensions.h"

namespace tabrel {

class TopMenuStrip {
public:
    static constexpr int MaxButtons = 10;

    // The button set of a state: "main" (the home page), "总课程表", or any other panel name.
    void setState(const std::string& state);
    const std::string& state() const { return state_; }
    const std::vector<std::string>& buttons() const { return buttons_; }

    // Lays the buttons out left to right in a band of the given size (icon above text).
    void layout(int width, int height);
    const std::vector<Rect>& buttonRects() const { return rects_; }

    int hitTest(int x, int y) const;
    // The button under the mouse is framed and its text drawn in red; true when that changed.
    bool setHover(int x, int y);
    void clearHover() { hover_ = -1; pressed_ = -1; }
    int hover() const { return hover_; }

    void press(int x, int y) { pressed_ = hitTest(x, y); }
    // The text of the button a release runs: the one under the mouse, or "" beside every button.
    std::string release(int x, int y);

    // The band is one fifteenth of the view's height, never so low that icon and text collide.
    static constexpr int MinBandHeight = 48;
    static int bandHeight(int viewHeight) { return viewHeight / 15 > MinBandHeight ? viewHeight / 15 : MinBandHeight; }

private:
    std::string state_;
    std::vector<std::string> buttons_;
    std::vector<Rect> rects_;
    int width_ = 0, height_ = 0;
    int hover_ = -1;
    int pressed_ = -1;
};

} // namespace tabrel
