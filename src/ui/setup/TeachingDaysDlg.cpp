#include "ui/setup/TeachingDaysDlg.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "setup/TimeGridBox.h"
#include "ui/widgets/UiText.h"

namespace tabrel::ui {

TeachingDaysDlg::TeachingDaysDlg(const std::array<bool, DayColumns>& ticked, QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TeachingDaysDlg"));
    setWindowTitle(QStringLiteral("设置有课的天数"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("勾选有课的日子，关闭窗口后生效："), this));
    for (int d = 0; d < DayColumns; ++d) {
        boxes_[d] = new QCheckBox(qs(TimeGridBox::weekDayNames()[d]), this);
        boxes_[d]->setChecked(ticked[d]);
        layout->addWidget(boxes_[d]);
    }
    // Closing is the only way out: this button closes as the window's own close box does.
    auto* close = new QPushButton(QStringLiteral("关闭"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(close);
}

std::array<bool, DayColumns> TeachingDaysDlg::ticked() const
{
    std::array<bool, DayColumns> t{};
    for (int d = 0; d < DayColumns; ++d)
        t[d] = boxes_[d]->isChecked();
    return t;
}

} // namespace tabrel::ui
