// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef APPSETUP_H
#define APPSETUP_H

// What the program sets up around its application object: scaling for
// high-DPI screens, its icon, forms fitted to the font, screen readers and
// the user's language.
class AppSetup
{
public:
    // Before the QApplication is made: Qt reads these when it starts.
    static void beforeApplication();

    // Right after the QApplication is made.
    static void afterApplication();
};

#endif // APPSETUP_H
