// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef LISTEDITS_H
#define LISTEDITS_H

#include "taskref.h"
#include "tasklistfile.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <QVector>

#include <climits>

class TaskList;

// The changes made to a task list, each an edit that TaskListFile applies
// to the file's current content under its lock. Those that act on a task a
// window showed find it by a TaskRef, never by its text alone, and those
// that a window's undo needs report what they did.
class ListEdits
{
public:
    using Edit = TaskListFile::Edit;
    using PairEdit = TaskListFile::PairEdit;
    using Outcome = TaskListFile::Outcome;

    // A row past every task: insert() there appends.
    static constexpr int End = INT_MAX;

    // A task taken out of a list and the task it followed there (row -1
    // when it was first), so that it can be put back where it was.
    struct Removed {
        int row = -1;
        QString text;
        TaskRef previous;
    };

    // One task moving between two lists. A task that leaves must be in the
    // source, found by its row there and its text; one that does not leave
    // only goes into the target. The target takes it at row to unless it
    // holds it already, which transfer() records in added.
    struct Transfer {
        QString text;
        int from = -1;
        int to = End;
        bool leaves = true;
        bool added = false;
    };

    // Where reorder() puts a task: a place up or down from where it is now,
    // at the top or the bottom, or right before another task.
    enum class Place { Up, Down, Top, Bottom, Before };
    // Where a reordered task was and went, and the task that followed it
    // there (row -1 when it was last): putting it before that one again
    // takes the move back.
    struct Placed {
        int from = -1;
        int to = -1;
        TaskRef next;
        QString text;
    };

    // A task whose done mark mark() changed: its row, and its line before
    // and after.
    struct Marked {
        int row = -1;
        QString before;
        QString after;
    };

    // The tasks a text typed over several lines stands for: its lines that
    // hold more than white space.
    static QStringList lines(const QString &text);

    // Inserts, in order from row at on, each of texts that the list does
    // not hold yet; rows gets the row each went to, -1 for those it held.
    static Edit insert(int at, const QStringList &texts, QVector<int> *rows = nullptr);
    // Takes out the first task equal to text. Writes even when none is, so
    // that the file comes out normalised.
    static Edit removeFirst(const QString &text);
    // Replaces the first task equal to text with lines; NotFound when none is.
    static Edit replaceFirst(const QString &text, const QStringList &lines);

    // Takes out the tasks that refs point at and that are still there;
    // NotFound when none is.
    static Edit remove(const QVector<TaskRef> &refs, QVector<Removed> *removed = nullptr);
    // Puts removed tasks back, each right after the task it followed when
    // that is still there, else at its old row, bounded by the list's
    // length; not those the list holds again. restored gets where they went.
    static Edit restore(const QVector<Removed> &removed, QVector<TaskRef> *restored = nullptr);
    // Replaces the task ref points at with lines; NotFound when it is gone.
    // row gets where the first line went.
    static Edit replace(const TaskRef &ref, const QStringList &lines, int *row = nullptr);
    // Replaces the run of tasks that first starts and that reads run with
    // lines; NotFound unless all of run is still there, in order. As an add
    // does, it leaves out the lines that the rest of the list holds, and
    // repeats: Held when that leaves none.
    // put gets the lines it put in.
    static Edit replaceRun(const TaskRef &first, const QStringList &run, const QStringList &lines,
                           int *row = nullptr, QStringList *put = nullptr);
    // Marks each task that refs point at done on the day at the same place
    // of days, or open for a null day (DoneMark). A task done already stays
    // as it is, with its day; tasks gone are passed over, and NotFound when
    // all are. marked gets each task that changed.
    static Edit mark(const QVector<TaskRef> &refs, const QVector<QDate> &days, QVector<Marked> *marked = nullptr);
    // Moves the task ref points at to row to, bounded by the list's length;
    // NotFound when it is gone. from gets the row it left.
    static Edit move(const TaskRef &ref, int to, int *from = nullptr);
    // Moves the task ref points at as place says, reckoned from where it is
    // now: Before puts it right before the task anchor points at, or at
    // anchor's row when that task is gone, and at the end for an anchor of
    // row -1.
    // NotFound when the task is gone.
    static Edit reorder(const TaskRef &ref, Place place, const TaskRef &anchor = TaskRef(),
                        Placed *placed = nullptr);

    // Moves the tasks refs point at, in the list's order, to right before
    // the task anchor points at, as reorder() does with one; those gone
    // are passed over, NotFound when all are. placed gets, for each that
    // was there, where it was and went and the task that followed it.
    static Edit gather(const QVector<TaskRef> &refs, const TaskRef &anchor, QVector<Placed> *placed = nullptr);
    // Takes back what gather() did: each task before the task that
    // followed it, the last first. Those gone are passed over.
    static Edit scatter(const QVector<Placed> &placed, QVector<Placed> *back = nullptr);

    // Moves tasks from one list to the other: the target takes each it does
    // not hold yet, at the row given, and the source gives up those that
    // leave. Those that were to leave and are no longer in the source are
    // passed over; NotFound when that is all of them. Whatever leaves the
    // source is in the target afterwards. done gets what happened, ready
    // to be turned round by reversed().
    static PairEdit transfer(const QVector<Transfer> &items, QVector<Transfer> *done = nullptr);
    // What closing a sprint carries over: every open task of the source,
    // in its order, to the end of the target, as transfer() moves them;
    // the done tasks stay. Unchanged when none is open.
    static PairEdit carryOver(QVector<Transfer> *done);
    // The transfer that takes back what done did: the tasks it added to the
    // target leave it again, and the source takes back all of them, unless
    // it holds them. With allLeave, all leave, as in the first transfer.
    static QVector<Transfer> reversed(const QVector<Transfer> &done, bool allLeave = false);

private:
    // Above this many texts to look up, a set of the whole list is made.
    static constexpr int ManyLookUps = 8;
};

#endif // LISTEDITS_H
