// The program's start-up, ended as soon as its first window has been shown
// and the first events handled, for whole-process timings. Built twice:
// startup_corvane with Corvane's main window, and startup_floor with an
// empty QMainWindow, the floor any Qt program pays.

#include <QApplication>
#include <QTimer>

#ifdef CORVANE_FLOOR
#include <QMainWindow>
using Window = QMainWindow;
#else
#include "mainwindow.h"
using Window = MainWindow;
#endif

int main(int argc, char **argv)
{
    QApplication a(argc, argv);
    Window w(nullptr);
    w.show();
    QTimer::singleShot(0, &a, &QCoreApplication::quit);
    return a.exec();
}
