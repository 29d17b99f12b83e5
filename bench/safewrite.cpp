// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor of a whole-process change: a process that only writes given
// bytes safely, as a store writes a list (a temporary file beside it,
// synced to disk, renamed over it), without reading or changing a list.
//
//   safewrite SOURCE TARGET    writes the bytes of SOURCE to TARGET

#include <QByteArray>
#include <QFile>

#include <cstdio>

#include <fcntl.h>
#include <unistd.h>

int main(int argc, char **argv)
{
    if (argc != 3)
        return 2;
    QFile source(QString::fromLocal8Bit(argv[1]));
    if (!source.open(QIODevice::ReadOnly))
        return 1;
    const QByteArray bytes = source.readAll();
    const QByteArray temporary = QByteArray(argv[2]) + ".safewrite";
    const int handle = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
    if (handle < 0)
        return 1;
    qint64 done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(handle, bytes.constData() + done, size_t(bytes.size() - done));
        if (written <= 0)
            return 1;
        done += written;
    }
    if (::fsync(handle) != 0 || ::close(handle) != 0)
        return 1;
    return std::rename(temporary.constData(), argv[2]) == 0 ? 0 : 1;
}
