// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formstretch.h"

#include <QEvent>
#include <QMainWindow>
#include <QVariant>

FormStretch::FormStretch(QWidget *window, QWidget *list)
    : QObject(window)
    , m_window(window)
    , m_list(list)
{
}

void FormStretch::install(QWidget *window, QWidget *list)
{
    window->installEventFilter(new FormStretch(window, list));
}

bool FormStretch::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window)
        return false;
    // FormFit fits the form when the window is polished, as an application
    // filter, which sees the event before this one does.
    if (event->type() == QEvent::Polish && m_baseSize.isEmpty())
        takeBase();
    else if (event->type() == QEvent::Resize && !m_baseSize.isEmpty())
        follow();
    return false;
}

namespace {
// The window's property that holds its bottom room, and the widget's that
// keeps it out of the stretching.
const char BottomRoom[] = "formStretchBottomRoom";
const char OwnPlace[] = "formStretchOwnPlace";
} // namespace

void FormStretch::setBottomRoom(QWidget *window, QWidget *widget, int height)
{
    widget->setProperty(OwnPlace, true);
    const int before = window->property(BottomRoom).toInt();
    window->setProperty(BottomRoom, height);
    window->setMinimumHeight(qMax(0, window->minimumHeight() - before + height));
}

void FormStretch::takeBase()
{
    const int room = m_window->property(BottomRoom).toInt();
    m_baseSize = m_window->size() - QSize(0, room);
    m_window->setMinimumSize(m_baseSize + QSize(0, room));
    if (!m_list)
        return;
    m_baseList = m_list->geometry();
    const QWidget *form = m_list->parentWidget();
    for (QObject *object : form->children()) {
        auto *widget = qobject_cast<QWidget *>(object);
        if (!widget || widget == m_list || widget->isWindow() || widget->property(OwnPlace).toBool())
            continue;
        const QRect rect = widget->geometry();
        if (rect.left() > m_baseList.right() || rect.top() > m_baseList.bottom())
            m_base.insert(widget, rect);
    }
}

void FormStretch::follow()
{
    if (!m_list)
        return;
    const int dx = qMax(0, m_window->width() - m_baseSize.width());
    const int dy = qMax(0, m_window->height() - m_window->property(BottomRoom).toInt() - m_baseSize.height());
    m_list->setGeometry(m_baseList.adjusted(0, 0, dx, dy));
    for (auto it = m_base.cbegin(); it != m_base.cend(); ++it) {
        QRect rect = it.value();
        if (rect.left() > m_baseList.right()) {
            rect.translate(dx, 0);
        } else {
            rect.translate(0, dy);
            // A row of buttons as wide as the list stays as wide as it.
            if (rect.right() == m_baseList.right())
                rect.setRight(rect.right() + dx);
        }
        it.key()->setGeometry(rect);
    }
}
