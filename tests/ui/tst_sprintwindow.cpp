// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "burndownwindow.h"
#include "deletedtasks.h"
#include "modaldriver.h"
#include "productbacklog.h"
#include "sprint.h"
#include "sprintschedule.h"
#include "sprintwindow.h"
#include "taskdelegate.h"
#include "taskdrag.h"
#include "tasklistcontroller.h"
#include "windowprobe.h"
#include "windowset.h"
#include "workdir.h"

#include <QDateEdit>
#include <QLabel>
#include <QTableWidget>
#include <QtCharts/QChart>
#include <QLineEdit>
#include <QMimeData>
#include <QtTest>

#include <cstdio>

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
    void reorderAndDrop_data();
    void reorderAndDrop();
    void longTaskIsActedOnWhole();
    void severalAndFiltered_data();
    void severalAndFiltered();
    void sprintDetails_data();
    void sprintDetails();
    void burndownFollowsTheFiles();

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
    SprintWindowOn w(3);
    QCOMPARE(Probe::rows(w), (QStringList{"first", "second"}));
    Probe::window(w, "SprintWindow", "Sprint 3 — Sprint settings", QSize(478, 300),
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
    SprintWindowOn w(1);
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
    QTest::addColumn<QString>("action");   // move, delete_2, the Delete key, or F2, Return or a double click to edit
    QTest::addColumn<int>("row");          // -1: no current row
    QTest::addColumn<bool>("deselect");    // current row Ctrl+clicked off
    QTest::addColumn<QString>("target");   // picked to move to, or typed to edit; "": none
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
    add("move: to sprint 0", "move", 2, "sprint0", {"a", "b"}, 0, {"c"});
    add("move: failed save", "move", 1, "sprint2", all, 2, {"x"}, false, true);
    add("delete", "delete_2", 1, "", {"a", "c"}, 2, {"x"});
    add("delete: Delete key", "Delete", 2, "", {"a", "b"}, 2, {"x"});
    add("delete: nothing selected", "delete_2", -1, "", all, 2, {"x"});
    add("delete: failed save", "delete_2", 1, "", all, 2, {"x"}, false, true);
    add("edit: F2", "F2", 1, "B", {"a", "B", "c"}, 2, {"x"});
    add("edit: a double click, into two lines", "double click", 2, "C\nD", {"a", "b", "C", "D"}, 2, {"x"});
    add("edit: Return on a done task keeps it done", "Return", 0, "A", {"x 2026-12-01 A", "b", "c"}, 2, {"x", "a"});
    add("edit: failed save gives the text back", "F2", 1, "B", all, 2, {"x"}, false, true);
}

// Moving or deleting sprint 5's current task. The picker offers every other
// sprint file in the order of their numbers, opening on the next sprint (the
// first, for the move to sprint 0, with none above 5), and a window on
// sprint 2 shows what its file holds afterwards.
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
    const bool highest = target == QLatin1String("sprint0");

    WorkDir dir;
    const bool edit = action == QLatin1String("F2") || action == QLatin1String("Return") || action == QLatin1String("double click");
    QVERIFY(WorkDir::write("sprint5", action == QLatin1String("Return") ? "x 2026-12-01 a\nb\nc\n" : "a\nb\nc\n"));
    // The first task is held by sprint 2 already, for the move that finds it there.
    QVERIFY(WorkDir::write("sprint2", targetNumber == 2 && row == 0 ? "x\na\n" : "x\n"));
    for (const char *name : {"sprint0", "sprint05", "Sprint5", "sprint_old", "sprint2~", "notes"})
        QVERIFY(WorkDir::write(name, ""));
    // Sprint 2 is closed, so that the picker offers it after the open ones.
    QVERIFY(WorkDir::write(SprintSchedule::fileName(), "2\t\t\t2026-11-30\t\n"));
    const QStringList above = highest ? QStringList() : QStringList{"sprint7", "sprint10"};
    for (const QString &name : above)
        QVERIFY(WorkDir::write(name, ""));
    SprintWindowOn there(2);
    there.show();
    SprintWindowOn w(5);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QListWidget *list = Probe::list(w);
    QCOMPARE(QApplication::focusWidget(), list);
    if (row >= 0) {
        list->setCurrentRow(row);
        if (deselect)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(row)).center());
    } else {
        list->clearSelection();
    }
    QVERIFY(!locked || QDir().mkdir(".sprint5.lock"));
    // Move and Delete, with their keys, act on the selected tasks: they are
    // off while none is; Add stays on.
    const bool armed = row >= 0 && !deselect;
    QCOMPARE(Probe::button(w, "move")->isEnabled() + Probe::button(w, "delete_2")->isEnabled(), 2 * armed);
    QVERIFY(Probe::button(w, "add")->isEnabled());

    ModalDriver driver;
    const bool picks = action == QLatin1String("move") && armed;
    if (picks)
        driver.add(ModalDriver::pick({target}));
    if (edit)
        driver.add(ModalDriver::enterText(target));
    // Refused, the editor comes back with what was typed.
    if (edit && locked)
        driver.add(ModalDriver::cancel());
    if (action == QLatin1String("Delete")) {
        QTest::keyClick(list, Qt::Key_Delete);
    } else if (action == QLatin1String("F2") || action == QLatin1String("Return")) {
        QTest::keyClick(list, action == QLatin1String("F2") ? Qt::Key_F2 : Qt::Key_Return);
    } else if (action == QLatin1String("double click")) {
        const QPoint at = list->visualItemRect(list->currentItem()).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    } else if (action == QLatin1String("move")) {
        QTest::keyClick(list, Qt::Key_M, Qt::ControlModifier);
    } else {
        Probe::button(w, qPrintable(action))->click();
    }
    QVERIFY(driver.done());
    if (picks) {
        QCOMPARE(driver.titles.value(0), QStringLiteral("Move task"));
        QCOMPARE(driver.offered, QStringList{"sprint0"} + above + QStringList{"sprint2"});
        QCOMPARE(driver.preselected, QStringList{highest ? "sprint0" : "sprint7"});
        QCOMPARE(driver.offeredMode, int(QAbstractItemView::SingleSelection));
    }
    QCOMPARE(driver.messages.size(), int(locked));
    if (locked)
        QVERIFY2(driver.messages.first().contains("sprint5"), qPrintable(driver.messages.first()));
    QCOMPARE(driver.owners, QVector<const QWidget *>(driver.titles.size(), &w));
    QCOMPARE(fileTasks(5), expectedHere);
    QCOMPARE(Probe::rows(w), expectedHere);
    QCOMPARE(fileTasks(targetNumber), expectedThere);
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(there), fileTasks(2), Probe::FollowMs);
}

// A list that cannot be changed disables the buttons and says why under
// the list: the reason first, then the path, shortened in its middle to the
// list's width as it is resized; the whole message in its tooltip.
void TestSprintWindow::unreadableSprintIsShownReadOnly()
{
    WorkDir dir;
    const QString deep = "a folder with a long name/and another one under it/plans";
    QVERIFY(QDir().mkpath(deep + "/sprint1") && QDir::setCurrent(deep));
    ModalDriver driver;
    SprintWindowOn w(1);
    w.show();
    QTRY_COMPARE_WITH_TIMEOUT(driver.messages.size(), 1, Probe::FollowMs);
    QVERIFY2(driver.messages.first().contains("sprint1"), qPrintable(driver.messages.first()));
    for (const char *name : {"add", "move", "delete_2"})
        QVERIFY2(!Probe::button(w, name)->isEnabled(), name);
    auto *line = w.findChild<QLabel *>("readOnlyReason");
    QCOMPARE(line->toolTip(), driver.messages.first());
    const QString path = QDir::current().absoluteFilePath("sprint1");
    const QStringList lines = line->text().split('\n');
    QCOMPARE(lines.value(0), QStringLiteral("Cannot read file sprint1: It is a directory."));
    const QStringList ends = lines.value(1).split(QChar(0x2026));
    QVERIFY2(ends.size() == 2 && path.startsWith(ends.first()) && path.endsWith(ends.last())
                 && ends.last().size() > 10 && line->fontMetrics().horizontalAdvance(lines.value(1)) <= line->width(),
             qPrintable(line->text()));
    w.resize(w.width() + 1000, w.height());
    QCOMPARE(line->text().section('\n', 1), path);
}

void TestSprintWindow::reorderAndDrop_data()
{
    QTest::addColumn<QString>("action");   // a key with Alt, or a drop from a list
    QTest::addColumn<int>("row");          // selected, or dragged from the list
    QTest::addColumn<int>("at");           // where a drop lands
    QTest::addColumn<QStringList>("here"); // sprint 1 afterwards
    QTest::addColumn<QStringList>("there");// sprint 2 afterwards
    QTest::addColumn<int>("current");      // -1: not looked at
    QTest::addColumn<bool>("told");        // a message says why nothing changed

    const QStringList abc{"a", "b", "c"};
    const QStringList z{"z"};
    QTest::newRow("Alt+Up") << "Up" << 1 << -1 << QStringList{"b", "a", "c"} << z << 0 << false;
    QTest::newRow("Alt+Down") << "Down" << 1 << -1 << QStringList{"a", "c", "b"} << z << 2 << false;
    QTest::newRow("Alt+Home") << "Home" << 2 << -1 << QStringList{"c", "a", "b"} << z << 0 << false;
    QTest::newRow("Alt+End") << "End" << 0 << -1 << QStringList{"b", "c", "a"} << z << 2 << false;
    QTest::newRow("Alt+Up on the first") << "Up" << 0 << -1 << abc << z << 0 << false;
    // The window has not seen yet that a task came in above: the move is
    // reckoned from where the task is in the file.
    QTest::newRow("Alt+Down, the file changed unseen") << "Down, x above" << 1 << -1 << QStringList{"x", "a", "c", "b"} << z << 3 << false;
    QTest::newRow("Alt+End, the file changed unseen") << "End, x above" << 0 << -1 << QStringList{"x", "b", "c", "a"} << z << 3 << false;
    QTest::newRow("drop within the list") << "sprint1" << 0 << 2 << QStringList{"b", "a", "c"} << z << 1 << false;
    QTest::newRow("drop of a backlog task") << "product_backlog" << 0 << 1 << QStringList{"a", "d", "b", "c"} << z << 1 << false;
    QTest::newRow("drop of another sprint's task") << "sprint2" << 0 << 3 << QStringList{"a", "b", "c", "z"}
                                                   << QStringList() << 3 << false;
    QTest::newRow("drop of text from another program") << "text" << 0 << 1 << abc << z << -1 << false;
    QTest::newRow("drop onto a list that is not text") << "sprint2 onto unreadable" << 0 << 1 << QStringList{"a", "\xff"}
                                                       << z << -1 << true;
}

// Reordering by keyboard and by drag and drop, and drops from other lists:
// each is one step, which Ctrl+Z takes back.
void TestSprintWindow::reorderAndDrop()
{
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(int, at);
    QFETCH(QStringList, here);
    QFETCH(QStringList, there);
    QFETCH(int, current);
    QFETCH(bool, told);

    WorkDir dir;
    const bool unreadable = action.endsWith("unreadable");
    QVERIFY(WorkDir::write("sprint1", unreadable ? "a\n\xff" : "a\nb\nc"));
    QVERIFY(WorkDir::write("sprint2", "z"));
    QVERIFY(WorkDir::write("product_backlog", "d"));
    const QStringList before = fileTasks(1);
    ModalDriver driver;
    SprintWindowOn w(1);
    w.show();
    // A list that is not text says so when its window opens.
    QTRY_COMPARE_WITH_TIMEOUT(driver.messages.size(), int(unreadable), Probe::FollowMs);
    driver.messages.clear();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QListWidget *list = Probe::list(w);

    const QMap<QString, Qt::Key> keys{{"Up", Qt::Key_Up}, {"Down", Qt::Key_Down}, {"Home", Qt::Key_Home}, {"End", Qt::Key_End}};
    const QString key = action.section(',', 0, 0);
    if (keys.contains(key)) {
        list->setCurrentRow(row);
        if (action.endsWith(QLatin1String("x above")))
            QVERIFY(WorkDir::write("sprint1", "x\na\nb\nc"));
        QTest::keyClick(list, keys.value(key), Qt::AltModifier);
    } else {
        QMimeData *data = nullptr;
        if (action == QLatin1String("text")) {
            data = new QMimeData;
            data->setText("from another program");
        } else {
            const QString from = action.section(' ', 0, 0);
            const QStringList tasks = from == QLatin1String("product_backlog") ? productbacklog().getItems()
                                                                                : fileTasks(from.mid(6).toInt());
            data = TaskDrag{QDir::currentPath(), from, {TaskRef{row, tasks.at(row)}}}.toMimeData();
        }
        // Upper half of the row at lands before it; below the last row, after it.
        const QRect rect = list->visualItemRect(list->item(qMin(at, list->count() - 1)));
        const QPoint pos = at < list->count() ? rect.topLeft() + QPoint(5, 2) : rect.bottomLeft() + QPoint(5, 4);
        QDragEnterEvent enter(pos, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &enter);
        QCOMPARE(enter.isAccepted(), action != QLatin1String("text"));
        QDropEvent drop(pos, Qt::MoveAction, data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(list->viewport(), &drop);
        delete data;
    }
    // Told without holding up the drag that brought the tasks.
    QTRY_COMPARE_WITH_TIMEOUT(driver.notices.size(), int(told), Probe::FollowMs);
    QCOMPARE(driver.messages.size(), int(told));
    QCOMPARE(fileTasks(1), here);
    QCOMPARE(Probe::rows(w), here);
    QCOMPARE(fileTasks(2), there);
    if (current >= 0) {
        QCOMPARE(list->currentRow(), current);
        QVERIFY(list->currentItem()->isSelected());
    }

    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fileTasks(1), action.endsWith(QLatin1String("x above")) ? QStringList{"x"} + before : before);
    QCOMPARE(fileTasks(2), QStringList{"z"});
}

// A row shows only the start of a long task, but a move, an undo and a
// delete act on all of it.
void TestSprintWindow::longTaskIsActedOnWhole()
{
    WorkDir dir;
    const QString task(TaskDelegate::RowLimit * 100, QLatin1Char('x'));
    QVERIFY(WorkDir::write("sprint1", "a\n" + task.toUtf8() + "\nc"));
    QVERIFY(WorkDir::write("sprint2", ""));
    SprintWindowOn w(1);
    w.show();
    QListWidget *list = Probe::list(w);
    list->setCurrentRow(1);

    ModalDriver driver;
    driver.add(ModalDriver::pick({"sprint2"}));
    Probe::button(w, "move")->click();
    QVERIFY(driver.done());
    QCOMPARE(fileTasks(2), QStringList{task});
    QCOMPARE(fileTasks(1), (QStringList{"a", "c"}));

    // Back from the picker, as the window system makes it the active window.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fileTasks(1), (QStringList{"a", task, "c"}));
    QCOMPARE(list->currentRow(), 1);
    Probe::button(w, "delete_2")->click();
    QCOMPARE(fileTasks(1), (QStringList{"a", "c"}));
    QCOMPARE(DeletedTasks().recent("sprint1"), QStringList{task});
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n').left(500)));
}

void TestSprintWindow::severalAndFiltered_data()
{
    QTest::addColumn<QString>("query");    // typed into the find line; empty: none; "hide done": done tasks hidden
    QTest::addColumn<QList<int>>("rows");  // selected, as shown; empty: Ctrl+A
    QTest::addColumn<QString>("action");   // Delete, move, Up, Down, "drop N" (a row shown), "drag to 2",
                                           // or Delete once another program replaced the file
    QTest::addColumn<QStringList>("here");
    QTest::addColumn<QStringList>("there"); // sprint 2

    const QStringList z{"z"};
    QTest::newRow("two deleted") << "" << QList<int>{1, 3} << "Delete" << QStringList{"apple", "apricot", "avocado"} << z;
    QTest::newRow("all deleted, banana gone and date come meanwhile") << "" << QList<int>() << "replaced, Delete"
                                                                     << QStringList{"date"} << z;
    QTest::newRow("three moved") << "" << QList<int>{4, 0, 2} << "move" << QStringList{"banana", "cherry"}
                                 << QStringList{"z", "apple", "apricot", "avocado"};
    QTest::newRow("two dragged to another sprint") << "" << QList<int>{3, 1} << "drag to 2"
                                                   << QStringList{"apple", "apricot", "avocado"}
                                                   << QStringList{"z", "banana", "cherry"};
    QTest::newRow("two dropped within") << "" << QList<int>{3, 4} << "drop 1"
                                        << QStringList{"apple", "cherry", "avocado", "banana", "apricot"} << z;
    // "ap" shows apple and apricot only: nothing hidden is acted on, and a
    // task goes beside the neighbour shown.
    QTest::newRow("filtered, all shown deleted") << "ap" << QList<int>() << "Delete"
                                                 << QStringList{"banana", "cherry", "avocado"} << z;
    QTest::newRow("filtered, moved") << "ap" << QList<int>{1} << "move"
                                     << QStringList{"apple", "banana", "cherry", "avocado"} << QStringList{"z", "apricot"};
    QTest::newRow("filtered, Alt+Up") << "ap" << QList<int>{1} << "Up"
                                      << QStringList{"apricot", "apple", "banana", "cherry", "avocado"} << z;
    QTest::newRow("filtered, Alt+Down") << "ap" << QList<int>{0} << "Down"
                                        << QStringList{"banana", "apricot", "apple", "cherry", "avocado"} << z;
    // Ticked: done today, with todo.txt's mark.
    const QString done = QStringLiteral("x %1 ").arg(QDate::currentDate().toString(Qt::ISODate));
    QTest::newRow("two ticked with Space") << "" << QList<int>{1, 3} << "Space"
                                           << QStringList{"apple", done + "banana", "apricot", done + "cherry", "avocado"} << z;
    QTest::newRow("one ticked by its box, another selected") << "" << QList<int>{0} << "box 2"
                                                             << QStringList{"apple", "banana", done + "apricot", "cherry", "avocado"} << z;
    QTest::newRow("filtered, all shown ticked") << "ap" << QList<int>() << "Space"
                                                << QStringList{done + "apple", "banana", done + "apricot", "cherry", "avocado"} << z;
    // Banana is done, by todo.sh, and hidden: nothing hidden is acted on.
    QTest::newRow("done hidden, all shown deleted") << "hide done" << QList<int>() << "Delete"
                                                    << QStringList{"x 2026-12-01 banana"} << z;
    QTest::newRow("done hidden, all shown ticked, so none is left shown")
        << "hide done" << QList<int>() << "Space"
        << QStringList{done + "apple", "x 2026-12-01 banana", done + "apricot", done + "cherry", done + "avocado"} << z;
    QTest::newRow("filtered, dropped below the last shown") << "ap" << QList<int>{0} << "drop 2"
                                                            << QStringList{"banana", "apricot", "apple", "cherry", "avocado"} << z;
}

// Several tasks at once, and tasks found by the find line: each action is
// one step, which one Ctrl+Z takes back.
void TestSprintWindow::severalAndFiltered()
{
    QFETCH(QString, query);
    QFETCH(QList<int>, rows);
    QFETCH(QString, action);
    QFETCH(QStringList, here);
    QFETCH(QStringList, there);

    WorkDir dir;
    const bool hideDone = query == QLatin1String("hide done");
    QVERIFY(WorkDir::write("sprint1", hideDone ? "apple\nx 2026-12-01 banana\napricot\ncherry\navocado"
                                               : "apple\nbanana\napricot\ncherry\navocado"));
    QVERIFY(WorkDir::write("sprint2", "z"));
    QStringList before = fileTasks(1);
    SprintWindowOn w(1);
    SprintWindowOn other(2);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QListWidget *list = Probe::list(w);
    auto *tasks = w.findChild<TaskListController *>();
    auto *doneCount = w.findChild<QLabel *>("doneCount");
    QVERIFY(doneCount);
    QCOMPARE(doneCount->text(), QStringLiteral("%1 of 5 done").arg(hideDone ? 1 : 0));
    const auto showDone = qScopeGuard([&] { tasks->setHidingDone(false); });
    if (hideDone) {
        tasks->setHidingDone(true);
        QCOMPARE(Probe::rows(w), (QStringList{"apple", "apricot", "cherry", "avocado"}));
        // Remembered for the next sprint window.
        SprintWindowOn next(2);
        QVERIFY(next.findChild<TaskListController *>()->isHidingDone());
    } else if (!query.isEmpty()) {
        QTest::keyClick(list, Qt::Key_F, Qt::ControlModifier);
        QVERIFY(tasks->findLine() && tasks->findLine()->hasFocus());
        QTest::keyClicks(tasks->findLine(), query);
        QTRY_COMPARE(Probe::rows(w), (QStringList{"apple", "apricot"}));
    }
    list->setFocus();
    if (rows.isEmpty()) {
        QTest::keyClick(list, Qt::Key_A, Qt::ControlModifier);
    } else {
        list->setCurrentRow(rows.first(), QItemSelectionModel::ClearAndSelect);
        for (const int row : rows)
            list->item(row)->setSelected(true);
    }

    ModalDriver driver;
    QListWidget *target = list;
    if (action.startsWith(QLatin1String("replaced"))) {
        // The second task out and one more at the end, in one replace: the
        // window keeps every selected task that is still there.
        QVERIFY(WorkDir::write("incoming", "apple\napricot\ncherry\navocado\ndate"));
        QVERIFY(std::rename("incoming", "sprint1") == 0);
        before = fileTasks(1);
        QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(w), before, Probe::FollowMs);
        action = "Delete";
    }
    if (action == QLatin1String("Delete")) {
        QTest::keyClick(list, Qt::Key_Delete);
    } else if (action == QLatin1String("Space")) {
        QTest::keyClick(list, Qt::Key_Space);
    } else if (action.startsWith(QLatin1String("box"))) {
        // The box of a row that is not selected ticks that row alone.
        QListWidgetItem *item = list->item(action.section(' ', 1).toInt());
        QStyleOptionViewItem option;
        option.initFrom(list);
        option.rect = list->visualItemRect(item);
        option.features = QStyleOptionViewItem::HasCheckIndicator | QStyleOptionViewItem::HasDisplay;
        const QRect box = list->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, list);
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, box.center());
    } else if (action == QLatin1String("move")) {
        driver.add(ModalDriver::pick({"sprint2"}));
        Probe::button(w, "move")->click();
        QVERIFY(driver.done());
    } else if (action == QLatin1String("Up") || action == QLatin1String("Down")) {
        QTest::keyClick(list, action == QLatin1String("Up") ? Qt::Key_Up : Qt::Key_Down, Qt::AltModifier);
    } else {
        // A drop on the upper half of a row shown lands before it; below
        // the last one, after it.
        const bool within = action.startsWith(QLatin1String("drop"));
        target = within ? list : Probe::list(other);
        const int at = within ? action.section(' ', 1).toInt() : target->count();
        const QRect rect = target->visualItemRect(target->item(qMin(at, target->count() - 1)));
        const QPoint pos = at < target->count() ? rect.topLeft() + QPoint(5, 2) : rect.bottomLeft() + QPoint(5, 4);
        std::unique_ptr<QMimeData> data(TaskDrag{QDir::currentPath(), "sprint1", tasks->selectedRefs()}.toMimeData());
        QDragEnterEvent enter(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &enter);
        QDropEvent drop(pos, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target->viewport(), &drop);
    }
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(fileTasks(1), here);
    QCOMPARE(fileTasks(2), there);
    // The count follows the file, and the rows shown are the file's.
    const int doneNow = int(std::count_if(here.cbegin(), here.cend(), [](const QString &task) { return task.startsWith("x 20"); }));
    QTRY_COMPARE(doneCount->text(), QStringLiteral("%1 of %2 done").arg(doneNow).arg(here.size()));
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        QCOMPARE(item->checkState(), item->text().startsWith("x 20") ? Qt::Checked : Qt::Unchecked);
    }

    // Back from the picker, or in the window the tasks were dropped on.
    QWidget &acted = target == list ? static_cast<QWidget &>(w) : other;
    acted.show();
    acted.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&acted));
    QTest::keyClick(target, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fileTasks(1), before);
    QCOMPARE(fileTasks(2), QStringList{"z"});
}

void TestSprintWindow::sprintDetails_data()
{
    QTest::addColumn<QString>("before");   // sprint 1's line in the schedule file; "": none
    QTest::addColumn<QString>("typed");    // start|end|goal
    QTest::addColumn<QString>("between");  // sprint 1's line written by another program after saving
    QTest::addColumn<QString>("saved");    // sprint 1's line after OK; "!why": nothing saved, and the message says why
    QTest::addColumn<QString>("undone");   // after Ctrl+Z; "refused": left as between made it

    QTest::newRow("first details, undone to none") << "" << "2026-12-01|2026-12-14|Ship the importer" << ""
        << "1\t2026-12-01\t2026-12-14\t\tShip the importer" << "";
    QTest::newRow("changed details, undone to the old") << "1\t2026-11-01\t2026-11-14\t\tOld"
        << "2026-12-01|2026-12-05|New\tgoal" << "" << "1\t2026-12-01\t2026-12-05\t\tNew goal"
        << "1\t2026-11-01\t2026-11-14\t\tOld";
    QTest::newRow("a closed sprint keeps its closing day") << "1\t2026-11-01\t2026-11-14\t2026-11-20\tOld"
        << "2026-11-01|2026-11-15|Old" << "" << "1\t2026-11-01\t2026-11-15\t2026-11-20\tOld"
        << "1\t2026-11-01\t2026-11-14\t2026-11-20\tOld";
    QTest::newRow("a start after the end is refused") << "1\t2026-11-01\t2026-11-14\t\tOld"
        << "2026-12-10|2026-12-01|Late" << "" << "!after its end" << "";
    // A directory where the schedule's lock belongs: neither the details
    // nor a close can be saved, and no task moves.
    QTest::newRow("a schedule that cannot be saved") << "1\t2026-11-01\t2026-11-14\t\tOld"
        << "2026-12-01|2026-12-14|New" << "" << "!schedule" << "";
    QTest::newRow("changed elsewhere, so not undone") << "" << "2026-12-01|2026-12-14|Mine"
        << "1\t2026-12-01\t2026-12-20\t\tTheirs" << "1\t2026-12-01\t2026-12-14\t\tMine" << "refused";
}

// Sprint details… saves the dates and goal as one step, then Close
// sprint… makes the next sprint with dates following them.
void TestSprintWindow::sprintDetails()
{
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QString, between);
    QFETCH(QString, saved);
    QFETCH(QString, undone);
    const auto line = [] {
        QFile file(SprintSchedule::fileName());
        file.open(QIODevice::ReadOnly);
        const QStringList lines = QString::fromUtf8(file.readAll()).split('\n');
        for (const QString &line : lines) {
            if (line.startsWith("1\t"))
                return line;
        }
        return QString();
    };

    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", "a\nx 2026-12-02 b\nc\n"));
    QVERIFY(WorkDir::write(SprintSchedule::fileName(), before.isEmpty() ? "" : (before + "\n").toUtf8()));
    SprintWindowOn w(1);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));

    ModalDriver driver;
    const QStringList fields = typed.split('|');
    driver.add([fields](QWidget *dialog) {
        dialog->findChild<QDateEdit *>("start")->setDate(SprintSchedule::parseDate(fields.at(0)));
        dialog->findChild<QDateEdit *>("end")->setDate(SprintSchedule::parseDate(fields.at(1)));
        dialog->findChild<QLineEdit *>("goal")->setText(fields.at(2));
        QTimer::singleShot(0, dialog, [dialog] { static_cast<QDialog *>(dialog)->accept(); });
    });
    const bool locked = saved == QLatin1String("!schedule");
    QVERIFY(!locked || QDir().mkdir(".schedule.lock"));
    // Refused, the dialog stays open with what was typed.
    if (saved.startsWith('!') && !locked)
        driver.add(ModalDriver::cancel());
    const auto closeSprint = [&] {
        driver.onMessage = [](QWidget *box) {
            for (QAbstractButton *button : box->findChildren<QAbstractButton *>()) {
                if (button->text() == QLatin1String("Close sprint"))
                    button->click();
            }
        };
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::keyClick(Probe::list(w), Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier);
    };
    QTest::keyClick(Probe::list(w), Qt::Key_I, Qt::ControlModifier);
    QTRY_VERIFY(driver.done());
    QCOMPARE(driver.owners.value(0), static_cast<const QWidget *>(&w));
    QCOMPARE(driver.messages.size(), int(saved.startsWith('!')));
    if (saved.startsWith('!')) {
        QVERIFY2(driver.messages.first().contains(saved.mid(1)), qPrintable(driver.messages.first()));
        QCOMPARE(line(), before);
        if (locked) {
            closeSprint();
            QCOMPARE(driver.messages.size(), 3);
            QVERIFY2(driver.messages.last().contains("schedule"), qPrintable(driver.messages.last()));
            QCOMPARE(fileTasks(1), (QStringList{"a", "x 2026-12-02 b", "c"}));
            QCOMPARE(line(), before);
            QVERIFY(!QFile::exists("sprint2"));
        }
        return;
    }
    QCOMPARE(line(), saved);

    if (!between.isEmpty())
        QVERIFY(WorkDir::write(SprintSchedule::fileName(), (between + "\n").toUtf8()));
    // Back from the dialog, as the window system makes it the active window.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(Probe::list(w), Qt::Key_Z, Qt::ControlModifier);
    if (undone == QLatin1String("refused")) {
        QCOMPARE(driver.messages.size(), 1);
        QVERIFY2(driver.messages.first().contains("changed since"), qPrintable(driver.messages.first()));
        QCOMPARE(line(), between);
        return;
    }
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(line(), undone);
    QTest::keyClick(Probe::list(w), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(line(), saved);

    // Closing makes sprint 2, planned after sprint 1's dates; the done
    // task stays.
    closeSprint();
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("Close sprint 1?"), qPrintable(driver.messages.first()));
    QCOMPARE(fileTasks(1), QStringList{"x 2026-12-02 b"});
    QCOMPARE(fileTasks(2), (QStringList{"a", "c"}));
    SprintSchedule schedule;
    QVERIFY(schedule.read());
    SprintSchedule::Details one;
    QVERIFY(SprintSchedule::parse(saved, &one));
    QCOMPARE(schedule.details(2), SprintSchedule::following(one, 2, QDate::currentDate()));
    QCOMPARE(schedule.details(1).closed, one.isClosed() ? one.closed : QDate::currentDate());
}

// Ctrl+B opens the burndown: its figures, day by day, as the chart draws
// them and a screen reader reads them, following the sprint's file.
void TestSprintWindow::burndownFollowsTheFiles()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", "x 2026-12-02 a\nx 2026-12-03 b\nc\nd\n"));
    QVERIFY(WorkDir::write(SprintSchedule::fileName(), "1\t2026-12-01\t2026-12-05\t\tShip it\n"));
    SprintWindowOn w(1);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(Probe::list(w), Qt::Key_B, Qt::ControlModifier);
    auto *chart = w.findChild<BurndownWindow *>();
    QVERIFY(chart);
    QVERIFY(chart->isWindow() && chart->isVisible());
    const auto figures = [chart] {
        QStringList rows;
        for (int row = 0; row < chart->figures()->rowCount(); ++row) {
            QStringList cells;
            for (int column = 0; column < 3; ++column)
                cells.append(chart->figures()->item(row, column)->text());
            rows.append(cells.join(' '));
        }
        return rows;
    };
    QCOMPARE(figures(), (QStringList{"2026-12-01 4 4.0", "2026-12-02 3 3.0", "2026-12-03 2 2.0", "2026-12-04 2 1.0",
                                     "2026-12-05 2 0.0"}));
    // The open tasks and the ideal line; today lies after the sprint.
    QCOMPARE(chart->chart()->series().size(), 2);

    QVERIFY(WorkDir::write("sprint1", "x 2026-12-02 a\nx 2026-12-03 b\nx 2026-12-04 c\nd\n"));
    QTRY_COMPARE_WITH_TIMEOUT(figures().value(3), QStringLiteral("2026-12-04 1 1.0"), Probe::FollowMs);
    QVERIFY(WorkDir::write(SprintSchedule::fileName(), "1\t2026-12-01\t2026-12-02\t\tShip it\n"));
    QTRY_COMPARE_WITH_TIMEOUT(figures(), (QStringList{"2026-12-01 4 4.0", "2026-12-02 3 0.0"}), Probe::FollowMs);
}

QTEST_MAIN(TestSprintWindow)
#include "tst_sprintwindow.moc"
