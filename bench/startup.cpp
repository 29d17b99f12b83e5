// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's start-up, ended as soon as its first window has been shown
// and the first events handled, for whole-process timings. Built three
// times: startup_corvane with Corvane's main window; startup_floor with an
// empty QMainWindow, the floor any Qt program pays; and startup_form with
// the main window's form alone in a bare QMainWindow, which shows what the
// form's widgets and texts cost before any of Corvane's own work.

#include <QApplication>
#include <QTimer>

#if defined(CORVANE_FLOOR)
#include <QMainWindow>
using Window = QMainWindow;
#elif defined(CORVANE_FORM)
#include "ui_mainwindow.h"
#include <QMainWindow>
class Window : public QMainWindow
{
public:
    explicit Window(QWidget *parent) : QMainWindow(parent) { ui.setupUi(this); }

private:
    Ui::MainWindow ui;
};
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
