#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "productbacklog.h"
#include "windowprobe.h"
#include "workdir.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>

// The product backlog window, driven by clicks and keys with its dialogs
// answered by the test.
class TestPBacklogWindow : public QObject
{
    Q_OBJECT

private slots:
    void form_data();
    void form();
    void metaObjectHoldsTheThreeSlotsInOrder();
    void opensOnTheFileWithTheListFocused();
    void add_data();
    void add();
    void edit_data();
    void edit();
    void deleteRemovesTheSelectedTask_data();
    void deleteRemovesTheSelectedTask();
    void twoWindowsStayInStep();
    void keepsTheSelectionWhenTheFileChanges();
    void keepsFollowingTheFileAfterItIsReplaced();
    void failedSaveIsShownAndTheListStaysAsTheFile_data();
    void failedSaveIsShownAndTheListStaysAsTheFile();
    void unreadableFileIsShownReadOnly();

private:
    static QStringList fileTasks() { return productbacklog().getItems(); }
};

void TestPBacklogWindow::form_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("pointSize");   // -1: the default font

    QTest::newRow("tasks") << "tasks" << "QListWidget" << QRect(10, 40, 256, 231) << "" << -1;
    QTest::newRow("label") << "label" << "QLabel" << QRect(20, 10, 51, 21) << "Tasks" << 11;
    QTest::newRow("add") << "add" << "QPushButton" << QRect(300, 40, 75, 23) << "Add task" << -1;
    QTest::newRow("delete_2") << "delete_2" << "QPushButton" << QRect(300, 80, 75, 23)
                              << "Delete task" << -1;
    QTest::newRow("edit") << "edit" << "QPushButton" << QRect(300, 120, 75, 23)
                          << "Edit task" << -1;
}

void TestPBacklogWindow::form()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, geometry);
    QFETCH(QString, text);
    QFETCH(int, pointSize);

    WorkDir dir;
    PBacklogWindow w(nullptr);
    QCOMPARE(w.objectName(), QStringLiteral("PBacklogWindow"));
    QCOMPARE(w.windowTitle(), QStringLiteral("Product Backlog"));
    QCOMPARE(w.size(), QSize(400, 300));
    QVERIFY(w.isWindow());
    QVERIFY(!w.layout());

    Probe::child(w, &w, name, className, geometry, text, pointSize);
}

void TestPBacklogWindow::metaObjectHoldsTheThreeSlotsInOrder()
{
    WorkDir dir;
    PBacklogWindow w(nullptr);
    QCOMPARE(w.metaObject()->className(), "PBacklogWindow");
    Probe::slotsInOrder(w.metaObject(), {"on_add_clicked()", "on_delete_2_clicked()", "on_edit_clicked()"});
}

void TestPBacklogWindow::opensOnTheFileWithTheListFocused()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "one\ntwo\n\nthree\n"));
    PBacklogWindow w(nullptr);
    QCOMPARE(Probe::rows(w), (QStringList{"one", "two", "", "three"}));
    QVERIFY(Probe::list(w)->uniformItemSizes());
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QCOMPARE(QApplication::focusWidget(), Probe::list(w));

    // A missing file is created empty.
    WorkDir empty;
    PBacklogWindow fresh(nullptr);
    QVERIFY(Probe::rows(fresh).isEmpty());
    QVERIFY(QFileInfo::exists("product_backlog"));
}

void TestPBacklogWindow::add_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("typed");        // empty: the dialog is cancelled
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("appended") << QByteArray("a\n") << "b" << false << QStringList{"a", "b"};
    QTest::newRow("spaces only are a task") << QByteArray("a\n") << "  " << false
                                            << QStringList{"a", "  "};
    QTest::newRow("a duplicate shows once") << QByteArray("a\nb\n") << "a" << false
                                            << QStringList{"a", "b"};
    QTest::newRow("several lines are several tasks") << QByteArray("a\n") << "x\ny" << false
                                                     << QStringList{"a", "x", "y"};
    QTest::newRow("empty text changes nothing") << QByteArray("a\n") << "" << false
                                                << QStringList{"a"};
    QTest::newRow("cancel changes nothing") << QByteArray("a\n") << "b" << true
                                            << QStringList{"a"};
}

void TestPBacklogWindow::add()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, typed);
    QFETCH(bool, cancel);
    QFETCH(QStringList, expected);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", before));
    PBacklogWindow w(nullptr);
    w.show();

    ModalDriver driver;
    bool ownWindow = false;
    bool applicationModal = false;
    const ModalDriver::Step answer = cancel ? ModalDriver::cancel() : ModalDriver::enterText(typed);
    driver.add([&](QWidget *dialog) {
        ownWindow = !dialog->parentWidget();
        applicationModal = dialog->windowModality() == Qt::ApplicationModal;
        answer(dialog);
    });
    Probe::button(w, "add")->click();
    QVERIFY(ownWindow);
    QVERIFY(applicationModal);
    QVERIFY(driver.done());
    QCOMPARE(driver.titles, QStringList{"Add task"});
    QCOMPARE(driver.labels, QStringList{"Task description:"});
    QCOMPARE(driver.initialTexts, QStringList{QString()});
    QVERIFY2(driver.messages.isEmpty(), qPrintable(driver.messages.join('\n')));

    QCOMPARE(fileTasks(), expected);
    QCOMPARE(Probe::rows(w), expected);
}

void TestPBacklogWindow::edit_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("cancel");
    QTest::addColumn<bool>("byKey");          // Enter instead of the button
    QTest::addColumn<QStringList>("expected");

    const QStringList start{"a", "b", "c"};
    QTest::newRow("replaced") << 1 << "B" << false << false << QStringList{"a", "B", "c"};
    QTest::newRow("by Enter") << 2 << "C" << false << true << QStringList{"a", "b", "C"};
    QTest::newRow("unchanged text") << 0 << "a" << false << false << start;
    QTest::newRow("cleared text changes nothing") << 0 << "" << false << false << start;
    QTest::newRow("cancel changes nothing") << 0 << "z" << true << false << start;
    QTest::newRow("several lines") << 0 << "x\ny" << false << false
                                   << QStringList{"x", "y", "b", "c"};
    QTest::newRow("no row selected: no dialog") << -1 << "z" << false << false << start;
}

void TestPBacklogWindow::edit()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(bool, cancel);
    QFETCH(bool, byKey);
    QFETCH(QStringList, expected);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\nc\n"));
    PBacklogWindow w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (row >= 0)
        Probe::list(w)->setCurrentRow(row);

    ModalDriver driver;
    if (row >= 0)
        driver.add(cancel ? ModalDriver::cancel() : ModalDriver::enterText(typed));
    if (byKey)
        QTest::keyClick(Probe::list(w), Qt::Key_Return);
    else
        Probe::button(w, "edit")->click();

    QVERIFY(driver.done());
    QVERIFY2(driver.unexpected.isEmpty(), qPrintable(driver.unexpected.join(", ")));
    if (row >= 0) {
        QCOMPARE(driver.titles, QStringList{"Edit task"});
        QCOMPARE(driver.initialTexts, QStringList{QStringList({"a", "b", "c"}).at(row)});
    } else {
        QVERIFY(driver.titles.isEmpty());
    }
    QCOMPARE(fileTasks(), expected);
    QCOMPARE(Probe::rows(w), expected);
}

void TestPBacklogWindow::deleteRemovesTheSelectedTask_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byKey");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("button") << 1 << false << QStringList{"a", "c"};
    QTest::newRow("Delete key") << 0 << true << QStringList{"b", "c"};
    QTest::newRow("nothing selected") << -1 << false << QStringList{"a", "b", "c"};
}

void TestPBacklogWindow::deleteRemovesTheSelectedTask()
{
    QFETCH(int, row);
    QFETCH(bool, byKey);
    QFETCH(QStringList, expected);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\nc\n"));
    PBacklogWindow w(nullptr);
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    if (row >= 0)
        Probe::list(w)->setCurrentRow(row);
    ModalDriver driver;
    if (byKey)
        QTest::keyClick(Probe::list(w), Qt::Key_Delete);
    else
        Probe::button(w, "delete_2")->click();
    QVERIFY(driver.titles.isEmpty());
    QCOMPARE(fileTasks(), expected);
    QCOMPARE(Probe::rows(w), expected);
    QVERIFY(Probe::list(w)->selectedItems().isEmpty());
}

void TestPBacklogWindow::twoWindowsStayInStep()
{
    WorkDir dir;
    PBacklogWindow first(nullptr);
    PBacklogWindow second(nullptr);
    first.show();
    second.show();

    ModalDriver driver;
    driver.add(ModalDriver::enterText("from the first"));
    Probe::button(first, "add")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(second), QStringList{"from the first"}, 2000);

    driver.add(ModalDriver::enterText("from the second"));
    Probe::button(second, "add")->click();
    const QStringList both{"from the first", "from the second"};
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(first), both, 2000);
    QCOMPARE(fileTasks(), both);

    Probe::list(first)->setCurrentRow(0);
    Probe::button(first, "delete_2")->click();
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(second), QStringList{"from the second"}, 2000);
}

void TestPBacklogWindow::keepsTheSelectionWhenTheFileChanges()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\nc\n"));
    PBacklogWindow w(nullptr);
    w.show();
    Probe::list(w)->setCurrentRow(2);

    productbacklog other;
    QVERIFY(other.removeItem("a"));
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(w), (QStringList{"b", "c"}), 2000);
    QVERIFY(Probe::list(w)->currentItem());
    QCOMPARE(Probe::list(w)->currentItem()->text(), QStringLiteral("c"));
    QVERIFY(Probe::list(w)->currentItem()->isSelected());

    // When the selected task goes, nothing else is selected in its place.
    QVERIFY(other.removeItem("c"));
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(w), QStringList{"b"}, 2000);
    QVERIFY(Probe::list(w)->selectedItems().isEmpty());
}

void TestPBacklogWindow::keepsFollowingTheFileAfterItIsReplaced()
{
    WorkDir dir;
    PBacklogWindow w(nullptr);
    w.show();
    // Another program replaces the file by renaming a new one over it, then
    // writes into the new file in place, which leaves the directory as it is.
    const QList<QPair<bool, QByteArray>> steps{
        {true, "x\n"}, {false, "x\ny\n"}, {true, "z\n"}, {false, "z\nw\n"}};
    for (const auto &step : steps) {
        if (step.first) {
            QVERIFY(WorkDir::write("replacement", step.second));
            QVERIFY(::rename("replacement", "product_backlog") == 0);
        } else {
            QVERIFY(WorkDir::write("product_backlog", step.second));
        }
        QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(w).join('\n') + '\n', QString::fromUtf8(step.second), 2000);
    }
}

void TestPBacklogWindow::failedSaveIsShownAndTheListStaysAsTheFile_data()
{
    QTest::addColumn<QString>("action");
    QTest::newRow("add") << "add";
    QTest::newRow("edit") << "edit";
    QTest::newRow("delete") << "delete_2";
}

void TestPBacklogWindow::failedSaveIsShownAndTheListStaysAsTheFile()
{
    QFETCH(QString, action);

    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "a\nb\n"));
    PBacklogWindow w(nullptr);
    w.show();
    Probe::list(w)->setCurrentRow(0);
    // A directory where the lock file belongs: no change can be saved.
    QVERIFY(QDir().mkdir(".product_backlog.lock"));

    ModalDriver driver;
    if (action != QLatin1String("delete_2"))
        driver.add(ModalDriver::enterText("new"));
    Probe::button(w, qPrintable(action))->click();

    QVERIFY(driver.done());
    QCOMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("product_backlog"), qPrintable(driver.messages.first()));
    QCOMPARE(Probe::rows(w), (QStringList{"a", "b"}));
    QCOMPARE(WorkDir::read("product_backlog"), QByteArray("a\nb\n"));
}

void TestPBacklogWindow::unreadableFileIsShownReadOnly()
{
    WorkDir dir;
    QVERIFY(WorkDir::write("product_backlog", "ok\n\xff\xfe broken\n"));
    ModalDriver driver;
    PBacklogWindow w(nullptr);
    w.show();
    QTRY_COMPARE(driver.messages.size(), 1);
    QVERIFY2(driver.messages.first().contains("product_backlog"), qPrintable(driver.messages.first()));
    for (const char *name : {"add", "delete_2", "edit"})
        QVERIFY2(!Probe::button(w, name)->isEnabled(), name);

    // Once the file is mended, the window takes changes again.
    QVERIFY(WorkDir::write("product_backlog", "mended\n"));
    QTRY_COMPARE_WITH_TIMEOUT(Probe::rows(w), QStringList{"mended"}, 2000);
    QVERIFY(Probe::button(w, "add")->isEnabled());
}

QTEST_MAIN(TestPBacklogWindow)
#include "tst_pbacklogwindow.moc"
