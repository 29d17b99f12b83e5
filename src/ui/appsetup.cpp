#include "appsetup.h"

#include "formfit.h"

#include <QApplication>

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
    FormFit::install();
}
