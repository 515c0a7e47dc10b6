#pragma once
// A canvas that keeps every call, so tests can check the exact geometry of a drawing.
#include <string>
#include <vector>

#include "views/Canvas.h"

namespace tabrel {

class RecordingCanvas : public Canvas {
public:
    enum class Kind { Line, Fill, Text, Icon };

    struct Call {
        Kind kind = Kind::Line;
        Rect rect;            // Line: {x1, y1, x2, y2}; Fill, Text: the rectangle; Icon: the 16 x 16 box
        Rgb color;            // Line, Fill, Text
        int width = 1;        // Line: pen width
        std::string text;     // Text: GBK bytes
        TextStyle style;      // Text
        tabrel::Icon icon = tabrel::Icon::Mark;
    };

    void drawLine(int x1, int y1, int x2, int y2, Rgb color, int width = 1) override;
    void fillRect(const Rect& rect, Rgb color) override;
    void drawText(const Rect& rect, const std::string& gbkText, const TextStyle& style) override;
    void drawIcon(tabrel::Icon icon, int x, int y) override;
    // A fixed estimate: half the em height per byte (one Chinese character is a square).
    int textWidth(const std::string& gbkText, const TextStyle& style) override;

    const std::vector<Call>& calls() const { return calls_; }
    void clear() { calls_.clear(); }

    std::vector<Call> ofKind(Kind kind) const;
    // Every text call with exactly these bytes.
    std::vector<Call> textsEqual(const std::string& gbkText) const;
    // The first text call with exactly these bytes; nullptr when there is none.
    const Call* findText(const std::string& gbkText) const;
    // Lines of one colour.
    std::vector<Call> linesOf(Rgb color) const;
    // True when a line with these end points was drawn in that colour.
    bool hasLine(int x1, int y1, int x2, int y2, Rgb color) const;

private:
    std::vector<Call> calls_;
};

} // namespace tabrel
