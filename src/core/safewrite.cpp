// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "safewrite.h"

#include "sidefile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMutex>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSet>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Straight to the handle: a disk that fills part way through makes a short
// write, and only errno then says why.
bool SafeWrite::writeAll(int handle, const QByteArray &bytes)
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

namespace {

// Claims path for one look through its folder in this process: true only
// the first time.
bool claimSweep(const QString &path)
{
    static QMutex mutex;
    static QSet<QString> swept;
    const QMutexLocker locker(&mutex);
    if (swept.contains(path))
        return false;
    swept.insert(path);
    return true;
}

} // namespace

SafeWrite::SafeWrite(const QString &path)
    : m_path(path)
{
}

bool SafeWrite::replace(const QByteArray &bytes)
{
    m_stamp = FileStamp();
    clearStaleTemporaries();
    QString temporary;
    const int handle = createTemporary(&temporary);
    if (handle < 0) {
        const int error = errno;
        const QString refusal = folderRefusal(QFileInfo(m_path).absolutePath());
        if (refusal.isEmpty())
            return fail(error);
        m_error = refusal;
        return false;
    }
    const QByteArray target = QFile::encodeName(m_path);
    const QByteArray temporaryPath = QFile::encodeName(temporary);

    // The new file takes the place of the old one in every respect the
    // user can see: its mode and, where allowed, its owner and group, so
    // that a change made as root does not lock the file's owner out. A new
    // file keeps the mode that open() gave it under the umask.
    struct stat old;
    if (::stat(target.constData(), &old) == 0) {
        if (::fchown(handle, old.st_uid, old.st_gid) != 0)
            (void)::fchown(handle, uid_t(-1), old.st_gid);
        ::fchmod(handle, old.st_mode & 07777);
    }

    // The folder is not synced after the rename: a rename lost to a power
    // cut leaves the old content whole, which is all this promises, and a
    // sync of the folder would double the cost of every change.
    if (!writeAll(handle, bytes) || ::fsync(handle) != 0
        || std::rename(temporaryPath.constData(), target.constData()) != 0) {
        const int error = errno;
        ::unlink(temporaryPath.constData());
        ::close(handle);
        return fail(error);
    }
    // The handle still reaches the renamed file, whose change time the rename set.
    m_stamp = FileStamp::ofHandle(handle);
    ::close(handle);
    m_error.clear();
    return true;
}

bool SafeWrite::append(const QByteArray &bytes, qint64 expectedSize)
{
    m_stale = false;
    // A killed writer's temporaries are cleared here too, for a file that
    // only ever has tasks appended.
    clearStaleTemporaries();
    // One write in append mode: a kill leaves the addition whole or cut
    // short, never mixed into what was there. What a full disk takes only
    // in part is taken back out, so that the file keeps what it held.
    const int handle = SideFile::open(m_path, O_WRONLY | O_CREAT | O_APPEND, &m_error);
    if (handle < 0)
        return false;
    struct stat before;
    const bool known = ::fstat(handle, &before) == 0;
    if (known && expectedSize >= 0 && before.st_size != expectedSize) {
        ::close(handle);
        m_stale = true;
        m_error = tr("Another program changed it meanwhile.");
        return false;
    }
    if (!known || !writeAll(handle, bytes) || ::fsync(handle) != 0) {
        const int error = errno;
        if (known && ::ftruncate(handle, before.st_size) == 0)
            ::fsync(handle);
        ::close(handle);
        return fail(error);
    }
    ::close(handle);
    m_error.clear();
    return true;
}

bool SafeWrite::truncate(qint64 size)
{
    const int handle = SideFile::open(m_path, O_WRONLY, &m_error);
    if (handle < 0)
        return false;
    if (::ftruncate(handle, size) != 0 || ::fsync(handle) != 0) {
        const int error = errno;
        ::close(handle);
        return fail(error);
    }
    ::close(handle);
    m_error.clear();
    return true;
}

int SafeWrite::createTemporary(QString *name) const
{
    static const QString letters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789");
    const QFileInfo target(m_path);
    for (int attempt = 0; attempt < 100; ++attempt) {
        QString random(RandomSize, Qt::Uninitialized);
        for (QChar &c : random)
            c = letters.at(int(QRandomGenerator::global()->bounded(quint32(letters.size()))));
        *name = target.absolutePath() + QLatin1Char('/') + temporaryName(target.fileName(), random);
        const int handle = ::open(QFile::encodeName(*name).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (handle >= 0 || errno != EEXIST)
            return handle;
    }
    return -1;
}

QString SafeWrite::temporaryName(const QString &fileName, const QString &random)
{
    return QLatin1Char('.') + fileName + QLatin1Char('.') + random + QLatin1String(".tmp");
}

void SafeWrite::clearStaleTemporaries() const
{
    // Only a writer that holds the file's lock makes a temporary, and the
    // caller holds it now: any temporary of this file belongs to a writer
    // that was killed or crashed, and would otherwise stay for good. One
    // look per file and process finds them, where a look at every change
    // would cost a change in a folder of thousands of sprints many times
    // the write itself.
    const QFileInfo target(m_path);
    if (!claimSweep(target.absoluteFilePath()))
        return;
    const QString fileName = target.fileName();
    // The pattern fixes the start and the end, the rest the random part.
    static const QRegularExpression random(QStringLiteral("^[A-Za-z0-9]{%1}$").arg(RandomSize));
    const int randomAt = fileName.size() + 2;
    const int size = temporaryName(fileName, QString()).size() + RandomSize;
    QDir folder = target.absoluteDir();
    const QStringList candidates = folder.entryList({temporaryName(fileName, QStringLiteral("*"))},
                                                    QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QString &name : candidates) {
        if (name.size() == size && random.match(name.midRef(randomAt, RandomSize)).hasMatch())
            folder.remove(name);
    }
}

QString SafeWrite::folderRefusal(const QString &folder)
{
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0)
        return QString();
    return tr("The folder %1 is not writable (%2).").arg(folder, qt_error_string(errno));
}

bool SafeWrite::fail(int error)
{
    m_error = qt_error_string(error);
    return false;
}
