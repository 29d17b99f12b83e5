// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filestamp.h"

#include <QFile>

#include <atomic>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

qint64 nanoseconds(const struct timespec &time)
{
    return qint64(time.tv_sec) * 1000000000 + time.tv_nsec;
}

struct timespec timespecOf(const struct statx_timestamp &time)
{
    struct timespec out;
    out.tv_sec = time.tv_sec;
    out.tv_nsec = time.tv_nsec;
    return out;
}

} // namespace

bool FileStamp::fetch(const QString &path, struct stat *info)
{
    const QByteArray name = QFile::encodeName(path);
    // A plain stat on NFS, SMB or FUSE may answer from attributes cached for
    // seconds; forcing a sync makes it ask the server (or the FUSE daemon).
    // Local file systems have no such cache and answer as for stat.
    static std::atomic<bool> haveStatx{true};
    if (haveStatx) {
        struct statx x;
        if (::statx(AT_FDCWD, name.constData(), AT_STATX_FORCE_SYNC, STATX_BASIC_STATS, &x) == 0) {
            *info = {};
            info->st_dev = makedev(x.stx_dev_major, x.stx_dev_minor);
            info->st_ino = x.stx_ino;
            info->st_mode = x.stx_mode;
            info->st_nlink = x.stx_nlink;
            info->st_uid = x.stx_uid;
            info->st_gid = x.stx_gid;
            info->st_rdev = makedev(x.stx_rdev_major, x.stx_rdev_minor);
            info->st_size = off_t(x.stx_size);
            info->st_blksize = blksize_t(x.stx_blksize);
            info->st_blocks = blkcnt_t(x.stx_blocks);
            info->st_atim = timespecOf(x.stx_atime);
            info->st_mtim = timespecOf(x.stx_mtime);
            info->st_ctim = timespecOf(x.stx_ctime);
            return true;
        }
        // A kernel or sandbox without statx: plain stat from now on.
        if (errno != ENOSYS)
            return false;
        haveStatx = false;
    }
    return ::stat(name.constData(), info) == 0;
}

FileStamp FileStamp::of(const QString &path)
{
    struct stat info;
    return fetch(path, &info) ? fromStat(info) : FileStamp();
}

FileStamp FileStamp::ofHandle(int handle)
{
    struct stat info;
    return ::fstat(handle, &info) == 0 ? fromStat(info) : FileStamp();
}

FileStamp FileStamp::fromStat(const struct stat &info)
{
    FileStamp stamp;
    stamp.m_exists = true;
    stamp.m_device = info.st_dev;
    stamp.m_inode = info.st_ino;
    stamp.m_size = info.st_size;
    stamp.m_modified = nanoseconds(info.st_mtim);
    stamp.m_changed = nanoseconds(info.st_ctim);
    return stamp;
}

bool FileStamp::operator==(const FileStamp &other) const
{
    return m_exists == other.m_exists && m_device == other.m_device && m_inode == other.m_inode
        && m_size == other.m_size && m_modified == other.m_modified && m_changed == other.m_changed;
}
