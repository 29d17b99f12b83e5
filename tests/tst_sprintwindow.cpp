#include "modaldriver.h"
#include "productbacklog.h"
#include "sprint.h"
#include "sprintwindow.h"
#include "windowprobe.h"
#include "workdir.h"

#include <QLabel>
#include <QtTest>

// The sprint window, driven by clicks with its pickers answered by the test.
class TestSprintWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Probe::desktopFont(); }
    void form_data();
    void form();
    void addTasks_data();
    void addTasks();
    void changeTask_data();
    void changeTask();
    void unreadableSprintIsShownReadOnly();

private:
    static QStringList fileTasks(int number) { return Sprint(number).getTasks(); }
};

void TestSprintWindow::form_data()
{
    Probe::formColumns();
    Probe::formRow("delete_2", "QPushButton", QRect(300, 154, 161, 31), "Delete");
    // "Sprint number:" needs 113 pixels at this font, and the number moves
    // clear of it.
    Probe::formRow("label_2", "QLabel", QRect(300, 224, 113, 31), "Sprint number:", 11);
    Probe::formRow("add", "QPushButton", QRect(300, 54, 161, 31), "Add from sprint backlog");
    Probe::formRow("label", "QLabel", QRect(40, 24, 91, 21), "Sprint tasks", 11);
    Probe::formRow("tasks", "QListWidget", QRect(20, 54, 251, 201));
    Probe::formRow("move", "QPushButton", QRect(300, 104, 161, 31), "Move to another sprint");
    Probe::formRow("snumber", "QLabel", QRect(413, 230, 61, 20), "3", 11);
}

void TestSprintWindow::form()
{
    QFETCH(QString, name);

    WorkDir dir;
    QVERIFY(WorkDir::write("sprint3", "first\nsecond\n"));
    SprintWindow w(nullptr);
    w.initSprint(3);
    QCOMPARE(Probe::rows(w), (QStringList{"first", "second"}));
    Probe::window(w, "SprintWindow", "Sprint settings", QSize(478, 300),
                  {"on_add_clicked()", "on_move_clicked()", "on_delete_2_clicked()"});
    Probe::child(w, &w);
    if (QTest::currentTestFailed())
        return;
    QVERIFY(!w.layout());
    // Only the "Sprint number:" label is green, and shown as plain text.
    const bool green = name == QLatin1String("label_2");
    if (auto *label = w.findChild<QLabel *>(name)) {
        QCOMPARE(label->textFormat(), green ? Qt::PlainText : Qt::AutoText);
        QCOMPARE(label->styleSheet(), green ? QStringLiteral("QLabel {color : green; }") : QString());
    }
}

void TestSprintWindow::addTasks_data()
{
    QTest::addColumn<QStringList>("picked");  // in the order chosen
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("locked");         // the sprint file cannot be saved
    QTest::addColumn<QStringList>("expected");

    const auto add = [](const char *tag, const QStringList &picked, const QStringList &expected,
                        bool cancel = false, bool locked = false) {
        QTest::newRow(tag) << picked << cancel << locked << expected;
    };

    const QStringList held{"held"};
    add("one", {"b"}, {"held", "b"});
    add("several, in the order chosen", {"c", "a"}, {"held", "c", "a"});
    add("a held task shows once", held, held);
    add("nothing chosen", {}, held);
    add("cancel", {"a"}, held, true);
    add("failed save", {"a"}, held, false, true);
}

// "Add tasks" offers the backlog as it is when pressed and adds the tasks
// chosen; the backlog keeps them.
void TestSprintWindow::addTasks()
{
    QFETCH(QStringList, picked);
    QFETCH(bool, cancel);
    QFETCH(bool, locked);
    QFETCH(QStringList, expected);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\nheld\n"));
    QVERIFY(WorkDir::write("sprint1", "held\n"));
    SprintWindow w(nullptr);
    w.initSprint(1);
    w.show();
    QVERIFY(productbacklog().addItem("c"));
    const QByteArray backlog = WorkDir::read("product_backlog");
    // A directory where the lock file belongs: no change can be saved.
    QVERIFY(!locked || QDir().mkdir(".sprint1.lock"));

    ModalDriver driver;
    driver.add(cancel ? ModalDriver::cancel() : ModalDriver::pick(picked));
    Probe::button(w, "add")->click();
    QVERIFY(driver.done());
    QCOMPARE(driver.titles.value(0), QStringLiteral("Add tasks"));
    QCOMPARE(driver.offered, (QStringList{"a", "b", "held", "c"}));
    QCOMPARE(driver.offeredMode, int(QAbstractItemView::ExtendedSelection));
    QCOMPARE(driver.messages.size(), int(locked));
    if (locked)
        QVERIFY2(driver.messages.first().contains("sprint1"), qPrintable(driver.messages.first()));
    QCOMPARE(fileTasks(1), expected);
    QCOMPARE(Probe::rows(w), expected);
    QCOMPARE(WorkDir::read("product_backlog"), backlog);
}

void TestSprintWindow::changeTask_data()
{
    QTest::addColumn<QString>("action");   // move, delete_2, or the Delete key
    QTest::addColumn<int>("row");          // -1: no current row
    QTest::addColumn<bool>("deselect");    // current row Ctrl+clicked off
    QTest::addColumn<QString>("target");   // picked to move to; "": none
    QTest::addColumn<bool>("locked");      // sprint5 cannot be saved
    QTest::addColumn<QStringList>("expectedHere");
    QTest::addColumn<int>("targetNumber");
    QTest::addColumn<QStringList>("expectedThere");

    const auto add = [](const char *tag, const char *action, int row, const char *target,
                        const QStringList &here, int targetNumber, const QStringList &there,
                        bool deselect = false, bool locked = false) {
        QTest::newRow(tag) << QString(action) << row << deselect << QString(target) << locked
                           << here << targetNumber << there;
    };

    const QStringList all{"a", "b", "c"};
    add("move", "move", 1, "sprint2", {"a", "c"}, 2, {"x", "b"});
    add("move: a task the target holds", "move", 0, "sprint2", {"b", "c"}, 2, {"x", "a"});
    add("move: no current row", "move", -1, "sprint2", all, 2, {"x"});
    add("move: current row deselected", "move", 1, "sprint2", all, 2, {"x"}, true);
    add("move: no sprint picked", "move", 1, "", all, 2, {"x"});
    add("move: a name without a number is sprint 0", "move", 2, "sprint_old", {"a", "b"}, 0, {"c"});
    add("move: another name for this sprint keeps the task", "move", 0, "sprint05", all, 5, all);
    add("move: failed save", "move", 1, "sprint2", all, 2, {"x"}, false, true);
    add("delete", "delete_2", 1, "", {"a", "c"}, 2, {"x"});
    add("delete: Delete key", "Delete", 2, "", {"a", "b"}, 2, {"x"});
    add("delete: nothing selected", "delete_2", -1, "", all, 2, {"x"});
    add("delete: failed save", "delete_2", 1, "", all, 2, {"x"}, false, true);
}

// Moving or deleting sprint 5's current task. The picker offers every other
// sprint file, and a window on sprint 2 shows what its file holds afterwards.
void TestSprintWindow::changeTask()
{
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(bool, deselect);
    QFETCH(QString, target);
    QFETCH(bool, locked);
    QFETCH(QStringList, expectedHere);
    QFETCH(int, targetNumber);
    QFETCH(QStringList, expectedThere);

    WorkDir dir;
    QVERIFY(WorkDir::write("sprint5", "a\nb\nc\n"));
    // The first task is held by sprint 2 already, for the move that finds it there.
    QVERIFY(WorkDir::write("sprint2", targetNumber == 2 && row == 0 ? "x\na\n" : "x\n"));
    for (const char *name : {"sprint05", "Sprint5", "sprint_old", "notes"})
        QVERIFY(WorkDir::write(name, ""));
    SprintWindow there(nullptr);
    there.initSprint(2);
    there.show();
    SprintWindow w(nullptr);
    w.initSprint(5);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QListWidget *list = Probe::list(w);
    QCOMPARE(QApplication::focusWidget(), list);
    if (row >= 0) {
        list->setCurrentRow(row);
        if (deselect)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(row)).center());
    }
    QVERIFY(!locked || QDir().mkdir(".sprint5.lock"));

    ModalDriver driver;
    if (action == QLatin1String("move"))
        driver.add(ModalDriver::pick({target}));
    if (action == QLatin1String("Delete"))
        QTest::keyClick(list, Qt::Key_Delete);
    else
        Probe::button(w, qPrintable(action))->click();
    QVERIFY(driver.done());
    if (action == QLatin1String("move")) {
        QCOMPARE(driver.titles.value(0), QStringLiteral("Move task"));
        QCOMPARE(driver.offered, (QStringList{"sprint05", "sprint2", "Sprint5", "sprint_old"}));
        QCOMPARE(driver.offeredMode, int(QAbstractItemView::SingleSelection));
    }
    QCOMPARE(driver.messages.size(), int(locked));
    if (locked)
        QVERIFY2(driver.messages.first().contains("sprint5"), qPrintable(driver.messages.first()));
    QCOMPARE(fileTasks(5), expectedHere);
    QCOMPARE(Probe::rows(w), expectedHere);
    QCOMPARE(fileTasks(targetNumber), expectedThere);
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(there), fileTasks(2), 2000);
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
