// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CHANGERESULT_H
#define CHANGERESULT_H

#include <QString>

// What became of a change of a list, and the message that tells the user
// why it was not made, naming the file: one type for every road, which the
// windows and the command line only word.
struct ChangeResult
{
    enum Status {
        Done,      // the file holds the change, or needed none
        NotFound,  // a task it acts on is not in the list as it is now
        Held,      // the list holds already all that it would add
        Missing,   // the file is gone, and the change may not make it anew
        Refused,   // the file may not be changed as it is: not a regular
                   // file, not text, conflict markers, not writable
        Failed,    // reading, locking or writing failed
    };

    Status status = Done;
    QString message;

    bool isDone() const { return status == Done; }
    // Whether the list's rules refused it, the file being fine.
    bool isRefusedByList() const { return status == NotFound || status == Held || status == Missing; }
};

#endif // CHANGERESULT_H
