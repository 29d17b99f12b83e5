#include "tasklistcodec.h"

#include <QRandomGenerator>
#include <QTextCodec>
#include <QtTest>

class TestTaskListCodec : public QObject
{
    Q_OBJECT

private slots:
    void decode_data();
    void decode();
    void decodeUtf8UnderLatin1Locale();
    void invalidTextIsFlagged_data();
    void invalidTextIsFlagged();
    void encode_data();
    void encode();
    void loadsBackTellsTheTruth_data();
    void loadsBackTellsTheTruth();
    void loadsBackOnGeneratedLists();
};

void TestTaskListCodec::decode_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("tasks");

    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("single line feed") << QByteArray("\n") << QStringList{QString()};
    QTest::newRow("two lines") << QByteArray("a\nb") << QStringList{"a", "b"};
    QTest::newRow("final line feed") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("empty line") << QByteArray("a\n\nb") << QStringList{"a", "", "b"};
    QTest::newRow("crlf") << QByteArray("a\r\nb\r\n") << QStringList{"a", "b"};
    QTest::newRow("one cr goes") << QByteArray("a\r\r\n") << QStringList{"a\r"};
    QTest::newRow("cr as last byte") << QByteArray("a\nb\r") << QStringList{"a", "b"};
    QTest::newRow("cr inside") << QByteArray("a\rb") << QStringList{"a\rb"};
    QTest::newRow("nul is a character") << QByteArray("a\0b\nc", 5) << QStringList{QString::fromUtf8("a\0b", 3), "c"};
    QTest::newRow("utf-8") << QByteArray("\xc3\xa9") << QStringList{QString::fromUtf8("\xc3\xa9")};
    QTest::newRow("utf-8 bom") << QByteArray("\xef\xbb\xbf" "a\nb") << QStringList{"a", "b"};
    QTest::newRow("utf-16le bom") << QByteArray("\xff\xfe" "a\0\n\0b\0", 8) << QStringList{"a", "b"};
    QTest::newRow("utf-16be bom") << QByteArray("\xfe\xff\0a\0\n\0b", 8) << QStringList{"a", "b"};
    QTest::newRow("utf-32le bom") << QByteArray("\xff\xfe\0\0" "a\0\0\0\n\0\0\0", 12) << QStringList{"a"};
    QTest::newRow("bom only") << QByteArray("\xef\xbb\xbf") << QStringList();
}

void TestTaskListCodec::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, tasks);

    const TaskListCodec::Decoded decoded = TaskListCodec::decode(bytes);
    QCOMPARE(decoded.tasks, tasks);
    QVERIFY(decoded.valid);
}

void TestTaskListCodec::decodeUtf8UnderLatin1Locale()
{
    QTextCodec *saved = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    const TaskListCodec::Decoded decoded = TaskListCodec::decode("caf\xc3\xa9");
    QTextCodec::setCodecForLocale(saved);

    QCOMPARE(decoded.tasks, QStringList{QString::fromUtf8("caf\xc3\xa9")});
    QVERIFY(decoded.valid);
}

void TestTaskListCodec::invalidTextIsFlagged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("stray continuation byte") << QByteArray("a\n\x80");
    QTest::newRow("latin-1 e acute") << QByteArray("caf\xe9");
    QTest::newRow("cut sequence at the end") << QByteArray("a\xc3");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf");
}

void TestTaskListCodec::invalidTextIsFlagged()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!TaskListCodec::decode(bytes).valid);
}

void TestTaskListCodec::encode_data()
{
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("two tasks") << QStringList{"a", "b"} << QByteArray("a\nb");
    QTest::newRow("empty list") << QStringList() << QByteArray();
    QTest::newRow("one empty task") << QStringList{QString()} << QByteArray();
    QTest::newRow("empty last task") << QStringList{"a", ""} << QByteArray("a\n");
    QTest::newRow("utf-8, no bom") << QStringList{QString::fromUtf8("\xc3\xa9")} << QByteArray("\xc3\xa9");
    QTest::newRow("nul kept") << QStringList{QString::fromUtf8("a\0b", 3), "c"} << QByteArray("a\0b\nc", 5);
}

void TestTaskListCodec::encode()
{
    QFETCH(QStringList, tasks);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TaskListCodec::encode(tasks), bytes);
}

void TestTaskListCodec::loadsBackTellsTheTruth_data()
{
    QTest::addColumn<QStringList>("tasks");

    QTest::newRow("plain") << QStringList{"a", "b"};
    QTest::newRow("empty list") << QStringList();
    QTest::newRow("empty task inside") << QStringList{"a", "", "b"};
    QTest::newRow("empty last task") << QStringList{"a", ""};
    QTest::newRow("one empty task") << QStringList{QString()};
    QTest::newRow("line feed in a task") << QStringList{"x\ny", "z"};
    QTest::newRow("crlf in a task") << QStringList{"x\r\ny"};
    QTest::newRow("carriage return at the end") << QStringList{"a\r", "b"};
    QTest::newRow("bom opens the list") << QStringList{QString(QChar(QChar::ByteOrderMark)) + "a"};
    QTest::newRow("bom in a later task") << QStringList{"a", QString(QChar(QChar::ByteOrderMark)) + "b"};
    QTest::newRow("lone high surrogate") << QStringList{QString(QChar(0xd800)) + "a"};
    QTest::newRow("lone surrogate at the end") << QStringList{QString("a") + QChar(0xd800)};
    QTest::newRow("surrogate pair") << QStringList{QString::fromUtf8("\xf0\x9f\x98\x80")};
}

void TestTaskListCodec::loadsBackTellsTheTruth()
{
    QFETCH(QStringList, tasks);

    bool loadsBack = false;
    const QByteArray bytes = TaskListCodec::encode(tasks, &loadsBack);
    const QStringList loaded = TaskListCodec::decode(bytes).tasks;
    QVERIFY2(loadsBack == (loaded == tasks),
             qPrintable(QStringLiteral("loadsBack says %1, loaded %2 tasks of %3")
                            .arg(loadsBack).arg(loaded.size()).arg(tasks.size())));
}

void TestTaskListCodec::loadsBackOnGeneratedLists()
{
    // Lists built from the characters that the format treats specially.
    const QVector<QChar> alphabet{QLatin1Char('a'), QLatin1Char('\n'), QLatin1Char('\r'),
                                  QChar(0), QChar(0xe9), QChar(QChar::ByteOrderMark), QChar(0xd800)};
    QRandomGenerator random(2917);
    int sameCount = 0;
    for (int round = 0; round < 5000; ++round) {
        QStringList tasks;
        const int count = random.bounded(4);
        for (int t = 0; t < count; ++t) {
            QString task;
            const int length = random.bounded(4);
            for (int c = 0; c < length; ++c)
                task += alphabet.at(random.bounded(alphabet.size()));
            tasks.append(task);
        }
        bool loadsBack = false;
        const QByteArray bytes = TaskListCodec::encode(tasks, &loadsBack);
        const QStringList loaded = TaskListCodec::decode(bytes).tasks;
        QVERIFY2(loadsBack == (loaded == tasks), qPrintable(QStringLiteral("round %1").arg(round)));
        sameCount += loadsBack;
    }
    QVERIFY2(sameCount > 100 && sameCount < 4900, "the generator should make both kinds of lists");
}

QTEST_GUILESS_MAIN(TestTaskListCodec)
#include "tst_tasklistcodec.moc"
