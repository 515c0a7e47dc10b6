#include "ui/widgets/HelpDlg.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace tabrel::ui {

HelpDlg::HelpDlg(const QString& panelName, const QString& html, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("HelpDlg"));
    setWindowTitle(QStringLiteral("帮助 - %1").arg(panelName));
    auto* layout = new QVBoxLayout(this);
    browser_ = new QTextBrowser(this);
    browser_->setHtml(html);
    layout->addWidget(browser_, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(620, 560);
}

} // namespace tabrel::ui
