// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow.h"
#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "sprintoverview.h"
#include "sprintschedule.h"
#include "sprintwindow.h"
#include "windowprobe.h"
#include "windowset.h"
#include "workdir.h"

#include <QAccessible>
#include <QComboBox>
#include <QLabel>
#include <QMenuBar>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>

// The main window: its form, its list of sprint files and the windows its
// two buttons open.
class TestMainWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Probe::desktopFont(); }
    void cleanup();
    void form_data();
    void form();
    void newSprint_data();
    void newSprint();
    void newSprintSeesFilesMadeMeanwhile();
    void openingAnEntry_data();
    void openingAnEntry();
    void productBacklogOpensOneWindowPerPress();
    void backlogIsMadeNotRead_data();
    void backlogIsMadeNotRead();
    void everyKeyIsListed();
    void overview_data();
    void overview();

private:
    static QComboBox *sprintsOf(MainWindow &w) { return w.findChild<QComboBox *>("sprints"); }
    static QStringList entries(MainWindow &w)
    {
        QStringList out;
        for (int i = 0; i < sprintsOf(w)->count(); ++i)
            out.append(sprintsOf(w)->itemText(i));
        return out;
    }
    static QString shown(SprintWindow *sw)
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
    Probe::formColumns();
    Probe::formRow("pbacklog", "QPushButton", QRect(120, 90, 151, 31), "Product backlog");
    Probe::formRow("label", "QLabel", QRect(170, 40, 61, 31), "Product", 11);
    // "Sprints" needs 53 pixels at this font, two more than the form gives.
    Probe::formRow("label_2", "QLabel", QRect(420, 50, 53, 21), "Sprints", 11);
    Probe::formRow("sprints", "QComboBox", QRect(360, 90, 161, 31));
    Probe::formRow("sprint_settings", "QPushButton", QRect(390, 150, 111, 23), "Sprint settings");
}

void TestMainWindow::form()
{
    WorkDir dir;
    MainWindow w(nullptr);
    Probe::window(w, "MainWindow", QDir(dir.path()).dirName() + " — Corvane", QSize(624, 289),
                  {"on_pbacklog_clicked()", "on_sprint_settings_clicked()"});
    Probe::child(w, w.centralWidget());
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(w.centralWidget()->objectName(), QStringLiteral("centralwidget"));
    QCOMPARE(w.menuBar()->objectName(), QStringLiteral("menubar"));
    QCOMPARE(w.statusBar()->objectName(), QStringLiteral("statusbar"));
    QVERIFY(!sprintsOf(w)->isEditable());
}

void TestMainWindow::newSprint_data()
{
    QTest::addColumn<QStringList>("files");   // a final '/' makes a directory
    QTest::addColumn<QStringList>("listed");
    QTest::addColumn<int>("next");            // 0: no number is left
    const auto add = [](const char *tag, const QStringList &files, const QStringList &listed,
                        int next) { QTest::newRow(tag) << files << listed << next; };

    add("empty directory", {}, {}, 1);
    add("in the order of their numbers", {"sprint2", "sprint10", "sprint1", "sprint-3"},
        {"sprint-3", "sprint1", "sprint2", "sprint10"}, 11);
    add("gaps are not filled", {"sprint3"}, {"sprint3"}, 4);
    add("directories do not count", {"sprint2", "sprint10/"}, {"sprint2"}, 3);
    add("numbers below one do not count", {"sprint0", "sprint-2", "sprint"}, {"sprint-2", "sprint0"}, 1);
    add("only names a sprint's file has are sprints",
        {"SPRINT7", "Sprint5", "sprint07", "sprint3~", "sprint3.bak", "sprint3 (copy)", "sprint_old",
         "sprint99999999999", "my_sprint9", "sprint3"},
        {"sprint3"}, 4);
    add("the largest number leaves none", {"sprint2147483647"}, {"sprint2147483647"}, 0);
}

// "New sprint" pressed twice: each press takes the next number, makes its
// file and opens a window on it, or warns when no number is left.
void TestMainWindow::newSprint()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, listed);
    QFETCH(int, next);

    WorkDir dir;
    for (const QString &name : files)
        QVERIFY(name.endsWith('/') ? QDir().mkdir(name) : WorkDir::write(name, ""));

    MainWindow w(nullptr);
    QCOMPARE(QFileInfo("product_backlog").size(), 0);
    QCOMPARE(entries(w), QStringList{"New sprint"} + listed);
    QVERIFY(!w.sw);

    ModalDriver driver;
    QStringList made;
    for (int i = 0; i < 2; ++i) {
        SprintWindow *before = w.sw;
        press(w, "sprint_settings");
        QCOMPARE(sprintsOf(w)->currentIndex(), 0);
        if (next == 0) {
            QCOMPARE(w.sw, before);
            continue;
        }
        const QString name = QStringLiteral("sprint%1").arg(next + i);
        QCOMPARE(shown(w.sw), QString::number(next + i));
        QVERIFY(w.sw != before);
        QVERIFY(QFileInfo(name).isFile());
        made.append(name);
        // Planned as new-sprint plans it: the second right after the first.
        SprintSchedule schedule;
        QVERIFY(schedule.read());
        const SprintSchedule::Details previous = i == 0 ? SprintSchedule::Details() : schedule.details(next);
        QCOMPARE(schedule.details(next + i), SprintSchedule::following(previous, next + i, QDate::currentDate()));
    }
    QCOMPARE(windows<SprintWindow>().size(), made.size());
    for (SprintWindow *window : windows<SprintWindow>())
        QVERIFY(window->isVisible() && !window->parentWidget());
    QCOMPARE(entries(w).size(), 1 + listed.size() + made.size());
    for (const QString &name : made)
        QVERIFY2(entries(w).contains(name), qPrintable(name));
    if (next == 0) {
        QCOMPARE(driver.messages.size(), 2);
        QVERIFY2(driver.messages.first().contains("No new sprint number is left"),
                 qPrintable(driver.messages.first()));
        QCOMPARE(QDir().entryList({"sprint*"}, QDir::Files), files);
    } else {
        QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
        // A closed sprint window goes, and the main window forgets it.
        w.sw->close();
        QTRY_VERIFY_WITH_TIMEOUT(!w.sw, Probe::FollowMs);
    }
}

void TestMainWindow::newSprintSeesFilesMadeMeanwhile()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", ""));
    MainWindow w(nullptr);
    w.show();
    QVERIFY(WorkDir::write("sprint20", ""));
    // Shown within a second, without any press.
    QTRY_COMPARE_WITH_TIMEOUT(entries(w), (QStringList{"New sprint", "sprint1", "sprint20"}), Probe::FollowMs);
    // And counted even when the press comes first.
    QVERIFY(WorkDir::write("sprint30", ""));
    press(w, "sprint_settings");
    QCOMPARE(shown(w.sw), QStringLiteral("31"));
}

void TestMainWindow::openingAnEntry_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("typed");  // into the list, beside sprint1 and sprint120; empty: chosen
    QTest::newRow("plain") << "sprint2" << "2" << "";
    QTest::newRow("zero") << "sprint0" << "0" << "";
    QTest::newRow("negative") << "sprint-2" << "-2" << "";
    QTest::newRow("its number typed") << "sprint12" << "12" << "12";
    QTest::newRow("its name typed") << "sprint12" << "12" << "sprint12";
}

// Two presses on a listed entry open two windows on its sprint.
void TestMainWindow::openingAnEntry()
{
    QFETCH(QString, entry);
    QFETCH(QString, number);

    QFETCH(QString, typed);

    WorkDir dir;
    QVERIFY(WorkDir::write(entry, ""));
    MainWindow w(nullptr);
    if (typed.isEmpty()) {
        sprintsOf(w)->setCurrentText(entry);
    } else {
        QVERIFY(WorkDir::write("sprint1", "") && WorkDir::write("sprint120", ""));
        sprintsOf(w)->addItems({"sprint1", "sprint120"});
        QTest::keyClicks(sprintsOf(w), typed);
    }
    QCOMPARE(sprintsOf(w)->currentText(), entry);
    press(w, "sprint_settings");
    SprintWindow *first = w.sw;
    QCOMPARE(shown(first), number);
    QVERIFY(QFileInfo("sprint" + number).isFile());
    QCOMPARE(sprintsOf(w)->currentText(), entry);

    press(w, "sprint_settings");
    QVERIFY(w.sw != first);
    QCOMPARE(shown(w.sw), number);
    QCOMPARE(windows<SprintWindow>().size(), 2);
}

void TestMainWindow::productBacklogOpensOneWindowPerPress()
{
    WorkDir dir;
    MainWindow w(nullptr);
    press(w, "pbacklog");
    press(w, "pbacklog");
    const QList<PBacklogWindow *> opened = windows<PBacklogWindow>();
    QCOMPARE(opened.size(), 2);
    for (PBacklogWindow *window : opened)
        QVERIFY(window->isVisible() && !window->parentWidget());
}

void TestMainWindow::backlogIsMadeNotRead_data()
{
    QTest::addColumn<QByteArray>("before");  // null: no file; "loop": a link to itself
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<bool>("warned");
    QTest::newRow("missing: made empty") << QByteArray() << QByteArray("") << false;
    QTest::newRow("not UTF-8: not read, so nothing to say") << QByteArray("caf\xe9\r\n") << QByteArray("caf\xe9\r\n")
                                                            << false;
    QTest::newRow("cannot be made: says so") << QByteArray("loop") << QByteArray("<unreadable>") << true;
}

// Start-up makes sure the backlog file exists and leaves its content alone,
// however long or odd it is.
void TestMainWindow::backlogIsMadeNotRead()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);
    QFETCH(bool, warned);

    WorkDir dir;
    if (before == "loop")
        QVERIFY(QFile::link("product_backlog", "product_backlog"));
    else if (!before.isNull())
        QVERIFY(WorkDir::write("product_backlog", before));
    ModalDriver driver;
    MainWindow w(nullptr);
    w.show();
    // A warning is put up from the event loop, and answered within it.
    QCoreApplication::processEvents();
    QCOMPARE(driver.messages.size(), int(warned));
    if (warned)
        QVERIFY2(driver.messages.first().contains(dir.path() + "/product_backlog"), qPrintable(driver.messages.first()));
    QCOMPARE(WorkDir::read("product_backlog"), after);
}

// F1 names every key a list window takes, and the lists' Ctrl+A.
void TestMainWindow::everyKeyIsListed()
{
    WorkDir dir;
    MainWindow w(nullptr);
    SprintWindowOn sprint(1);
    ModalDriver driver;
    w.findChildren<QMenu *>().last()->actions().first()->trigger();  // Help, Keyboard shortcuts
    QStringList keys{"Ctrl+A"};
    for (const QAction *action : sprint.findChildren<QAction *>())
        keys.append(action->shortcut().toString().replace("Del", "Delete").replace("Esc", "Escape"));
    for (const QString &key : qAsConst(keys))
        QVERIFY2(driver.messages.value(0).contains(QRegularExpression("[>,] ?" + QRegularExpression::escape(key) + "[,<]")),
                 qPrintable(key));
}

void TestMainWindow::overview_data()
{
    // Dates written {N} are N days from today.
    QTest::addColumn<QStringList>("files");    // name=lines, '|' between them
    QTest::addColumn<QStringList>("schedule"); // the schedule file's lines
    QTest::addColumn<QStringList>("rows");     // as a screen reader reads them
    QTest::addColumn<int>("opened");           // the sprint Enter on the current row opens; 0: none is current
    QTest::addColumn<QString>("velocity");     // as a screen reader reads it; "": not shown

    QTest::newRow("no sprint, no overview") << QStringList{"product_backlog=a"} << QStringList() << QStringList() << 0 << "";
    QTest::newRow("dated today is current, closed told apart")
        << QStringList{"sprint1=x 2026-11-02 a|b", "sprint2=c|x 2026-12-01 d||e", "sprint10="}
        << QStringList{"1\t2026-11-01\t2026-11-14\t2026-11-14\tFirst", "2\t{-3}\t{10}\t\tSecond"}
        << QStringList{"Sprint 1 (closed), 2026-11-01 – 2026-11-14, goal: First, 1 of 2 done",
                       "Sprint 2 (current), {-3} – {10}, goal: Second, 1 of 3 done", "Sprint 10, 0 of 0 done"}
        << 2 << "sprint 1: 1 finished";
    QTest::newRow("no dates: the lowest with open tasks, in numeric order")
        << QStringList{"sprint10=c", "sprint2=b", "sprint1=x 2026-11-02 a"} << QStringList()
        << QStringList{"Sprint 1, 1 of 1 done", "Sprint 2 (current), 0 of 1 done", "Sprint 10, 0 of 1 done"} << 2 << "";
    QTest::newRow("dates beat open tasks; a closed sprint is never current")
        << QStringList{"sprint1=a", "sprint2=b", "sprint3=c"}
        << QStringList{"1\t\t\t2026-11-20\t", "2\t{1}\t{14}\t\t", "3\t{0}\t{0}\t\tToday"}
        << QStringList{"Sprint 1 (closed), 0 of 1 done", "Sprint 2, {1} – {14}, 0 of 1 done",
                       "Sprint 3 (current), {0} – {0}, goal: Today, 0 of 1 done"}
        << 3 << "sprint 1: 0 finished";
}

// The overview below the form: a row per sprint, read whole by a screen
// reader, that follows the folder; Enter opens the sprint.
void TestMainWindow::overview()
{
    QFETCH(QStringList, files);
    QFETCH(QStringList, schedule);
    QFETCH(QStringList, rows);
    QFETCH(int, opened);
    QFETCH(QString, velocity);
    const auto dated = [](QString text) {
        static const QRegularExpression day(QStringLiteral("\\{(-?\\d+)\\}"));
        QRegularExpressionMatch match;
        while ((match = day.match(text)).hasMatch())
            text.replace(match.capturedStart(), match.capturedLength(),
                         QDate::currentDate().addDays(match.captured(1).toInt()).toString(Qt::ISODate));
        return text;
    };

    WorkDir dir;
    for (const QString &file : files)
        QVERIFY(WorkDir::write(file.section('=', 0, 0), file.section('=', 1).replace('|', '\n').toUtf8()));
    if (!schedule.isEmpty())
        QVERIFY(WorkDir::write("schedule", dated(schedule.join('\n')).toUtf8()));
    MainWindow w(nullptr);
    auto *overview = w.findChild<SprintOverview *>("overview");
    QVERIFY(overview);
    QSignalSpy filled(overview, &SprintOverview::filled);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(filled.count() || filled.wait(Probe::FollowMs));
    // The form keeps its place; the window grows by the overview's height.
    QCOMPARE(overview->isVisibleTo(&w), !rows.isEmpty());
    QCOMPARE(w.height(), w.minimumHeight());
    QCOMPARE(Probe::button(w, "sprint_settings")->geometry(), QRect(390, 150, 111, 23));
    QVERIFY(!overview->isVisibleTo(&w) || overview->geometry().top() >= 173);

    const auto spoken = [overview] {
        QStringList out;
        QAccessibleTableInterface *table = QAccessible::queryAccessibleInterface(overview)->tableInterface();
        for (int row = 0; table && row < table->rowCount(); ++row)
            out.append(table->cellAt(row, 0)->text(QAccessible::Name));
        return out;
    };
    QStringList expected;
    for (const QString &row : rows)
        expected.append(dated(row));
    QCOMPARE(spoken(), expected);
    QWidget *chart = w.findChild<QWidget *>("velocity");
    QCOMPARE(chart->isVisibleTo(&w), !velocity.isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(chart)->text(QAccessible::Description), velocity);
    QVERIFY(!chart->isVisibleTo(&w) || !chart->geometry().intersects(overview->geometry()));
    if (!opened)
        return;

    overview->setFocus();
    QTest::keyClick(overview, Qt::Key_Return);
    QTRY_VERIFY(w.sw);
    QCOMPARE(shown(w.sw), QString::number(opened));

    // A sprint made elsewhere, and a task done in another, show up.
    // A window that opens as large as it was left, with the overview's
    // room in it already, does not grow again; it gives the overview any
    // room it has beyond that.
    MainWindow again(nullptr);
    QSignalSpy filledAgain(again.findChild<SprintOverview *>("overview"), &SprintOverview::filled);
    again.show();
    again.resize(w.width(), w.height() + 40);  // as the window's memory restores it when shown
    QVERIFY(filledAgain.wait(Probe::FollowMs));
    QCOMPARE(again.height(), w.height() + 40);
    QCOMPARE(again.findChild<SprintOverview *>("overview")->height(), overview->height() + 40);
    again.close();

    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QVERIFY(WorkDir::write("sprint99", "z"));
    QVERIFY(WorkDir::write("sprint1", "x 2026-11-02 a\nx 2026-11-03 b"));
    QTRY_COMPARE_WITH_TIMEOUT(spoken().size(), expected.size() + 1, Probe::FollowMs);
    QTRY_VERIFY_WITH_TIMEOUT(spoken().first().contains("2 of 2 done"), Probe::FollowMs);
    QCOMPARE(spoken().last(), QStringLiteral("Sprint 99, 0 of 1 done"));
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
