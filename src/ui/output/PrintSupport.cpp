#include "ui/output/PrintSupport.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "output/PrintDocument.h"
#include "ui/widgets/ExportPlaces.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"
#include "render/PdfPrinting.h"
#include "render/QtCanvas.h"

namespace tabrel::ui {

void showPrintPreview(QWidget* parent, const PrintDocument& document)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(document.landscape() ? QPageLayout::Landscape : QPageLayout::Portrait);
    printer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
    printer.setDocName(qs(document.title()));
    QPrintPreviewDialog preview(&printer, parent);
    preview.setWindowTitle(QStringLiteral("打印预览 - %1").arg(qs(document.title())));
    preview.resize(1000, 760);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter* p) {
        QPainter painter(p);
        int first = 0, last = -1;
        if (p->printRange() == QPrinter::PageRange && p->fromPage() > 0) {
            first = p->fromPage() - 1;
            last = p->toPage() - 1;
        }
        paintPrintDocument(document, painter, *p, first, last);
    });
    preview.exec();
}

QString exportPdf(QWidget* parent, const PrintDocument& document)
{
    QString name = qs(document.title()).trimmed();
    for (const QChar c : QStringLiteral("/\\:*?\"<>|"))
        name.replace(c, QLatin1Char('_'));
    const QString path = exportplaces::askFile(parent, QStringLiteral("PDF 文件 (*.pdf)|*.pdf||"), QStringLiteral("pdf"),
                                               (name.isEmpty() ? QStringLiteral("课程表") : name) + QStringLiteral(".pdf"));
    if (path.isEmpty())
        return {};
    std::string error;
    if (!writePdf(document, path.toStdString(), error)) {
        Prompter::current().inform(parent, qu(error));
        return {};
    }
    const QString done = QStringLiteral("已导出PDF：%1（%2页）").arg(path).arg(document.pageCount());
    exportplaces::tellWritten(parent, done, QFileInfo(path).absolutePath());
    return done;
}


QIcon exportIcon()
{
    QPixmap picture(IconSize, IconSize);
    picture.fill(Qt::transparent);
    {
        QPainter p(&picture);
        QtCanvas canvas(p);
        canvas.drawIcon(Icon::Export, 0, 0);
    }
    return QIcon(picture);
}

QString stripStyleSheet()
{
    return QStringLiteral("QFrame#OutputStrip { background: rgb(64, 192, 192); border-bottom: 1px solid rgb(32, 112, 112); }"
                          "QFrame#OutputStrip QRadioButton, QFrame#OutputStrip QCheckBox { color: black; }");
}

} // namespace tabrel::ui
