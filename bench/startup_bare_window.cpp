// A bare Qt main window, for comparison with Hygrova's start: a menu bar with three commands
// and an empty client area, at the main window's first size (65 % of the screen's width,
// outer height three quarters of that).

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.menuBar()->addAction(QStringLiteral("查询(&C)"));
    window.menuBar()->addAction(QStringLiteral("设置(&S)"));
    window.menuBar()->addAction(QStringLiteral("关于(&A)"));
    const int width = QGuiApplication::primaryScreen()->geometry().width() * 65 / 100;
    window.resize(width, width * 3 / 4);
    window.show();
    return QApplication::exec();
}
