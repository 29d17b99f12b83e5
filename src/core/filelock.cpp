#include "filelock.h"

#include <QCoreApplication>
#include <QFile>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

FileLock::FileLock(const QString &path, int timeoutMs)
{
    m_handle = ::open(QFile::encodeName(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (m_handle < 0) {
        m_error = errno;
        return;
    }
    int pause = 1;
    for (int waited = 0; ::flock(m_handle, LOCK_EX | LOCK_NB) != 0; waited += pause) {
        if (errno != EWOULDBLOCK || waited >= timeoutMs) {
            m_error = errno;
            return;
        }
        QThread::msleep(pause);
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
    return m_error == EWOULDBLOCK
        ? QCoreApplication::translate("FileLock", "Another program keeps it locked.")
        : qt_error_string(m_error);
}
