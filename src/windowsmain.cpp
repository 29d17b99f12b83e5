// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The windows' side of the program, built as a module of its own that
// main() loads only when no command is given: a command then needs Qt Core
// alone, and starts in about half the time.

#include "appsetup.h"
#include "commandline.h"
#include "desktopsetup.h"
#include "mainwindow.h"
#include "secretprompt.h"
#include "translations.h"
#include "windowmemory.h"

#include <QApplication>
#include <QVector>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

// What Qt said while the application started. When no platform plugin
// can start, as where there is no display, Qt ends the program with
// abort() and a paragraph that advises reinstalling; the windows say in
// one line what is missing instead, and exit as a command does when a
// file cannot be opened. The plugins' warnings are held until then, so
// that they either come out as they were or make the reason of that line.
struct Held {
    QtMsgType type;
    QByteArray category;
    QString message;
};
QtMessageHandler qtHandler = nullptr;
QVector<Held> held;

void whileStarting(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    const bool platform = context.category && std::strncmp(context.category, "qt.qpa", 6) == 0;
    if (type != QtFatalMsg) {
        if (platform)
            held.append(Held{type, context.category, message});
        else
            qtHandler(type, context, message);
        return;
    }
    const QString reason = !held.isEmpty() ? held.first().message.trimmed() : message.section(QLatin1Char('.'), 0, 0);
    static const char noDisplay[] = QT_TRANSLATE_NOOP("WindowsMain", "The windows need a display, and none could be "
                                                                     "opened: %1. The commands need none: see "
                                                                     "\"corvane --help\".");
    const QString line = Translations::text("WindowsMain", noDisplay).arg(reason);
    std::fprintf(stderr, "corvane: %s\n", line.toLocal8Bit().constData());
    std::fflush(stderr);
    std::_Exit(CommandLine::FileError);
}

void started()
{
    qInstallMessageHandler(qtHandler);
    for (const Held &each : qAsConst(held))
        qtHandler(each.type, QMessageLogContext(nullptr, 0, nullptr, each.category.constData()), each.message);
    held.clear();
}

} // namespace

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
    qtHandler = qInstallMessageHandler(whileStarting);
    QApplication a(argc, argv);
    started();
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
