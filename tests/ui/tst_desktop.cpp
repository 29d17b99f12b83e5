// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"
#include "burndownwindow.h"
#include "desktopsetup.h"
#include "listdialog.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "taskdelegate.h"
#include "taskdialog.h"
#include "windowmemory.h"
#include "windowprobe.h"
#include "windowset.h"
#include "workdir.h"

#include <QAccessible>
#include <QMetaEnum>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include <memory>

// The windows as a keyboard user, a screen reader and a desktop see them,
// with a temporary home and settings of the test's own.
class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void window_data();
    void window();
    void startFromTheDesktop();

private:
    QTemporaryDir m_home;
};

namespace {

const QString longTask = QString(TaskDelegate::RowLimit + 50, QLatin1Char('x')) + QStringLiteral("end");

std::unique_ptr<QWidget> makeWindow(const QString &kind)
{
    for (const char *name : {"product_backlog", "sprint1"})
        WorkDir::write(name, "Fix the crash\n" + longTask.toUtf8());
    if (kind == "main")
        return std::make_unique<MainWindow>(nullptr);
    if (kind == "burndown") {
        WorkDir::write("sprint1", "x 2026-12-02 Fix the crash\nWrite the guide");
        WorkDir::write("schedule", "1\t2026-12-01\t2026-12-03\t\tShip it");
        return std::make_unique<BurndownWindow>(1, nullptr);
    }
    if (kind == "backlog")
        return std::make_unique<PBacklogWindow>(nullptr);
    if (kind == "sprint")
        return std::make_unique<SprintWindowOn>(1);
    if (kind == "task dialog")
        return std::make_unique<TaskDialog>(QStringLiteral("Add task"));
    auto picker = std::make_unique<ListDialog>(nullptr);
    picker->setWindowTitle(QStringLiteral("Move task"));
    picker->setEmptyText(QStringLiteral("There is no other sprint."));
    if (kind == "picker")
        picker->setList({QStringLiteral("sprint2"), QStringLiteral("sprint3")});
    return picker;
}

QString label(const QWidget *w)
{
    if (!w->objectName().isEmpty())
        return w->objectName();
    return w->inherits("QPlainTextEdit") ? QStringLiteral("editor") : w->property("text").toString();
}

// Every visible element under iface as "Role name[ / description]", and
// the interactive ones that have no name.
void walk(QAccessibleInterface *iface, QStringList *seen, QStringList *unnamed)
{
    static const QVector<QAccessible::Role> interactive{QAccessible::PushButton,   QAccessible::ComboBox,
                                                        QAccessible::List,         QAccessible::ListItem,
                                                        QAccessible::EditableText, QAccessible::MenuItem};
    const QMetaEnum roles = QMetaEnum::fromType<QAccessible::Role>();
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child || child->state().invisible)
            continue;
        const QString name = child->text(QAccessible::Name);
        const QString description = child->text(QAccessible::Description);
        if (interactive.contains(child->role()) && name.trimmed().isEmpty())
            unnamed->append(roles.valueToKey(child->role()) + (" under " + iface->text(QAccessible::Name)));
        seen->append(roles.valueToKey(child->role()) + (" " + name)
                     + (description.isEmpty() ? QString() : " / " + description));
        walk(child, seen, unnamed);
    }
}

} // namespace

void TestDesktop::initTestCase()
{
    // Before any QSettings is made: it reads where to keep them once.
    QVERIFY(m_home.isValid());
    qputenv("HOME", QFile::encodeName(m_home.path()));
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_home.filePath("config")));
    AppSetup::afterApplication();
    WindowMemory::install();
    Probe::desktopFont();
    // The style Qt falls back to where the desktop offers none.
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestDesktop::window_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("tabOrder");
    QTest::addColumn<QString>("list");      // that takes the room a larger window gains; empty: none
    QTest::addColumn<QStringList>("read");  // some of what a screen reader reads

    // On Linux a combo box reads its entry, and its label through a relation.
    QTest::newRow("main") << "main" << QStringList{"pbacklog", "sprints", "sprint_settings", "overview"} << ""
                          << QStringList{"Window <folder> — Corvane", "MenuItem File", "ComboBox New sprint", "List Sprints",
                                         "TreeItem Sprint 1 (current), 0 of 2 done"};
    QTest::newRow("burndown") << "burndown" << QStringList{"figures"} << ""
                              << QStringList{"Window Sprint 1 — Burndown", "Table Burndown figures", "Cell 2026-12-02",
                                             "Cell 1", "Cell 0.0"};
    QTest::newRow("backlog") << "backlog" << QStringList{"tasks", "add", "delete_2", "edit"} << "tasks"
                             << QStringList{"Window Product Backlog", "List Tasks", "ListItem " + longTask};
    QTest::newRow("sprint") << "sprint" << QStringList{"tasks", "add", "move", "delete_2"} << "tasks"
                            << QStringList{"Window Sprint 1 — Sprint settings", "List Sprint tasks"};
    QTest::newRow("picker") << "picker" << QStringList{"list", "filter", "OK", "Cancel"} << "list"
                            << QStringList{"Dialog Move task", "List Move task"};
    QTest::newRow("empty picker") << "empty picker" << QStringList{"list", "filter", "OK", "Cancel"} << "list"
                                  << QStringList{"List Move task / There is no other sprint."};
    QTest::newRow("task dialog") << "task dialog" << QStringList{"editor", "OK", "Cancel"} << ""
                                 << QStringList{"Dialog Add task", "EditableText Task description:"};
}

// Tab goes through the lists and buttons in the order they are shown and
// comes back round, each showing that it has the focus (under Fusion); every
// interactive element has a name a screen reader reads, rows their whole
// task; made larger, a form gives the room to its list, and what stands right
// of or below the list keeps its distance from it; it never gets smaller than
// it opened.
void TestDesktop::window()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, tabOrder);
    QFETCH(QString, list);
    QFETCH(QStringList, read);

    WorkDir dir;
    std::unique_ptr<QWidget> window = makeWindow(kind);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    // The overview fills in once the files are read.
    if (QWidget *overview = window->findChild<QWidget *>("overview"))
        QTRY_VERIFY_WITH_TIMEOUT(overview->isVisible(), Probe::FollowMs);
    QWidget *first = QApplication::focusWidget();
    QVERIFY(first);
    // The style shows the focus once the keyboard has moved it.
    QTest::keyClick(first, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QStringList order, unseen;
    for (QWidget *w = first; w && (order.isEmpty() || w != first) && order.size() <= tabOrder.size();
         w = QApplication::focusWidget()) {
        order.append(label(w));
        const QImage focused = w->grab().toImage();
        QTest::keyClick(w, Qt::Key_Tab);
        if (w->grab().toImage() == focused)
            unseen.append(label(w));
    }
    QCOMPARE(order, tabOrder);
    QVERIFY2(unseen.isEmpty(), qPrintable("no visible focus: " + unseen.join(", ")));

    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window.get());
    QStringList seen{QMetaEnum::fromType<QAccessible::Role>().valueToKey(root->role()) + (" " + root->text(QAccessible::Name))};
    QStringList unnamed;
    walk(root, &seen, &unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    for (QString expected : read) {
        expected.replace("<folder>", QDir(dir.path()).dirName());
        QVERIFY2(seen.contains(expected), qPrintable(expected.left(80) + " not in:\n" + seen.join("\n").left(2000)));
    }

    if (list.isEmpty())
        return;
    const QSize size = window->size();
    QWidget *grower = window->findChild<QWidget *>(list);
    const QRect from = grower->geometry();
    QHash<QWidget *, QRect> before;
    for (QWidget *child : grower->parentWidget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly))
        before.insert(child, child->geometry());
    window->resize(size - QSize(50, 40));
    QCOMPARE(window->size(), size);
    window->resize(size + QSize(120, 70));
    QCOMPARE(grower->geometry(), from.adjusted(0, 0, 120, 70));
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        const QRect was = it.value(), now = it.key()->geometry();
        if (was.left() > from.right())
            QCOMPARE(now.left() - grower->geometry().right(), was.left() - from.right());
        else if (was.top() > from.bottom())
            QCOMPARE(now.top() - grower->geometry().bottom(), was.top() - from.bottom());
        else if (it.key() != grower)
            QCOMPARE(now, was);
    }

    // A window opens as large as the last of its kind was left; dialogs
    // open over their windows as they are.
    const QSize left = window->size();
    window->close();
    window = makeWindow(kind);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QCOMPARE(window->size(), qobject_cast<QDialog *>(window.get()) ? size : left);
    // A place partly off the screen, as when the window is wider than the
    // last one, is moved onto it, as far as it takes.
    const QRect room = window->screen()->availableGeometry();
    window->move(room.right() - window->width() / 2, room.top());
    window->close();
    window = makeWindow(kind);
    window->show();
    const QRect placed = window->frameGeometry();
    QVERIFY(qobject_cast<QDialog *>(window.get()) || (room.contains(placed) && placed.right() == room.right()));
}

// Started from the desktop's menu for the first time, the program asks for
// its folder and makes nothing in the home folder unless told to; the next
// start enters the folder used last without asking.
void TestDesktop::startFromTheDesktop()
{
    const QString previous = QDir::currentPath();
    ModalDriver driver;
    QString answer = "Cancel";
    driver.onMessage = [&answer](QWidget *w) {
        for (QAbstractButton *button : static_cast<QMessageBox *>(w)->buttons()) {
            if (button->text().startsWith(answer))
                button->click();
        }
    };
    QString error;
    QVERIFY(!DesktopSetup::enterLastFolder(&error));
    QVERIFY2(error.isEmpty() && driver.messages.value(0).contains("folder"), qPrintable(error));
    QVERIFY(!QDir(m_home.path()).exists("Corvane"));
    answer = "Use";
    QVERIFY2(DesktopSetup::enterLastFolder(&error), qPrintable(error));
    const QString folder = QDir(m_home.filePath("Corvane")).canonicalPath();
    QCOMPARE(QDir::currentPath(), folder);
    QDir::setCurrent(previous);
    QVERIFY(DesktopSetup::enterLastFolder(&error));
    QCOMPARE(QDir::currentPath(), folder);
    QCOMPARE(driver.titles.size(), 2);

    QDir::setCurrent(previous);
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
