#include "mainwindow.h"
#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "sprintwindow.h"
#include "windowprobe.h"
#include "workdir.h"

#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QtTest>

// The main window: its form, its list of sprint files and the windows its
// two buttons open.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void form_data();
    void form();
    void metaObjectHoldsTheTwoSlotsInOrder();
    void startUpCreatesTheProductBacklog();
    void sprintList_data();
    void sprintList();
    void newSprintTwiceTakesTheNextTwoNumbers();
    void newSprintSeesFilesMadeMeanwhile();
    void openingAnEntry_data();
    void openingAnEntry();
    void noNumberIsLeftAfterTheLargest();
    void productBacklogOpensOneWindowPerPress();

private:
    static QComboBox *sprintsOf(MainWindow &w) { return w.findChild<QComboBox *>("sprints"); }
    static QStringList entries(MainWindow &w)
    {
        QStringList out;
        for (int i = 0; i < sprintsOf(w)->count(); ++i)
            out.append(sprintsOf(w)->itemText(i));
        return out;
    }
    static QString sprintNumberShown(SprintWindow *sw)
    {
        return sw ? sw->findChild<QLabel *>("snumber")->text() : QStringLiteral("<none>");
    }
    static void press(MainWindow &w, const char *name) { Probe::button(w, name)->click(); }
    template<typename T> static QList<T *> windows()
    {
        QList<T *> found;
        for (QWidget *widget : QApplication::topLevelWidgets()) {
            if (auto *window = qobject_cast<T *>(widget))
                found.append(window);
        }
        return found;
    }
};

void TestMainWindow::cleanup()
{
    // The windows the buttons opened have no parent.
    qDeleteAll(windows<SprintWindow>());
    qDeleteAll(windows<PBacklogWindow>());
}

void TestMainWindow::form_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pointSize");   // -1: the default font

    QTest::newRow("pbacklog") << "pbacklog" << "QPushButton" << QRect(120, 90, 151, 31)
                              << "Product backlog" << -1;
    QTest::newRow("label") << "label" << "QLabel" << QRect(170, 40, 61, 31) << "Product" << 11;
    QTest::newRow("label_2") << "label_2" << "QLabel" << QRect(420, 50, 51, 21) << "Sprints" << 11;
    QTest::newRow("sprints") << "sprints" << "QComboBox" << QRect(360, 90, 161, 31) << "" << -1;
    QTest::newRow("sprint_settings") << "sprint_settings" << "QPushButton"
                                     << QRect(390, 150, 111, 23) << "Sprint settings" << -1;
}

void TestMainWindow::form()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, pointSize);

    WorkDir dir;
    MainWindow w(nullptr);
    QCOMPARE(w.objectName(), QStringLiteral("MainWindow"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Corvane"));
    QCOMPARE(w.size(), QSize(624, 289));
    QCOMPARE(w.centralWidget()->objectName(), QStringLiteral("centralwidget"));
    QCOMPARE(w.menuBar()->objectName(), QStringLiteral("menubar"));
    QVERIFY(w.menuBar()->actions().isEmpty());
    QCOMPARE(w.statusBar()->objectName(), QStringLiteral("statusbar"));

    Probe::child(w, w.centralWidget(), name, className, geometry, text, pointSize);
    if (QTest::currentTestFailed())
        return;
    if (auto *box = w.findChild<QComboBox *>(name))
        QVERIFY(!box->isEditable());
}

void TestMainWindow::metaObjectHoldsTheTwoSlotsInOrder()
{
    WorkDir dir;
    MainWindow w(nullptr);
    QCOMPARE(w.metaObject()->className(), "MainWindow");
    Probe::slotsInOrder(w.metaObject(), {"on_pbacklog_clicked()", "on_sprint_settings_clicked()"});
}

void TestMainWindow::startUpCreatesTheProductBacklog()
{
    WorkDir dir;
    MainWindow w(nullptr);
    QVERIFY(w.pbacklog);
    QVERIFY(QFileInfo("product_backlog").isFile());
    QCOMPARE(QFileInfo("product_backlog").size(), 0);
    QCOMPARE(entries(w), QStringList{"New sprint"});
    QVERIFY(!w.sw);
}

void TestMainWindow::sprintList_data()
{
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("directories");
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("next");

    QTest::newRow("empty directory") << QStringList() << QStringList() << QStringList() << 1;
    QTest::newRow("names in case-insensitive order")
        << QStringList{"sprint2", "sprint10", "sprint1"} << QStringList()
        << QStringList{"sprint1", "sprint10", "sprint2"} << 11;
    QTest::newRow("gaps are not filled") << QStringList{"sprint3"} << QStringList()
                                         << QStringList{"sprint3"} << 4;
    QTest::newRow("directories do not count, any case does")
        << QStringList{"SPRINT7", "sprint2"} << QStringList{"sprint9"}
        << QStringList{"sprint2", "SPRINT7"} << 8;
    QTest::newRow("names without a positive number do not count")
        << QStringList{"sprint_old", "sprint-2", "sprint"} << QStringList()
        << QStringList{"sprint", "sprint-2", "sprint_old"} << 1;
    QTest::newRow("leading zeros count") << QStringList{"sprint07", "notes", "my_sprint3"}
                                         << QStringList() << QStringList{"sprint07"} << 8;
    QTest::newRow("a number too large for an int") << QStringList{"sprint99999999999", "sprint4"}
                                                   << QStringList()
                                                   << QStringList{"sprint4", "sprint99999999999"}
                                                   << 5;
}

void TestMainWindow::sprintList()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, directories);
    QFETCH(QStringList, listed);
    QFETCH(int, next);

    WorkDir dir;
    for (const QString &name : files)
        QVERIFY(WorkDir::write(name, ""));
    for (const QString &name : directories)
        QVERIFY(QDir().mkdir(name));

    MainWindow w(nullptr);
    QCOMPARE(entries(w), QStringList{"New sprint"} + listed);
    QCOMPARE(sprintsOf(w)->currentIndex(), 0);

    press(w, "sprint_settings");
    QCOMPARE(sprintNumberShown(w.sw), QString::number(next));
    QVERIFY(QFileInfo(QStringLiteral("sprint%1").arg(next)).isFile());
    QVERIFY(entries(w).contains(QStringLiteral("sprint%1").arg(next)));
    QCOMPARE(sprintsOf(w)->currentText(), QStringLiteral("New sprint"));
}

void TestMainWindow::newSprintTwiceTakesTheNextTwoNumbers()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint3", ""));
    MainWindow w(nullptr);
    press(w, "sprint_settings");
    SprintWindow *first = w.sw;
    QCOMPARE(sprintNumberShown(first), QStringLiteral("4"));
    press(w, "sprint_settings");
    QCOMPARE(sprintNumberShown(w.sw), QStringLiteral("5"));
    QVERIFY(w.sw != first);
    QVERIFY(first->isVisible());
    QCOMPARE(entries(w), (QStringList{"New sprint", "sprint3", "sprint4", "sprint5"}));
    QCOMPARE(sprintsOf(w)->currentIndex(), 0);

    // A closed sprint window goes, and the main window forgets it.
    w.sw->close();
    QTRY_VERIFY(!w.sw);
}

void TestMainWindow::newSprintSeesFilesMadeMeanwhile()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", ""));
    MainWindow w(nullptr);
    w.show();
    QVERIFY(WorkDir::write("sprint20", ""));
    // Shown within a second, without any press.
    QTRY_COMPARE_WITH_TIMEOUT(entries(w), (QStringList{"New sprint", "sprint1", "sprint20"}), 2000);
    // And counted even when the press comes first.
    QVERIFY(WorkDir::write("sprint30", ""));
    press(w, "sprint_settings");
    QCOMPARE(sprintNumberShown(w.sw), QStringLiteral("31"));
}

void TestMainWindow::openingAnEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("fileUsed");
    QTest::newRow("plain") << "sprint2" << "2" << "sprint2";
    QTest::newRow("upper case") << "SPRINT7" << "7" << "sprint7";
    QTest::newRow("leading zero") << "sprint07" << "7" << "sprint7";
    QTest::newRow("not a number") << "sprint_old" << "0" << "sprint0";
}

void TestMainWindow::openingAnEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, number);
    QFETCH(QString, fileUsed);

    WorkDir dir;
    QVERIFY(WorkDir::write(entry, ""));
    MainWindow w(nullptr);
    sprintsOf(w)->setCurrentText(entry);
    QCOMPARE(sprintsOf(w)->currentText(), entry);
    press(w, "sprint_settings");
    SprintWindow *first = w.sw;
    QCOMPARE(sprintNumberShown(first), number);
    QVERIFY(QFileInfo(fileUsed).isFile());
    QCOMPARE(sprintsOf(w)->currentText(), entry);

    // Pressing again opens a second window on the same sprint.
    press(w, "sprint_settings");
    QVERIFY(w.sw != first);
    QCOMPARE(sprintNumberShown(w.sw), number);
    QCOMPARE(windows<SprintWindow>().size(), 2);
}

void TestMainWindow::noNumberIsLeftAfterTheLargest()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint2147483647", ""));
    MainWindow w(nullptr);
    ModalDriver driver;
    press(w, "sprint_settings");
    QVERIFY(!w.sw);
    QVERIFY(windows<SprintWindow>().isEmpty());
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("No new sprint number is left"),
             qPrintable(driver.messages.first()));
    QCOMPARE(entries(w), (QStringList{"New sprint", "sprint2147483647"}));
    QCOMPARE(QDir().entryList({"sprint*"}, QDir::Files), QStringList{"sprint2147483647"});
}

void TestMainWindow::productBacklogOpensOneWindowPerPress()
{
    WorkDir dir;
    MainWindow w(nullptr);
    press(w, "pbacklog");
    press(w, "pbacklog");
    const QList<PBacklogWindow *> opened = windows<PBacklogWindow>();
    QCOMPARE(opened.size(), 2);
    for (PBacklogWindow *window : opened) {
        QVERIFY(window->isVisible());
        QVERIFY(!window->parentWidget());
    }
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
