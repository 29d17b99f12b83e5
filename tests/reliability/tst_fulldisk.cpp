// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "deletedtasks.h"
#include "driverreport.h"
#include "tasklistcodec.h"
#include "workdir.h"

#include <QProcess>
#include <QtTest>

#include <cstring>

// A full disk or a failing device, at every file system call of a change in
// turn: the files keep a complete version, old or new, the store says which
// file failed and why, and its list stays what its file holds.
class TestFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void everyFailurePointKeepsACompleteFile_data();
    void everyFailurePointKeepsACompleteFile();
    void everyFailureNamesItsCause_data();
    void everyFailureNamesItsCause();
    void commandLineKeepsACompleteFile_data();
    void commandLineKeepsACompleteFile();

private:
    void addRows();
};

namespace {

const QMap<QString, QByteArray> Before = {
    {"product_backlog", "a\nb\nc"},
    {"sprint1", "x\ny"},
    {"sprint2", "z"},
};

bool resetFiles()
{
    for (auto it = Before.cbegin(); it != Before.cend(); ++it) {
        if (!WorkDir::write(it.key(), it.value())
            || !WorkDir::write(QLatin1Char('.') + it.key() + QLatin1String(".lock"), QByteArray()))
            return false;
    }
    return true;
}

QProcessEnvironment faultedEnvironment(int failAt, const QString &error, const QString &mode)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAULT_SHIM));
    environment.insert(QStringLiteral("CORVANE_FAULT_AT"), QString::number(failAt));
    environment.insert(QStringLiteral("CORVANE_FAULT_ERRNO"), error);
    environment.insert(QStringLiteral("CORVANE_FAULT_MODE"), mode);
    // Under AddressSanitizer the shim is loaded ahead of the sanitizer's
    // runtime, which it would otherwise refuse.
    QString asan = environment.value(QStringLiteral("ASAN_OPTIONS"));
    environment.insert(QStringLiteral("ASAN_OPTIONS"),
                       (asan.isEmpty() ? QString() : asan + QLatin1Char(':')) + QLatin1String("verify_asan_link_order=0"));
    return environment;
}

DriverReport runDriver(const QStringList &arguments, int failAt, const QString &error, const QString &mode)
{
    return DriverReport::run(QStringLiteral(STORE_DRIVER), arguments, faultedEnvironment(failAt, error, mode));
}

} // namespace

void TestFullDisk::addRows()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("file");  // the file whose store reports
    QTest::addColumn<QStringList>("changed");  // the files the call changes, in order
    QTest::addColumn<QList<QByteArray>>("after");

    QTest::newRow("backlog add") << QStringList{"backlog", "add", "d"} << "product_backlog"
                                 << QStringList{"product_backlog"} << QList<QByteArray>{"a\nb\nc\nd"};
    QTest::newRow("backlog edit") << QStringList{"backlog", "edit", "b", "B"} << "product_backlog"
                                  << QStringList{"product_backlog"} << QList<QByteArray>{"a\nB\nc"};
    QTest::newRow("backlog remove") << QStringList{"backlog", "remove", "b"} << "product_backlog"
                                    << QStringList{"product_backlog"} << QList<QByteArray>{"a\nc"};
    QTest::newRow("sprint add") << QStringList{"1", "add", "w"} << "sprint1" << QStringList{"sprint1"}
                                << QList<QByteArray>{"x\ny\nw"};
    QTest::newRow("sprint delete") << QStringList{"1", "remove", "x"} << "sprint1" << QStringList{"sprint1"}
                                   << QList<QByteArray>{"y"};
    QTest::newRow("sprint move") << QStringList{"1", "move", "x", "2"} << "sprint1"
                                 << QStringList{"sprint2", "sprint1"} << QList<QByteArray>{"z\nx", "y"};
}

void TestFullDisk::everyFailurePointKeepsACompleteFile_data()
{
    addRows();
}

void TestFullDisk::everyFailurePointKeepsACompleteFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QString, file);
    QFETCH(QStringList, changed);
    QFETCH(QList<QByteArray>, after);

    WorkDir dir;
    const QString where = dir.path() + QLatin1Char('/');
    int total = 0;
    struct Mode {
        const char *error;
        const char *mode;
        const char *command;
    };
    // A full disk stays full; a device error passes, so the same store
    // object must then succeed when asked again.
    for (const Mode &mode : {Mode{"ENOSPC", "full", "try"}, Mode{"EIO", "once", "retry"}}) {
        int points = 0;
        int failed = 0;
        int survived = 0;
        for (int at = 1;; ++at) {
            QVERIFY2(at < 200, "the change never ran without a fault");
            QVERIFY(resetFiles());
            const DriverReport report = runDriver(QStringList{mode.command} + arguments, at, mode.error, mode.mode);
            const QString context = QStringLiteral("%1 at call %2:\n%3").arg(mode.error).arg(at).arg(report.output);
            QVERIFY2(report.ran, qPrintable(context));

            bool allNew = true;
            for (auto it = Before.cbegin(); it != Before.cend(); ++it) {
                const QByteArray bytes = WorkDir::read(it.key());
                const int index = changed.indexOf(it.key());
                allNew = allNew && (index < 0 ? bytes == it.value() : bytes == after.at(index));
                QVERIFY2(bytes == it.value() || (index >= 0 && bytes == after.at(index)),
                         qPrintable(QStringLiteral("%1 holds \"%2\"; %3").arg(it.key(), QString::fromUtf8(bytes), context)));
            }
            QCOMPARE(report.tasks, TaskListCodec::decode(WorkDir::read(file)).tasks);
            if (arguments.at(1) == QLatin1String("move")) {
                const bool inSource = WorkDir::read("sprint1").contains('x');
                const bool inTarget = WorkDir::read("sprint2").contains('x');
                QVERIFY2(inSource || inTarget, qPrintable(QStringLiteral("the moved task is in neither sprint; ") + context));
                // A move that failed halfway is taken back, or says where the task is now.
                QVERIFY2(report.ok || !inTarget
                             || (report.error.contains(where + "sprint1") && report.error.contains(where + "sprint2")),
                         qPrintable(QStringLiteral("the task is in both sprints unsaid; ") + context));
            }
            // A failed write leaves nothing behind to fill the disk further.
            QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot),
                     (QStringList{".product_backlog.lock", ".sprint1.lock", ".sprint2.lock", "product_backlog",
                                  "sprint1", "sprint2"}));

            if (report.retried)
                ++failed;
            if (report.ok) {
                QVERIFY2(allNew, qPrintable(QStringLiteral("reported success without the change; ") + context));
                QVERIFY2(report.error.isEmpty(), qPrintable(context));
            } else {
                QVERIFY2(!report.errors.isEmpty(), qPrintable(QStringLiteral("failed without a fault; ") + context));
                const bool namesFile = std::any_of(changed.cbegin(), changed.cend(), [&](const QString &name) {
                    return report.error.contains(where + name);
                });
                QVERIFY2(namesFile && !report.error.section(QLatin1Char('\n'), 1).trimmed().isEmpty(),
                         qPrintable(QStringLiteral("the error names no changed file or no reason; ") + context));
                ++failed;
            }
            if (report.errors.isEmpty())
                break;
            ++points;
            if (report.ok && !report.retried)
                ++survived;
        }
        qInfo("%s (%s): %d failure points tried; %d calls failed and said so%s, %d succeeded all the same;"
              " every file held its old or its new content and each store's list its file",
              mode.error, mode.mode, points, failed, std::strcmp(mode.mode, "once") == 0 ? " (then succeeded when retried)" : "",
              survived);
        total += points;
    }
    qInfo("disk-full and device-error failure points tried for this call: %d", total);
}

void TestFullDisk::everyFailureNamesItsCause_data()
{
    addRows();
}

// The reason in the message is the system's own, whichever call failed.
void TestFullDisk::everyFailureNamesItsCause()
{
    QFETCH(QStringList, arguments);

    WorkDir dir;
    const QString reason = QString::fromLocal8Bit(std::strerror(ENOSPC));
    for (int at = 1;; ++at) {
        QVERIFY2(at < 200, "the change never ran without a fault");
        QVERIFY(resetFiles());
        const DriverReport report = runDriver(QStringList{"try"} + arguments, at, QStringLiteral("ENOSPC"), QStringLiteral("full"));
        QVERIFY2(report.ran, qPrintable(report.output));
        if (report.errors.isEmpty())
            break;
        if (!report.ok)
            QVERIFY2(report.error.contains(reason), qPrintable(QStringLiteral("at call %1: %2").arg(at).arg(report.output)));
    }
}

void TestFullDisk::commandLineKeepsACompleteFile_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("changed");  // the files the command changes
    QTest::addColumn<QList<QByteArray>>("after");

    // An add is appended to the file's end: what a full disk takes only in
    // part must come back out.
    QTest::newRow("add") << QStringList{"add", "backlog", "d"} << QStringList{"product_backlog"}
                         << QList<QByteArray>{"a\nb\nc\nd"};
    QTest::newRow("rm") << QStringList{"rm", "1", "1"} << QStringList{"sprint1"} << QList<QByteArray>{"y"};
    QTest::newRow("mv") << QStringList{"mv", "1", "1", "2"} << QStringList{"sprint2", "sprint1"}
                        << QList<QByteArray>{"z\nx", "y"};
}

// The command line on a disk that fills at each call of a command in turn:
// exit 0 with every file new, or exit 3 naming a file and the reason with
// no file changed.
void TestFullDisk::commandLineKeepsACompleteFile()
{
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, changed);
    QFETCH(QList<QByteArray>, after);

    WorkDir dir;
    const QString where = dir.path() + QLatin1Char('/');
    for (int at = 1;; ++at) {
        QVERIFY2(at < 200, "the command never ran without a fault");
        QVERIFY(resetFiles());
        QFile::remove(DeletedTasks::defaultFileName());
        QProcess corvane;
        corvane.setProcessEnvironment(faultedEnvironment(at, QStringLiteral("ENOSPC"), QStringLiteral("full")));
        corvane.start(QStringLiteral(CORVANE), arguments);
        QVERIFY(corvane.waitForFinished(-1));
        const QString errors = QString::fromUtf8(corvane.readAllStandardError());
        const int status = corvane.exitCode();
        const QString context = QStringLiteral("at call %1, exit %2:\n%3").arg(at).arg(status).arg(errors);
        int changes = 0;
        for (auto it = Before.cbegin(); it != Before.cend(); ++it) {
            const QByteArray bytes = WorkDir::read(it.key());
            const int index = changed.indexOf(it.key());
            changes += bytes != it.value();
            QVERIFY2(bytes == it.value() || (index >= 0 && bytes == after.at(index)),
                     qPrintable(QStringLiteral("%1 holds \"%2\"; %3").arg(it.key(), QString::fromUtf8(bytes), context)));
        }
        // A move whose source cannot be written cuts its append off the
        // target again, which a full disk allows: each task is in one list.
        QVERIFY2(status == 0 ? changes == changed.size()
                             : status == 3 && errors.contains(where) && errors.contains(std::strerror(ENOSPC))
                                 && changes == 0,
                 qPrintable(context));
        // And a change not made keeps nothing in the history.
        QVERIFY2(status == 0 || DeletedTasks().entries().isEmpty(), qPrintable(context));
        QVERIFY2(QDir().entryList({"*.tmp"}, QDir::Files | QDir::Hidden).isEmpty(), qPrintable(context));
        if (!errors.contains(QLatin1String("faultshim:"))) {
            qInfo("%d failure points of the command tried", at - 1);
            break;
        }
    }
}

QTEST_GUILESS_MAIN(TestFullDisk)
#include "tst_fulldisk.moc"
