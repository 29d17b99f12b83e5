// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints what the backlog window's notes of where sprints hold each task
// cost: the window opened beside 1,000 sprints of 100 tasks against the same
// window with no sprints, and at 100,000 backlog tasks how soon the window
// shows and how soon its rows say where their tasks are planned.
// Runs offscreen unless told otherwise.

#include "pbacklogwindow.h"
#include "productbacklog.h"
#include "sprint.h"
#include "taskdelegate.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Sprints = 1000;
constexpr int SprintTasks = 100;

QByteArray task(int i)
{
    return "Task number " + QByteArray::number(i) + " of the backlog";
}

bool writeList(const QString &name, int from, int count)
{
    QByteArray bytes;
    for (int i = from; i < from + count; ++i)
        bytes += task(i) + '\n';
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A backlog of count tasks in folder, and with sprints, the first
// Sprints * SprintTasks of them planned, SprintTasks a sprint, every tenth
// sprint's done.
bool makeFolder(const QString &folder, int count, bool sprints)
{
    if (!QDir().mkpath(folder) || !QDir::setCurrent(folder) || !writeList(productbacklog::fileName(), 0, count))
        return false;
    for (int n = 1; sprints && n <= Sprints; ++n) {
        QByteArray bytes;
        for (int i = (n - 1) * SprintTasks; i < n * SprintTasks; ++i)
            bytes += (n % 10 == 0 ? "x 2026-12-08 " : "") + task(i % count) + '\n';
        QFile file(Sprint::fileName(n));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            return false;
    }
    return true;
}

struct Open {
    double shownMs = 0;
    double notedMs = 0;  // the first row's note, -1 when none came in 10 s
};

// Makes the window, shows it and handles its first events; then waits for
// the first row's note when asked.
Open openWindow(bool waitForNote)
{
    Open open;
    QElapsedTimer timer;
    timer.start();
    auto *window = new PBacklogWindow(nullptr);
    window->show();
    QCoreApplication::processEvents();
    open.shownMs = timer.nsecsElapsed() / 1e6;
    if (waitForNote) {
        QListWidget *list = window->findChild<QListWidget *>(QStringLiteral("tasks"));
        open.notedMs = -1;
        while (timer.elapsed() < 10000) {
            if (list->count() > 0 && !list->item(0)->data(TaskDelegate::NoteRole).toString().isEmpty()) {
                open.notedMs = timer.nsecsElapsed() / 1e6;
                break;
            }
            QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
        }
    }
    delete window;
    QCoreApplication::processEvents();
    return open;
}

double medianShown(int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(openWindow(false).shownMs);
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString home = QDir::currentPath();
    constexpr int Runs = 21;

    // Opened in turn, round after round, so that a drift of the machine
    // touches both alike.
    const QString plain = dir.path() + QStringLiteral("/plain");
    const QString planned = dir.path() + QStringLiteral("/planned");
    if (!makeFolder(plain, 1000, false) || !makeFolder(planned, 1000, true)) {
        std::fprintf(stderr, "cannot write the task files\n");
        return 1;
    }
    std::vector<double> ratios;
    double without = 0;
    double with = 0;
    for (int round = 0; round < 5; ++round) {
        QDir::setCurrent(plain);
        medianShown(3);
        without = medianShown(Runs);
        QDir::setCurrent(planned);
        medianShown(3);
        with = medianShown(Runs);
        ratios.push_back(with / without);
    }
    std::sort(ratios.begin(), ratios.end());
    const double ratio = ratios[ratios.size() / 2];
    std::printf("backlog window, 1,000 tasks: %.2f ms with no sprints, %.2f ms beside %d sprints of %d tasks\n",
                without, with, Sprints, SprintTasks);
    std::printf("Target: open beside 1,000 sprints <= 1.2x with none: median of rounds %.2fx, %s\n", ratio,
                ratio <= 1.2 ? "met" : "NOT met");

    const QString large = dir.path() + QStringLiteral("/large");
    if (!makeFolder(large, 100000, true)) {
        std::fprintf(stderr, "cannot write the task files\n");
        return 1;
    }
    openWindow(true);  // warm up
    std::vector<double> shown;
    std::vector<double> noted;
    for (int i = 0; i < 7; ++i) {
        const Open open = openWindow(true);
        shown.push_back(open.shownMs);
        noted.push_back(open.notedMs < 0 ? 1e9 : open.notedMs);
    }
    std::sort(shown.begin(), shown.end());
    std::sort(noted.begin(), noted.end());
    // Without sprints, for the window's own time at that size.
    const QString largePlain = dir.path() + QStringLiteral("/largeplain");
    if (!makeFolder(largePlain, 100000, false))
        return 1;
    openWindow(false);
    std::vector<double> bare;
    for (int i = 0; i < 7; ++i)
        bare.push_back(openWindow(false).shownMs);
    std::sort(bare.begin(), bare.end());
    std::printf("backlog window, 100,000 tasks beside %d sprints: shown in %.1f ms (%.1f ms with no sprints), "
                "first row's note after %.1f ms (medians of 7)\n",
                Sprints, shown[3], bare[3], noted[3]);
    std::printf("Target: the marks within 1 s of opening at 100,000 tasks and 1,000 sprints: %.0f ms, %s\n",
                noted[3], noted[3] <= 1000 ? "met" : "NOT met");
    QDir::setCurrent(home);
    return 0;
}
