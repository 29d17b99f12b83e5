// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "driverreport.h"
#include "sprint.h"
#include "tasklistcodec.h"
#include "workdir.h"

#include <QStandardPaths>
#include <QtTest>

#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Entries that are not plain, readable, writable UTF-8 files where a task
// list file is expected, and lists that another program changes under a
// store: nothing may hang, crash, or quietly replace what is there.
class TestOddEntries : public QObject
{
    Q_OBJECT

private slots:
    void addToOddEntry_data();
    void addToOddEntry();
    void unrelatedChangesLeaveAnUnreadableListAlone();
    void changedUnderTheStore_data();
    void changedUnderTheStore();
    // Entries that once hung a load or were written over.
    void fifoDoesNotHang();
    void linkLoopIsNotReplaced();
};

namespace {

enum class Kind { File, Directory, Link };

Kind kindOf(const QString &name)
{
    const QFileInfo info(name);
    return info.isSymLink() ? Kind::Link : info.isDir() ? Kind::Directory : Kind::File;
}

// Root reads and writes every file, so checks of permissions run the store
// as nobody.
bool canDropPrivileges()
{
    return ::geteuid() != 0 || !QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty();
}

DriverReport runDriver(const QStringList &arguments, bool asNobody)
{
    if (asNobody && ::geteuid() == 0)
        return DriverReport::run(QStandardPaths::findExecutable(QStringLiteral("setpriv")),
                                 QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", STORE_DRIVER} + arguments);
    return DriverReport::run(QStringLiteral(STORE_DRIVER), arguments);
}

QByteArray utf16WithMark(const QString &text)
{
    QByteArray bytes("\xff\xfe");
    for (const QChar c : text)
        bytes.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    return bytes;
}

} // namespace

void TestOddEntries::addToOddEntry_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("asNobody");
    QTest::addColumn<QString>("entry");     // the name the store is made for
    QTest::addColumn<QString>("holder");    // the file that holds the tasks, if any
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<bool>("added");
    QTest::addColumn<QByteArray>("after");  // of holder

    QTest::newRow("directory") << "directory" << false << "sprint3" << QString() << QByteArray() << true << false
                               << QByteArray();
    QTest::newRow("file without read permission") << "mode 0200" << true << "sprint3" << "sprint3"
                                                  << QByteArray("kept") << true << false << QByteArray("kept");
    QTest::newRow("file without write permission") << "mode 0444" << true << "sprint3" << "sprint3"
                                                   << QByteArray("kept") << false << false << QByteArray("kept");
    QTest::newRow("folder without write permission") << "folder 0555" << true << "sprint3" << "sprint3"
                                                     << QByteArray("kept") << false << false << QByteArray("kept");
    QTest::newRow("link to another list") << "link" << false << "sprint2" << "sprint1" << QByteArray("a")
                                          << false << true << QByteArray("a\nnew");
    QTest::newRow("link to a missing file") << "link" << false << "sprint2" << "gone" << QByteArray()
                                            << false << true << QByteArray("new");
    // A file system without locks: the change is refused, never made
    // unguarded. A lock file that nobody may write still locks.
    for (const int error : {ENOLCK, EOPNOTSUPP, EINVAL})
        QTest::addRow("file system without locks: %s", std::strerror(error))
            << QStringLiteral("flock %1").arg(error) << false << "sprint3" << "sprint3" << QByteArray("kept") << false
            << false << QByteArray("kept");
    QTest::newRow("lock file without write permission") << "lock 0444" << true << "sprint3" << "sprint3"
                                                        << QByteArray("kept") << false << true << QByteArray("kept\nnew");
    QTest::newRow("invalid UTF-8") << "file" << false << "sprint3" << "sprint3" << QByteArray("a\n\xff\xfe b\nc")
                                   << true << false << QByteArray("a\n\xff\xfe b\nc");
    QTest::newRow("NUL byte") << "file" << false << "sprint3" << "sprint3" << QByteArray("a\0b\nc", 5) << false
                              << true << QByteArray("a\0b\nc\nnew", 9);
    // A list in another encoding, or with a byte-order mark, is written
    // back as it came.
    QTest::newRow("UTF-16 with byte-order mark") << "file" << false << "sprint3" << "sprint3"
                                                 << utf16WithMark(QStringLiteral("a\n\u00e9")) << false << true
                                                 << utf16WithMark(QStringLiteral("a\n\u00e9\nnew"));
    QTest::newRow("UTF-8 with byte-order mark") << "file" << false << "sprint3" << "sprint3"
                                                << QByteArray("\xef\xbb\xbf" "a\r\n") << false << true
                                                << QByteArray("\xef\xbb\xbf" "a\nnew");
    // Read without waiting for a writer that never comes.
    QTest::newRow("named pipe") << "fifo" << false << "sprint3" << QString() << QByteArray() << true << false
                                << QByteArray();
}

void TestOddEntries::addToOddEntry()
{
    QFETCH(QString, setup);
    QFETCH(bool, asNobody);
    QFETCH(QString, entry);
    QFETCH(QString, holder);
    QFETCH(QByteArray, before);
    QFETCH(bool, readOnly);
    QFETCH(bool, added);
    QFETCH(QByteArray, after);

    if (asNobody && !canDropPrivileges())
        QSKIP("needs setpriv to run the store without privileges");
    WorkDir dir;
    // The folder must be open to nobody.
    QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0777) == 0);
    if (setup == QLatin1String("directory")) {
        QVERIFY(QDir().mkdir(entry));
    } else if (setup == QLatin1String("fifo")) {
        QVERIFY(::mkfifo(QFile::encodeName(entry).constData(), 0666) == 0);
    } else {
        if (setup == QLatin1String("link"))
            QVERIFY(QFile::link(holder, entry));
        if (!before.isNull())
            QVERIFY(WorkDir::write(holder, before));
        const int mode = setup == QLatin1String("mode 0200") ? 0200 : setup == QLatin1String("mode 0444") ? 0444 : 0666;
        QVERIFY(before.isNull() || ::chmod(QFile::encodeName(holder).constData(), mode_t(mode)) == 0);
        if (setup == QLatin1String("folder 0555"))
            QVERIFY(::chmod(QFile::encodeName(dir.path()).constData(), 0555) == 0);
        if (setup == QLatin1String("lock 0444"))
            QVERIFY(WorkDir::write(QStringLiteral(".sprint3.lock"), QByteArray()) && ::chmod(".sprint3.lock", 0444) == 0);
    }
    const Kind kind = kindOf(entry);
    const QString number = entry.mid(6);

    const DriverReport shown = runDriver({"try", number, "show"}, asNobody);
    QVERIFY2(shown.ran, qPrintable(shown.output));
    QCOMPARE(shown.readOnly, readOnly);
    // Every flock() of the store fails, as on a file system without locks;
    // the shim is loaded ahead of AddressSanitizer's runtime, which it allows.
    const QByteArray asan = qgetenv("ASAN_OPTIONS");
    if (setup.startsWith(QLatin1String("flock "))) {
        qputenv("LD_PRELOAD", FAULT_SHIM);
        qputenv("CORVANE_FAULT_FLOCK", setup.mid(6).toLatin1());
        qputenv("ASAN_OPTIONS", asan + ":verify_asan_link_order=0");
    }
    const DriverReport report = runDriver({"try", number, "add", "new"}, asNobody);
    qunsetenv("LD_PRELOAD");
    qunsetenv("CORVANE_FAULT_FLOCK");
    qputenv("ASAN_OPTIONS", asan);
    QVERIFY2(report.ran, qPrintable(report.output));
    QVERIFY2(report.ok == added, qPrintable(report.output));
    if (!added)
        QVERIFY2(report.error.contains(dir.path() + QLatin1Char('/') + entry)
                     && !report.error.section(QLatin1Char('\n'), 1).trimmed().isEmpty(),
                 qPrintable(report.error));
    // Said as it is, not as a lock that failed.
    if (setup == QLatin1String("folder 0555"))
        QVERIFY2(report.error.contains(QLatin1String("is not writable")), qPrintable(report.error));

    QCOMPARE(kindOf(entry), kind);
    if (!holder.isEmpty()) {
        const QByteArray bytes = WorkDir::read(holder);
        QCOMPARE(bytes, after);
        if (!readOnly)
            QCOMPARE(report.tasks, TaskListCodec::decode(bytes).tasks);
    }
    ::chmod(QFile::encodeName(dir.path()).constData(), 0700);
}

void TestOddEntries::unrelatedChangesLeaveAnUnreadableListAlone()
{
    WorkDir dir;
    const QByteArray odd("a\n\xc3(");
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), odd));
    QVERIFY(QDir().mkdir(QStringLiteral("sprint3")));
    Sprint source(2);
    QVERIFY(source.addTask(QStringLiteral("m")));

    // Neither an undecodable list nor a folder takes the task, and it stays.
    for (int target : {1, 3}) {
        QVERIFY(!source.moveTask(QStringLiteral("m"), target));
        QVERIFY2(source.errorString().contains(Sprint::fileName(target)), qPrintable(source.errorString()));
        QCOMPARE(source.getTasks(), QStringList{"m"});
    }
    QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), odd);
    QVERIFY(QFileInfo(QStringLiteral("sprint3")).isDir());

    // Once another program has repaired the file, it takes changes again.
    Sprint repaired(1);
    QVERIFY(repaired.isReadOnly());
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), "a\nb"));
    QVERIFY(repaired.refresh());
    QVERIFY(!repaired.isReadOnly());
    QVERIFY2(source.moveTask(QStringLiteral("m"), 1), qPrintable(source.errorString()));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), QByteArray("a\nb\nm"));
    QVERIFY(repaired.refresh());
    QCOMPARE(repaired.getTasks(), (QStringList{"a", "b", "m"}));
}

void TestOddEntries::changedUnderTheStore_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<QStringList>("shown");          // after refresh
    QTest::addColumn<QByteArray>("afterSeenAdd");    // adding c after refresh
    QTest::addColumn<QByteArray>("afterBlindAdd");   // adding c without refresh; null: no file

    QTest::newRow("replaced by rename") << "rename" << QStringList{"x", "y", "z"} << QByteArray("x\ny\nz\nc")
                                        << QByteArray("x\ny\nz\nc");
    QTest::newRow("truncated") << "truncate" << QStringList() << QByteArray("c") << QByteArray("c");
    QTest::newRow("rewritten in place, same size, old time restored")
        << "in place" << QStringList{"x", "y", "z"} << QByteArray("x\ny\nz\nc") << QByteArray("x\ny\nz\nc");
    // A removed list is never written again from what the store held: the
    // blind change is refused and only the next one starts a new file.
    QTest::newRow("removed") << "remove" << QStringList() << QByteArray("c") << QByteArray();
}

void TestOddEntries::changedUnderTheStore()
{
    QFETCH(QString, change);
    QFETCH(QStringList, shown);
    QFETCH(QByteArray, afterSeenAdd);
    QFETCH(QByteArray, afterBlindAdd);

    for (const bool seen : {true, false}) {
        WorkDir dir;
        QVERIFY(WorkDir::write(QStringLiteral("sprint1"), "a\nb\nc"));
        Sprint store(1);
        QCOMPARE(store.getTasks(), (QStringList{"a", "b", "c"}));

        struct stat old;
        QVERIFY(::stat("sprint1", &old) == 0);
        if (change == QLatin1String("rename")) {
            QVERIFY(WorkDir::write(QStringLiteral("incoming"), "x\ny\nz"));
            QVERIFY(::rename("incoming", "sprint1") == 0);
        } else if (change == QLatin1String("truncate")) {
            QVERIFY(::truncate("sprint1", 0) == 0);
        } else if (change == QLatin1String("in place")) {
            QFile file(QStringLiteral("sprint1"));
            QVERIFY(file.open(QIODevice::ReadWrite));
            QCOMPARE(file.write("x\ny\nz"), qint64(5));
            file.close();
            const struct timespec times[2] = {old.st_atim, old.st_mtim};
            QVERIFY(::utimensat(AT_FDCWD, "sprint1", times, 0) == 0);
        } else {
            QVERIFY(QFile::remove(QStringLiteral("sprint1")));
        }

        if (seen) {
            QVERIFY(store.refresh());
            QCOMPARE(store.getTasks(), shown);
            QVERIFY2(store.addTask(QStringLiteral("c")), qPrintable(store.errorString()));
            QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), afterSeenAdd);
        } else if (afterBlindAdd.isNull()) {
            QVERIFY(!store.addTask(QStringLiteral("c")));
            QVERIFY2(store.errorString().contains(QLatin1String("sprint1")), qPrintable(store.errorString()));
            QVERIFY(!QFile::exists(QStringLiteral("sprint1")));
            QCOMPARE(store.getTasks(), shown);
        } else {
            QVERIFY2(store.addTask(QStringLiteral("c")), qPrintable(store.errorString()));
            QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), afterBlindAdd);
        }
        if (QFile::exists(QStringLiteral("sprint1")))
            QCOMPARE(store.getTasks(), TaskListCodec::decode(WorkDir::read(QStringLiteral("sprint1"))).tasks);
    }
}

// A named pipe where a list should be must not stop the program: opening
// one for reading waits for a writer that never comes.
void TestOddEntries::fifoDoesNotHang()
{
    WorkDir dir;
    QVERIFY(::mkfifo("sprint4", 0644) == 0);
    const DriverReport report = runDriver({"try", "4", "add", "new"}, false);
    QVERIFY2(report.ran, qPrintable(report.output));
    QVERIFY(!report.ok);
    QVERIFY2(report.error.contains(QLatin1String("sprint4")), qPrintable(report.error));
}

// A symbolic link that leads round in a circle is refused, not replaced by
// a plain file.
void TestOddEntries::linkLoopIsNotReplaced()
{
    WorkDir dir;
    QVERIFY(QFile::link(QStringLiteral("sprint7"), QStringLiteral("sprint6")));
    QVERIFY(QFile::link(QStringLiteral("sprint6"), QStringLiteral("sprint7")));
    const DriverReport report = runDriver({"try", "6", "add", "new"}, false);
    QVERIFY2(report.ran, qPrintable(report.output));
    QVERIFY(!report.ok);
    QVERIFY2(report.error.contains(QLatin1String("sprint6")), qPrintable(report.error));
    QVERIFY(QFileInfo(QStringLiteral("sprint6")).isSymLink());
    QVERIFY(QFileInfo(QStringLiteral("sprint7")).isSymLink());
}

QTEST_GUILESS_MAIN(TestOddEntries)
#include "tst_oddentries.moc"
