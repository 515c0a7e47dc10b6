#include "app/TopMenuStrip.h"

#include <algorithm>

namespace tabrel {

void TopMenuStrip::setButtons(const std::vector<MenuButton>& buttons)
{
    ids_ = buttons;
    enabled_.assign(ids_.size(), true);
    hover_ = -1;
    layout(width_, height_);
}

std::vector<std::string> TopMenuStrip::buttons() const
{
    std::vector<std::string> texts;
    for (MenuButton b : ids_)
        texts.push_back(buttonText(b));
    return texts;
}

bool TopMenuStrip::setEnabled(MenuButton button, bool enabled)
{
    bool changed = false;
    for (std::size_t i = 0; i < ids_.size(); ++i)
        if (ids_[i] == button && enabled_[i] != enabled) {
            enabled_[i] = enabled;
            changed = true;
        }
    return changed;
}

bool TopMenuStrip::isEnabled(int index) const
{
    return index >= 0 && index < static_cast<int>(enabled_.size()) && enabled_[index];
}

void TopMenuStrip::layout(int width, int height)
{
    width_ = width;
    height_ = height;
    rects_.clear();
    const int n = static_cast<int>(std::min<std::size_t>(ids_.size(), MaxButtons));
    if (n == 0 || height <= 0)
        return;
    const int buttonW = std::max(height * 3 / 2, 56);
    const int gap = std::max(height / 8, 2);
    for (int i = 0; i < n; ++i) {
        const int x = gap + i * (buttonW + gap);
        rects_.push_back(Rect{x, 2, x + buttonW, height - 2});
    }
}

int TopMenuStrip::hitTest(int x, int y) const
{
    for (std::size_t i = 0; i < rects_.size(); ++i)
        if (rects_[i].contains(x, y))
            return static_cast<int>(i);
    return -1;
}

bool TopMenuStrip::setHover(int x, int y)
{
    const int h = hitTest(x, y);
    if (h == hover_)
        return false;
    hover_ = h;
    return true;
}

std::optional<MenuButton> TopMenuStrip::release(int x, int y) const
{
    const int h = hitTest(x, y);
    if (!isEnabled(h))
        return std::nullopt;
    return ids_[h];
}

} // namespace tabrel
