#pragma once
// The drawing surface every table of the program is drawn on. The core decides the geometry and
// calls these primitives; render/QtCanvas paints them with QPainter (on screen and into pictures)
// and RecordingCanvas keeps them for tests.
#include <cstdint>
#include <string>

#include "data/Dimensions.h"

namespace tabrel {

struct Rgb {
    uint8_t r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

namespace colors {
inline constexpr Rgb Black{0, 0, 0};
inline constexpr Rgb White{255, 255, 255};
inline constexpr Rgb Grey{150, 150, 150};
inline constexpr Rgb Blue{0, 0, 255};
inline constexpr Rgb Red{250, 80, 80};
} // namespace colors

// Alignment and layout flags of a text, combined with |.
namespace text {
inline constexpr int Left = 0x0000;       // default horizontal alignment
inline constexpr int HCenter = 0x0001;
inline constexpr int Right = 0x0002;
inline constexpr int Top = 0x0000;        // default vertical alignment
inline constexpr int VCenter = 0x0004;
inline constexpr int Bottom = 0x0008;
inline constexpr int SingleLine = 0x0020; // texts are always laid out on one line; kept for clarity
inline constexpr int NoPrefix = 0x0800;   // "&" is an ordinary character (no mnemonic underline)
inline constexpr int Clip = 0x1000;       // nothing is painted outside the rectangle
inline constexpr int EndEllipsis = 0x8000; // a text wider than the rectangle is cut with "…"
} // namespace text

// How one text is drawn. `face` is a GBK face name ("黑体", "宋体", "楷体_GB2312") or "" for the
// default face. `height` is the em height in pixels; 0 means the surface's default font (its face
// and its size), which is what cell texts use.
struct TextStyle {
    std::string face;
    int height = 0;
    Rgb color = colors::Black;
    int flags = text::HCenter | text::VCenter | text::SingleLine | text::NoPrefix;
    bool operator==(const TextStyle&) const = default;
};

// Small pictures drawn at a given box.
enum class Icon { Mark, Export };

inline constexpr int IconSize = 16; // icons are drawn in 16 x 16 boxes

class Canvas {
public:
    virtual ~Canvas() = default;

    // A straight line of the given pen from (x1, y1) towards (x2, y2); the end point itself is not
    // painted, so a horizontal line from x0 to x0 + w covers the pixels x0 … x0 + w − 1. A pen
    // wider than one pixel grows to the right of a vertical line and below a horizontal one.
    virtual void drawLine(int x1, int y1, int x2, int y2, Rgb color, int width = 1) = 0;

    // Fills left … right − 1, top … bottom − 1.
    virtual void fillRect(const Rect& rect, Rgb color) = 0;

    // A GBK text inside the rectangle on a transparent background, aligned by the style's flags.
    virtual void drawText(const Rect& rect, const std::string& gbkText, const TextStyle& style) = 0;

    // An icon in the IconSize box whose top-left corner is (x, y).
    virtual void drawIcon(Icon icon, int x, int y) = 0;

    // Width in pixels the text takes in that style (for layouts that size columns to their texts).
    virtual int textWidth(const std::string& gbkText, const TextStyle& style) = 0;
};

} // namespace tabrel
