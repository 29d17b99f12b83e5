#include "appsetup.h"
#include "commandline.h"
#include "mainwindow.h"
#include "secretprompt.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char **argv)
{
    const QList<QByteArray> arguments = CommandLine::arguments(argc, argv);
    // A command needs no display: it runs on a bare core application, so
    // that cron, hooks and scripts can use it where no window can open.
    if (CommandLine::isCommand(arguments)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("corvane"));
        QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
        return CommandLine().run(arguments);
    }

    AppSetup::beforeApplication();
    QApplication a(argc, argv);
    AppSetup::afterApplication();
    QString error;
    if (!CommandLine::enterFolders(arguments, &error)) {
        std::fprintf(stderr, "corvane: %s\n", error.toLocal8Bit().constData());
        return CommandLine::FileError;
    }
    SecretPrompt::install();
    MainWindow w(nullptr);
    w.show();
    return a.exec();
}
