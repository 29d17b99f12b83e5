// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskdialog.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>

// The task dialog typed into key by key: it hands back the characters shown
// and typed, and the very string it was given when left as shown.
class TestTaskDialog : public QObject
{
    Q_OBJECT

private slots:
    void text_data();
    void text();
};

void TestTaskDialog::text_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<QString>("keys");  // text typed, and keys or <OK> in angle brackets
    QTest::addColumn<QString>("expected");  // "<cancelled>": the dialog was rejected
    const auto add = [](const char *tag, const char *given, const char *keys, const char *expected) {
        QTest::newRow(tag) << QString(given) << QString(keys) << QString(expected);
    };

    add("plain text, OK", "", "Write docs<OK>", "Write docs");
    add("Ctrl+Return accepts", "", "Write docs<Ctrl+Return>", "Write docs");
    add("Ctrl+Enter accepts", "", "Write docs<Ctrl+Enter>", "Write docs");
    add("Enter starts a new line", "", "x<Return>y<Ctrl+Return>", "x\ny");
    add("a no-break space stays", "", "10\u00a0am<OK>", "10\u00a0am");
    add("Shift+Enter is a line separator", "", "one<Shift+Return>two<OK>", "one\u2028two");
    add("Tab moves on to the buttons", "", "a<Tab>b<Ctrl+Return>", "a");
    add("Escape cancels", "", "x<Escape>", "<cancelled>");
    add("unchanged no-break space", "Meet at 10\u00a0am", "<OK>", "Meet at 10\u00a0am");
    add("unchanged line separator", "Part one\u2028part two", "<Ctrl+Return>", "Part one\u2028part two");
    add("unchanged paragraph separator", "Part one\u2029part two", "<OK>", "Part one\u2029part two");
    add("unchanged CR LF", "a\r\nb", "<OK>", "a\r\nb");
    add("edited, a paragraph separator is a line", "a\u2029b", "<Ctrl+End>c<OK>", "a\nbc");
}

void TestTaskDialog::text()
{
    QFETCH(QString, given);
    QFETCH(QString, keys);
    QFETCH(QString, expected);

    TaskDialog dialog(QStringLiteral("Edit task"), given);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    const QRegularExpression token(QStringLiteral("<([^>]+)>|[^<]+"));
    for (auto it = token.globalMatch(keys); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        const int key = QKeySequence::fromString(match.captured(1))[0];
        if (match.captured(1) == QLatin1String("OK"))
            dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
        else if (match.captured(1).isEmpty())
            QTest::keyClicks(dialog.focusWidget(), match.captured(0));
        else
            QTest::keyClick(dialog.focusWidget(), Qt::Key(key & ~Qt::KeyboardModifierMask),
                            Qt::KeyboardModifiers(key & Qt::KeyboardModifierMask));
    }
    QVERIFY(!dialog.isVisible());
    QCOMPARE(dialog.result() == QDialog::Accepted ? dialog.text() : QStringLiteral("<cancelled>"), expected);
}

QTEST_MAIN(TestTaskDialog)
#include "tst_taskdialog.moc"
