// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINT_H
#define SPRINT_H

#include "listedits.h"
#include "tasklistfile.h"

#include <QString>
#include <QStringList>
#include <QVector>

// One numbered sprint: its ordered tasks, kept in the file "sprint" followed
// by the number, in the current directory. Making a Sprint for a number
// without a file creates the file empty; that is how a sprint comes to be.
//
// Each changing call applies its change to the file's current content and
// returns whether the file now holds it; errorString() then says why not.
// After every call the list equals what loading the file gives.
class Sprint
{
public:
    explicit Sprint(int i);
    // What a new Sprint does when the sprint has no file.
    enum Opening {
        CreateMissing,  // makes it empty, as Sprint(int) does
        ExistingOnly,   // leaves it missing, and refuses every change
    };
    Sprint(int i, Opening opening);

    // Adds each line of task that is not empty and not in the sprint yet.
    bool addTask(QString task);
    // Adds each of newTasks that the sprint does not hold yet, in order, in
    // one write: what addTask for each would do, without rewriting the file
    // once per task.
    bool addTasks(const QStringList &newTasks);
    bool deleteTask(QString task);
    // Moves the first task equal to task to sprint number sprint: the
    // target takes it (unless it holds it already) before this sprint lets
    // it go, both under their locks. Fails, with isNotFound(), when this
    // sprint no longer holds it; a task is never lost.
    bool moveTask(QString task, int sprint);
    QStringList getTasks() const;
    // Rewrites the file from its current content (normalising line ends).
    bool writeChanges();

    // Applies any edit of the list (see ListEdits) to the file; with the
    // rules given, a missing file is made anew only with MayCreate.
    bool change(const TaskListFile::Edit &edit);
    bool change(const TaskListFile::Edit &edit, TaskListFile::Rules rules);
    // Moves tasks to sprint number sprint (moveTo) or from it to this one
    // (takeFrom), as moveTask does, but between existing files only: a
    // sprint file that is gone is never made anew. done gets what was
    // moved, for undoing.
    bool moveTo(int sprint, const QVector<ListEdits::Transfer> &items,
                QVector<ListEdits::Transfer> *done = nullptr);
    bool takeFrom(int sprint, const QVector<ListEdits::Transfer> &items,
                  QVector<ListEdits::Transfer> *done = nullptr);
    // Applies edit to this sprint, the source, and the existing sprint
    // number sprint, the target, under both locks, as moveTo does.
    bool moveTo(int sprint, const TaskListFile::PairEdit &edit);

    // Re-reads the file if it changed on disk; true when the list was read again.
    bool refresh();
    // True when the file could not be read or is not text: changes are refused.
    bool isReadOnly() const;
    // True when the last change was refused because its task is gone.
    bool isNotFound() const;
    // Why the list refused the last change, if it did.
    TaskListFile::Refusal refusal() const;
    // Why the last call failed, naming the file; empty after a success.
    QString errorString() const;
    int number() const { return index; }

    static QString fileName(int number);

private:
    QStringList tasks;
    int index;
    TaskListFile file;
    bool existingOnly;

    // Moves items to or from (incoming) sprint number sprint.
    bool transferWith(int sprint, bool incoming, Opening opening, const TaskListFile::PairEdit &edit);
};

#endif // SPRINT_H
