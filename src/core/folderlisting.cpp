// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "folderlisting.h"

#include <QFile>

#include <cstring>
#include <dirent.h>
#include <sys/stat.h>

QVector<FolderListing::Entry> FolderListing::read(const QString &folder,
                                                  const std::function<bool(const char *name)> &filter)
{
    QVector<Entry> entries;
    DIR *stream = ::opendir(QFile::encodeName(folder).constData());
    if (!stream)
        return entries;
    const int folderHandle = ::dirfd(stream);
    while (const dirent *entry = ::readdir(stream)) {
        const char *name = entry->d_name;
        if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 || !filter(name))
            continue;
        Kind kind = Kind::Other;
        if (entry->d_type == DT_REG) {
            kind = Kind::File;
        } else if (entry->d_type == DT_DIR) {
            kind = Kind::Directory;
        } else if (entry->d_type == DT_LNK || entry->d_type == DT_UNKNOWN) {
            struct stat status;
            if (::fstatat(folderHandle, name, &status, 0) == 0)
                kind = S_ISREG(status.st_mode) ? Kind::File : S_ISDIR(status.st_mode) ? Kind::Directory : Kind::Other;
        }
        entries.append(Entry{QFile::decodeName(name), kind});
    }
    ::closedir(stream);
    return entries;
}
