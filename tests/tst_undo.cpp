#include "deletedtasks.h"
#include "listedits.h"
#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "productbacklog.h"
#include "sprint.h"
#include "sprintwindow.h"
#include "windowprobe.h"
#include "workdir.h"

#include <QAction>
#include <QtTest>

// Undo and redo in the task windows: each applies to the files as they are
// when it is pressed, keeps what another window changed in between, and
// refuses, changing nothing, when its task is gone.
class TestUndo : public QObject
{
    Q_OBJECT

private slots:
    void undoAndRedoKeepOtherChanges_data();
    void undoAndRedoKeepOtherChanges();
    void refusedUndoCanBeTriedAgain();
    void deletedTasksCanBeRestored();
    void historySurvivesACutEntry();
};

namespace {

QStringList fileTasks(const QString &list)
{
    return list == QLatin1String("backlog") ? productbacklog().getItems() : Sprint(list.toInt()).getTasks();
}

// Another window's change: "+x" appends x, "^x" puts x on top, "-x" removes
// x, "=x>y" renames x to y.
void changeElsewhere(const QString &list, const QString &change)
{
    const QString text = change.mid(1);
    TaskListFile::Edit edit;
    switch (change.at(0).toLatin1()) {
    case '+': edit = ListEdits::insert(ListEdits::End, {text}); break;
    case '^': edit = ListEdits::insert(0, {text}); break;
    case '-': edit = ListEdits::removeFirst(text); break;
    case '=': edit = ListEdits::replaceFirst(text.section('>', 0, 0), {text.section('>', 1)}); break;
    }
    const bool done = list == QLatin1String("backlog") ? productbacklog().change(edit) : Sprint(list.toInt()).change(edit);
    QVERIFY(done);
}

void press(QWidget &window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // Back from a dialog, as the window system makes it the active window.
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    // Wherever the focus is in the window: here on a button.
    QWidget *button = Probe::button(window, "add");
    button->setFocus();
    QTest::keyClick(button, key, modifiers);
}

} // namespace

void TestUndo::undoAndRedoKeepOtherChanges_data()
{
    QTest::addColumn<QString>("list");      // backlog, or a sprint number
    QTest::addColumn<QString>("action");    // add, edit, delete_2, addTasks or move
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");      // typed, picked; for a move, the target sprint
    QTest::addColumn<QString>("between");   // another window's change after the action
    QTest::addColumn<QStringList>("undone"); // the list after Ctrl+Z; empty: refused
    QTest::addColumn<QStringList>("redone"); // after Ctrl+Shift+Z
    QTest::addColumn<QStringList>("target"); // a move's target sprint after Ctrl+Z

    const QStringList none;
    QTest::newRow("delete, other appends") << "backlog" << "delete_2" << 1 << "" << "+d"
                                           << QStringList{"a", "b", "c", "d"} << QStringList{"a", "c", "d"} << none;
    QTest::newRow("delete, its predecessor gone") << "backlog" << "delete_2" << 1 << "" << "-a"
                                                  << QStringList{"c", "b"} << QStringList{"c"} << none;
    QTest::newRow("delete, tasks came in above") << "backlog" << "delete_2" << 2 << "" << "^x"
                                                 << QStringList{"x", "a", "b", "c"} << QStringList{"x", "a", "b"} << none;
    QTest::newRow("edit, other appends") << "backlog" << "edit" << 1 << "B" << "+d"
                                         << QStringList{"a", "b", "c", "d"} << QStringList{"a", "B", "c", "d"} << none;
    QTest::newRow("edit, renamed again elsewhere") << "backlog" << "edit" << 1 << "B" << "=B>B2" << none << none << none;
    QTest::newRow("add, tasks came in above") << "backlog" << "add" << -1 << "d" << "^x"
                                              << QStringList{"x", "a", "b", "c"} << QStringList{"x", "a", "b", "c", "d"} << none;
    QTest::newRow("add, deleted elsewhere") << "backlog" << "add" << -1 << "d" << "-d" << none << none << none;
    QTest::newRow("add tasks, one deleted elsewhere") << "1" << "addTasks" << -1 << "d|e" << "-d"
                                                      << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c", "e"} << none;
    QTest::newRow("move, other appends here") << "1" << "move" << 1 << "2" << "+y"
                                              << QStringList{"a", "b", "c", "y"} << QStringList{"a", "c", "y"}
                                              << QStringList{"z"};
    QTest::newRow("move, deleted in the target") << "1" << "move" << 1 << "2" << "" << none << none << none;
}

void TestUndo::undoAndRedoKeepOtherChanges()
{
    QFETCH(QString, list);
    QFETCH(QString, action);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(QString, between);
    QFETCH(QStringList, undone);
    QFETCH(QStringList, redone);
    QFETCH(QStringList, target);

    WorkDir dir;
    const bool backlog = list == QLatin1String("backlog");
    QVERIFY(WorkDir::write(backlog ? "product_backlog" : "sprint1", "a\nb\nc"));
    if (!backlog) {
        QVERIFY(WorkDir::write("product_backlog", "d\ne"));
        QVERIFY(WorkDir::write("sprint2", "z"));
    }
    PBacklogWindow backlogWindow(nullptr);
    SprintWindow sprintWindow(nullptr);
    sprintWindow.initSprint(1);
    QWidget &w = backlog ? static_cast<QWidget &>(backlogWindow) : sprintWindow;
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (row >= 0)
        Probe::list(w)->setCurrentRow(row);

    ModalDriver driver;
    if (action == QLatin1String("add") || action == QLatin1String("edit"))
        driver.add(ModalDriver::enterText(text));
    else if (action != QLatin1String("delete_2"))
        driver.add(ModalDriver::pick(action == QLatin1String("move") ? QStringList{"sprint" + text} : text.split('|')));
    Probe::button(w, qPrintable(action == QLatin1String("addTasks") ? "add" : action))->click();
    QVERIFY(driver.done());
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));

    // A move found gone in its target is one that another window took back out.
    if (action == QLatin1String("move") && between.isEmpty())
        changeElsewhere(text, QStringLiteral("-b"));
    else
        changeElsewhere(list, between);
    const QStringList changed = fileTasks(list);

    press(w, Qt::Key_Z, Qt::ControlModifier);
    if (undone.isEmpty()) {
        QCOMPARE(driver.messages.size(), 1);
        QVERIFY2(driver.messages.first().contains("Cannot undo"), qPrintable(driver.messages.first()));
        QCOMPARE(fileTasks(list), changed);
        return;
    }
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(fileTasks(list), undone);
    QCOMPARE(Probe::rows(w), undone);
    if (!target.isEmpty())
        QCOMPARE(fileTasks(text), target);

    press(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(fileTasks(list), redone);
    QCOMPARE(Probe::rows(w), redone);
}

// An undo that the file refuses changes nothing and stays, to be tried again.
void TestUndo::refusedUndoCanBeTriedAgain()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb"));
    PBacklogWindow w(nullptr);
    w.show();
    Probe::list(w)->setCurrentRow(0);
    ModalDriver driver;
    Probe::button(w, "delete_2")->click();
    QCOMPARE(fileTasks("backlog"), QStringList{"b"});

    // A directory where the lock file belongs: no change can be saved.
    QVERIFY(QFile::remove(".product_backlog.lock") && QDir().mkdir(".product_backlog.lock"));
    press(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("product_backlog"), qPrintable(driver.messages.first()));
    QCOMPARE(fileTasks("backlog"), QStringList{"b"});

    QVERIFY(QDir().rmdir(".product_backlog.lock"));
    press(w, Qt::Key_Y, Qt::ControlModifier);  // nothing to redo yet
    press(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(driver.messages.size(), 1);
    QCOMPARE(fileTasks("backlog"), (QStringList{"a", "b"}));
    press(w, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(fileTasks("backlog"), QStringList{"b"});
}

// A task deleted in a window that was closed since is restored from a new one.
void TestUndo::deletedTasksCanBeRestored()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", "a\nb\nc"));
    QVERIFY(WorkDir::write("sprint2", "b"));
    {
        SprintWindow w(nullptr);
        w.initSprint(1);
        w.show();
        for (int row : {1, 0}) {
            Probe::list(w)->setCurrentRow(row);
            Probe::button(w, "delete_2")->click();
        }
        QCOMPARE(fileTasks("1"), QStringList{"c"});
    }
    SprintWindow w(nullptr);
    w.initSprint(1);
    w.show();
    ModalDriver driver;
    driver.add(ModalDriver::pick({"b"}));
    QAction *restore = nullptr;
    for (QAction *action : Probe::list(w)->actions()) {
        if (action->text().startsWith("Restore deleted tasks"))
            restore = action;
    }
    QVERIFY(restore);
    restore->trigger();
    QVERIFY(driver.done());
    // Newest first, and only this list's.
    QCOMPARE(driver.offered, (QStringList{"a", "b"}));
    QCOMPARE(fileTasks("1"), (QStringList{"c", "b"}));
    press(w, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fileTasks("1"), QStringList{"c"});
}

// A kill in the middle of an append leaves a cut last entry: it is passed
// over, and the next entry is whole.
void TestUndo::historySurvivesACutEntry()
{
    WorkDir dir;
    DeletedTasks history;
    QVERIFY(history.append("sprint1", {"first"}));
    QVERIFY(history.append("sprint1", {"second\twith a tab"}));
    QByteArray bytes = WorkDir::read(DeletedTasks::defaultFileName());
    bytes.chop(3);
    QVERIFY(WorkDir::write(DeletedTasks::defaultFileName(), bytes));
    QCOMPARE(history.recent("sprint1"), QStringList{"first"});

    QVERIFY(history.append("product_backlog", {"third"}));
    QCOMPARE(history.recent("sprint1"), QStringList{"first"});
    QCOMPARE(history.recent("product_backlog"), QStringList{"third"});

    // Bounded: the oldest entries go.
    QStringList many;
    for (int i = 0; i < DeletedTasks::Limit + DeletedTasks::Limit / 2; ++i)
        many << QString::number(i);
    QVERIFY(history.append("sprint2", many));
    const QVector<DeletedTasks::Entry> kept = history.entries();
    QCOMPARE(kept.size(), DeletedTasks::Limit);
    QCOMPARE(kept.last().text, many.last());
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
