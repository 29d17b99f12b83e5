#ifndef TASKLISTFILE_H
#define TASKLISTFILE_H

#include "filestamp.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

#include <functional>

class FileLock;

// Keeps a store's list in step with its task list file: reads it, applies
// each change to the file's current content, and knows when it last read or
// wrote it and whether its content could be read at all.
//
// Every change is made under a lock (FileLock) that also holds off other
// processes, and written by SafeWrite, so a crash, a kill or a full disk
// leaves either the old or the new list, never a cut one. A list whose file
// could not be read, or is not valid text, is never written over.
class TaskListFile
{
    Q_DECLARE_TR_FUNCTIONS(TaskListFile)

public:
    explicit TaskListFile(const QString &fileName);

    QString fileName() const { return m_fileName; }

    // The reason the last operation failed, naming the file; empty after
    // an operation that succeeded.
    QString errorString() const { return m_error; }
    void setErrorString(const QString &message) { m_error = message; }

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
    using Edit = std::function<Outcome(QStringList &)>;
    // An edit of two lists at once, from and to.
    using PairEdit = std::function<Outcome(QStringList &, QStringList &)>;

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
    // gives. Returns false, with errorString(), when the change could not
    // be saved or the list refused it (refusal()). A missing file is made
    // anew only when mayCreate.
    bool change(QStringList &tasks, const Edit &edit, bool mayCreate = true);

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

    Refusal refusal() const { return m_refusal; }
    // True when the last change was refused because a task it was to act
    // on is no longer in the file: another window or program changed or
    // removed it.
    bool isNotFound() const { return m_refusal == Refusal::NotFound; }

private:
    enum class State { Readable, Unreadable, NotText, Conflicted };
    enum class Freshness { Unchanged, Removed, Reread };

    static bool transferLocked(TaskListFile &from, QStringList &fromTasks, TaskListFile &to,
                               QStringList &toTasks, const PairEdit &edit, bool mayCreate);
    // False, saying why, when lock could not be taken.
    bool checkLock(const FileLock &lock);
    // Reads the file again if it changed since last read or written, and
    // says what it found. Shared by refresh() and by every change.
    Freshness catchUp(QStringList &tasks);
    // catchUp() for a change: false, with the reason, when the change must
    // not go ahead.
    bool syncForChange(QStringList &tasks, bool mayCreate);
    // Refuses a change for what the list holds, saying why.
    bool refuse(Refusal refusal);
    // False, saying why, when tasks would leave a list with conflict
    // markers still holding them.
    bool allowsResult(const QStringList &tasks);
    // The state for a list just read or written as tasks, from bytes.
    static State stateOf(const QStringList &tasks, const QByteArray &bytes);
    bool create();
    bool read(QStringList &tasks);
    bool write(QStringList &tasks);
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
    bool fail(const QString &message);
    bool succeed();

    QString m_fileName;
    QString m_error;
    State m_state = State::Readable;
    QByteArray m_encoding;  // of the last read, for a list that is not text
    FileStamp m_stamp;
    Refusal m_refusal = Refusal::None;
    // The file's bytes as last read or written, and the list they encode,
    // sharing its strings with the store's: a change re-encodes only the
    // tasks it changed and splices them in. Empty and null when unknown.
    QByteArray m_bytes;
    QStringList m_written;
    bool m_haveBytes = false;
};

#endif // TASKLISTFILE_H
