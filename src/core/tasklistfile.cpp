#include "tasklistfile.h"

#include "conflictmarkers.h"
#include "filelock.h"
#include "filestamp.h"
#include "heapreservation.h"
#include "safewrite.h"
#include "tasklistcodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <limits>
#include <memory>
#include <unistd.h>

namespace {

// Symbolic links are followed at most this deep, as the system does.
constexpr int MaxLinkDepth = 40;


} // namespace

TaskListFile::TaskListFile(const QString &fileName)
    : m_fileName(fileName)
{
}

bool TaskListFile::load(QStringList &tasks, bool create)
{
    tasks.clear();
    if (QFile::exists(m_fileName))
        return read(tasks);
    if (!create)
        return succeed();
    if (!this->create())
        return QFile::exists(m_fileName) ? read(tasks) : false;
    remember(tasks, QByteArray(""), true);
    return true;
}

bool TaskListFile::ensureExists()
{
    if (QFile::exists(m_fileName))
        return succeed();
    // A file that another store created meanwhile is there all the same.
    return create() || QFile::exists(m_fileName) ? succeed() : false;
}

bool TaskListFile::create()
{
    // A symbolic link to a missing file keeps pointing there: the file it
    // points to is created. NewOnly: a file that another store created
    // meanwhile is read, not truncated.
    const QString path = writablePath();
    if (QFileInfo(path).isSymLink())
        return fail(tr("Cannot create file %1:\n%2").arg(displayName(), qt_error_string(ELOOP)));
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
        m_stamp = FileStamp::ofHandle(file.handle());
        m_state = State::Readable;
        return succeed();
    }
    if (QFile::exists(m_fileName))
        return false;
    m_stamp = FileStamp();
    const QString refusal = folderRefusal();
    return fail(tr("Cannot create file %1:\n%2").arg(displayName(), refusal.isEmpty() ? file.errorString() : refusal));
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

bool TaskListFile::change(QStringList &tasks, const Edit &edit, bool mayCreate)
{
    m_refusal = Refusal::None;
    const FileLock lock(lockFilePath());
    if (!checkLock(lock))
        return false;
    if (!syncForChange(tasks, mayCreate))
        return false;
    const QStringList before = tasks;
    switch (edit(tasks)) {
    case Outcome::Unchanged:
        return succeed();
    case Outcome::NotFound:
        tasks = before;
        return refuse(Refusal::NotFound);
    case Outcome::Held:
        tasks = before;
        return refuse(Refusal::Held);
    case Outcome::Changed:
        break;
    }
    if (!allowsResult(tasks)) {
        tasks = before;
        return false;
    }
    if (write(tasks))
        return succeed();
    // The file still holds the list from before the edit: show that, so
    // that the list shows nothing that was not saved.
    tasks = before;
    return false;
}

bool TaskListFile::transfer(TaskListFile &from, QStringList &fromTasks, TaskListFile &to, QStringList &toTasks,
                            const PairEdit &edit, bool mayCreate)
{
    to.m_refusal = Refusal::None;
    const bool done = transferLocked(from, fromTasks, to, toTasks, edit, mayCreate);
    if (to.m_refusal != Refusal::None)
        from.m_refusal = to.m_refusal;
    to.m_error = from.m_error;
    to.m_refusal = from.m_refusal;
    return done;
}

bool TaskListFile::transferLocked(TaskListFile &from, QStringList &fromTasks, TaskListFile &to,
                                  QStringList &toTasks, const PairEdit &edit, bool mayCreate)
{
    from.m_refusal = Refusal::None;
    const QString fromLock = from.lockFilePath();
    const QString toLock = to.lockFilePath();
    if (fromLock == toLock)
        return from.fail(tr("Cannot move tasks from %1 to %2:\nBoth names lead to the same file.")
                             .arg(from.displayName(), to.displayName()));

    // Always in the same order, so that two transfers in opposite
    // directions never each hold one lock and wait for the other.
    const bool fromFirst = fromLock < toLock;
    TaskListFile &first = fromFirst ? from : to;
    TaskListFile &second = fromFirst ? to : from;
    const FileLock firstLock(first.lockFilePath());
    if (!first.checkLock(firstLock))
        return from.fail(first.errorString());
    const FileLock secondLock(second.lockFilePath());
    if (!second.checkLock(secondLock))
        return from.fail(second.errorString());
    if (!from.syncForChange(fromTasks, mayCreate))
        return false;
    if (!to.syncForChange(toTasks, mayCreate))
        return from.fail(to.errorString());

    const QStringList fromBefore = fromTasks;
    const QStringList toBefore = toTasks;
    switch (edit(fromTasks, toTasks)) {
    case Outcome::Unchanged:
        return from.succeed();
    case Outcome::NotFound:
    case Outcome::Held:
        fromTasks = fromBefore;
        toTasks = toBefore;
        return from.refuse(Refusal::NotFound);
    case Outcome::Changed:
        break;
    }
    if (!from.allowsResult(fromTasks) || !to.allowsResult(toTasks)) {
        if (from.m_error.isEmpty())
            from.m_error = to.m_error;
        fromTasks = fromBefore;
        toTasks = toBefore;
        return false;
    }

    // An edit that left the target alone left it shared with the copy.
    const bool toChanged = !toTasks.isSharedWith(toBefore);
    if (toChanged && !to.write(toTasks)) {
        toTasks = toBefore;
        fromTasks = fromBefore;
        return from.fail(to.errorString());
    }
    if (from.write(fromTasks))
        return from.succeed() && to.succeed();

    fromTasks = fromBefore;
    const QString reason = from.errorString();
    if (!toChanged)
        return false;
    QStringList restored = toBefore;
    if (to.write(restored)) {
        toTasks = restored;
        return from.fail(reason);
    }
    // Both files hold the tasks now: say so, rather than leave the user to
    // find out.
    return from.fail(tr("The tasks are now in both %1 and %2.\n%3\nTaking them back out of %2 failed too:\n%4")
                         .arg(from.displayName(), to.displayName(), reason, to.errorString()));
}

bool TaskListFile::rewrite(QStringList &tasks)
{
    return change(tasks, [](QStringList &) { return Outcome::Changed; });
}

bool TaskListFile::checkLock(const FileLock &lock)
{
    if (lock.isLocked())
        return true;
    const QString refusal = folderRefusal();
    if (!refusal.isEmpty())
        return fail(tr("Cannot change file %1:\n%2").arg(displayName(), refusal));
    return fail(tr("Cannot lock file %1:\n%2").arg(displayName(), lock.errorString()));
}

TaskListFile::Freshness TaskListFile::catchUp(QStringList &tasks)
{
    const FileStamp now = FileStamp::of(m_fileName);
    if (now == m_stamp && m_state != State::Unreadable)
        return Freshness::Unchanged;
    if (!now.exists()) {
        if (!m_stamp.exists())
            return Freshness::Unchanged;  // still missing as last seen
        tasks.clear();
        forget();
        m_stamp = now;
        m_state = State::Readable;
        fail(removedMessage());
        return Freshness::Removed;
    }
    read(tasks);
    return Freshness::Reread;
}

bool TaskListFile::syncForChange(QStringList &tasks, bool mayCreate)
{
    switch (catchUp(tasks)) {
    case Freshness::Unchanged:
        if (m_state == State::NotText)
            return fail(notTextMessage());
        // A file still missing as last seen: the change starts a new one,
        // where it may.
        return m_stamp.exists() || mayCreate ? succeed() : refuse(Refusal::Missing);
    case Freshness::Removed:
        // Gone since the list was shown: refuse to recreate it from a list
        // the user has not seen.
        m_refusal = Refusal::Missing;
        return false;
    case Freshness::Reread:
        break;
    }
    return m_state == State::Readable || m_state == State::Conflicted;
}

bool TaskListFile::read(QStringList &tasks)
{
    QFile file(m_fileName);
    std::unique_ptr<HeapReservation> room;
    QByteArray bytes;
    FileStamp stamp;
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
        stamp = FileStamp::ofHandle(file.handle());
        // Room for the bytes and for the tasks made of them (see decode()),
        // reckoning with some thirty bytes a task; held until they are made.
        room = std::make_unique<HeapReservation>(5 * stamp.size());
        if (!readAll(file.handle(), stamp.size(), &bytes))
            reason = qt_error_string(errno);
    }
    if (!reason.isEmpty()) {
        tasks.clear();
        forget();
        m_stamp = FileStamp::of(m_fileName);
        m_state = State::Unreadable;
        return fail(tr("Cannot read file %1:\n%2").arg(displayName(), reason));
    }

    TaskListCodec::Decoded decoded = TaskListCodec::decode(bytes);
    tasks = std::move(decoded.tasks);
    remember(tasks, bytes, decoded.exact);
    m_stamp = stamp;
    m_encoding = decoded.encoding;
    if (!decoded.valid) {
        m_state = State::NotText;
        return fail(notTextMessage());
    }
    m_state = stateOf(tasks, bytes);
    return m_state == State::Conflicted ? fail(conflictedMessage(tasks)) : succeed();
}

bool TaskListFile::write(QStringList &tasks)
{
    const QFileInfo target(writablePath());
    if (target.isSymLink())
        return fail(cannotWrite(qt_error_string(ELOOP)));
    if (target.exists() && !target.isWritable())
        return fail(cannotWrite(qt_error_string(EACCES)));

    // Most changes touch a few tasks of a long list: those alone are
    // encoded into the bytes last read or written. QByteArray::size counts
    // every byte, a NUL in a task too.
    bool loadsBack = true;
    QByteArray bytes;
    if (m_haveBytes && TaskListCodec::reencode(m_bytes, m_written, tasks)) {
        // Until the file holds them, the remembered bytes are ahead of it.
        m_written = tasks;
        bytes = m_bytes;
    } else {
        forget();
        bytes = TaskListCodec::encode(tasks, &loadsBack);
    }
    SafeWrite file(target.absoluteFilePath());
    if (!file.replace(bytes)) {
        forget();
        return fail(cannotWrite(file.errorString()));
    }
    m_stamp = file.stamp();
    // Undoing the step that took a conflict's markers out puts them back.
    m_state = stateOf(tasks, bytes);
    if (loadsBack) {
        remember(tasks, bytes, true);
        return true;
    }
    // Keep the list exactly what loading the file gives, e.g. a task typed
    // over several lines becomes one task per line.
    TaskListCodec::Decoded decoded = TaskListCodec::decode(bytes);
    tasks = std::move(decoded.tasks);
    remember(tasks, bytes, decoded.exact);
    return true;
}

bool TaskListFile::readAll(int handle, qint64 sizeHint, QByteArray *bytes)
{
    // One buffer of the file's size, filled straight from the handle; one
    // byte more tells a file that grew meanwhile, which then reads on.
    qint64 capacity = qMax<qint64>(sizeHint, 0) + 1;
    if (capacity >= std::numeric_limits<int>::max()) {
        errno = EFBIG;
        return false;
    }
    QByteArray buffer(int(capacity), Qt::Uninitialized);
    HeapReservation::adviseHugePages(buffer.data(), capacity);
    qint64 used = 0;
    for (;;) {
        if (used == capacity) {
            capacity = qMin<qint64>(capacity * 2, std::numeric_limits<int>::max() - 1);
            if (used == capacity) {
                errno = EFBIG;
                return false;
            }
            buffer.resize(int(capacity));
        }
        const ssize_t got = ::read(handle, buffer.data() + used, size_t(capacity - used));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        used += got;
    }
    buffer.truncate(int(used));
    *bytes = std::move(buffer);
    return true;
}

void TaskListFile::remember(const QStringList &tasks, const QByteArray &bytes, bool exact)
{
    if (!exact) {
        forget();
        return;
    }
    m_written = tasks;
    m_bytes = bytes;
    m_haveBytes = true;
}

void TaskListFile::forget()
{
    m_written = QStringList();
    m_bytes = QByteArray();
    m_haveBytes = false;
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
    return tr("File %1 is not valid %2 text.\nIts tasks are shown as read, and no change is saved over them.")
        .arg(displayName(), QString::fromLatin1(m_encoding));
}

QString TaskListFile::conflictedMessage(const QStringList &tasks) const
{
    return tr("File %1 holds the markers of a merge conflict that git left, from line %2 on.\n"
              "It is shown as read, and no change is saved until \"Keep both sides\" takes them out.")
        .arg(displayName())
        .arg(ConflictMarkers::firstBlock(tasks) + 1);
}

bool TaskListFile::allowsResult(const QStringList &tasks)
{
    if (m_state != State::Conflicted || ConflictMarkers::firstBlock(tasks) < 0)
        return true;
    return fail(conflictedMessage(tasks));
}

TaskListFile::State TaskListFile::stateOf(const QStringList &tasks, const QByteArray &bytes)
{
    // The bytes are searched first: a pass over them is far cheaper than
    // one over the tasks.
    return ConflictMarkers::mayHold(bytes) && ConflictMarkers::firstBlock(tasks) >= 0 ? State::Conflicted
                                                                                     : State::Readable;
}

QString TaskListFile::removedMessage() const
{
    return tr("File %1 was removed by another program.\nThe list is empty now; the next change starts a new file.")
        .arg(displayName());
}

QString TaskListFile::notFoundMessage() const
{
    return tr("A task you chose is no longer in %1:\nanother window or program changed or removed it. Nothing was changed.")
        .arg(displayName());
}

QString TaskListFile::heldMessage() const
{
    return tr("%1 holds already every task this change would add:\nanother window or program put them there. Nothing was changed.")
        .arg(displayName());
}

QString TaskListFile::missingMessage() const
{
    return tr("File %1 is gone:\nanother window or program removed it. It is not made anew here. Nothing was changed.")
        .arg(displayName());
}

bool TaskListFile::refuse(Refusal refusal)
{
    m_refusal = refusal;
    switch (refusal) {
    case Refusal::NotFound:
        return fail(notFoundMessage());
    case Refusal::Held:
        return fail(heldMessage());
    case Refusal::Missing:
        return fail(missingMessage());
    case Refusal::None:
        break;
    }
    return false;
}

QString TaskListFile::folderRefusal() const
{
    return SafeWrite::folderRefusal(QFileInfo(writablePath()).absolutePath());
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
