#include "output/RecordingCanvas.h"

namespace tabrel {

void RecordingCanvas::drawLine(int x1, int y1, int x2, int y2, Rgb color, int width)
{
    Call c;
    c.kind = Kind::Line;
    c.rect = {x1, y1, x2, y2};
    c.color = color;
    c.width = width;
    calls_.push_back(std::move(c));
}

void RecordingCanvas::fillRect(const Rect& rect, Rgb color)
{
    Call c;
    c.kind = Kind::Fill;
    c.rect = rect;
    c.color = color;
    calls_.push_back(std::move(c));
}

void RecordingCanvas::drawText(const Rect& rect, const std::string& gbkText, const TextStyle& style)
{
    Call c;
    c.kind = Kind::Text;
    c.rect = rect;
    c.color = style.color;
    c.text = gbkText;
    c.style = style;
    calls_.push_back(std::move(c));
}

void RecordingCanvas::drawIcon(tabrel::Icon icon, int x, int y)
{
    Call c;
    c.kind = Kind::Icon;
    c.rect = {x, y, x + IconSize, y + IconSize};
    c.icon = icon;
    calls_.push_back(std::move(c));
}

int RecordingCanvas::textWidth(const std::string& gbkText, const TextStyle& style)
{
    const int em = style.height > 0 ? style.height : 16;
    return static_cast<int>(gbkText.size()) * em / 2;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::ofKind(Kind kind) const
{
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.kind == kind)
            out.push_back(c);
    return out;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::textsEqual(const std::string& gbkText) const
{
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.kind == Kind::Text && c.text == gbkText)
            out.push_back(c);
    return out;
}

const RecordingCanvas::Call* RecordingCanvas::findText(const std::string& gbkText) const
{
    for (const Call& c : calls_)
        if (c.kind == Kind::Text && c.text == gbkText)
            return &c;
    return nullptr;
}

std::vector<RecordingCanvas::Call> RecordingCanvas::linesOf(Rgb color) const
{
    std::vector<Call> out;
    for (const Call& c : calls_)
        if (c.kind == Kind::Line && c.color == color)
            out.push_back(c);
    return out;
}

bool RecordingCanvas::hasLine(int x1, int y1, int x2, int y2, Rgb color) const
{
    const Rect r{x1, y1, x2, y2};
    for (const Call& c : calls_)
        if (c.kind == Kind::Line && c.color == color && c.rect == r)
            return true;
    return false;
}

} // namespace tabrel
