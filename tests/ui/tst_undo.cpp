// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "deletedtasks.h"
#include "donemark.h"
#include "listedits.h"
#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "productbacklog.h"
#include "sprint.h"
#include "sprintschedule.h"
#include "sprintwindow.h"
#include "taskcommand.h"
#include "tasklistcodec.h"
#include "tasklistcontroller.h"
#include "taskundostack.h"
#include "windowprobe.h"
#include "workdir.h"

#include <QAction>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSet>
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
    void randomStepsLoseNothing();
};

namespace {

QStringList fileTasks(const QString &list)
{
    return list == QLatin1String("backlog") ? productbacklog().getItems() : Sprint(list.toInt()).getTasks();
}

// Another window's change: "+x" appends x, "^x" puts x on top, "-x" removes
// x, "=x>y" renames x to y; "list:" before it names another list, and "rm"
// removes the list's file.
bool changeElsewhere(QString list, QString change)
{
    if (change.contains(':')) {
        list = change.section(':', 0, 0);
        change = change.section(':', 1);
    }
    if (change.isEmpty())
        return true;
    if (change == QLatin1String("rm"))
        return QFile::remove(list == QLatin1String("backlog") ? QStringLiteral("product_backlog") : "sprint" + list);
    const QString text = change.mid(1);
    TaskListFile::Edit edit;
    switch (change.at(0).toLatin1()) {
    case '+': edit = ListEdits::insert(ListEdits::End, {text}); break;
    case '^': edit = ListEdits::insert(0, {text}); break;
    case '-': edit = ListEdits::removeFirst(text); break;
    case '=': edit = ListEdits::replaceFirst(text.section('>', 0, 0), {text.section('>', 1)}); break;
    }
    return list == QLatin1String("backlog") ? productbacklog().change(edit) : Sprint(list.toInt()).change(edit);
}

bool press(QWidget &window, Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    // Back from a dialog, as the window system makes it the active window.
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window))
        return false;
    // Wherever the focus is in the window: here on a button.
    QWidget *button = Probe::button(window, "add");
    button->setFocus();
    QTest::keyClick(button, key, modifiers);
    return true;
}

} // namespace

void TestUndo::undoAndRedoKeepOtherChanges_data()
{
    QTest::addColumn<QString>("list");      // backlog, or a sprint number
    QTest::addColumn<QString>("action");    // add, edit, delete_2, addTasks, move or close (b done)
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");      // typed, picked; for a move, the target sprint
    QTest::addColumn<QString>("between");   // another window's change after the action
    QTest::addColumn<QStringList>("undone"); // the list after Ctrl+Z; empty: refused
    QTest::addColumn<QStringList>("redone"); // after Ctrl+Shift+Z
    QTest::addColumn<QStringList>("target"); // a move's target sprint after Ctrl+Z
    QTest::addColumn<QString>("beforeRedo"); // another window's change after Ctrl+Z

    const QStringList none;
    QTest::newRow("delete, other appends") << "backlog" << "delete_2" << 1 << "" << "+d"
                                           << QStringList{"a", "b", "c", "d"} << QStringList{"a", "c", "d"} << none << "";
    QTest::newRow("delete, its predecessor gone") << "backlog" << "delete_2" << 1 << "" << "-a"
                                                  << QStringList{"c", "b"} << QStringList{"c"} << none << "";
    QTest::newRow("delete, tasks came in above") << "backlog" << "delete_2" << 2 << "" << "^x"
                                                 << QStringList{"x", "a", "b", "c"} << QStringList{"x", "a", "b"} << none << "";
    QTest::newRow("edit, other appends") << "backlog" << "edit" << 1 << "B" << "+d"
                                         << QStringList{"a", "b", "c", "d"} << QStringList{"a", "B", "c", "d"} << none << "";
    QTest::newRow("edit, renamed again elsewhere") << "backlog" << "edit" << 1 << "B" << "=B>B2" << none << none << none << "";
    QTest::newRow("add, tasks came in above") << "backlog" << "add" << -1 << "d" << "^x"
                                              << QStringList{"x", "a", "b", "c"} << QStringList{"x", "a", "b", "c", "d"} << none << "";
    QTest::newRow("add, deleted elsewhere") << "backlog" << "add" << -1 << "d" << "-d" << none << none << none << "";
    QTest::newRow("add tasks, one deleted elsewhere") << "1" << "addTasks" << -1 << "d|e" << "-d"
                                                      << QStringList{"a", "b", "c"} << QStringList{"a", "b", "c", "e"} << none << "";
    QTest::newRow("move, other appends here") << "1" << "move" << 1 << "2" << "+y"
                                              << QStringList{"a", "b", "c", "y"} << QStringList{"a", "c", "y"}
                                              << QStringList{"z"} << "";
    QTest::newRow("move, deleted in the target") << "1" << "move" << 1 << "2" << "" << none << none << none << "";
    // Each decides afresh from the files: a redo that finds the target
    // without the task puts it there, an undo never doubles a task, and no
    // step makes a file anew.
    QTest::newRow("move, held in the target, gone there before redo") << "1" << "move" << 1 << "3" << "+q"
        << QStringList{"a", "b", "c", "q"} << QStringList{"a", "c", "q"} << QStringList{"b", "y"} << "3:-b";
    QTest::newRow("move, put back into the source before undo") << "1" << "move" << 1 << "2" << "+b"
        << QStringList{"a", "c", "b"} << QStringList{"a", "c"} << QStringList{"z"} << "";
    QTest::newRow("move, target removed before undo") << "1" << "move" << 1 << "2" << "2:rm" << none << none << none << "";
    // Closing carries the open tasks over; undone, they come back and the
    // sprint is open again; redone, it carries what is open then.
    const QString b = QStringLiteral("x 2026-12-02 b");
    QTest::newRow("close, other appends here") << "1" << "close" << -1 << "2" << "+y"
        << QStringList{"a", b, "c", "y"} << QStringList{b} << QStringList{"z"} << "";
    QTest::newRow("close, a carried task deleted in the target") << "1" << "close" << -1 << "2" << "2:-a"
        << QStringList{b, "c"} << QStringList{b} << QStringList{"z"} << "";
    QTest::newRow("close, target removed before undo") << "1" << "close" << -1 << "2" << "2:rm"
        << none << none << none << "";
    QTest::newRow("delete, put back before undo") << "backlog" << "delete_2" << 1 << "" << "+b" << none << none << none << "";
    QTest::newRow("add, list removed before redo") << "backlog" << "add" << -1 << "d" << "+e"
        << QStringList{"a", "b", "c", "e"} << none << none << "rm";
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
    QFETCH(QString, beforeRedo);

    WorkDir dir;
    const bool backlog = list == QLatin1String("backlog");
    const bool close = action == QLatin1String("close");
    QVERIFY(WorkDir::write(backlog ? "product_backlog" : "sprint1", close ? "a\nx 2026-12-02 b\nc" : "a\nb\nc"));
    if (!backlog) {
        QVERIFY(WorkDir::write("product_backlog", "d\ne"));
        QVERIFY(WorkDir::write("sprint2", "z"));
        QVERIFY(WorkDir::write("sprint3", "b\ny"));
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
    else if (action != QLatin1String("delete_2") && !close)
        driver.add(ModalDriver::pick(action == QLatin1String("move") ? QStringList{"sprint" + text} : text.split('|')));
    if (close) {
        driver.onMessage = [](QWidget *box) {
            for (QAbstractButton *button : box->findChildren<QAbstractButton *>()) {
                if (button->text() == QLatin1String("Close sprint"))
                    button->click();
            }
        };
        QVERIFY(press(w, Qt::Key_E, Qt::ControlModifier | Qt::ShiftModifier));
        QCOMPARE(driver.messages.size(), 1);
        driver.messages.clear();
        QCOMPARE(fileTasks(text), (QStringList{"z", "a", "c"}));
    } else {
        Probe::button(w, qPrintable(action == QLatin1String("addTasks") ? "add" : action))->click();
    }
    QVERIFY(driver.done());
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    const auto closed = [] {
        SprintSchedule schedule;
        return schedule.read() && schedule.details(1).isClosed();
    };
    QCOMPARE(closed(), close);

    // A move found gone in its target is one that another window took back out.
    if (action == QLatin1String("move") && between.isEmpty())
        QVERIFY(changeElsewhere(text, QStringLiteral("-b")));
    else
        QVERIFY(changeElsewhere(list, between));
    const QStringList changed = fileTasks(list);

    const QStringList files = QDir().entryList(QDir::Files);
    QVERIFY(press(w, Qt::Key_Z, Qt::ControlModifier));
    QCOMPARE(QDir().entryList(QDir::Files), files);
    if (undone.isEmpty()) {
        QCOMPARE(driver.messages.size(), 1);
        QVERIFY2(driver.messages.first().contains("Cannot undo"), qPrintable(driver.messages.first()));
        QCOMPARE(fileTasks(list), changed);
        QCOMPARE(closed(), close);
        return;
    }
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(fileTasks(list), undone);
    QCOMPARE(Probe::rows(w), undone);
    if (!target.isEmpty())
        QCOMPARE(fileTasks(text), target);
    QVERIFY(!closed());

    QVERIFY(changeElsewhere(list, beforeRedo));
    const QStringList beforeRedoFiles = QDir().entryList(QDir::Files);
    QVERIFY(press(w, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier));
    QCOMPARE(QDir().entryList(QDir::Files), beforeRedoFiles);
    if (redone.isEmpty()) {
        QCOMPARE(driver.messages.size(), 1);
        QVERIFY2(driver.messages.first().contains("Cannot redo"), qPrintable(driver.messages.first()));
        return;
    }
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(fileTasks(list), redone);
    QCOMPARE(Probe::rows(w), redone);
    QCOMPARE(closed(), close);
    // The task a move took out of its list is in its target.
    if (action == QLatin1String("move"))
        QVERIFY2(fileTasks(text).contains("b"), qPrintable(fileTasks(text).join(", ")));
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
    QVERIFY(press(w, Qt::Key_Z, Qt::ControlModifier));
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("product_backlog"), qPrintable(driver.messages.first()));
    QCOMPARE(fileTasks("backlog"), QStringList{"b"});

    QVERIFY(QDir().rmdir(".product_backlog.lock"));
    QVERIFY(press(w, Qt::Key_Y, Qt::ControlModifier));  // nothing to redo yet
    QVERIFY(press(w, Qt::Key_Z, Qt::ControlModifier));
    QCOMPARE(driver.messages.size(), 1);
    QCOMPARE(fileTasks("backlog"), (QStringList{"a", "b"}));
    QVERIFY(press(w, Qt::Key_Y, Qt::ControlModifier));
    QCOMPARE(fileTasks("backlog"), QStringList{"b"});
}

// A task deleted in a window that was closed since is restored from a new one;
// one that undo brought back is not offered.
void TestUndo::deletedTasksCanBeRestored()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", "a\nb\nc\nd"));
    QVERIFY(WorkDir::write("sprint2", "b"));
    {
        SprintWindow w(nullptr);
        w.initSprint(1);
        w.show();
        for (int row : {1, 0, 0}) {
            Probe::list(w)->setCurrentRow(row);
            Probe::button(w, "delete_2")->click();
        }
        w.findChild<TaskListController *>()->undo();
        QCOMPARE(fileTasks("1"), (QStringList{"c", "d"}));
    }
    SprintWindow w(nullptr);
    w.initSprint(1);
    w.show();
    ModalDriver driver;
    driver.add([&driver](QWidget *dialog) { ModalDriver::pick({driver.offered.value(1)})(dialog); });
    QAction *restore = nullptr;
    for (QAction *action : Probe::list(w)->actions()) {
        if (action->text().startsWith("Restore deleted tasks"))
            restore = action;
    }
    QVERIFY(restore);
    restore->trigger();
    QVERIFY(driver.done());
    // Newest first, only this list's, each with when it went and where
    // from; not c, which undo brought back.
    const QVector<DeletedTasks::Entry> gone = DeletedTasks().entries();
    const auto row = [](const DeletedTasks::Entry &entry) {
        return QLocale().toString(entry.when.toLocalTime(), QLocale::ShortFormat) + ", sprint1: " + entry.text;
    };
    QCOMPARE(driver.offered, (QStringList{row(gone.at(1)), row(gone.at(0))}));
    QCOMPARE(fileTasks("1"), (QStringList{"c", "d", "b"}));
    QVERIFY(press(w, Qt::Key_Z, Qt::ControlModifier));
    QCOMPARE(fileTasks("1"), (QStringList{"c", "d"}));
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

namespace {

// Two sprint windows and another program, taking random steps on the same
// files, as fast as they can, so that each window acts on rows that another
// has changed.
class RandomSteps
{
public:
    explicit RandomSteps(quint32 seed)
        : m_random(seed)
    {
        for (int i = 0; i < 2; ++i) {
            m_windows[i].initSprint(i + 1);
            m_lists[i] = m_windows[i].findChild<TaskListController *>();
            m_lists[i]->setWarner([this](const QString &message) { m_messages.append(message); });
        }
    }

    // Takes one step; false, with a report, when it broke a rule.
    bool step(QString *report)
    {
        const QMap<QString, QByteArray> before = files();
        QHash<QString, int> historyBefore;
        for (const DeletedTasks::Entry &entry : m_history.entries())
            ++historyBefore[key(entry)];
        m_messages.clear();
        const bool done = act(int(m_random.bounded(2)), report);
        const QMap<QString, QByteArray> after = files();
        if (report->startsWith(QLatin1String("outside")))
            return true;

        const auto broke = [report](const QString &rule) {
            *report += QStringLiteral(": ") + rule;
            return false;
        };
        if (!done && after != before)
            return broke(QStringLiteral("refused, yet the files changed"));
        // A text gone from every list is in the history, put there now.
        QSet<QString> kept;
        for (const DeletedTasks::Entry &entry : m_history.entries()) {
            if (--historyBefore[key(entry)] < 0)
                kept.insert(DoneMark::textOf(entry.text));
        }
        for (const QString &text : texts(before) - texts(after)) {
            if (!kept.contains(text))
                return broke(QStringLiteral("lost \"%1\"").arg(text));
        }
        for (auto file = after.cbegin(); file != after.cend(); ++file) {
            const bool again = *report == QLatin1String("undo") || *report == QLatin1String("redo");
            if (again && !before.contains(file.key()))
                return broke(QStringLiteral("made %1").arg(file.key()));
            const QSet<QString> held = texts({{file.key(), file.value()}});
            if (held.size() != TaskListCodec::decode(file.value()).tasks.size())
                return broke(QStringLiteral("doubled a task in %1").arg(file.key()));
        }
        return true;
    }

private:
    QString text() { return QStringLiteral("t%1").arg(m_random.bounded(12)); }
    static QString key(const DeletedTasks::Entry &entry)
    {
        return entry.when.toString(Qt::ISODate) + '\t' + entry.list + '\t' + entry.text;
    }
    int bounded(int size) { return size > 0 ? int(m_random.bounded(size)) : 0; }

    static QMap<QString, QByteArray> files()
    {
        QMap<QString, QByteArray> all;
        for (const QString &name : {QStringLiteral("sprint1"), QStringLiteral("sprint2")}) {
            if (QFile::exists(name))
                all.insert(name, WorkDir::read(name));
        }
        return all;
    }

    static QSet<QString> texts(const QMap<QString, QByteArray> &files)
    {
        // A task is its text, done or open.
        QSet<QString> all;
        for (const QByteArray &bytes : files) {
            for (const QString &line : TaskListCodec::decode(bytes).tasks)
                all.insert(DoneMark::textOf(line));
        }
        return all;
    }

    // Selects a random row of a window, as the window shows it.
    TaskRef pick(int side)
    {
        QListWidget *list = Probe::list(m_windows[side]);
        if (list->count() == 0)
            return TaskRef();
        const int row = bounded(list->count());
        list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
        // Now and then several, for the actions that take them all.
        if (m_random.bounded(4) == 0)
            list->item(bounded(list->count()))->setSelected(true);
        return TaskRef{row, list->item(row)->text()};
    }

    bool perform(int side, TaskCommand *command)
    {
        return m_lists[side]->perform(command) == TaskListController::Result::Done;
    }

    bool act(int side, QString *name)
    {
        TaskListController *list = m_lists[side];
        TaskStore *store = list->store();
        const TaskRef task = pick(side);
        switch (m_random.bounded(16)) {
        case 0:
            *name = QStringLiteral("add");
            return perform(side, TaskCommand::insert(store, bounded(Probe::list(m_windows[side])->count() + 1),
                                                     {text()}, QStringLiteral("Add")));
        case 1:
            *name = QStringLiteral("add lines");
            return perform(side, TaskCommand::insert(store, ListEdits::End,
                                                     ListEdits::lines(text() + '\n' + text()), QStringLiteral("Add")));
        case 2:
            *name = QStringLiteral("edit");
            return task.row < 0 || perform(side, TaskCommand::replace(store, task, ListEdits::lines(text() + '\n' + text())));
        case 3:
            *name = QStringLiteral("delete");
            return list->deleteSelected() == TaskListController::Result::Done;
        case 4: {
            *name = QStringLiteral("Alt move");
            const ListEdits::Place places[] = {ListEdits::Place::Up, ListEdits::Place::Down, ListEdits::Place::Top,
                                              ListEdits::Place::Bottom};
            return list->moveSelected(places[m_random.bounded(4)]) == TaskListController::Result::Done;
        }
        case 5: {
            *name = QStringLiteral("drop within");
            const TaskRef anchor = pick(side);
            return task.row < 0
                || perform(side, TaskCommand::reorder(store, task, ListEdits::Place::Before, anchor, QStringLiteral("Move")));
        }
        case 6:
        case 7:
            *name = QStringLiteral("move to the other sprint");
            {
                QVector<ListEdits::Transfer> items;
                for (const TaskRef &chosen : list->selectedRefs())
                    items.append(ListEdits::Transfer{chosen.text, chosen.row, bounded(5)});
                return items.isEmpty()
                    || perform(side, TaskCommand::transfer(m_windows[side].s, 2 - side, items, false, QStringLiteral("Move task")));
            }
        case 8:
        case 9:
            *name = QStringLiteral("undo");
            list->undo();
            return m_messages.isEmpty();
        case 10:
            *name = QStringLiteral("redo");
            list->redo();
            return m_messages.isEmpty();
        case 11: {
            *name = QStringLiteral("restore");
            const QStringList recent = m_history.recent(store->fileName()).mid(0, 2);
            return recent.isEmpty() || perform(side, TaskCommand::insert(store, ListEdits::End, recent,
                                                                          QStringLiteral("Restore")));
        }
        case 12:
            // Rows hidden by a filter are never acted on, nor lost.
            *name = QStringLiteral("find");
            if (list->findLine() && list->findLine()->isVisible() && m_random.bounded(2)) {
                list->closeFind();
            } else {
                list->openFind();
                list->findLine()->setText(QStringLiteral("t%1").arg(m_random.bounded(2) ? QString::number(m_random.bounded(10)) : QString()));
            }
            QCoreApplication::processEvents();
            return true;
        case 13:
        case 14:
            *name = QStringLiteral("tick");
            return list->toggleSelected() == TaskListController::Result::Done;
        default:
            outside(name);
            return true;
        }
    }

    // Another program: writes a list anew, or removes it.
    void outside(QString *name)
    {
        const QString file = QStringLiteral("sprint%1").arg(1 + m_random.bounded(2));
        QStringList tasks = TaskListCodec::decode(WorkDir::read(file)).tasks;
        if (!QFile::exists(file))
            tasks.clear();
        switch (m_random.bounded(4)) {
        case 0:
            *name = QStringLiteral("outside rm ") + file;
            QFile::remove(file);
            return;
        case 1:
            if (!tasks.isEmpty())
                tasks.removeAt(bounded(tasks.size()));
            break;
        case 2:
            if (!tasks.isEmpty())
                tasks.move(bounded(tasks.size()), bounded(tasks.size()));
            // And marks a task as todo.sh does, or reopens it.
            if (!tasks.isEmpty()) {
                const int row = bounded(tasks.size());
                tasks[row] = DoneMark::marked(tasks.at(row), DoneMark::isDone(tasks.at(row)) ? QDate() : QDate(2026, 12, 1));
            }
            break;
        default: {
            const QString added = text();
            if (!texts({{file, tasks.join('\n').toUtf8()}}).contains(added))
                tasks.insert(bounded(tasks.size() + 1), added);
        }
        }
        *name = QStringLiteral("outside write ") + file;
        WorkDir::write(file, tasks.join('\n').toUtf8());
        // Now and then the windows see it before they act.
        if (m_random.bounded(2) == 0)
            QCoreApplication::processEvents();
    }

    QRandomGenerator m_random;
    SprintWindow m_windows[2];
    TaskListController *m_lists[2];
    DeletedTasks m_history;
    QStringList m_messages;
};

} // namespace

// Random steps of two windows and another program on the same files: no
// step loses a task, doubles one or makes a file anew, and a step that is
// refused leaves every file as it was. CORVANE_RANDOM_SEED replays a run,
// CORVANE_RANDOM_STEPS makes it longer.
void TestUndo::randomStepsLoseNothing()
{
    // On a memory file system when there is one: every step syncs its files.
    QTemporaryDir folder(QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm/tst_undo-XXXXXX") : QString());
    QVERIFY(folder.isValid());
    const QString previous = QDir::currentPath();
    QDir::setCurrent(folder.path());
    const auto restore = qScopeGuard([&] { QDir::setCurrent(previous); });
    QVERIFY(WorkDir::write("sprint1", "t0\nt1\nt2\nt3"));
    QVERIFY(WorkDir::write("sprint2", "t4\nt5\nt0"));

    bool seeded = false;
    const quint32 seed = qEnvironmentVariableIsSet("CORVANE_RANDOM_SEED")
        ? quint32(qEnvironmentVariableIntValue("CORVANE_RANDOM_SEED", &seeded))
        : QRandomGenerator::global()->generate();
    const int steps = qEnvironmentVariableIsSet("CORVANE_RANDOM_STEPS")
        ? qEnvironmentVariableIntValue("CORVANE_RANDOM_STEPS") : 3000;
    qInfo("random steps: %d from seed %u (CORVANE_RANDOM_SEED=%u replays them)", steps, seed, seed);
    RandomSteps run(seed);
    QStringList last;
    for (int i = 0; i < steps; ++i) {
        QString report;
        const bool kept = run.step(&report);
        last.append(report);
        if (last.size() > 8)
            last.removeFirst();
        QVERIFY2(kept, qPrintable(QStringLiteral("step %1 of seed %2: %3\nsteps before: %4")
                                      .arg(i).arg(seed).arg(report, last.join(", "))));
    }
}

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
