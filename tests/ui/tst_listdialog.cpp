// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listdialog.h"
#include "modaldriver.h"
#include "taskdelegate.h"
#include "windowprobe.h"

#include <QDialogButtonBox>
#include <QStyledItemDelegate>
#include <QtTest>

class TestListDialog : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Probe::desktopFont(); }
    void form_data();
    void form();
    void selection_data();
    void selection();
    void rowsShowABoundedPartOfTheirTask_data();
    void rowsShowABoundedPartOfTheirTask();
};

void TestListDialog::form_data()
{
    Probe::formColumns();
    Probe::formRow("buttonBox", "QDialogButtonBox", QRect(30, 250, 341, 32));
    Probe::formRow("list", "QListWidget", QRect(30, 20, 341, 211));
}

void TestListDialog::form()
{
    ListDialog dialog(nullptr);
    Probe::window(dialog, "ListDialog", "Dialog", QSize(400, 300), {});
    Probe::child(dialog, &dialog);
    if (QTest::currentTestFailed())
        return;
    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QCOMPARE(box->orientation(), Qt::Horizontal);
    QCOMPARE(box->standardButtons(), QDialogButtonBox::Cancel | QDialogButtonBox::Ok);
    QCOMPARE(Probe::list(dialog, "list")->count(), 0);
}

void TestListDialog::selection_data()
{
    QTest::addColumn<bool>("multi");
    QTest::addColumn<QList<int>>("clicked");     // rows, in click order
    QTest::addColumn<QString>("close");          // OK, Cancel, Enter, or "double" on the row last clicked;
                                                 // "Ctrl+A, OK" where the focus is
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<QString>("typed");          // into the list, after the clicks
    QTest::addColumn<QList<int>>("then");        // rows clicked (with Ctrl) among those shown then

    QTest::newRow("single: a second row replaces the first")
        << false << QList<int>{0, 2} << "OK" << true << QStringList{"c"} << QString() << QList<int>{};
    QTest::newRow("multi: rows in the order they were chosen")
        << true << QList<int>{2, 0} << "OK" << true << QStringList{"c", "a"} << QString() << QList<int>{};
    QTest::newRow("multi: equal strings both come back")
        << true << QList<int>{3, 4} << "OK" << true << QStringList{"d", "d"} << QString() << QList<int>{};
    QTest::newRow("nothing clicked: the first row") << true << QList<int>{} << "OK" << true << QStringList{"a"} << QString() << QList<int>{};
    QTest::newRow("Enter takes the first row") << false << QList<int>{} << "Enter" << true << QStringList{"a"} << QString() << QList<int>{};
    QTest::newRow("Enter takes the rows chosen") << true << QList<int>{1, 3} << "Enter" << true
                                                 << QStringList{"b", "d"} << QString() << QList<int>{};
    QTest::newRow("double click") << false << QList<int>{3} << "double" << true << QStringList{"d"} << QString() << QList<int>{};
    // The choice made before the dialog closed is still there to read.
    QTest::newRow("Cancel") << false << QList<int>{1} << "Cancel" << false << QStringList{"b"} << QString() << QList<int>{};
    // Typing filters the rows: the chosen ones still shown stay chosen, in
    // the order chosen, and the hidden ones are not chosen.
    QTest::newRow("multi: typing keeps the chosen rows shown")
        << true << QList<int>{2, 5, 0} << "OK" << true << QStringList{"ba", "a"} << "a" << QList<int>{};
    QTest::newRow("multi: chosen among the rows shown")
        << true << QList<int>{} << "OK" << true << QStringList{"a", "ba"} << "a" << QList<int>{1};
    QTest::newRow("multi: Ctrl+A in the filter chooses the rows shown")
        << true << QList<int>{} << "Ctrl+A, OK" << true << QStringList{"a", "ba"} << "a" << QList<int>{};
    QTest::newRow("single: nothing matches") << false << QList<int>{1} << "OK" << true << QStringList() << "zz"
                                             << QList<int>{};
}

// Rows clicked (with Ctrl after the first), then the dialog closed.
void TestListDialog::selection()
{
    QFETCH(bool, multi);
    QFETCH(QList<int>, clicked);
    QFETCH(QString, close);
    QFETCH(bool, accepted);
    QFETCH(QStringList, expected);
    QFETCH(QString, typed);
    QFETCH(QList<int>, then);

    ListDialog dialog(nullptr);
    dialog.setList({"a", "b", "c", "d", "d", "ba"});
    if (multi)
        dialog.enableMultiselect();
    ModalDriver driver;
    driver.add([&](QWidget *w) {
        QListWidget *list = Probe::list(*w, "list");
        QRect rect;
        for (int i = 0; i < clicked.size(); ++i) {
            rect = list->visualItemRect(list->item(clicked.at(i)));
            QTest::mouseClick(list->viewport(), Qt::LeftButton,
                              i == 0 ? Qt::NoModifier : Qt::ControlModifier, rect.center());
        }
        QTest::keyClicks(list, typed);
        for (const int row : then)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, Qt::ControlModifier,
                              list->visualItemRect(list->item(row)).center());
        auto *box = w->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        if (close.startsWith("Ctrl+A")) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_A, Qt::ControlModifier);
            close = "OK";
        }
        if (close == "OK" || close == "Cancel")
            box->button(close == "OK" ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel)->click();
        else if (close == "double")
            QTest::mouseDClick(list->viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
        else
            QTest::keyClick(list, Qt::Key_Return);
    });
    QCOMPARE(dialog.exec(), int(accepted ? QDialog::Accepted : QDialog::Rejected));
    QVERIFY2(driver.done() && driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(", ")));
    QCOMPARE(dialog.getSelected(), expected);
    // Each call reads the selection afresh and gives the same answer.
    QCOMPARE(dialog.getSelected(), expected);
}

void TestListDialog::rowsShowABoundedPartOfTheirTask_data()
{
    QTest::addColumn<QString>("task");
    QTest::addColumn<QString>("shown");

    const int limit = TaskDelegate::RowLimit;
    const QString x(limit, QLatin1Char('x'));
    const QString ellipsis(QChar(0x2026));
    const QString smile = QString::fromUtf8("\xf0\x9f\x98\x80");  // two UTF-16 units
    QTest::newRow("short") << "Fix bug" << "Fix bug";
    QTest::newRow("exactly at the limit") << x << x;
    QTest::newRow("one past the limit") << x + "y" << x + ellipsis;
    QTest::newRow("15 million characters") << QString(15000000, QLatin1Char('x')) << x + ellipsis;
    QTest::newRow("a surrogate pair across the limit") << x.left(limit - 1) + smile << x.left(limit - 1) + ellipsis;
    QTest::newRow("a surrogate pair ending at the limit") << x.left(limit - 2) + smile + "y" << x.left(limit - 2) + smile + ellipsis;
}

// A row draws a bounded part of its task, but holds, and hands back, all of it.
void TestListDialog::rowsShowABoundedPartOfTheirTask()
{
    QFETCH(QString, task);
    QFETCH(QString, shown);

    ListDialog dialog(nullptr);
    dialog.setList({task});
    QListWidget *list = Probe::list(dialog, "list");
    auto *delegate = qobject_cast<QStyledItemDelegate *>(list->itemDelegate());
    QVERIFY(delegate);
    QCOMPARE(delegate->displayText(list->item(0)->data(Qt::DisplayRole), QLocale()), shown);
    list->setCurrentRow(0);
    QCOMPARE(dialog.getSelected(), QStringList{task});
}

QTEST_MAIN(TestListDialog)
#include "tst_listdialog.moc"
