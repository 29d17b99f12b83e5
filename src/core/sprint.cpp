#include "sprint.h"

#include "unlockcheck.h"

Sprint::Sprint(int i)
    : index(i)
    , file(fileName(i))
{
    file.load(tasks);
    UnlockCheck::run(index);
}

bool Sprint::addTask(QString task)
{
    return file.appendUnlessPresent(tasks, {task});
}

bool Sprint::addTasks(const QStringList &newTasks)
{
    return file.appendUnlessPresent(tasks, newTasks);
}

bool Sprint::deleteTask(QString task)
{
    return file.removeFirst(tasks, task);
}

bool Sprint::moveTask(QString task, int sprint)
{
    // A move onto this sprint itself would only take the task out of it.
    if (sprint == index) {
        file.setErrorString(QString());
        return true;
    }

    // A sprint that cannot take changes must not hand a task on either, or
    // the task would end up in both: a change that changes nothing tells.
    if (!file.change(tasks, [](QStringList &) { return false; }))
        return false;

    // The target takes the task before this sprint lets it go, and each file
    // is locked on its own, never both at once: a crash in between leaves
    // the task in both sprints, never in neither. Rewriting both files once
    // more afterwards would add nothing but the risk of writing back a list
    // that another store has changed meanwhile.

    Sprint target(sprint);
    if (!target.addTask(task)) {
        file.setErrorString(target.errorString());
        return false;
    }
    return deleteTask(task);
}

QStringList Sprint::getTasks() const
{
    return tasks;
}

bool Sprint::writeChanges()
{
    return file.rewrite(tasks);
}

bool Sprint::refresh()
{
    return file.refresh(tasks);
}

bool Sprint::isReadOnly() const
{
    return file.isReadOnly();
}

QString Sprint::errorString() const
{
    return file.errorString();
}

QString Sprint::fileName(int number)
{
    return QLatin1String("sprint") + QString::number(number, 10);
}
