// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"

#include "accessibility.h"
#include "translations.h"
#include "formfit.h"

#include <QApplication>
#include <QIcon>

void AppSetup::beforeApplication()
{
    // Without scaling, a screen at 150 % or 200 % shows the forms at their
    // pixel size, tiny, while the text follows the screen's font DPI and
    // outgrows them. Qt 5 rounds 150 % up to 200 % unless told to pass the
    // factor through.
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
}

void AppSetup::afterApplication()
{
    // Where QSettings keeps the folder used last and the windows' places.
    QCoreApplication::setOrganizationName(QStringLiteral("corvane"));
    QCoreApplication::setApplicationName(QStringLiteral("corvane"));
    // The installed desktop entry, which a Wayland desktop matches the
    // windows to by this name, for their icon and their place in the dock.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.corvane.corvane"));

    // The icons live in the UI library, which the linker would otherwise
    // leave out of the program.
    Q_INIT_RESOURCE(corvane);
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/corvane-%1.png").arg(size), QSize(size, size));
    QApplication::setWindowIcon(icon);

    FormFit::install();
    Accessibility::install();
    Translations::install();
}
