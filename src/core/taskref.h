// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKREF_H
#define TASKREF_H

#include <QString>
#include <QStringList>
#include <QVector>

class TaskList;

// A task as a window last showed it: its row and its text. Tasks have no
// identity beyond their text and place, and the file may have changed since
// the window showed it, so every change finds its task by both: the row
// itself when it still holds the text, else the nearest row that does.
// Equal twin tasks are thereby told apart by their rows.
struct TaskRef
{
    int row = -1;
    QString text;

    // Where the task is in list now, or -1 when no row holds its text.
    // Rows marked in taken are passed over, so that several references to
    // twins find different rows.
    static int locate(const TaskList &list, const TaskRef &ref, const QVector<bool> &taken = {});

    // The texts of refs, in their order.
    static QStringList textsOf(const QVector<TaskRef> &refs);

    // locate() for each of refs, each finding a row of its own, among the
    // count rows from from on (all rows when count is -1). By hash for
    // many refs, since every row of a long list may be selected.
    static QVector<int> locateAll(const TaskList &list, const QVector<TaskRef> &refs, int from = 0, int count = -1);

private:
    static QVector<int> locateByHash(const TaskList &list, const QVector<TaskRef> &refs, int from, int end);
};

#endif // TASKREF_H
