#ifndef TASKROWS_H
#define TASKROWS_H

#include "taskref.h"

#include <QString>
#include <QStringList>
#include <QVector>

class QListWidget;
class QWidget;

// Puts a store's tasks into a window's list widget. The widget's rows are
// made from the store's own strings (shared, not copied), one pass over the
// list, so that windows stay quick on a million tasks.
class TaskRows
{
public:
    // Sets up a task list widget once, after its form is built: tasks are
    // single lines, so every row has the same height, and a row shows a
    // bounded part of its task (TaskDelegate).
    static void prepare(QListWidget *list);

    // Makes the rows show tasks, replacing only the rows that differ, and
    // keeps the current task current, every selected task selected while
    // it is still there (by text and nearest row, as TaskRef finds a task),
    // and the scroll position.
    static void show(QListWidget *list, const QStringList &tasks);

    // Shows a store's tasks and whether they may be changed: while its file
    // cannot be read the actions are disabled and the list's tooltip says
    // why.
    static void showStore(QListWidget *list, const QStringList &tasks, bool readOnly,
                          const QString &why, const QList<QWidget *> &actions);

private:
    // Shows a single task moved within rows start to start + length - 1 by
    // moving its row; false when that is not what changed.
    static bool moveOne(QListWidget *list, const QStringList &tasks, int start, int length);
};

#endif // TASKROWS_H
