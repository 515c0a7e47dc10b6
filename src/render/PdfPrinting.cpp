#include "render/PdfPrinting.h"

#include <QFile>
#include <QPageLayout>
#include <QPdfWriter>

#include "data/Gbk.h"
#include "render/QtCanvas.h"

namespace tabrel {

namespace {

// The screen's canvas with the faces of paper: the AR PL faces map every character to its own
// glyph, so a PDF reader gives back the very characters that were drawn (with the Noto faces some
// ideographs come back as the look-alike radicals that share their glyphs, and a search fails).
class PaperCanvas : public QtCanvas {
public:
    using QtCanvas::QtCanvas;
    void drawText(const Rect& rect, const std::string& gbkText, const TextStyle& style) override
    {
        QtCanvas::drawText(rect, gbkText, paper(style));
    }
    int textWidth(const std::string& gbkText, const TextStyle& style) override
    {
        return QtCanvas::textWidth(gbkText, paper(style));
    }

private:
    static TextStyle paper(TextStyle style)
    {
        const bool kai = style.face == gbk::literal("楷体_GB2312") || style.face == gbk::literal("楷体");
        style.face = kai ? "AR PL UKai CN" : "AR PL UMing CN";
        return style;
    }
};

} // namespace

void paintPrintDocument(const PrintDocument& doc, QPainter& painter, QPagedPaintDevice& device, int first, int last)
{
    const int count = doc.pageCount();
    if (last < 0 || last >= count)
        last = count - 1;
    const QRect area = device.pageLayout().paintRectPixels(device.logicalDpiX());
    for (int page = std::max(first, 0); page <= last; ++page) {
        if (page > std::max(first, 0))
            device.newPage();
        const PageDrawing size = doc.pageDrawing(page);
        if (size.width <= 0 || size.height <= 0)
            continue;
        const double scale = std::min(static_cast<double>(area.width()) / size.width,
                                      static_cast<double>(area.height()) / size.height);
        painter.save();
        // Centred both ways on the printable area, as large as it fits in proportion.
        painter.translate((area.width() - size.width * scale) / 2, (area.height() - size.height * scale) / 2);
        painter.scale(scale, scale);
        painter.setClipRect(QRect(0, 0, size.width, size.height));
        PaperCanvas canvas(painter);
        doc.drawPage(page, canvas);
        painter.restore();
    }
}

bool writePdf(const PrintDocument& doc, const std::filesystem::path& file, std::string& error)
{
    QFile out(QString::fromStdString(file.string()));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = "无法写入PDF文件：" + file.string();
        return false;
    }
    {
        QPdfWriter writer(&out);
        writer.setResolution(300);
        writer.setTitle(QString::fromStdString(gbk::toUtf8(doc.title())));
        writer.setCreator(QStringLiteral("Tabrel"));
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4),
                                         doc.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait,
                                         QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
        QPainter painter;
        if (!painter.begin(&writer)) {
            error = "无法写入PDF文件：" + file.string();
            return false;
        }
        paintPrintDocument(doc, painter, writer);
        painter.end();
    }
    out.close();
    if (out.error() != QFileDevice::NoError) {
        error = "无法写入PDF文件：" + file.string();
        return false;
    }
    return true;
}

} // namespace tabrel
