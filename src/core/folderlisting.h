// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FOLDERLISTING_H
#define FOLDERLISTING_H

#include <QString>
#include <QVector>

#include <functional>

// One pass over a folder's entries, for the listings the windows make
// every second: the system's directory stream, with an entry's kind taken
// from it and asked of the file system only where the stream does not say
// or the entry is a symbolic link (which is followed). Several times
// faster than QDir, which asks the file system about every entry.
class FolderListing
{
public:
    enum class Kind { File, Directory, Other };
    struct Entry {
        QString name;
        Kind kind;
    };

    // The entries of folder whose names, as bytes, pass filter; "." and ".."
    // never do. Empty when the folder cannot be read.
    static QVector<Entry> read(const QString &folder, const std::function<bool(const char *name)> &filter);
};

#endif // FOLDERLISTING_H
