#include "ui/setup/InsertCommonRowDlg.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/widgets/Prompter.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

InsertCommonRowDlg::InsertCommonRowDlg(const std::vector<std::string>& positions, int selected,
                                       const std::vector<std::string>& names, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("InsertCommonRowDlg"));
    setWindowTitle(QStringLiteral("插入公共时段"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    positions_ = new QComboBox(this);
    for (const auto& p : positions)
        positions_->addItem(qs(p));
    positions_->setCurrentIndex(selected);
    names_ = new QComboBox(this);
    names_->setEditable(true);
    for (const auto& n : names)
        names_->addItem(qs(n));
    names_->setCurrentIndex(0);
    row->addWidget(new QLabel(QStringLiteral("于"), this));
    row->addWidget(positions_);
    row->addWidget(new QLabel(QStringLiteral("添加"), this));
    row->addWidget(names_, 1);
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("取消"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

int InsertCommonRowDlg::position() const
{
    return positions_->currentIndex();
}

QString InsertCommonRowDlg::name() const
{
    return names_->currentText();
}

void InsertCommonRowDlg::accept()
{
    if (position() < 0) {
        Prompter::current().inform(this, QStringLiteral("请先选择插入的位置"));
        return;
    }
    if (!gbk::fromUtf8(name().toStdString())) {
        Prompter::current().inform(this, QStringLiteral("“%1”中有无法保存的字符").arg(name()));
        return;
    }
    QDialog::accept();
}

} // namespace tabrel::ui
