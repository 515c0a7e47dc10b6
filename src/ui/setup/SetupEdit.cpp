#include "ui/setup/SetupEdit.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/Document.h"

namespace tabrel::ui {

bool runSetupEdit(Document& doc, const std::string& stepName, const std::function<bool(DataSet&)>& edit)
{
    (void)stepName;
    return edit(doc.dataSet());
}

void showHelpPage(QWidget* parent, const QString& title, const std::string& html)
{
    QDialog dlg(parent);
    dlg.setWindowTitle(title);
    auto* layout = new QVBoxLayout(&dlg);
    auto* browser = new QTextBrowser(&dlg);
    browser->setHtml(QString::fromStdString(html));
    layout->addWidget(browser);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dlg);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("关闭"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    layout->addWidget(buttons);
    dlg.resize(560, 480);
    dlg.exec();
}

} // namespace tabrel::ui
