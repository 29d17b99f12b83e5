// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FORMFIT_H
#define FORMFIT_H

#include <QObject>

class QWidget;

// Fits the forms that place their widgets at fixed pixel positions to the
// fonts they are shown with, so that no text is cut at a larger font.
//
// The forms were drawn for a 12 pixel font (9 points at 96 dpi). With a
// larger application font the whole form, window included, is first scaled
// by the ratio of the two. Then each label, button, combo box and button box
// whose text still does not fit the room it has grows to the size its style
// asks for, and only those. A widget it would come to cover moves right or
// down just far enough, and the window grows only when a widget would stick
// out of it. At the font the forms were drawn for nothing moves but what a
// cut text needs.
class FormFit : public QObject
{
    Q_OBJECT

public:
    // From now on, fits every window and dialog of the program when it is
    // first polished, just before it is first shown: once its texts are set,
    // before anyone sees it.
    static void install();

    // Fits window's form now, once; later calls and windows whose form has a
    // layout are left alone. A main window's form is its central widget.
    static void fit(QWidget *window);

    // The pixel size of the font the forms were drawn for.
    static constexpr int designPixelSize = 12;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    using QObject::QObject;
};

#endif // FORMFIT_H
