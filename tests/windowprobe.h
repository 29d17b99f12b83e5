#ifndef WINDOWPROBE_H
#define WINDOWPROBE_H

#include <QFont>
#include <QListWidget>
#include <QMetaMethod>
#include <QPushButton>
#include <QtTest>

// Looks into a window the way its user sees it: by the object names of its
// children, since the form itself is private.
namespace Probe {

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

// Checks one child of a form; pointSize -1 stands for the default font.
// Use as: Probe::child(...); if (QTest::currentTestFailed()) return;
inline void child(QWidget &w, QWidget *parent, const QString &name, const QString &className,
                  const QRect &geometry, const QString &text, int pointSize)
{
    QWidget *found = w.findChild<QWidget *>(name);
    QVERIFY2(found, qPrintable(name));
    QCOMPARE(found->parentWidget(), parent);
    QCOMPARE(found->metaObject()->className(), qPrintable(className));
    QCOMPARE(found->geometry(), geometry);
    QCOMPARE(found->property("text").toString(), text);
    QCOMPARE(found->font().pointSize(), pointSize == -1 ? QFont().pointSize() : pointSize);
    if (auto *widget = qobject_cast<QListWidget *>(found)) {
        QCOMPARE(widget->selectionMode(), QAbstractItemView::SingleSelection);
        QVERIFY(!widget->isSortingEnabled());
    }
}

// Checks that a class adds exactly these private slots, in this order, and
// no signals or properties of its own.
inline void slotsInOrder(const QMetaObject *meta, const QByteArrayList &expected)
{
    QCOMPARE(meta->methodCount() - meta->methodOffset(), expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        const QMetaMethod method = meta->method(meta->methodOffset() + i);
        QCOMPARE(method.methodSignature(), expected.at(i));
        QCOMPARE(method.methodType(), QMetaMethod::Slot);
        QCOMPARE(method.access(), QMetaMethod::Private);
    }
    QCOMPARE(meta->propertyCount(), meta->propertyOffset());
}

} // namespace Probe

#endif // WINDOWPROBE_H
