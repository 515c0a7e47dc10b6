#include "ui/widgets/AboutDlg.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Application.h"
#include "ui/widgets/Icons.h"

namespace tabrel::ui {

AboutDlg::AboutDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("关于 %1").arg(QString::fromUtf8(Application::productName())));
    auto* icon = new QLabel;
    icon->setPixmap(applicationIcon().pixmap(64, 64));
    icon->setAlignment(Qt::AlignTop);
    auto* text = new QLabel(QStringLiteral(
        "<h2>%1</h2>"
        "<p>中小学排课系统 版本 %2</p>"
        "<p>录入年级班级、课时、科目、教师与任课信息后，<br>"
        "由电脑自动排课，或手动排课与调课；<br>"
        "查看并导出班级课程表、教师课程表、总课程表与总任课表。</p>"
        "<p>排课数据保存在 .qtf 文件中，一个文件即一所学校一个学期的课表。</p>")
                                .arg(QString::fromUtf8(Application::productName()), QStringLiteral("0.1")));
    text->setTextFormat(Qt::RichText);
    auto* top = new QHBoxLayout;
    top->addWidget(icon);
    top->addSpacing(12);
    top->addWidget(text, 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("确定"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(buttons);
}

} // namespace tabrel::ui
