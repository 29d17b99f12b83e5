#ifndef LISTEDITS_H
#define LISTEDITS_H

#include "taskref.h"
#include "tasklistfile.h"

#include <QString>
#include <QStringList>
#include <QVector>

#include <climits>

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

    // One task moving between two lists: the row it leaves (-1: it only
    // goes into the target) and the row it goes to (-1: it only leaves, as
    // the target holds it already). A move keeps a single copy in the
    // target; taking one back (evenIfHeld) returns the task even where an
    // equal one is.
    struct Transfer {
        QString text;
        int from = -1;
        int to = End;
        bool evenIfHeld = false;
    };

    // The tasks a text typed over several lines stands for: its lines that
    // are not empty.
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
    // length; with skipPresent, not those the list holds again. restored
    // gets where they went.
    static Edit restore(const QVector<Removed> &removed, QVector<TaskRef> *restored = nullptr,
                        bool skipPresent = false);
    // Replaces the task ref points at with lines; NotFound when it is gone.
    // row gets where the first line went.
    static Edit replace(const TaskRef &ref, const QStringList &lines, int *row = nullptr);
    // Replaces the run of tasks that first starts and that reads run with
    // lines; NotFound unless all of run is still there, in order.
    static Edit replaceRun(const TaskRef &first, const QStringList &run, const QStringList &lines,
                           int *row = nullptr);
    // Moves the task ref points at to row to, bounded by the list's length;
    // NotFound when it is gone. from gets the row it left.
    static Edit move(const TaskRef &ref, int to, int *from = nullptr);

    // Moves tasks from one list to the other: the target takes each it
    // does not hold yet, at the row given, and the source gives it up. All
    // or nothing: NotFound when the source no longer holds one of them.
    // done gets what happened, ready to be turned round by reversed().
    static PairEdit transfer(const QVector<Transfer> &items, QVector<Transfer> *done = nullptr);
    // The transfer that takes back what done did.
    static QVector<Transfer> reversed(const QVector<Transfer> &done);
};

#endif // LISTEDITS_H
