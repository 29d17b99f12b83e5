#include "sprint.h"
#include "tasklistcodec.h"
#include "workdir.h"

#include <QFileInfo>
#include <QtTest>

class TestSprint : public QObject
{
    Q_OBJECT

private slots:
    void constructionCreatesTheNamedFile_data();
    void constructionCreatesTheNamedFile();
    void onlyTheExactNameIsLoaded();
    void changes_data();
    void changes();
    void addTasks_data();
    void addTasks();
    void moveTask_data();
    void moveTask();
    void moveToItsOwnNumberKeepsTheTask();
    void moveToAnUnreadableSprintKeepsTheTask();
    void moveFromAReadOnlySprintTouchesNoTarget();
    void moveKeepsChangesOfOtherStores();
};

void TestSprint::constructionCreatesTheNamedFile_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("five") << 5 << "sprint5";
    QTest::newRow("twelve") << 12 << "sprint12";
    QTest::newRow("zero") << 0 << "sprint0";
    QTest::newRow("negative") << -2 << "sprint-2";
    QTest::newRow("largest") << 2147483647 << "sprint2147483647";
}

void TestSprint::constructionCreatesTheNamedFile()
{
    QFETCH(int, number);
    QFETCH(QString, fileName);

    WorkDir dir;
    Sprint sprint(number);
    QVERIFY(sprint.errorString().isEmpty());
    QVERIFY(sprint.getTasks().isEmpty());
    QVERIFY(QFileInfo(fileName).isFile());
    QCOMPARE(QFileInfo(fileName).size(), 0);
}

void TestSprint::onlyTheExactNameIsLoaded()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint07"), "x"));
    Sprint sprint(7);
    QVERIFY(sprint.getTasks().isEmpty());
    QVERIFY(QFile::exists(QStringLiteral("sprint7")));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint07")), QByteArray("x"));
}

// Operations are written as "+text" (add) and "-text" (delete).
void TestSprint::changes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("add appends") << QByteArray("a") << QStringList{"+b"} << QByteArray("a\nb");
    QTest::newRow("add of a present task writes nothing") << QByteArray("a\r\n") << QStringList{"+a"} << QByteArray("a\r\n");
    QTest::newRow("delete takes the first of two") << QByteArray("a\nb\na") << QStringList{"-a"} << QByteArray("b\na");
    QTest::newRow("delete of no task normalises") << QByteArray("a\r\nb\n") << QStringList{"-z"} << QByteArray("a\nb");
    QTest::newRow("delete the last task leaves an empty file") << QByteArray("a") << QStringList{"-a"} << QByteArray();
}

void TestSprint::changes()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, operations);
    QFETCH(QByteArray, after);

    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint3"), before));
    Sprint sprint(3);
    for (const QString &operation : operations) {
        const bool ok = operation.startsWith('+') ? sprint.addTask(operation.mid(1)) : sprint.deleteTask(operation.mid(1));
        QVERIFY2(ok, qPrintable(sprint.errorString()));
    }
    QCOMPARE(WorkDir::read(QStringLiteral("sprint3")), after);
    QCOMPARE(sprint.getTasks(), TaskListCodec::decode(after).tasks);
}

void TestSprint::addTasks_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("added");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("all new, in order") << QByteArray("a") << QStringList{"c", "b"} << QByteArray("a\nc\nb");
    QTest::newRow("present ones skipped") << QByteArray("a\nb") << QStringList{"b", "c", "a"} << QByteArray("a\nb\nc");
    QTest::newRow("twins in the choice added once") << QByteArray() << QStringList{"x", "y", "x"} << QByteArray("x\ny");
    QTest::newRow("nothing new writes nothing") << QByteArray("a\r\nb\r\n") << QStringList{"b", "a"} << QByteArray("a\r\nb\r\n");
    QTest::newRow("case counts") << QByteArray("a") << QStringList{"A", "a"} << QByteArray("a\nA");
}

void TestSprint::addTasks()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, added);
    QFETCH(QByteArray, after);

    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint4"), before));
    Sprint sprint(4);
    QVERIFY2(sprint.addTasks(added), qPrintable(sprint.errorString()));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint4")), after);
    QCOMPARE(sprint.getTasks(), TaskListCodec::decode(after).tasks);
}

void TestSprint::moveTask_data()
{
    QTest::addColumn<QByteArray>("source");
    QTest::addColumn<QByteArray>("target");  // null: no file yet
    QTest::addColumn<QString>("task");
    QTest::addColumn<QByteArray>("sourceAfter");
    QTest::addColumn<QByteArray>("targetAfter");

    QTest::newRow("to a sprint without a file") << QByteArray("a\nb") << QByteArray() << "a" << QByteArray("b") << QByteArray("a");
    QTest::newRow("to a sprint with tasks") << QByteArray("a\nb") << QByteArray("c") << "b" << QByteArray("a") << QByteArray("c\nb");
    QTest::newRow("target already holds it") << QByteArray("a\nb") << QByteArray("a") << "a" << QByteArray("b") << QByteArray("a");
    QTest::newRow("held twice here") << QByteArray("a\nb\na") << QByteArray("") << "a" << QByteArray("b\na") << QByteArray("a");
    QTest::newRow("not held here") << QByteArray("b") << QByteArray("c") << "a" << QByteArray("b") << QByteArray("c\na");
}

void TestSprint::moveTask()
{
    QFETCH(QByteArray, source);
    QFETCH(QByteArray, target);
    QFETCH(QString, task);
    QFETCH(QByteArray, sourceAfter);
    QFETCH(QByteArray, targetAfter);

    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), source));
    if (!target.isNull())
        QVERIFY(WorkDir::write(QStringLiteral("sprint2"), target));

    Sprint sprint(1);
    QVERIFY2(sprint.moveTask(task, 2), qPrintable(sprint.errorString()));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), sourceAfter);
    QCOMPARE(WorkDir::read(QStringLiteral("sprint2")), targetAfter);
    QCOMPARE(sprint.getTasks(), TaskListCodec::decode(sourceAfter).tasks);
}

void TestSprint::moveToItsOwnNumberKeepsTheTask()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint5"), "a\nb"));
    Sprint sprint(5);
    QVERIFY(sprint.moveTask(QStringLiteral("a"), 5));
    QCOMPARE(sprint.getTasks(), (QStringList{"a", "b"}));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint5")), QByteArray("a\nb"));
}

void TestSprint::moveToAnUnreadableSprintKeepsTheTask()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), "a"));
    QVERIFY(QDir().mkdir(QStringLiteral("sprint9")));
    Sprint sprint(1);
    QVERIFY(!sprint.moveTask(QStringLiteral("a"), 9));
    QVERIFY2(sprint.errorString().contains(QLatin1String("sprint9")), qPrintable(sprint.errorString()));
    QCOMPARE(sprint.getTasks(), QStringList{"a"});
    QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), QByteArray("a"));
}

void TestSprint::moveFromAReadOnlySprintTouchesNoTarget()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), "a\n\xff"));
    Sprint sprint(1);
    QVERIFY(sprint.isReadOnly());
    QVERIFY(!sprint.moveTask(QStringLiteral("a"), 2));
    QVERIFY2(sprint.errorString().contains(QLatin1String("sprint1")), qPrintable(sprint.errorString()));
    QVERIFY(!QFile::exists(QStringLiteral("sprint2")));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), QByteArray("a\n\xff"));
}

void TestSprint::moveKeepsChangesOfOtherStores()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("sprint1"), "a\nb"));
    Sprint mover(1);
    QVERIFY(Sprint(1).addTask(QStringLiteral("c")));
    QVERIFY(Sprint(2).addTask(QStringLiteral("x")));

    QVERIFY(mover.moveTask(QStringLiteral("a"), 2));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint1")), QByteArray("b\nc"));
    QCOMPARE(WorkDir::read(QStringLiteral("sprint2")), QByteArray("x\na"));
    QCOMPARE(mover.getTasks(), (QStringList{"b", "c"}));
}

QTEST_GUILESS_MAIN(TestSprint)
#include "tst_sprint.moc"
