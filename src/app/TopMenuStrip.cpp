#include "app/TopMenuStrip.h"

#include <algorithm>

#include "data/Gbk.h"

namespace tabrel {

void TopMenuStrip::setState(const std::string& state)
{
    state_ = state;
    std::vector<const char*> texts;
    if (state == "main")
        texts = {"关闭", "保存", "另存为", "帮助", "关于"};
    else if (state == GBK("总课程表"))
        texts = {"返回", "保存", "清空", "帮助"};
    else
        texts = {"返回", "保存", "帮助"};
    buttons_.clear();
    for (const char* t : texts)
        buttons_.push_back(gbk::literal(t));
    hover_ = -1;
    pressed_ = -1;
    layout(width_, height_);
}

void TopMenuStrip::layout(int width, int height)
{
    width_ = width;
    height_ = height;
    rects_.clear();
    const int n = static_cast<int>(std::min<std::size_t>(buttons_.size(), MaxButtons));
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

std::string TopMenuStrip::release(int x, int y)
{
    const int h = hitTest(x, y);
    pressed_ = -1;
    if (h < 0)
        return {};
    return buttons_[h];
}

} // namespace tabrel
