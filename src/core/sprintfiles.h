// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTFILES_H
#define SPRINTFILES_H

#include <QString>
#include <QStringList>

// The sprint files of the current directory as the windows list them, and
// the sprint numbers read back from their names.
class SprintFiles
{
public:
    // Every file (not directory) named "sprint" followed by a number as the
    // sprint store names its file, in ascending order of number. In
    // folder, the current directory unless told.
    static QStringList list(const QString &folder = QStringLiteral("."));
    // Whether name is the file of the sprint whose number it reads as.
    static bool isSprintFile(const QString &name);

    // The number a listed name stands for: what follows "sprint" (in any
    // case) read as a decimal int, 0 when that is not one.
    static int number(const QString &name);

    // One above the largest number that names reads as, 1 when none reads
    // as 1 or more. Returns false when the largest is already the largest
    // int, so that no next number exists. Entries equal to skip are passed
    // over. One pass over names.
    static bool nextNumber(const QStringList &names, int *next,
                           const QString &skip = QString());
};

#endif // SPRINTFILES_H
