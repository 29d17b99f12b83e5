// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskundostack.h"

#include "taskcommand.h"

#include <QAction>

TaskUndoStack::TaskUndoStack(QObject *parent)
    : QUndoStack(parent)
{
}

QAction *TaskUndoStack::makeUndoAction(QObject *parent)
{
    QAction *action = createUndoAction(parent);
    // Qt's action calls undo(), which moves the index whatever happened.
    disconnect(action, &QAction::triggered, this, nullptr);
    connect(action, &QAction::triggered, this, &TaskUndoStack::undoStep);
    return action;
}

QAction *TaskUndoStack::makeRedoAction(QObject *parent)
{
    QAction *action = createRedoAction(parent);
    disconnect(action, &QAction::triggered, this, nullptr);
    connect(action, &QAction::triggered, this, &TaskUndoStack::redoStep);
    return action;
}

bool TaskUndoStack::perform(TaskCommand *command)
{
    command->redo();
    if (!command->succeeded()) {
        fail(command, command->errorString());
        delete command;
        return false;
    }
    m_error.clear();
    m_refusal = TaskListFile::Refusal::None;
    m_note = command->note();
    const int row = command->focusRow();
    // Already done: push() only keeps it, or deletes it when obsolete.
    command->m_ranAhead = true;
    push(command);
    emit stepped(row);
    return true;
}

bool TaskUndoStack::fail(const TaskCommand *command, const QString &message)
{
    m_error = message;
    m_refusal = command->refusal();
    return false;
}

bool TaskUndoStack::undoStep()
{
    return canUndo() && step(false);
}

bool TaskUndoStack::redoStep()
{
    return canRedo() && step(true);
}

bool TaskUndoStack::step(bool forward)
{
    auto *command = static_cast<TaskCommand *>(const_cast<QUndoCommand *>(this->command(forward ? index() : index() - 1)));
    forward ? command->redo() : command->undo();
    const auto moveIndex = [this, forward] { forward ? QUndoStack::redo() : QUndoStack::undo(); };
    if (!command->succeeded()) {
        fail(command, (forward ? tr("Cannot redo \"%1\":\n%2") : tr("Cannot undo \"%1\":\n%2"))
                          .arg(command->text(), command->errorString()));
        // A step the lists refuse as they are now goes, without running
        // again; one the files refused stays.
        if (command->isRefusedByLists()) {
            command->setObsolete(true);
            moveIndex();
        }
        emit refused(m_error);
        return false;
    }
    m_error.clear();
    m_refusal = TaskListFile::Refusal::None;
    const int row = command->focusRow();
    command->m_ranAhead = true;
    moveIndex();
    emit stepped(row);
    return true;
}
