// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A preloaded library that makes one file system call fail, to see what the
// stores do when a disk fills up or a device reports an error mid-save.
//
// It counts the calls that change files: writes to files (not to the
// standard streams), opens that create a file, links, renames, syncs,
// truncations and closes. Environment:
//   CORVANE_FAULT_AT     the number of the call that fails, from 1
//   CORVANE_FAULT_ERRNO  ENOSPC (default) or EIO
//   CORVANE_FAULT_MODE   "once": only that call fails, as a passing device
//                        error; "full": that call and every later call that
//                        needs space fails, as a full disk does, and the
//                        first failing write still writes half its bytes
//   CORVANE_FAULT_FLOCK  an errno number: every flock() fails with it, as
//                        on a file system that offers no locks
// Each failure is announced on standard error as "faultshim: ...".

#include <cerrno>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <sys/uio.h>
#include <unistd.h>

namespace {

enum class Need { Space, None };

struct Config {
    long at = 0;
    int error = ENOSPC;
    bool full = false;
};

const Config &config()
{
    static const Config value = [] {
        Config c;
        if (const char *at = std::getenv("CORVANE_FAULT_AT"))
            c.at = std::strtol(at, nullptr, 10);
        if (const char *error = std::getenv("CORVANE_FAULT_ERRNO"))
            c.error = std::strcmp(error, "EIO") == 0 ? EIO : ENOSPC;
        if (const char *mode = std::getenv("CORVANE_FAULT_MODE"))
            c.full = std::strcmp(mode, "full") == 0;
        return c;
    }();
    return value;
}

long calls = 0;
bool diskFull = false;

template <typename F>
F real(F, const char *name)
{
    return reinterpret_cast<F>(dlsym(RTLD_NEXT, name));
}

void announce(const char *call)
{
    char line[160];
    const int size = std::snprintf(line, sizeof line, "faultshim: %s (call %ld) fails with %s\n", call, calls,
                                   config().error == EIO ? "EIO" : "ENOSPC");
    static auto realWrite = real(&::write, "write");
    if (size > 0)
        realWrite(2, line, size_t(size));
}

// Whether this call fails. Calls that need no space go through once the
// disk is full; a device error strikes one call only.
bool fails(const char *call, Need need)
{
    const Config &c = config();
    if (c.at <= 0)
        return false;
    ++calls;
    bool failing = calls == c.at;
    if (failing && c.full)
        diskFull = true;
    else if (diskFull)
        failing = need == Need::Space;
    if (failing)
        announce(call);
    return failing;
}

bool creates(const char *path, int dirfd, int flags)
{
    if ((flags & O_TMPFILE) == O_TMPFILE)
        return true;
    if (!(flags & O_CREAT))
        return false;
    struct stat info;
    return fstatat(dirfd, path, &info, 0) != 0;
}

int failWith()
{
    errno = config().error;
    return -1;
}

} // namespace

extern "C" {

ssize_t write(int fd, const void *buffer, size_t size)
{
    static auto next = real(&::write, "write");
    if (fd > 2 && size > 0 && fails("write", Need::Space)) {
        // A disk that fills up mid-write takes what fits first.
        if (diskFull && calls == config().at && size > 1)
            return next(fd, buffer, size / 2);
        return failWith();
    }
    return next(fd, buffer, size);
}

ssize_t writev(int fd, const struct iovec *vector, int count)
{
    static auto next = real(&::writev, "writev");
    if (fd > 2 && fails("writev", Need::Space))
        return failWith();
    return next(fd, vector, count);
}

ssize_t pwrite64(int fd, const void *buffer, size_t size, off64_t offset)
{
    static auto next = real(&::pwrite64, "pwrite64");
    if (fd > 2 && fails("pwrite64", Need::Space))
        return failWith();
    return next(fd, buffer, size, offset);
}

// The one body of open(), open64(), openat() and openat64(): a call that
// would create a file may fail. The mode is there only when the flags ask
// for one. DIRFD is where a relative path starts; the remaining arguments are
// those the call takes before the path.
#define CORVANE_OPEN_BODY(name, dirfd, ...)                                               \
    static auto next = real(&::name, #name);                                              \
    mode_t mode = 0;                                                                      \
    if (flags & (O_CREAT | O_TMPFILE)) {                                                  \
        va_list args;                                                                     \
        va_start(args, flags);                                                            \
        mode = mode_t(va_arg(args, int));                                                 \
        va_end(args);                                                                     \
    }                                                                                     \
    if (creates(path, dirfd, flags) && fails(#name, Need::Space))                         \
        return failWith();                                                                \
    return next(__VA_ARGS__ path, flags, mode);

int open(const char *path, int flags, ...) { CORVANE_OPEN_BODY(open, AT_FDCWD, ) }
int open64(const char *path, int flags, ...) { CORVANE_OPEN_BODY(open64, AT_FDCWD, ) }
int openat(int dirfd, const char *path, int flags, ...) { CORVANE_OPEN_BODY(openat, dirfd, dirfd, ) }
int openat64(int dirfd, const char *path, int flags, ...) { CORVANE_OPEN_BODY(openat64, dirfd, dirfd, ) }

int fsync(int fd)
{
    static auto next = real(&::fsync, "fsync");
    // Delayed allocation reports a full disk when the data is flushed.
    if (fails("fsync", Need::Space))
        return failWith();
    return next(fd);
}

int fdatasync(int fd)
{
    static auto next = real(&::fdatasync, "fdatasync");
    if (fails("fdatasync", Need::Space))
        return failWith();
    return next(fd);
}

int ftruncate64(int fd, off64_t length)
{
    static auto next = real(&::ftruncate64, "ftruncate64");
    // Cutting a file shorter frees blocks: a full disk allows it.
    struct stat info;
    const bool shrinks = fstat(fd, &info) == 0 && length < info.st_size;
    if (fails("ftruncate64", shrinks ? Need::None : Need::Space))
        return failWith();
    return next(fd, length);
}

int ftruncate(int fd, off_t length)
{
    return ftruncate64(fd, length);
}

int link(const char *from, const char *to)
{
    static auto next = real(&::link, "link");
    if (fails("link", Need::Space))
        return failWith();
    return next(from, to);
}

int linkat(int fromDir, const char *from, int toDir, const char *to, int flags)
{
    static auto next = real(&::linkat, "linkat");
    if (fails("linkat", Need::Space))
        return failWith();
    return next(fromDir, from, toDir, to, flags);
}

// A rename may need a new directory block, so a full disk can refuse it.
int rename(const char *from, const char *to)
{
    static auto next = real(&::rename, "rename");
    if (fails("rename", Need::Space))
        return failWith();
    return next(from, to);
}

int renameat(int fromDir, const char *from, int toDir, const char *to)
{
    static auto next = real(&::renameat, "renameat");
    if (fails("renameat", Need::Space))
        return failWith();
    return next(fromDir, from, toDir, to);
}

int renameat2(int fromDir, const char *from, int toDir, const char *to, unsigned int flags)
{
    static auto next = real(&::renameat2, "renameat2");
    if (fails("renameat2", Need::Space))
        return failWith();
    return next(fromDir, from, toDir, to, flags);
}

// Closing still releases the descriptor when it reports an error.
int close(int fd)
{
    static auto next = real(&::close, "close");
    const bool failing = fd > 2 && fails("close", Need::None);
    const int result = next(fd);
    return failing ? failWith() : result;
}

int flock(int fd, int operation)
{
    static auto next = real(&::flock, "flock");
    static const char *error = std::getenv("CORVANE_FAULT_FLOCK");
    if (!error)
        return next(fd, operation);
    errno = std::atoi(error);
    return -1;
}

} // extern "C"
