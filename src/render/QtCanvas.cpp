#include "render/QtCanvas.h"

#include <QFontMetricsF>
#include <QGuiApplication>
#include <QHash>
#include <QPainterPath>
#include <QPen>
#include <algorithm>
#include <cmath>

#include "data/Gbk.h"

namespace tabrel {

namespace {

QColor toQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QString toQString(const std::string& gbkText) { return QString::fromStdString(gbk::toUtf8(gbkText)); }

// Vertical middle of an ideograph's ink relative to the baseline (negative: above it), per font.
// Texts are placed so that this middle sits in the middle of an em-high box, which puts Chinese
// text where a face whose line box equals its em box would put it, whatever the installed font's
// ascent and descent are.
qreal ideographMiddle(const QFont& font)
{
    static QHash<QString, qreal> cache;
    const QString key = font.key();
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const QRectF ink = QFontMetricsF(font).tightBoundingRect(QStringLiteral("国"));
    const qreal middle = ink.isEmpty() ? -QFontMetricsF(font).ascent() / 2 : (ink.top() + ink.bottom()) / 2;
    cache.insert(key, middle);
    return middle;
}

} // namespace

QStringList QtCanvas::familiesFor(const std::string& gbkFace)
{
    const std::string face = gbk::toUtf8(gbkFace);
    const QStringList defaults{QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN"),
                               QStringLiteral("Noto Serif CJK SC")};
    if (face.empty())
        return defaults;
    if (face == "黑体")
        return {QStringLiteral("Noto Sans CJK SC"), QStringLiteral("AR PL UMing CN")};
    if (face == "宋体")
        return {QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Sans CJK SC")};
    if (face == "楷体_GB2312" || face == "楷体")
        return {QStringLiteral("AR PL UKai CN"), QStringLiteral("Noto Serif CJK SC"), QStringLiteral("AR PL UMing CN")};
    QStringList list{QString::fromStdString(face)};
    list.append(defaults);
    return list;
}

QFont QtCanvas::fontFor(const TextStyle& style)
{
    QFont font;
    font.setFamilies(familiesFor(style.face));
    font.setPixelSize(style.height > 0 ? style.height : DefaultFontPixels);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void QtCanvas::drawLine(int x1, int y1, int x2, int y2, Rgb color, int width)
{
    const int w = std::max(1, width);
    if (y1 == y2 || x1 == x2) {
        // Straight lines are filled spans, end point excluded, so the geometry is exact.
        QRect span;
        if (y1 == y2) {
            if (x1 == x2)
                return;
            const int left = x1 < x2 ? x1 : x2 + 1;
            span = QRect(left, y1, std::abs(x2 - x1), w);
        } else {
            const int top = y1 < y2 ? y1 : y2 + 1;
            span = QRect(x1, top, w, std::abs(y2 - y1));
        }
        painter_.fillRect(span, toQColor(color));
        return;
    }
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setPen(QPen(toQColor(color), w));
    painter_.drawLine(x1, y1, x2, y2);
    painter_.restore();
}

void QtCanvas::fillRect(const Rect& rect, Rgb color)
{
    if (rect.width() <= 0 || rect.height() <= 0)
        return;
    painter_.fillRect(QRect(rect.left, rect.top, rect.width(), rect.height()), toQColor(color));
}

void QtCanvas::drawText(const Rect& rect, const std::string& gbkText, const TextStyle& style)
{
    if (gbkText.empty())
        return;
    const QFont font = fontFor(style);
    const QFontMetricsF fm(font);
    QString s = toQString(gbkText);
    if (style.flags & text::EndEllipsis)
        s = fm.elidedText(s, Qt::ElideRight, rect.width());
    if (s.isEmpty())
        return;
    const qreal width = fm.horizontalAdvance(s);

    qreal x = rect.left;
    if (style.flags & text::HCenter)
        x = rect.left + (rect.width() - width) / 2;
    else if (style.flags & text::Right)
        x = rect.right - width;

    const qreal em = font.pixelSize();
    const qreal middle = ideographMiddle(font);
    qreal baseline;
    if (style.flags & text::VCenter)
        baseline = rect.top + rect.height() / 2.0 - middle;
    else if (style.flags & text::Bottom)
        baseline = rect.bottom - em / 2 - middle;
    else
        baseline = rect.top + em / 2 - middle;

    if (style.flags & text::Clip) {
        // Clipping never cuts a text that fits: one whose ink would cross an edge of the
        // rectangle but is not taller than it moves inside (digits sit higher than ideographs).
        const QRectF ink = fm.tightBoundingRect(s);
        const qreal inkTop = baseline + ink.top();
        const qreal inkBottom = baseline + ink.bottom();
        if (ink.height() <= rect.height()) {
            if (inkBottom > rect.bottom)
                baseline -= std::ceil(inkBottom - rect.bottom);
            else if (inkTop < rect.top)
                baseline += std::ceil(rect.top - inkTop);
        }
    }

    painter_.save();
    if (style.flags & text::Clip)
        painter_.setClipRect(QRect(rect.left, rect.top, rect.width(), rect.height()));
    painter_.setFont(font);
    painter_.setPen(toQColor(style.color));
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.drawText(QPointF(std::round(x), std::round(baseline)), s);
    painter_.restore();
}

void QtCanvas::drawIcon(Icon icon, int x, int y)
{
    painter_.save();
    painter_.setRenderHint(QPainter::Antialiasing, true);
    if (icon == Icon::Mark) {
        // A red pin head: the cell is fixed in place.
        painter_.setPen(QPen(QColor(120, 0, 0), 1));
        painter_.setBrush(QColor(230, 40, 40));
        painter_.drawEllipse(QRectF(x + 2.5, y + 2.5, 11, 11));
        painter_.setPen(Qt::NoPen);
        painter_.setBrush(QColor(255, 255, 255));
        painter_.drawEllipse(QRectF(x + 5.5, y + 5.5, 3, 3));
    } else {
        // A sheet of paper with an arrow leaving it.
        painter_.setPen(QPen(QColor(40, 40, 40), 1));
        painter_.setBrush(QColor(255, 255, 255));
        painter_.drawRect(QRectF(x + 2.5, y + 1.5, 9, 12));
        painter_.setPen(QPen(QColor(0, 90, 200), 2));
        painter_.drawLine(QPointF(x + 6, y + 9), QPointF(x + 14, y + 9));
        painter_.drawLine(QPointF(x + 11, y + 6), QPointF(x + 14, y + 9));
        painter_.drawLine(QPointF(x + 11, y + 12), QPointF(x + 14, y + 9));
    }
    painter_.restore();
}

int QtCanvas::textWidth(const std::string& gbkText, const TextStyle& style)
{
    return static_cast<int>(std::ceil(QFontMetricsF(fontFor(style)).horizontalAdvance(toQString(gbkText))));
}

// ---- QtRasterSurface ---------------------------------------------------------------------------

QtRasterSurface::QtRasterSurface(int width, int height) : image_(width, height, QImage::Format_RGB32)
{
    canvas_ = std::make_unique<QtCanvas>(painter_);
    if (image_.isNull())
        return; // out of memory: the factory reports it
    image_.fill(Qt::white);
    painter_.begin(&image_);
}

QtRasterSurface::~QtRasterSurface()
{
    if (painter_.isActive())
        painter_.end();
}

const QImage& QtRasterSurface::image()
{
    if (painter_.isActive())
        painter_.end();
    return image_;
}

PixelBuffer QtRasterSurface::pixels()
{
    const QImage& img = image();
    PixelBuffer buffer(img.width(), img.height());
    for (int y = 0; y < img.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            buffer.set(x, y, line[x] & 0x00FFFFFFu);
    }
    return buffer;
}

// ---- QtCanvasFactory ---------------------------------------------------------------------------

std::unique_ptr<RasterSurface> QtCanvasFactory::createSurface(int width, int height, std::string& error)
{
    if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        error = "绘制图片需要先创建 QGuiApplication";
        return nullptr;
    }
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767) {
        error = "图片大小无效：" + std::to_string(width) + " × " + std::to_string(height);
        return nullptr;
    }
    auto surface = std::make_unique<QtRasterSurface>(width, height);
    if (surface->isNull()) {
        error = "内存不足，无法创建 " + std::to_string(width) + " × " + std::to_string(height) + " 的图片";
        return nullptr;
    }
    return surface;
}

} // namespace tabrel
