#include "ui/app/Prompter.h"

#include <QFileDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/Application.h"
#include "ui/app/AboutDlg.h"
#include "ui/app/UiText.h"

namespace tabrel::ui {

namespace {
Prompter* g_installed = nullptr;
}

Prompter& Prompter::current()
{
    static Prompter standard;
    return g_installed ? *g_installed : standard;
}

void Prompter::install(Prompter* prompter)
{
    g_installed = prompter;
}

void Prompter::inform(QWidget* parent, const QString& text)
{
    QMessageBox::information(parent, QString::fromUtf8(Application::productName()), text);
}

bool Prompter::confirm(QWidget* parent, const QString& text)
{
    return QMessageBox::question(parent, QString::fromUtf8(Application::productName()), text,
                                 QMessageBox::Ok | QMessageBox::Cancel, QMessageBox::Cancel) == QMessageBox::Ok;
}

QString Prompter::openFile(QWidget* parent, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("打开"), QString(), qtFilter(filter));
}

QString Prompter::saveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix)
{
    QFileDialog dialog(parent, QStringLiteral("另存为"), QString(), qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

void Prompter::about(QWidget* parent)
{
    AboutDlg dlg(parent);
    dlg.exec();
}

void Prompter::help(QWidget* parent, const QString& title, const QString& html)
{
    QDialog dlg(parent);
    dlg.setWindowTitle(QStringLiteral("帮助 - %1").arg(title));
    dlg.resize(560, 460);
    auto* layout = new QVBoxLayout(&dlg);
    auto* text = new QTextBrowser(&dlg);
    text->setHtml(html);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(&dlg);
    QPushButton* close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::AcceptRole);
    QObject::connect(close, &QPushButton::clicked, &dlg, &QDialog::accept);
    layout->addWidget(buttons);
    close->setFocus();
    dlg.exec();
}

} // namespace tabrel::ui
