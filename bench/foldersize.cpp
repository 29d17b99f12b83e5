// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// One change of a 1,000-task sprint in a folder with no other sprint, and
// the same change in a folder beside 3,000 more sprint files, taken in turn
// so that the machine's drift touches both alike. Prints
// "small_ms=<median> big_ms=<median> small_first_ms=<ms> big_first_ms=<ms>".
//
//   foldersize FOLDER
//
// FOLDER is made and filled; putting it on a tmpfs shows the costs that do
// not come from the disk.

#include "tasklist.h"
#include "tasklistcodec.h"
#include "tasklistfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr int Tasks = 1000;
constexpr int OtherSprints = 3000;
constexpr int Rounds = 200;

bool writeList(const QString &path, int tasks)
{
    QStringList list;
    for (int i = 0; i < tasks; ++i)
        list << QStringLiteral("Task %1: review the sprint board and update the estimates").arg(i);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(TaskListCodec::encode(list)) >= 0;
}

// The time one change takes: every other one adds a task, every other one
// takes it out again, so that the list stays as long.
double timeChange(TaskListFile &file, QStringList &tasks, int round)
{
    const QString task = QStringLiteral("one more task");
    QElapsedTimer timer;
    timer.start();
    const bool done = file.change(tasks, [&](TaskList &edited) {
        QStringList &list = edited.strings();
        if (round % 2 == 0)
            list.append(task);
        else
            list.removeLast();
        return TaskListFile::Outcome::Changed;
    });
    const double ms = timer.nsecsElapsed() / 1e6;
    if (!done)
        std::fprintf(stderr, "foldersize: %s\n", qPrintable(file.errorString()));
    return ms;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times.at(times.size() / 2);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: foldersize FOLDER\n");
        return 2;
    }
    const QString base = QFile::decodeName(argv[1]);
    const QString small = base + QLatin1String("/one-sprint");
    const QString big = base + QLatin1String("/many-sprints");
    if (!QDir().mkpath(small) || !QDir().mkpath(big) || !writeList(small + QLatin1String("/sprint1"), Tasks)
        || !writeList(big + QLatin1String("/sprint1"), Tasks)) {
        std::fprintf(stderr, "foldersize: cannot fill %s\n", argv[1]);
        return 1;
    }
    for (int i = 2; i <= OtherSprints + 1; ++i) {
        if (!writeList(big + QLatin1String("/sprint") + QString::number(i), 1))
            return 1;
    }

    TaskListFile smallFile(small + QLatin1String("/sprint1"));
    TaskListFile bigFile(big + QLatin1String("/sprint1"));
    QStringList smallTasks;
    QStringList bigTasks;
    if (!smallFile.load(smallTasks) || !bigFile.load(bigTasks))
        return 1;
    // The first change of a list in a process costs more: it looks for
    // temporaries that a killed writer left.
    const double smallFirst = timeChange(smallFile, smallTasks, 0);
    const double bigFirst = timeChange(bigFile, bigTasks, 0);
    std::vector<double> smallTimes;
    std::vector<double> bigTimes;
    for (int round = 1; round <= Rounds; ++round) {
        smallTimes.push_back(timeChange(smallFile, smallTasks, round));
        bigTimes.push_back(timeChange(bigFile, bigTasks, round));
    }
    std::printf("small_ms=%.3f big_ms=%.3f small_first_ms=%.3f big_first_ms=%.3f\n", median(smallTimes),
                median(bigTimes), smallFirst, bigFirst);
    return 0;
}
