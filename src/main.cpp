#include "commandline.h"
#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>

namespace {

// The module that holds the windows (windowsmain.cpp), found from where the
// program itself is, as it is both in the build tree and installed.
QString windowsModule()
{
    const QFileInfo program(QStringLiteral("/proc/self/exe"));
    return QDir::cleanPath(QFileInfo(program.symLinkTarget()).absolutePath() + QLatin1Char('/')
                           + QLatin1String(CORVANE_WINDOWS_MODULE));
}

} // namespace

int main(int argc, char **argv)
{
    const QList<QByteArray> arguments = CommandLine::arguments(argc, argv);
    // A command needs no display: it runs on a bare core application, so
    // that cron, hooks and scripts can use it where no window can open.
    if (CommandLine::isCommand(arguments)) {
        QCoreApplication app(argc, argv);
        QCoreApplication::setApplicationName(QStringLiteral("corvane"));
        QCoreApplication::setApplicationVersion(QStringLiteral(CORVANE_VERSION));
        // Messages and help in the user's language; data stays as the files hold it.
        Translations::install();
        return CommandLine().run(arguments);
    }

    // Only the windows load Qt Gui and Widgets, with the module they live in.
    QLibrary windows(windowsModule());
    using Entry = int (*)(int, char **);
    const auto run = reinterpret_cast<Entry>(windows.resolve("corvaneWindowsMain"));
    if (!run) {
        std::fprintf(stderr, "corvane: cannot open the windows: %s\n", windows.errorString().toLocal8Bit().constData());
        return CommandLine::FileError;
    }
    return run(argc, argv);
}
