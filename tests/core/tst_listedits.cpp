// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listedits.h"
#include "tasklist.h"
#include "tasklistbytes.h"
#include "tasklistcodec.h"

#include <QtTest>

// The edits every change is made of, on the list as the file holds it when
// the change is made: each finds its task by row and expected text, never
// takes another task of the same text, and leaves the list alone when its
// task is gone. Each is run on the tasks as strings and, where the file's
// bytes encode them exactly, on the bytes in place: both must leave the
// same file and delete the same texts.
class TestListEdits : public QObject
{
    Q_OBJECT

private slots:
    void byRowAndText_data();
    void byRowAndText();
    void transferIsAllOrNothing_data();
    void transferIsAllOrNothing();
};

using Outcome = TaskListFile::Outcome;
Q_DECLARE_METATYPE(TaskListFile::Outcome)

namespace {

// The list as loading the file that its bytes make gives it.
QStringList loaded(const QByteArray &bytes)
{
    return TaskListCodec::decode(bytes).tasks;
}

// Runs edit on lists given as strings and, where they encode exactly, on
// their bytes too, comparing what each leaves; lists get the strings'.
Outcome applyBoth(const std::function<Outcome(QVector<TaskList *>)> &edit, QVector<QStringList *> lists)
{
    QVector<TaskListBytes> bytes;
    bool exact = true;
    for (QStringList *list : lists) {
        const QByteArray encoded = TaskListCodec::encode(*list);
        exact = exact && TaskListCodec::decode(encoded).exact && loaded(encoded) == *list;
        bytes.append(TaskListBytes(encoded));
    }
    QVector<TaskList *> asStrings;
    QVector<TaskList *> asBytes;
    for (int i = 0; i < lists.size(); ++i) {
        asStrings.append(new TaskList(lists[i]));
        asBytes.append(new TaskList(&bytes[i]));
    }
    const Outcome outcome = edit(asStrings);
    if (exact) {
        const Outcome inBytes = edit(asBytes);
        [&] { QCOMPARE(inBytes, outcome); }();
        for (int i = 0; i < lists.size() && outcome != Outcome::NotFound; ++i) {
            const QStringList written = asBytes.at(i)->isBytes()
                ? (bytes[i].normalise(), loaded(bytes[i].bytes()))
                : loaded(TaskListCodec::encode(asBytes.at(i)->strings()));
            [&] { QCOMPARE(written, loaded(TaskListCodec::encode(*lists.at(i)))); }();
            [&] { QCOMPARE(asBytes.at(i)->gone(), asStrings.at(i)->gone()); }();
        }
    }
    qDeleteAll(asStrings);
    qDeleteAll(asBytes);
    return outcome;
}

Outcome applyBoth(const ListEdits::Edit &edit, QStringList &list)
{
    return applyBoth([&](QVector<TaskList *> in) { return edit(*in.at(0)); }, {&list});
}

Outcome applyBoth(const ListEdits::PairEdit &edit, QStringList &from, QStringList &to)
{
    return applyBoth([&](QVector<TaskList *> in) { return edit(*in.at(0), *in.at(1)); }, {&from, &to});
}

} // namespace

// Each edit is given the row and text a window showed; "list" is the file as
// it is when the edit is made.
void TestListEdits::byRowAndText_data()
{
    QTest::addColumn<QString>("edit");  // move, remove, remove two (row and to) or replace
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("to");        // move: the target row
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<Outcome>("outcome");

    const QStringList abc{"a", "b", "c"};
    QTest::newRow("move, file unchanged") << "move" << abc << 2 << "c" << 0 << QStringList{"c", "a", "b"} << Outcome::Changed;
    QTest::newRow("move, file shifted") << "move" << QStringList{"x", "a", "b", "c"} << 2 << "c" << 0
                                        << QStringList{"c", "x", "a", "b"} << Outcome::Changed;
    QTest::newRow("move, task gone") << "move" << QStringList{"a", "b"} << 2 << "c" << 0 << QStringList{"a", "b"} << Outcome::NotFound;
    QTest::newRow("move, the second twin") << "move" << QStringList{"X", "Y", "X"} << 2 << "X" << 1
                                           << QStringList{"X", "X", "Y"} << Outcome::Changed;
    QTest::newRow("move, past the end is the end") << "move" << abc << 0 << "a" << 9 << QStringList{"b", "c", "a"} << Outcome::Changed;
    QTest::newRow("move, to where it is") << "move" << abc << 1 << "b" << 1 << abc << Outcome::Unchanged;
    QTest::newRow("remove, the second twin") << "remove" << QStringList{"X", "Y", "X"} << 2 << "X" << 0
                                             << QStringList{"X", "Y"} << Outcome::Changed;
    QTest::newRow("remove, nearest twin when shifted") << "remove" << QStringList{"X", "n", "Y", "X"} << 2 << "X" << 0
                                                       << QStringList{"X", "n", "Y"} << Outcome::Changed;
    QTest::newRow("remove, task gone") << "remove" << abc << 1 << "z" << 0 << abc << Outcome::NotFound;
    QTest::newRow("replace, the second twin") << "replace" << QStringList{"X", "Y", "X"} << 2 << "X" << 0
                                              << QStringList{"X", "Y", "Z"} << Outcome::Changed;
    QTest::newRow("replace, task gone") << "replace" << abc << 1 << "t2" << 0 << abc << Outcome::NotFound;
    // The format drops empty tasks at the end, but not before the edit ends.
    QTest::newRow("remove two, an empty one before the last")
        << "remove two" << QStringList{"keep me", "", "last"} << 2 << "last" << 1 << QStringList{"keep me"}
        << Outcome::Changed;
    QTest::newRow("remove two, leaving one empty task")
        << "remove two" << QStringList{"a", "", "b"} << 0 << "a" << 2 << QStringList{""} << Outcome::Changed;
    QTest::newRow("replace the only task with lines") << "replace" << QStringList{"X"} << 0 << "X" << 0
                                                      << QStringList{"Z"} << Outcome::Changed;
}

void TestListEdits::byRowAndText()
{
    QFETCH(QString, edit);
    QFETCH(QStringList, list);
    QFETCH(int, row);
    QFETCH(QString, text);
    QFETCH(int, to);
    QFETCH(QStringList, after);
    QFETCH(Outcome, outcome);

    const TaskRef ref{row, text};
    ListEdits::Edit change = edit == QLatin1String("move") ? ListEdits::move(ref, to)
        : edit == QLatin1String("remove")                  ? ListEdits::remove({ref})
        : edit == QLatin1String("remove two")              ? ListEdits::remove({ref, TaskRef{to, list.value(to)}})
                                                            : ListEdits::replace(ref, {QStringLiteral("Z")});
    QStringList changed = list;
    QCOMPARE(applyBoth(change, changed), outcome);
    // A store writes nothing and throws the list away when the task is gone.
    if (outcome != Outcome::NotFound)
        QCOMPARE(changed, after);
}

void TestListEdits::transferIsAllOrNothing_data()
{
    QTest::addColumn<QStringList>("from");
    QTest::addColumn<QStringList>("to");
    QTest::addColumn<QStringList>("tasks");  // "text@row", taken from "from" to the end of "to"
    QTest::addColumn<QStringList>("fromAfter");
    QTest::addColumn<QStringList>("toAfter");
    QTest::addColumn<Outcome>("outcome");
    QTest::addColumn<QStringList>("fromBack");  // after the transfer turned round
    QTest::addColumn<QStringList>("toBack");

    QTest::newRow("one task") << QStringList{"a", "b"} << QStringList{"z"} << QStringList{"b@1"}
                              << QStringList{"a"} << QStringList{"z", "b"} << Outcome::Changed
                              << QStringList{"a", "b"} << QStringList{"z"};
    // The target's own copy is not the move's to take back.
    QTest::newRow("the target holds it") << QStringList{"a", "b"} << QStringList{"b"} << QStringList{"b@1"}
                                         << QStringList{"a"} << QStringList{"b"} << Outcome::Changed
                                         << QStringList{"a", "b"} << QStringList{"b"};
    // Back, a list never takes a second copy of a task.
    QTest::newRow("the second twin") << QStringList{"X", "Y", "X"} << QStringList() << QStringList{"X@2"}
                                     << QStringList{"X", "Y"} << QStringList{"X"} << Outcome::Changed
                                     << QStringList{"X", "Y"} << QStringList();
    // A selection half gone elsewhere: what is left moves.
    QTest::newRow("one of two gone") << QStringList{"a", "b"} << QStringList{"z"} << QStringList{"a@0", "c@1"}
                                     << QStringList{"b"} << QStringList{"z", "a"} << Outcome::Changed
                                     << QStringList{"a", "b"} << QStringList{"z"};
    QTest::newRow("all gone") << QStringList{"a", "b"} << QStringList{"z"} << QStringList{"c@0", "d@1"}
                              << QStringList{"a", "b"} << QStringList{"z"} << Outcome::NotFound
                              << QStringList() << QStringList();
}

void TestListEdits::transferIsAllOrNothing()
{
    QFETCH(QStringList, from);
    QFETCH(QStringList, to);
    QFETCH(QStringList, tasks);
    QFETCH(QStringList, fromAfter);
    QFETCH(QStringList, toAfter);
    QFETCH(Outcome, outcome);
    QFETCH(QStringList, fromBack);
    QFETCH(QStringList, toBack);

    QVector<ListEdits::Transfer> items;
    for (const QString &task : tasks)
        items.append(ListEdits::Transfer{task.section('@', 0, 0), task.section('@', 1).toInt(), ListEdits::End});
    QVector<ListEdits::Transfer> done;
    QCOMPARE(applyBoth(ListEdits::transfer(items, &done), from, to), outcome);
    if (outcome == Outcome::NotFound)
        return;
    QCOMPARE(from, fromAfter);
    QCOMPARE(to, toAfter);

    // Turned round, the transfer puts back what it moved.
    QVector<ListEdits::Transfer> undone;
    QCOMPARE(applyBoth(ListEdits::transfer(ListEdits::reversed(done), &undone), to, from), Outcome::Changed);
    QCOMPARE(from, fromBack);
    QCOMPARE(to, toBack);
    // And again, it moves them all anew, as the lists hold them then: what
    // leaves one list is in the other.
    QCOMPARE(applyBoth(ListEdits::transfer(ListEdits::reversed(undone, true)), from, to), Outcome::Changed);
    for (const QString &task : tasks) {
        const QString text = task.section('@', 0, 0);
        QVERIFY2(!fromBack.contains(text) || (!from.contains(text) && to.contains(text)), qPrintable(task));
    }
}

QTEST_GUILESS_MAIN(TestListEdits)
#include "tst_listedits.moc"
