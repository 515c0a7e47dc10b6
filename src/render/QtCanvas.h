#pragma once
// The Canvas painted with QPainter: on screen by the windows, into a QImage for pictures.
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QStringList>
#include <memory>
#include <string>

#include "views/Canvas.h"
#include "output/PictureExport.h"

namespace tabrel {

class QtCanvas : public Canvas {
public:
    // Height in pixels of the surface's default font (what cell texts use).
    static constexpr int DefaultFontPixels = 16;

    explicit QtCanvas(QPainter& painter) : painter_(painter) {}

    void drawLine(int x1, int y1, int x2, int y2, Rgb color, int width = 1) override;
    void fillRect(const Rect& rect, Rgb color) override;
    void drawText(const Rect& rect, const std::string& gbkText, const TextStyle& style) override;
    void drawIcon(Icon icon, int x, int y) override;
    int textWidth(const std::string& gbkText, const TextStyle& style) override;

    // The installed families that stand for a face the program names ("黑体", "宋体",
    // "楷体_GB2312", "" for the default face), best first. Unknown names are tried as they are,
    // then the default face's families.
    static QStringList familiesFor(const std::string& gbkFace);
    // The font of a text style: its face at its em height in pixels (the default font for 0).
    static QFont fontFor(const TextStyle& style);

private:
    QPainter& painter_;
};

// A picture in the RGB32 format, painted through a QtCanvas.
class QtRasterSurface : public RasterSurface {
public:
    QtRasterSurface(int width, int height);
    ~QtRasterSurface() override;
    Canvas& canvas() override { return *canvas_; }
    PixelBuffer pixels() override;
    // Ends the drawing and returns the picture.
    const QImage& image();
    bool isNull() const { return image_.isNull(); }

private:
    QImage image_;
    QPainter painter_;
    std::unique_ptr<QtCanvas> canvas_;
};

// Makes QtRasterSurfaces; needs a QGuiApplication (the offscreen platform is enough).
class QtCanvasFactory : public CanvasFactory {
public:
    std::unique_ptr<RasterSurface> createSurface(int width, int height, std::string& error) override;
};

} // namespace tabrel
