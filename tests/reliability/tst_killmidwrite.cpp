// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprint.h"
#include "workdir.h"

#include <QProcess>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSet>
#include <QThread>
#include <QtTest>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

// A store killed while it writes must leave the list it had, or the one it
// was writing, never a cut or mixed file and nothing a listing would show.
class TestKillMidWrite : public QObject
{
    Q_OBJECT

private slots:
    void everyKillLeavesOneCompleteList();
    void killedAppendsLeaveNoHalfTask();
};

namespace {

constexpr int TaskCount = 20000;
constexpr int Kills = 100;
// Long tasks make the writing, not the building of the list, the bulk of
// each rewrite, so that many kills land inside a write.
constexpr int TaskWidth = 80;

QStringList generation(int number)
{
    QStringList tasks;
    tasks.reserve(TaskCount);
    const QString stamp = QStringLiteral("g%1 ").arg(number);
    for (int i = 0; i < TaskCount; ++i)
        tasks.append((stamp + QString::number(i) + QLatin1Char(' ')).leftJustified(TaskWidth, QLatin1Char('.')));
    return tasks;
}

// Whether the process holds a file open in folder that is not the list:
// the temporary file of a write in progress, named or not yet named.
bool isWriting(qint64 pid, const QString &folder)
{
    const QString fds = QStringLiteral("/proc/%1/fd").arg(pid);
    for (const QString &fd : QDir(fds).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot)) {
        char target[4096];
        const ssize_t size = ::readlink(QFile::encodeName(fds + QLatin1Char('/') + fd).constData(), target, sizeof target);
        if (size <= 0)
            continue;
        const QString path = QFile::decodeName(QByteArray(target, int(size)));
        if (path.startsWith(folder + QLatin1Char('/')) && !path.endsWith(QLatin1String("/sprint1"))
            && !path.endsWith(QLatin1String(".lock")))
            return true;
    }
    return false;
}

// How long the writer takes, in this build on this machine, from saying it
// is ready to its first write, and then from one write to the next, in
// microseconds. A sanitizer build or a busy machine is many times slower
// than a plain build on an idle one, so the kills are spread over what was
// measured, not over a fixed time.
struct WriterPace {
    qint64 firstWriteUs = -1;
    qint64 cycleUs = -1;
};

WriterPace measureWriter()
{
    QProcess writer;
    writer.start(QStringLiteral(STORE_DRIVER), {"churn", "1", QString::number(TaskCount), QString::number(TaskWidth)});
    constexpr int Writes = 5;
    QElapsedTimer sinceReady;
    qint64 firstWrite = 0;
    int writes = 0;
    while (writes < Writes && writer.waitForReadyRead(60000)) {
        while (writes < Writes && writer.canReadLine()) {
            const QByteArray line = writer.readLine();
            if (line.startsWith("ready"))
                sinceReady.start();
            else if (line.startsWith("wrote") && writes++ == 0)
                firstWrite = sinceReady.nsecsElapsed() / 1000;
        }
    }
    WriterPace pace;
    if (writes == Writes) {
        pace.firstWriteUs = firstWrite;
        pace.cycleUs = (sinceReady.nsecsElapsed() / 1000 - firstWrite) / (Writes - 1);
    }
    writer.kill();
    writer.waitForFinished(60000);
    return pace;
}

QStringList temporaries()
{
    return QDir().entryList({".sprint1.*"}, QDir::Files | QDir::Hidden)
        .filter(QRegularExpression(QStringLiteral("^\\.sprint1\\.(?!lock$)")));
}

} // namespace

void TestKillMidWrite::everyKillLeavesOneCompleteList()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), generation(0).join(QLatin1Char('\n')).toUtf8()));
    const WriterPace pace = measureWriter();
    QVERIFY2(pace.cycleUs > 0, "the writer did not write five times");
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), generation(0).join(QLatin1Char('\n')).toUtf8()));
    const qint64 spreadUs = pace.firstWriteUs + 2 * pace.cycleUs;

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int lastGeneration = 0;
    int midWrite = 0;
    int unchanged = 0;
    QSet<QString> leftBehind;
    for (int kill = 0; kill < Kills; ++kill) {
        QProcess writer;
        writer.start(QStringLiteral(STORE_DRIVER), {"churn", "1", QString::number(TaskCount), QString::number(TaskWidth)});
        QVERIFY2(writer.waitForReadyRead(60000), writer.readAllStandardError().constData());
        // A pause of up to the first write and two more lands before,
        // inside and between writes; every other kill waits for a write to
        // begin, so that a busy machine, where building the list takes
        // longer than writing it, still has kills land inside writes.
        if (kill % 2) {
            QElapsedTimer waited;
            waited.start();
            while (!isWriting(writer.processId(), dir.path()) && waited.nsecsElapsed() / 1000 < 2 * spreadUs)
                QThread::usleep(50);
        } else {
            QThread::usleep(unsigned(random.bounded(quint32(spreadUs))));
        }
        if (isWriting(writer.processId(), dir.path()))
            ++midWrite;
        ::kill(pid_t(writer.processId()), SIGKILL);
        QVERIFY(writer.waitForFinished(60000));
        QVERIFY2(writer.exitStatus() == QProcess::CrashExit,
                 qPrintable(QStringLiteral("the writer stopped by itself: ") + writer.readAllStandardError()));

        QCOMPARE(QDir().entryList({"sprint*"}, QDir::Files, QDir::NoSort), QStringList{"sprint1"});
        const Sprint loaded(1);
        QVERIFY2(loaded.errorString().isEmpty(), qPrintable(loaded.errorString()));
        const QStringList tasks = loaded.getTasks();
        const int number = tasks.value(0).section(QLatin1Char(' '), 0, 0).mid(1).toInt();
        QVERIFY2(tasks == generation(number),
                 qPrintable(QStringLiteral("kill %1 (seed %2) left %3 tasks, first \"%4\", last \"%5\"")
                                .arg(kill).arg(seed).arg(tasks.size())
                                .arg(tasks.value(0), tasks.value(tasks.size() - 1))));
        QVERIFY2(number >= lastGeneration,
                 qPrintable(QStringLiteral("generation %1 came back after %2").arg(number).arg(lastGeneration)));
        if (number == lastGeneration)
            ++unchanged;
        lastGeneration = number;

        // A kill between naming the temporary file and renaming it leaves the
        // hidden file behind, until a process's first change of the list
        // clears it.
        for (const QString &name : temporaries())
            leftBehind.insert(name);
    }

    Sprint(1).addTask(QStringLiteral("one more change"));
    const QStringList remaining = temporaries();

    qInfo("kill mid-write: %d kills of a writer rewriting %d tasks of %d characters (seed %u), spread over"
          " %lld us (first write after %lld us, then one every %lld us); %d generations written; %d kills landed while a temporary file was open,"
          " %d left a hidden temporary file, %d remain after one more change; %d came before any new write;"
          " every kill left one complete list and nothing in the sprint listing",
          Kills, TaskCount, TaskWidth, seed, spreadUs, pace.firstWriteUs, pace.cycleUs, lastGeneration, midWrite, int(leftBehind.size()),
          int(remaining.size()), unchanged);
    // Without kills inside writes the test would prove nothing.
    QVERIFY2(midWrite > 0, "no kill landed inside a write");
    QVERIFY2(lastGeneration > 0, "the writer never completed a write");
    QVERIFY2(remaining.isEmpty(), qPrintable(remaining.join(QLatin1String(", "))));
}

// A command adding long tasks to a list is killed at random moments, before,
// during and after its append: the list must then hold all the new tasks or
// none, once the next command has looked at it.
void TestKillMidWrite::killedAppendsLeaveNoHalfTask()
{
    constexpr int ListSize = 10000;
    constexpr int AppendKills = 200;
    // Some 4 MB of tasks, in arguments of a size that exec takes, with room
    // for them all made by a larger stack, which the command inherits.
    constexpr int Texts = 40;
    constexpr int TextSize = 100 * 1024;
    struct rlimit stack;
    QVERIFY(::getrlimit(RLIMIT_STACK, &stack) == 0);
    stack.rlim_cur = qMin<rlim_t>(stack.rlim_max, 64 << 20);
    QVERIFY(::setrlimit(RLIMIT_STACK, &stack) == 0);
    WorkDir dir;
    QByteArray base;
    for (int i = 0; i < ListSize; ++i)
        base += (i ? "\n" : "") + QByteArray("task ") + QByteArray::number(i);
    QStringList arguments{QStringLiteral("add"), QStringLiteral("backlog")};
    QByteArray added = base;
    for (int i = 0; i < Texts; ++i) {
        const QString text = QString(TextSize, QLatin1Char('a' + i % 26)) + QString::number(i);
        arguments.append(text);
        added += '\n' + text.toUtf8();
    }
    const auto add = [&arguments](QProcess &corvane) {
        corvane.start(QStringLiteral(CORVANE), arguments);
        return corvane.waitForStarted(60000);
    };

    // How long a whole add and its append take here, in this build: half
    // the kills are spread over the whole add, half over its append once
    // its note is there.
    const QString note = QStringLiteral(".product_backlog.append");
    const auto waitForNote = [&note](QProcess &corvane, QElapsedTimer *since) {
        while (!QFile::exists(note) && !corvane.waitForFinished(0) && since->elapsed() < 60000)
            QThread::usleep(20);
    };
    QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), base));
    QElapsedTimer timer;
    timer.start();
    qint64 appendUs = 0;
    {
        QProcess corvane;
        QVERIFY(add(corvane));
        waitForNote(corvane, &timer);
        const qint64 noted = timer.nsecsElapsed();
        while (QFile::exists(note) && timer.elapsed() < 60000)
            QThread::usleep(20);
        appendUs = qMax<qint64>(1, (timer.nsecsElapsed() - noted) / 1000);
        QVERIFY(corvane.waitForFinished(60000));
        QVERIFY2(corvane.exitCode() == 0, corvane.readAllStandardError().constData());
    }
    const qint64 spreadUs = timer.nsecsElapsed() / 1000;
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), added);

    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    int midAppend = 0;
    int leftCut = 0;
    int whole = 0;
    for (int kill = 0; kill < AppendKills; ++kill) {
        QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), base));
        QProcess corvane;
        QElapsedTimer since;
        since.start();
        QVERIFY(add(corvane));
        const qint64 pid = corvane.processId();
        QVERIFY(pid > 0);
        if (kill % 2) {
            waitForNote(corvane, &since);
            QThread::usleep(unsigned(random.bounded(quint32(appendUs))));
        } else {
            QThread::usleep(unsigned(random.bounded(quint32(spreadUs))));
        }
        if (QFile::exists(note))
            ++midAppend;
        // Only while it runs: once it has ended and been waited for, its
        // number may be another process's.
        if (corvane.state() != QProcess::NotRunning)
            ::kill(pid_t(pid), SIGKILL);
        corvane.waitForFinished(60000);
        const int size = WorkDir::read(QStringLiteral("product_backlog")).size();
        leftCut += size > base.size() && size < added.size();

        // The next command that reads the list finishes what the kill left.
        QProcess list;
        list.start(QStringLiteral(CORVANE), {QStringLiteral("list")});
        QVERIFY(list.waitForFinished(60000));
        const QByteArray bytes = WorkDir::read(QStringLiteral("product_backlog"));
        QVERIFY2(bytes == base || bytes == added,
                 qPrintable(QStringLiteral("kill %1 (seed %2) left %3 bytes, between %4 and %5")
                                .arg(kill).arg(seed).arg(bytes.size()).arg(base.size()).arg(added.size())));
        whole += bytes == added;
        QVERIFY2(!QFile::exists(note), qPrintable(QString::number(kill)));
    }
    qInfo("killed appends: %d kills of an add of %d tasks (%d KiB) to %d tasks (seed %u), spread over the"
          " %lld us of an add or the %lld us of its append; %d landed while the append was noted, %d left part of"
          " the tasks, cut back by the next command; %d left all of them, the rest none",
          AppendKills, Texts, Texts * TextSize / 1024, ListSize, seed, spreadUs, appendUs, midAppend, leftCut, whole);
    QVERIFY2(midAppend > 0, "no kill landed inside an append");
}

QTEST_GUILESS_MAIN(TestKillMidWrite)
#include "tst_killmidwrite.moc"
