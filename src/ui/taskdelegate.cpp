#include "taskdelegate.h"

#include <QAbstractItemView>
#include <QHelpEvent>
#include <QToolTip>

TaskDelegate::TaskDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

QString TaskDelegate::bounded(const QString &text, int limit)
{
    if (text.size() <= limit)
        return text;
    int size = limit;
    if (text.at(size - 1).isHighSurrogate())
        --size;
    return text.left(size) + QChar(0x2026);
}

QString TaskDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    // Cut first: the base class goes over every character of what it gets.
    return QStyledItemDelegate::displayText(bounded(value.toString(), RowLimit), locale);
}

bool TaskDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                             const QModelIndex &index)
{
    // A row too long to show whole tells more of itself when pointed at.
    const QString text = index.data(Qt::DisplayRole).toString();
    if (event->type() != QEvent::ToolTip || text.size() <= RowLimit)
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QToolTip::showText(event->globalPos(), bounded(text, TipLimit), view);
    return true;
}
