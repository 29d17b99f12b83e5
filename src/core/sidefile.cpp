// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sidefile.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

int SideFile::open(const QString &path, int flags, QString *reason, int mode)
{
    const int handle = ::open(QFile::encodeName(path).constData(), flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, mode);
    if (handle < 0) {
        const int error = errno;
        *reason = error == ELOOP ? tr("It is a symbolic link, and files beside the lists are not followed elsewhere.")
                  : error == ENXIO ? tr("It is not a regular file.")
                                   : qt_error_string(error);
        errno = error;
        return -1;
    }
    struct stat entry;
    const bool known = ::fstat(handle, &entry) == 0;
    if (!known || !S_ISREG(entry.st_mode)) {
        *reason = known && S_ISDIR(entry.st_mode) ? tr("It is a directory.") : tr("It is not a regular file.");
        ::close(handle);
        errno = EINVAL;
        return -1;
    }
    // Reads and writes of a regular file wait for the disk as they should.
    ::fcntl(handle, F_SETFL, ::fcntl(handle, F_GETFL) & ~O_NONBLOCK);
    return handle;
}
