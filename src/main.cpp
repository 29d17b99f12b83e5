#include "appsetup.h"
#include "mainwindow.h"
#include "secretprompt.h"

#include <QApplication>

int main(int argc, char **argv)
{
    AppSetup::beforeApplication();
    QApplication a(argc, argv);
    AppSetup::afterApplication();
    SecretPrompt::install();
    MainWindow w(nullptr);
    w.show();
    return a.exec();
}
