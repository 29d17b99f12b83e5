// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKCOMMAND_H
#define TASKCOMMAND_H

#include "listedits.h"
#include "listmerge.h"
#include "sprintschedule.h"
#include "taskref.h"
#include "tasklistfile.h"

#include <QCoreApplication>
#include <QDate>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QUndoCommand>
#include <QVector>

#include <functional>

class Sprint;
class TaskStore;

// One user action on a task list, as a step of its window's undo stack
// (TaskUndoStack).
//
// redo() and undo() do the step, as Qt means them to, but never replay a
// copy of the list: each time, the step takes the locks of the lists it
// touches, reads them, and decides from what they hold at that moment. What
// other windows and programs changed meanwhile stays. Whatever it does, a
// step
// - never adds a text that its target list already holds;
// - never takes a task out of a list unless the task is in another list
//   afterwards or the history of deleted tasks holds its text;
// - never makes a list file anew once the step has been done;
// and when it cannot keep to that, or finds its tasks gone, it changes
// nothing and says why (errorString()).
class TaskCommand : public QUndoCommand
{
    Q_DECLARE_TR_FUNCTIONS(TaskCommand)

public:
    void redo() override;
    void undo() override;

    // Whether the last redo() or undo() was done.
    bool succeeded() const { return m_succeeded; }
    // Why not, naming the file and the reason.
    QString errorString() const { return m_error; }
    // Whether the lists refused it for what they hold now rather than for a
    // fault of the files: its tasks are gone, already where it would put
    // them, or its file is gone. Such a step stays undone as the files are.
    bool isRefusedByLists() const { return m_refusal != TaskListFile::Refusal::None; }
    TaskListFile::Refusal refusal() const { return m_refusal; }
    // The row to show after the last redo() or undo(), -1 for none.
    int focusRow() const { return m_focus; }
    // What the user should know of a step that was done: some of the tasks
    // it was given were gone already. Empty when there is nothing to say.
    QString note() const { return m_note; }

    // Adds texts, those the list does not hold yet, from row at on. A step
    // that adds nothing is obsolete, so the stack does not keep it.
    // With tellsHeld, the step's note names those the list held already.
    static TaskCommand *insert(TaskStore *store, int at, const QStringList &texts, const QString &text,
                               bool tellsHeld = false);
    // Deletes the tasks refs point at, keeping their texts in the history
    // of deleted tasks first, as every step that takes tasks out does.
    static TaskCommand *remove(TaskStore *store, const QVector<TaskRef> &refs);
    // Replaces the task ref points at with lines, keeping its text in the
    // history first; undone only while the task still reads the new text.
    static TaskCommand *replace(TaskStore *store, const TaskRef &ref, const QStringList &lines);
    // The same, and each open copy of the task in the lists named copies
    // (a line that reads as the task's text, with no done mark) replaced
    // with lines too, each list under its own lock, in one step. Each step
    // acts on the lists the last one changed, and changes each only where
    // it still reads what that step left; it is done when any list changed.
    // A list that cannot be written takes back what the step did to the
    // others.
    static TaskCommand *replace(TaskStore *store, const TaskRef &ref, const QStringList &lines,
                                const QStringList &copies);
    // Marks the tasks refs point at done on day, or open for a null day
    // (see ListEdits::mark); undone, each gets back the mark it had. A step
    // that changes no mark is obsolete.
    static TaskCommand *mark(TaskStore *store, const QVector<TaskRef> &refs, const QDate &day);
    // Moves the task ref points at as place says (see ListEdits::reorder).
    static TaskCommand *reorder(TaskStore *store, const TaskRef &ref, ListEdits::Place place,
                                const TaskRef &anchor, const QString &text);
    // Moves the tasks refs point at, in the list's order, to right before
    // the task anchor points at (see ListEdits::gather).
    static TaskCommand *reorder(TaskStore *store, const QVector<TaskRef> &refs, const TaskRef &anchor,
                                const QString &text);
    // Moves items from sprint to sprint number other, or, incoming, from
    // sprint number other into sprint.
    static TaskCommand *transfer(Sprint *sprint, int other, const QVector<ListEdits::Transfer> &items,
                                 bool incoming, const QString &text);

    // Gives sprint details.number the details given. Undone, it gets back
    // those it had, and redone these again, each only while the details
    // still read as the last step left them.
    static TaskCommand *setDetails(const SprintSchedule::Details &details, const QString &text);
    // Closes sprint: its open tasks move, in their order, to the end of
    // sprint target, which is made (planned after sprint) when it does not
    // exist, and the schedule marks sprint closed. Undone, what it moved
    // goes back, as transfer() takes a move back, and sprint is open again.
    static TaskCommand *close(Sprint *sprint, int target, const QString &text);

    // Merges the conflict copy copyName into the list as choice says: adds
    // its texts to add where their neighbours in the copy put them and takes
    // those to drop out (kept in history), and moves the copy into the
    // hidden folder of merged copies. The copy is read as it is then, under
    // the list's lock; one that changed since the choice was made so that
    // the choice does not fit it (ListMerge::misfit()) stays, and nothing
    // changes. Undone, the added tasks leave, the dropped come back, and
    // the copy returns to its place.
    static TaskCommand *merge(TaskStore *store, const QString &copyName,
                              const ListMerge::Choice &choice);
    // Takes a merge conflict's markers out of the list, keeping the tasks
    // of both sides (ConflictMarkers::keepBothSides()); what goes is kept in
    // history. Undone only while the list reads as the step left it.
    static TaskCommand *keepBothSides(TaskStore *store);

private:
    friend class TaskUndoStack;
    using Step = std::function<bool()>;

    explicit TaskCommand(const QString &text);

    void runStep(const Step &step);
    // Runs an edit of the store's; the store says how it went. Only the
    // first run of a step may make a list file that is gone.
    bool run(TaskStore *store, const TaskListFile::Edit &edit, TaskListFile::Rules rules = TaskListFile::NoRule);
    // Takes the tasks refs point at out of the list, their texts kept in
    // the history first, and puts them back where they were, but for those
    // the list holds again.
    bool takeOut(TaskStore *store, const QVector<TaskRef> &refs, QVector<ListEdits::Removed> *taken);
    bool putBack(TaskStore *store, const QVector<ListEdits::Removed> &taken, QVector<TaskRef> *restored);
    // Refuses a step that would change nothing: the lists read already as
    // it would leave them.
    bool nothingToDo();
    // Says how many of count tasks were gone already, if any.
    void noteGone(int count, int found);
    // Notes how a change of two sprints went.
    bool noteTransfer(bool moved, const Sprint *sprint);
    // Notes how a change of the schedule went.
    bool noteSchedule(bool changed, const SprintSchedule &schedule);

    Step m_forward;
    Step m_back;
    // Set by the stack when it has run the step itself: Qt's next call
    // then only moves the stack's index.
    bool m_ranAhead = false;
    bool m_everDone = false;
    bool m_succeeded = false;
    int m_focus = -1;
    QString m_note;
    QString m_error;
    TaskListFile::Refusal m_refusal = TaskListFile::Refusal::None;
};

#endif // TASKCOMMAND_H
