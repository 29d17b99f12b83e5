// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Figures for a planner folder on a network or FUSE mount, where the system
// reports no change that another machine makes. Runs offscreen unless told
// otherwise.
//
//   sharedfolder follow [ROUNDS]   mounts a fresh folder with bindfs, opens a
//                                  backlog window, a sprint window and the
//                                  main window on it, then changes the files
//                                  beneath the mount ROUNDS times (20), each
//                                  at a random moment, and prints how soon
//                                  each window showed the change
//   sharedfolder idle SECONDS      opens the same three windows on the
//                                  current folder and does nothing for
//                                  SECONDS: run it under strace -c to count
//                                  what the windows cost while nothing changes

#include "../tests/support/fusemount.h"
#include "mainwindow.h"
#include "pbacklogwindow.h"
#include "sprintwindow.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QRandomGenerator>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool write(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

struct Windows {
    PBacklogWindow backlog;
    SprintWindow sprint;
    MainWindow main;

    Windows()
    {
        sprint.initSprint(1);
        for (QWidget *w : std::initializer_list<QWidget *>{&main, &backlog, &sprint})
            w->show();
    }
};

void wait(int ms)
{
    QElapsedTimer timer;
    timer.start();
    while (timer.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

void print(const char *what, std::vector<double> &times)
{
    std::sort(times.begin(), times.end());
    std::printf("%-30s %10.0f %10.0f %10.0f\n", what, times.front(), times[times.size() / 2], times.back());
}

int follow(int rounds)
{
    FuseMount mount;
    if (!mount.isMounted()) {
        std::printf("skipped: %s\n", qPrintable(mount.reason()));
        return 0;
    }
    write(mount.beneath(QStringLiteral("product_backlog")), QByteArray());
    write(mount.beneath(QStringLiteral("sprint1")), QByteArray());
    Windows windows;
    const auto tasks = [](QWidget &w) { return w.findChild<QListWidget *>(QStringLiteral("tasks")); };
    auto *sprints = windows.main.findChild<QComboBox *>(QStringLiteral("sprints"));
    // Let the windows settle into their own rhythm first.
    wait(1500);

    std::vector<double> backlog, sprint, folder;
    QRandomGenerator random(13);
    QByteArray content;
    for (int round = 1; round <= rounds; ++round) {
        wait(int(random.bounded(1000)));
        content += "task " + QByteArray::number(round) + '\n';
        QElapsedTimer timer;
        timer.start();
        if (!write(mount.beneath(QStringLiteral("product_backlog")), content)
            || !write(mount.beneath(QStringLiteral("sprint1")), content)
            || !write(mount.beneath(QStringLiteral("sprint%1").arg(round + 1)), QByteArray()))
            return 1;
        double seen[3] = {-1, -1, -1};
        while ((seen[0] < 0 || seen[1] < 0 || seen[2] < 0) && timer.elapsed() < 10000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
            const double now = timer.nsecsElapsed() / 1e6;
            if (seen[0] < 0 && tasks(windows.backlog)->count() == round)
                seen[0] = now;
            if (seen[1] < 0 && tasks(windows.sprint)->count() == round)
                seen[1] = now;
            if (seen[2] < 0 && sprints->count() == round + 2)
                seen[2] = now;
        }
        backlog.push_back(seen[0]);
        sprint.push_back(seen[1]);
        folder.push_back(seen[2]);
    }
    std::printf("%d changes beneath a bindfs mount, each at a random moment (-1: not seen in 10 s)\n", rounds);
    std::printf("%-30s %10s %10s %10s\n", "shown in (ms)", "least", "median", "most");
    print("backlog window", backlog);
    print("sprint window", sprint);
    print("main window's sprint list", folder);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray();
    if (mode == "follow")
        return follow(argc > 2 ? std::max(1, atoi(argv[2])) : 20);
    if (mode == "idle" && argc > 2) {
        Windows windows;
        QTimer::singleShot(std::max(1, atoi(argv[2])) * 1000, &app, &QCoreApplication::quit);
        return app.exec();
    }
    std::fprintf(stderr, "usage: sharedfolder follow [ROUNDS] | idle SECONDS\n");
    return 2;
}
