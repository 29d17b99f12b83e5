// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef NAMEDLIST_H
#define NAMEDLIST_H

#include "tasklistfile.h"

#include <QMap>
#include <QString>
#include <QStringList>

// A task list as the command line names it: "backlog", or a sprint by its
// number, changed through the one change engine (TaskListFile) as a
// caller that keeps nothing between changes: naming a list reads nothing
// and creates no file, and each change reads the file afresh under its
// lock.
class NamedList
{
public:
    // What name stands for: 0 for the backlog, a sprint number from 1, or
    // -1 when it names no list. A sprint is written as its number or as its
    // file's name; any other spelling ("sprint007", "+3") names none, as it
    // would stand for another file than the one it reads as.
    static int numberOf(const QString &name);
    // The folder's sprints by number, each with its file's name: those that
    // a number names, no other.
    static QMap<int, QString> sprints();
    // Whether the folder holds a list at all: a backlog or such a sprint.
    static bool folderHoldsList();

    explicit NamedList(int number);

    bool isBacklog() const { return m_number == 0; }
    int number() const { return m_number; }
    // The name that the command line takes back: "backlog" or the number.
    QString name() const;
    QString fileName() const { return m_file.fileName(); }
    // Whether the list's file is there; a sprint without one does not exist.
    bool exists() const;

    // Reads the tasks as the file holds them now; false, with result(),
    // when it cannot be read or holds what no change may be saved over.
    bool read(QStringList *tasks);
    // Applies edit to the file. Only the backlog is made anew when it is
    // missing: a sprint comes to be by new-sprint alone.
    bool change(const TaskListFile::Edit &edit, TaskListFile::Rules rules = TaskListFile::NoRule);
    // Moves tasks from one list to the other, as edit says, under both locks.
    static bool transfer(NamedList &from, NamedList &to, const TaskListFile::PairEdit &edit);
    ChangeResult result() const { return m_file.result(); }

private:
    int m_number;
    TaskListFile m_file;
    // What the engine hands back of the list, which keeps nothing.
    QStringList m_none;
};

#endif // NAMEDLIST_H
