#ifndef TRANSLATIONS_H
#define TRANSLATIONS_H

// The program's texts in the language that the system's locale asks for,
// for the windows and the command line alike. The catalogues are built
// into the program, so that it and its tests find them wherever they run.
class Translations
{
public:
    // Installs Qt's own catalogue (its dialogs, buttons and the command
    // line parser's help) and the program's, once a QCoreApplication
    // exists. Without a catalogue for the locale, texts stay in English.
    static void install();
};

#endif // TRANSLATIONS_H
