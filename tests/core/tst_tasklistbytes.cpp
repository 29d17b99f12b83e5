// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "donemark.h"
#include "tasklistbytes.h"
#include "tasklistcodec.h"

#include <QRandomGenerator>
#include <QtTest>

class TestTaskListBytes : public QObject
{
    Q_OBJECT

private slots:
    void exactness_data();
    void exactness();
    void doneMarks_data();
    void doneMarks();
    void randomEditsMatchTheCodec();
};

void TestTaskListBytes::exactness_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("exact");

    QTest::newRow("empty") << QByteArray() << true;
    QTest::newRow("ascii") << QByteArray("a\n\nb") << true;
    QTest::newRow("final line feed") << QByteArray("a\nb\n") << false;
    QTest::newRow("lone line feed") << QByteArray("\n") << false;
    QTest::newRow("crlf") << QByteArray("a\r\nb") << false;
    QTest::newRow("cr at the end") << QByteArray("a\nb\r") << false;
    QTest::newRow("cr inside a task") << QByteArray("a\rb\nc") << true;
    QTest::newRow("nul") << QByteArray("a\0b\nc", 5) << true;
    QTest::newRow("utf-8") << QByteArray("caf\xc3\xa9\n\xf0\x9f\x98\x80") << true;
    QTest::newRow("byte-order mark") << QByteArray("\xef\xbb\xbf" "a") << false;
    QTest::newRow("byte-order mark inside") << QByteArray("a\n\xef\xbb\xbf" "b") << true;
    QTest::newRow("utf-16") << QByteArray("\xff\xfe" "a\0", 4) << false;
    QTest::newRow("latin-1") << QByteArray("caf\xe9") << false;
    QTest::newRow("cut sequence") << QByteArray("a\xc3\nb") << false;
    QTest::newRow("overlong") << QByteArray("\xc0\xaf") << false;
    QTest::newRow("surrogate") << QByteArray("\xed\xa0\x80") << false;
    QTest::newRow("past U+10FFFF") << QByteArray("\xf4\x90\x80\x80") << false;
    QTest::newRow("bad byte after a good line") << QByteArray("\xc3\xa9\nok\n\xff") << false;
}

void TestTaskListBytes::exactness()
{
    QFETCH(QByteArray, bytes);
    QFETCH(bool, exact);
    QCOMPARE(TaskListBytes::isExact(bytes), exact);
}

void TestTaskListBytes::doneMarks_data()
{
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("day");  // empty for an open task
    QTest::addColumn<QString>("text");

    QTest::newRow("open") << "Write the guide" << "" << "Write the guide";
    QTest::newRow("done") << "x 2026-12-08 Write the guide" << "2026-12-08" << "Write the guide";
    QTest::newRow("done, empty text") << "x 2026-12-08 " << "2026-12-08" << "";
    QTest::newRow("leap day") << "x 2024-02-29 a" << "2024-02-29" << "a";
    QTest::newRow("only the first mark") << "x 2026-12-08 x 2026-12-01 a" << "2026-12-08" << "x 2026-12-01 a";
    QTest::newRow("no space after x") << "x2026-12-08 a" << "" << "x2026-12-08 a";
    QTest::newRow("capital X") << "X 2026-12-08 a" << "" << "X 2026-12-08 a";
    QTest::newRow("no such month") << "x 2026-13-45 a" << "" << "x 2026-13-45 a";
    QTest::newRow("no such day") << "x 2025-02-29 a" << "" << "x 2025-02-29 a";
    QTest::newRow("short month") << "x 2026-1-08 a" << "" << "x 2026-1-08 a";
    QTest::newRow("no space after the date") << "x 2026-12-08" << "" << "x 2026-12-08";
    QTest::newRow("indented") << " x 2026-12-08 a" << "" << " x 2026-12-08 a";
    QTest::newRow("slashes") << "x 2026/12/08 a" << "" << "x 2026/12/08 a";
}

void TestTaskListBytes::doneMarks()
{
    QFETCH(QString, line);
    QFETCH(QString, day);
    QFETCH(QString, text);
    QCOMPARE(DoneMark::date(line).toString(Qt::ISODate), day);
    QCOMPARE(DoneMark::textOf(line), text);
    const QByteArray bytes = line.toUtf8();
    QCOMPARE(DoneMark::length(bytes.constData(), bytes.size()), DoneMark::length(line));
    // Found in the bytes by its text, with or without the mark, and only
    // there: not by the text with a mark of another day.
    const TaskListBytes list("z\n" + bytes + "\nz");
    QCOMPARE(list.indexOf(text.toUtf8()), 1);
    QCOMPARE(list.indexOf(DoneMark::marked(text, QDate(2026, 1, 1)).toUtf8()), -1);
    // Marked and reopened, it reads as it did, but for a mark of its own.
    QCOMPARE(DoneMark::marked(DoneMark::marked(line, QDate(2026, 1, 1)), QDate()), text);
}

// Random lists from a few short texts, so that tasks repeat, are prefixes of
// one another and are empty; each changed both in place and as decoded
// tasks that are then encoded, as a store writes them.
void TestTaskListBytes::randomEditsMatchTheCodec()
{
    // SEED repeats a run.
    const quint32 seed = qEnvironmentVariableIsSet("SEED") ? quint32(qEnvironmentVariableIntValue("SEED"))
                                                           : QRandomGenerator::global()->generate();
    qInfo("seed %u", seed);
    QRandomGenerator random(seed);
    // Done marks and near misses of them too, which must be found as the
    // task after a mark, or as they read.
    const QStringList pieces{"", "a", "ab", "b", QString::fromUtf8("\xc3\xa9"), QString(QChar(0)), "\r", " ",
                             "x 2026-12-08 ", "x 2026-13-45 ", "X 2026-12-08 "};
    const auto taskIndex = [](const QStringList &tasks, const QString &text, int from) {
        for (int row = from; row < tasks.size(); ++row) {
            if (DoneMark::textOf(tasks.at(row)) == text)
                return row;
        }
        return -1;
    };
    const auto text = [&](int maxParts) {
        QString result;
        const int parts = random.bounded(maxParts + 1);
        for (int i = 0; i < parts; ++i)
            result += pieces.at(random.bounded(pieces.size()));
        return result;
    };

    for (int round = 0; round < 300; ++round) {
        QStringList tasks;
        const int size = random.bounded(8);
        for (int i = 0; i < size; ++i)
            tasks.append(text(3));
        QByteArray bytes = TaskListCodec::encode(tasks);
        const TaskListCodec::Decoded decoded = TaskListCodec::decode(bytes);
        QCOMPARE(TaskListBytes::isExact(bytes), decoded.exact);
        if (!decoded.exact)
            continue;
        tasks = decoded.tasks;
        TaskListBytes list(bytes);

        for (int step = 0; step < 6; ++step) {
            const QString probe = DoneMark::textOf(text(2));
            const int from = random.bounded(tasks.size() + 2);
            QCOMPARE(list.at(from), from < tasks.size() ? tasks.at(from).toUtf8() : QByteArray());
            QVERIFY2(list.indexOf(probe.toUtf8(), from) == taskIndex(tasks, probe, from),
                     qPrintable(QStringLiteral("%1 from %2 in %3").arg(probe.toUtf8().toPercentEncoding(), QString::number(from), list.bytes().toPercentEncoding())));
            const int row = random.bounded(qMax(1, tasks.size()));
            const QString added = text(3);
            switch (tasks.isEmpty() ? 0 : random.bounded(5)) {
            case 0:
                list.append(added.toUtf8());
                tasks.append(added);
                break;
            case 1: {
                const QString second = text(2);
                list.replace(row, (added + '\n' + second).toUtf8());
                tasks[row] = added;
                tasks.insert(row + 1, second);
                break;
            }
            case 2:
                list.remove(row);
                tasks.removeAt(row);
                break;
            case 3:
                list.insert(row, added.toUtf8());
                tasks.insert(row, added);
                break;
            default: {
                const int to = random.bounded(tasks.size());
                list.move(row, to);
                tasks.move(row, to);
                break;
            }
            }
            // Written, the empty tasks at the end go, as encoding drops them.
            list.normalise();
            bytes = TaskListCodec::encode(tasks);
            QVERIFY2(list.bytes() == bytes, qPrintable(QStringLiteral("round %1, step %2").arg(round).arg(step)));
            // What loading the written file gives, as the store keeps it;
            // a task that ends in a carriage return makes a file that only
            // the store reads.
            const TaskListCodec::Decoded written = TaskListCodec::decode(bytes);
            QCOMPARE(TaskListBytes::isExact(bytes), written.exact);
            if (!written.exact)
                break;
            tasks = written.tasks;
            QCOMPARE(list.count(), tasks.size());
        }
    }
}

QTEST_GUILESS_MAIN(TestTaskListBytes)
#include "tst_tasklistbytes.moc"
