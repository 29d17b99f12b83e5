// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tasklist.h"
#include "heapreservation.h"
#include "listedits.h"
#include "tasklistfile.h"
#include "workdir.h"

#include "deletedtasks.h"
#include "tasklistcodec.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>
#include <unistd.h>

#if defined(__GLIBC__) && !defined(__SANITIZE_ADDRESS__)
#define ALLOCATOR_OBSERVABLE 1
#include <malloc.h>
#endif

class TestTaskListFile : public QObject
{
    Q_OBJECT

private slots:
    // First, so that it finds the allocator as no load has left it.
    void loadsLeaveTheAllocatorAsTheyFoundIt();
    void noStrayFilesAfterManyWrites();
    void refreshReadsOnlyAChangedFile();
    void fullDiskKeepsTheOldContent_data();
    void fullDiskKeepsTheOldContent();
    void longListChangesWriteWhatTheListHolds();
    void everyRoadChangesAlike();
};

namespace {

// What glibc does with a block of 16 MiB, one of 40 MiB, and a free top of
// 100 MiB: what its settings decide, which it gives no way to read.
QString allocatorBehaviour()
{
#ifdef ALLOCATOR_OBSERVABLE
    const auto mapped = [](size_t size) {
        const size_t before = mallinfo2().hblks;
        void *volatile block = malloc(size);
        const bool wasMapped = mallinfo2().hblks > before;
        free(block);
        return wasMapped ? "mapped" : "heap";
    };
    // On the stack: a block of the heap above them would keep them from
    // the top.
    void *blocks[100];
    for (void *&block : blocks)
        block = malloc(1 << 20);
    const size_t heap = mallinfo2().arena;
    for (int i = 99; i >= 0; --i)
        free(blocks[i]);
    const bool kept = mallinfo2().arena > heap - (size_t(32) << 20);
    return QStringLiteral("16 MiB: %1, 40 MiB: %2, freed top: %3")
        .arg(mapped(size_t(16) << 20), mapped(size_t(40) << 20), kept ? "kept" : "given back");
#else
    return QString();
#endif
}

} // namespace

void TestTaskListFile::noStrayFilesAfterManyWrites()
{
    WorkDir dir;
    // Temporaries of writers killed mid-write go with this process's first
    // change of the list; what only looks like one stays: a user's file,
    // another list's temporary.
    const QStringList stale{".sprint3.AbCd09.tmp", ".sprint3.zzzzzz.tmp"};
    const QStringList kept{".sprint3.backup", ".sprint3.AbCdE.tmp", ".sprint3.AbCd09.tmp~",
                           ".sprint30.AbCd09.tmp", "sprint3.AbCd09.tmp"};
    for (const QString &name : stale + kept)
        QVERIFY(WorkDir::write(name, "x"));
    TaskListFile file(QStringLiteral("sprint3"));
    QStringList tasks;
    QVERIFY(file.load(tasks));
    for (int i = 0; i < 200; ++i) {
        QVERIFY(file.change(tasks, ListEdits::insert(ListEdits::End, {QString::number(i)})));
        if (i % 3 == 0)
            QVERIFY(file.change(tasks, ListEdits::removeFirst(QString::number(i / 2))));
    }
    // No temporary file is left behind, hidden or not; only the empty lock file stays.
    QStringList expected = kept + QStringList{".sprint3.lock", "sprint3"};
    expected.sort();
    QCOMPARE(QDir().entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name),
             expected);
}

void TestTaskListFile::refreshReadsOnlyAChangedFile()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), "a"));
    TaskListFile file(QStringLiteral("product_backlog"));
    QStringList tasks;
    QVERIFY(file.load(tasks));
    QVERIFY(!file.refresh(tasks));

    // Replaced by another program through a rename, as editors save; the
    // same size, so only the file's identity tells.
    QVERIFY(WorkDir::write(QStringLiteral("replacement"), "b"));
    QVERIFY(std::rename("replacement", "product_backlog") == 0);
    QVERIFY(file.refresh(tasks));
    QCOMPARE(tasks, QStringList{"b"});
    QVERIFY(file.errorString().isEmpty());
    QVERIFY(!file.refresh(tasks));

    QVERIFY(QFile::remove(QStringLiteral("product_backlog")));
    QVERIFY(file.refresh(tasks));
    QVERIFY(tasks.isEmpty());
    QVERIFY2(file.errorString().contains(QLatin1String("removed")), qPrintable(file.errorString()));
}

void TestTaskListFile::fullDiskKeepsTheOldContent_data()
{
    QTest::addColumn<int>("taskSize");
    // Under 16 KiB a buffered write fails only when the file is closed.
    QTest::newRow("small task") << 10;
    QTest::newRow("large task") << 20 * 1024;
}

void TestTaskListFile::fullDiskKeepsTheOldContent()
{
    QFETCH(int, taskSize);

    WorkDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("disk")));
    const auto run = [](const QString &program, const QStringList &arguments) {
        QProcess process;
        process.start(program, arguments);
        return process.waitForFinished() && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    };
    if (::geteuid() != 0 || !run(QStringLiteral("mount"), {"-t", "tmpfs", "-o", "size=64k", "tmpfs", "disk"}))
        QSKIP("needs root to mount a small file system");
    QDir::setCurrent(QStringLiteral("disk"));
    auto unmount = qScopeGuard([&] {
        QDir::setCurrent(dir.path());
        run(QStringLiteral("umount"), {"disk"});
    });

    TaskListFile file(QStringLiteral("product_backlog"));
    QStringList tasks;
    QVERIFY(file.load(tasks));
    QVERIFY(file.change(tasks, ListEdits::insert(ListEdits::End, {QStringLiteral("kept")})));

    // Fill every free block.
    QFile filler(QStringLiteral("filler"));
    QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
    const QByteArray block(4096, 'x');
    while (filler.write(block) == block.size()) {
    }
    filler.close();

    QVERIFY(!file.change(tasks, ListEdits::insert(ListEdits::End, {QString(taskSize, QLatin1Char('n'))})));
    QVERIFY2(file.errorString().contains(QLatin1String("product_backlog"))
                 && file.errorString().contains(QLatin1String("No space left on device")),
             qPrintable(file.errorString()));
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), QByteArray("kept"));
    QCOMPARE(tasks, QStringList{"kept"});
    QCOMPARE(QDir().entryList(QDir::Files | QDir::Hidden), (QStringList{".product_backlog.lock", "filler", "product_backlog"}));

    QVERIFY(QFile::remove(QStringLiteral("filler")));
    QVERIFY2(file.change(tasks, ListEdits::insert(ListEdits::End, {QStringLiteral("next")})), qPrintable(file.errorString()));
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), QByteArray("kept\nnext"));
}

// A list of several megabytes, loaded and changed at its start, inside and
// at its end: every change is spliced into the bytes last written, and the
// file must hold exactly what the list does, as another store reads it.
void TestTaskListFile::longListChangesWriteWhatTheListHolds()
{
    WorkDir dir;
    QStringList model;
    for (int i = 0; i < 100000; ++i)
        model.append(QStringLiteral("Task %1: review the sprint board, %2").arg(i).arg(i % 7 ? "" : "\u00e9t\u00e9"));
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), model.join(QLatin1Char('\n')).toUtf8()));
    TaskListFile file(QStringLiteral("sprint1"));
    QStringList tasks;
    QVERIFY(file.load(tasks));
    QCOMPARE(tasks, model);

    const QString task = QStringLiteral("moved \u00e9");
    const QVector<std::function<void(QStringList &)>> edits{
        [&](QStringList &list) { list.insert(50000, task); },
        [&](QStringList &list) { list.removeFirst(); },
        [&](QStringList &list) { list.last() = QStringLiteral("last, edited"); },
        [&](QStringList &list) { list.append({QStringLiteral("x"), QStringLiteral("y")}); },
        [&](QStringList &list) { list.move(list.indexOf(task), 3); },
        [&](QStringList &list) { list.erase(list.begin() + 70000, list.end()); },
        [&](QStringList &list) { list.removeAt(list.size() / 3); },
    };
    for (int i = 0; i < edits.size(); ++i) {
        edits.at(i)(model);
        QVERIFY2(file.change(tasks, [&](TaskList &edited) {
            QStringList &list = edited.strings();
            edits.at(i)(list);
            return TaskListFile::Outcome::Changed;
        }), qPrintable(file.errorString()));
        QCOMPARE(tasks, model);
        QVERIFY2(WorkDir::read(QStringLiteral("sprint1")) == model.join(QLatin1Char('\n')).toUtf8(),
                 qPrintable(QStringLiteral("edit %1").arg(i)));
    }
}

// Loading reserves heap for the tasks, in the file's read and again in its
// decoding: only the outer one may act, and neither may leave the allocator
// keeping memory or mapping blocks otherwise than it did before.
void TestTaskListFile::loadsLeaveTheAllocatorAsTheyFoundIt()
{
#ifdef ALLOCATOR_OBSERVABLE
    // Freeing a large block moves glibc's own thresholds to where they
    // stay, as it does in any program that frees one.
    void *volatile large = malloc((size_t(32) << 20) - 8192);
    free(large);
#endif
    const QString found = allocatorBehaviour();
    {
        const HeapReservation outer(64 << 20);
        const HeapReservation inner(64 << 20);
        QVERIFY(outer.isOutermost());
        QVERIFY(!inner.isOutermost());
    }
    QVERIFY(HeapReservation(64 << 20).isOutermost());
    QCOMPARE(allocatorBehaviour(), found);

    WorkDir dir;
    QStringList model;
    for (int i = 0; i < 200000; ++i)
        model.append(QStringLiteral("Task %1: review the sprint board").arg(i));
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), model.join(QLatin1Char('\n')).toUtf8()));
    model.clear();
    TaskListFile file(QStringLiteral("sprint1"));
    QStringList tasks;
    QVERIFY(file.load(tasks));
    QCOMPARE(tasks.size(), 200000);
    QCOMPARE(allocatorBehaviour(), found);
}

// Random changes of random lists made twice, by a store that keeps its list
// (a window's) and by one that keeps nothing (a command's, which changes
// exact files in their bytes): both must answer alike, leave the same
// bytes and keep the same texts in the history.
void TestTaskListFile::everyRoadChangesAlike()
{
    // SEED repeats a run.
    const quint32 seed = qEnvironmentVariableIsSet("SEED") ? quint32(qEnvironmentVariableIntValue("SEED"))
                                                           : QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    // Done marks too, and what only looks like one: a task is the same
    // task done or open on every road.
    const QStringList pieces{"", "a", "ab", "b", QString::fromUtf8("\xc3\xa9"), "\r", " ", "\n", "x 2026-12-08 ",
                             "x 2026-13-45 "};
    const auto text = [&] {
        QString result;
        for (int i = random.bounded(3); i >= 0; --i)
            result += pieces.at(random.bounded(pieces.size()));
        return result;
    };
    WorkDir dir;
    QVERIFY(QDir().mkpath("kept") && QDir().mkpath("bytes"));
    for (int round = 0; round < 150; ++round) {
        QStringList start;
        for (int i = random.bounded(6); i > 0; --i)
            start.append(text());
        // Mostly as the program writes lists, sometimes as others do.
        QByteArray bytes = TaskListCodec::encode(start);
        if (random.bounded(4) == 0)
            bytes.replace("\n", "\r\n").append("\n");
        QVERIFY(WorkDir::write("kept/sprint1", bytes) && WorkDir::write("bytes/sprint1", bytes));
        QFile::remove(DeletedTasks::defaultFileName());
        TaskListFile kept("kept/sprint1");
        TaskListFile once("bytes/sprint1", TaskListFile::Keeping::Nothing);
        QStringList tasks;
        kept.load(tasks);
        QStringList none;
        for (int step = 0; step < 5; ++step) {
            const auto ref = [&] {
                const int row = random.bounded(tasks.size() + 1);
                return TaskRef{row, random.bounded(4) ? tasks.value(row) : text()};
            };
            QVector<int> rows[2];
            std::function<ListEdits::Edit(int)> edit;
            switch (random.bounded(6)) {
            case 0: {
                const QStringList texts{text(), text()};
                const int at = random.bounded(2) ? ListEdits::End : random.bounded(tasks.size() + 1);
                edit = [=, &rows](int road) { return ListEdits::insert(at, texts, &rows[road]); };
                break;
            }
            case 1: {
                const QVector<TaskRef> refs{ref(), ref()};
                edit = [=](int) { return ListEdits::remove(refs); };
                break;
            }
            case 2: {
                const TaskRef task = ref();
                const QStringList lines{text(), text()};
                edit = [=](int) { return ListEdits::replace(task, lines); };
                break;
            }
            case 3: {
                const TaskRef task = ref();
                const int to = random.bounded(tasks.size() + 1);
                edit = [=](int) { return ListEdits::move(task, to); };
                break;
            }
            case 4: {
                const QVector<TaskRef> refs{ref(), ref()};
                const QVector<QDate> days{random.bounded(2) ? QDate(2026, 12, 8) : QDate(), QDate(2026, 12, 1)};
                edit = [=](int) { return ListEdits::mark(refs, days); };
                break;
            }
            default: {
                const QVector<TaskRef> refs{ref(), ref()};
                const TaskRef anchor = ref();
                edit = [=](int) { return ListEdits::gather(refs, anchor); };
                break;
            }
            }
            const TaskListFile::Rules rules = random.bounded(2) ? TaskListFile::KeepsDeleted : TaskListFile::NoRule;
            const bool keptDone = kept.change(tasks, edit(0), rules | TaskListFile::MayCreate);
            const bool onceDone = once.change(none, edit(1), rules | TaskListFile::MayCreate);
            const QString context = QStringLiteral("seed %1, round %2, step %3").arg(seed).arg(round).arg(step);
            QVERIFY2(keptDone == onceDone && kept.result().status == once.result().status, qPrintable(context));
            QVERIFY2(rows[0] == rows[1], qPrintable(context));
            const QByteArray written = WorkDir::read("kept/sprint1");
            QVERIFY2(written == WorkDir::read("bytes/sprint1"), qPrintable(context));
            QVERIFY2(tasks == TaskListCodec::decode(written).tasks, qPrintable(context));
        }
        QStringList history[2];
        for (const DeletedTasks::Entry &entry : DeletedTasks().entries())
            history[entry.list.startsWith(QLatin1String("bytes"))].append(entry.text);
        QVERIFY2(history[0] == history[1], qPrintable(QStringLiteral("seed %1, round %2").arg(seed).arg(round)));
    }
}

QTEST_GUILESS_MAIN(TestTaskListFile)
#include "tst_tasklistfile.moc"
