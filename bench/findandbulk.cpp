// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints how long finding and acting on many tasks take in a backlog
// window: a keystroke in the find line at 100,000 tasks, typing a word at
// 1,000,000, and selecting all of 100,000 tasks, deleting them and taking
// that back. Each beside a bare QListWidget filled with the same rows.

#include "pbacklogwindow.h"
#include "productbacklog.h"
#include "taskfilter.h"
#include "tasklistcontroller.h"
#include "taskundostack.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>

#include <cstdio>

namespace {

bool writeTasks(int count)
{
    QFile file(QStringLiteral("product_backlog"));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += "Task " + QByteArray::number(i) + (i % 7 ? " of the list" : " about the caf\xc3\xa9") + '\n';
    return file.write(bytes) == bytes.size();
}

// A backlog window shown on count tasks.
struct Window {
    explicit Window(int count)
        : written(writeTasks(count))
    {
        window.show();
        QCoreApplication::processEvents();
    }
    bool written;  // before the window reads the file
    PBacklogWindow window;
    TaskListController *tasks = window.findChild<TaskListController *>();
    QListWidget *list = window.findChild<QListWidget *>(QStringLiteral("tasks"));
};

// The milliseconds that work takes, with the events it posts handled.
template <typename Work>
double timed(Work work)
{
    QElapsedTimer clock;
    clock.start();
    work();
    QCoreApplication::processEvents();
    return clock.nsecsElapsed() / 1e6;
}

// A bare list widget showing the rows that match query, from scratch.
double bareFilter(const QStringList &tasks, const QString &query)
{
    QListWidget list;
    list.addItems(tasks);
    return timed([&] {
        const TaskFilter filter(query);
        QStringList shown;
        for (const QString &task : tasks) {
            if (filter.matches(task))
                shown.append(task);
        }
        list.clear();
        list.addItems(shown);
    });
}

void typing(int count, const QString &word)
{
    const Window window(count);
    TaskListController *tasks = window.tasks;
    QListWidget *list = window.list;
    tasks->openFind();
    // Each keystroke, with a typist's pause after it, and the longest time
    // that input waited for the list meanwhile.
    double longest = 0;
    for (int i = 1; i <= word.size() + 6; ++i) {
        if (i <= word.size())
            longest = qMax(longest, timed([&] { tasks->findLine()->setText(word.left(i)); }));
        QElapsedTimer pause;
        pause.start();
        while (pause.elapsed() < 80)
            longest = qMax(longest, timed([] { QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 20); }));
    }
    const QStringList all = productbacklog().getItems();
    const double bare = bareFilter(all, word);
    std::printf("%9d tasks: typing \"%s\": longest wait for input %.1f ms, %d rows shown; a bare QListWidget "
                "filled with the same rows: %.1f ms\n",
                count, qPrintable(word), longest, list->count(), bare);
}

void keystroke(int count)
{
    const Window window(count);
    TaskListController *tasks = window.tasks;
    tasks->openFind();
    const double ms = timed([&] { tasks->findLine()->setText(QStringLiteral("cafe")); });
    const double bare = bareFilter(productbacklog().getItems(), QStringLiteral("cafe"));
    std::printf("%9d tasks: a keystroke in the find line shows the rows in %.1f ms (target 100 ms: %s); "
                "a bare QListWidget filled with the same rows: %.1f ms\n",
                count, ms, ms <= 100 ? "met" : "NOT met", bare);
}

void deleteAll(int count)
{
    const Window window(count);
    TaskListController *tasks = window.tasks;
    QListWidget *list = window.list;
    const double select = timed([&] { list->selectAll(); });
    const double remove = timed([&] { tasks->deleteSelected(); });
    const double undo = timed([&] { tasks->undoStack()->undoStep(); });
    std::printf("%9d tasks: select all %.1f ms, delete them %.1f ms, undo %.1f ms (target 2,000 ms each: %s), %d rows back\n",
                count, select, remove, undo, remove <= 2000 && undo <= 2000 ? "met" : "NOT met", list->count());
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    keystroke(100000);
    typing(1000000, QStringLiteral("cafe"));
    deleteAll(100000);
    return 0;
}
