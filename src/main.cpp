// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"
#include "translations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>

#include <cstdio>
#include <cstring>

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
    // The module has a copy of the core of its own: the program hands it
    // nothing but the arguments and never runs its own copy once the
    // windows run, and the two share no state but the files, which both
    // change through the same locks. They must be of one version, so that
    // both keep the files' rules alike.
    QLibrary windows(windowsModule());
    using Entry = int (*)(int, char **);
    using Version = const char *(*)();
    const auto run = reinterpret_cast<Entry>(windows.resolve("corvaneWindowsMain"));
    const auto version = reinterpret_cast<Version>(windows.resolve("corvaneWindowsVersion"));
    if (!run || !version) {
        std::fprintf(stderr, "corvane: cannot open the windows: %s\n", windows.errorString().toLocal8Bit().constData());
        return CommandLine::FileError;
    }
    if (std::strcmp(version(), CORVANE_VERSION) != 0) {
        std::fprintf(stderr, "corvane: the windows in %s are of version %s, and this program of version %s: "
                             "install both anew\n",
                     QFile::encodeName(windows.fileName()).constData(), version(), CORVANE_VERSION);
        return CommandLine::FileError;
    }
    return run(argc, argv);
}
