// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SAFEWRITE_H
#define SAFEWRITE_H

#include "filestamp.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

// Writes one file of the program so that a crash, a kill or a full disk
// never leaves it cut short, and says in words why a write failed.
//
// A whole new content goes to a hidden temporary file in the same folder,
// given the old file's owner and mode, synced, and renamed over the file:
// the file then holds either the old content or the new. Temporaries that
// a killed writer left are cleared at the first replace of a file in each
// process, without listing the folder on every change. An append is one
// write in append mode, synced, and never touches what the file held: it
// stays whole even where the addition is cut short. Neither follows a
// symbolic link at path or opens anything but a regular file there
// (SideFile). The caller holds the file's lock.
class SafeWrite
{
    Q_DECLARE_TR_FUNCTIONS(SafeWrite)

public:
    // path names the file itself, not a symbolic link to it.
    explicit SafeWrite(const QString &path);

    // Replaces the file's content with bytes, creating the file with the
    // mode any new file gets when there is none.
    bool replace(const QByteArray &bytes);
    // Adds bytes at the file's end, creating the file when there is none.
    // One that fails leaves the file as it was, short of a kill or a crash
    // in the middle of the write, which can leave the start of bytes (see
    // AppendJournal). With expectedSize, only onto a file of that size: one
    // of another size was changed by someone else, and is left alone.
    bool append(const QByteArray &bytes, qint64 expectedSize = -1);
    // Cuts the file back to size bytes, as it was before an append: a full
    // disk allows it, where it may refuse a rewrite.
    bool truncate(qint64 size);
    // Whether the last append found the file at another size than expected.
    bool wasStale() const { return m_stale; }

    // Why the last write failed, in the system's words; empty after one
    // that succeeded.
    QString errorString() const { return m_error; }
    // The written file's stamp after a replace that succeeded.
    FileStamp stamp() const { return m_stamp; }

    // Why the folder refuses new files, or empty when it takes them.
    static QString folderRefusal(const QString &folder);
    // Writes all of bytes to handle, going on after short writes; false,
    // with errno set, when the file system refuses (a full disk among them).
    static bool writeAll(int handle, const QByteArray &bytes);

private:
    // The name of a temporary that a replace of the file fileName fills,
    // random telling the writers apart: hidden, so that no listing of
    // sprints shows it, and with an ending no user's own file has.
    static QString temporaryName(const QString &fileName, const QString &random);
    static constexpr int RandomSize = 6;

    bool fail(int error);
    void clearStaleTemporaries() const;
    int createTemporary(QString *name) const;

    QString m_path;
    QString m_error;
    FileStamp m_stamp;
    bool m_stale = false;
};

#endif // SAFEWRITE_H
