#ifndef TASKDELEGATE_H
#define TASKDELEGATE_H

#include <QStyledItemDelegate>

// Draws a task list's rows from a bounded part of each task: a task can be
// millions of characters long (a log pasted by mistake, another program's
// output), and laying out all of it at every paint would freeze the window.
// The row's item keeps the whole text, so that everything done to the row
// acts on the whole task; only what is drawn and the tooltip are cut.
class TaskDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    // Characters a row shows, and its tooltip, before "…".
    static constexpr int RowLimit = 1000;
    static constexpr int TipLimit = 4000;

    explicit TaskDelegate(QObject *parent = nullptr);

    // The first limit characters of text followed by "…", or text itself
    // when it is no longer; never half of a character made of a surrogate pair.
    static QString bounded(const QString &text, int limit);

    // What a row draws of its task.
    QString displayText(const QVariant &value, const QLocale &locale) const override;
    bool helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                   const QModelIndex &index) override;
};

#endif // TASKDELEGATE_H
