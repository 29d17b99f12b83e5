// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "deletedtasks.h"
#include "sprint.h"
#include "sprintschedule.h"
#include "tasklistcodec.h"
#include "workdir.h"

#include <QDir>
#include <QFileInfo>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

class TestSprint : public QObject
{
    Q_OBJECT

private slots:
    void constructionCreatesTheNamedFile_data();
    void constructionCreatesTheNamedFile();
    void changes_data();
    void changes();
    void moveTask_data();
    void moveTask();
    void moveKeepsChangesOfOtherStores();
    void schedule_data();
    void schedule();
    void closeIsWholeOrNothing_data();
    void closeIsWholeOrNothing();
    void filesKeepOwnerAndHonourTheUmask_data();
    void filesKeepOwnerAndHonourTheUmask();
};

void TestSprint::constructionCreatesTheNamedFile_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("five") << 5 << "sprint5";
    QTest::newRow("seven, not sprint07") << 7 << "sprint7";
    QTest::newRow("twelve") << 12 << "sprint12";
    QTest::newRow("zero") << 0 << "sprint0";
    QTest::newRow("negative") << -2 << "sprint-2";
    QTest::newRow("largest") << 2147483647 << "sprint2147483647";
}

void TestSprint::constructionCreatesTheNamedFile()
{
    QFETCH(int, number);
    QFETCH(QString, fileName);

    WorkDir dir;
    // A name that only reads as the same number is another file.
    QVERIFY(WorkDir::write(QStringLiteral("sprint07"), "x"));
    Sprint sprint(number);
    QVERIFY(sprint.errorString().isEmpty());
    QVERIFY(sprint.getTasks().isEmpty());
    QVERIFY(QFileInfo(fileName).isFile());
    QCOMPARE(WorkDir::read(fileName), QByteArray(""));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint07")), QByteArray("x"));
}

// Operations are written as "+text" (addTask), "-text" (deleteTask) and
// "&a|b" (addTasks of a and b).
void TestSprint::changes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("add appends") << QByteArray("a") << QStringList{"+b"} << QByteArray("a\nb");
    QTest::newRow("add of a present task writes nothing") << QByteArray("a\r\n") << QStringList{"+a"} << QByteArray("a\r\n");
    QTest::newRow("delete takes the first of two") << QByteArray("a\nb\na") << QStringList{"-a"} << QByteArray("b\na");
    QTest::newRow("delete of no task normalises") << QByteArray("a\r\nb\n") << QStringList{"-z"} << QByteArray("a\nb");
    QTest::newRow("delete the last task leaves an empty file") << QByteArray("a") << QStringList{"-a"} << QByteArray("");
    QTest::newRow("several, all new, in order") << QByteArray("a") << QStringList{"&c|b"} << QByteArray("a\nc\nb");
    QTest::newRow("several, present ones skipped") << QByteArray("a\nb") << QStringList{"&b|c|a"} << QByteArray("a\nb\nc");
    QTest::newRow("several, twins added once") << QByteArray("") << QStringList{"&x|y|x"} << QByteArray("x\ny");
    QTest::newRow("several, nothing new writes nothing") << QByteArray("a\r\nb\r\n") << QStringList{"&b|a"} << QByteArray("a\r\nb\r\n");
    QTest::newRow("several, case counts") << QByteArray("a") << QStringList{"&A|a"} << QByteArray("a\nA");
}

void TestSprint::changes()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, operations);
    QFETCH(QByteArray, after);

    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint3"), before));
    Sprint sprint(3);
    for (const QString &operation : operations) {
        const QString text = operation.mid(1);
        const bool ok = operation.startsWith('+') ? sprint.addTask(text)
                      : operation.startsWith('-') ? sprint.deleteTask(text)
                                                  : sprint.addTasks(text.split('|'));
        QVERIFY2(ok, qPrintable(operation + ": " + sprint.errorString()));
    }
    QCOMPARE(WorkDir::read(QStringLiteral("sprint3")), after);
    QCOMPARE(sprint.getTasks(), TaskListCodec::decode(after).tasks);
}

// Moves from sprint1. A null target means no file; "<directory>" a directory
// of that name. "refused" is the file a failed move names, empty on success.
void TestSprint::moveTask_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("target");
    QTest::addColumn<QString>("task");
    QTest::addColumn<int>("to");
    QTest::addColumn<QByteArray>("sourceAfter");
    QTest::addColumn<QByteArray>("targetAfter");
    QTest::addColumn<QString>("refused");

    const QByteArray none;
    const QByteArray unreadable("<unreadable>");
    QTest::newRow("to a sprint without a file") << QByteArray("a\nb") << none << "a" << 2 << QByteArray("b") << QByteArray("a") << "";
    QTest::newRow("to a sprint with tasks") << QByteArray("a\nb") << QByteArray("c") << "b" << 2 << QByteArray("a") << QByteArray("c\nb") << "";
    QTest::newRow("target already holds it") << QByteArray("a\nb") << QByteArray("a") << "a" << 2 << QByteArray("b") << QByteArray("a") << "";
    QTest::newRow("held twice here") << QByteArray("a\nb\na") << QByteArray("") << "a" << 2 << QByteArray("b\na") << QByteArray("a") << "";
    QTest::newRow("no longer held here") << QByteArray("b") << QByteArray("c") << "a" << 2 << QByteArray("b") << QByteArray("c") << "no longer";
    QTest::newRow("to its own number") << QByteArray("a\nb") << none << "a" << 1 << QByteArray("a\nb") << QByteArray("a\nb") << "";
    QTest::newRow("to an unreadable sprint") << QByteArray("a") << QByteArray("<directory>") << "a" << 9 << QByteArray("a") << unreadable << "sprint9";
    QTest::newRow("from a read-only sprint") << QByteArray("a\n\xff") << none << "a" << 2 << QByteArray("a\n\xff") << unreadable << "sprint1";
}

void TestSprint::moveTask()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, target);
    QFETCH(QString, task);
    QFETCH(int, to);
    QFETCH(QByteArray, sourceAfter);
    QFETCH(QByteArray, targetAfter);
    QFETCH(QString, refused);

    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), source));
    if (target == "<directory>")
        QVERIFY(QDir().mkdir(Sprint::fileName(to)));
    else if (!target.isNull())
        QVERIFY(WorkDir::write(Sprint::fileName(to), target));

    Sprint sprint(1);
    QCOMPARE(sprint.moveTask(task, to), refused.isEmpty());
    QVERIFY2(refused.isEmpty() ? sprint.errorString().isEmpty() : sprint.errorString().contains(refused),
             qPrintable(sprint.errorString()));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), sourceAfter);
    QCOMPARE(WorkDir::read(Sprint::fileName(to)), targetAfter);
    QCOMPARE(sprint.getTasks(), TaskListCodec::decode(sourceAfter).tasks);
}

void TestSprint::moveKeepsChangesOfOtherStores()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), "a\nb"));
    Sprint mover(1);
    QVERIFY(Sprint(1).addTask(QStringLiteral("c")));
    QVERIFY(Sprint(2).addTask(QStringLiteral("x")));

    QVERIFY(mover.moveTask(QStringLiteral("a"), 2));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), QByteArray("b\nc"));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint2")), QByteArray("x\na"));
    QCOMPARE(mover.getTasks(), (QStringList{"b", "c"}));
}

// A list made anew gets what the umask leaves of rw-rw-rw-; a list replaced
// by a change keeps its mode, and, when root changes it, its owner. So does
// the history of deleted tasks when it is trimmed.
// The schedule file as another program or a merge may leave it, then
// changed: the details read, and the file as a change of sprint 2's goal
// leaves it, every other line kept.
void TestSprint::schedule_data()
{
    QTest::addColumn<QByteArray>("file");  // null: none
    QTest::addColumn<QString>("read");     // the sprints read, "N:start:end:closed:goal" joined by spaces
    QTest::addColumn<QByteArray>("after");
    QTest::addColumn<QString>("planned");  // sprint 9's dates, made on 2026-12-08 after the change

    QTest::newRow("missing") << QByteArray() << "" << QByteArray("2\t\t\t\tg") << "2026-12-08:2026-12-21";
    QTest::newRow("one sprint, closed") << QByteArray("1\t2026-12-01\t2026-12-14\t2026-12-15\tShip")
                                        << "1:2026-12-01:2026-12-14:2026-12-15:Ship"
                                        << QByteArray("1\t2026-12-01\t2026-12-14\t2026-12-15\tShip\n2\t\t\t\tg")
                                        << "2026-12-15:2026-12-28";
    QTest::newRow("the goal replaced in place, the dates kept")
        << QByteArray("2\t2026-12-01\t2026-12-02\t\told\nnotes") << "2:2026-12-01:2026-12-02::old"
        << QByteArray("2\t2026-12-01\t2026-12-02\t\tg\nnotes") << "2026-12-08:2026-12-09";
    QTest::newRow("odd lines kept, passed over")
        << QByteArray("3\t2026-12-05\t2026-12-01\t\tstart after end\n03\t2026-12-01\t2026-12-02\t\tzero\n"
                      "4\t2026-02-30\t2026-03-01\t\tno such day\n5\t2026-12-01\t\t\thalf\n6\t2026-12-01\t2026-12-02")
        << "" << QByteArray("3\t2026-12-05\t2026-12-01\t\tstart after end\n03\t2026-12-01\t2026-12-02\t\tzero\n"
                            "4\t2026-02-30\t2026-03-01\t\tno such day\n5\t2026-12-01\t\t\thalf\n6\t2026-12-01\t2026-12-02\n2\t\t\t\tg")
        << "2026-12-08:2026-12-21";
    QTest::newRow("twice, as a merge leaves it: the later counts, both go")
        << QByteArray("2\t2026-12-01\t2026-12-02\t\ta\n1\t2026-11-01\t2026-11-02\t\tb\n2\t2026-12-03\t2026-12-04\t\tc")
        << "1:2026-11-01:2026-11-02::b 2:2026-12-03:2026-12-04::c"
        << QByteArray("2\t2026-12-03\t2026-12-04\t\tg\n1\t2026-11-01\t2026-11-02\t\tb") << "2026-12-08:2026-12-09";
    QTest::newRow("UTF-16, written back so")
        << TaskListCodec::inEncoding("1\t\t\t\tCaf\xc3\xa9", "UTF-16LE", true) << QString::fromUtf8("1::::Caf\xc3\xa9")
        << TaskListCodec::inEncoding("1\t\t\t\tCaf\xc3\xa9\n2\t\t\t\tg", "UTF-16LE", true) << "2026-12-08:2026-12-21";
}

void TestSprint::schedule()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, read);
    QFETCH(QByteArray, after);
    QFETCH(QString, planned);
    WorkDir dir;
    if (!file.isNull())
        QVERIFY(WorkDir::write(SprintSchedule::fileName(), file));
    SprintSchedule schedule;
    QVERIFY(schedule.read());
    QStringList sprints;
    for (const SprintSchedule::Details &details : schedule.sprints()) {
        sprints.append(QStringList{QString::number(details.number), details.start.toString(Qt::ISODate),
                                   details.end.toString(Qt::ISODate), details.closed.toString(Qt::ISODate), details.goal}
                           .join(':'));
    }
    QCOMPARE(sprints.join(' '), read);
    SprintSchedule::Details goal = schedule.details(2);
    goal.number = 2;
    goal.goal = QStringLiteral("g");
    QVERIFY(schedule.set(goal));
    QCOMPARE(WorkDir::read(SprintSchedule::fileName()), after);
    // What a new sprint is given: the day after the last dated sprint
    // before it, never before today, as long as that one.
    const SprintSchedule::Details next = schedule.planned(9, QDate(2026, 12, 8));
    QCOMPARE(next.start.toString(Qt::ISODate) + ':' + next.end.toString(Qt::ISODate), planned);
}

namespace {
const QByteArray conflicted("<<<<<<< a\n1\t\t\t\tx\n=======\n>>>>>>> b");
} // namespace

// Closing a sprint around the move of its tasks: the calls made, what it
// returned, whether it marked the sprint closed and whether result() is
// Done, and the schedule afterwards. A directory where the schedule's lock
// goes keeps it from being changed before the move; conflict markers that
// another program writes during the move keep the close from being saved.
void TestSprint::closeIsWholeOrNothing_data()
{
    QTest::addColumn<QByteArray>("file");  // the schedule before and, for the rows that change nothing, after
    QTest::addColumn<QString>("during");   // what the move does: "moves", "breaks"; or "locked" before
    QTest::addColumn<QString>("outcome");
    QTest::addColumn<QByteArray>("after");  // null: as before

    const QByteArray dated("1\t2026-12-01\t2026-12-05\t\tShip");
    QTest::newRow("moved, then closed")
        << dated << "moves" << "move: true closed done" << QByteArray("1\t2026-12-01\t2026-12-05\t2026-12-08\tShip");
    QTest::newRow("a schedule that cannot be changed stops it before the move")
        << dated << "locked" << ": false open failed" << QByteArray();
    QTest::newRow("a close that cannot be saved takes the move back")
        << dated << "breaks" << "move takeBack: false open failed" << conflicted;
}

void TestSprint::closeIsWholeOrNothing()
{
    QFETCH(QByteArray, file);
    QFETCH(QString, during);
    QFETCH(QByteArray, after);
    WorkDir dir;
    QVERIFY(file.isNull() || WorkDir::write(SprintSchedule::fileName(), file));
    QVERIFY(during != "locked" || QDir().mkdir(".schedule.lock"));
    QStringList ran;
    const auto move = [&] {
        ran.append("move");
        return during == "moves" || (during == "breaks" && WorkDir::write(SprintSchedule::fileName(), conflicted));
    };
    SprintSchedule schedule;
    bool closed = false;
    const bool done = schedule.closeAround(1, QDate(2026, 12, 8), move, [&] { ran.append("takeBack"); }, &closed);
    QTEST(QStringLiteral("%1: %2 %3 %4").arg(ran.join(' '), done ? "true" : "false", closed ? "closed" : "open",
                                            schedule.result().isDone() ? "done" : "failed"),
          "outcome");
    QCOMPARE(QFileInfo::exists(SprintSchedule::fileName()) ? WorkDir::read(SprintSchedule::fileName()) : QByteArray(),
             after.isNull() ? file : after);
}

void TestSprint::filesKeepOwnerAndHonourTheUmask_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<int>("mask");
    QTest::addColumn<int>("modeBefore");  // -1: sprint 2 has no file yet
    QTest::addColumn<int>("ownerBefore");  // -1: made by this process
    QTest::addColumn<int>("modeAfter");

    QTest::newRow("opened anew, umask 077") << "open" << 077 << -1 << -1 << 0600;
    QTest::newRow("opened anew, umask 022") << "open" << 022 << -1 << -1 << 0644;
    QTest::newRow("made anew by a move, umask 077") << "move" << 077 << -1 << -1 << 0600;
    QTest::newRow("made anew by a move, umask 002") << "move" << 002 << -1 << -1 << 0664;
    QTest::newRow("replaced, mode kept") << "add" << 077 << 0640 << -1 << 0640;
    QTest::newRow("replaced by root, owner kept") << "add" << 022 << 0664 << 65534 << 0664;
    QTest::newRow("history made anew, umask 077") << "history" << 077 << -1 << -1 << 0600;
    QTest::newRow("history trimmed, mode kept") << "history" << 022 << 0640 << -1 << 0640;
    QTest::newRow("history trimmed by root, owner kept") << "history" << 022 << 0664 << 65534 << 0664;
}

void TestSprint::filesKeepOwnerAndHonourTheUmask()
{
    QFETCH(QString, how);
    QFETCH(int, mask);
    QFETCH(int, modeBefore);
    QFETCH(int, ownerBefore);
    QFETCH(int, modeAfter);

    WorkDir dir;
    if (ownerBefore >= 0 && ::geteuid() != 0)
        QSKIP("needs root to give a file to another user");
    const QByteArray file = how == QLatin1String("history") ? QFile::encodeName(DeletedTasks::defaultFileName())
                                                            : QByteArray("sprint2");
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), "a"));
    if (modeBefore >= 0) {
        QVERIFY(WorkDir::write(QFile::decodeName(file), "b"));
        QVERIFY(::chmod(file, mode_t(modeBefore)) == 0);
        if (ownerBefore >= 0)
            QVERIFY(::chown(file, uid_t(ownerBefore), gid_t(ownerBefore)) == 0);
    }
    const mode_t previousMask = ::umask(mode_t(mask));
    auto restoreMask = qScopeGuard([previousMask] { ::umask(previousMask); });

    if (how == QLatin1String("open"))
        Sprint(2);
    else if (how == QLatin1String("move"))
        QVERIFY(Sprint(1).moveTask(QStringLiteral("a"), 2));
    else if (how == QLatin1String("history"))  // more than the history keeps, so it is trimmed
        QVERIFY(DeletedTasks().append(QStringLiteral("sprint2"), QVector<QString>(2 * DeletedTasks::Limit, "c").toList()));
    else
        QVERIFY(Sprint(2).addTask(QStringLiteral("c")));

    struct stat info;
    QVERIFY(::stat(file, &info) == 0);
    QCOMPARE(int(info.st_mode & 07777), modeAfter);
    QCOMPARE(int(info.st_uid), ownerBefore >= 0 ? ownerBefore : int(::geteuid()));
    QCOMPARE(int(info.st_gid), ownerBefore >= 0 ? ownerBefore : int(::getegid()));
}

QTEST_GUILESS_MAIN(TestSprint)
#include "tst_sprint.moc"
