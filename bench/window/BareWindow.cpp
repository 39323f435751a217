// The yardstick for the game's start-up: an empty Qt window of the main
// window's size, with nothing else to do.
#include <QApplication>
#include <QWidget>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QWidget window;
    window.setFixedSize(500, 366);
    window.show();
    return app.exec();
}
