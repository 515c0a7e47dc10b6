#include "ui/setup/FillRuleDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "setup/ClassManagePage.h"
#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

FillRuleDlg::FillRuleDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("FillRuleDlg"));
    setWindowTitle(QStringLiteral("班名填充规则"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    prefix_ = new QLineEdit(this);
    suffix_ = new QLineEdit(this);
    for (QLineEdit* e : {prefix_, suffix_}) {
        e->setMaxLength(ClassManagePage::MaxRuleChars);
        e->setMinimumWidth(110);
    }
    prefix_->setObjectName(QStringLiteral("prefix"));
    suffix_->setObjectName(QStringLiteral("suffix"));
    row->addWidget(new QLabel(QStringLiteral("规则：年级名+"), this));
    row->addWidget(prefix_);
    row->addWidget(new QLabel(QStringLiteral("+班序+"), this));
    row->addWidget(suffix_);
    layout->addLayout(row);
    layout->addWidget(new QLabel(QStringLiteral("例如 年级 和 班 得到 初一年级1班、初一年级2班 …；全校各班都按此规则重新命名。"), this));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void FillRuleDlg::accept()
{
    for (QLineEdit* e : {prefix_, suffix_})
        if (!gbk::fromUtf8(e->text().toStdString())) {
            Prompter::current().inform(this, QStringLiteral("“%1”中有无法保存的字符").arg(e->text()));
            e->setFocus();
            return;
        }
    QDialog::accept();
}

} // namespace tabrel::ui
