// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

// The program's texts in the language that the system's locale asks for,
// for the windows and the command line alike. The catalogues are built
// into the program, so that it and its tests find them wherever they run.
#include <QString>

class Translations
{
public:
    // Installs Qt's own catalogue (its dialogs, buttons and the command
    // line parser's help) and the program's, once a QCoreApplication
    // exists. Without a catalogue for the locale, texts stay in English.
    static void install();
    // The program's text for source in context, in the system's language,
    // where no QCoreApplication is there to install the catalogue in: for
    // what is said when none could be made.
    static QString text(const char *context, const char *source);
};

#endif // TRANSLATIONS_H
