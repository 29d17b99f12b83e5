#include "taskrows.h"

#include "taskdelegate.h"

#include <QListWidget>
#include <QScrollBar>

void TaskRows::prepare(QListWidget *list)
{
    list->setUniformItemSizes(true);
    list->setItemDelegate(new TaskDelegate(list));
}

void TaskRows::show(QListWidget *list, const QStringList &tasks)
{
    // Only the rows between the common start and the common end change:
    // after one add, edit or delete in a long list that is a row or two,
    // not a refill of every row, and the untouched rows keep their
    // selection.
    const int oldCount = list->count();
    const int newCount = tasks.size();
    const int common = qMin(oldCount, newCount);
    int head = 0;
    while (head < common && list->item(head)->text() == tasks.at(head))
        ++head;
    int tail = 0;
    while (tail < common - head && list->item(oldCount - 1 - tail)->text() == tasks.at(newCount - 1 - tail))
        ++tail;
    const int removed = oldCount - head - tail;
    const int inserted = newCount - head - tail;
    if (removed == 0 && inserted == 0)
        return;
    if (removed == inserted && moveOne(list, tasks, head, removed))
        return;
    // Most rows go, as when a filter or a delete of all but a few: making
    // the few anew costs less than taking each of the many out.
    if (removed > 2 * newCount + 1000) {
        refill(list, tasks);
        return;
    }

    const int row = list->currentRow();
    const bool currentGoes = row >= head && row < head + removed;
    const QString text = currentGoes ? list->item(row)->text() : QString();
    const bool selected = currentGoes && list->item(row)->isSelected();
    const int scroll = list->verticalScrollBar()->value();

    // Left to itself the view would hand the current row's place, and in
    // single selection its selection, to a neighbour.
    if (currentGoes)
        list->selectionModel()->clear();
    if (removed > 0)
        list->model()->removeRows(head, removed);
    if (inserted > 0)
        list->insertItems(head, tasks.mid(head, inserted));

    if (currentGoes) {
        const int found = rowOf(list, text, row);
        // A current row the user deselected stays unselected, so that an
        // update never arms Delete or Move on its own.
        if (found >= 0)
            list->setCurrentRow(found, selected ? QItemSelectionModel::ClearAndSelect
                                                : QItemSelectionModel::NoUpdate);
    }
    list->verticalScrollBar()->setValue(scroll);
}

void TaskRows::refill(QListWidget *list, const QStringList &tasks)
{
    const QListWidgetItem *item = list->currentItem();
    const QString text = item ? item->text() : QString();
    const bool selected = item && item->isSelected();
    const int row = list->currentRow();
    list->clear();
    list->addItems(tasks);
    const int found = item ? rowOf(list, text, qMin(row, list->count() - 1)) : -1;
    if (found >= 0)
        list->setCurrentRow(found, selected ? QItemSelectionModel::ClearAndSelect : QItemSelectionModel::NoUpdate);
}

bool TaskRows::moveOne(QListWidget *list, const QStringList &tasks, int start, int length)
{
    // A task that moved from one end of the rows that differ to the other:
    // the row moves, keeping its item and selection, instead of the rows
    // between being made anew. Alt+End on the first of 100,000 tasks would
    // otherwise refill them all.
    if (length < 2)
        return false;
    const int last = start + length - 1;
    const auto shifted = [&](int from, int to, int by) {
        for (int row = from; row <= to; ++row) {
            if (list->item(row)->text() != tasks.at(row + by))
                return false;
        }
        return true;
    };
    int from = -1;
    int to = -1;
    if (list->item(start)->text() == tasks.at(last) && shifted(start + 1, last, -1)) {
        from = start;
        to = last;
    } else if (list->item(last)->text() == tasks.at(start) && shifted(start, last - 1, 1)) {
        from = last;
        to = start;
    } else {
        return false;
    }
    const int scroll = list->verticalScrollBar()->value();
    const bool moved = list->model()->moveRow(QModelIndex(), from, QModelIndex(), to > from ? to + 1 : to);
    list->verticalScrollBar()->setValue(scroll);
    return moved;
}

void TaskRows::showStore(QListWidget *list, const QStringList &tasks, bool readOnly, const QString &why,
                         const QList<QWidget *> &actions)
{
    show(list, tasks);
    for (QWidget *action : actions)
        action->setEnabled(!readOnly);
    if (!readOnly)
        list->setToolTip(QString());
    else if (!why.isEmpty())
        list->setToolTip(why);
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
