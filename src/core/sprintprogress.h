// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTPROGRESS_H
#define SPRINTPROGRESS_H

#include "sprintschedule.h"

#include <QDate>
#include <QString>
#include <QVector>

#include <functional>

// Where each sprint of the folder stands: its details and how many of its
// tasks are done, as the files hold them; and which sprint is the current
// one. Reads only, so that it may run off the windows' thread.
class SprintProgress
{
public:
    struct Entry {
        int number = 0;
        SprintSchedule::Details details;  // number 0 when it has none
        int done = 0;
        int total = 0;
        // Why its file could not be read; empty when it was.
        QString error;

        int open() const { return total - done; }
    };

    // Every sprint file of the folder, in numeric order; given up, with
    // what was read so far, as soon as stop says so.
    static QVector<Entry> read(const std::function<bool()> &stop = nullptr);
    // The counts of one list's lines: its tasks, the lines that hold one,
    // and those done.
    static void count(const QStringList &lines, int *done, int *total);

    // The entry of the current sprint, -1 when there is none: of the sprints
    // not closed, the one whose dates include today, or else the
    // lowest-numbered with open tasks.
    static int current(const QVector<Entry> &entries, const QDate &today);
};

#endif // SPRINTPROGRESS_H
