// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WINDOWPROBE_H
#define WINDOWPROBE_H

#include "formfit.h"

#include <QApplication>
#include <QFont>
#include <QListWidget>
#include <QMetaMethod>
#include <QPushButton>
#include <QtTest>

// Looks into a window the way its user sees it: by the object names of its
// children, since the form itself is private.
namespace Probe {

// How long a window may take to follow a change on disk before a test gives
// up. A passing check returns as soon as it holds, so this only bounds a
// failure; it is generous because a sanitizer build on a busy machine is
// many times slower than a plain one on an idle machine.
constexpr int FollowMs = 60000;

// The forms as the program shows them at a desktop's default font, 9 pt Sans
// Serif at 96 dpi: 12 pixels, whatever DPI the platform reports. For
// initTestCase().
inline void desktopFont()
{
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(FormFit::designPixelSize);
    QApplication::setFont(font);
    FormFit::install();
}

inline QListWidget *list(QWidget &w, const char *name = "tasks")
{
    return w.findChild<QListWidget *>(QLatin1String(name));
}

inline QPushButton *button(QWidget &w, const char *name)
{
    return w.findChild<QPushButton *>(QLatin1String(name));
}

inline QStringList rows(QWidget &w, const char *name = "tasks")
{
    QStringList out;
    QListWidget *widget = list(w, name);
    for (int i = 0; widget && i < widget->count(); ++i)
        out.append(widget->item(i)->text());
    return out;
}

// A form table: one row per child, pointSize -1 standing for the default font.
inline void formColumns()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pointSize");
}

inline void formRow(const char *name, const char *className, const QRect &geometry,
                    const char *text = "", int pointSize = -1)
{
    QTest::newRow(name) << QString::fromLatin1(name) << QString::fromLatin1(className) << geometry
                        << QString::fromUtf8(text) << pointSize;
}

// Checks the window itself: object and class name, title, size, and that its
// class adds exactly these private slots, in this order, and no signals or
// properties of its own. Follow with: if (QTest::currentTestFailed()) return;
inline void window(QWidget &w, const char *name, const QString &title, const QSize &size,
                   const QByteArrayList &slotNames)
{
    w.ensurePolished();  // fitted to the font, as when first shown
    QCOMPARE(w.objectName(), QLatin1String(name));
    QCOMPARE(w.windowTitle(), title);
    QCOMPARE(w.size(), size);
    const QMetaObject *meta = w.metaObject();
    QCOMPARE(meta->className(), name);
    QCOMPARE(meta->methodCount() - meta->methodOffset(), slotNames.size());
    for (int i = 0; i < slotNames.size(); ++i) {
        const QMetaMethod method = meta->method(meta->methodOffset() + i);
        QCOMPARE(method.methodSignature(), slotNames.at(i));
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
    }
    QCOMPARE(meta->propertyCount(), meta->propertyOffset());
}

// Checks the child of the current form table row under parent.
inline void child(QWidget &w, QWidget *parent)
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, pointSize);
    QWidget *found = w.findChild<QWidget *>(name);
    QVERIFY2(found, qPrintable(name));
    QCOMPARE(found->parentWidget(), parent);
    QCOMPARE(found->metaObject()->className(), qPrintable(className));
    QCOMPARE(found->geometry(), geometry);
    QCOMPARE(found->property("text").toString(), text);
    QCOMPARE(found->font().pointSize(), pointSize == -1 ? QFont().pointSize() : pointSize);
    if (auto *widget = qobject_cast<QListWidget *>(found)) {
        // A window's task list takes several tasks at once; a picker, one
        // until it is told otherwise.
        QCOMPARE(widget->selectionMode(), name == QLatin1String("tasks") ? QAbstractItemView::ExtendedSelection
                                                                         : QAbstractItemView::SingleSelection);
        QVERIFY(!widget->isSortingEnabled());
    }
}

} // namespace Probe

#endif // WINDOWPROBE_H
