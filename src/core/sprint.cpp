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
    return moveTo(sprint, {ListEdits::Transfer{task, 0, ListEdits::End}});
}

bool Sprint::moveTo(int sprint, const QVector<ListEdits::Transfer> &items, QVector<ListEdits::Transfer> *done)
{
    return transferWith(sprint, false, items, done);
}

bool Sprint::takeFrom(int sprint, const QVector<ListEdits::Transfer> &items, QVector<ListEdits::Transfer> *done)
{
    return transferWith(sprint, true, items, done);
}

bool Sprint::transferWith(int sprint, bool incoming, const QVector<ListEdits::Transfer> &items,
                          QVector<ListEdits::Transfer> *done)
{
    // A move onto this sprint itself would only take the task out of it.
    if (sprint == index) {
        file.setErrorString(QString());
        return true;
    }
    // A sprint that cannot take changes must not make the other sprint's
    // file either: a change that changes nothing tells.
    if (!change([](QStringList &) { return TaskListFile::Outcome::Unchanged; }))
        return false;
    Sprint other(sprint);
    return incoming ? transfer(other, *this, items, done) : transfer(*this, other, items, done);
}

bool Sprint::transfer(Sprint &from, Sprint &to, const QVector<ListEdits::Transfer> &items,
                      QVector<ListEdits::Transfer> *done)
{
    return TaskListFile::transfer(from.file, from.tasks, to.file, to.tasks, ListEdits::transfer(items, done));
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
    return file.change(tasks, edit);
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

QString Sprint::errorString() const
{
    return file.errorString();
}

QString Sprint::fileName(int number)
{
    return QLatin1String("sprint") + QString::number(number, 10);
}
