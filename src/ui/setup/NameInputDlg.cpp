#include "ui/setup/NameInputDlg.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

NameInputDlg::NameInputDlg(const QString& title, const QString& label, const QString& text, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("NameInputDlg"));
    setWindowTitle(title);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(label, this));
    edit_ = new QLineEdit(text, this);
    edit_->selectAll();
    layout->addWidget(edit_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(320, sizeHint().height());
}

QString NameInputDlg::text() const
{
    return edit_->text();
}

void NameInputDlg::accept()
{
    if (!gbk::fromUtf8(edit_->text().toStdString())) {
        Prompter::current().inform(this, QStringLiteral("“%1”中有无法保存的字符").arg(edit_->text()));
        return;
    }
    QDialog::accept();
}

} // namespace tabrel::ui
