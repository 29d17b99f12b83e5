// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tasklist.h"
#include "conflictcopies.h"
#include "conflictmarkers.h"
#include "listmerge.h"
#include "sprintfiles.h"
#include "tasklistfile.h"
#include "workdir.h"

#include <QtTest>

// Finding conflict copies by name, merging two versions of a list, and
// taking git's conflict markers out, without a display.
class TestConflicts : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void folderListsCopiesApart();
    void merge_data();
    void merge();
    void markers_data();
    void markers();
};

namespace {

QStringList split(const QString &lines, QChar separator = '|')
{
    return lines.isEmpty() ? QStringList() : lines.split(separator);
}

QSet<QString> setOf(const QString &lines)
{
    const QStringList list = split(lines);
    return QSet<QString>(list.cbegin(), list.cend());
}

// Each name, and the list it is a conflict copy of ("" for none).
const QVector<QPair<QString, QString>> &names()
{
    static const QVector<QPair<QString, QString>> table{
        {"sprint3.sync-conflict-20240301-101500-ABCDEF2", "sprint3"},
        {"product_backlog.sync-conflict-20240301-101500-7QXYZ23", "product_backlog"},
        {"sprint3 (conflicted copy 2024-03-01 101500)", "sprint3"},
        {"sprint3 (conflicted copy alice 2024-03-01 101500)", "sprint3"},
        {"product_backlog (conflicted copy Ann Lee 2024-03-01 101500)", "product_backlog"},
        {"sprint3 (Bob's conflicted copy 2024-03-01)", "sprint3"},
        {"sprint3 (Bob's conflicted copy 2024-03-01 (1))", "sprint3"},
        {"sprint12 (conflict_on_2024-03-01)", "sprint12"},
        {"sprint12 (conflict #1_on_2024-03-01)", "sprint12"},
        {"product_backlog (conflict #12_on_2024-03-01)", "product_backlog"},
        {"schedule.sync-conflict-20240301-101500-ABCDEF2", "schedule"},
        {"schedules (conflict_on_2024-03-01)", ""},
        // A copy of a copy belongs to the first list.
        {"sprint3.sync-conflict-20240301-101500-ABCDEF2.sync-conflict-20240302-080000-QQQQQQQ", "sprint3"},
        {"sprint3 (conflict_on_2024-03-01) (conflicted copy 2024-03-02 090000)", "sprint3"},
        // Near misses.
        {"sprint3.sync-conflict", ""},
        {"sprint3.sync-conflict-20240301-101500", ""},
        {"sprint3.sync-conflict-20240301-101500-ABCDEF", ""},
        {"sprint3.sync-conflict-2024031-101500-ABCDEF2", ""},
        {"Sprint3 (conflicted copy 2024-03-01 101500)", ""},
        {"sprint03.sync-conflict-20240301-101500-ABCDEF2", ""},
        {"sprint3 (conflicted copy 2024-03-01)", ""},
        {"sprint3 (conflict_on_2024-03-01).txt", ""},
        {"sprint3 (Bob's conflicted copy)", ""},
        {"notes (conflict_on_2024-03-01)", ""},
        {"sprint0x3 (conflict_on_2024-03-01)", ""},
        {"sprint3", ""},
        // Syncthing's temporaries.
        {".syncthing.sprint3.sync-conflict-20240301-101500-ABCDEF2.tmp", ""},
        {"~syncthing~sprint3 (conflict_on_2024-03-01).tmp", ""},
    };
    return table;
}

} // namespace

void TestConflicts::names_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("list");
    for (const auto &row : ::names())
        QTest::newRow(qPrintable(row.first)) << row.first << row.second;
}

void TestConflicts::names()
{
    QFETCH(QString, name);
    QFETCH(QString, list);
    QCOMPARE(ConflictCopies::listOf(name), list);
    QCOMPARE(ConflictCopies::isTemporary(name), name.contains("syncthing"));
}

// Every name of the table in one folder: the copies are found, and none of
// them is listed as a sprint or raises the next sprint's number.
void TestConflicts::folderListsCopiesApart()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint3", "a") && WorkDir::write("sprint12", "b"));
    QVERIFY(WorkDir::write("sprint3 (conflict_on_2024-03-01)", "x"));
    QStringList expected{"sprint3 (conflict_on_2024-03-01)"};
    for (const auto &row : ::names()) {
        if (row.first != "sprint3")
            QVERIFY2(WorkDir::write(row.first, "x"), qPrintable(row.first));
        if (!row.second.isEmpty())
            expected.append(row.first);
    }
    // A directory is found too, to be named as one.
    QVERIFY(QDir().mkdir("sprint4 (conflict_on_2024-03-01)"));
    QVERIFY(QFile::link("sprint3", "sprint3 (conflict #2_on_2024-03-01)"));
    expected << "sprint4 (conflict_on_2024-03-01)" << "sprint3 (conflict #2_on_2024-03-01)";

    QStringList found;
    for (const ConflictCopies::Copy &copy : ConflictCopies::find()) {
        QCOMPARE(copy.list, ConflictCopies::listOf(copy.name));
        found.append(copy.name);
    }
    found.sort();
    expected.sort();
    QCOMPARE(found, expected);
    QCOMPARE(SprintFiles::list(), (QStringList{"sprint3", "sprint12"}));
    int next = 0;
    QVERIFY(SprintFiles::nextNumber(SprintFiles::list(), &next));
    QCOMPARE(next, 13);
    QVERIFY(ConflictCopies::unmergeable("sprint3 (conflict_on_2024-03-01)").isEmpty());
    QVERIFY(ConflictCopies::unmergeable("sprint4 (conflict_on_2024-03-01)").contains("directory"));
    QVERIFY(ConflictCopies::unmergeable("sprint3 (conflict #2_on_2024-03-01)").contains("symbolic link"));
}

void TestConflicts::merge_data()
{
    QTest::addColumn<QString>("list");
    QTest::addColumn<QString>("copy");
    QTest::addColumn<QString>("history");    // texts deleted here
    QTest::addColumn<QString>("onlyCopy");
    QTest::addColumn<QString>("onlyList");
    QTest::addColumn<QString>("deletedHere");
    QTest::addColumn<QString>("merged");     // with the dialog's ticks as they start

    QTest::newRow("added there, in the middle") << "a|b|c" << "a|x|b|c" << "" << "x" << "" << "" << "a|x|b|c";
    QTest::newRow("added there, at both ends") << "a|b|c" << "x|a|b|c|y|z" << "" << "x|y|z" << "" << ""
                                               << "x|a|b|c|y|z";
    QTest::newRow("added on both sides at one place") << "a|y|b" << "a|x|b" << "" << "x" << "y" << ""
                                                      << "a|x|y|b";
    QTest::newRow("deleted here") << "a|c" << "a|b|c" << "b" << "b" << "" << "b" << "a|c";
    QTest::newRow("deleted here, then added there again") << "a" << "a|b" << "q|b|r" << "b" << "" << "b" << "a";
    QTest::newRow("deleted there") << "a|b|c" << "a|c" << "" << "" << "b" << "" << "a|b|c";
    QTest::newRow("reordered") << "a|b|c" << "c|b|a" << "" << "" << "" << "" << "a|b|c";
    QTest::newRow("edited there") << "a|b|c" << "a|B|c" << "" << "B" << "b" << "" << "a|B|b|c";
    QTest::newRow("edited here") << "a|B|c" << "a|b|c" << "b" << "b" << "B" << "b" << "a|B|c";
    QTest::newRow("neighbours gone here") << "c" << "a|x|b|c" << "a|b" << "a|x|b" << "" << "a|b" << "x|c";
    QTest::newRow("nothing shared") << "a" << "x|y" << "" << "x|y" << "a" << "" << "a|x|y";
    QTest::newRow("empty list") << "" << "x|y" << "" << "x|y" << "" << "" << "x|y";
    QTest::newRow("duplicates in the copy") << "a" << "x|a|x" << "" << "x" << "" << "" << "x|a";
    QTest::newRow("twins in the list") << "a|b|a" << "a|x|b|y" << "" << "x|y" << "" << "" << "a|b|y|a|x";
}

void TestConflicts::merge()
{
    QFETCH(QString, list);
    QFETCH(QString, copy);
    QFETCH(QString, history);
    QFETCH(QString, onlyCopy);
    QFETCH(QString, onlyList);
    QFETCH(QString, deletedHere);
    QFETCH(QString, merged);

    const ListMerge::Sides sides = ListMerge::compare(split(list), split(copy), split(history));
    QCOMPARE(sides.onlyCopy, split(onlyCopy));
    QCOMPARE(sides.onlyList, split(onlyList));
    QCOMPARE(sides.deletedHere, setOf(deletedHere));

    QStringList tasks = split(list);
    const QSet<QString> add = setOf(onlyCopy) - sides.deletedHere;
    const QStringList added = ListMerge::place(tasks, split(copy), add);
    QCOMPARE(tasks, split(merged));
    QCOMPARE(QSet<QString>(added.cbegin(), added.cend()), add);
}

void TestConflicts::markers_data()
{
    QTest::addColumn<QString>("lines");
    QTest::addColumn<int>("block");        // row of the first block, -1 for none
    QTest::addColumn<QString>("bothSides");

    QTest::newRow("one block") << "<<<<<<< HEAD;a;=======;b;>>>>>>> other" << 0 << "a;b";
    QTest::newRow("shared lines in both sides")
        << "x;<<<<<<< HEAD;a;c;=======;a;b;c;>>>>>>> topic;y" << 1 << "x;a;b;c;y";
    QTest::newRow("ancestor's lines go") << "<<<<<<< HEAD;a;||||||| base;o;=======;b;>>>>>>> topic" << 0 << "a;b";
    QTest::newRow("task outside not doubled") << "a;<<<<<<< HEAD;=======;a;b;>>>>>>> topic" << 1 << "a;b";
    QTest::newRow("two blocks") << "<<<<<<< HEAD;a;=======;b;>>>>>>> t;m;<<<<<<< HEAD;b;c;=======;d;>>>>>>> t"
                                << 0 << "a;b;m;c;d";
    QTest::newRow("bare markers") << "<<<<<<<;a;=======;b;>>>>>>>" << 0 << "a;b";
    QTest::newRow("not closed") << "<<<<<<< HEAD;a;=======;b" << -1 << "";
    QTest::newRow("eight brackets") << "<<<<<<<< HEAD;a;=======;b;>>>>>>> t" << -1 << "";
    QTest::newRow("label without space") << "<<<<<<<HEAD;a;=======;b;>>>>>>> t" << -1 << "";
    QTest::newRow("no middle") << "<<<<<<< HEAD;a;>>>>>>> t" << -1 << "";
    QTest::newRow("a task about markers") << "explain <<<<<<< HEAD;=======" << -1 << "";
}

// Each list as read from a file: a list with a block refuses a change that
// leaves the markers in (the window test keeps both sides through it).
void TestConflicts::markers()
{
    QFETCH(QString, lines);
    QFETCH(int, block);
    QFETCH(QString, bothSides);
    const QStringList marked = split(lines, ';');
    QCOMPARE(ConflictMarkers::firstBlock(marked), block);
    if (block >= 0)
        QCOMPARE(ConflictMarkers::keepBothSides(marked), split(bothSides, ';'));

    WorkDir dir;
    const QByteArray bytes = marked.join('\n').toUtf8();
    QVERIFY(WorkDir::write("sprint1", bytes));
    TaskListFile file("sprint1");
    QStringList tasks;
    QCOMPARE(file.load(tasks), block < 0);
    QCOMPARE(file.hasConflictMarkers(), block >= 0);
    QCOMPARE(file.errorString().contains(QString("from line %1 on").arg(block + 1)), block >= 0);

    const bool added = file.change(tasks, [](TaskList &edited) {
        QStringList &list = edited.strings();
        list.append("new");
        return TaskListFile::Outcome::Changed;
    });
    QCOMPARE(added, block < 0);
    if (block >= 0)
        QCOMPARE(WorkDir::read("sprint1"), bytes);
}

QTEST_GUILESS_MAIN(TestConflicts)
#include "tst_conflicts.moc"
