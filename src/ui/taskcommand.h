#ifndef TASKCOMMAND_H
#define TASKCOMMAND_H

#include "listedits.h"
#include "taskref.h"

#include <QString>
#include <QStringList>
#include <QUndoCommand>
#include <QVector>

#include <functional>

class DeletedTasks;
class Sprint;
class TaskStore;

// One user action on a task list, as a step of its window's undo stack.
//
// A step never replays a copy of the list: each time it is done or undone
// it changes the file as it is now, through the store and its lock, and
// finds its tasks by where it left them and their text. What other windows
// and programs changed meanwhile stays. When its tasks are gone, the step
// changes nothing and says so.
class TaskCommand : public QUndoCommand
{
public:
    // Does the step (apply) or takes it back (revert), now. False when the
    // file did not take it; errorString() then says why, and nothing
    // changed.
    bool apply();
    bool revert();

    // The row to show after the last apply() or revert(), -1 for none.
    int focusRow() const { return m_focus; }
    QString errorString() const { return m_error; }
    // Whether the last failure was a task found gone.
    bool isNotFound() const { return m_notFound; }

    // The undo stack's own calls; they do the work unless apply() or
    // revert() has just done it.
    void redo() override;
    void undo() override;

    // Adds texts, those the list does not hold yet, from row at on. A step
    // that adds nothing is obsolete, so the stack does not keep it.
    static TaskCommand *insert(TaskStore *store, int at, const QStringList &texts, const QString &text);
    // Deletes the tasks refs point at, keeping their texts in history first.
    static TaskCommand *remove(TaskStore *store, DeletedTasks *history, const QVector<TaskRef> &refs);
    // Replaces the task ref points at with lines, keeping its text in
    // history first; undone only while a task still reads the new text.
    static TaskCommand *replace(TaskStore *store, DeletedTasks *history, const TaskRef &ref,
                                const QStringList &lines);
    // Moves the task ref points at to row to.
    static TaskCommand *reorder(TaskStore *store, const TaskRef &ref, int to, const QString &text);
    // Moves items from sprint to sprint number other, or, incoming, from
    // sprint number other into sprint.
    static TaskCommand *transfer(Sprint *sprint, int other, const QVector<ListEdits::Transfer> &items,
                                 bool incoming, const QString &text);

private:
    using Step = std::function<bool()>;

    explicit TaskCommand(const QString &text);

    // Runs a step of the store's; the store says how it went.
    bool run(TaskStore *store, const TaskListFile::Edit &edit);
    bool keep(DeletedTasks *history, TaskStore *store, const QStringList &texts);

    Step m_forward;
    Step m_back;
    bool m_skipNext = false;
    int m_focus = -1;
    QString m_error;
    bool m_notFound = false;
};

#endif // TASKCOMMAND_H
