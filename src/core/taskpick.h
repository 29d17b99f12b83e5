// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKPICK_H
#define TASKPICK_H

#include <QCoreApplication>
#include <QString>

class TaskList;

// How a command names a task of a list: by its line, counting from 0
// here, or by its exact text; by line, optionally only while the line
// reads an expected text. Found in the list as it is under the lock, so
// that a task that moved meanwhile is never taken for another.
struct TaskPick
{
    Q_DECLARE_TR_FUNCTIONS(TaskPick)

public:
    int row = -1;
    QString text;
    bool byText = false;
    QString expect;
    bool hasExpect = false;

    // The row the pick names in tasks, or -1, with why in words naming
    // the list listName.
    int locate(const TaskList &tasks, const QString &listName, QString *why) const;
};

#endif // TASKPICK_H
