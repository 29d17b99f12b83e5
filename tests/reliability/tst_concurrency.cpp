// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "productbacklog.h"
#include "sprint.h"
#include "workdir.h"
#include "workload.h"

#include <QProcess>
#include <QtTest>

#include <memory>
#include <vector>

// Several processes change the same backlog and sprints at once. Each works
// on tasks of its own, so whatever order their changes land in, the tasks
// of each process must end up exactly as its own operations leave them, in
// its own order, and nothing else may be in the files.
class TestConcurrency : public QObject
{
    Q_OBJECT

private slots:
    void processesLoseNoOperation_data();
    void processesLoseNoOperation();
    void opposingMovesLoseNoTask_data();
    void opposingMovesLoseNoTask();
};

void TestConcurrency::processesLoseNoOperation_data()
{
    QTest::addColumn<int>("processes");
    QTest::addColumn<int>("operations");  // per process

    QTest::newRow("two processes") << 2 << 1500;
    QTest::newRow("four processes") << 4 << 1000;
}

void TestConcurrency::processesLoseNoOperation()
{
    QFETCH(int, processes);
    QFETCH(int, operations);

    WorkDir dir;
    // Tasks of nobody's, present from the start, must survive untouched.
    QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), "shared 1\nshared 2"));
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), "shared 3"));

    QElapsedTimer clock;
    clock.start();
    std::vector<std::unique_ptr<QProcess>> drivers;
    for (int id = 0; id < processes; ++id) {
        drivers.push_back(std::make_unique<QProcess>());
        drivers.back()->start(QStringLiteral(STORE_DRIVER), {"workload", QString::number(id), QString::number(operations)});
    }
    for (const auto &driver : drivers) {
        QVERIFY(driver->waitForFinished(300000));
        QVERIFY2(driver->exitStatus() == QProcess::NormalExit && driver->exitCode() == 0,
                 driver->readAllStandardError().constData());
    }
    const qint64 elapsed = clock.elapsed();

    QStringList backlog = productbacklog().getItems();
    QStringList sprint1 = Sprint(1).getTasks();
    QStringList sprint2 = Sprint(2).getTasks();
    QCOMPARE(backlog.mid(0, 2), (QStringList{"shared 1", "shared 2"}));
    QCOMPARE(sprint1.value(0), QStringLiteral("shared 3"));
    int expectedTasks = 3;
    int moves = 0;
    for (int id = 0; id < processes; ++id) {
        Workload work = Workload::make(id, operations);
        const QRegularExpression own(QLatin1Char('^') + QRegularExpression::escape(Workload::prefix(id)));
        QCOMPARE(backlog.filter(own), work.backlog);
        QCOMPARE(sprint1.filter(own), work.sprint1);
        QCOMPARE(sprint2.filter(own), work.sprint2);
        expectedTasks += work.backlog.size() + work.sprint1.size() + work.sprint2.size();
        moves += int(std::count_if(work.ops.cbegin(), work.ops.cend(),
                                   [](const WorkloadOp &op) { return op.kind == WorkloadOp::MoveTask; }));
    }
    // Nothing else: no task twice, no task from a half-done move.
    QCOMPARE(backlog.size() + sprint1.size() + sprint2.size(), expectedTasks);

    qInfo("concurrency: %d processes made %d operations (%d moves) on one backlog and two sprints in %lld ms;"
          " all %d resulting tasks are where their process put them, nothing lost or doubled",
          processes, processes * operations, moves, elapsed, expectedTasks);
}

void TestConcurrency::opposingMovesLoseNoTask_data()
{
    QTest::addColumn<int>("moves");  // per process
    for (int run = 1; run <= 5; ++run)
        QTest::addRow("run %d", run) << 400;
}

// Two processes move tasks in opposite directions between the same two
// sprints: each task ends up in exactly one of them.
void TestConcurrency::opposingMovesLoseNoTask()
{
    QFETCH(int, moves);

    WorkDir dir;
    QStringList all;
    for (const char *prefix : {"a", "b"}) {
        QStringList tasks;
        for (int i = 0; i < 50; ++i)
            tasks << QLatin1String(prefix) + QString::number(i);
        QVERIFY(WorkDir::write(Sprint::fileName(*prefix == 'a' ? 1 : 2), tasks.join(QLatin1Char('\n')).toUtf8()));
        all += tasks;
    }

    QProcess forth;
    QProcess back;
    forth.start(QStringLiteral(STORE_DRIVER), {"shuttle", "1", "2", QString::number(moves)});
    back.start(QStringLiteral(STORE_DRIVER), {"shuttle", "2", "1", QString::number(moves)});
    for (QProcess *driver : {&forth, &back}) {
        QVERIFY(driver->waitForFinished(300000));
        QVERIFY2(driver->exitStatus() == QProcess::NormalExit && driver->exitCode() == 0,
                 driver->readAllStandardError().constData());
    }

    QStringList found = Sprint(1).getTasks() + Sprint(2).getTasks();
    found.sort();
    all.sort();
    QCOMPARE(found, all);
    qInfo("opposing moves: two processes each moved the first task of one sprint to the other %d times;"
          " all 100 tasks are in one sprint each, none lost or doubled", moves);
}

QTEST_GUILESS_MAIN(TestConcurrency)
#include "tst_concurrency.moc"
