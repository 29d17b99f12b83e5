// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ACCESSIBILITY_H
#define ACCESSIBILITY_H

// What screen readers are told about the program beyond what Qt tells them
// on its own.
class Accessibility
{
public:
    // The list windows are plain widgets, which Qt presents as a filler
    // inside nothing; from now on they are presented as the windows they
    // are, named by their titles.
    static void install();
};

#endif // ACCESSIBILITY_H
