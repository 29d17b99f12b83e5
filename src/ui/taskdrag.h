// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKDRAG_H
#define TASKDRAG_H

#include "taskref.h"

#include <QString>
#include <QVector>

class QMimeData;

// The tasks a drag carries from a task window: where they come from and
// which rows they were in. It travels as Corvane's own MIME type, between
// windows of this program and of other running copies, together with the
// texts as plain text for any other program.
struct TaskDrag
{
    QString folder;  // absolute path of the folder the list lives in
    QString list;    // the list's file name in it
    QVector<TaskRef> tasks;

    static QString mimeType() { return QStringLiteral("application/x-corvane-tasks"); }

    // A new QMimeData, owned by the caller (a QDrag takes it).
    QMimeData *toMimeData() const;
    // Reads a drag of Corvane's own; false for any other data.
    static bool fromMimeData(const QMimeData *data, TaskDrag *drag);
};

#endif // TASKDRAG_H
