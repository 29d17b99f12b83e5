#include "listdialog.h"
#include "modaldriver.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QtTest>

class TestListDialog : public QObject
{
    Q_OBJECT

private slots:
    void form();
    void selection_data();
    void selection();
    void result_data();
    void result();

private:
    static QListWidget *listOf(ListDialog &dialog)
    {
        return dialog.findChild<QListWidget *>(QStringLiteral("list"));
    }
};

void TestListDialog::form()
{
    ListDialog dialog(nullptr);
    QCOMPARE(dialog.objectName(), QStringLiteral("ListDialog"));
    QCOMPARE(dialog.size(), QSize(400, 300));
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Dialog"));

    auto *box = dialog.findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
    QVERIFY(box);
    QCOMPARE(box->parentWidget(), &dialog);
    QCOMPARE(box->geometry(), QRect(30, 250, 341, 32));
    QCOMPARE(box->orientation(), Qt::Horizontal);
    QCOMPARE(box->standardButtons(), QDialogButtonBox::Cancel | QDialogButtonBox::Ok);

    QListWidget *list = listOf(dialog);
    QVERIFY(list);
    QCOMPARE(list->parentWidget(), &dialog);
    QCOMPARE(list->geometry(), QRect(30, 20, 341, 211));
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QVERIFY(!list->isSortingEnabled());
    QCOMPARE(list->count(), 0);

    // The dialog adds nothing of its own to the meta-object.
    const QMetaObject *meta = dialog.metaObject();
    QCOMPARE(meta->className(), "ListDialog");
    QCOMPARE(meta->methodCount(), meta->methodOffset());
    QCOMPARE(meta->propertyCount(), meta->propertyOffset());
}

void TestListDialog::selection_data()
{
    QTest::addColumn<bool>("multi");
    QTest::addColumn<QList<int>>("clicked");     // rows, in click order
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("single: a second row replaces the first")
        << false << QList<int>{0, 2} << QStringList{"c"};
    QTest::newRow("multi: rows in the order they were chosen")
        << true << QList<int>{2, 0} << QStringList{"c", "a"};
    QTest::newRow("multi: equal strings both come back")
        << true << QList<int>{3, 4} << QStringList{"d", "d"};
    QTest::newRow("nothing chosen") << true << QList<int>{} << QStringList();
}

void TestListDialog::selection()
{
    QFETCH(bool, multi);
    QFETCH(QList<int>, clicked);
    QFETCH(QStringList, expected);

    ListDialog dialog(nullptr);
    dialog.setList({"a", "b", "c", "d", "d"});
    if (multi)
        dialog.enableMultiselect();
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QListWidget *list = listOf(dialog);
    for (int i = 0; i < clicked.size(); ++i) {
        const QRect rect = list->visualItemRect(list->item(clicked.at(i)));
        QTest::mouseClick(list->viewport(), Qt::LeftButton,
                          i == 0 ? Qt::NoModifier : Qt::ControlModifier, rect.center());
    }
    QCOMPARE(dialog.getSelected(), expected);
    // Each call reads the selection afresh and gives the same answer.
    QCOMPARE(dialog.getSelected(), expected);
}

void TestListDialog::result_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<int>("expected");
    QTest::newRow("OK") << "ok" << int(QDialog::Accepted);
    QTest::newRow("Cancel") << "cancel" << int(QDialog::Rejected);
    QTest::newRow("closing the window") << "close" << int(QDialog::Rejected);
    QTest::newRow("Escape") << "escape" << int(QDialog::Rejected);
}

void TestListDialog::result()
{
    QFETCH(QString, answer);
    QFETCH(int, expected);

    ListDialog dialog(nullptr);
    dialog.setList({"a", "b"});
    ModalDriver driver;
    driver.add([answer](QWidget *w) {
        auto *list = w->findChild<QListWidget *>(QStringLiteral("list"));
        list->setCurrentRow(1);
        auto *box = w->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        if (answer == QLatin1String("ok"))
            box->button(QDialogButtonBox::Ok)->click();
        else if (answer == QLatin1String("cancel"))
            box->button(QDialogButtonBox::Cancel)->click();
        else if (answer == QLatin1String("close"))
            w->close();
        else
            QTest::keyClick(w, Qt::Key_Escape);
    });
    QCOMPARE(dialog.exec(), expected);
    QVERIFY2(driver.done() && driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(", ")));
    // The choice made before the dialog closed is still there to read.
    QCOMPARE(dialog.getSelected(), QStringList{"b"});
}

QTEST_MAIN(TestListDialog)
#include "tst_listdialog.moc"
