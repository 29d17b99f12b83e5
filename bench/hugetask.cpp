// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints how long the windows take with one huge task among normal ones: a
// task of 15,000,000 characters as the second of three, as a log pasted by
// mistake would make. For each window: open it and paint it with that row
// selected and scrolled into view, then answer a click on it (delete in the
// list windows, a click in the "Add tasks" picker). Also how long the task
// dialog takes to open on texts of growing length, which decides how long
// a task the editor is offered. Runs offscreen unless told otherwise.

#include "listdialog.h"
#include "pbacklogwindow.h"
#include "sprintwindow.h"
#include "taskdialog.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int HugeLength = 15000000;
// The longest step seen: each must take well under a second.
double slowest = 0;

double millisecondsFor(const std::function<void()> &work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    const double ms = timer.nsecsElapsed() / 1e6;
    slowest = std::max(slowest, ms);
    return ms;
}

void settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

// Opens window, shows it with row 1 selected and in view and paints it.
double openOnHugeRow(QWidget *window, QListWidget *list)
{
    return millisecondsFor([&] {
        window->show();
        list->setCurrentRow(1);
        list->scrollToItem(list->item(1));
        window->repaint();
        settle();
    });
}

void writeList(const QString &name, const QByteArray &huge)
{
    QFile file(name);
    if (file.open(QIODevice::WriteOnly))
        file.write("first task\n" + huge + "\nthird task");
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QTemporaryDir dir;
    QDir::setCurrent(dir.path());
    const QByteArray huge(HugeLength, 'x');
    writeList(QStringLiteral("product_backlog"), huge);
    writeList(QStringLiteral("sprint1"), huge);

    std::printf("A task of %d characters, the second of three:\n", HugeLength);
    // Made, then painted with the huge row selected, then that row deleted.
    const auto measureWindow = [](const char *name, const std::function<QWidget *()> &make) {
        QWidget *window = nullptr;
        const double made = millisecondsFor([&] { window = make(); });
        const double shown = openOnHugeRow(window, window->findChild<QListWidget *>(QStringLiteral("tasks")));
        const double deleted = millisecondsFor([&] {
            window->findChild<QPushButton *>(QStringLiteral("delete_2"))->click();
            window->repaint();
            settle();
        });
        std::printf("  %-23s open %.1f ms, paint with the row selected %.1f ms, delete it %.1f ms\n", name, made,
                    shown, deleted);
        delete window;
    };
    measureWindow("product backlog window:", [] { return new PBacklogWindow(nullptr); });
    measureWindow("sprint window:", [] {
        auto *window = new SprintWindow(nullptr);
        window->initSprint(1);
        return window;
    });
    {
        ListDialog picker(nullptr);
        QListWidget *list = picker.findChild<QListWidget *>(QStringLiteral("list"));
        const double made = millisecondsFor([&] {
            picker.setList({QStringLiteral("first task"), QString::fromLatin1(huge), QStringLiteral("third task")});
            picker.enableMultiselect();
        });
        const double shown = openOnHugeRow(&picker, list);
        const double clicked = millisecondsFor([&] {
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(2)).center());
            picker.repaint();
            settle();
        });
        std::printf("  \"Add tasks\" picker:     fill %.1f ms, paint with the row selected %.1f ms, a click %.1f ms\n",
                    made, shown, clicked);
    }

    std::printf("Target: with a task of %d characters every window opens, paints and answers a click in well under"
                " a second: slowest step %.0f ms, %s\n",
                HugeLength, slowest, slowest < 1000 ? "met" : "NOT met");

    std::printf("The task dialog opening on a text of one line:\n");
    for (int length : {1000, 10000, 100000, 1000000}) {
        const QString text(length, QLatin1Char('x'));
        const double opened = millisecondsFor([&] {
            TaskDialog dialog(QStringLiteral("Edit task"), text);
            dialog.show();
            dialog.repaint();
            settle();
        });
        std::printf("  %8d characters: %.1f ms\n", length, opened);
    }
    return 0;
}
