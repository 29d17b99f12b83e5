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
    const QStringList pieces{"", "a", "ab", "b", QString::fromUtf8("\xc3\xa9"), QString(QChar(0)), "\r", " "};
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
            const QString probe = text(2);
            const int from = random.bounded(tasks.size() + 2);
            QCOMPARE(list.at(from), from < tasks.size() ? tasks.at(from).toUtf8() : QByteArray());
            QVERIFY2(list.indexOf(probe.toUtf8(), from) == tasks.indexOf(probe, from),
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
