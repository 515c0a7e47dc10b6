#include "ui/widgets/Prompter.h"

#include <QFileDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QMessageBox>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "app/Application.h"
#include "ui/widgets/AboutDlg.h"
#include "ui/widgets/UiText.h"

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

namespace {
// A message box whose buttons carry the program's own Chinese texts, whatever the system's
// language; the first button is the default one.
int askWith(QWidget* parent, QMessageBox::Icon icon, const QString& text, const QStringList& buttons, int escape)
{
    QMessageBox box(icon, QString::fromUtf8(Application::productName()), text, QMessageBox::NoButton, parent);
    std::vector<QPushButton*> made;
    for (const QString& b : buttons)
        made.push_back(box.addButton(b, QMessageBox::ActionRole));
    box.setDefaultButton(made.front());
    if (escape >= 0)
        box.setEscapeButton(made[escape]);
    box.exec();
    for (std::size_t i = 0; i < made.size(); ++i)
        if (box.clickedButton() == made[i])
            return static_cast<int>(i);
    return escape;
}
} // namespace

void Prompter::inform(QWidget* parent, const QString& text)
{
    askWith(parent, QMessageBox::Information, text, {QStringLiteral("确定")}, 0);
}

bool Prompter::confirm(QWidget* parent, const QString& text)
{
    return askWith(parent, QMessageBox::Question, text, {QStringLiteral("确定"), QStringLiteral("取消")}, 1) == 0;
}

Prompter::SaveChoice Prompter::askSave(QWidget* parent, const QString& text)
{
    switch (askWith(parent, QMessageBox::Warning, text,
                    {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")}, 2)) {
    case 0: return SaveChoice::Save;
    case 1: return SaveChoice::Discard;
    default: return SaveChoice::Cancel;
    }
}

bool Prompter::offer(QWidget* parent, const QString& text, const QString& action)
{
    return askWith(parent, QMessageBox::Information, text, {action, QStringLiteral("关闭")}, 1) == 0;
}

QString Prompter::openFile(QWidget* parent, const QString& filter)
{
    return QFileDialog::getOpenFileName(parent, QStringLiteral("打开"), QString(), qtFilter(filter));
}

QString Prompter::saveFile(QWidget* parent, const QString& filter, const QString& defaultSuffix, const QString& start)
{
    QFileDialog dialog(parent, QStringLiteral("另存为"), start, qtFilter(filter));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().first();
}

QString Prompter::chooseFolder(QWidget* parent, const QString& title, const QString& start)
{
    return QFileDialog::getExistingDirectory(parent, title, start);
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

void showHelpPage(QWidget* parent, const QString& title, const std::string& utf8Html)
{
    Prompter::current().help(parent, title, QString::fromStdString(utf8Html));
}

} // namespace tabrel::ui
