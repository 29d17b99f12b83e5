// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprint.h"

#include "tasklist.h"
#include "unlockcheck.h"

Sprint::Sprint(int i)
    : Sprint(i, CreateMissing)
{
}

Sprint::Sprint(int i, Opening opening)
    : index(i)
    , file(fileName(i))
    , existingOnly(opening == ExistingOnly)
{
    file.load(tasks, !existingOnly);
    UnlockCheck::run(index);
}

bool Sprint::addTask(QString task)
{
    return change(ListEdits::insert(ListEdits::End, ListEdits::lines(task)));
}

bool Sprint::addTasks(const QStringList &newTasks)
{
    return change(ListEdits::insert(ListEdits::End, newTasks));
}

bool Sprint::deleteTask(QString task)
{
    return change(ListEdits::removeFirst(task));
}

bool Sprint::moveTask(QString task, int sprint)
{
    // Looked for from the top, the task is found at its first row.
    return transferWith(sprint, false, CreateMissing,
                        ListEdits::transfer({ListEdits::Transfer{task, 0, ListEdits::End}}));
}

bool Sprint::moveTo(int sprint, const QVector<ListEdits::Transfer> &items, QVector<ListEdits::Transfer> *done)
{
    return transferWith(sprint, false, ExistingOnly, ListEdits::transfer(items, done));
}

bool Sprint::takeFrom(int sprint, const QVector<ListEdits::Transfer> &items, QVector<ListEdits::Transfer> *done)
{
    return transferWith(sprint, true, ExistingOnly, ListEdits::transfer(items, done));
}

bool Sprint::moveTo(int sprint, const TaskListFile::PairEdit &edit)
{
    return transferWith(sprint, false, ExistingOnly, edit);
}

bool Sprint::transferWith(int sprint, bool incoming, Opening opening, const TaskListFile::PairEdit &edit)
{
    // A move onto this sprint itself would only take the task out of it.
    if (sprint == index) {
        file.setErrorString(QString());
        return true;
    }
    const bool mayCreate = opening == CreateMissing;
    // A sprint that cannot take changes must not make the other sprint's
    // file either: a change that changes nothing tells.
    if (!change([](TaskList &) { return TaskListFile::Outcome::Unchanged; },
                mayCreate ? TaskListFile::MayCreate : TaskListFile::NoRule))
        return false;
    Sprint other(sprint, opening);
    Sprint &from = incoming ? other : *this;
    Sprint &to = incoming ? *this : other;
    return TaskListFile::transfer(from.file, from.tasks, to.file, to.tasks, edit,
                                  mayCreate);
}

QStringList Sprint::getTasks() const
{
    return tasks;
}

bool Sprint::writeChanges()
{
    return file.rewrite(tasks);
}

bool Sprint::change(const TaskListFile::Edit &edit)
{
    return change(edit, existingOnly ? TaskListFile::NoRule : TaskListFile::MayCreate);
}

bool Sprint::change(const TaskListFile::Edit &edit, TaskListFile::Rules rules)
{
    return file.change(tasks, edit, rules);
}

bool Sprint::refresh()
{
    return file.refresh(tasks);
}

bool Sprint::isReadOnly() const
{
    return file.isReadOnly();
}

bool Sprint::isNotFound() const
{
    return file.isNotFound();
}

TaskListFile::Refusal Sprint::refusal() const
{
    return file.refusal();
}

QString Sprint::errorString() const
{
    return file.errorString();
}

QString Sprint::fileName(int number)
{
    return QLatin1String("sprint") + QString::number(number, 10);
}
