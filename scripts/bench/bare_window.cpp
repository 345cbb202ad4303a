// A bare Qt Widgets program: one empty main window on the screen, idle. The yardstick of the idle
// CPU figure of scripts/bench.sh.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(600, 400);
    window.show();
    return app.exec();
}
