// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filewatcher.h"
#include "fusemount.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "sprintwindow.h"
#include "tasklistcodec.h"
#include "windowprobe.h"
#include "windowset.h"
#include "workdir.h"

#include <QComboBox>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QtTest>

// Windows on lists that other windows and another process change at the
// same time, that another program replaces, empties or removes, or that
// another machine changes beneath a network mount: once the activity stops,
// every window shows exactly its file, and a removed file is never written
// again from a list the user no longer sees.
class TestWindowsUnderLoad : public QObject
{
    Q_OBJECT

private slots:
    void windowsFollowAnotherProcess();
    void windowsFollowFilesChangedUnderThem_data();
    void windowsFollowFilesChangedUnderThem();
    void windowsFollowChangesBeneathAMount_data();
    void windowsFollowChangesBeneathAMount();
};

namespace {

// The rows of a task window, or the entries of the main window's sprint list.
QStringList shown(QWidget *window)
{
    QStringList rows;
    const auto *list = window->findChild<QListWidget *>(QStringLiteral("tasks"));
    for (int i = 0; list && i < list->count(); ++i)
        rows << list->item(i)->text();
    const auto *sprints = window->findChild<QComboBox *>(QStringLiteral("sprints"));
    for (int i = 0; sprints && i < sprints->count(); ++i)
        rows << sprints->itemText(i);
    return rows;
}

QStringList inFile(const QString &name)
{
    return QFile::exists(name) ? TaskListCodec::decode(WorkDir::read(name)).tasks : QStringList();
}

void click(QWidget *window, const char *button)
{
    window->findChild<QPushButton *>(QLatin1String(button))->click();
}

} // namespace

void TestWindowsUnderLoad::windowsFollowAnotherProcess()
{
    WorkDir dir;
    WindowSet windows;
    for (QWidget *window : windows.all())
        window->show();

    // Another process works through the backlog and sprints 1 and 2 while
    // tasks are added through both backlog windows.
    QProcess other;
    other.start(QStringLiteral(STORE_DRIVER), {"workload", "5", "600"});
    QVERIFY(other.waitForStarted());
    ModalDriver dialogs;
    int added = 0;
    while (other.state() != QProcess::NotRunning) {
        dialogs.add(ModalDriver::enterText(QStringLiteral("typed %1").arg(added)));
        click(added % 2 ? &windows.backlog2 : &windows.backlog1, "add");
        ++added;
        QTest::qWait(20);
    }
    QVERIFY2(other.exitCode() == 0, other.readAllStandardError().constData());
    QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join(QLatin1Char('\n'))));
    QVERIFY2(dialogs.unexpected.isEmpty(), qPrintable(dialogs.unexpected.join(QLatin1Char('\n'))));

    QElapsedTimer settling;
    settling.start();
    const QStringList backlog = inFile(QStringLiteral("product_backlog"));
    const QStringList sprint = inFile(QStringLiteral("sprint1"));
    QTRY_COMPARE_WITH_TIMEOUT(shown(&windows.backlog1), backlog, Probe::FollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(shown(&windows.backlog2), backlog, Probe::FollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(shown(&windows.sprint1), sprint, Probe::FollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(shown(&windows.sprint2), sprint, Probe::FollowMs);
    const qint64 settled = settling.elapsed();

    // Every task typed into a window is in the file, once.
    for (int i = 0; i < added; ++i)
        QCOMPARE(backlog.count(QStringLiteral("typed %1").arg(i)), 1);
    qInfo("windows under load: 2 backlog and 2 sprint windows, another process made 600 changes while %d tasks"
          " were typed into the windows; all four windows showed their files %lld ms after the activity stopped",
          added, settled);
}

void TestWindowsUnderLoad::windowsFollowFilesChangedUnderThem_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("followed");

    for (const QString file : {"product_backlog", "sprint1"}) {
        QTest::addRow("%s replaced by rename", qPrintable(file)) << file << "rename" << QStringList{"x", "y"};
        QTest::addRow("%s truncated", qPrintable(file)) << file << "truncate" << QStringList();
        QTest::addRow("%s removed", qPrintable(file)) << file << "remove" << QStringList();
        // The command line appends an add in place, and replaces the file
        // for any other change.
        QTest::addRow("%s added to by a command", qPrintable(file)) << file << "add LIST x" << QStringList{"a", "b", "c", "x"};
        QTest::addRow("%s edited by a command", qPrintable(file)) << file << "edit LIST 2 B" << QStringList{"a", "B", "c"};
    }
}

void TestWindowsUnderLoad::windowsFollowFilesChangedUnderThem()
{
    QFETCH(QString, file);
    QFETCH(QString, change);
    QFETCH(QStringList, followed);

    WorkDir dir;
    QVERIFY(WorkDir::write(file, "a\nb\nc"));
    const bool isBacklog = file == QLatin1String("product_backlog");
    WindowSet windows;
    QWidget *first = isBacklog ? static_cast<QWidget *>(&windows.backlog1) : &windows.sprint1;
    QWidget *second = isBacklog ? static_cast<QWidget *>(&windows.backlog2) : &windows.sprint2;
    first->show();
    second->show();
    QCOMPARE(shown(first), (QStringList{"a", "b", "c"}));

    ModalDriver dialogs;
    if (change == QLatin1String("rename")) {
        QVERIFY(WorkDir::write(QStringLiteral("incoming"), "x\ny"));
        QVERIFY(QFile::rename(QStringLiteral("incoming"), file) || (QFile::remove(file) && QFile::rename(QStringLiteral("incoming"), file)));
    } else if (change == QLatin1String("truncate")) {
        QFile handle(file);
        QVERIFY(handle.resize(0));
    } else if (change.contains(QLatin1String("LIST"))) {
        QProcess corvane;
        QString command = change;
        corvane.start(QStringLiteral(CORVANE), command.replace(QLatin1String("LIST"), isBacklog ? "backlog" : "1").split(' '));
        QVERIFY(corvane.waitForFinished(-1));
        QVERIFY2(corvane.exitCode() == 0, corvane.readAllStandardError().constData());
    } else {
        QVERIFY(QFile::remove(file));
    }
    QTRY_COMPARE_WITH_TIMEOUT(shown(first), followed, Probe::FollowMs);
    QTRY_COMPARE_WITH_TIMEOUT(shown(second), followed, Probe::FollowMs);

    if (change == QLatin1String("remove")) {
        // The user is told, and the file is not written again from the
        // list the windows showed before.
        QTRY_VERIFY_WITH_TIMEOUT(dialogs.messages.size() >= 2, Probe::FollowMs);
        QVERIFY2(dialogs.messages.first().contains(file), qPrintable(dialogs.messages.first()));
        QTest::qWait(300);
        QVERIFY(!QFile::exists(file));
    } else {
        QVERIFY2(dialogs.messages.isEmpty(), qPrintable(dialogs.messages.join(QLatin1Char('\n'))));
    }

    // The next change starts from what the windows show.
    if (isBacklog) {
        dialogs.add(ModalDriver::enterText(QStringLiteral("new")));
        click(first, "add");
        QTRY_VERIFY_WITH_TIMEOUT(dialogs.done(), Probe::FollowMs);
        QCOMPARE(inFile(file), followed + QStringList{"new"});
    } else {
        QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), "new"));
        dialogs.add(ModalDriver::pick({"new"}));
        click(first, "add");
        QTRY_VERIFY_WITH_TIMEOUT(dialogs.done(), Probe::FollowMs);
        QCOMPARE(inFile(file), followed + QStringList{"new"});
    }
    QTRY_COMPARE_WITH_TIMEOUT(shown(second), inFile(file), Probe::FollowMs);
    QCOMPARE(shown(first), inFile(file));
}

void TestWindowsUnderLoad::windowsFollowChangesBeneathAMount_data()
{
    QTest::addColumn<QString>("file");           // that the window shows, changed beneath the mount
    QTest::addColumn<bool>("onActivation");      // or on the timer
    QTest::addColumn<QStringList>("followed");   // what the window then shows

    for (const bool onActivation : {false, true}) {
        const char *when = onActivation ? "when activated" : "on its timer";
        QTest::addRow("backlog window, %s", when) << "product_backlog" << onActivation << QStringList{"a", "b"};
        QTest::addRow("sprint window, %s", when) << "sprint1" << onActivation << QStringList{"a", "b"};
        QTest::addRow("main window, %s", when) << "sprint7" << onActivation << QStringList{"New sprint", "sprint1", "sprint7"};
    }
}

// Another machine's changes to a network folder: the windows follow, and a
// change made through the mount keeps them.
void TestWindowsUnderLoad::windowsFollowChangesBeneathAMount()
{
    QFETCH(QString, file);
    QFETCH(bool, onActivation);
    QFETCH(QStringList, followed);

    FuseMount mount;
    if (!mount.isMounted())
        QSKIP(qPrintable(mount.reason()));
    QVERIFY(WorkDir::write(mount.beneath("product_backlog"), "a") && WorkDir::write(mount.beneath("sprint1"), "a"));
    SprintWindowOn sprint(1);
    PBacklogWindow backlog;
    MainWindow main;
    QWidget *w = file == QLatin1String("sprint1") ? static_cast<QWidget *>(&sprint)
        : file == QLatin1String("product_backlog") ? static_cast<QWidget *>(&backlog) : &main;
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    auto *watcher = w->findChild<FileWatcher *>();
    watcher->setPollInterval(onActivation ? 24 * 3600 * 1000 : 20);
    QWidget elsewhere;
    elsewhere.show();
    QVERIFY(QTest::qWaitForWindowActive(&elsewhere));

    QVERIFY(WorkDir::write(mount.beneath(file), "a\nb"));
    if (onActivation) {
        QTest::qWait(3 * FileWatcher::delayMs);
        QVERIFY2(shown(w) != followed, "the system reported a change beneath the mount");
        QApplication::setActiveWindow(w);
    }
    QTRY_COMPARE_WITH_TIMEOUT(shown(w), followed, 10000);

    // Changed from outside once more, then at once through the mount.
    ModalDriver dialogs;
    if (w == &main) {
        QVERIFY(WorkDir::write(mount.beneath("sprint9"), ""));
        click(w, "sprint_settings");
        QVERIFY(QFile::exists(mount.beneath("sprint10")));
        delete main.sw;
    } else {
        QVERIFY(WorkDir::write(mount.beneath(file), "a\nb\nc"));
        QVERIFY(w == &backlog || WorkDir::write(mount.beneath("product_backlog"), "d"));
        dialogs.add(w == &backlog ? ModalDriver::enterText("d") : ModalDriver::pick({"d"}));
        click(w, "add");
        QTRY_VERIFY(dialogs.done());
        QCOMPARE(WorkDir::read(mount.beneath(file)), QByteArray("a\nb\nc\nd"));
    }
    QVERIFY2(dialogs.messages.isEmpty() && dialogs.unexpected.isEmpty(),
             qPrintable((dialogs.messages + dialogs.unexpected).join(QLatin1Char('\n'))));
}

QTEST_MAIN(TestWindowsUnderLoad)
#include "tst_windowsunderload.moc"
