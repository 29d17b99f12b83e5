// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace {

// Loads one catalogue for the system's languages into translator; false
// when there is none for them.
bool loadInto(QTranslator *translator, const QString &name, const QString &directory)
{
    return translator->load(QLocale(), name, QStringLiteral("_"), directory);
}

// Installs one catalogue for the system's languages; false when there is
// none for them.
bool load(const QString &name, const QString &directory)
{
    auto *translator = new QTranslator(QCoreApplication::instance());
    if (!loadInto(translator, name, directory)) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

} // namespace

void Translations::install()
{
    // The catalogues live in this static library, which the linker would
    // otherwise leave out of the program.
    Q_INIT_RESOURCE(translations);
    load(QStringLiteral("qtbase"), QLibraryInfo::location(QLibraryInfo::TranslationsPath));
    load(QStringLiteral("corvane"), QStringLiteral(":/i18n"));
}

QString Translations::text(const char *context, const char *source)
{
    Q_INIT_RESOURCE(translations);
    QTranslator translator;
    const QString text = loadInto(&translator, QStringLiteral("corvane"), QStringLiteral(":/i18n"))
                             ? translator.translate(context, source)
                             : QString();
    return text.isEmpty() ? QString::fromUtf8(source) : text;
}
