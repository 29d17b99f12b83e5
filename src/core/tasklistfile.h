// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKLISTFILE_H
#define TASKLISTFILE_H

#include "changeresult.h"
#include "filestamp.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

class DeletedTasks;
class FileLock;
class HeapReservation;
class TaskList;
class TaskListBytes;

// The one way a task list file is changed, from a window, an undo step, a
// merge and the command line alike: reads the file, applies each change to
// its current content, and knows when it last read or wrote it and whether
// its content could be read at all.
//
// Every change is made under a lock (FileLock) that also holds off other
// processes, and only to a file that is admitted first: a regular file,
// read without blocking, that decodes, holds no conflict markers and may be
// written. Its rules are kept here once: the history of deleted tasks is
// written first, and only for a change that is then made; two lists are
// locked in one order and the target written first. It is written by
// SafeWrite, or appended through AppendJournal, so a crash, a kill or a
// full disk leaves either the old or the new list, never a cut one. A list
// that is not UTF-8 without a byte-order mark is written back in its own
// encoding, with its mark.
class TaskListFile
{
    Q_DECLARE_TR_FUNCTIONS(TaskListFile)

public:
    // Whether the caller keeps the list between changes, as a window's
    // store does. One that keeps nothing (a command) has every change read
    // the file afresh under the lock and, where its bytes encode the tasks
    // exactly, changed in place without decoding the list (TaskList).
    enum class Keeping { List, Nothing };

    explicit TaskListFile(const QString &fileName, Keeping keeping = Keeping::List);

    QString fileName() const { return m_fileName; }

    // The reason the last operation failed, naming the file; empty after
    // an operation that succeeded.
    QString errorString() const { return m_result.message; }
    void setErrorString(const QString &message) { m_result = ChangeResult{ChangeResult::Done, message}; }
    // What became of the last change.
    ChangeResult result() const { return m_result; }

    // True when the file's content could not be read or decoded: the list
    // is then shown as it was read (or empty) and every change is refused.
    // So it is while the list holds the markers of a merge conflict that
    // git left, but for a change that leaves none.
    bool isReadOnly() const { return m_state != State::Readable; }
    bool hasConflictMarkers() const { return m_state == State::Conflicted; }

    // Loads the file into tasks, creating it empty when no entry of that
    // name exists and create is true.
    bool load(QStringList &tasks, bool create = true);

    // Creates the file empty when no entry of that name exists, and reads
    // nothing: for a store that reads its list only when it is needed.
    bool ensureExists();

    // Reads the file again if it changed on disk since this object last
    // read or wrote it. Returns true when tasks changed. Cheap when the file
    // is unchanged: one stat, no read.
    bool refresh(QStringList &tasks);

    // What an edit did to the list it was given.
    enum class Outcome {
        Changed,    // the list changed: write it
        Unchanged,  // nothing to write
        NotFound,   // a task it was to act on is gone: write nothing
        Held,       // all it would add is in the list already: write nothing
    };
    using Edit = std::function<Outcome(TaskList &)>;
    // An edit of two lists at once, from and to.
    using PairEdit = std::function<Outcome(TaskList &, TaskList &)>;

    // What a change may do beyond its edit.
    enum Rule {
        NoRule = 0,
        MayCreate = 0x1,         // make the file anew when it is missing
        KeepsDeleted = 0x2,      // keep what it takes out in the history first
        ResolvesConflict = 0x4,  // change a list with conflict markers,
                                 // leaving none
    };
    Q_DECLARE_FLAGS(Rules, Rule)

    // Why the last change was refused although the file could be changed:
    // the list does not allow it as it is now.
    enum class Refusal {
        None,
        NotFound,  // a task it acts on is no longer in the file
        Held,      // the list holds already what it would add
        Missing,   // the file is gone, and the change may not make it anew
    };

    // Applies edit to the file's current content, under the lock, and
    // writes the result. On return, tasks equals what loading the file
    // gives (for Keeping::Nothing, tasks is left empty). Returns false,
    // with result() and errorString(), when the change could not be saved
    // or the list refused it. A missing file is made anew only with
    // MayCreate.
    bool change(QStringList &tasks, const Edit &edit, Rules rules);
    bool change(QStringList &tasks, const Edit &edit, bool mayCreate = true)
    {
        return change(tasks, edit, mayCreate ? Rules(MayCreate) : Rules(NoRule));
    }

    // Applies edit to two files' current contents under both their locks,
    // then writes to before from: a crash in between leaves a task that
    // moves from one to the other in both, never in neither. When from
    // cannot be written, to is put back as it was. Both report the outcome
    // and any error.
    static bool transfer(TaskListFile &from, QStringList &fromTasks, TaskListFile &to, QStringList &toTasks,
                         const PairEdit &edit, bool mayCreate = true);

    // Rewrites the file from its current content, normalising it.
    bool rewrite(QStringList &tasks);

    // The file that a change writes: the one a symbolic link leads to.
    QString writablePath() const;
    // The file whose lock every change of this list holds.
    QString lockFilePath() const;
    // Reads the whole file behind handle into one buffer of its size.
    static bool readAll(int handle, qint64 sizeHint, QByteArray *bytes);

    Refusal refusal() const;
    // True when the last change was refused because a task it was to act
    // on is no longer in the file: another window or program changed or
    // removed it.
    bool isNotFound() const { return m_result.status == ChangeResult::NotFound; }

private:
    enum class State { Readable, Unreadable, NotText, Conflicted };
    enum class Freshness { Unchanged, Removed, Reread };
    class Pending;

    static bool transferLocked(TaskListFile &from, QStringList &fromTasks, TaskListFile &to,
                               QStringList &toTasks, const PairEdit &edit, bool mayCreate);
    // False, saying why, when lock could not be taken.
    bool checkLock(const FileLock &lock);
    // Under the lock: finishes what an append cut short by a kill left.
    bool finishAppend();
    // Takes the lock to finish an append cut short, for a read without it.
    void finishAppendUnlocked();
    // Reads the file again if it changed since last read or written, and
    // says what it found. Shared by refresh() and by every change.
    Freshness catchUp(QStringList &tasks);
    // Brings the list up to the file for a change, under the lock, and
    // admits the file: false, with the reason, when the change must not
    // go ahead.
    bool prepare(Pending &pending, QStringList &tasks, Rules rules);
    bool syncForChange(QStringList &tasks, bool mayCreate);
    // The file's bytes, read afresh for a change of a caller that keeps
    // nothing.
    bool readForChange(Pending &pending, bool mayCreate);
    bool admit(Rules rules, const QStringList &tasks);
    // Gives a caller that keeps the list back what the file still holds,
    // for a change not made; false, for the caller to return.
    bool restore(const Pending &pending, QStringList &tasks) const;
    // Refuses a change for what the list holds, saying why.
    bool refuse(Refusal refusal);
    // False, saying why, when the change would leave a list with conflict
    // markers still holding them.
    bool allowsResult(Pending &pending, Rules rules);
    // Keeps what the change takes out of the lists in the history first.
    bool keepDeleted(DeletedTasks &history, const QStringList &gone);
    // Writes what the edit left, and the tasks it held for the caller.
    bool commit(Pending &pending, QStringList &tasks);
    // commit() of tasks only added at the end of a kept list: appended,
    // when it can be; false when the list must be written whole.
    bool appendKept(Pending &pending, QStringList &tasks, bool *appended);
    // Takes back what commit() wrote, for a transfer whose other half failed.
    bool takeBack(Pending &pending, QStringList &tasks, const QStringList &before);
    // The state for a list just read or written as tasks, from bytes.
    static State stateOf(const QStringList &tasks, const QByteArray &bytes);
    bool create();
    bool read(QStringList &tasks);
    // Reads the bytes of the file as it is now, without blocking on
    // anything but a regular file; false, with the reason, otherwise.
    // With heap, room is made on the heap for decoding them too.
    bool readBytes(QByteArray *bytes, FileStamp *stamp, QString *reason, int room = 0,
                   std::unique_ptr<HeapReservation> *heap = nullptr) const;
    bool write(QStringList &tasks);
    // bytes, the UTF-8 of a list, in the encoding the file was read in.
    QByteArray inOwnEncoding(const QByteArray &bytes) const;
    // Keeps bytes as the file's content and tasks as what it holds, when
    // encoding tasks gives bytes back exactly; forgets them otherwise.
    void remember(const QStringList &tasks, const QByteArray &bytes, bool exact);
    void forget();

    QString displayName() const;
    QString cannotWrite(const QString &reason) const;
    QString notTextMessage() const;
    QString conflictedMessage(const QStringList &tasks) const;
    QString removedMessage() const;
    QString notFoundMessage() const;
    QString heldMessage() const;
    QString missingMessage() const;
    // Why the folder refuses new files, or empty when it takes them.
    QString folderRefusal() const;
    bool fail(const QString &message, ChangeResult::Status status = ChangeResult::Failed);
    bool succeed();

    QString m_fileName;
    Keeping m_keeping;
    ChangeResult m_result;
    State m_state = State::Readable;
    QByteArray m_encoding;  // of the last read
    bool m_byteOrderMark = false;
    FileStamp m_stamp;
    // The file's bytes as last read or written, and the list they encode,
    // sharing its strings with the store's: a change re-encodes only the
    // tasks it changed and splices them in. Empty and null when unknown.
    QByteArray m_bytes;
    QStringList m_written;
    bool m_haveBytes = false;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(TaskListFile::Rules)

#endif // TASKLISTFILE_H
