// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "productbacklog.h"
#include "sprintplacements.h"
#include "taskdrag.h"
#include "taskdelegate.h"
#include "taskdialog.h"
#include "windowprobe.h"
#include "workdir.h"

#include <QLabel>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QtTest>

#include <sys/stat.h>

// The product backlog window, driven by clicks and keys with its dialogs
// answered by the test.
class TestPBacklogWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Probe::desktopFont(); }
    void form_data();
    void form();
    void actions_data();
    void actions();
    void rowsAreActedOnWhereTheyAre_data();
    void rowsAreActedOnWhereTheyAre();
    void taskTooLongToEditIsLeftAlone();
    void twoWindowsStayInStep();
    void keepsFollowingTheFileAfterItIsReplaced();
    void unreadableFileIsShownReadOnly();
    void dragHeldAtTheEdgeScrolls();
    void changesElsewhereAreToldOnce();
    void rowsSayWhereSprintsHoldThem();
    void editChangesTheSprintsOpenCopies_data();
    void editChangesTheSprintsOpenCopies();

private:
    static QStringList fileTasks() { return productbacklog().getItems(); }
};

void TestPBacklogWindow::form_data()
{
    Probe::formColumns();
    Probe::formRow("tasks", "QListWidget", QRect(10, 40, 256, 231));
    Probe::formRow("label", "QLabel", QRect(20, 10, 51, 21), "Tasks", 11);
    Probe::formRow("add", "QPushButton", QRect(300, 40, 75, 23), "Add task");
    Probe::formRow("delete_2", "QPushButton", QRect(300, 80, 75, 23), "Delete task");
    Probe::formRow("edit", "QPushButton", QRect(300, 120, 75, 23), "Edit task");
}

void TestPBacklogWindow::form()
{
    WorkDir dir;
    PBacklogWindow w(nullptr);
    Probe::window(w, "PBacklogWindow", "Product Backlog", QSize(400, 300),
                  {"on_add_clicked()", "on_delete_2_clicked()", "on_edit_clicked()"});
    Probe::child(w, &w);
    QVERIFY(w.isWindow());
    QVERIFY(!w.layout());
}

void TestPBacklogWindow::actions_data()
{
    QTest::addColumn<QString>("action");    // a button, or a key or double click on the list
    QTest::addColumn<int>("row");           // selected first; -1: none
    QTest::addColumn<QString>("typed");     // into the task dialog; "-": no dialog; "<cancel>"
    QTest::addColumn<QString>("refused");   // "locked": the file cannot be saved; "held": the list has it;
                                            // "pipe", "link": the history of deleted tasks is one
    QTest::addColumn<QStringList>("expected");
    const auto add = [](const char *tag, const char *action, int row, const char *typed,
                        const QStringList &expected, const char *refused = "") {
        QTest::newRow(tag) << QString(action) << row << QString(typed) << QString(refused) << expected;
    };

    const QStringList start{"a", "b", "c"};
    add("add: appended", "add", -1, "d", {"a", "b", "c", "d"});
    add("add: by Insert", "Insert", 0, "d", {"a", "b", "c", "d"});
    add("edit: by F2", "F2", 1, "B", {"a", "B", "c"});
    add("add: spaces only add nothing", "add", 1, " \t\n ", start);
    add("add: a duplicate shows once", "add", -1, "a", start);
    add("add: several lines are several tasks", "add", -1, "x\ny", {"a", "b", "c", "x", "y"});
    add("add: empty text changes nothing", "add", -1, "", start);
    add("add: cancel changes nothing", "add", -1, "<cancel>", start);
    add("add: failed save", "add", -1, "d", start, "locked");
    add("edit: replaced", "edit", 1, "B", {"a", "B", "c"});
    add("edit: by Enter", "Enter", 2, "C", {"a", "b", "C"});
    add("edit: by double click", "double click", 0, "A", {"A", "b", "c"});
    add("edit: unchanged text", "edit", 0, "a", start);
    add("edit: cleared text changes nothing", "edit", 0, "", start);
    add("edit: cancel changes nothing", "edit", 0, "<cancel>", start);
    add("edit: several lines", "edit", 0, "x\ny", {"x", "y", "b", "c"});
    add("edit: no row selected", "edit", -1, "-", start);
    add("edit: failed save", "edit", 0, "z", start, "locked");
    add("edit: into another task, kept once", "edit", 0, "b", start, "held");
    add("edit: lines the list holds are left out", "edit", 0, "x\nc\nx", {"x", "b", "c"});
    add("delete: button", "delete_2", 1, "-", {"a", "c"});
    add("delete: Delete key", "Delete", 0, "-", {"b", "c"});
    add("delete: nothing selected", "delete_2", -1, "-", start);
    add("delete: failed save", "delete_2", 0, "-", start, "locked");
    // Nothing is taken out before it is kept, and the history is never a
    // pipe waited on or a link followed elsewhere.
    add("delete: history a named pipe", "Delete", 0, "-", start, "pipe");
    add("edit: history a link", "edit", 0, "z", start, "link");
    // What is typed is what is stored.
    add("add: a no-break space stays", "add", -1, "10\u00a0am", {"a", "b", "c", "10\u00a0am"});
    add("add: a line separator stays in the task", "add", -1, "1\u20282", {"a", "b", "c", "1\u20282"});
    add("edit: a paragraph separator starts a line", "edit", 1, "x\u2029y", {"a", "x", "y", "c"});
}

// Each road to adding, editing and deleting a task, with the task dialog
// answered: the file and the list end up the same, and a save that fails is
// told with the file's name.
void TestPBacklogWindow::actions()
{
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, refused);
    QFETCH(QStringList, expected);
    const bool locked = refused == QLatin1String("locked");
    const bool add = action == QLatin1String("add") || action == QLatin1String("Insert");

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\nc\n"));
    PBacklogWindow w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QListWidget *list = Probe::list(w);
    QCOMPARE(QApplication::focusWidget(), list);
    // It opens on its first row, selected, so that the keys act on it.
    QVERIFY(list->currentItem() && list->currentItem()->isSelected());
    QCOMPARE(list->currentRow(), 0);
    if (row >= 0)
        list->setCurrentRow(row);
    else
        list->clearSelection();
    // Delete and Edit, with their keys, need a selected task.
    QCOMPARE(Probe::button(w, "delete_2")->isEnabled() + Probe::button(w, "edit")->isEnabled(), 2 * (row >= 0));
    // A directory where the lock file belongs: no change can be saved.
    QVERIFY(!locked || QDir().mkdir(".product_backlog.lock"));
    QVERIFY(refused != QLatin1String("pipe") || ::mkfifo(".deleted_tasks", 0666) == 0);
    QVERIFY(refused != QLatin1String("link") || QFile::link("decoy", ".deleted_tasks"));

    ModalDriver driver;
    // The task dialog opens over the window, application modal, with a
    // multi-line editor.
    bool dialogAsMeant = false;
    if (typed != QLatin1String("-")) {
        const ModalDriver::Step answer = typed == QLatin1String("<cancel>")
            ? ModalDriver::cancel() : ModalDriver::enterText(typed);
        driver.add([&dialogAsMeant, &w, answer](QWidget *dialog) {
            auto *editor = dialog->findChild<QPlainTextEdit *>();
            dialogAsMeant = dialog->parentWidget() == &w && dialog->windowModality() == Qt::ApplicationModal
                && editor && editor->isVisible();
            answer(dialog);
        });
        // What was typed comes back when it could not be saved.
        if (!refused.isEmpty() && action != QLatin1String("delete_2"))
            driver.add(ModalDriver::cancel());
    }
    if (action == QLatin1String("Enter")) {
        QTest::keyClick(list, Qt::Key_Return);
    } else if (action == QLatin1String("Delete") || action == QLatin1String("Insert") || action == QLatin1String("F2")) {
        QTest::keySequence(list, QKeySequence(action));
    } else if (action == QLatin1String("double click")) {
        // A view takes a double click only on the row the press before it hit.
        const QPoint at = list->visualItemRect(list->item(row)).center();
        QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    } else {
        Probe::button(w, qPrintable(action))->click();
    }

    QVERIFY(driver.done());
    QVERIFY2(driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(", ")));
    QCOMPARE(driver.owners, QVector<const QWidget *>(driver.titles.size(), &w));
    QCOMPARE(driver.messages.size(), int(!refused.isEmpty()));
    if (locked)
        QVERIFY2(driver.messages.first().contains("product_backlog"), qPrintable(driver.messages.first()));
    if (refused == QLatin1String("pipe") || refused == QLatin1String("link")) {
        QVERIFY2(driver.messages.first().contains(".deleted_tasks"), qPrintable(driver.messages.first()));
        QVERIFY(!QFile::exists("decoy"));
    }
    if (typed == QLatin1String("-")) {
        QVERIFY(driver.labels.isEmpty());
    } else {
        QCOMPARE(driver.titles.value(0), QString(add ? "Add task" : "Edit task"));
        QStringList shown{add ? QString() : QStringList({"a", "b", "c"}).at(row)};
        if (!refused.isEmpty())
            shown.append(typed);
        QCOMPARE(driver.initialTexts, shown);
        QCOMPARE(driver.labels.size(), shown.size());
        QVERIFY(driver.labels.filter("Task description:").size() == shown.size());
        QVERIFY(dialogAsMeant);
    }
    QCOMPARE(fileTasks(), expected);
    QCOMPARE(Probe::rows(w), expected);
    // After a delete the row that took the deleted one's place is selected,
    // or the last row, so that Delete again and the arrow keys go on from there.
    if (refused.isEmpty() && row >= 0 && (action == QLatin1String("Delete") || action == QLatin1String("delete_2"))) {
        QCOMPARE(list->currentRow(), qMin(row, expected.size() - 1));
        QVERIFY(list->currentItem()->isSelected());
    }
}

void TestPBacklogWindow::rowsAreActedOnWhereTheyAre_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("action");      // edit or delete_2
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QByteArray>("meanwhile");  // written while the dialog is open, or before a delete
    QTest::addColumn<bool>("addAnyway");        // the answer to the offer to add a vanished task's edit
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("current");

    const QByteArray none;
    QTest::newRow("edit the second twin") << QByteArray("X\nY\nX") << 2 << "edit" << "Z" << none << false
                                          << QStringList{"X", "Y", "Z"} << 2;
    QTest::newRow("delete the second twin") << QByteArray("X\nY\nX") << 2 << "delete_2" << "" << none << false
                                            << QStringList{"X", "Y"} << 1;
    QTest::newRow("edit after tasks came in above") << QByteArray("a\nb\nc") << 2 << "edit" << "C"
                                                    << QByteArray("new\na\nb\nc") << false
                                                    << QStringList{"new", "a", "b", "C"} << 3;
    QTest::newRow("delete after tasks came in above") << QByteArray("a\nb\nc") << 2 << "delete_2" << ""
                                                      << QByteArray("new\na\nb\nc") << false
                                                      << QStringList{"new", "a", "b"} << 2;
    QTest::newRow("edit of a task renamed meanwhile, added anew") << QByteArray("t1\nt2") << 1 << "edit" << "t2 done"
                                                                  << QByteArray("t1\nt2 renamed") << true
                                                                  << QStringList{"t1", "t2 renamed", "t2 done"} << 2;
    QTest::newRow("edit of a task renamed meanwhile, dropped") << QByteArray("t1\nt2") << 1 << "edit" << "t2 done"
                                                               << QByteArray("t1\nt2 renamed") << false
                                                               << QStringList{"t1", "t2 renamed"} << -1;
}

// Edit and delete act on the chosen row itself, found again when the file
// moved it, and never on another task of the same text; an edit whose task
// vanished is offered as a new task rather than lost.
void TestPBacklogWindow::rowsAreActedOnWhereTheyAre()
{
    QFETCH(QByteArray, before);
    QFETCH(int, row);
    QFETCH(QString, action);
    QFETCH(QString, typed);
    QFETCH(QByteArray, meanwhile);
    QFETCH(bool, addAnyway);
    QFETCH(QStringList, expected);
    QFETCH(int, current);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", before));
    PBacklogWindow w(nullptr);
    w.show();
    QListWidget *list = Probe::list(w);
    list->setCurrentRow(row);

    ModalDriver driver;
    if (action == QLatin1String("edit")) {
        driver.add([&](QWidget *dialog) {
            if (!meanwhile.isNull())
                QVERIFY(WorkDir::write("product_backlog", meanwhile));
            ModalDriver::enterText(typed)(dialog);
        });
        driver.onMessage = [addAnyway](QWidget *box) {
            static_cast<QMessageBox *>(box)->button(addAnyway ? QMessageBox::Yes : QMessageBox::No)->click();
        };
    } else if (!meanwhile.isNull()) {
        QVERIFY(WorkDir::write("product_backlog", meanwhile));
    }
    Probe::button(w, qPrintable(action))->click();

    QVERIFY(driver.done());
    QCOMPARE(driver.messages.size(), int(addAnyway || current < 0));
    QCOMPARE(fileTasks(), expected);
    QCOMPARE(Probe::rows(w), expected);
    if (current >= 0)
        QCOMPARE(list->currentRow(), current);
}

// Each window follows the other's changes, keeping its own selection while
// the selected task stays.
void TestPBacklogWindow::twoWindowsStayInStep()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\nc\n"));
    PBacklogWindow first(nullptr);
    PBacklogWindow second(nullptr);
    first.show();
    second.show();
    QListWidget *list = Probe::list(first);
    list->setCurrentRow(2);

    Probe::list(second)->setCurrentRow(0);
    Probe::button(second, "delete_2")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(first), (QStringList{"b", "c"}), Probe::FollowMs);
    QVERIFY(list->currentItem());
    QCOMPARE(list->currentItem()->text(), QStringLiteral("c"));
    QVERIFY(list->currentItem()->isSelected());

    // When the selected task goes, nothing else is selected in its place.
    Probe::list(second)->setCurrentRow(1);
    Probe::button(second, "delete_2")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(first), QStringList{"b"}, Probe::FollowMs);
    QVERIFY(list->selectedItems().isEmpty());

    ModalDriver driver;
    driver.add(ModalDriver::enterText("from the first"));
    Probe::button(first, "add")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(second), (QStringList{"b", "from the first"}), Probe::FollowMs);
    QCOMPARE(fileTasks(), Probe::rows(first));
}

void TestPBacklogWindow::keepsFollowingTheFileAfterItIsReplaced()
{
    WorkDir dir;
    PBacklogWindow w(nullptr);
    w.show();
    // Another program replaces the file by renaming a new one over it, then
    // writes into the new file in place, which leaves the directory as it is.
    const QList<QPair<bool, QByteArray>> steps{
        {true, "x\n"}, {false, "x\ny\n"}, {true, "z\n"}, {false, "z\nw\n"}};
    for (const auto &step : steps) {
        if (step.first) {
            QVERIFY(WorkDir::write("replacement", step.second));
            QVERIFY(::rename("replacement", "product_backlog") == 0);
        } else {
            QVERIFY(WorkDir::write("product_backlog", step.second));
        }
        QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(w).join('\n') + '\n', QString::fromUtf8(step.second), Probe::FollowMs);
    }
}

void TestPBacklogWindow::unreadableFileIsShownReadOnly()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "ok\n\xff\xfe broken\n"));
    ModalDriver driver;
    PBacklogWindow w(nullptr);
    w.show();
    QTRY_COMPARE_WITH_TIMEOUT(driver.messages.size(), 1, Probe::FollowMs);
    QVERIFY2(driver.messages.first().contains("product_backlog"), qPrintable(driver.messages.first()));
    for (const char *name : {"add", "delete_2", "edit"})
        QVERIFY2(!Probe::button(w, name)->isEnabled(), name);

    // Once the file is mended, the window takes changes again.
    QVERIFY(WorkDir::write("product_backlog", "mended\n"));
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(w), QStringList{"mended"}, Probe::FollowMs);
    QVERIFY(Probe::button(w, "add")->isEnabled());
}

// A task the editor could not show without freezing is not opened in it.
void TestPBacklogWindow::taskTooLongToEditIsLeftAlone()
{
    WorkDir dir;
    const QByteArray before = "a\n" + QByteArray(TaskDialog::MaxLength + 1, 'x');
    QVERIFY(WorkDir::write("product_backlog", before));
    PBacklogWindow w(nullptr);
    w.show();
    Probe::list(w)->setCurrentRow(1);
    ModalDriver driver;
    Probe::button(w, "edit")->click();
    QCOMPARE(driver.labels, QStringList());
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("too long to edit"), qPrintable(driver.messages.first().left(300)));
    QCOMPARE(WorkDir::read("product_backlog"), before);
}

// A task dragged to the bottom edge of a long list scrolls it, so that it
// can be dropped past what was in view.
void TestPBacklogWindow::dragHeldAtTheEdgeScrolls()
{
    WorkDir dir;
    QStringList tasks;
    for (int i = 0; i < 200; ++i)
        tasks.append(QString::number(i));
    QVERIFY(WorkDir::write("product_backlog", tasks.join('\n').toUtf8()));
    PBacklogWindow w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QListWidget *list = Probe::list(w);
    QCOMPARE(list->verticalScrollBar()->value(), 0);

    std::unique_ptr<QMimeData> data(TaskDrag{QDir::currentPath(), "product_backlog", {TaskRef{0, "0"}}}.toMimeData());
    const QPoint edge(10, list->viewport()->height() - 2);
    QDragEnterEvent enter(edge, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &enter);
    QDragMoveEvent move(edge, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &move);
    QTRY_VERIFY_WITH_TIMEOUT(list->verticalScrollBar()->value() > 1, Probe::FollowMs);

    // Dropped there, the task lands below the rows now in view.
    QDropEvent drop(edge, Qt::MoveAction, data.get(), Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(list->viewport(), &drop);
    QVERIFY(fileTasks().indexOf("0") > list->viewport()->height() / list->sizeHintForRow(0));
}

// Changes made elsewhere are told in one notice that does not block: a
// newer one replaces its text rather than stacking another box.
void TestPBacklogWindow::changesElsewhereAreToldOnce()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a"));
    PBacklogWindow w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (int i = 0; i < 5; ++i) {
        QVERIFY(WorkDir::write("product_backlog", i % 2 ? "a" : "\xff"));
        // Shown read-only while the file is not text.
        QTRY_COMPARE_WITH_TIMEOUT(!Probe::button(w, "add")->isEnabled(), i % 2 == 0, Probe::FollowMs);
    }
    const QList<QMessageBox *> boxes = w.findChildren<QMessageBox *>();
    QCOMPARE(boxes.size(), 1);
    QVERIFY(boxes.first()->isVisible() && !boxes.first()->isModal());
    QVERIFY2(boxes.first()->text().contains("not valid UTF-8"), qPrintable(boxes.first()->text()));
}

// Each row says which sprints hold its task, open or done, to the eye and
// to a screen reader, and follows the sprint files as other programs
// change them.
void TestPBacklogWindow::rowsSayWhereSprintsHoldThem()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\nx 2026-12-01 c\nd"));
    QVERIFY(WorkDir::write("sprint3", "a\nc"));
    QVERIFY(WorkDir::write("sprint2", "x 2026-12-08 b"));
    PBacklogWindow w(nullptr);
    w.show();
    QListWidget *list = Probe::list(w);
    const auto notes = [list] {
        QStringList out;
        for (int i = 0; i < list->count(); ++i) {
            const QString note = list->item(i)->data(TaskDelegate::NoteRole).toString();
            const QString read = list->item(i)->data(Qt::AccessibleTextRole).toString();
            out.append(note.isEmpty() || read.contains(note) ? note : QStringLiteral("unread: ") + note);
        }
        return out;
    };
    // As a reading of the files made here and now says, once the window's
    // own readings have caught up with them.
    const auto said = [list] {
        const SprintPlacements::Reading now = SprintPlacements::read(QDir::currentPath(), {});
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out.append(SprintPlacements::describe(now.of(list->item(i)->text())));
        return out;
    };
    QTRY_COMPARE_WITH_TIMEOUT(notes(), said(), Probe::FollowMs);
    QCOMPARE(notes().filter("sprint").size(), 3);

    // Written in place, which tells the folder nothing; a new sprint, and
    // one removed.
    QVERIFY(WorkDir::write("sprint3", "x 2026-12-09 a\nc\nd"));
    QVERIFY(WorkDir::write("sprint10", "a\nb"));
    QVERIFY(QFile::remove("sprint2"));
    QTRY_COMPARE_WITH_TIMEOUT(notes(), said(), Probe::FollowMs);
    QCOMPARE(notes().filter("sprint").size(), 4);
    // A row made anew by a change of the backlog gets its note too.
    QVERIFY(WorkDir::write("product_backlog", "new\nb"));
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(w), (QStringList{"new", "b"}), Probe::FollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(notes(), said(), Probe::FollowMs);
    QVERIFY(notes().first().isEmpty() && !notes().last().isEmpty());
}

void TestPBacklogWindow::editChangesTheSprintsOpenCopies_data()
{
    QTest::addColumn<QByteArrayList>("sprints");  // sprint1, sprint2, sprint3
    QTest::addColumn<QString>("refused");         // "locked": sprint3 cannot be saved
    QTest::addColumn<QByteArray>("meanwhile");    // sprint3, written between the edit and its undo
    QTest::addColumn<QByteArrayList>("edited");   // the backlog and the sprints after the edit
    QTest::addColumn<QByteArrayList>("undone");   // ... and after Ctrl+Z

    const QByteArrayList before{"a\nb", "a", "x 2026-12-08 a", "b\na"};
    const QByteArrayList after{"A\nb", "A", "x 2026-12-08 a", "b\nA"};
    QTest::newRow("open copies change, a done one stays; undone, all come back")
        << before.mid(1) << "" << QByteArray() << after << before;
    QTest::newRow("undone only where a list still reads the edit")
        << before.mid(1) << "" << QByteArray("b\nA, changed elsewhere") << after
        << QByteArrayList{"a\nb", "a", "x 2026-12-08 a", "b\nA, changed elsewhere"};
    QTest::newRow("a sprint that cannot be saved takes the whole edit back")
        << before.mid(1) << "locked" << QByteArray() << before << before;
}

// An edit of a backlog task says which sprints hold it open, changes it
// there too in one step, and one Ctrl+Z takes all of it back, but for what
// another program changed in between.
void TestPBacklogWindow::editChangesTheSprintsOpenCopies()
{
    QFETCH(QByteArrayList, sprints);
    QFETCH(QString, refused);
    QFETCH(QByteArray, meanwhile);
    QFETCH(QByteArrayList, edited);
    QFETCH(QByteArrayList, undone);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb"));
    for (int i = 0; i < sprints.size(); ++i)
        QVERIFY(WorkDir::write(QStringLiteral("sprint%1").arg(i + 1), sprints.at(i)));
    const auto files = [&sprints] {
        QByteArrayList out{WorkDir::read("product_backlog")};
        for (int i = 0; i < sprints.size(); ++i)
            out.append(WorkDir::read(QStringLiteral("sprint%1").arg(i + 1)));
        return out;
    };
    PBacklogWindow w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QListWidget *list = Probe::list(w);
    QTRY_VERIFY_WITH_TIMEOUT(!list->item(0)->data(TaskDelegate::NoteRole).toString().isEmpty(), Probe::FollowMs);
    QVERIFY(refused.isEmpty() || QDir().mkdir(".sprint3.lock"));
    list->setCurrentRow(0);

    ModalDriver driver;
    QString note;
    driver.add([&note](QWidget *dialog) {
        if (auto *label = dialog->findChild<QLabel *>("note"))
            note = label->isVisible() ? label->text() : QString();
        ModalDriver::enterText("A")(dialog);
    });
    if (!refused.isEmpty())
        driver.add(ModalDriver::cancel());
    Probe::button(w, "edit")->click();
    QVERIFY(driver.done());
    QVERIFY2(note.contains(SprintPlacements::numbers({1, 3})), qPrintable(note));
    QCOMPARE(files(), edited);
    QCOMPARE(driver.messages.size(), int(!refused.isEmpty()));
    if (!refused.isEmpty())
        QVERIFY2(driver.messages.first().contains("sprint3"), qPrintable(driver.messages.first()));

    if (!meanwhile.isNull())
        QVERIFY(WorkDir::write("sprint3", meanwhile));
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(files(), undone);
}

QTEST_MAIN(TestPBacklogWindow)
#include "tst_pbacklogwindow.moc"
