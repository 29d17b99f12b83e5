#include "windowmemory.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QSettings>
#include <QWidget>

namespace {

const char restoredProperty[] = "corvaneGeometryRestored";

// The program's own windows: top-level, not dialogs, menus or tooltips.
bool remembered(QObject *object)
{
    auto *widget = qobject_cast<QWidget *>(object);
    return widget && widget->windowType() == Qt::Window && !qobject_cast<QDialog *>(widget);
}

} // namespace

void WindowMemory::install()
{
    qApp->installEventFilter(new WindowMemory(qApp));
}

QString WindowMemory::key(const QWidget *window)
{
    return QStringLiteral("windows/%1/geometry").arg(QLatin1String(window->metaObject()->className()));
}

bool WindowMemory::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || !remembered(watched))
        return false;
    auto *window = static_cast<QWidget *>(watched);
    QSettings settings;
    if (event->type() == QEvent::Hide) {
        settings.setValue(key(window), window->saveGeometry());
    } else if (!window->property(restoredProperty).toBool()) {
        window->setProperty(restoredProperty, true);
        // Qt brings a place that no screen shows now back onto one.
        window->restoreGeometry(settings.value(key(window)).toByteArray());
    }
    return false;
}
