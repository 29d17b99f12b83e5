// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filelock.h"

#include "sidefile.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

} // namespace

FileLock::FileLock(const QString &path, int timeoutMs)
    : m_path(path)
{
    // Never through a link or onto anything but a regular file (SideFile).
    m_handle = SideFile::open(path, O_RDWR | O_CREAT, &m_reason, 0644);
    if (m_handle < 0) {
        m_error = errno;
        // A lock file that someone else made, or a read-only mount: locking
        // needs no write access on most file systems, so try read-only.
        if (m_error == EACCES || m_error == EROFS)
            m_handle = SideFile::open(path, O_RDONLY, &m_reason);
        if (m_handle < 0)
            return;
    }
    const int openError = m_error;
    m_error = 0;
    m_opened = true;

    int pause = 1;
    for (int waited = 0; ::flock(m_handle, LOCK_EX | LOCK_NB) != 0;) {
        // Busy, or interrupted while a network file system was asked.
        const bool busy = errno == EWOULDBLOCK || errno == EINTR;
        if (!busy || waited >= timeoutMs) {
            m_error = errno;
            // NFS locks need a descriptor open for writing: then the reason
            // is the one that kept it read-only.
            if (m_error == EBADF && openError != 0) {
                m_error = openError;
                m_opened = false;
            }
            return;
        }
        QThread::msleep(pause);
        waited += pause;
        pause = qMin(pause * 2, 50);
    }
    m_locked = true;
}

FileLock::~FileLock()
{
    if (m_handle >= 0)
        ::close(m_handle);
}

QString FileLock::errorString() const
{
    if (!m_opened)
        return tr("Its lock file %1 cannot be opened: %2").arg(m_path, m_reason.isEmpty() ? qt_error_string(m_error) : m_reason);
    switch (m_error) {
    case EWOULDBLOCK:
        return tr("Another program keeps it locked.");
    case ENOLCK:
    case EOPNOTSUPP:
    case EINVAL:
    case ENOSYS:
        // Saving without the lock could write over a change that another
        // machine makes at the same moment.
        return tr("The file system of its folder offers no file locks (%1), so the change was not saved.")
            .arg(qt_error_string(m_error));
    default:
        return qt_error_string(m_error);
    }
}
