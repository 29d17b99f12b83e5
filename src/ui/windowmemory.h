// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WINDOWMEMORY_H
#define WINDOWMEMORY_H

#include <QObject>

class QWidget;

// Remembers where each kind of window was and how large, in the user's
// settings, and opens the next window of that kind there. A place that is
// on no screen now (a screen unplugged since), or only partly on one, is
// brought fully onto one.
// Dialogs are left to open over their windows.
class WindowMemory : public QObject
{
    Q_OBJECT

public:
    // From now on, for every window of the program.
    static void install();

    // The settings key that a kind of window's geometry is kept under.
    static QString key(const QWidget *window);

    // Moves window, frame and all, onto the available room of the screen
    // it is mostly on, when part of it is off.
    static void keepOnScreen(QWidget *window);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

#endif // WINDOWMEMORY_H
