// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appendjournal.h"

#include "safewrite.h"
#include "sidefile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Reads the note's two sizes; false for a note cut short by a kill before
// the append began.
bool readNote(int handle, qint64 *before, qint64 *after)
{
    char text[64];
    const ssize_t got = ::read(handle, text, sizeof text - 1);
    if (got <= 0)
        return false;
    const QList<QByteArray> fields = QByteArray(text, int(got)).split(' ');
    if (fields.size() != 2 || !fields.at(1).endsWith('\n'))
        return false;
    bool ok = false;
    bool ok2 = false;
    *before = fields.at(0).toLongLong(&ok);
    *after = fields.at(1).trimmed().toLongLong(&ok2);
    return ok && ok2 && *before >= 0 && *after > *before;
}

} // namespace

AppendJournal::AppendJournal(const QString &path)
    : m_path(path)
{
}

bool AppendJournal::append(const QByteArray &bytes, qint64 sizeBefore)
{
    m_stale = false;
    m_sizeBefore = sizeBefore;
    const QString note = notePath(m_path);
    QString reason;
    const int handle = SideFile::open(note, O_WRONLY | O_CREAT | O_TRUNC, &reason);
    if (handle < 0)
        return fail(reason);
    const QByteArray sizes = QByteArray::number(sizeBefore) + ' ' + QByteArray::number(sizeBefore + bytes.size()) + '\n';
    const bool noted = SafeWrite::writeAll(handle, sizes) && ::fsync(handle) == 0;
    const int error = errno;
    ::close(handle);
    if (!noted) {
        QFile::remove(note);
        return fail(qt_error_string(error));
    }
    SafeWrite file(m_path);
    const bool appended = file.append(bytes, sizeBefore);
    // An append that failed took back what it wrote: nothing is left to
    // finish.
    QFile::remove(note);
    m_stale = file.wasStale();
    return appended || fail(file.errorString());
}

bool AppendJournal::takeBack()
{
    SafeWrite file(m_path);
    return file.truncate(m_sizeBefore) || fail(file.errorString());
}

bool AppendJournal::isPending(const QString &path)
{
    struct stat entry;
    return ::lstat(QFile::encodeName(notePath(path)).constData(), &entry) == 0;
}

bool AppendJournal::recover()
{
    const QString note = notePath(m_path);
    QString reason;
    const int handle = SideFile::open(note, O_RDONLY, &reason);
    qint64 before = -1;
    qint64 after = -1;
    const bool noted = handle >= 0 && readNote(handle, &before, &after);
    if (handle >= 0)
        ::close(handle);
    struct stat list;
    // Cut short between its size before and after: the start of the tasks
    // it was adding. At any other size it finished, or someone else has
    // changed the list since, and it is left as it is.
    if (noted && ::stat(QFile::encodeName(m_path).constData(), &list) == 0 && list.st_size > before
        && list.st_size < after) {
        m_sizeBefore = before;
        if (!takeBack())
            return false;
    }
    // Whatever stands at the note's name is no note of ours to keep.
    ::unlink(QFile::encodeName(note).constData());
    return true;
}

QString AppendJournal::notePath(const QString &path)
{
    const QFileInfo list(path);
    return list.absolutePath() + QLatin1String("/.") + list.fileName() + QLatin1String(".append");
}

bool AppendJournal::fail(const QString &reason)
{
    m_error = reason;
    return false;
}
