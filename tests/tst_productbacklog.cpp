#include "productbacklog.h"
#include "tasklistcodec.h"
#include "workdir.h"

#include <QFileInfo>
#include <QProcess>
#include <QTextCodec>
#include <QtTest>

#include <unistd.h>

class TestProductBacklog : public QObject
{
    Q_OBJECT

private slots:
    void firstStartCreatesAnEmptyFile();
    void changes_data();
    void changes();
    void twoStoresKeepBothChanges();
    void nulSurvives();
    void utf8LoadsUnderLatin1Locale();
    void directoryIsLeftAlone();
    void invalidUtf8IsShownButNeverOverwritten();
    void removedFileIsNotRecreatedFromAStaleList();
    void symbolicLinkKeepsPointingAtItsTarget();
    void unreadableFileIsNeverOverwritten();
    void twoProcessesAppendingKeepEveryTask();
};

void TestProductBacklog::firstStartCreatesAnEmptyFile()
{
    WorkDir dir;
    productbacklog store;
    QVERIFY(store.errorString().isEmpty());
    QVERIFY(QFileInfo(QStringLiteral("product_backlog")).isFile());
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), QByteArray());
    QVERIFY(store.getItems().isEmpty());
}

// Operations are written as "+text" (add), "-text" (remove) and "=old>new" (edit).
void TestProductBacklog::changes_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QStringList>("operations");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("add appends") << QByteArray("a\nb") << QStringList{"+c"} << QByteArray("a\nb\nc");
    QTest::newRow("add of a present task writes nothing") << QByteArray("a\r\nb\r\n") << QStringList{"+a"} << QByteArray("a\r\nb\r\n");
    QTest::newRow("add differing in case") << QByteArray("a") << QStringList{"+A"} << QByteArray("a\nA");
    QTest::newRow("add to an empty file") << QByteArray() << QStringList{"+a"} << QByteArray("a");
    QTest::newRow("add of several lines") << QByteArray("a") << QStringList{"+x\ny"} << QByteArray("a\nx\ny");
    QTest::newRow("add of spaces") << QByteArray("a") << QStringList{"+  "} << QByteArray("a\n  ");
    QTest::newRow("remove takes the first of two") << QByteArray("a\nb\na") << QStringList{"-a"} << QByteArray("b\na");
    QTest::newRow("remove of no task normalises") << QByteArray("a\r\nb\n") << QStringList{"-z"} << QByteArray("a\nb");
    QTest::newRow("remove the only task") << QByteArray("a") << QStringList{"-a"} << QByteArray();
    QTest::newRow("edit takes the first of two") << QByteArray("a\nb\na") << QStringList{"=a>c"} << QByteArray("c\nb\na");
    QTest::newRow("edit to the text unchanged rewrites") << QByteArray("a\r\n") << QStringList{"=a>a"} << QByteArray("a");
    QTest::newRow("edit of no task drops the bom") << QByteArray("\xef\xbb\xbf" "a\n") << QStringList{"=z>y"} << QByteArray("a");
    QTest::newRow("edit makes twins, remove takes the earlier")
        << QByteArray("a\nb\nc") << QStringList{"=c>a", "-a"} << QByteArray("b\na");
    QTest::newRow("edit into several lines") << QByteArray("a\nb") << QStringList{"=a>x\ny"} << QByteArray("x\ny\nb");
}

void TestProductBacklog::changes()
{
    QFETCH(QByteArray, before);
    QFETCH(QStringList, operations);
    QFETCH(QByteArray, after);

    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), before));
    productbacklog store;
    for (const QString &operation : operations) {
        const QString text = operation.mid(1);
        bool ok = false;
        switch (operation.at(0).toLatin1()) {
        case '+': ok = store.addItem(text); break;
        case '-': ok = store.removeItem(text); break;
        case '=': ok = store.editItem(text.section('>', 0, 0), text.section('>', 1)); break;
        }
        QVERIFY2(ok, qPrintable(operation + ": " + store.errorString()));
    }
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), after);
    // The list is what loading the file gives, so a window can show it as it is.
    QCOMPARE(store.getItems(), TaskListCodec::decode(after).tasks);
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
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), QByteArray("y\nz"));
    QCOMPARE(second.getItems(), (QStringList{"y", "z"}));

    QCOMPARE(first.getItems(), (QStringList{"x", "y", "z"}));
    QVERIFY(first.refresh());
    QCOMPARE(first.getItems(), (QStringList{"y", "z"}));
    QVERIFY2(!first.refresh(), "an unchanged file is not read again");
}

void TestProductBacklog::nulSurvives()
{
    WorkDir dir;
    const QString withNul = QString::fromUtf8("a\0b", 3);
    {
        productbacklog store;
        QVERIFY(store.addItem(withNul));
        QVERIFY(store.addItem(QStringLiteral("c")));
    }
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), QByteArray("a\0b\nc", 5));
    QCOMPARE(productbacklog().getItems(), (QStringList{withNul, "c"}));
}

void TestProductBacklog::utf8LoadsUnderLatin1Locale()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), "caf\xc3\xa9"));
    QTextCodec *saved = QTextCodec::codecForLocale();
    QTextCodec::setCodecForLocale(QTextCodec::codecForName("ISO-8859-1"));
    productbacklog store;
    const bool added = store.addItem(QStringLiteral("x"));
    QTextCodec::setCodecForLocale(saved);

    QVERIFY(added);
    QCOMPARE(store.getItems(), (QStringList{QString::fromUtf8("caf\xc3\xa9"), "x"}));
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), QByteArray("caf\xc3\xa9\nx"));
}

void TestProductBacklog::directoryIsLeftAlone()
{
    WorkDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("product_backlog")));
    productbacklog store;
    QVERIFY(store.isReadOnly());
    QVERIFY2(store.errorString().contains(QLatin1String("product_backlog")), qPrintable(store.errorString()));
    QVERIFY(!store.addItem(QStringLiteral("a")));
    QVERIFY(store.errorString().contains(QLatin1String("product_backlog")));
    QVERIFY(QFileInfo(QStringLiteral("product_backlog")).isDir());
    QVERIFY(store.getItems().isEmpty());
}

void TestProductBacklog::invalidUtf8IsShownButNeverOverwritten()
{
    WorkDir dir;
    const QByteArray bytes("a\r\ncaf\xe9");
    QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), bytes));
    productbacklog store;
    QVERIFY(store.isReadOnly());
    QVERIFY2(store.errorString().contains(QLatin1String("UTF-8")), qPrintable(store.errorString()));
    QCOMPARE(store.getItems().size(), 2);
    QCOMPARE(store.getItems().first(), QStringLiteral("a"));

    QVERIFY(!store.addItem(QStringLiteral("b")));
    QVERIFY(!store.removeItem(QStringLiteral("a")));
    QVERIFY(!store.editItem(QStringLiteral("a"), QStringLiteral("b")));
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), bytes);
}

void TestProductBacklog::removedFileIsNotRecreatedFromAStaleList()
{
    WorkDir dir;
    QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), "a\nb"));
    productbacklog store;
    QVERIFY(QFile::remove(QStringLiteral("product_backlog")));

    QVERIFY(!store.addItem(QStringLiteral("c")));
    QVERIFY2(store.errorString().contains(QLatin1String("removed")), qPrintable(store.errorString()));
    QVERIFY(store.getItems().isEmpty());
    QVERIFY(!QFile::exists(QStringLiteral("product_backlog")));

    // The user now sees the empty list; the next change starts a new file.
    QVERIFY(store.addItem(QStringLiteral("c")));
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), QByteArray("c"));
}

void TestProductBacklog::symbolicLinkKeepsPointingAtItsTarget()
{
    WorkDir dir;
    QVERIFY(QDir().mkdir(QStringLiteral("elsewhere")));
    QVERIFY(WorkDir::write(QStringLiteral("elsewhere/list"), "a"));
    QVERIFY(QFile::link(QStringLiteral("elsewhere/list"), QStringLiteral("product_backlog")));

    productbacklog store;
    QVERIFY(store.addItem(QStringLiteral("b")));
    QVERIFY(QFileInfo(QStringLiteral("product_backlog")).isSymLink());
    QCOMPARE(WorkDir::read(QStringLiteral("elsewhere/list")), QByteArray("a\nb"));
    QCOMPARE(QDir(QStringLiteral("elsewhere")).entryList(QDir::Files | QDir::Hidden), (QStringList{".list.lock", "list"}));
}

void TestProductBacklog::unreadableFileIsNeverOverwritten()
{
    // Root reads every file, so the store runs in a child without privileges.
    const QString setpriv = QStandardPaths::findExecutable(QStringLiteral("setpriv"));
    if (::geteuid() != 0 || setpriv.isEmpty())
        QSKIP("needs root and setpriv to run a store without privileges");

    WorkDir dir;
    QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                  | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther));
    QVERIFY(WorkDir::write(QStringLiteral("product_backlog"), "kept"));
    QVERIFY(QFile::setPermissions(QStringLiteral("product_backlog"), QFileDevice::Permissions()));

    QProcess driver;
    driver.start(setpriv, {"--reuid=65534", "--regid=65534", "--clear-groups", STORE_DRIVER, "add", "backlog", "lost?"});
    QVERIFY(driver.waitForFinished());
    const QString said = QString::fromLocal8Bit(driver.readAllStandardError());
    QCOMPARE(driver.exitCode(), 1);
    QVERIFY2(said.contains(QLatin1String("product_backlog")) && said.contains(QLatin1String("Permission denied")),
             qPrintable(said));
    QCOMPARE(WorkDir::read(QStringLiteral("product_backlog")), QByteArray("kept"));
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

    const QStringList tasks = productbacklog().getItems();
    QCOMPARE(tasks.size(), 2 * count);
    // Each process's tasks are all there, in the order it added them.
    for (const QString &prefix : {QStringLiteral("p"), QStringLiteral("q")}) {
        QStringList expected;
        for (int i = 0; i < count; ++i)
            expected << prefix + QString::number(i);
        QCOMPARE(tasks.filter(QRegularExpression('^' + prefix)), expected);
    }
}

QTEST_GUILESS_MAIN(TestProductBacklog)
#include "tst_productbacklog.moc"
