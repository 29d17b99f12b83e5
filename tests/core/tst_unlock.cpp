// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "hiddenmessage.h"
#include "productbacklog.h"
#include "sprint.h"
#include "unlockcheck.h"
#include "workdir.h"

#include <QRandomGenerator>
#include <QScopedPointer>
#include <QSet>
#include <QtTest>

namespace {

// The program's own passphrase and message; only the tests spell them out.
const QString passphrase = QString::fromLatin1("Fj\xf8rd-\xc4mber7");
const QString message = QString::fromLatin1("Bravo! Tous les sprints l\xe0");

const int unlockNumber = 2917;

// Deciphering as the composite rotations it amounts to, written apart from
// the program's step-by-step version so that each checks the other.
QString referenceDecipher(const QByteArray &block, const QString &key)
{
    auto rotateRight1 = [](quint8 v) { return quint8((v >> 1) | (v << 7)); };
    auto rotateLeft1 = [](quint8 v) { return quint8((v << 1) | (v >> 7)); };
    QString text;
    for (int i = 0; i < block.size(); ++i) {
        const quint8 k = quint8(key.at(i % key.size()).unicode());
        text.append(QChar(rotateRight1(quint8(rotateRight1(quint8(block.at(i))) ^ k ^ rotateLeft1(k)))));
    }
    return text;
}

QString randomLatin1(QRandomGenerator &random, int length, bool oneLine)
{
    QString text;
    while (text.size() < length) {
        const ushort code = ushort(random.bounded(1, 256));
        if (!oneLine || (code != '\n' && code != '\r'))
            text.append(QChar(code));
    }
    return text;
}

} // namespace

class TestUnlock : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void rotations_data();
    void rotations();
    void encipherThenDecipherIsTheIdentity();
    void answers_data();
    void answers();
    void noPrompt_data();
    void noPrompt();
    void write_data();
    void write();

private:
    // One directory for every case holding sprint1 .. sprint2916, empty: init()
    // puts it back as it was, which costs far less than making it again.
    QScopedPointer<WorkDir> m_dir;
    QSet<QString> m_lowerFiles;
    int m_calls = 0;
    bool m_accept = false;
    QString m_answer;
};

void TestUnlock::initTestCase()
{
    m_dir.reset(new WorkDir);
    QVERIFY(m_dir->isValid());
    for (int n = 1; n < unlockNumber; ++n)
        m_lowerFiles.insert(Sprint::fileName(n));
}

void TestUnlock::init()
{
    QVERIFY(QDir::setCurrent(m_dir->path()));
    const QStringList entries = QDir().entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : entries) {
        if (!m_lowerFiles.contains(name))
            QVERIFY2(QFile::remove(name), qPrintable(name));
    }
    for (const QString &name : qAsConst(m_lowerFiles)) {
        if (!QFileInfo::exists(name))
            QVERIFY(WorkDir::write(name, QByteArray()));
    }

    m_calls = 0;
    m_accept = true;
    m_answer = passphrase;
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
    QTest::newRow("by nine wraps round") << 0x01 << 9 << 0x02 << 0x80;
    QTest::newRow("by minus one wraps round") << 0x01 << -1 << 0x80 << 0x02;
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

// Sprint 2917 is opened, or a task is moved into it, with every lower sprint
// file there; the prompt gets the answer and is accepted or cancelled.
void TestUnlock::answers_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("byMove");
    QTest::addColumn<bool>("accept");
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("revealed");

    QTest::newRow("open new sprint, right passphrase") << false << false << true << passphrase << true;
    QTest::newRow("open existing sprint, right passphrase") << true << false << true << passphrase << true;
    QTest::newRow("move into new sprint, right passphrase") << false << true << true << passphrase << true;
    QTest::newRow("move into existing sprint, right passphrase") << true << true << true << passphrase << true;
    QTest::newRow("wrong text") << false << false << true << QStringLiteral("open sesame!") << false;
    QTest::newRow("first eleven characters") << false << false << true << passphrase.left(11) << false;
    QTest::newRow("one character more") << false << false << true << passphrase + QLatin1Char('7') << false;
    QTest::newRow("empty text") << false << false << true << QString() << false;
    QTest::newRow("move, cancel after typing the passphrase") << false << true << false << passphrase << false;
}

void TestUnlock::answers()
{
    QFETCH(bool, exists);
    QFETCH(bool, byMove);
    QFETCH(bool, accept);
    QFETCH(QString, answer);
    QFETCH(bool, revealed);

    const QString backlog = productbacklog::fileName();
    const QString unlockFile = Sprint::fileName(unlockNumber);
    // Line ends that any write would turn into plain line feeds.
    QVERIFY(WorkDir::write(backlog, "existing\r\n"));
    if (exists)
        QVERIFY(WorkDir::write(unlockFile, QByteArray()));
    m_accept = accept;
    m_answer = answer;

    if (byMove) {
        QVERIFY(WorkDir::write(Sprint::fileName(3000), "carry"));
        Sprint from(3000);
        QCOMPARE(m_calls, 0);
        QVERIFY(from.moveTask(QStringLiteral("carry"), unlockNumber));
        // The move goes on once the prompt has closed.
        QCOMPARE(WorkDir::read(unlockFile), QByteArray("carry"));
        QVERIFY(from.getTasks().isEmpty());
    } else {
        Sprint sprint(unlockNumber);
        QVERIFY(QFileInfo(unlockFile).isFile());
    }
    QCOMPARE(m_calls, 1);
    QCOMPARE(WorkDir::read(backlog), revealed ? "existing\n" + message.toUtf8() : QByteArray("existing\r\n"));

    if (revealed) {
        // Asked again, the message is there already: the file is not written.
        const QByteArray crlf = "existing\r\n" + message.toUtf8() + "\r\n";
        QVERIFY(WorkDir::write(backlog, crlf));
        { Sprint again(unlockNumber); }
        QCOMPARE(m_calls, 2);
        QCOMPARE(WorkDir::read(backlog), crlf);
    }
}

// Nothing is asked, and the backlog file is not even made, unless the sprint
// is 2917, every lower sprint file is there and a prompt is installed.
void TestUnlock::noPrompt_data()
{
    QTest::addColumn<int>("number");
    QTest::addColumn<int>("missing");
    QTest::addColumn<bool>("installed");

    for (int missing : {1, 2, 1458, 2916})
        QTest::addRow("sprint%d missing", missing) << unlockNumber << missing << true;
    for (int number : {1, 2916, 2918, 0, -2917, 29170})
        QTest::addRow("sprint %d", number) << number << 0 << true;
    QTest::newRow("no prompt installed") << unlockNumber << 0 << false;
}

void TestUnlock::noPrompt()
{
    QFETCH(int, number);
    QFETCH(int, missing);
    QFETCH(bool, installed);

    // With 2917 there too, a higher number has every lower file.
    QVERIFY(WorkDir::write(Sprint::fileName(unlockNumber), QByteArray()));
    if (missing)
        QVERIFY(QFile::remove(Sprint::fileName(missing)));
    if (!installed) {
        UnlockCheck::setPrompt(nullptr);
        QVERIFY(!UnlockCheck::hasPrompt());
    }

    Sprint sprint(number);
    QCOMPARE(m_calls, 0);
    QVERIFY(QFileInfo(Sprint::fileName(number)).isFile());
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
    QTest::newRow("message already present") << "a\r\n" + message.toUtf8() + "\r\n" << passphrase << true << false << false;
    QTest::newRow("wrong passphrase") << QByteArray("a\r\n") << passphrase.left(11) + QLatin1Char('x') << false << false << false;
    QTest::newRow("not text: never overwritten") << QByteArray("a\r\n\xff\xfe") << passphrase << false << false << true;
}

void TestUnlock::write()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, secret);
    QFETCH(bool, result);
    QFETCH(bool, revealed);
    QFETCH(bool, failure);

    // Line ends that any write would turn into plain line feeds.
    QVERIFY(WorkDir::write(productbacklog::fileName(), before));
    productbacklog pb;
    QCOMPARE(pb.write(secret), result);
    QCOMPARE(pb.errorString().isEmpty(), !failure);
    QCOMPARE(WorkDir::read(productbacklog::fileName()), revealed ? before + '\n' + message.toUtf8() : before);
    QCOMPARE(pb.getItems().contains(message), result);
}

QTEST_GUILESS_MAIN(TestUnlock)
#include "tst_unlock.moc"
