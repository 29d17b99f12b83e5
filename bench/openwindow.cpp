// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Opens one window on the task list files of the current directory and
// prints how long that took and how much memory the process then holds.
// One window per process, so that the memory figures can be compared:
//
//   openwindow empty        an empty QWidget, the program floor
//   openwindow listwidget   a bare QListWidget filled from product_backlog
//   openwindow pbacklog     the product backlog window
//   openwindow sprint       the sprint window of sprint 1
//
// Prints "ms=<open time> rss_kb=<resident memory after opening> peak_kb=<peak>".

#include "pbacklogwindow.h"
#include "sprintwindow.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>

#include <cstdio>
#include <memory>
#include <sys/resource.h>
#include <unistd.h>

namespace {

long residentKiB()
{
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields.at(1).toLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}

// The floor: the rows as a plain program would read and show them.
std::unique_ptr<QWidget> bareListWidget()
{
    QFile file(QStringLiteral("product_backlog"));
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    auto list = std::make_unique<QListWidget>();
    list->setUniformItemSizes(true);
    list->addItems(QString::fromUtf8(file.readAll()).split(QLatin1Char('\n')));
    return list;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QByteArray mode = argc > 1 ? QByteArray(argv[1]) : QByteArray("empty");

    QElapsedTimer timer;
    timer.start();
    std::unique_ptr<QWidget> window;
    if (mode == "listwidget") {
        window = bareListWidget();
    } else if (mode == "pbacklog") {
        window = std::make_unique<PBacklogWindow>(nullptr);
    } else if (mode == "sprint") {
        auto sprint = std::make_unique<SprintWindow>(nullptr);
        sprint->initSprint(1);
        window = std::move(sprint);
    } else {
        window = std::make_unique<QWidget>();
    }
    if (!window) {
        std::fprintf(stderr, "openwindow: cannot open %s\n", mode.constData());
        return 1;
    }
    window->show();
    QCoreApplication::processEvents();
    const double ms = timer.nsecsElapsed() / 1e6;

    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    std::printf("ms=%.1f rss_kb=%ld peak_kb=%ld\n", ms, residentKiB(), usage.ru_maxrss);
    return 0;
}
