// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskrows.h"

#include "donemark.h"
#include "tasklist.h"

#include "taskdelegate.h"

#include <QHash>
#include <QLocale>
#include <QSignalBlocker>
#include <QListWidget>
#include <QScrollBar>

namespace {

const char *const checksProperty = "taskChecks";

} // namespace

void TaskRows::prepare(QListWidget *list, Checks checks)
{
    list->setUniformItemSizes(true);
    list->setItemDelegate(new TaskDelegate(list));
    list->setProperty(checksProperty, checks == Checks::All);
}

QString TaskRows::accessibleText(const QString &line, const QString &note)
{
    QString text = TaskDelegate::bounded(DoneMark::textOf(line), TaskDelegate::TipLimit);
    const QDate day = DoneMark::date(line);
    if (day.isValid())
        text = TaskDelegate::tr("%1, done on %2").arg(text, QLocale().toString(day, QLocale::LongFormat));
    if (!note.isEmpty())
        text += QLatin1String(", ") + note;
    return text;
}

void TaskRows::setNote(QListWidgetItem *item, const QString &note)
{
    if (item->data(TaskDelegate::NoteRole).toString() == note)
        return;
    item->setData(TaskDelegate::NoteRole, note.isEmpty() ? QVariant() : QVariant(note));
    const QString line = item->text();
    const bool plain = note.isEmpty() && !DoneMark::isDone(line);
    item->setData(Qt::AccessibleTextRole, plain ? QVariant() : QVariant(accessibleText(line, note)));
}

void TaskRows::decorate(QListWidget *list, int row, int count)
{
    const bool all = list->property(checksProperty).toBool();
    // The rows were just made and are drawn and announced afresh anyway:
    // a signal for each would cost more than making them.
    const QSignalBlocker quiet(list->model());
    for (int end = row + count; row < end; ++row) {
        QListWidgetItem *item = list->item(row);
        const QString line = item->text();
        const bool done = DoneMark::isDone(line);
        if (done || all)
            item->setCheckState(done ? Qt::Checked : Qt::Unchecked);
        if (done)
            item->setData(Qt::AccessibleTextRole, accessibleText(line, QString()));
    }
}

void TaskRows::show(QListWidget *list, const QStringList &tasks)
{
    // Only the rows between the common start and the common end change:
    // after one add, edit or delete in a long list that is a row or two,
    // not a refill of every row.
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

    // The selection and the current row as they were: the rows that stay
    // keep theirs, and a selected or current task among the rows that
    // change is found again by its text, at the nearest row that holds it.
    QItemSelectionModel *selection = list->selectionModel();
    const int end = head + removed;
    const int shift = inserted - removed;
    QVector<QPair<int, int>> kept;  // spans of selected rows that stay, as rows are counted after
    QVector<TaskRef> moving;        // the current task first, then the selected tasks of the rows that change
    const int row = list->currentRow();
    const bool currentMoves = row >= head && row < end;
    const bool currentSelected = currentMoves && list->item(row)->isSelected();
    if (currentMoves)
        moving.append(TaskRef{row, list->item(row)->text()});
    for (const QItemSelectionRange &range : selection->selection()) {
        if (range.top() < head)
            kept.append({range.top(), qMin(range.bottom(), head - 1)});
        for (int r = qMax(range.top(), head); r <= qMin(range.bottom(), end - 1); ++r) {
            if (r != row)
                moving.append(TaskRef{r, list->item(r)->text()});
        }
        if (range.bottom() >= end)
            kept.append({qMax(range.top(), end) + shift, range.bottom() + shift});
    }
    const int scroll = list->verticalScrollBar()->value();

    // Left to itself the view would hand the current row's place, and in
    // single selection its selection, to a neighbour, and rows inserted
    // within a selected span would come selected.
    if (!kept.isEmpty() || !moving.isEmpty())
        selection->clearSelection();
    // Most rows go, as when a filter or a delete of all but a few, or many
    // come in where the widget would move its rows once for each: making
    // every row anew then costs less.
    const bool refill
        = removed > 2 * newCount + 1000 || qint64(inserted) * (qMin(head, tail) + inserted) > 1024 * qint64(newCount);
    if (refill) {
        list->clear();
        list->addItems(tasks);
        decorate(list, 0, newCount);
        if (row >= 0 && !currentMoves)
            selection->setCurrentIndex(list->model()->index(row < head ? row : row + shift, 0),
                                       QItemSelectionModel::NoUpdate);
    } else {
        if (removed > 0)
            list->model()->removeRows(head, removed);
        if (inserted > 0) {
            list->insertItems(head, tasks.mid(head, inserted));
            decorate(list, head, inserted);
        }
    }

    // The tasks that were selected among the rows that changed are found
    // again as a change finds its tasks; the other rows hold the same
    // tasks as before.
    QStringList shown = tasks;
    const QVector<int> found = TaskRef::locateAll(TaskList(&shown), moving, head, inserted);
    const auto index = [list](int at) { return list->model()->index(at, 0); };
    QItemSelection spans;
    for (const auto &span : qAsConst(kept))
        spans.select(index(span.first), index(span.second));
    for (int i = currentMoves ? 1 : 0; i < found.size(); ++i) {
        if (found.at(i) >= 0)
            spans.select(index(found.at(i)), index(found.at(i)));
    }
    // A current row the user deselected stays unselected, so that an
    // update never arms Delete or Move on its own.
    if (currentMoves && found.first() >= 0) {
        selection->setCurrentIndex(index(found.first()), QItemSelectionModel::NoUpdate);
        if (currentSelected)
            spans.select(index(found.first()), index(found.first()));
    }
    if (!spans.isEmpty())
        selection->select(spans, QItemSelectionModel::Select);
    list->verticalScrollBar()->setValue(scroll);
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
