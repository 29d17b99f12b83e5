// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKUNDOSTACK_H
#define TASKUNDOSTACK_H

#include "tasklistfile.h"

#include <QUndoStack>

class QAction;
class TaskCommand;

// The undo stack of a task window, whose steps (TaskCommand) change files
// that other windows and programs change too, so that the files may refuse
// a step: a lock that cannot be had, a full disk, tasks that are gone.
//
// QUndoStack moves its index whatever a command's undo() or redo() did. Here
// a step moves the index only when it was done; one that the files refused
// leaves the stack where it was, to be tried again, and one that the lists
// refused for what they hold is dropped (Qt drops an obsolete command), so
// that the steps beyond it can still be reached. To that end the stack runs
// a step itself, and Qt's call that follows only moves the index.
class TaskUndoStack : public QUndoStack
{
    Q_OBJECT

public:
    explicit TaskUndoStack(QObject *parent = nullptr);

    // Qt's undo and redo actions, with their texts and enabled states, that
    // trigger undoStep() and redoStep().
    QAction *makeUndoAction(QObject *parent);
    QAction *makeRedoAction(QObject *parent);

    // Does command, and keeps it as the next step to undo when it was done
    // and changed anything. Takes ownership; false when it was not done.
    bool perform(TaskCommand *command);

    // Why the last perform(), undoStep() or redoStep() was not done, and
    // whether the lists refused it for what they hold.
    QString errorString() const { return m_error; }
    // What the last step done had to say of tasks gone already (see
    // TaskCommand::note()).
    QString note() const { return m_note; }
    TaskListFile::Refusal refusal() const { return m_refusal; }

public slots:
    bool undoStep();
    bool redoStep();

signals:
    // A step was done, undone or redone; row is the row to show, -1 for none.
    void stepped(int row);
    // An undo or a redo was not done, and why.
    void refused(const QString &message);

private:
    bool step(bool forward);
    bool fail(const TaskCommand *command, const QString &message);

    QString m_error;
    QString m_note;
    TaskListFile::Refusal m_refusal = TaskListFile::Refusal::None;
};

#endif // TASKUNDOSTACK_H
