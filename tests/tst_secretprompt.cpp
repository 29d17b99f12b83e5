#include "productbacklog.h"
#include "secretprompt.h"
#include "sprint.h"
#include "sprintwindow.h"
#include "unlockcheck.h"
#include "workdir.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

// What the test saw of the modal dialog it answered.
struct Seen {
    int dialogs = 0;
    QString title;
    QString label;
    bool hasParent = true;
    bool textInput = false;
    bool normalEcho = false;
};

// Answers the next modal dialog from inside its event loop: types text into
// it, then accepts or rejects it.
void answerNextDialog(Seen *seen, const QString &text, bool accept)
{
    auto *timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [=] {
        auto *dialog = qobject_cast<QInputDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        timer->stop();
        timer->deleteLater();
        ++seen->dialogs;
        seen->title = dialog->windowTitle();
        seen->label = dialog->labelText();
        seen->hasParent = dialog->parentWidget() != nullptr;
        seen->textInput = dialog->inputMode() == QInputDialog::TextInput;
        seen->normalEcho = dialog->textEchoMode() == QLineEdit::Normal;
        QLineEdit *edit = dialog->findChild<QLineEdit *>();
        if (edit)
            QTest::keyClicks(edit, text);
        if (accept)
            dialog->accept();
        else
            dialog->reject();
    });
    timer->start();
}

} // namespace

class TestSecretPrompt : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();
    void ask_data();
    void ask();
    void openingTheUnlockSprintInAWindowPrompts();
};

void TestSecretPrompt::cleanup()
{
    UnlockCheck::setPrompt(nullptr);
}

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

    Seen seen;
    answerNextDialog(&seen, typed, accept);
    QString secret = QStringLiteral("untouched");
    const bool accepted = SecretPrompt::ask(&secret);

    QCOMPARE(seen.dialogs, 1);
    QCOMPARE(seen.title, QStringLiteral("Sec"));
    QCOMPARE(seen.label, QInputDialog().labelText());
    QVERIFY(!seen.hasParent);
    QVERIFY(seen.textInput);
    QVERIFY(seen.normalEcho);
    QCOMPARE(accepted, accept);
    if (accept)
        QCOMPARE(secret, typed);
}

void TestSecretPrompt::openingTheUnlockSprintInAWindowPrompts()
{
    WorkDir dir;
    for (int n = 1; n < UnlockCheck::sprintNumber; ++n)
        QVERIFY(WorkDir::write(Sprint::fileName(n), QByteArray()));
    QVERIFY(WorkDir::write(productbacklog::fileName(), "kept"));
    SecretPrompt::install();
    QVERIFY(UnlockCheck::hasPrompt());

    const QString passphrase = QString::fromLatin1("Fj\xf8rd-\xc4mber7");
    const QString message = QString::fromLatin1("Bravo! Tous les sprints l\xe0");
    Seen seen;
    answerNextDialog(&seen, passphrase, true);
    SprintWindow window;
    window.initSprint(UnlockCheck::sprintNumber);
    QCOMPARE(seen.dialogs, 1);
    QCOMPARE(seen.title, QStringLiteral("Sec"));
    // The sprint opens as usual once the prompt is answered.
    QVERIFY(window.s);
    QVERIFY(QFile::exists(Sprint::fileName(UnlockCheck::sprintNumber)));
    QCOMPARE(productbacklog().getItems(), (QStringList{QStringLiteral("kept"), message}));
}

QTEST_MAIN(TestSecretPrompt)
#include "tst_secretprompt.moc"
