// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintplacements.h"
#include "workdir.h"

#include <QSignalSpy>
#include <QtTest>

#include <sys/stat.h>

// Where the sprints of a folder hold each task, read from files of every
// kind a folder may hold, and followed as they change.
class TestSprintPlacements : public QObject
{
    Q_OBJECT

private slots:
    void read_data();
    void read();
    void followsTheFilesOffTheWindowsThread();

private:
    // "3" open in sprint 3, "2@2026-12-08" done there on that day.
    static QString spec(const SprintPlacements::Places &places);
};

QString TestSprintPlacements::spec(const SprintPlacements::Places &places)
{
    QStringList parts;
    for (const SprintPlacements::Place &place : places)
        parts.append(QString::number(place.sprint) + (place.isDone() ? '@' + place.done.toString(Qt::ISODate) : QString()));
    return parts.join(QLatin1Char(','));
}

void TestSprintPlacements::read_data()
{
    QTest::addColumn<QStringList>("names");      // "fifo:N", "link:N>T", "dir:N", or a file's name
    QTest::addColumn<QByteArrayList>("contents"); // of the files, in the order of names
    QTest::addColumn<QStringList>("asked");      // "text|places", places as spec() writes them

    const auto row = [](const char *tag, const QStringList &names, const QByteArrayList &contents,
                        const QStringList &asked) { QTest::newRow(tag) << names << contents << asked; };
    row("open in one sprint", {"sprint3"}, {"a\nb\n"}, {"a|3", "b|3", "c|", "|", "A|"});
    row("done, with its day, asked with or without a mark", {"sprint2"}, {"x 2026-12-08 a"},
        {"a|2@2026-12-08", "x 2026-01-01 a|2@2026-12-08", "x 2026-12-08 a|2@2026-12-08"});
    row("several sprints in numeric order", {"sprint10", "sprint2", "sprint5"}, {"a", "a\nb", "x 2026-01-02 a"},
        {"a|2,5@2026-01-02,10", "b|2"});
    row("open beats done within a sprint, then the latest day", {"sprint1"},
        {"x 2026-01-01 a\na\nx 2026-01-01 b\nx 2026-03-01 b\nx 2026-02-01 b"}, {"a|1", "b|1@2026-03-01"});
    row("near misses of the mark are text", {"sprint1"}, {"X 2026-12-08 a\nx 2026-13-45 b\nx2026-12-08 c"},
        {"a|", "X 2026-12-08 a|1", "x 2026-13-45 b|1", "b|", "x2026-12-08 c|1"});
    row("names that only read as a sprint's", {"sprint07", "Sprint1", "sprint3~", "sprint", "sprint1.bak"},
        {"a", "a", "a", "a", "a"}, {"a|"});
    row("a FIFO named sprint4 is never opened", {"fifo:sprint4", "sprint1"}, {"", "a"}, {"a|1"});
    row("a link is read where it leads, a dangling one is not",
        {"elsewhere", "link:sprint5>elsewhere", "link:sprint6>nowhere"}, {"a", "", ""}, {"a|5"});
    row("a directory named sprint7", {"dir:sprint7", "sprint8"}, {"", "a"}, {"a|8"});
    QByteArray utf16("\xff\xfe");
    for (const QChar c : QString::fromUtf8("a\r\n\xc3\xbc\r\nx 2026-12-08 \xc3\xa9"))
        utf16.append(char(c.unicode() & 0xff)).append(char(c.unicode() >> 8));
    row("UTF-16 with its byte-order mark", {"sprint2"}, {utf16},
        {"a|2", QString::fromUtf8("\xc3\xbc|2"), QString::fromUtf8("\xc3\xa9|2@2026-12-08")});
    row("conflict markers: both sides, no markers", {"sprint1", "sprint2"},
        {"<<<<<<< HEAD\na\n=======\nb\n>>>>>>> theirs\nc", "b"},
        {"a|1", "b|1,2", "c|1", "=======|", "<<<<<<< HEAD|"});
    row("negative and zero numbers", {"sprint-2", "sprint0"}, {"a", "a"}, {"a|-2,0"});
}

// One reading of a folder, then the same again after each sprint file is
// removed, as another program may do between two readings.
void TestSprintPlacements::read()
{
    QFETCH(QStringList, names);
    QFETCH(QByteArrayList, contents);
    QFETCH(QStringList, asked);

    WorkDir dir;
    for (int i = 0; i < names.size(); ++i) {
        const QString name = names.at(i).section(QLatin1Char(':'), -1);
        if (names.at(i).startsWith(QLatin1String("fifo:")))
            QVERIFY(::mkfifo(QFile::encodeName(name).constData(), 0666) == 0);
        else if (names.at(i).startsWith(QLatin1String("dir:")))
            QVERIFY(QDir().mkdir(name));
        else if (names.at(i).startsWith(QLatin1String("link:")))
            QVERIFY(QFile::link(name.section(QLatin1Char('>'), 1), name.section(QLatin1Char('>'), 0, 0)));
        else
            QVERIFY(WorkDir::write(name, contents.at(i)));
    }

    bool changed = false;
    const SprintPlacements::Reading first = SprintPlacements::read(dir.path(), {}, &changed);
    QVERIFY(changed);
    for (const QString &question : asked) {
        const QString text = question.section(QLatin1Char('|'), 0, -2);
        QCOMPARE(text + '|' + spec(first.of(text)), question);
    }

    // Nothing changed: nothing is made anew.
    const SprintPlacements::Reading again = SprintPlacements::read(dir.path(), first, &changed);
    QVERIFY(!changed);
    QVERIFY(again.places.isSharedWith(first.places));

    // A sprint removed leaves no place behind, and the others stay.
    for (const QString &name : again.files.keys()) {
        QVERIFY(QFile::remove(name));
        const SprintPlacements::Reading after = SprintPlacements::read(dir.path(), again, &changed);
        QVERIFY(changed);
        for (auto it = after.places.cbegin(); it != after.places.cend(); ++it)
            QVERIFY2(!spec(it.value()).split(',').contains(QString::number(again.files.value(name).sprint)), qPrintable(it.key()));
        QVERIFY(WorkDir::write(name, contents.value(names.indexOf(name))));
    }
}

// The object reads on its own thread and says when what it read changed:
// after an outside change in place, which tells the folder nothing, and
// after a burst of changes, once they are all in.
void TestSprintPlacements::followsTheFilesOffTheWindowsThread()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("sprint1", "a"));
    SprintPlacements placements;
    QSignalSpy changed(&placements, &SprintPlacements::changed);
    placements.update();
    QVERIFY(placements.of("a").isEmpty());
    QTRY_VERIFY(placements.isReady());
    QCOMPARE(spec(placements.of("a")), QString("1"));

    // Written in place, with the poll left to find it.
    QVERIFY(WorkDir::write("sprint1", "x 2026-12-08 a\nb"));
    QTRY_COMPARE(spec(placements.of("b")), QString("1"));
    QCOMPARE(spec(placements.of("a")), QString("1@2026-12-08"));

    // A burst, each change followed by a call: the last reading has all.
    placements.setPollInterval(0);
    const int before = changed.size();
    for (int n = 2; n <= 40; ++n) {
        QVERIFY(WorkDir::write(QStringLiteral("sprint%1").arg(n), "b"));
        placements.update();
    }
    // No event is handled in between, so the calls while one reading is
    // under way make one more, not one each.
    QTRY_COMPARE(placements.of("b").size(), 40);
    QVERIFY2(changed.size() - before <= 2, qPrintable(QString::number(changed.size() - before)));
}

QTEST_GUILESS_MAIN(TestSprintPlacements)
#include "tst_sprintplacements.moc"
