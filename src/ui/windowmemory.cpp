#include "windowmemory.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QScreen>
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

// Puts window back on the screen nearest to it when none shows its title
// bar: restoreGeometry() only does so for a screen that is gone, not for
// one that moved or shrank.
void ontoScreen(QWidget *window)
{
    const QRect frame = window->frameGeometry();
    const QPoint titleBar(frame.center().x(), frame.top() + 8);
    if (QGuiApplication::screenAt(titleBar))
        return;
    QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect room = screen->availableGeometry();
    QRect rect = window->geometry();
    rect.setSize(rect.size().boundedTo(room.size()).expandedTo(window->minimumSize()));
    rect.moveCenter(room.center());
    window->setGeometry(rect);
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
        if (window->restoreGeometry(settings.value(key(window)).toByteArray()))
            ontoScreen(window);
    }
    return false;
}
