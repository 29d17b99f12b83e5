// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "formfit.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontInfo>
#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>
#include <QStyle>
#include <QStyleOptionButton>
#include <QVector>

#include <climits>

namespace {

const char fittedProperty[] = "corvaneFormFitted";

// Edges are scaled, not sizes, so that widgets that touched still touch.
int scaled(int edge, qreal scale)
{
    return qRound(edge * scale);
}

QRect scaled(const QRect &rect, qreal scale)
{
    const int left = scaled(rect.x(), scale);
    const int top = scaled(rect.y(), scale);
    return QRect(left, top, scaled(rect.x() + rect.width(), scale) - left,
                 scaled(rect.y() + rect.height(), scale) - top);
}

// Whether a button's text fits the part of it that the style draws text in.
bool textFits(const QAbstractButton *button, const QSize &size)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.rect = QRect(QPoint(), size);
    option.text = button->text();
    const QRect room = button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const QSize text = button->fontMetrics().size(Qt::TextShowMnemonic, button->text());
    return text.width() <= room.width() && text.height() <= room.height();
}

// The size widget needs for its text to show whole, when size would cut it;
// size itself otherwise.
QSize needed(QWidget *widget, const QSize &size)
{
    widget->ensurePolished();
    if (auto *button = qobject_cast<QAbstractButton *>(widget)) {
        // The size hint of a button is wider than its text needs (at least
        // 80 pixels in some styles): asked only once the text is cut.
        return textFits(button, size) ? size : size.expandedTo(button->sizeHint());
    }
    if (qobject_cast<QLabel *>(widget) || qobject_cast<QComboBox *>(widget)
        || qobject_cast<QDialogButtonBox *>(widget))
        return size.expandedTo(widget->sizeHint());
    return size;
}

struct Placed
{
    QWidget *widget;
    QRect was;  // where the form puts it, scaled
    QRect now;
};

// Moves the widgets that others came to cover right or down, just clear of
// them. Only widgets that lay right of or below the one covering them move,
// and only right or down, so the moves come to an end; the bound on rounds
// is a safeguard.
void clearOverlaps(QVector<Placed> &placed)
{
    const int rounds = placed.size() * placed.size();
    bool moved = true;
    for (int round = 0; moved && round < rounds; ++round) {
        moved = false;
        for (const Placed &a : placed) {
            for (Placed &b : placed) {
                if (&a == &b || a.was.intersects(b.was) || !a.now.intersects(b.now))
                    continue;
                const int dx = a.was.right() < b.was.left() ? a.now.right() + 1 - b.now.left() : INT_MAX;
                const int dy = a.was.bottom() < b.was.top() ? a.now.bottom() + 1 - b.now.top() : INT_MAX;
                if (dx == INT_MAX && dy == INT_MAX)
                    continue;  // b lay before a: a is the one to move
                if (dx <= dy)
                    b.now.translate(dx, 0);
                else
                    b.now.translate(0, dy);
                moved = true;
            }
        }
    }
}

} // namespace

void FormFit::install()
{
    if (qApp->findChild<FormFit *>(QString(), Qt::FindDirectChildrenOnly))
        return;
    qApp->installEventFilter(new FormFit(qApp));
}

bool FormFit::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::Polish && watched->isWidgetType()) {
        // Windows and dialogs only: popups, menus and tooltips size themselves.
        auto *widget = static_cast<QWidget *>(watched);
        if (widget->windowType() == Qt::Window || widget->windowType() == Qt::Dialog)
            fit(widget);
    }
    return QObject::eventFilter(watched, event);
}

void FormFit::fit(QWidget *window)
{
    auto *mainWindow = qobject_cast<QMainWindow *>(window);
    QWidget *form = mainWindow ? mainWindow->centralWidget() : window;
    if (!form || form->layout() || window->property(fittedProperty).toBool())
        return;
    window->setProperty(fittedProperty, true);

    const qreal scale = qMax<qreal>(1, qreal(QFontInfo(window->font()).pixelSize()) / designPixelSize);

    // A main window's menu bar and status bar take their height from the
    // font themselves; the rest of the window is the form's.
    int bars = 0;
    if (mainWindow) {
        if (QWidget *bar = mainWindow->menuWidget())
            bars += bar->sizeHint().height();
        if (auto *bar = mainWindow->findChild<QStatusBar *>(QString(), Qt::FindDirectChildrenOnly))
            bars += bar->sizeHint().height();
    }
    const QSize room(scaled(window->width(), scale), scaled(window->height(), scale) - bars);

    QVector<Placed> placed;
    int right = 0;
    int bottom = 0;
    for (QObject *child : form->children()) {
        auto *widget = qobject_cast<QWidget *>(child);
        if (!widget || widget->isWindow())
            continue;
        const QRect was = scaled(widget->geometry(), scale);
        placed.append({widget, was, QRect(was.topLeft(), needed(widget, was.size()))});
        right = qMax(right, was.x() + was.width());
        bottom = qMax(bottom, was.y() + was.height());
    }
    if (placed.isEmpty())
        return;
    const QSize margins(qMax(0, room.width() - right), qMax(0, room.height() - bottom));

    clearOverlaps(placed);

    // The window grows only when a widget would stick out of it, and then
    // keeps the form's margin beyond the widgets.
    int newRight = 0;
    int newBottom = 0;
    for (const Placed &p : placed) {
        p.widget->setGeometry(p.now);
        newRight = qMax(newRight, p.now.x() + p.now.width());
        newBottom = qMax(newBottom, p.now.y() + p.now.height());
    }
    QSize size = room;
    if (newRight > room.width())
        size.setWidth(newRight + margins.width());
    if (newBottom > room.height())
        size.setHeight(newBottom + margins.height());
    window->resize(size.width(), size.height() + bars);
}
