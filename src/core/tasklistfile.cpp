#include "tasklistfile.h"

#include "filelock.h"
#include "filestamp.h"
#include "tasklistcodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Symbolic links are followed at most this deep, as the system does.
constexpr int MaxLinkDepth = 40;

QString tr(const char *text)
{
    return QCoreApplication::translate("TaskListFile", text);
}

qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

} // namespace

bool TaskListFile::Stamp::operator==(const Stamp &other) const
{
    return exists == other.exists && device == other.device && inode == other.inode
        && size == other.size && modified == other.modified && changed == other.changed;
}

TaskListFile::Stamp TaskListFile::stampOf(const struct stat &info)
{
    Stamp stamp;
    stamp.exists = true;
    stamp.device = info.st_dev;
    stamp.inode = info.st_ino;
    stamp.size = info.st_size;
    stamp.modified = nanoseconds(info.st_mtim);
    stamp.changed = nanoseconds(info.st_ctim);
    return stamp;
}

TaskListFile::Stamp TaskListFile::stampOfPath(const QString &path)
{
    // Fresh from the file system: a change made against attributes that a
    // network mount cached would be made against a list another machine
    // has already replaced.
    struct stat info;
    if (!FileStamp::fetch(path, &info))
        return Stamp();
    return stampOf(info);
}

TaskListFile::Stamp TaskListFile::stampOfHandle(int handle)
{
    struct stat info;
    if (::fstat(handle, &info) != 0)
        return Stamp();
    return stampOf(info);
}

TaskListFile::TaskListFile(const QString &fileName)
    : m_fileName(fileName)
{
}

bool TaskListFile::load(QStringList &tasks)
{
    tasks.clear();
    if (QFile::exists(m_fileName))
        return read(tasks);

    // A symbolic link to a missing file keeps pointing there: the file it
    // points to is created. NewOnly: a file that another store created
    // meanwhile is read, not truncated.
    const QString path = writablePath();
    if (QFileInfo(path).isSymLink())
        return fail(tr("Cannot create file %1:\n%2").arg(displayName(), qt_error_string(ELOOP)));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        m_stamp = stampOfHandle(file.handle());
        m_state = State::Readable;
        return succeed();
    }
    if (QFile::exists(m_fileName))
        return read(tasks);
    m_stamp = Stamp();
    return fail(tr("Cannot create file %1:\n%2").arg(displayName(), file.errorString()));
}

bool TaskListFile::refresh(QStringList &tasks)
{
    const bool wasUnreadable = m_state == State::Unreadable;
    switch (catchUp(tasks)) {
    case Freshness::Unchanged:
        return false;
    case Freshness::Removed:
        return true;
    case Freshness::Reread:
        break;
    }
    return !(wasUnreadable && m_state == State::Unreadable);
}

bool TaskListFile::change(QStringList &tasks, const std::function<bool(QStringList &)> &edit)
{
    const FileLock lock(lockFilePath());
    if (!lock.isLocked())
        return fail(tr("Cannot lock file %1:\n%2").arg(displayName(), lock.errorString()));
    if (!syncForChange(tasks))
        return false;
    if (!edit(tasks))
        return succeed();
    if (write(tasks))
        return succeed();

    // The file still holds the list from before the edit: take it back, so
    // that the list shows nothing that was not saved.
    const QString reason = m_error;
    read(tasks);
    return fail(reason);
}

bool TaskListFile::appendUnlessPresent(QStringList &tasks, const QStringList &newTasks)
{
    return change(tasks, [&newTasks](QStringList &list) {
        // A set only pays when several tasks are looked up: it makes adding
        // k tasks to n cost n + k instead of n times k.
        const bool several = newTasks.size() > 1;
        QSet<QString> present;
        if (several)
            present = QSet<QString>(list.cbegin(), list.cend());
        bool appended = false;
        for (const QString &task : newTasks) {
            if (several ? present.contains(task) : list.contains(task, Qt::CaseSensitive))
                continue;
            list.append(task);
            if (several)
                present.insert(task);
            appended = true;
        }
        return appended;
    });
}

bool TaskListFile::removeFirst(QStringList &tasks, const QString &task)
{
    return change(tasks, [&task](QStringList &list) {
        const int at = list.indexOf(task);
        if (at >= 0)
            list.removeAt(at);
        return true;
    });
}

bool TaskListFile::replaceFirst(QStringList &tasks, const QString &task, const QString &newText)
{
    return change(tasks, [&task, &newText](QStringList &list) {
        const int at = list.indexOf(task);
        if (at >= 0)
            list[at] = newText;
        return true;
    });
}

bool TaskListFile::rewrite(QStringList &tasks)
{
    return change(tasks, [](QStringList &) { return true; });
}

TaskListFile::Freshness TaskListFile::catchUp(QStringList &tasks)
{
    const Stamp now = stampOfPath(m_fileName);
    if (now == m_stamp && m_state != State::Unreadable)
        return Freshness::Unchanged;
    if (!now.exists) {
        if (!m_stamp.exists)
            return Freshness::Unchanged;  // still missing as last seen
        tasks.clear();
        m_stamp = now;
        m_state = State::Readable;
        fail(removedMessage());
        return Freshness::Removed;
    }
    read(tasks);
    return Freshness::Reread;
}

bool TaskListFile::syncForChange(QStringList &tasks)
{
    switch (catchUp(tasks)) {
    case Freshness::Unchanged:
        // A file still missing as last seen: the change starts a new one.
        return m_state == State::NotText ? fail(notTextMessage()) : succeed();
    case Freshness::Removed:
        // Gone since the list was shown: refuse to recreate it from a list
        // the user has not seen.
        return false;
    case Freshness::Reread:
        break;
    }
    return m_state == State::Readable;
}

bool TaskListFile::read(QStringList &tasks)
{
    QFile file(m_fileName);
    QByteArray bytes;
    Stamp stamp;
    QString reason;
    // Opening a named pipe or a device would block or read forever: only a
    // regular file holds a list.
    const QFileInfo entry(m_fileName);
    if (entry.isDir())
        reason = tr("It is a directory.");
    else if (entry.exists() && !entry.isFile())
        reason = tr("It is not a regular file.");
    else if (!file.open(QIODevice::ReadOnly))
        reason = file.errorString();
    else {
        stamp = stampOfHandle(file.handle());
        bytes = file.readAll();
        if (file.error() != QFileDevice::NoError)
            reason = file.errorString();
    }
    if (!reason.isEmpty()) {
        tasks.clear();
        m_stamp = stampOfPath(m_fileName);
        m_state = State::Unreadable;
        return fail(tr("Cannot read file %1:\n%2").arg(displayName(), reason));
    }

    TaskListCodec::Decoded decoded = TaskListCodec::decode(bytes);
    tasks = std::move(decoded.tasks);
    m_stamp = stamp;
    if (!decoded.valid) {
        m_state = State::NotText;
        return fail(notTextMessage());
    }
    m_state = State::Readable;
    return succeed();
}

bool TaskListFile::write(QStringList &tasks)
{
    const QFileInfo target(writablePath());
    if (target.isSymLink())
        return fail(cannotWrite(qt_error_string(ELOOP)));
    if (target.exists() && !target.isWritable())
        return fail(cannotWrite(qt_error_string(EACCES)));

    // A hidden name in the same folder: never listed as a sprint, never
    // loaded, and on the same file system so that the rename is atomic.
    QTemporaryFile temp(target.absolutePath() + QLatin1String("/.") + target.fileName()
                        + QLatin1String(".XXXXXX"));
    if (!temp.open())
        return fail(cannotWrite(temp.errorString()));
    temp.setPermissions(target.exists() ? target.permissions()
                                        : QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                              | QFileDevice::ReadGroup | QFileDevice::ReadOther);

    // QByteArray::size counts every byte, a NUL in a task too.
    bool loadsBack = true;
    const QByteArray bytes = TaskListCodec::encode(tasks, &loadsBack);
    // Straight to the handle: a disk that fills part way through makes a
    // short write, and only errno then says why.
    if (!writeAll(temp.handle(), bytes) || ::fsync(temp.handle()) != 0)
        return fail(cannotWrite(qt_error_string(errno)));
    if (std::rename(QFile::encodeName(temp.fileName()).constData(),
                    QFile::encodeName(target.absoluteFilePath()).constData()) != 0)
        return fail(cannotWrite(qt_error_string(errno)));
    temp.setAutoRemove(false);

    // The handle still reaches the renamed file, whose change time the rename set.
    m_stamp = stampOfHandle(temp.handle());
    m_state = State::Readable;
    // Keep the list exactly what loading the file gives, e.g. a task typed
    // over several lines becomes one task per line.
    if (!loadsBack)
        tasks = TaskListCodec::decode(bytes).tasks;
    return true;
}

bool TaskListFile::writeAll(int handle, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qint64 left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(handle, data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            if (written == 0)
                errno = ENOSPC;
            return false;
        }
        data += written;
        left -= written;
    }
    return true;
}

QString TaskListFile::writablePath() const
{
    // A symbolic link keeps pointing where it did; the file it points to
    // receives the new content.
    QString path = m_fileName;
    for (int depth = 0; depth < MaxLinkDepth; ++depth) {
        const QFileInfo info(path);
        if (!info.isSymLink())
            break;
        path = info.symLinkTarget();
    }
    return path;
}

QString TaskListFile::lockFilePath() const
{
    const QFileInfo target(writablePath());
    return target.absolutePath() + QLatin1String("/.") + target.fileName() + QLatin1String(".lock");
}

QString TaskListFile::displayName() const
{
    return QFileInfo(m_fileName).absoluteFilePath();
}

QString TaskListFile::cannotWrite(const QString &reason) const
{
    return tr("Cannot write file %1:\n%2").arg(displayName(), reason);
}

QString TaskListFile::notTextMessage() const
{
    return tr("File %1 is not valid UTF-8 text.\nIts tasks are shown as read, and no change is saved over them.")
        .arg(displayName());
}

QString TaskListFile::removedMessage() const
{
    return tr("File %1 was removed by another program.\nThe list is empty now; the next change starts a new file.")
        .arg(displayName());
}

bool TaskListFile::fail(const QString &message)
{
    m_error = message;
    return false;
}

bool TaskListFile::succeed()
{
    m_error.clear();
    return true;
}
