#pragma once
// The hover report box of the manual scheduling views: a green box beside the mouse with the lines
// of the unplaced-lesson report, kept inside the view.
#include <string>
#include <vector>

namespace tabrel {

class Canvas;

namespace manual {

class ReportBox {
public:
    void clear() { lines_.clear(); }
    void append(const std::string& line) { lines_.push_back(line); }
    void setLines(const std::vector<std::string>& lines) { lines_ = lines; }
    const std::vector<std::string>& lines() const { return lines_; }
    // Sets the position; a box that would reach past the bottom of the view is moved up.
    void move(int x, int y, int viewHeight);
    int x() const { return x_; }
    int y() const { return y_; }
    int height() const { return height_; }
    // Draws the box on top of the view; nothing without lines. `textHeight` is the height of a line
    // of the surface's default font.
    void draw(Canvas& canvas, int textHeight);

private:
    int x_ = 0, y_ = 0, height_ = 0;
    std::vector<std::string> lines_;
};

} // namespace manual
} // namespace tabrel
