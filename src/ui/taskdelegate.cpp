// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskdelegate.h"

#include "donemark.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QHelpEvent>
#include <QLocale>
#include <QMouseEvent>
#include <QPainter>
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

QString TaskDelegate::toolTip(const QString &line)
{
    const QString text = bounded(DoneMark::textOf(line), TipLimit);
    const QDate day = DoneMark::date(line);
    if (!day.isValid())
        return text;
    return tr("%1\nDone on %2").arg(text, QLocale().toString(day, QLocale::LongFormat));
}

QString TaskDelegate::displayText(const QVariant &value, const QLocale &locale) const
{
    // Cut first: the base class goes over every character of what it gets.
    return QStyledItemDelegate::displayText(bounded(DoneMark::textOf(value.toString()), RowLimit), locale);
}

void TaskDelegate::initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const
{
    QStyledItemDelegate::initStyleOption(option, index);
    if (DoneMark::isDone(index.data(Qt::DisplayRole).toString())) {
        option->font.setStrikeOut(true);
        option->palette.setColor(QPalette::Text, option->palette.color(QPalette::Disabled, QPalette::Text));
    }
}

void TaskDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QString note = index.data(NoteRole).toString();
    if (note.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    // The task's text is cut short of the note, which keeps its place at
    // the row's end.
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QFontMetrics metrics(option.font);
    const int margin = metrics.averageCharWidth();
    const int noteWidth = metrics.horizontalAdvance(note) + 2 * margin;
    const QStyle *style = row.widget ? row.widget->style() : QApplication::style();
    const QRect textArea = style->subElementRect(QStyle::SE_ItemViewItemText, &row, row.widget);
    row.text = QFontMetrics(row.font).elidedText(row.text, Qt::ElideRight, qMax(0, textArea.width() - noteWidth));
    style->drawControl(QStyle::CE_ItemViewItem, &row, painter, row.widget);
    painter->save();
    const bool selected = option.state & QStyle::State_Selected;
    painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::PlaceholderText));
    painter->setFont(option.font);
    painter->drawText(option.rect.adjusted(0, 0, -margin, 0), Qt::AlignRight | Qt::AlignVCenter, note);
    painter->restore();
}

bool TaskDelegate::editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                               const QModelIndex &index)
{
    // A check box changes the file, never the row alone: the click is
    // handed to the window, and the row shows what the file then holds.
    const bool mouse = event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease
        || event->type() == QEvent::MouseButtonDblClick;
    if (!index.data(Qt::CheckStateRole).isValid() || !mouse)
        return event->type() == QEvent::KeyPress ? false : QStyledItemDelegate::editorEvent(event, model, option, index);
    const auto *click = static_cast<QMouseEvent *>(event);
    QStyleOptionViewItem row = option;
    initStyleOption(&row, index);
    const QStyle *style = row.widget ? row.widget->style() : QApplication::style();
    const QRect box = style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &row, row.widget);
    if (click->button() != Qt::LeftButton || !box.contains(click->pos()))
        return false;
    if (event->type() == QEvent::MouseButtonRelease)
        emit checkClicked(index.row());
    return true;
}

bool TaskDelegate::helpEvent(QHelpEvent *event, QAbstractItemView *view, const QStyleOptionViewItem &option,
                             const QModelIndex &index)
{
    // A row too long to show whole tells more of itself when pointed at,
    // and a done one says when it was done.
    const QString line = index.data(Qt::DisplayRole).toString();
    const QString note = index.data(NoteRole).toString();
    if (event->type() != QEvent::ToolTip || (line.size() <= RowLimit && !DoneMark::isDone(line) && note.isEmpty()))
        return QStyledItemDelegate::helpEvent(event, view, option, index);
    QString tip = toolTip(line);
    if (!note.isEmpty())
        tip += QLatin1Char('\n') + note;
    QToolTip::showText(event->globalPos(), tip, view);
    return true;
}
