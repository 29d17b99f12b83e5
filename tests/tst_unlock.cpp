#include "hiddenmessage.h"
#include "productbacklog.h"
#include "sprint.h"
#include "unlockcheck.h"
#include "workdir.h"

#include <QFile>
#include <QRandomGenerator>
#include <QtTest>

#include <sys/stat.h>

namespace {

// The program's own passphrase and message; only the tests spell them out.
const QString passphrase = QString::fromLatin1("Fj\xf8rd-\xc4mber7");
const QString message = QString::fromLatin1("Bravo! Tous les sprints l\xe0");

const int unlockNumber = 2917;

// Creates the empty sprint files first..last, leaving out the number skip.
bool createSprintFiles(int first, int last, int skip = 0)
{
    for (int n = first; n <= last; ++n) {
        if (n == skip)
            continue;
        QFile file(Sprint::fileName(n));
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

// Identifies one version of a file: a store writes by renaming a new file
// over the old, so any write changes these.
struct FileVersion {
    quint64 inode = 0;
    qint64 modifiedNs = 0;
    bool operator==(const FileVersion &other) const
    {
        return inode == other.inode && modifiedNs == other.modifiedNs;
    }
};

FileVersion versionOf(const QString &name)
{
    struct stat info;
    if (::stat(QFile::encodeName(name).constData(), &info) != 0)
        return {};
    return {quint64(info.st_ino), qint64(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec};
}

// Deciphering as the composite rotations it amounts to, written apart from
// the program's step-by-step version so that each checks the other.
QString referenceDecipher(const QByteArray &block, const QString &key)
{
    auto rotateRight1 = [](quint8 v) { return quint8((v >> 1) | (v << 7)); };
    auto rotateLeft1 = [](quint8 v) { return quint8((v << 1) | (v >> 7)); };
    QString text;
    for (int i = 0; i < block.size(); ++i) {
        const quint8 k = quint8(key.at(i % key.size()).unicode());
        const quint8 m = rotateRight1(quint8(rotateRight1(quint8(block.at(i))) ^ k ^ rotateLeft1(k)));
        text.append(QChar(m));
    }
    return text;
}

QString randomLatin1(QRandomGenerator &random, int length, bool oneLine)
{
    QString text;
    while (text.size() < length) {
        const ushort code = ushort(random.bounded(1, 256));
        if (oneLine && (code == '\n' || code == '\r'))
            continue;
        text.append(QChar(code));
    }
    return text;
}

} // namespace

class TestUnlock : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void rotations_data();
    void rotations();
    void encipherThenDecipherIsTheIdentity();

    void promptComesForTheUnlockSprint_data();
    void promptComesForTheUnlockSprint();
    void answers_data();
    void answers();
    void rightPassphraseTwiceWritesOnce();
    void noPromptWhenALowerFileIsMissing_data();
    void noPromptWhenALowerFileIsMissing();
    void noPromptForOtherNumbers_data();
    void noPromptForOtherNumbers();
    void noPromptInstalledAsksNothing();
    void write_data();
    void write();

private:
    int m_calls = 0;
    bool m_accept = false;
    QString m_answer;
};

void TestUnlock::init()
{
    m_calls = 0;
    m_accept = false;
    m_answer.clear();
    UnlockCheck::setPrompt([this](QString *secret) {
        ++m_calls;
        *secret = m_answer;
        return m_accept;
    });
}

void TestUnlock::cleanup()
{
    UnlockCheck::setPrompt(nullptr);
}

void TestUnlock::rotations_data()
{
    QTest::addColumn<int>("value");
    QTest::addColumn<int>("bits");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("right");

    QTest::newRow("low bit by one") << 0x01 << 1 << 0x02 << 0x80;
    QTest::newRow("high bit by one") << 0x80 << 1 << 0x01 << 0x40;
    QTest::newRow("both ends by three") << 0x81 << 3 << 0x0c << 0x30;
    QTest::newRow("nibbles swap") << 0x96 << 4 << 0x69 << 0x69;
    QTest::newRow("by seven") << 0x03 << 7 << 0x81 << 0x06;
    QTest::newRow("by nought") << 0xa5 << 0 << 0xa5 << 0xa5;
    QTest::newRow("by eight wraps round") << 0xa5 << 8 << 0xa5 << 0xa5;
}

void TestUnlock::rotations()
{
    QFETCH(int, value);
    QFETCH(int, bits);
    QFETCH(int, left);
    QFETCH(int, right);

    QCOMPARE(int(HiddenMessage::rotl8(quint8(value), bits)), left);
    QCOMPARE(int(HiddenMessage::rotr8(quint8(value), bits)), right);
}

void TestUnlock::encipherThenDecipherIsTheIdentity()
{
    QRandomGenerator random(unlockNumber);
    for (int round = 0; round < 300; ++round) {
        const QString key = randomLatin1(random, 12, false);
        const QString text = randomLatin1(random, 26, true);
        const quint8 mask = quint8(random.bounded(256));

        const QByteArray block = HiddenMessage::encipher(text, key);
        QCOMPARE(block.size(), text.size());
        QCOMPARE(HiddenMessage::decipher(block, key), text);
        QCOMPARE(referenceDecipher(block, key), text);

        const QVector<qint32> table = HiddenMessage::table(key, mask);
        for (const qint32 entry : table)
            QVERIFY2(entry >= -128 && entry <= 127, qPrintable(QString::number(entry)));
        QVERIFY(HiddenMessage::matches(key, table, mask));

        // One character changed, whether to another Latin-1 character or to
        // one outside Latin-1 with the same low byte, no longer matches.
        const int at = random.bounded(key.size());
        QString other = key;
        other[at] = QChar(ushort(key.at(at).unicode() % 255 + 1));
        QVERIFY(!HiddenMessage::matches(other, table, mask));
        other[at] = QChar(ushort(key.at(at).unicode() + 0x100));
        QVERIFY(!HiddenMessage::matches(other, table, mask));
    }
}

void TestUnlock::promptComesForTheUnlockSprint_data()
{
    QTest::addColumn<bool>("sprintFileExists");
    QTest::addColumn<bool>("byMove");

    QTest::newRow("opening a new sprint") << false << false;
    QTest::newRow("opening an existing sprint") << true << false;
    QTest::newRow("moving a task into a new sprint") << false << true;
    QTest::newRow("moving a task into an existing sprint") << true << true;
}

void TestUnlock::promptComesForTheUnlockSprint()
{
    QFETCH(bool, sprintFileExists);
    QFETCH(bool, byMove);

    WorkDir dir;
    QVERIFY(createSprintFiles(1, sprintFileExists ? unlockNumber : unlockNumber - 1));
    if (byMove) {
        QVERIFY(WorkDir::write(Sprint::fileName(5), "carry"));
        Sprint from(5);
        QCOMPARE(m_calls, 0);
        QVERIFY(from.moveTask(QStringLiteral("carry"), unlockNumber));
        QCOMPARE(m_calls, 1);
        // The move goes on once the prompt has closed.
        QCOMPARE(WorkDir::read(Sprint::fileName(unlockNumber)), QByteArray("carry"));
        QVERIFY(from.getTasks().isEmpty());
    } else {
        Sprint sprint(unlockNumber);
        QCOMPARE(m_calls, 1);
        QVERIFY(sprint.getTasks().isEmpty());
    }
}

void TestUnlock::answers_data()
{
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("revealed");

    QTest::newRow("right passphrase") << true << passphrase << true;
    QTest::newRow("wrong text") << true << QStringLiteral("open sesame!") << false;
    QTest::newRow("first eleven characters") << true << passphrase.left(11) << false;
    QTest::newRow("one character more") << true << passphrase + QLatin1Char('7') << false;
    QTest::newRow("different case") << true << passphrase.toUpper() << false;
    QTest::newRow("last character changed") << true << passphrase.left(11) + QLatin1Char('8') << false;
    QTest::newRow("empty text") << true << QString() << false;
    QTest::newRow("cancel after typing the passphrase") << false << passphrase << false;
}

void TestUnlock::answers()
{
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    QFETCH(bool, revealed);

    WorkDir dir;
    QVERIFY(createSprintFiles(1, unlockNumber - 1));
    QVERIFY(WorkDir::write(productbacklog::fileName(), "existing\r\n"));
    const FileVersion before = versionOf(productbacklog::fileName());
    m_accept = accept;
    m_answer = answer;

    Sprint sprint(unlockNumber);
    QCOMPARE(m_calls, 1);
    QVERIFY(QFile::exists(Sprint::fileName(unlockNumber)));
    if (revealed) {
        QCOMPARE(WorkDir::read(productbacklog::fileName()), "existing\n" + message.toUtf8());
    } else {
        QCOMPARE(WorkDir::read(productbacklog::fileName()), QByteArray("existing\r\n"));
        QVERIFY(versionOf(productbacklog::fileName()) == before);
    }
}

void TestUnlock::rightPassphraseTwiceWritesOnce()
{
    WorkDir dir;
    QVERIFY(createSprintFiles(1, unlockNumber - 1));
    m_accept = true;
    m_answer = passphrase;

    { Sprint first(unlockNumber); }
    const QByteArray revealed = WorkDir::read(productbacklog::fileName());
    QCOMPARE(revealed, message.toUtf8());
    const FileVersion first = versionOf(productbacklog::fileName());

    { Sprint second(unlockNumber); }
    QCOMPARE(m_calls, 2);
    QCOMPARE(WorkDir::read(productbacklog::fileName()), revealed);
    QVERIFY2(versionOf(productbacklog::fileName()) == first, "the backlog file was written again");
}

void TestUnlock::noPromptWhenALowerFileIsMissing_data()
{
    QTest::addColumn<int>("missing");

    QTest::newRow("sprint1") << 1;
    QTest::newRow("sprint2") << 2;
    QTest::newRow("sprint1458") << 1458;
    QTest::newRow("sprint2916") << 2916;
}

void TestUnlock::noPromptWhenALowerFileIsMissing()
{
    QFETCH(int, missing);

    WorkDir dir;
    QVERIFY(createSprintFiles(1, unlockNumber - 1, missing));
    m_accept = true;
    m_answer = passphrase;

    Sprint sprint(unlockNumber);
    QCOMPARE(m_calls, 0);
    QVERIFY(!QFile::exists(productbacklog::fileName()));
    QVERIFY(QFile::exists(Sprint::fileName(unlockNumber)));
}

void TestUnlock::noPromptForOtherNumbers_data()
{
    QTest::addColumn<int>("number");

    QTest::newRow("1") << 1;
    QTest::newRow("2916") << 2916;
    QTest::newRow("2918") << 2918;
    QTest::newRow("0") << 0;
    QTest::newRow("-2917") << -2917;
    QTest::newRow("29170") << 29170;
}

void TestUnlock::noPromptForOtherNumbers()
{
    QFETCH(int, number);

    WorkDir dir;
    QVERIFY(createSprintFiles(1, unlockNumber + 1));
    m_accept = true;
    m_answer = passphrase;

    Sprint sprint(number);
    QCOMPARE(m_calls, 0);
    QVERIFY(!QFile::exists(productbacklog::fileName()));
}

void TestUnlock::noPromptInstalledAsksNothing()
{
    WorkDir dir;
    QVERIFY(createSprintFiles(1, unlockNumber - 1));
    UnlockCheck::setPrompt(nullptr);
    QVERIFY(!UnlockCheck::hasPrompt());

    Sprint sprint(unlockNumber);
    QVERIFY(QFile::exists(Sprint::fileName(unlockNumber)));
    QVERIFY(!QFile::exists(productbacklog::fileName()));
}

void TestUnlock::write_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("secret");
    QTest::addColumn<bool>("result");
    QTest::addColumn<bool>("revealed");
    QTest::addColumn<bool>("failure");

    QTest::newRow("right passphrase appends") << QByteArray("a\nb") << passphrase << true << true << false;
    QTest::newRow("message already present") << QByteArray("a\n") + message.toUtf8() << passphrase << true << false << false;
    QTest::newRow("wrong passphrase") << QByteArray("a") << passphrase.left(11) + QLatin1Char('x') << false << false << false;
    QTest::newRow("not text: never overwritten") << QByteArray("a\n\xff\xfe") << passphrase << false << false << true;
}

void TestUnlock::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, secret);
    QFETCH(bool, result);
    QFETCH(bool, revealed);
    QFETCH(bool, failure);

    WorkDir dir;
    QVERIFY(WorkDir::write(productbacklog::fileName(), before));
    productbacklog pb;
    const FileVersion version = versionOf(productbacklog::fileName());

    QCOMPARE(pb.write(secret), result);
    QCOMPARE(pb.errorString().isEmpty(), !failure);
    if (revealed) {
        QCOMPARE(WorkDir::read(productbacklog::fileName()), before + '\n' + message.toUtf8());
        QCOMPARE(pb.getItems().constLast(), message);
    } else {
        QCOMPARE(WorkDir::read(productbacklog::fileName()), before);
        QVERIFY(versionOf(productbacklog::fileName()) == version);
    }
}

QTEST_GUILESS_MAIN(TestUnlock)
#include "tst_unlock.moc"
