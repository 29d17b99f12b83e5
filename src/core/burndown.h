// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef BURNDOWN_H
#define BURNDOWN_H

#include <QDate>
#include <QStringList>
#include <QVector>

// A sprint's burndown by task count: for each day from its start to its
// end, how many of its tasks were still open that day, and the ideal line
// from the first day's count down to none on the last.
//
// The tasks are the sprint's lines that hold one, as the file holds them
// now: a task added or removed during the sprint counts from the first day,
// and one that closing the sprint carried over has left it. A task is open
// on a day unless its done mark is dated on or before that day.
class Burndown
{
public:
    struct Day {
        QDate date;
        int open = 0;
        double ideal = 0;
    };

    // Every day from start to end, both counted; none for dates that are
    // not a sprint's.
    static QVector<Day> days(const QStringList &lines, const QDate &start, const QDate &end);
};

#endif // BURNDOWN_H
