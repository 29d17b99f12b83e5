// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SIDEFILE_H
#define SIDEFILE_H

#include <QCoreApplication>
#include <QString>

// Opens the files that the program keeps beside the lists (lock files, the
// history of deleted tasks, journals of appends, temporaries) so that none
// leads out of the folder or holds the program up: never through a symbolic
// link, never waiting for a named pipe's other end, and only where a
// regular file is. A list itself may be a symbolic link; these may not.
class SideFile
{
    Q_DECLARE_TR_FUNCTIONS(SideFile)

public:
    // open(2) of path with flags, and O_NOFOLLOW, O_NONBLOCK and O_CLOEXEC
    // added. The handle, or -1 with the reason in words in *reason.
    static int open(const QString &path, int flags, QString *reason, int mode = 0666);
};

#endif // SIDEFILE_H
