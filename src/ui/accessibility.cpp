// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "accessibility.h"

#include <QAccessibleWidget>
#include <QWidget>

namespace {

QAccessibleInterface *windowOfPlainWidget(const QString &, QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    // Only a window whose class derives from QWidget itself: dialogs, main
    // windows and menus have their own interfaces, which say what they are.
    if (!widget || !widget->isWindow() || widget->metaObject()->superClass() != &QWidget::staticMetaObject)
        return nullptr;
    return new QAccessibleWidget(widget, QAccessible::Window);
}

} // namespace

void Accessibility::install()
{
    QAccessible::installFactory(windowOfPlainWidget);
}
