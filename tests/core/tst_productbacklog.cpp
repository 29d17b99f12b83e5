// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "productbacklog.h"
#include "tasklistcodec.h"
#include "workdir.h"

#include <QFileInfo>
#include <QProcess>
#include <QtTest>

#include <unistd.h>

class TestProductBacklog : public QObject
{
    Q_OBJECT

private slots:
    void changes_data();
    void changes();
    void readWhenUsedSeesTheFileAtFirstUse();
    void twoStoresKeepBothChanges();
    void refusedEntriesAreLeftAlone_data();
    void refusedEntriesAreLeftAlone();
    void removedFileIsNotRecreatedFromAStaleList();
    void symbolicLinkKeepsPointingAtItsTarget();
    void protectedFileIsNeverOverwritten_data();
    void protectedFileIsNeverOverwritten();
    void twoProcessesAppendingKeepEveryTask();
};

// Operations are written as "+text" (add), "-text" (remove) and "=old>new"
// (edit), preceded by "!" when the task must be found gone or "#" when the
// list must refuse to hold a task twice; a null "before"
// means there is no file yet.
void TestProductBacklog::changes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QByteArray>("after");

    const QString nul = QString::fromUtf8("+a\0b", 4);
    QTest::newRow("missing file created empty") << QByteArray() << QStringList() << QByteArray("");
    QTest::newRow("add appends") << QByteArray("a\nb") << QStringList{"+c"} << QByteArray("a\nb\nc");
    QTest::newRow("add of a present task writes nothing") << QByteArray("a\r\nb\r\n") << QStringList{"+a"} << QByteArray("a\r\nb\r\n");
    QTest::newRow("add differing in case") << QByteArray("a") << QStringList{"+A"} << QByteArray("a\nA");
    QTest::newRow("adds to a missing file, nul kept") << QByteArray() << QStringList{nul, "+c"} << QByteArray("a\0b\nc", 5);
    QTest::newRow("add of several lines") << QByteArray("a") << QStringList{"+x\ny"} << QByteArray("a\nx\ny");
    QTest::newRow("add of spaces adds nothing") << QByteArray("a") << QStringList{"+  ", "+\t \n "} << QByteArray("a");
    QTest::newRow("remove takes the first of two") << QByteArray("a\nb\na") << QStringList{"-a"} << QByteArray("b\na");
    QTest::newRow("remove of no task normalises") << QByteArray("a\r\nb\n") << QStringList{"-z"} << QByteArray("a\nb");
    QTest::newRow("remove the only task") << QByteArray("a") << QStringList{"-a"} << QByteArray("");
    QTest::newRow("edit takes the first of two") << QByteArray("a\nb\na") << QStringList{"=a>c"} << QByteArray("c\nb\na");
    QTest::newRow("edit to the text unchanged rewrites") << QByteArray("a\r\n") << QStringList{"=a>a"} << QByteArray("a");
    QTest::newRow("edit of a vanished task writes nothing") << QByteArray("\xef\xbb\xbf" "a\n") << QStringList{"!=z>y"}
                                                            << QByteArray("\xef\xbb\xbf" "a\n");
    QTest::newRow("edit into a task held, refused") << QByteArray("a\nb\nc") << QStringList{"#=c>a", "=a>a\nb\nd"}
                                                    << QByteArray("a\nd\nb\nc");
    QTest::newRow("edit into several lines") << QByteArray("a\nb") << QStringList{"=a>x\ny"} << QByteArray("x\ny\nb");
    QTest::newRow("edit into lines, empty ones dropped") << QByteArray("a\nb") << QStringList{"=b>\nx\n\ny\n"}
                                                         << QByteArray("a\nx\ny");
    QTest::newRow("add of lines, present and empty ones skipped") << QByteArray("Fix bug") << QStringList{"+Write docs\nFix bug\n"}
                                                                 << QByteArray("Fix bug\nWrite docs");
    QTest::newRow("no final line feed after an empty last task") << QByteArray("a\n\nb") << QStringList{"-b"} << QByteArray("a");
}

void TestProductBacklog::changes()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, operations);
    QFETCH(QByteArray, after);

    // The same whether the store reads its file at once or at first use.
    for (const auto reading : {productbacklog::ReadNow, productbacklog::ReadWhenUsed}) {
    WorkDir dir;
    if (!before.isNull())
        QVERIFY(WorkDir::write(productbacklog::fileName(), before));
    productbacklog store(reading);
    QVERIFY2(store.errorString().isEmpty(), qPrintable(store.errorString()));
    for (QString operation : operations) {
        const bool gone = operation.startsWith('!');
        const bool held = operation.startsWith('#');
        if (gone || held)
            operation.remove(0, 1);
        const QString text = operation.mid(1);
        bool ok = false;
        switch (operation.at(0).toLatin1()) {
        case '+': ok = store.addItem(text); break;
        case '-': ok = store.removeItem(text); break;
        case '=': ok = store.editItem(text.section('>', 0, 0), text.section('>', 1)); break;
        }
        QVERIFY2(ok != (gone || held) && store.isNotFound() == gone
                     && (store.refusal() == TaskListFile::Refusal::Held) == held,
                 qPrintable(operation + ": " + store.errorString()));
    }
    QCOMPARE(WorkDir::read(productbacklog::fileName()), after);
    // The list is what loading the file gives, so a window can show it as it is.
    QCOMPARE(store.getItems(), TaskListCodec::decode(after).tasks);
    QCOMPARE(productbacklog().getItems(), store.getItems());
    }
}

void TestProductBacklog::readWhenUsedSeesTheFileAtFirstUse()
{
    WorkDir dir;
    productbacklog made(productbacklog::ReadWhenUsed);
    QCOMPARE(WorkDir::read(productbacklog::fileName()), QByteArray(""));

    QVERIFY(WorkDir::write(productbacklog::fileName(), "caf\xe9"));
    productbacklog notText(productbacklog::ReadWhenUsed);
    QVERIFY2(notText.errorString().isEmpty(), qPrintable(notText.errorString()));
    QVERIFY(notText.isReadOnly());
    QVERIFY2(notText.errorString().contains("UTF-8"), qPrintable(notText.errorString()));

    QVERIFY(WorkDir::write(productbacklog::fileName(), "a\nb"));
    QCOMPARE(made.getItems(), (QStringList{"a", "b"}));
    QVERIFY(!made.refresh());
}

void TestProductBacklog::twoStoresKeepBothChanges()
{
    WorkDir dir;
    productbacklog first;
    productbacklog second;
    QVERIFY(first.addItem(QStringLiteral("x")));
    QVERIFY(second.addItem(QStringLiteral("y")));
    QVERIFY(first.addItem(QStringLiteral("z")));
    QVERIFY(second.removeItem(QStringLiteral("x")));
    QCOMPARE(WorkDir::read(productbacklog::fileName()), QByteArray("y\nz"));
    QCOMPARE(second.getItems(), (QStringList{"y", "z"}));

    QCOMPARE(first.getItems(), (QStringList{"x", "y", "z"}));
    QVERIFY(first.refresh());
    QCOMPARE(first.getItems(), (QStringList{"y", "z"}));
    QVERIFY2(!first.refresh(), "an unchanged file is not read again");
}

void TestProductBacklog::refusedEntriesAreLeftAlone_data()
{
    QTest::addColumn<QByteArray>("bytes");  // null: a directory of that name
    QTest::addColumn<QString>("reason");
    QTest::newRow("directory") << QByteArray() << "directory";
    QTest::newRow("invalid utf-8") << QByteArray("a\r\ncaf\xe9") << "UTF-8";
}

void TestProductBacklog::refusedEntriesAreLeftAlone()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reason);

    WorkDir dir;
    QVERIFY(bytes.isNull() ? QDir().mkdir(productbacklog::fileName()) : WorkDir::write(productbacklog::fileName(), bytes));
    productbacklog store;
    QVERIFY(store.isReadOnly());
    QVERIFY2(store.errorString().contains(reason), qPrintable(store.errorString()));
    // Shown as read: an invalid byte becomes a replacement character.
    QCOMPARE(store.getItems(), TaskListCodec::decode(bytes).tasks);

    QVERIFY(!store.addItem(QStringLiteral("b")));
    QVERIFY2(store.errorString().contains(productbacklog::fileName()), qPrintable(store.errorString()));
    QVERIFY(!store.removeItem(QStringLiteral("a")));
    QVERIFY(!store.editItem(QStringLiteral("a"), QStringLiteral("b")));
    if (bytes.isNull())
        QVERIFY(QFileInfo(productbacklog::fileName()).isDir());
    else
        QCOMPARE(WorkDir::read(productbacklog::fileName()), bytes);
}

void TestProductBacklog::removedFileIsNotRecreatedFromAStaleList()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(productbacklog::fileName(), "a\nb"));
    productbacklog store;
    QVERIFY(QFile::remove(productbacklog::fileName()));

    QVERIFY(!store.addItem(QStringLiteral("c")));
    QVERIFY2(store.errorString().contains(QLatin1String("removed")), qPrintable(store.errorString()));
    QVERIFY(store.getItems().isEmpty());
    QVERIFY(!QFile::exists(productbacklog::fileName()));

    // The user now sees the empty list; the next change starts a new file.
    QVERIFY(store.addItem(QStringLiteral("c")));
    QCOMPARE(WorkDir::read(productbacklog::fileName()), QByteArray("c"));
}

void TestProductBacklog::symbolicLinkKeepsPointingAtItsTarget()
{
    WorkDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("elsewhere")));
    QVERIFY(WorkDir::write(QStringLiteral("elsewhere/list"), "a"));
    QVERIFY(QFile::link(QStringLiteral("elsewhere/list"), productbacklog::fileName()));

    productbacklog store;
    QVERIFY(store.addItem(QStringLiteral("b")));
    QVERIFY(QFileInfo(productbacklog::fileName()).isSymLink());
    QCOMPARE(WorkDir::read(QStringLiteral("elsewhere/list")), QByteArray("a\nb"));
    QCOMPARE(QDir(QStringLiteral("elsewhere")).entryList(QDir::Files | QDir::Hidden), (QStringList{".list.lock", "list"}));
}

void TestProductBacklog::protectedFileIsNeverOverwritten_data()
{
    QTest::addColumn<int>("permissions");
    QTest::newRow("unreadable") << 0;
    QTest::newRow("read-only") << int(QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
}

void TestProductBacklog::protectedFileIsNeverOverwritten()
{
    QFETCH(int, permissions);

    // Root reads and writes every file, so the store runs in a child without privileges.
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() != 0 || setpriv.isEmpty())
        QSKIP("needs root and setpriv to run a store without privileges");

    WorkDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                  | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther));
    QVERIFY(WorkDir::write(productbacklog::fileName(), "kept"));
    QVERIFY(QFile::setPermissions(productbacklog::fileName(), QFileDevice::Permissions(permissions)));

    QProcess driver;
    driver.start(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", STORE_DRIVER, "add", "backlog", "lost?"});
    QVERIFY(driver.waitForFinished());
    const QString said = QString::fromLocal8Bit(driver.readAllStandardError());
    QCOMPARE(driver.exitCode(), 1);
    QVERIFY2(said.contains(productbacklog::fileName()) && said.contains(QLatin1String("Permission denied")), qPrintable(said));
    QCOMPARE(WorkDir::read(productbacklog::fileName()), QByteArray("kept"));
}

void TestProductBacklog::twoProcessesAppendingKeepEveryTask()
{
    WorkDir dir;
    const int count = 300;
    QProcess first;
    QProcess second;
    first.start(STORE_DRIVER, {"append", "backlog", "p", QString::number(count)});
    second.start(STORE_DRIVER, {"append", "backlog", "q", QString::number(count)});
    QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
    QVERIFY2(first.exitCode() == 0, first.readAllStandardError().constData());
    QVERIFY2(second.exitCode() == 0, second.readAllStandardError().constData());

    // Each process's tasks are all there, in the order it added them.
    const QStringList tasks = productbacklog().getItems();
    QCOMPARE(tasks.size(), 2 * count);
    for (const QString &prefix : {QStringLiteral("p"), QStringLiteral("q")}) {
        QStringList expected;
        for (int i = 0; i < count; ++i)
            expected << prefix + QString::number(i);
        QCOMPARE(tasks.filter(QRegularExpression('^' + prefix)), expected);
    }
}

QTEST_GUILESS_MAIN(TestProductBacklog)
#include "tst_productbacklog.moc"
