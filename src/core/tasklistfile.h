#ifndef TASKLISTFILE_H
#define TASKLISTFILE_H

#include <QString>
#include <QStringList>

#include <functional>

struct stat;

// One task list file on disk and what a store knows about it: when it last
// read or wrote it, and whether its content could be read at all.
//
// Every change is applied to the file's current content under a lock that
// also holds off other processes, and is written to a hidden temporary file
// that is then renamed over the list, so a crash, a kill or a full disk
// leaves either the old or the new list, never a cut one. A list whose file
// could not be read, or is not valid text, is never written over.
class TaskListFile
{
public:
    explicit TaskListFile(const QString &fileName);

    QString fileName() const { return m_fileName; }

    // The reason the last operation failed, naming the file; empty after
    // an operation that succeeded.
    QString errorString() const { return m_error; }
    void setErrorString(const QString &message) { m_error = message; }

    // True when the file's content could not be read or decoded: the list
    // is then shown as it was read (or empty) and every change is refused.
    bool isReadOnly() const { return m_state != State::Readable; }

    // Loads the file into tasks, creating it empty when no entry of that
    // name exists.
    bool load(QStringList &tasks);

    // Reads the file again if it changed on disk since this object last
    // read or wrote it. Returns true when tasks changed. Cheap when the file
    // is unchanged: one stat, no read.
    bool refresh(QStringList &tasks);

    // Applies edit to the file's current content and writes the result.
    // edit returns false when it changed nothing that needs writing. On
    // return, tasks equals what loading the file gives.
    bool change(QStringList &tasks, const std::function<bool(QStringList &)> &edit);

    // The changes the stores make, each through change(). The last three
    // write the file even when nothing matched, which normalises it.
    bool appendUnlessPresent(QStringList &tasks, const QStringList &newTasks);
    bool removeFirst(QStringList &tasks, const QString &task);
    bool replaceFirst(QStringList &tasks, const QString &task, const QString &newText);
    bool rewrite(QStringList &tasks);

private:
    enum class State { Readable, Unreadable, NotText };
    enum class Freshness { Unchanged, Removed, Reread };

    // What identifies one version of the file without reading it.
    struct Stamp {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = -1;
        qint64 modified = 0;  // nanoseconds
        qint64 changed = 0;   // nanoseconds
        bool operator==(const Stamp &other) const;
        bool operator!=(const Stamp &other) const { return !(*this == other); }
    };

    static Stamp stampOf(const struct stat &info);
    static Stamp stampOfPath(const QString &path);
    static Stamp stampOfHandle(int handle);

    QString writablePath() const;
    QString lockFilePath() const;
    // The name of a temporary that a write of the list listName fills
    // before renaming it over the list, in the list's own folder.
    static QString temporaryName(const QString &listName, const QString &random);
    void removeStaleTemporaries() const;
    // Reads the file again if it changed since last read or written, and
    // says what it found. Shared by refresh() and by every change.
    Freshness catchUp(QStringList &tasks);
    // catchUp() for a change: false, with the reason, when the change must
    // not go ahead.
    bool syncForChange(QStringList &tasks);
    bool read(QStringList &tasks);
    bool write(QStringList &tasks);
    static bool writeAll(int handle, const QByteArray &bytes);

    QString displayName() const;
    QString cannotWrite(const QString &reason) const;
    QString notTextMessage() const;
    QString removedMessage() const;
    bool fail(const QString &message);
    bool succeed();

    QString m_fileName;
    QString m_error;
    State m_state = State::Readable;
    Stamp m_stamp;
};

#endif // TASKLISTFILE_H
