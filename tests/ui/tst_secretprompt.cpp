// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modaldriver.h"
#include "productbacklog.h"
#include "secretprompt.h"
#include "sprint.h"
#include "sprintwindow.h"
#include "unlockcheck.h"
#include "workdir.h"

#include <QLineEdit>
#include <QtTest>

class TestSecretPrompt : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { UnlockCheck::setPrompt(nullptr); }
    void ask_data();
    void ask();
    void openingTheUnlockSprintInAWindowPrompts();
};

void TestSecretPrompt::ask_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accept");

    QTest::newRow("OK with text") << QStringLiteral("some words") << true;
    QTest::newRow("OK with nothing typed") << QString() << true;
    QTest::newRow("Cancel with text") << QStringLiteral("some words") << false;
}

void TestSecretPrompt::ask()
{
    QFETCH(QString, typed);
    QFETCH(bool, accept);

    ModalDriver driver;
    bool parentless = false;
    bool plainTextInput = false;
    driver.add([&](QWidget *w) {
        auto *dialog = qobject_cast<QInputDialog *>(w);
        QVERIFY(dialog);
        parentless = !dialog->parentWidget();
        plainTextInput = dialog->inputMode() == QInputDialog::TextInput
            && dialog->textEchoMode() == QLineEdit::Normal;
        QTest::keyClicks(dialog->findChild<QLineEdit *>(), typed);
        accept ? dialog->accept() : dialog->reject();
    });
    QString secret = QStringLiteral("untouched");
    QCOMPARE(SecretPrompt::ask(&secret), accept);

    QVERIFY2(driver.done() && driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(", ")));
    QCOMPARE(driver.titles, QStringList{"Sec"});
    QCOMPARE(driver.labels, QStringList{QInputDialog().labelText()});
    QVERIFY(parentless);
    QVERIFY(plainTextInput);
    QCOMPARE(secret, accept ? typed : QStringLiteral("untouched"));
}

void TestSecretPrompt::openingTheUnlockSprintInAWindowPrompts()
{
    WorkDir dir;
    for (int n = 1; n < UnlockCheck::sprintNumber; ++n)
        QVERIFY(WorkDir::write(Sprint::fileName(n), QByteArray()));
    QVERIFY(WorkDir::write(productbacklog::fileName(), "kept"));
    SecretPrompt::install();
    QVERIFY(UnlockCheck::hasPrompt());

    ModalDriver driver;
    driver.add(ModalDriver::enterText(QString::fromLatin1("Fj\xf8rd-\xc4mber7")));
    SprintWindow window;
    window.initSprint(UnlockCheck::sprintNumber);
    QCOMPARE(driver.titles, QStringList{"Sec"});
    QVERIFY(driver.done());
    // The sprint opens as usual once the prompt is answered.
    QVERIFY(window.s);
    QVERIFY(QFile::exists(Sprint::fileName(UnlockCheck::sprintNumber)));
    const QString message = QString::fromLatin1("Bravo! Tous les sprints l\xe0");
    QCOMPARE(productbacklog().getItems(), (QStringList{QStringLiteral("kept"), message}));
}

QTEST_MAIN(TestSecretPrompt)
#include "tst_secretprompt.moc"
