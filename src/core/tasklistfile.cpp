// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tasklistfile.h"

#include "appendjournal.h"
#include "conflictmarkers.h"
#include "deletedtasks.h"
#include "filelock.h"
#include "filestamp.h"
#include "heapreservation.h"
#include "safewrite.h"
#include "tasklist.h"
#include "tasklistbytes.h"
#include "tasklistcodec.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <limits>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Symbolic links are followed at most this deep, as the system does.
constexpr int MaxLinkDepth = 40;

// Room read with a list for what a command adds, so that adding to a long
// list does not move all of it.
constexpr int AppendRoom = 64 * 1024;

// How often a change whose append found the list changed by a writer that
// takes no lock is made again on what the list holds then.
constexpr int StaleRetries = 3;

} // namespace

// What a change has read and is making, between its admission and its
// write: the tasks as the caller keeps them, or as read for this change
// alone, in bytes where they encode the list exactly.
class TaskListFile::Pending
{
public:
    void edit(QStringList *tasks)
    {
        before = *tasks;
        list = std::make_unique<TaskList>(tasks);
    }
    void editDecoded(QStringList tasks)
    {
        decoded = std::move(tasks);
        edit(&decoded);
    }
    void editBytes(const QByteArray &read)
    {
        if (keepsOriginal)
            original = read;
        bytes = TaskListBytes(read);
        sizeBefore = read.size();
        list = std::make_unique<TaskList>(&bytes);
    }
    // Whether the tasks are changed in the bytes read.
    bool inBytes() const { return list->isBytes(); }

    std::unique_ptr<TaskList> list;
    QStringList before;
    QStringList decoded;
    TaskListBytes bytes;
    qint64 sizeBefore = 0;
    // The bytes as read, for a change that may have to be taken back.
    bool keepsOriginal = false;
    QByteArray original;
    // Set once appended, so that a transfer can take it back.
    bool appended = false;
    bool stale = false;
};

TaskListFile::TaskListFile(const QString &fileName, Keeping keeping)
    : m_fileName(fileName)
    , m_keeping(keeping)
{
}

bool TaskListFile::load(QStringList &tasks, bool create)
{
    tasks.clear();
    finishAppendUnlocked();
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
    if (FileStamp::of(m_fileName) != m_stamp)
        finishAppendUnlocked();
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

bool TaskListFile::change(QStringList &tasks, const Edit &edit, Rules rules)
{
    const FileLock lock(lockFilePath());
    if (!checkLock(lock))
        return false;
    for (int attempt = 0;; ++attempt) {
        Pending pending;
        if (!prepare(pending, tasks, rules))
            return false;
        const auto keepBefore = [&] { return restore(pending, tasks); };
        switch (edit(*pending.list)) {
        case Outcome::Unchanged:
            return succeed();
        case Outcome::NotFound:
            return keepBefore() || refuse(Refusal::NotFound);
        case Outcome::Held:
            return keepBefore() || refuse(Refusal::Held);
        case Outcome::Changed:
            break;
        }
        if (!pending.list->isChanged())
            return succeed();
        if (!allowsResult(pending, rules))
            return keepBefore();
        // The history first, and only for a change that is made: taken
        // back out when the change cannot be written.
        DeletedTasks history;
        if ((rules & KeepsDeleted) && !keepDeleted(history, pending.list->gone()))
            return keepBefore();
        if (commit(pending, tasks))
            return succeed();
        history.takeBack();
        keepBefore();
        if (!pending.stale || attempt == StaleRetries)
            return false;
    }
}

bool TaskListFile::transfer(TaskListFile &from, QStringList &fromTasks, TaskListFile &to, QStringList &toTasks,
                            const PairEdit &edit, bool mayCreate)
{
    const bool done = transferLocked(from, fromTasks, to, toTasks, edit, mayCreate);
    // Both tell what became of it.
    if (!from.m_result.isRefusedByList() && to.m_result.isRefusedByList())
        from.m_result = to.m_result;
    to.m_result = from.m_result;
    return done;
}

bool TaskListFile::transferLocked(TaskListFile &from, QStringList &fromTasks, TaskListFile &to,
                                  QStringList &toTasks, const PairEdit &edit, bool mayCreate)
{
    from.m_result = ChangeResult();
    to.m_result = ChangeResult();
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
    const Rules rules = mayCreate ? Rules(MayCreate) : Rules(NoRule);

    for (int attempt = 0;; ++attempt) {
        Pending source;
        Pending target;
        target.keepsOriginal = true;
        if (!from.prepare(source, fromTasks, rules))
            return false;
        if (!to.prepare(target, toTasks, rules)) {
            from.m_result = to.m_result;
            return false;
        }
        switch (edit(*source.list, *target.list)) {
        case Outcome::Unchanged:
            return from.succeed();
        case Outcome::NotFound:
        case Outcome::Held:
            from.restore(source, fromTasks);
            to.restore(target, toTasks);
            return from.refuse(Refusal::NotFound);
        case Outcome::Changed:
            break;
        }
        const bool fromChanged = source.list->isChanged();
        const bool toChanged = target.list->isChanged();
        if (!from.allowsResult(source, rules) || !to.allowsResult(target, rules)) {
            if (from.m_result.isDone())
                from.m_result = to.m_result;
            from.restore(source, fromTasks);
            to.restore(target, toTasks);
            return false;
        }

        // The target first: a crash in between leaves a task in both lists,
        // never in neither.
        if (toChanged && !to.commit(target, toTasks)) {
            to.restore(target, toTasks);
            from.restore(source, fromTasks);
            from.m_result = to.m_result;
            if (target.stale && attempt < StaleRetries)
                continue;
            return false;
        }
        if (!fromChanged || from.commit(source, fromTasks))
            return from.succeed() && to.succeed();

        from.restore(source, fromTasks);
        const ChangeResult failed = from.m_result;
        if (!toChanged)
            return false;
        if (to.takeBack(target, toTasks, target.before)) {
            from.m_result = failed;
            if (source.stale && attempt < StaleRetries)
                continue;
            return false;
        }
        // Both files hold the tasks now: say so, rather than leave the user
        // to find out.
        return from.fail(tr("The tasks are now in both %1 and %2.\n%3\nTaking them back out of %2 failed too:\n%4")
                             .arg(from.displayName(), to.displayName(), failed.message, to.errorString()));
    }
}

bool TaskListFile::rewrite(QStringList &tasks)
{
    return change(tasks, [](TaskList &list) {
        // Handed out whole, the list is written whatever it holds.
        list.strings();
        return Outcome::Changed;
    });
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

bool TaskListFile::prepare(Pending &pending, QStringList &tasks, Rules rules)
{
    m_result = ChangeResult();
    if (!finishAppend())
        return false;
    if (m_keeping == Keeping::Nothing) {
        if (!readForChange(pending, rules & MayCreate))
            return false;
    } else {
        if (!syncForChange(tasks, rules & MayCreate))
            return false;
        pending.edit(&tasks);
    }
    return admit(rules, m_keeping == Keeping::Nothing ? pending.decoded : tasks);
}

bool TaskListFile::readForChange(Pending &pending, bool mayCreate)
{
    forget();
    const FileStamp now = FileStamp::of(m_fileName);
    if (!now.exists()) {
        m_stamp = now;
        m_state = State::Readable;
        if (!mayCreate)
            return refuse(Refusal::Missing);
        pending.editBytes(QByteArray(""));
        return true;
    }
    QByteArray bytes;
    QString reason;
    if (!readBytes(&bytes, &m_stamp, &reason, AppendRoom)) {
        m_state = State::Unreadable;
        return fail(tr("Cannot read file %1:\n%2").arg(displayName(), reason), ChangeResult::Refused);
    }
    m_encoding = "UTF-8";
    m_byteOrderMark = false;
    m_state = State::Readable;
    // Markers of a merge conflict are looked for in the tasks.
    if (TaskListBytes::isExact(bytes) && !ConflictMarkers::mayHold(bytes)) {
        pending.editBytes(bytes);
        return true;
    }
    TaskListCodec::Decoded decoded = TaskListCodec::decode(bytes);
    m_encoding = decoded.encoding;
    m_byteOrderMark = decoded.byteOrderMark;
    m_state = !decoded.valid ? State::NotText : stateOf(decoded.tasks, bytes);
    pending.editDecoded(std::move(decoded.tasks));
    return true;
}

bool TaskListFile::restore(const Pending &pending, QStringList &tasks) const
{
    if (m_keeping == Keeping::List)
        tasks = pending.before;
    return false;
}

bool TaskListFile::admit(Rules rules, const QStringList &tasks)
{
    switch (m_state) {
    case State::Unreadable:
        return false;
    case State::NotText:
        return fail(notTextMessage(), ChangeResult::Refused);
    case State::Conflicted:
        if (!(rules & ResolvesConflict))
            return fail(conflictedMessage(tasks), ChangeResult::Refused);
        break;
    case State::Readable:
        break;
    }
    // A chain of links longer than the system follows leads nowhere.
    const QString target = writablePath();
    if (QFileInfo(target).isSymLink())
        return fail(cannotWrite(qt_error_string(ELOOP)), ChangeResult::Refused);
    if (FileStamp::of(target).exists()) {
        if (::access(QFile::encodeName(target).constData(), W_OK) != 0)
            return fail(cannotWrite(qt_error_string(errno)), ChangeResult::Refused);
        return true;
    }
    const QString refusal = folderRefusal();
    return refusal.isEmpty() || fail(cannotWrite(refusal), ChangeResult::Refused);
}

bool TaskListFile::syncForChange(QStringList &tasks, bool mayCreate)
{
    switch (catchUp(tasks)) {
    case Freshness::Unchanged:
        // A file still missing as last seen: the change starts a new one,
        // where it may.
        return m_stamp.exists() || mayCreate ? succeed() : refuse(Refusal::Missing);
    case Freshness::Removed:
        // Gone since the list was shown: refuse to recreate it from a list
        // the user has not seen.
        m_result.status = ChangeResult::Missing;
        return false;
    case Freshness::Reread:
        break;
    }
    // A file that cannot be read, or is not text, is refused by admit().
    return m_state != State::Unreadable;
}

bool TaskListFile::read(QStringList &tasks)
{
    QByteArray bytes;
    FileStamp stamp;
    QString reason;
    // Room for the bytes and for the tasks made of them (see decode()),
    // reckoning with some thirty bytes a task; held until they are made.
    std::unique_ptr<HeapReservation> room;
    if (!readBytes(&bytes, &stamp, &reason, 0, &room)) {
        tasks.clear();
        forget();
        m_stamp = FileStamp::of(m_fileName);
        m_state = State::Unreadable;
        return fail(tr("Cannot read file %1:\n%2").arg(displayName(), reason), ChangeResult::Refused);
    }

    TaskListCodec::Decoded decoded = TaskListCodec::decode(bytes);
    tasks = std::move(decoded.tasks);
    remember(tasks, bytes, decoded.exact);
    m_stamp = stamp;
    m_encoding = decoded.encoding;
    m_byteOrderMark = decoded.byteOrderMark;
    if (!decoded.valid) {
        m_state = State::NotText;
        return fail(notTextMessage(), ChangeResult::Refused);
    }
    m_state = stateOf(tasks, bytes);
    return m_state == State::Conflicted ? fail(conflictedMessage(tasks), ChangeResult::Refused) : succeed();
}

bool TaskListFile::readBytes(QByteArray *bytes, FileStamp *stamp, QString *reason, int room,
                             std::unique_ptr<HeapReservation> *heap) const
{
    // Without blocking: opening a named pipe would wait for a writer, and a
    // device would read forever. Only a regular file holds a list.
    const int handle = ::open(QFile::encodeName(m_fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (handle < 0) {
        *reason = qt_error_string(errno);
        return false;
    }
    struct stat entry;
    bool read = false;
    if (::fstat(handle, &entry) != 0) {
        *reason = qt_error_string(errno);
    } else if (S_ISDIR(entry.st_mode)) {
        *reason = tr("It is a directory.");
    } else if (!S_ISREG(entry.st_mode)) {
        *reason = tr("It is not a regular file.");
    } else {
        *stamp = FileStamp::ofHandle(handle);
        if (heap)
            *heap = std::make_unique<HeapReservation>(5 * stamp->size());
        read = readAll(handle, stamp->size() + room, bytes);
        if (!read)
            *reason = qt_error_string(errno);
    }
    ::close(handle);
    return read;
}

bool TaskListFile::write(QStringList &tasks)
{
    const QFileInfo target(writablePath());

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
        bytes = inOwnEncoding(TaskListCodec::encode(tasks, &loadsBack));
        // Bytes in another encoding are never spliced: they are read back.
        loadsBack = loadsBack && m_encoding == "UTF-8" && !m_byteOrderMark;
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

bool TaskListFile::commit(Pending &pending, QStringList &tasks)
{
    pending.stale = false;
    if (!pending.inBytes()) {
        bool appended = false;
        if (appendKept(pending, tasks, &appended))
            return appended;
        // For a caller that keeps the list, the strings are tasks itself.
        const bool written = write(pending.list->strings());
        if (m_keeping == Keeping::Nothing)
            tasks.clear();
        return written;
    }
    pending.bytes.normalise();
    const QByteArray &bytes = pending.bytes.bytes();
    const QString target = QFileInfo(writablePath()).absoluteFilePath();
    if (pending.list->onlyAppended()) {
        // Only empty tasks added at the end: the format holds none, and the
        // file holds the list already.
        if (bytes.size() <= pending.sizeBefore)
            return true;
        AppendJournal journal(target);
        pending.appended = journal.append(bytes.mid(int(pending.sizeBefore)), pending.sizeBefore);
        pending.stale = journal.wasStale();
        return pending.appended || fail(cannotWrite(journal.errorString()));
    }
    SafeWrite file(target);
    return file.replace(bytes) || fail(cannotWrite(file.errorString()));
}

bool TaskListFile::appendKept(Pending &pending, QStringList &tasks, bool *appended)
{
    // Tasks only added after the last of a list whose bytes are known, as
    // the program writes lists: those alone are appended, as a command's
    // are, and the tasks the file held are not written again.
    if (m_keeping != Keeping::List || !m_haveBytes || !pending.list->onlyAppended()
        || tasks.size() <= m_written.size())
        return false;
    bool loadsBack = false;
    const QByteArray added = TaskListCodec::encode(tasks.mid(m_written.size()), &loadsBack);
    // A marker of a merge conflict changes how the whole list reads.
    if (!loadsBack || added.isEmpty() || ConflictMarkers::mayHold(added))
        return false;
    const QFileInfo target(writablePath());
    const QByteArray tail = m_bytes.isEmpty() ? added : '\n' + added;
    AppendJournal journal(target.absoluteFilePath());
    pending.sizeBefore = m_bytes.size();
    pending.appended = journal.append(tail, pending.sizeBefore);
    pending.stale = journal.wasStale();
    if (!pending.appended) {
        forget();
        *appended = fail(cannotWrite(journal.errorString()));
        return true;
    }
    m_bytes.append(tail);
    m_written = tasks;
    m_stamp = FileStamp::of(target.absoluteFilePath());
    *appended = true;
    return true;
}

bool TaskListFile::takeBack(Pending &pending, QStringList &tasks, const QStringList &before)
{
    SafeWrite file(QFileInfo(writablePath()).absoluteFilePath());
    // An append is cut off again, which a full disk allows where a rewrite
    // may not fit; a list kept here is read again at the next look.
    if (pending.appended) {
        if (m_keeping == Keeping::List) {
            forget();
            m_stamp = FileStamp();
            tasks = before;
        }
        return file.truncate(pending.sizeBefore) || fail(cannotWrite(file.errorString()));
    }
    if (pending.inBytes())
        return file.replace(pending.original) || fail(cannotWrite(file.errorString()));
    QStringList restored = before;
    if (!write(restored))
        return false;
    if (m_keeping == Keeping::List)
        tasks = restored;
    return true;
}

bool TaskListFile::keepDeleted(DeletedTasks &history, const QStringList &gone)
{
    if (gone.isEmpty() || history.append(m_fileName, gone))
        return true;
    return fail(history.errorString() + tr("\nNothing was changed."));
}

QByteArray TaskListFile::inOwnEncoding(const QByteArray &bytes) const
{
    return TaskListCodec::inEncoding(bytes, m_encoding, m_byteOrderMark);
}

bool TaskListFile::finishAppend()
{
    const QString target = QFileInfo(writablePath()).absoluteFilePath();
    if (!AppendJournal::isPending(target))
        return true;
    AppendJournal journal(target);
    return journal.recover() || fail(cannotWrite(journal.errorString()));
}

void TaskListFile::finishAppendUnlocked()
{
    if (!AppendJournal::isPending(QFileInfo(writablePath()).absoluteFilePath()))
        return;
    // The lock waits for an append still under way to end.
    const FileLock lock(lockFilePath());
    if (lock.isLocked())
        finishAppend();
}

TaskListFile::Refusal TaskListFile::refusal() const
{
    switch (m_result.status) {
    case ChangeResult::NotFound:
        return Refusal::NotFound;
    case ChangeResult::Held:
        return Refusal::Held;
    case ChangeResult::Missing:
        return Refusal::Missing;
    default:
        return Refusal::None;
    }
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

bool TaskListFile::allowsResult(Pending &pending, Rules rules)
{
    // Bytes changed in place hold no markers: such lists are decoded.
    if (m_state != State::Conflicted || !(rules & ResolvesConflict) || pending.inBytes())
        return true;
    const QStringList &tasks = pending.list->strings();
    return ConflictMarkers::firstBlock(tasks) < 0 || fail(conflictedMessage(tasks), ChangeResult::Refused);
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
    switch (refusal) {
    case Refusal::NotFound:
        return fail(notFoundMessage(), ChangeResult::NotFound);
    case Refusal::Held:
        return fail(heldMessage(), ChangeResult::Held);
    case Refusal::Missing:
        return fail(missingMessage(), ChangeResult::Missing);
    case Refusal::None:
        break;
    }
    return false;
}

QString TaskListFile::folderRefusal() const
{
    return SafeWrite::folderRefusal(QFileInfo(writablePath()).absolutePath());
}

bool TaskListFile::fail(const QString &message, ChangeResult::Status status)
{
    m_result = ChangeResult{status, message};
    return false;
}

bool TaskListFile::succeed()
{
    m_result = ChangeResult();
    return true;
}
