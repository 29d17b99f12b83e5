// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskdrag.h"

#include <QDataStream>
#include <QMimeData>

namespace {
// Changed whenever the layout of the data changes.
constexpr quint32 Version = 1;
} // namespace

QMimeData *TaskDrag::toMimeData() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_15);
    out << Version << folder << list << qint32(tasks.size());
    for (const TaskRef &task : tasks)
        out << qint32(task.row) << task.text;
    auto *data = new QMimeData;
    data->setData(mimeType(), bytes);
    data->setText(TaskRef::textsOf(tasks).join(QLatin1Char('\n')));
    return data;
}

bool TaskDrag::fromMimeData(const QMimeData *data, TaskDrag *drag)
{
    if (!data || !data->hasFormat(mimeType()))
        return false;
    QDataStream in(data->data(mimeType()));
    in.setVersion(QDataStream::Qt_5_15);
    quint32 version = 0;
    qint32 count = 0;
    TaskDrag read;
    in >> version >> read.folder >> read.list >> count;
    if (version != Version || count <= 0)
        return false;
    for (qint32 i = 0; i < count && in.status() == QDataStream::Ok; ++i) {
        TaskRef task;
        qint32 row = -1;
        in >> row >> task.text;
        task.row = row;
        read.tasks.append(task);
    }
    if (in.status() != QDataStream::Ok || read.tasks.size() != count)
        return false;
    *drag = read;
    return true;
}
