// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints how long it takes to open a window on a large list: construct it
// (which loads the file), fill its list and show it, until the first paint
// has been handled. Also how long a window takes to follow a save that
// another store makes to its file, and the main window reopened beside a
// thousand conflict copies.
// Runs offscreen unless told otherwise.

#include "mainwindow.h"
#include "pbacklogwindow.h"
#include "productbacklog.h"
#include "sprint.h"
#include "sprintwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

bool writeTasks(const QString &name, int count)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    bytes.reserve(count * 24);
    for (int i = 0; i < count; ++i) {
        bytes += "Task number ";
        bytes += QByteArray::number(i);
        bytes += " of the list\n";
    }
    return file.write(bytes) == bytes.size();
}

double millisecondsFor(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

// Waits until list shows count rows, handling events; returns false after
// ten seconds.
bool waitForRows(QListWidget *list, int count)
{
    QElapsedTimer timer;
    timer.start();
    while (list->count() != count) {
        if (timer.elapsed() > 10000)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    }
    return true;
}

// The median time, in milliseconds, to make the main window, show it and
// handle its first events.
double openMilliseconds(int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        {
            MainWindow window;
            window.show();
            QCoreApplication::processEvents();
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        QCoreApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// The main window reopened within this warm process in a folder of 200
// sprints, without conflict copies and with a thousand of them beside the
// lists: what listing the larger folder costs when nothing else does.
// (bench/run.sh times the whole start-up, which is what the user waits
// for, against its target.)
bool conflictCopiesFigures()
{
    constexpr int Sprints = 200;
    constexpr int Copies = 1000;
    constexpr int Runs = 21;
    if (!QDir().mkdir(QStringLiteral("copies")) || !QDir::setCurrent(QStringLiteral("copies")))
        return false;
    for (int n = 1; n <= Sprints; ++n) {
        if (!writeTasks(Sprint::fileName(n), 2))
            return false;
    }
    openMilliseconds(3);  // warm up
    const double without = openMilliseconds(Runs);

    // The four programs' names in turn, for lists across the folder.
    for (int i = 0; i < Copies; ++i) {
        const QString list = Sprint::fileName(1 + i % Sprints);
        QString name;
        switch (i % 4) {
        case 0: name = list + QStringLiteral(".sync-conflict-20240301-%1-ABCDEF2").arg(100000 + i); break;
        case 1: name = list + QStringLiteral(" (conflicted copy 2024-03-01 %1)").arg(100000 + i); break;
        case 2: name = list + QStringLiteral(" (Ann's conflicted copy 2024-03-01 (%1))").arg(i); break;
        default: name = list + QStringLiteral(" (conflict #%1_on_2024-03-01)").arg(i); break;
        }
        if (!writeTasks(name, 2))
            return false;
    }
    const double with = openMilliseconds(Runs);
    std::printf("%-28s %10d %12.2f\n", "main window reopened", Sprints, without);
    std::printf("%-28s %10d %12.2f  (%.2fx)\n", "... beside conflict copies", Copies, with, with / without);
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path())) {
        std::fprintf(stderr, "cannot make a temporary directory\n");
        return 1;
    }

    std::printf("%-28s %10s %12s\n", "what", "count", "time (ms)");
    for (const int count : {100000, 1000000}) {
        if (!writeTasks(productbacklog::fileName(), count) || !writeTasks(Sprint::fileName(1), count)) {
            std::fprintf(stderr, "cannot write the task files\n");
            return 1;
        }

        PBacklogWindow *backlog = nullptr;
        const double backlogMs = millisecondsFor([&] {
            backlog = new PBacklogWindow(nullptr);
            backlog->show();
            QCoreApplication::processEvents();
        });
        std::printf("%-28s %10d %12.1f\n", "product backlog", count, backlogMs);

        SprintWindow *sprint = nullptr;
        const double sprintMs = millisecondsFor([&] {
            sprint = new SprintWindow(nullptr);
            sprint->initSprint(1);
            sprint->show();
            QCoreApplication::processEvents();
        });
        std::printf("%-28s %10d %12.1f\n", "sprint", count, sprintMs);

        // From the end of another store's save to the window showing it:
        // includes the watcher's short gathering delay.
        QListWidget *list = backlog->findChild<QListWidget *>(QStringLiteral("tasks"));
        productbacklog other;
        other.addItem(QStringLiteral("one more"));
        const double followMs = millisecondsFor([&] {
            if (!waitForRows(list, count + 1))
                std::fprintf(stderr, "the window did not follow the change\n");
        });
        std::printf("%-28s %10d %12.1f\n", "backlog follows a save", count, followMs);

        delete backlog;
        delete sprint;
    }

    // The main window lists the sprint files when it opens, and again before
    // it picks the next number for a new sprint.
    const int sprints = 10000;
    writeTasks(productbacklog::fileName(), 0);
    for (int i = 2; i <= sprints; ++i)
        writeTasks(Sprint::fileName(i), 0);
    MainWindow *main = nullptr;
    const double mainMs = millisecondsFor([&] {
        main = new MainWindow(nullptr);
        main->show();
        QCoreApplication::processEvents();
    });
    std::printf("%-28s %10d %12.1f\n", "main window (sprint files)", sprints, mainMs);
    QPushButton *settings = main->findChild<QPushButton *>(QStringLiteral("sprint_settings"));
    const double newMs = millisecondsFor([&] { settings->click(); });
    std::printf("%-28s %10d %12.1f\n", "new sprint (sprint files)", sprints, newMs);
    delete main->sw;
    delete main;
    if (!conflictCopiesFigures()) {
        std::fprintf(stderr, "cannot write the conflict copies\n");
        return 1;
    }
    return 0;
}
