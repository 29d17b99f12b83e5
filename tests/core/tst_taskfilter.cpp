// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskfilter.h"

#include <QtTest>

// What a find line matches: words in any order, case and accents ignored
// unless the word itself holds a capital or an accent.
class TestTaskFilter : public QObject
{
    Q_OBJECT

private slots:
    void matches_data();
    void matches();
};

void TestTaskFilter::matches_data()
{
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("task");
    QTest::addColumn<bool>("match");

    QTest::newRow("empty query") << "" << "anything" << true;
    QTest::newRow("spaces only") << " \t " << "anything" << true;
    QTest::newRow("lower case finds any case") << "fix" << "Fix the BUG" << true;
    QTest::newRow("a capital is exact") << "Fix" << "fix the bug" << false;
    QTest::newRow("a capital finds itself") << "Fix" << "Fix the bug" << true;
    QTest::newRow("no accent finds accents") << "cafe" << QString::fromUtf8("Buy CAFÉ beans") << true;
    QTest::newRow("an accent is exact") << QString::fromUtf8("café") << "cafe au lait" << false;
    QTest::newRow("an accent finds itself in any case") << QString::fromUtf8("café") << QString::fromUtf8("CAFÉ") << true;
    QTest::newRow("decomposed accent in the task") << "cafe" << QString::fromUtf8("cafe\xcc\x81") << true;
    QTest::newRow("words are ANDed") << "bug fix" << "fix the bug" << true;
    QTest::newRow("one word missing") << "bug docs" << "fix the bug" << false;
    QTest::newRow("each word decides for itself") << "Fix bug" << "Fix the BUG" << true;
    QTest::newRow("lone surrogate in the query") << QString(QChar(0xd800)) << "plain" << false;
    QTest::newRow("lone surrogate in both") << QString(QChar(0xd800)) << QString(QChar(0xd800)) + "x" << true;
    QTest::newRow("a long paste is cut") << QString(TaskFilter::MaxLength, 'a') + "zzz" << QString(TaskFilter::MaxLength, 'a')
                                         << true;
}

void TestTaskFilter::matches()
{
    QFETCH(QString, query);
    QFETCH(QString, task);
    QFETCH(bool, match);
    const TaskFilter filter(query);
    QCOMPARE(filter.matches(task), match);
    QCOMPARE(filter.matchingRows({"x", task}).contains(1), match);
}

QTEST_GUILESS_MAIN(TestTaskFilter)
#include "tst_taskfilter.moc"
