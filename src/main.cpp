#include "mainwindow.h"
#include "secretprompt.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication a(argc, argv);
    SecretPrompt::install();
    MainWindow w(nullptr);
    w.show();
    return a.exec();
}
