// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FILESTAMP_H
#define FILESTAMP_H

#include <QString>

struct stat;

// What tells one version of a file or folder from another without reading
// it: device, inode, size, and modification and change times.
//
// Taken from the file system itself, past the attributes that a network or
// FUSE mount keeps cached for a while: another machine's change shows at
// the next look, not once the cache expires.
class FileStamp
{
public:
    FileStamp() = default;

    // The stamp of path as it is now; a missing path has a stamp too.
    static FileStamp of(const QString &path);
    // The stamp of the file open as handle, whatever name it has now.
    static FileStamp ofHandle(int handle);

    // stat(2) of path, asking the file system afresh. False, with errno
    // set, when path cannot be looked at.
    static bool fetch(const QString &path, struct stat *info);

    bool exists() const { return m_exists; }
    qint64 size() const { return m_size; }

    bool operator==(const FileStamp &other) const;
    bool operator!=(const FileStamp &other) const { return !(*this == other); }

private:
    static FileStamp fromStat(const struct stat &info);

    bool m_exists = false;
    quint64 m_device = 0;
    quint64 m_inode = 0;
    qint64 m_size = -1;
    qint64 m_modified = 0;  // nanoseconds
    qint64 m_changed = 0;   // nanoseconds
};

#endif // FILESTAMP_H
