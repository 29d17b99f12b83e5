// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WORKLOAD_H
#define WORKLOAD_H

#include <QRandomGenerator>
#include <QString>
#include <QStringList>
#include <QVector>

// A reproducible sequence of store operations for one process of a
// concurrency test. Each process only touches tasks that carry its own
// prefix, so whatever order the processes' changes interleave in, the tasks
// of one process must end up exactly as this sequence leaves them: the
// expected lists below are built alongside the operations, on plain lists.
struct WorkloadOp
{
    enum Kind { AddItem, EditItem, RemoveItem, AddTask, DeleteTask, MoveTask };
    Kind kind = AddItem;
    int sprint = 0;  // the sprint worked on, for the sprint operations
    int target = 0;  // the sprint a task moves to
    QString text;
    QString newText;
};

struct Workload
{
    QVector<WorkloadOp> ops;
    // What the process's own tasks look like once every operation is done.
    QStringList backlog;
    QStringList sprint1;
    QStringList sprint2;

    QStringList &sprint(int number) { return number == 1 ? sprint1 : sprint2; }

    static QString prefix(int process) { return QStringLiteral("p%1.").arg(process); }

    static Workload make(int process, int count)
    {
        Workload work;
        QRandomGenerator random(quint32(process) * 7919u + 17u);
        const QString own = prefix(process);
        for (int k = 0; k < count; ++k) {
            WorkloadOp op;
            op.kind = WorkloadOp::Kind(random.bounded(6));
            op.sprint = 1 + int(random.bounded(2));
            op.target = 3 - op.sprint;
            const QString fresh = own + QString::number(k);
            QStringList &list = op.kind <= WorkloadOp::RemoveItem ? work.backlog : work.sprint(op.sprint);
            // Lists that are still short mostly grow, so that edits, deletes
            // and moves have tasks to work on.
            if (op.kind != WorkloadOp::AddItem && op.kind != WorkloadOp::AddTask
                && (list.size() < 3 || random.bounded(4) == 0))
                op.kind = op.kind <= WorkloadOp::RemoveItem ? WorkloadOp::AddItem : WorkloadOp::AddTask;

            switch (op.kind) {
            case WorkloadOp::AddItem:
            case WorkloadOp::AddTask:
                op.text = fresh;
                list.append(fresh);
                break;
            case WorkloadOp::EditItem: {
                const int at = int(random.bounded(list.size()));
                op.text = list.at(at);
                op.newText = fresh + QStringLiteral("e");
                list[at] = op.newText;
                break;
            }
            case WorkloadOp::RemoveItem:
            case WorkloadOp::DeleteTask:
                op.text = list.takeAt(int(random.bounded(list.size())));
                break;
            case WorkloadOp::MoveTask:
                op.text = list.takeAt(int(random.bounded(list.size())));
                work.sprint(op.target).append(op.text);
                break;
            }
            work.ops.append(op);
        }
        return work;
    }
};

#endif // WORKLOAD_H
