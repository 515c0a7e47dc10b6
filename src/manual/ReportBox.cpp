#include "manual/ReportBox.h"

#include <algorithm>

#include "views/Canvas.h"

namespace tabrel::manual {

void ReportBox::move(int x, int y, int viewHeight)
{
    x_ = x;
    y_ = y;
    if (y_ + height_ > viewHeight)
        y_ = viewHeight - height_;
}

void ReportBox::draw(Canvas& canvas, int textHeight)
{
    if (lines_.empty())
        return;
    const int h = textHeight + 3;
    TextStyle style;
    style.flags = text::Left | text::Top | text::SingleLine | text::NoPrefix;
    int w = 0;
    for (const std::string& line : lines_)
        w = std::max(w, canvas.textWidth(line, style));
    const int n = static_cast<int>(lines_.size());
    const Rect box{x_ + 10, y_ + 10, x_ + w + 20, y_ + n * h + 20};
    canvas.fillRect(box, Rgb{94, 201, 102});
    canvas.drawLine(box.left, box.top, box.right, box.top, colors::Black);
    canvas.drawLine(box.left, box.bottom - 1, box.right, box.bottom - 1, colors::Black);
    canvas.drawLine(box.left, box.top, box.left, box.bottom, colors::Black);
    canvas.drawLine(box.right - 1, box.top, box.right - 1, box.bottom, colors::Black);
    for (int i = 0; i < n; ++i)
        canvas.drawText({x_ + 15, y_ + 15 + i * h, x_ + 15 + w + 4, y_ + 15 + (i + 1) * h}, lines_[i], style);
    height_ = (n + 1) * h;
}

} // namespace tabrel::manual
