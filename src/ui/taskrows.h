// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKROWS_H
#define TASKROWS_H

#include "taskref.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QListWidget;
class QListWidgetItem;
class QWidget;

// Puts a store's tasks into a window's list widget. The widget's rows are
// made from the store's own strings (shared, not copied), one pass over the
// list, so that windows stay quick on a million tasks.
class TaskRows
{
public:
    // Which rows carry a check box, ticked when the task is done.
    enum class Checks { DoneOnly, All };

    // Sets up a task list widget once, after its form is built: tasks are
    // single lines, so every row has the same height, a row shows a
    // bounded part of its task (TaskDelegate), and rows carry check boxes
    // as checks says.
    static void prepare(QListWidget *list, Checks checks = Checks::DoneOnly);

    // Gives the row of item a note of the window's, drawn at its end and
    // read out after its text; an empty note takes it away.
    static void setNote(QListWidgetItem *item, const QString &note);
    // What a screen reader reads of a row of line with note: its text,
    // whether it is done and when, and the note.
    static QString accessibleText(const QString &line, const QString &note);

    // Makes the rows show tasks, replacing only the rows that differ, and
    // keeps the current task current, every selected task selected while
    // it is still there (by text and nearest row, as TaskRef finds a task),
    // and the scroll position.
    static void show(QListWidget *list, const QStringList &tasks);

    // Shows a store's tasks and whether they may be changed: while its file
    // cannot be read the actions are disabled and the list's tooltip says
    // why.
    static void showStore(QListWidget *list, const QStringList &tasks, bool readOnly,
                          const QString &why, const QList<QWidget *> &actions);

private:
    // Gives the rows from row on, count of them, made from tasks just now,
    // their check boxes and what a screen reader reads of them.
    static void decorate(QListWidget *list, int row, int count);
    // Shows a single task moved within rows start to start + length - 1 by
    // moving its row; false when that is not what changed.
    static bool moveOne(QListWidget *list, const QStringList &tasks, int start, int length);
};

#endif // TASKROWS_H
