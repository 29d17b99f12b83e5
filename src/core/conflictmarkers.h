// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CONFLICTMARKERS_H
#define CONFLICTMARKERS_H

#include <QByteArray>
#include <QStringList>

// The lines that git leaves in a file it could not merge: "<<<<<<<" before
// this side's lines, "=======" before the other side's, ">>>>>>>" after
// them, and "|||||||" before the common ancestor's lines where the merge
// style shows them. Only a whole block counts: a task that merely starts
// with angle brackets is a task.
class ConflictMarkers
{
public:
    // Whether bytes may hold a block at all: cheap enough for every read.
    static bool mayHold(const QByteArray &bytes);
    // The row of the first line of the first whole block in tasks, -1 when
    // there is none.
    static int firstBlock(const QStringList &tasks);
    // tasks without the markers: every task of both sides once, in their
    // order, the other side's tasks placed by their neighbours there. The
    // ancestor's lines go, and a task the list holds outside the blocks or
    // in an earlier block is not added again.
    static QStringList keepBothSides(const QStringList &tasks);

private:
    struct Block {
        int start = -1;  // "<<<<<<<"
        int base = -1;   // "|||||||", -1 when none
        int middle = -1; // "======="
        int end = -1;    // ">>>>>>>"
    };
    // The first whole block from row from on.
    static Block nextBlock(const QStringList &tasks, int from);
};

#endif // CONFLICTMARKERS_H
