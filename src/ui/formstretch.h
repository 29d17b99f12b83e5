// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FORMSTRETCH_H
#define FORMSTRETCH_H

#include <QHash>
#include <QObject>
#include <QPointer>
#include <QRect>
#include <QSize>

class QWidget;

// Lets a window whose form places its widgets at fixed positions be made
// larger: the list takes all the room the window gains, widgets to the
// right of the list keep their distance from its right edge, and widgets
// below it their distance from its bottom. The window cannot be made
// smaller than it first opens, so that no button is ever hidden. At that
// size nothing moves: the form stays as it was drawn (and fitted to the
// font by FormFit).
class FormStretch : public QObject
{
    Q_OBJECT

public:
    // Makes window's form stretch around list, which is a direct child of
    // the form; with no list the window only keeps its first size as its
    // smallest.
    static void install(QWidget *window, QWidget *list);

    // Room that widget, a bar of the window's own below the form, takes at
    // the window's foot: the window grows by it, and the form does not
    // stretch into it. Call before resizing the window for it.
    static void setBottomRoom(QWidget *window, QWidget *widget, int height);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    FormStretch(QWidget *window, QWidget *list);
    // Notes where everything is once the form is fitted to the font.
    void takeBase();
    void follow();

    QWidget *m_window;
    QPointer<QWidget> m_list;
    QSize m_baseSize;
    QRect m_baseList;
    QHash<QWidget *, QRect> m_base;
};

#endif // FORMSTRETCH_H
