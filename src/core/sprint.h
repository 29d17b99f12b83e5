#ifndef SPRINT_H
#define SPRINT_H

#include "tasklistfile.h"

#include <QString>
#include <QStringList>

// One numbered sprint: its ordered tasks, kept in the file "sprint" followed
// by the number, in the current directory. Making a Sprint for a number
// without a file creates the file empty; that is how a sprint comes to be.
//
// Each changing call applies its change to the file's current content and
// returns whether the file now holds it; errorString() then says why not.
// After every call the list equals what loading the file gives.
class Sprint
{
public:
    explicit Sprint(int i);

    bool addTask(QString task);
    // Adds each of newTasks that the sprint does not hold yet, in order, in
    // one write: what addTask for each would do, without rewriting the file
    // once per task.
    bool addTasks(const QStringList &newTasks);
    bool deleteTask(QString task);
    // Adds task to sprint number sprint, then deletes it here. A task is
    // never lost: when the target cannot take it, it stays here.
    bool moveTask(QString task, int sprint);
    QStringList getTasks() const;
    // Rewrites the file from its current content (normalising line ends).
    bool writeChanges();

    // Re-reads the file if it changed on disk; true when the list was read again.
    bool refresh();
    // True when the file could not be read or is not text: changes are refused.
    bool isReadOnly() const;
    // Why the last call failed, naming the file; empty after a success.
    QString errorString() const;

    static QString fileName(int number);

private:
    QStringList tasks;
    int index;
    TaskListFile file;
};

#endif // SPRINT_H
