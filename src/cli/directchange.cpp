#include "directchange.h"

#include "filelock.h"
#include "safewrite.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

DirectChange::DirectChange(const QString &fileName)
    : m_file(fileName)
{
}

DirectChange::~DirectChange() = default;

bool DirectChange::open(int room)
{
    m_lock = std::make_unique<FileLock>(m_file.lockFilePath());
    const QByteArray path = QFile::encodeName(m_file.writablePath());
    QByteArray bytes;
    struct stat entry;
    bool read = false;
    // Without following a link: a chain longer than the store follows is
    // the store's to refuse.
    const int handle = ::open(path.constData(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (m_lock->isLocked() && handle >= 0 && ::fstat(handle, &entry) == 0 && S_ISREG(entry.st_mode)
        && ::access(path.constData(), W_OK) == 0) {
        m_read = FileStamp::ofHandle(handle);
        read = TaskListFile::readAll(handle, entry.st_size + room, &bytes) && bytes.size() == m_read.size();
    }
    if (handle >= 0)
        ::close(handle);
    if (!read || !TaskListBytes::isExact(bytes)) {
        m_lock.reset();
        return false;
    }
    m_list = TaskListBytes(bytes);
    return true;
}

bool DirectChange::save()
{
    return write(m_list.bytes());
}

bool DirectChange::saveAppended(int size)
{
    // A writer that takes no lock (a shell's >>, a sync) may have changed
    // the file meanwhile: the store then makes the change on what it holds.
    const QString path = QFileInfo(m_file.writablePath()).absoluteFilePath();
    m_stale = FileStamp::of(path) != m_read;
    if (m_stale)
        return false;
    SafeWrite file(path);
    return file.append(m_list.bytes().mid(size)) || failed(file);
}

bool DirectChange::putBack(int size)
{
    return write(m_list.bytes().left(size));
}

bool DirectChange::write(const QByteArray &bytes)
{
    SafeWrite file(QFileInfo(m_file.writablePath()).absoluteFilePath());
    return file.replace(bytes) || failed(file);
}

bool DirectChange::failed(const SafeWrite &file)
{
    // As the store words it.
    m_error = QCoreApplication::translate("TaskListFile", "Cannot write file %1:\n%2")
                  .arg(QFileInfo(m_file.fileName()).absoluteFilePath(), file.errorString());
    return false;
}
