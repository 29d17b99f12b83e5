// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
    void invalidTextIsFlagged_data();
    void invalidTextIsFlagged();
    void utf8UnderLatin1Locale();
    void encode_data();
    void encode();
    void loadsBackTellsTheTruth();
    void reencode_data();
    void reencode();
    void reencodeMatchesEncode();
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
    QTest::newRow("utf-16le surrogate pair") << QByteArray("\xff\xfe" "\x3d\xd8\x00\xde", 6) << QStringList{QString::fromUtf8("\xf0\x9f\x98\x80")};
    QTest::newRow("bom only") << QByteArray("\xef\xbb\xbf") << QStringList();
}

void TestTaskListCodec::decode()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, tasks);

    const TaskListCodec::Decoded decoded = TaskListCodec::decode(bytes);
    QCOMPARE(decoded.tasks, tasks);
    QVERIFY(decoded.valid);
    // Exact only when writing the tasks gives these bytes again.
    QCOMPARE(decoded.exact, TaskListCodec::encode(tasks) == bytes);
}

void TestTaskListCodec::invalidTextIsFlagged_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("stray continuation byte") << QByteArray("a\n\x80");
    QTest::newRow("latin-1 e acute") << QByteArray("caf\xe9");
    QTest::newRow("cut sequence at the end") << QByteArray("a\xc3");
    QTest::newRow("overlong slash") << QByteArray("\xc0\xaf");
    QTest::newRow("utf-8 surrogate") << QByteArray("x\xed\xa0\x80y");
    // The decoders let these through uncounted; UTF-8 cannot store them.
    QTest::newRow("utf-16le lone high surrogate") << QByteArray("\xff\xfe" "x\0\x00\xd8y\0", 8);
    QTest::newRow("utf-16be lone low surrogate") << QByteArray("\xfe\xff\0x\xdc\x00", 6);
    QTest::newRow("utf-16le high surrogate at the end") << QByteArray("\xff\xfe" "x\0\x00\xd8", 6);
    QTest::newRow("utf-32le past U+10FFFF") << QByteArray("\xff\xfe\0\0" "x\0\0\0" "\0\0\x11\0", 12);
    QTest::newRow("utf-32le surrogate value") << QByteArray("\xff\xfe\0\0" "\0\xd8\0\0", 8);
}

void TestTaskListCodec::invalidTextIsFlagged()
{
    QFETCH(QByteArray, bytes);
    QVERIFY(!TaskListCodec::decode(bytes).valid);
}

void TestTaskListCodec::utf8UnderLatin1Locale()
{
    // The file is UTF-8 whatever the locale, both ways.
    QTextCodec *saved = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    const TaskListCodec::Decoded decoded = TaskListCodec::decode("caf\xc3\xa9");
    const QByteArray encoded = TaskListCodec::encode({QString::fromUtf8("caf\xc3\xa9")});
    QTextCodec::setCodecForLocale(saved);

    QCOMPARE(decoded.tasks, QStringList{QString::fromUtf8("caf\xc3\xa9")});
    QVERIFY(decoded.valid);
    QCOMPARE(encoded, QByteArray("caf\xc3\xa9"));
}

void TestTaskListCodec::encode_data()
{
    QTest::addColumn<QStringList>("tasks");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("two tasks") << QStringList{"a", "b"} << QByteArray("a\nb");
    QTest::newRow("empty list") << QStringList() << QByteArray();
    QTest::newRow("one empty task") << QStringList{QString()} << QByteArray();
    QTest::newRow("empty last tasks, no final line feed") << QStringList{"a", "", ""} << QByteArray("a");
    QTest::newRow("last task ending in a line break") << QStringList{"a", "b\n"} << QByteArray("a\nb");
    QTest::newRow("utf-8, no bom") << QStringList{QString::fromUtf8("\xc3\xa9")} << QByteArray("\xc3\xa9");
    QTest::newRow("nul kept") << QStringList{QString::fromUtf8("a\0b", 3), "c"} << QByteArray("a\0b\nc", 5);
}

void TestTaskListCodec::encode()
{
    QFETCH(QStringList, tasks);
    QFETCH(QByteArray, bytes);
    QCOMPARE(TaskListCodec::encode(tasks), bytes);
}

void TestTaskListCodec::loadsBackTellsTheTruth()
{
    // Lists built from the characters that the format treats specially: line
    // ends, NUL, a byte-order mark, surrogates alone and in pairs, and the
    // empty tasks that short lengths give.
    const QVector<QChar> alphabet{QLatin1Char('a'), QLatin1Char('\n'), QLatin1Char('\r'), QChar(0), QChar(0xe9),
                                  QChar(QChar::ByteOrderMark), QChar(0xd800), QChar(0xdc00)};
    QRandomGenerator random(2917);
    int sameCount = 0;
    for (int round = 0; round < 5000; ++round) {
        QStringList tasks;
        const int count = random.bounded(4);
        for (int t = 0; t < count; ++t) {
            QString task;
            for (int c = random.bounded(4); c > 0; --c)
                task += alphabet.at(random.bounded(alphabet.size()));
            tasks.append(task);
        }
        bool loadsBack = false;
        const QByteArray bytes = TaskListCodec::encode(tasks, &loadsBack);
        const QStringList loaded = TaskListCodec::decode(bytes).tasks;
        QVERIFY2(loadsBack == (loaded == tasks),
                 qPrintable(QStringLiteral("round %1: loadsBack says %2, loaded %3 tasks of %4")
                                .arg(round).arg(loadsBack).arg(loaded.size()).arg(tasks.size())));
        sameCount += loadsBack;
    }
    QVERIFY2(sameCount > 100 && sameCount < 4900, "the generator should make both kinds of lists");
}

void TestTaskListCodec::reencode_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<bool>("spliced");  // false: after must be encoded whole

    const QStringList abc{"a", "b", "c"};
    QTest::newRow("append") << abc << QStringList{"a", "b", "c", "d"} << true;
    QTest::newRow("append to empty") << QStringList() << QStringList{"d", "e"} << true;
    QTest::newRow("insert first") << abc << QStringList{"z", "a", "b", "c"} << true;
    QTest::newRow("insert inside") << abc << QStringList{"a", "x", "y", "b", "c"} << true;
    QTest::newRow("delete first") << abc << QStringList{"b", "c"} << true;
    QTest::newRow("delete inside") << abc << QStringList{"a", "c"} << true;
    QTest::newRow("delete last") << abc << QStringList{"a", "b"} << true;
    QTest::newRow("delete all but first") << abc << QStringList{"a"} << true;
    QTest::newRow("delete all") << abc << QStringList() << true;
    QTest::newRow("edit, longer") << abc << QStringList{"a", "bbbb", "c"} << true;
    QTest::newRow("edit last, shorter") << QStringList{"a", "bbbb"} << QStringList{"a", "b"} << true;
    QTest::newRow("move") << abc << QStringList{"c", "a", "b"} << true;
    QTest::newRow("twins") << QStringList{"a", "a", "a"} << QStringList{"a", "a"} << true;
    QTest::newRow("empty tasks kept") << QStringList{"", "a", "", "b"} << QStringList{"", "a", "", "x", "b"} << true;
    QTest::newRow("utf-8 around") << QStringList{QString::fromUtf8("\xc3\xa9"), QString::fromUtf8("\xf0\x9f\x98\x80")}
                                  << QStringList{QString::fromUtf8("\xc3\xa9"), "x", QString::fromUtf8("\xf0\x9f\x98\x80")}
                                  << true;
    QTest::newRow("nothing changed") << abc << abc << true;
    QTest::newRow("empty last task") << abc << QStringList{"a", "b", "c", ""} << false;
    QTest::newRow("last task left empty") << QStringList{"a", "", "b"} << QStringList{"a", ""} << false;
    QTest::newRow("line feed in a task") << abc << QStringList{"a", "x\ny", "c"} << false;
    QTest::newRow("carriage return ending a task") << abc << QStringList{"a", "x\r", "c"} << false;
    QTest::newRow("byte-order mark first") << abc << QStringList{QString(QChar(QChar::ByteOrderMark)) + "z", "a", "b", "c"}
                                           << false;
    QTest::newRow("lone surrogate") << abc << QStringList{"a", QString(QChar(0xd800)), "c"} << false;
}

// What a change writes: the bytes of the list before, with only the tasks
// that changed encoded again, must be what encoding the new list gives.
void TestTaskListCodec::reencode()
{
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(bool, spliced);

    const QByteArray original = TaskListCodec::encode(before);
    QByteArray bytes = original;
    QCOMPARE(TaskListCodec::reencode(bytes, before, after), spliced);
    QCOMPARE(bytes, spliced ? TaskListCodec::encode(after) : original);
}

void TestTaskListCodec::reencodeMatchesEncode()
{
    // Long lists, edited as windows edit them (the new list made from the
    // old one, so that untouched tasks share their strings), and rebuilt
    // lists whose equal tasks share nothing.
    QRandomGenerator random(4711);
    const QStringList words{"a", "bb", "", QString::fromUtf8("\xc3\xa9t\xc3\xa9"), "Task 7: review"};
    for (int round = 0; round < 3000; ++round) {
        QStringList before;
        // Some long enough to be searched by blocks.
        for (int i = round % 10 == 0 ? random.bounded(200, 2000) : random.bounded(12); i > 0; --i)
            before.append(words.at(random.bounded(words.size())) + QString::number(random.bounded(3)));
        QStringList after = before;
        for (int edits = random.bounded(1, 4); edits > 0; --edits) {
            const int row = random.bounded(after.size() + 1);
            switch (random.bounded(3)) {
            case 0: after.insert(row, words.at(random.bounded(words.size()))); break;
            case 1: if (row < after.size()) after.removeAt(row); break;
            default: if (row < after.size()) after[row] = QStringLiteral("edited"); break;
            }
        }
        if (round % 5 == 0)
            after = after.join(QLatin1Char('\n')).split(QLatin1Char('\n'));
        if (after.size() == 1 && after.first().isEmpty())
            after.clear();

        QByteArray bytes = TaskListCodec::encode(before);
        if (!TaskListCodec::decode(bytes).exact)
            continue;
        bool loadsBack = false;
        const QByteArray expected = TaskListCodec::encode(after, &loadsBack);
        const bool spliced = TaskListCodec::reencode(bytes, before, after);
        QVERIFY2(spliced == loadsBack, qPrintable(QStringLiteral("round %1").arg(round)));
        if (spliced)
            QVERIFY2(bytes == expected, qPrintable(QStringLiteral("round %1: \"%2\" for \"%3\"")
                                                       .arg(round).arg(QString::fromUtf8(bytes), QString::fromUtf8(expected))));
    }
}

QTEST_GUILESS_MAIN(TestTaskListCodec)
#include "tst_tasklistcodec.moc"
