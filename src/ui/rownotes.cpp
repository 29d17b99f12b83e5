// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rownotes.h"

#include "taskrows.h"

#include <QEvent>
#include <QListWidget>
#include <QScrollBar>

RowNotes::RowNotes(QListWidget *list, const NoteOf &noteOf)
    : QObject(list)
    , m_list(list)
    , m_noteOf(noteOf)
{
    // After the change that made the rows is through: a refill gives new
    // rows their check boxes and texts for screen readers after it inserts
    // them, and several signals of one change cost one pass.
    m_soon.setSingleShot(true);
    m_soon.setInterval(0);
    connect(&m_soon, &QTimer::timeout, this, &RowNotes::apply);
    QAbstractItemModel *model = list->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, &RowNotes::update);
    connect(model, &QAbstractItemModel::rowsMoved, this, &RowNotes::update);
    connect(model, &QAbstractItemModel::modelReset, this, &RowNotes::update);
    connect(model, &QAbstractItemModel::layoutChanged, this, &RowNotes::update);
    connect(list->verticalScrollBar(), &QScrollBar::valueChanged, this, &RowNotes::update);
    connect(list->verticalScrollBar(), &QScrollBar::rangeChanged, this, &RowNotes::update);
    list->viewport()->installEventFilter(this);
    update();
}

void RowNotes::update()
{
    m_soon.start();
}

bool RowNotes::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Resize || event->type() == QEvent::Show)
        update();
    return QObject::eventFilter(watched, event);
}

void RowNotes::apply()
{
    const int count = m_list->count();
    if (count == 0)
        return;
    // Rows are all as high (TaskRows::prepare); before the list is laid
    // out, the rows a first screen holds.
    const QRect view = m_list->viewport()->rect();
    const QModelIndex top = m_list->indexAt(view.topLeft());
    const int height = qMax(1, m_list->sizeHintForRow(0));
    const int first = top.isValid() ? top.row() : 0;
    const int last = qMin(count - 1, first + view.height() / height + 1);
    for (int row = first; row <= last; ++row) {
        QListWidgetItem *item = m_list->item(row);
        TaskRows::setNote(item, m_noteOf(item->text()));
    }
}
