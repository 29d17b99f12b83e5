#include "taskrows.h"

#include <QListWidget>
#include <QScrollBar>

void TaskRows::prepare(QListWidget *list)
{
    list->setUniformItemSizes(true);
}

void TaskRows::show(QListWidget *list, const QStringList &tasks)
{
    const QListWidgetItem *current = list->currentItem();
    const int row = current ? list->row(current) : -1;
    const QString text = current ? current->text() : QString();
    const bool selected = current && current->isSelected();
    const int scroll = list->verticalScrollBar()->value();

    list->clear();
    list->addItems(tasks);

    if (row >= 0) {
        const int found = rowOf(list, text, row);
        // A current row the user deselected stays unselected, so that an
        // update never arms Delete or Move on its own.
        if (found >= 0)
            list->setCurrentRow(found, selected ? QItemSelectionModel::ClearAndSelect
                                                : QItemSelectionModel::NoUpdate);
    }
    list->verticalScrollBar()->setValue(scroll);
}

bool TaskRows::select(QListWidget *list, const QString &task, int nearHint)
{
    const int row = rowOf(list, task, nearHint);
    if (row < 0)
        return false;
    list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    list->scrollToItem(list->item(row));
    return true;
}

int TaskRows::rowOf(const QListWidget *list, const QString &task, int nearHint)
{
    if (nearHint >= 0 && nearHint < list->count() && list->item(nearHint)->text() == task)
        return nearHint;
    const int count = list->count();
    for (int i = 0; i < count; ++i) {
        if (list->item(i)->text() == task)
            return i;
    }
    return -1;
}
