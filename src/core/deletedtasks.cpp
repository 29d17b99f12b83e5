// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "deletedtasks.h"

#include "filelock.h"
#include "safewrite.h"
#include "sidefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSet>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace {

QByteArray serialise(const DeletedTasks::Entry &entry)
{
    const QByteArray text = entry.text.toUtf8();
    return entry.when.toUTC().toString(Qt::ISODate).toLatin1() + '\t' + QFile::encodeName(entry.list) + '\t'
        + QByteArray::number(text.size()) + '\t' + text + '\n';
}

// The entries in bytes, oldest first. An entry that does not end where its
// length says, as one cut short does, is passed over.
QVector<DeletedTasks::Entry> parse(const QByteArray &bytes)
{
    QVector<DeletedTasks::Entry> entries;
    int at = 0;
    while (at < bytes.size()) {
        const int timeEnd = bytes.indexOf('\t', at);
        const int listEnd = timeEnd < 0 ? -1 : bytes.indexOf('\t', timeEnd + 1);
        const int sizeEnd = listEnd < 0 ? -1 : bytes.indexOf('\t', listEnd + 1);
        bool sized = false;
        const int size = sizeEnd < 0 ? -1 : bytes.mid(listEnd + 1, sizeEnd - listEnd - 1).toInt(&sized);
        const qint64 end = qint64(sizeEnd) + 1 + size;
        if (sized && size >= 0 && end < bytes.size() && bytes.at(int(end)) == '\n') {
            DeletedTasks::Entry entry;
            entry.when = QDateTime::fromString(QString::fromLatin1(bytes.mid(at, timeEnd - at)), Qt::ISODate);
            entry.list = QFile::decodeName(bytes.mid(timeEnd + 1, listEnd - timeEnd - 1));
            entry.text = QString::fromUtf8(bytes.constData() + sizeEnd + 1, size);
            entries.append(entry);
            at = int(end) + 1;
            continue;
        }
        // Not an entry: go on after the next line feed.
        const int lineFeed = bytes.indexOf('\n', at);
        if (lineFeed < 0)
            break;
        at = lineFeed + 1;
    }
    return entries;
}

} // namespace

DeletedTasks::DeletedTasks(const QString &fileName)
    : m_fileName(fileName)
{
}

bool DeletedTasks::append(const QString &list, const QStringList &texts)
{
    m_appendedFrom = -1;
    const FileLock lock(lockPath());
    if (!lock.isLocked())
        return fail(lock.errorString());

    // A history that cannot be read cannot be added to either.
    const QByteArray before = readAll();
    if (!m_error.isEmpty())
        return false;
    QByteArray added;
    // A last entry cut short is closed, so that the next one starts a line.
    if (!before.isEmpty() && !before.endsWith('\n'))
        added.append('\n');
    const QDateTime now = QDateTime::currentDateTimeUtc();
    for (const QString &text : texts)
        added += serialise(Entry{now, list, text});
    // Trimmed a quarter past the limit, so that most appends stay appends.
    if (parse(before).size() + texts.size() > Limit + Limit / 4)
        return trim(before + added);

    // An entry cut short by a kill is passed over when read.
    SafeWrite file(m_fileName);
    if (!file.append(added, before.size()))
        return fail(file.errorString());
    m_appendedFrom = before.size();
    m_appendedTo = before.size() + added.size();
    m_error.clear();
    return true;
}

void DeletedTasks::takeBack()
{
    if (m_appendedFrom < 0)
        return;
    // Only while the entries are still the last: a later one stays.
    const FileLock lock(lockPath());
    if (lock.isLocked() && QFileInfo(m_fileName).size() == m_appendedTo)
        SafeWrite(m_fileName).truncate(m_appendedFrom);
    m_appendedFrom = -1;
}

QString DeletedTasks::lockPath() const
{
    const QFileInfo info(m_fileName);
    return info.absolutePath() + QLatin1String("/") + info.fileName() + QLatin1String(".lock");
}

QVector<DeletedTasks::Entry> DeletedTasks::entries() const
{
    return parse(readAll());
}

QStringList DeletedTasks::recent(const QString &list) const
{
    QStringList texts;
    for (const Entry &entry : recentEntries(list))
        texts.append(entry.text);
    return texts;
}

QVector<DeletedTasks::Entry> DeletedTasks::recentEntries(const QString &list) const
{
    const QVector<Entry> all = entries();
    QVector<Entry> recent;
    QSet<QString> seen;
    for (auto it = all.crbegin(); it != all.crend(); ++it) {
        if (it->list == list && !seen.contains(it->text)) {
            seen.insert(it->text);
            recent.append(*it);
        }
    }
    return recent;
}

QByteArray DeletedTasks::readAll() const
{
    // As every file beside the lists: not through a link, not a pipe.
    m_error.clear();
    QString reason;
    const int handle = SideFile::open(m_fileName, O_RDONLY, &reason);
    if (handle < 0) {
        if (errno != ENOENT)
            m_error = tr("Cannot read the deleted tasks in %1:\n%2").arg(QFileInfo(m_fileName).absoluteFilePath(), reason);
        return QByteArray();
    }
    QFile file;
    QByteArray bytes;
    if (file.open(handle, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        bytes = file.readAll();
    else
        ::close(handle);
    return bytes;
}

bool DeletedTasks::trim(const QByteArray &bytes)
{
    const QVector<Entry> all = parse(bytes);
    QByteArray kept;
    for (int i = qMax(0, all.size() - Limit); i < all.size(); ++i)
        kept += serialise(all.at(i));
    SafeWrite file(m_fileName);
    if (!file.replace(kept))
        return fail(file.errorString());
    m_error.clear();
    return true;
}

bool DeletedTasks::fail(const QString &reason)
{
    m_error = tr("Cannot keep a copy of the deleted tasks in %1:\n%2").arg(QFileInfo(m_fileName).absoluteFilePath(), reason);
    return false;
}
