// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKDELEGATE_H
#define TASKDELEGATE_H

#include <QStyledItemDelegate>

// Draws a task list's rows from a bounded part of each task: a task can be
// millions of characters long (a log pasted by mistake, another program's
// output), and laying out all of it at every paint would freeze the window.
// The row's item keeps the whole line, done mark included, so that
// everything done to the row acts on the whole task; only what is drawn and
// the tooltip are cut. A row shows its task's text without the mark, struck
// through and dimmed when it is done, and a note of the window's, such as
// where else the task is planned, dimmed at its right end.
class TaskDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // Characters a row shows, and its tooltip, before "…".
    static constexpr int RowLimit = 1000;
    static constexpr int TipLimit = 4000;
    // The item role that holds a row's note.
    static constexpr int NoteRole = Qt::UserRole + 1;

    explicit TaskDelegate(QObject *parent = nullptr);

    // The first limit characters of text followed by "…", or text itself
    // when it is no longer; never half of a character made of a surrogate pair.
    static QString bounded(const QString &text, int limit);
    // What the tooltip of a row of line says: its text, and the day it was
    // done.
    static QString toolTip(const QString &line);

    // What a row draws of its task.
    QString displayText(const QVariant &value, const QLocale &locale) const override;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;

signals:
    // The user clicked the check box of row: the window marks the task,
    // through its file; the row follows the file.
    void checkClicked(int row);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;
};

#endif // TASKDELEGATE_H
