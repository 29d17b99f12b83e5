// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowmemory.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QWidget>

namespace {

const char restoredProperty[] = "corvaneGeometryRestored";

// The program's own windows: top-level, not dialogs, menus or tooltips.
bool remembered(QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && widget->windowType() == Qt::Window && !qobject_cast<QDialog *>(widget);
}

} // namespace

void WindowMemory::install()
{
    qApp->installEventFilter(new WindowMemory(qApp));
}

QString WindowMemory::key(const QWidget *window)
{
    return QStringLiteral("windows/%1/geometry").arg(QLatin1String(window->metaObject()->className()));
}

bool WindowMemory::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || !remembered(watched))
        return false;
    auto *window = static_cast<QWidget *>(watched);
    QSettings settings;
    if (event->type() == QEvent::Hide) {
        settings.setValue(key(window), window->saveGeometry());
    } else if (!window->property(restoredProperty).toBool()) {
        window->setProperty(restoredProperty, true);
        // Qt brings a place that no screen shows now back onto one; one
        // partly off its screen, as when the window is wider than the
        // last one was, is moved fully onto it.
        window->restoreGeometry(settings.value(key(window)).toByteArray());
        keepOnScreen(window);
    }
    return false;
}

void WindowMemory::keepOnScreen(QWidget *window)
{
    const QRect frame = window->frameGeometry();
    QScreen *screen = QGuiApplication::screenAt(frame.center());
    if (!screen)
        screen = window->screen();
    const QRect room = screen->availableGeometry();
    if (room.contains(frame))
        return;
    // A window larger than the room keeps its top left corner in it.
    const int x = qMax(room.left(), qMin(frame.left(), room.right() + 1 - frame.width()));
    const int y = qMax(room.top(), qMin(frame.top(), room.bottom() + 1 - frame.height()));
    window->move(x, y);
}
