// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"
#include "listdialog.h"
#include "mainwindow.h"
#include "pbacklogwindow.h"
#include "sprintwindow.h"
#include "taskdialog.h"
#include "workdir.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QtTest>

#include <cstdio>

// Every window and dialog at several font sizes and screen scales, and in
// German, whose words are longer: no text is cut, no widget sticks out of
// its parent or covers another, and each shows the program's icon. Qt reads QT_FONT_DPI and QT_SCALE_FACTOR when it
// starts, so each size is looked at by a child process: this program
// started with "--look".
class TestFontSizes : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsCut_data();
    void nothingIsCut();
};

namespace {

// The texts a label, button or combo box shows, and the room it shows them in.
QPair<QStringList, QRect> textsAndRoom(QWidget *w)
{
    if (auto *label = qobject_cast<QLabel *>(w))
        return {{label->text()}, label->contentsRect()};
    if (auto *button = qobject_cast<QPushButton *>(w)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return {{button->text()}, w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w)};
    }
    QStringList items;
    QStyleOptionComboBox option;
    auto *combo = qobject_cast<QComboBox *>(w);
    for (int i = 0; combo && i < combo->count(); ++i)
        items.append(combo->itemText(i));
    option.initFrom(w);
    return {items, w->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, w)};
}

// What is cut or misplaced in window, one line each.
QStringList faults(QWidget *window)
{
    QStringList found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->isWindow() || !w->isVisibleTo(window))
            continue;
        if (!w->parentWidget()->rect().contains(w->geometry()))
            found.append(w->objectName() + QStringLiteral(" sticks out"));
        for (QWidget *other : w->parentWidget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
            if (other != w && !other->isWindow() && other->isVisibleTo(window) && other->geometry().intersects(w->geometry()))
                found.append(w->objectName() + QStringLiteral(" covers ") + other->objectName());
        }
        const QPair<QStringList, QRect> texts = textsAndRoom(w);
        for (const QString &text : texts.first) {
            const QSize needs = w->fontMetrics().size(Qt::TextShowMnemonic, text);
            if (needs.width() > texts.second.width() || needs.height() > texts.second.height())
                found.append(QStringLiteral("\"%1\" needs %2x%3, has %4x%5").arg(text).arg(needs.width())
                                 .arg(needs.height()).arg(texts.second.width()).arg(texts.second.height()));
        }
    }
    return found;
}

// The child: every window and dialog with sample data, at a desktop's
// default font family in the point size given, with or without the
// program's high-DPI scaling. Prints what is cut.
int look(int argc, char **argv, int pointSize, bool scaling)
{
    if (scaling)
        AppSetup::beforeApplication();
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Sans Serif"), pointSize));
    AppSetup::afterApplication();
    WorkDir dir;
    WorkDir::write("product_backlog", "Fix the crash on start-up\n");
    WorkDir::write("sprint1", "");

    MainWindow main(nullptr);
    PBacklogWindow backlog(nullptr);
    SprintWindow sprint(nullptr);
    sprint.initSprint(1234);
    ListDialog picker(&sprint);
    picker.setWindowTitle(QStringLiteral("Move task"));
    picker.setList({QStringLiteral("sprint1")});
    TaskDialog add(QStringLiteral("Add task"));
    TaskDialog edit(QStringLiteral("Edit task"), QStringLiteral("Fix the crash on start-up"));
    if (QLocale().language() == QLocale::German && backlog.findChild<QWidget *>("add")->property("text") == "Add task")
        std::printf("Product backlog: shown in English under a German locale\n");
    for (QWidget *window : QList<QWidget *>{&main, &backlog, &sprint, &picker, &add, &edit}) {
        window->show();
        QCoreApplication::processEvents();
        if (window->windowIcon().availableSizes().size() < 8)
            std::printf("%s: not every size of the icon\n", qPrintable(window->windowTitle()));
        for (const QString &fault : faults(window))
            std::printf("%s: %s\n", qPrintable(window->windowTitle()), qPrintable(fault));
    }
    return 0;
}

} // namespace

void TestFontSizes::nothingIsCut_data()
{
    QTest::addColumn<int>("dpi");        // QT_FONT_DPI
    QTest::addColumn<int>("scale");      // QT_SCALE_FACTOR
    QTest::addColumn<int>("pointSize");  // of the desktop's font
    QTest::addColumn<bool>("scaling");   // the program's high-DPI scaling

    QTest::newRow("96 dpi") << 96 << 1 << 9 << true;
    QTest::newRow("120 dpi") << 120 << 1 << 9 << true;
    QTest::newRow("144 dpi") << 144 << 1 << 9 << true;
    QTest::newRow("scale factor 2") << 96 << 2 << 9 << true;
    QTest::newRow("144 dpi, scale factor 2") << 144 << 2 << 9 << true;
    // Fonts that outgrow the forms, which Qt's scaling does not follow.
    QTest::newRow("120 dpi, Qt not scaling") << 120 << 1 << 9 << false;
    QTest::newRow("144 dpi, Qt not scaling") << 144 << 1 << 9 << false;
    QTest::newRow("12 pt at 96 dpi") << 96 << 1 << 12 << true;
    QTest::newRow("16 pt at 144 dpi, Qt not scaling") << 144 << 1 << 16 << false;
    QTest::newRow("German") << 96 << 1 << 9 << true;
    QTest::newRow("German, 12 pt at 120 dpi") << 120 << 1 << 12 << true;
}

void TestFontSizes::nothingIsCut()
{
    QFETCH(int, dpi);
    QFETCH(int, scale);
    QFETCH(int, pointSize);
    QFETCH(bool, scaling);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_FONT_DPI"), QString::number(dpi));
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    for (const char *name : {"LANG", "LC_ALL", "LANGUAGE"}) {
        if (QByteArray(QTest::currentDataTag()).startsWith("German"))
            env.insert(QLatin1String(name), QStringLiteral("de_DE.UTF-8"));
    }
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--look"), QString::number(pointSize), QString::number(scaling)});
    QVERIFY(child.waitForFinished(-1));
    const QByteArray faults = child.readAllStandardOutput();
    QVERIFY2(faults.isEmpty(), faults.constData());
    QCOMPARE(child.exitCode(), 0);
}

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--look") == 0)
        return look(1, argv, QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt());
    QApplication app(argc, argv);
    TestFontSizes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontsizes.moc"
