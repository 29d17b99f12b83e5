// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conflictbar.h"
#include "conflictcopies.h"
#include "deletedtasks.h"
#include "mainwindow.h"
#include "mergedialog.h"
#include "modaldriver.h"
#include "sprintschedule.h"
#include "pbacklogwindow.h"
#include "productbacklog.h"
#include "sprintwindow.h"
#include "windowprobe.h"
#include "workdir.h"

#include <QAction>
#include <QListWidget>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

// Conflicts made by the real programs, the conflict copies of Unison and
// Syncthing and git's markers, found and resolved through the windows.
class TestSyncConflicts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Probe::desktopFont(); }
    void realCopiesAreMerged_data();
    void realCopiesAreMerged();
    void gitMarkersAreReadOnlyUntilBothSidesKept();
    void scheduleCopyIsMergedInTheMainWindow();
};

namespace {

// Runs program in folder, HOME set to home when given; whether it exited
// with 0.
bool run(const QString &program, const QStringList &args, const QString &folder, const QString &home = QString())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("HOME", home.isEmpty() ? env.value("HOME") : home);
    process.setProcessEnvironment(env);
    process.start(program, args);
    const bool done = process.waitForFinished(-1) && process.exitStatus() == QProcess::NormalExit
        && process.exitCode() == 0;
    if (!done && program != "git")
        qWarning("%s: %s", qPrintable(program), process.readAllStandardError().constData());
    return done;
}

// Unison, told to prefer root/here, saves the version that diverge leaves
// in root/there beside the file there, and the next sync brings the copy
// here.
bool unisonCopy(const QString &root, const std::function<bool()> &diverge)
{
    const QStringList sync{root + "/here", root + "/there", "-batch", "-silent", "-prefer", root + "/here"};
    return run("unison", sync, root, root + "/home") && diverge()
        && run("unison", sync + QStringList{"-copyonconflict"}, root, root + "/home")
        && run("unison", sync, root, root + "/home");
}

QStringList fileTasks(const QString &name)
{
    const QByteArray bytes = WorkDir::read(name);
    return bytes.isEmpty() ? QStringList() : QString::fromUtf8(bytes).split('\n');
}

// One Syncthing instance in a home of its own that shares folder with one
// other instance over the loopback interface only: no discovery, relays or
// NAT, no web interface.
class Syncthing
{
public:
    // Generous: a passing wait ends as soon as the files are there.
    static constexpr int WaitMs = 120000;

    Syncthing(const QString &home, const QString &folder)
        : m_home(home)
        , m_folder(folder)
    {
        // A free port, given back for Syncthing to listen on.
        const int probe = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{AF_INET, 0, {htonl(INADDR_LOOPBACK)}, {}};
        socklen_t size = sizeof address;
        ::bind(probe, reinterpret_cast<sockaddr *>(&address), size);
        ::getsockname(probe, reinterpret_cast<sockaddr *>(&address), &size);
        m_port = ntohs(address.sin_port);
        ::close(probe);
    }
    ~Syncthing() { stop(); }

    bool generate()
    {
        if (!run("syncthing", {"generate", "--home=" + m_home}, QDir::currentPath()))
            return false;
        const QRegularExpressionMatch id
            = QRegularExpression(R"x(<device id="([^"]+)")x").match(WorkDir::read(m_home + "/config.xml"));
        m_id = id.captured(1);
        return id.hasMatch() && QDir().mkpath(m_folder + "/.stfolder");
    }

    // Shares the folder with other. maxConflicts is set: without it the
    // losing version is dropped and no copy made.
    bool configure(const Syncthing &other) const
    {
        const QString device = QStringLiteral(
            "<device id=\"%1\" name=\"%1\" compression=\"metadata\"><address>tcp://127.0.0.1:%2</address></device>\n");
        const QString config = QStringLiteral(
            "<configuration version=\"36\">\n"
            "<folder id=\"planner\" label=\"planner\" path=\"%1\" type=\"sendreceive\" rescanIntervalS=\"1\" "
            "fsWatcherEnabled=\"true\" fsWatcherDelayS=\"1\">\n"
            "<device id=\"%2\"></device><device id=\"%3\"></device><maxConflicts>10</maxConflicts></folder>\n"
            "%4%5<gui enabled=\"false\"></gui>\n<options><listenAddress>tcp://127.0.0.1:%6</listenAddress>"
            "<globalAnnounceEnabled>false</globalAnnounceEnabled><localAnnounceEnabled>false</localAnnounceEnabled>"
            "<relaysEnabled>false</relaysEnabled><natEnabled>false</natEnabled><startBrowser>false</startBrowser>"
            "<urAccepted>-1</urAccepted><autoUpgradeIntervalH>0</autoUpgradeIntervalH>"
            "<crashReportingEnabled>false</crashReportingEnabled></options>\n</configuration>\n")
            .arg(m_folder, m_id, other.m_id, device.arg(m_id).arg(m_port), device.arg(other.m_id).arg(other.m_port))
            .arg(m_port);
        return WorkDir::write(m_home + "/config.xml", config.toUtf8());
    }

    bool start()
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.setStandardOutputFile(QProcess::nullDevice());
        m_process.start("syncthing", {"serve", "--home=" + m_home, "--no-browser", "--no-restart"});
        return m_process.waitForStarted();
    }

    void stop()
    {
        m_process.terminate();
        m_process.waitForFinished(WaitMs);
    }

private:
    QString m_home;
    QString m_folder;
    QString m_id;
    quint16 m_port = 0;
    QProcess m_process;
};

} // namespace

void TestSyncConflicts::realCopiesAreMerged_data()
{
    QTest::addColumn<QString>("program");     // that makes the conflict
    QTest::addColumn<QString>("list");        // file name
    QTest::addColumn<QStringList>("base");    // on both machines after the first sync
    QTest::addColumn<QStringList>("here");    // this machine's change, which Unison keeps
    QTest::addColumn<QStringList>("deleted"); // what this machine deleted on purpose
    QTest::addColumn<QStringList>("there");   // the other machine's, which becomes the copy
    QTest::addColumn<QStringList>("ticked");  // tasks of the copy offered ticked
    QTest::addColumn<int>("untickedCount");   // ... and how many unticked
    QTest::addColumn<QStringList>("merged");     // here: the merge is refused
    QTest::addColumn<QStringList>("meanwhile");  // the copy as it is rewritten while the dialog shows
    QTest::addColumn<QString>("beside");         // a copy named first that cannot be merged

    const QStringList base{"one", "two", "three", "old"}, here{"one", "two", "three", "four"};
    const QStringList there{"zero", "one", "three", "old"};
    for (const char *program : {"unison", "syncthing"}) {
        QTest::addRow("%s, sprint", program) << program << "sprint3" << base << here << QStringList{"old"} << there
                                             << QStringList{"zero"} << 1
                                             << QStringList{"zero", "one", "two", "three", "four"} << QStringList() << "";
    }
    QTest::newRow("unison, backlog, beside a folder") << "unison" << "product_backlog" << QStringList{"p1", "p2"}
                                     << QStringList{"p1", "p2", "p3"} << QStringList() << QStringList{"p1", "p0", "p2"}
                                     << QStringList{"p0"} << 0 << QStringList{"p1", "p0", "p2", "p3"} << QStringList()
                                     << "folder";
    QTest::newRow("unison, sprint, beside a symbolic link")
        << "unison" << "sprint3" << base << here << QStringList{"old"} << there << QStringList{"zero"} << 1
        << QStringList{"zero", "one", "two", "three", "four"} << QStringList() << "link";
    QTest::newRow("unison, sprint, copy changed as the choice allows")
        << "unison" << "sprint3" << base << here << QStringList{"old"} << there << QStringList{"zero"} << 1
        << QStringList{"one", "zero", "two", "three", "four"} << QStringList{"one", "zero", "three"} << "";
    QTest::newRow("unison, sprint, copy gained a task") << "unison" << "sprint3" << base << here << QStringList{"old"}
                                                        << there << QStringList{"zero"} << 1 << here
                                                        << (there + QStringList{"late"}) << "";
}

// This machine is here. Unison, told to prefer it, saves the other
// machine's version beside the list there, and the next sync brings the
// copy here. Syncthing keeps the newer version, here's.
void TestSyncConflicts::realCopiesAreMerged()
{
    QFETCH(QString, program);
    QFETCH(QString, list);
    QFETCH(QStringList, base);
    QFETCH(QStringList, here);
    QFETCH(QStringList, deleted);
    QFETCH(QStringList, there);
    QFETCH(QStringList, ticked);
    QFETCH(int, untickedCount);
    QFETCH(QStringList, merged);
    QFETCH(QStringList, meanwhile);
    QFETCH(QString, beside);

    WorkDir dir;
    const QString root = dir.path();
    QVERIFY(QDir().mkdir("here") && QDir().mkdir("there") && QDir().mkdir("home"));
    QVERIFY(WorkDir::write("here/" + list, base.join('\n').toUtf8()));
    // Each machine changes the list while they are apart, the other one
    // first; this one keeps in its history what it deleted.
    const auto diverge = [&] {
        QFile older(root + "/there/" + list);
        return WorkDir::write(older.fileName(), there.join('\n').toUtf8()) && older.open(QIODevice::ReadWrite)
            && older.setFileTime(QDateTime::currentDateTime().addSecs(-60), QFileDevice::FileModificationTime)
            && WorkDir::write(root + "/here/" + list, here.join('\n').toUtf8()) && QDir::setCurrent(root + "/here")
            && (deleted.isEmpty() || DeletedTasks().append(list, deleted));
    };
    if (program == "unison") {
        QVERIFY(unisonCopy(root, diverge));
    } else {
        Syncthing mine(root + "/home/here", root + "/here");
        Syncthing theirs(root + "/home/there", root + "/there");
        QVERIFY(mine.generate() && theirs.generate() && mine.configure(theirs) && theirs.configure(mine));
        QVERIFY(mine.start() && theirs.start());
        QTRY_COMPARE_WITH_TIMEOUT(fileTasks("there/" + list), base, Syncthing::WaitMs);
        // Both hold the version now; once each knows the other's index, a
        // change on each side while they are apart is a conflict. A settling
        // time, not a speed: Syncthing exchanges its index within a second.
        QTest::qWait(5000);
        theirs.stop();
        QVERIFY(diverge() && theirs.start());
        // The older change loses: the copy is made there and synced here.
        QTRY_VERIFY_WITH_TIMEOUT(ConflictCopies::find().size() == 1
                                     && QFile::exists(root + "/there/" + ConflictCopies::find().first().name),
                                 Syncthing::WaitMs);
        QTRY_COMPARE_WITH_TIMEOUT(fileTasks(list), here, Syncthing::WaitMs);
    }
    const QVector<ConflictCopies::Copy> copies = ConflictCopies::find();
    QCOMPARE(copies.size(), 1);
    const QString copy = copies.first().name;
    QCOMPARE(copies.first().list, list);
    QCOMPARE(fileTasks(list), here);
    QCOMPARE(fileTasks(copy), there);
    const QString odd = list + " (conflict #1_on_2000-01-01)";
    QVERIFY(beside != "folder" || QDir().mkdir(odd));
    QVERIFY(beside != "link" || QFile::link(list, odd));

    MainWindow main;
    QTRY_VERIFY_WITH_TIMEOUT(main.statusBar()->currentMessage().contains(list), Probe::FollowMs);

    std::unique_ptr<QWidget> window;
    if (list == productbacklog::fileName()) {
        window = std::make_unique<PBacklogWindow>();
    } else {
        auto *sprint = new SprintWindow;
        sprint->initSprint(3);
        window.reset(sprint);
    }
    QWidget &w = *window;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *bar = w.findChild<ConflictBar *>();
    QVERIFY(bar && bar->text().contains(copy));
    // The bar sits below the form, which keeps every widget where it was.
    const int formHeight = bar->y();
    QCOMPARE(formHeight, 300);
    QCOMPARE(w.height(), formHeight + bar->height());

    // Each copy is offered: one that cannot be merged says why, and the
    // other is merged all the same.
    ModalDriver driver;
    if (!beside.isEmpty()) {
        driver.add(ModalDriver::pick({odd}));
        bar->mergeButton()->click();
        QVERIFY(driver.done() && driver.messages.size() == 1);
        const QString told = driver.messages.takeFirst();
        QVERIFY2(told.contains(beside == "link" ? "symbolic link" : "directory"), qPrintable(told));
        driver.add(ModalDriver::pick({copy}));
    }
    QSet<QString> offeredTicked;
    int offered = 0;
    driver.add([&](QWidget *dialog) {
        if (auto *merge = qobject_cast<MergeDialog *>(dialog)) {
            offeredTicked = merge->toAdd();
            offered = merge->copyTasks()->count();
            QVERIFY(meanwhile.isEmpty() || WorkDir::write(copy, meanwhile.join('\n').toUtf8()));
            merge->accept();
        }
    });
    bar->mergeButton()->click();
    QVERIFY(driver.done());
    QCOMPARE(offeredTicked, QSet<QString>(ticked.cbegin(), ticked.cend()));
    QCOMPARE(offered, ticked.size() + untickedCount);
    QCOMPARE(fileTasks(list), merged);
    QCOMPARE(Probe::rows(w), merged);
    if (merged == here) {
        // The copy changed so that the choice does not fit it: it stays, and so does the bar.
        QVERIFY2(driver.messages.size() == 1 && driver.messages.first().contains(copy)
                     && driver.messages.first().contains(meanwhile.last()),
                 qPrintable(driver.messages.join('\n')));
        QCOMPARE(fileTasks(copy), meanwhile);
        QVERIFY(bar->text().contains(copy));
        return;
    }
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QVERIFY(!QFile::exists(copy));
    QCOMPARE(fileTasks(ConflictCopies::mergedFolder() + "/" + copy), meanwhile.isEmpty() ? there : meanwhile);
    if (!beside.isEmpty())
        QVERIFY(beside == "link" ? QFile::remove(odd) : QDir().rmdir(odd));
    QTRY_VERIFY_WITH_TIMEOUT(!bar->isVisible() && w.height() == formHeight, Probe::FollowMs);
    QTRY_VERIFY_WITH_TIMEOUT(main.statusBar()->currentMessage().isEmpty(), Probe::FollowMs);

    // Ctrl+Z takes the merge back and puts the copy back in its place.
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(Probe::list(w), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(fileTasks(list), here);
    QCOMPARE(fileTasks(copy), meanwhile.isEmpty() ? there : meanwhile);
    QTRY_VERIFY_WITH_TIMEOUT(bar->text().contains(copy), Probe::FollowMs);
    QTRY_VERIFY_WITH_TIMEOUT(main.statusBar()->currentMessage().contains(list), Probe::FollowMs);
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
}

// A real merge conflict of git: the sprint is read-only, with its reason,
// until "Keep both sides"; Ctrl+Z puts the markers back.
void TestSyncConflicts::gitMarkersAreReadOnlyUntilBothSidesKept()
{
    WorkDir dir;
    const auto git = [&dir](const QString &args) {
        return run("git", QString("-c user.name=T -c user.email=t@example.org " + args).split(' '), dir.path());
    };
    QVERIFY(git("init -q -b main") && WorkDir::write("sprint5", "a\nb\nc") && git("add sprint5"));
    QVERIFY(git("commit -qm base") && git("checkout -qb other"));
    QVERIFY(WorkDir::write("sprint5", "a\nb\nc\nd\nshared") && git("commit -qam other"));
    QVERIFY(git("checkout -q main") && WorkDir::write("sprint5", "a\nb\nc\ne\nshared") && git("commit -qam main"));
    QVERIFY(!git("merge -q other"));
    QVERIFY(WorkDir::read("sprint5").contains("<<<<<<< HEAD\ne\n=======\nd\n>>>>>>> other"));
    const QByteArray marked = WorkDir::read("sprint5");

    ModalDriver driver;
    SprintWindow w;
    w.initSprint(5);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *bar = w.findChild<ConflictBar *>();
    QVERIFY(bar && bar->keepButton()->isVisibleTo(&w) && !bar->mergeButton()->isVisibleTo(&w));
    QVERIFY(!Probe::button(w, "add")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(driver.messages.size() == 1, Probe::FollowMs);
    QVERIFY2(driver.messages.first().contains("merge conflict"), qPrintable(driver.messages.first()));

    bar->keepButton()->click();
    QCOMPARE(fileTasks("sprint5"), (QStringList{"a", "b", "c", "e", "d", "shared"}));
    QVERIFY(Probe::button(w, "add")->isEnabled());
    QVERIFY(!bar->isVisible());
    QVERIFY(DeletedTasks().recent("sprint5").contains(">>>>>>> other"));

    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QTest::keyClick(Probe::list(w), Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(WorkDir::read("sprint5"), marked);
    QVERIFY(!Probe::button(w, "add")->isEnabled());
    QVERIFY(bar->keepButton()->isVisible());
    QCOMPARE(driver.messages.size(), 1);
}

// A real conflict copy of the schedule, merged from the main window: of a
// sprint whose details differ, one version stays, this machine's unless the
// copy's is ticked; a sprint only the copy has comes in. Ctrl+Z takes the
// merge back.
void TestSyncConflicts::scheduleCopyIsMergedInTheMainWindow()
{
    WorkDir dir;
    const QString root = dir.path();
    QVERIFY(QDir().mkdir("here") && QDir().mkdir("there") && QDir().mkdir("home"));
    const QByteArray two("2\t2026-12-15\t2026-12-28\t\t"), third("3\t2026-12-29\t2027-01-11\t\tDocs");
    const QByteArray mine("1\t2026-12-01\t2026-12-14\t\tShip it");
    const QByteArray theirs("1\t2026-12-01\t2026-12-11\t\tShip the importer");
    QVERIFY(WorkDir::write("here/schedule", "1\t2026-12-01\t2026-12-14\t\tShip\n" + two + "\n"));
    QVERIFY(unisonCopy(root, [&] {
        return WorkDir::write(root + "/there/schedule", theirs + "\n" + two + "\n" + third)
            && WorkDir::write(root + "/here/schedule", mine + "\n" + two) && QDir::setCurrent(root + "/here");
    }));
    const QString copy = ConflictCopies::find().value(0).name;
    QCOMPARE(ConflictCopies::listOf(copy), SprintSchedule::fileName());

    MainWindow main;
    auto *merge = main.findChild<QAction *>("mergeSchedule");
    QTRY_VERIFY_WITH_TIMEOUT(merge && merge->isEnabled() && main.statusBar()->currentMessage().contains("schedule"),
                             Probe::FollowMs);

    // Each row as shown, ticked (+) or not; then the copy's sprint 1 is
    // ticked, which unticks this machine's.
    QStringList shown;
    ModalDriver driver;
    driver.add([&](QWidget *dialog) {
        auto *merging = qobject_cast<MergeDialog *>(dialog);
        if (!merging)
            return;
        for (const QListWidget *list : {merging->copyTasks(), merging->listTasks()}) {
            for (int row = 0; row < list->count(); ++row)
                shown.append((list->item(row)->checkState() == Qt::Checked ? "+ " : "- ") + list->item(row)->text());
        }
        merging->copyTasks()->item(0)->setCheckState(Qt::Checked);
        shown.append(merging->listTasks()->item(0)->checkState() == Qt::Checked ? "+" : "-");
        merging->accept();
    });
    merge->trigger();
    QVERIFY(driver.done());
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(shown, (QStringList{QString::fromUtf8("- Sprint 1, 2026-12-01 – 2026-12-11, goal: Ship the importer"),
                                 QString::fromUtf8("+ Sprint 3, 2026-12-29 – 2027-01-11, goal: Docs"),
                                 QString::fromUtf8("+ Sprint 1, 2026-12-01 – 2026-12-14, goal: Ship it"), "-"}));
    QCOMPARE(WorkDir::read("schedule"), theirs + "\n" + two + "\n" + third);
    QVERIFY(!QFile::exists(copy));
    QTRY_VERIFY_WITH_TIMEOUT(!merge->isEnabled() && main.statusBar()->currentMessage().isEmpty(), Probe::FollowMs);

    main.show();
    QVERIFY(QTest::qWaitForWindowActive(&main));
    QTest::keyClick(&main, Qt::Key_Z, Qt::ControlModifier);
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));
    QCOMPARE(WorkDir::read("schedule"), mine + "\n" + two);
    QVERIFY(QFile::exists(copy));
    QTRY_VERIFY_WITH_TIMEOUT(merge->isEnabled(), Probe::FollowMs);
}

QTEST_MAIN(TestSyncConflicts)
#include "tst_syncconflicts.moc"
