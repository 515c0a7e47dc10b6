#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tabrel"));
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Tabrel 排课"));
    window.resize(1024, 700);
    window.show();
    return app.exec();
}
