#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include <QMainWindow>

// The program's first window. A bare placeholder until the windows arrive.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
};

#endif // MAINWINDOW_H
