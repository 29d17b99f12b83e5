// The windows' side of the program, built as a module of its own that
// main() loads only when no command is given: a command then needs Qt Core
// alone, and starts in about half the time.

#include "appsetup.h"
#include "commandline.h"
#include "desktopsetup.h"
#include "mainwindow.h"
#include "secretprompt.h"
#include "windowmemory.h"

#include <QApplication>

#include <cstdio>

// The version the module was built as, which the program checks against
// its own before it hands over.
extern "C" Q_DECL_EXPORT const char *corvaneWindowsVersion()
{
    return CORVANE_VERSION;
}

extern "C" Q_DECL_EXPORT int corvaneWindowsMain(int argc, char **argv)
{
    const QList<QByteArray> arguments = CommandLine::arguments(argc, argv);
    AppSetup::beforeApplication();
    QApplication a(argc, argv);
    AppSetup::afterApplication();
    QApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
    QString error;
    if (!CommandLine::enterFolders(arguments, &error)) {
        std::fprintf(stderr, "corvane: %s\n", error.toLocal8Bit().constData());
        return CommandLine::FileError;
    }
    // Started from the desktop's menu, the current folder is the home
    // folder, which is no planner folder; from a terminal it is the one the
    // user chose by going there.
    if (arguments.contains(DesktopSetup::LastFolderOption) && !DesktopSetup::enterLastFolder(&error)) {
        if (error.isEmpty())
            return 0;
        std::fprintf(stderr, "corvane: %s\n", error.toLocal8Bit().constData());
        return CommandLine::FileError;
    }
    DesktopSetup::rememberFolder();
    WindowMemory::install();
    SecretPrompt::install();
    MainWindow w(nullptr);
    w.show();
    return a.exec();
}
