// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FILELOCK_H
#define FILELOCK_H

#include <QCoreApplication>
#include <QString>

// An exclusive lock on a hidden file beside a task list file, held for the
// length of one change. The system releases it when its holder ends, even
// through a crash or a kill, so no stale lock outlives a process. The lock
// file stays, empty: removing it would let two stores lock different files.
//
// On NFS the lock reaches the server, so it holds off other machines too.
// Where the file system refuses locks, or the lock file cannot be opened,
// the lock is not taken and errorString() says why: a change is then
// refused rather than made unguarded. It never waits longer than asked.
class FileLock
{
    Q_DECLARE_TR_FUNCTIONS(FileLock)

public:
    // Waits up to timeoutMs for another holder, in this process or another,
    // to let go.
    explicit FileLock(const QString &path, int timeoutMs = DefaultTimeoutMs);
    ~FileLock();
    FileLock(const FileLock &) = delete;
    FileLock &operator=(const FileLock &) = delete;

    bool isLocked() const { return m_locked; }
    // Why the lock could not be taken, in words for the user.
    QString errorString() const;

    // How long a change waits for another store to finish with the same file.
    static constexpr int DefaultTimeoutMs = 10000;

private:
    QString m_path;
    QString m_reason;  // why it could not be opened, in words
    int m_handle = -1;
    int m_error = 0;
    bool m_opened = false;  // whether m_error came from locking, not opening
    bool m_locked = false;
};

#endif // FILELOCK_H
