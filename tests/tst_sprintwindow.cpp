#include "modaldriver.h"
#include "productbacklog.h"
#include "sprint.h"
#include "sprintwindow.h"
#include "windowprobe.h"
#include "workdir.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// The sprint window, driven by clicks with its pickers answered by the test.
class TestSprintWindow : public QObject
{
    Q_OBJECT

private slots:
    void form_data();
    void form();
    void metaObjectHoldsTheThreeSlotsInOrder();
    void opensTheSprintWithTheListFocused();
    void addTasks_data();
    void addTasks();
    void addTasksOffersTheBacklogAsItIsNow();
    void moveTask_data();
    void moveTask();
    void moveListsOtherSprintFilesOnly();
    void aTaskMovedInShowsInTheTargetWindow();
    void deleteTask_data();
    void deleteTask();
    void failedSaveIsShownAndTheListStaysAsTheFile_data();
    void failedSaveIsShownAndTheListStaysAsTheFile();
    void unreadableSprintIsShownReadOnly();

private:
    static QStringList fileTasks(int number) { return Sprint(number).getTasks(); }
};

void TestSprintWindow::form_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pointSize");   // -1: the default font

    QTest::newRow("delete_2") << "delete_2" << "QPushButton" << QRect(300, 154, 161, 31)
                              << "Delete" << -1;
    QTest::newRow("label_2") << "label_2" << "QLabel" << QRect(300, 224, 101, 31)
                             << "Sprint number:" << 11;
    QTest::newRow("add") << "add" << "QPushButton" << QRect(300, 54, 161, 31)
                         << "Add from sprint backlog" << -1;
    QTest::newRow("label") << "label" << "QLabel" << QRect(40, 24, 91, 21) << "Sprint tasks" << 11;
    QTest::newRow("tasks") << "tasks" << "QListWidget" << QRect(20, 54, 251, 201) << "" << -1;
    QTest::newRow("move") << "move" << "QPushButton" << QRect(300, 104, 161, 31)
                          << "Move to another sprint" << -1;
    QTest::newRow("snumber") << "snumber" << "QLabel" << QRect(410, 230, 61, 20) << "3" << 11;
}

void TestSprintWindow::form()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, pointSize);

    WorkDir dir;
    SprintWindow w(nullptr);
    w.initSprint(3);
    QCOMPARE(w.objectName(), QStringLiteral("SprintWindow"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Sprint settings"));
    QCOMPARE(w.size(), QSize(478, 300));
    QVERIFY(!w.layout());

    Probe::child(w, &w, name, className, geometry, text, pointSize);
    if (QTest::currentTestFailed())
        return;
    auto *label = w.findChild<QLabel *>(name);
    const bool green = name == QLatin1String("label_2");
    if (label) {
        QCOMPARE(label->textFormat(), green ? Qt::PlainText : Qt::AutoText);
        QCOMPARE(label->styleSheet(), green ? QStringLiteral("QLabel {color : green; }") : QString());
    }
}

void TestSprintWindow::metaObjectHoldsTheThreeSlotsInOrder()
{
    WorkDir dir;
    SprintWindow w(nullptr);
    QCOMPARE(w.metaObject()->className(), "SprintWindow");
    Probe::slotsInOrder(w.metaObject(), {"on_add_clicked()", "on_move_clicked()", "on_delete_2_clicked()"});
}

void TestSprintWindow::opensTheSprintWithTheListFocused()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint3", "first\nsecond\n"));
    SprintWindow w(nullptr);
    w.initSprint(3);
    QCOMPARE(Probe::rows(w), (QStringList{"first", "second"}));
    QCOMPARE(w.findChild<QLabel *>("snumber")->text(), QStringLiteral("3"));
    QVERIFY(Probe::list(w)->uniformItemSizes());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), Probe::list(w));

    // A sprint without a file gets one, empty.
    SprintWindow fresh(nullptr);
    fresh.initSprint(8);
    QVERIFY(Probe::rows(fresh).isEmpty());
    QCOMPARE(WorkDir::read("sprint8"), QByteArray());
}

void TestSprintWindow::addTasks_data()
{
    QTest::addColumn<QStringList>("picked");  // in the order chosen
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("one") << QStringList{"b"} << false << QStringList{"held", "b"};
    QTest::newRow("several, in the order chosen") << QStringList{"c", "a"} << false
                                                  << QStringList{"held", "c", "a"};
    QTest::newRow("a held task shows once") << QStringList{"held"} << false
                                            << QStringList{"held"};
    QTest::newRow("nothing chosen") << QStringList() << false << QStringList{"held"};
    QTest::newRow("cancel") << QStringList{"a"} << true << QStringList{"held"};
}

void TestSprintWindow::addTasks()
{
    QFETCH(QStringList, picked);
    QFETCH(bool, cancel);
    QFETCH(QStringList, expected);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\nheld\nc\n"));
    QVERIFY(WorkDir::write("sprint1", "held\n"));
    SprintWindow w(nullptr);
    w.initSprint(1);
    w.show();

    ModalDriver driver;
    driver.add(cancel ? ModalDriver::cancel() : ModalDriver::pick(picked));
    Probe::button(w, "add")->click();
    QVERIFY(driver.done());
    QCOMPARE(driver.titles, QStringList{"Add tasks"});
    QCOMPARE(driver.offered, (QStringList{"a", "b", "held", "c"}));
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(fileTasks(1), expected);
    QCOMPARE(Probe::rows(w), expected);
    // The backlog keeps the tasks.
    QCOMPARE(WorkDir::read("product_backlog"), QByteArray("a\nb\nheld\nc\n"));
}

void TestSprintWindow::addTasksOffersTheBacklogAsItIsNow()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "old\n"));
    SprintWindow w(nullptr);
    w.initSprint(1);
    w.show();
    productbacklog other;
    QVERIFY(other.addItem("added later"));

    ModalDriver driver;
    driver.add(ModalDriver::pick({"added later"}));
    Probe::button(w, "add")->click();
    QCOMPARE(driver.offered, (QStringList{"old", "added later"}));
    QCOMPARE(Probe::rows(w), QStringList{"added later"});
}

void TestSprintWindow::moveTask_data()
{
    QTest::addColumn<int>("row");          // -1: no current row
    QTest::addColumn<bool>("deselect");    // current row Ctrl+clicked off
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("expectedHere");
    QTest::addColumn<int>("targetNumber");
    QTest::addColumn<QStringList>("expectedThere");

    QTest::newRow("to another sprint") << 1 << false << "sprint2" << QStringList{"a", "c"}
                                       << 2 << QStringList{"x", "b"};
    QTest::newRow("a task the target holds") << 0 << false << "sprint2" << QStringList{"b", "c"}
                                             << 2 << QStringList{"x", "a"};
    QTest::newRow("no current row") << -1 << false << "sprint2" << QStringList{"a", "b", "c"}
                                    << 2 << QStringList{"x"};
    QTest::newRow("current row deselected") << 1 << true << "sprint2"
                                            << QStringList{"a", "b", "c"}
                                            << 2 << QStringList{"x"};
    QTest::newRow("a name without a number is sprint 0") << 2 << false << "sprint_old"
                                                         << QStringList{"a", "b"}
                                                         << 0 << QStringList{"c"};
    QTest::newRow("another name for this sprint keeps the task") << 0 << false << "sprint05"
                                                                 << QStringList{"a", "b", "c"}
                                                                 << 5
                                                                 << QStringList{"a", "b", "c"};
}

void TestSprintWindow::moveTask()
{
    QFETCH(int, row);
    QFETCH(bool, deselect);
    QFETCH(QString, target);
    QFETCH(QStringList, expectedHere);
    QFETCH(int, targetNumber);
    QFETCH(QStringList, expectedThere);

    WorkDir dir;
    QVERIFY(WorkDir::write("sprint5", "a\nb\nc\n"));
    // The first task is held by sprint 2 already, for the move that finds it there.
    QVERIFY(WorkDir::write("sprint2", targetNumber == 2 && row == 0 ? "x\na\n" : "x\n"));
    QVERIFY(WorkDir::write("sprint05", ""));
    QVERIFY(WorkDir::write("sprint_old", ""));
    SprintWindow w(nullptr);
    w.initSprint(5);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QListWidget *list = Probe::list(w);
    if (row >= 0) {
        list->setCurrentRow(row);
        if (deselect)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(row)).center());
    }

    ModalDriver driver;
    driver.add(ModalDriver::pick({target}));
    Probe::button(w, "move")->click();
    QVERIFY(driver.done());
    QCOMPARE(driver.titles, QStringList{"Move task"});
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(fileTasks(5), expectedHere);
    QCOMPARE(Probe::rows(w), expectedHere);
    QCOMPARE(fileTasks(targetNumber), expectedThere);
}

void TestSprintWindow::moveListsOtherSprintFilesOnly()
{
    WorkDir dir;
    for (const char *name : {"sprint1", "sprint2", "sprint10", "Sprint5", "notes"})
        QVERIFY(WorkDir::write(name, ""));
    QVERIFY(QDir().mkdir("sprint9"));
    SprintWindow w(nullptr);
    w.initSprint(5);
    w.show();
    Probe::list(w)->setCurrentRow(-1);

    ModalDriver driver;
    driver.add(ModalDriver::accept());
    Probe::button(w, "move")->click();
    QCOMPARE(driver.offered, (QStringList{"sprint1", "sprint10", "sprint2", "Sprint5"}));

    // Alone, the dialog is empty and accepting it changes nothing.
    WorkDir alone;
    SprintWindow single(nullptr);
    QVERIFY(WorkDir::write("sprint4", "t\n"));
    single.initSprint(4);
    single.show();
    Probe::list(single)->setCurrentRow(0);
    driver.add(ModalDriver::accept());
    Probe::button(single, "move")->click();
    QVERIFY(driver.offered.isEmpty());
    QCOMPARE(Probe::rows(single), QStringList{"t"});
    QCOMPARE(QDir().entryList(QDir::Files), (QStringList{"product_backlog", "sprint4"}));
}

void TestSprintWindow::aTaskMovedInShowsInTheTargetWindow()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", "travelling\n"));
    QVERIFY(WorkDir::write("sprint2", "settled\n"));
    SprintWindow from(nullptr);
    from.initSprint(1);
    SprintWindow to(nullptr);
    to.initSprint(2);
    from.show();
    to.show();
    // A second window on the target sprint too.
    SprintWindow again(nullptr);
    again.initSprint(2);
    again.show();

    Probe::list(from)->setCurrentRow(0);
    ModalDriver driver;
    driver.add(ModalDriver::pick({"sprint2"}));
    Probe::button(from, "move")->click();
    QVERIFY(Probe::rows(from).isEmpty());
    const QStringList expected{"settled", "travelling"};
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(to), expected, 2000);
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(again), expected, 2000);
}

void TestSprintWindow::deleteTask_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("button") << 1 << false << QStringList{"a", "c"};
    QTest::newRow("Delete key") << 2 << true << QStringList{"a", "b"};
    QTest::newRow("nothing selected") << -1 << false << QStringList{"a", "b", "c"};
}

void TestSprintWindow::deleteTask()
{
    QFETCH(int, row);
    QFETCH(bool, byKey);
    QFETCH(QStringList, expected);

    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", "a\nb\nc\n"));
    SprintWindow w(nullptr);
    w.initSprint(1);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (row >= 0)
        Probe::list(w)->setCurrentRow(row);
    if (byKey)
        QTest::keyClick(Probe::list(w), Qt::Key_Delete);
    else
        Probe::button(w, "delete_2")->click();
    QCOMPARE(fileTasks(1), expected);
    QCOMPARE(Probe::rows(w), expected);
}

void TestSprintWindow::failedSaveIsShownAndTheListStaysAsTheFile_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("add") << "add";
    QTest::newRow("move") << "move";
    QTest::newRow("delete") << "delete_2";
}

void TestSprintWindow::failedSaveIsShownAndTheListStaysAsTheFile()
{
    QFETCH(QString, action);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "new\n"));
    QVERIFY(WorkDir::write("sprint1", "a\nb\n"));
    QVERIFY(WorkDir::write("sprint2", ""));
    SprintWindow w(nullptr);
    w.initSprint(1);
    w.show();
    Probe::list(w)->setCurrentRow(0);
    // A directory where the lock file belongs: no change can be saved.
    QVERIFY(QDir().mkdir(".sprint1.lock"));

    ModalDriver driver;
    if (action == QLatin1String("add"))
        driver.add(ModalDriver::pick({"new"}));
    else if (action == QLatin1String("move"))
        driver.add(ModalDriver::pick({"sprint2"}));
    Probe::button(w, qPrintable(action))->click();

    QVERIFY(driver.done());
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("sprint1"), qPrintable(driver.messages.first()));
    QCOMPARE(Probe::rows(w), (QStringList{"a", "b"}));
    QCOMPARE(WorkDir::read("sprint1"), QByteArray("a\nb\n"));
    QCOMPARE(WorkDir::read("sprint2"), QByteArray());
}

void TestSprintWindow::unreadableSprintIsShownReadOnly()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", "\xc3\x28\n"));
    ModalDriver driver;
    SprintWindow w(nullptr);
    w.initSprint(1);
    w.show();
    QTRY_COMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("sprint1"), qPrintable(driver.messages.first()));
    for (const char *name : {"add", "move", "delete_2"})
        QVERIFY2(!Probe::button(w, name)->isEnabled(), name);
}

QTEST_MAIN(TestSprintWindow)
#include "tst_sprintwindow.moc"
