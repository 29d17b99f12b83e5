#include "appsetup.h"
#include "desktopsetup.h"
#include "listdialog.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "taskdelegate.h"
#include "taskdialog.h"
#include "windowmemory.h"
#include "windowprobe.h"
#include "windowset.h"
#include "workdir.h"

#include <QAccessible>
#include <QDialogButtonBox>
#include <QMetaEnum>
#include <QScreen>
#include <QSettings>
#include <QtTest>

#include <memory>

// The windows as a keyboard user, a screen reader and a desktop see them:
// the focus order, the accessibility tree, how they grow, where they open,
// and the planner folder a start from the desktop's menu enters. The user's
// settings and home are temporary folders of the test's own.
class TestDesktop : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tabOrder_data() { windows(); }
    void tabOrder();
    void accessibilityTree_data() { windows(); }
    void accessibilityTree();
    void stretching_data() { windows(); }
    void stretching();
    void geometryIsRememberedOnScreen();
    void lastFolder_data();
    void lastFolder();

private:
    void windows();
    QTemporaryDir m_home;
};

namespace {

const QString longTask = QString(TaskDelegate::RowLimit + 50, QLatin1Char('x')) + QStringLiteral("end");

// A window of the kind the row names, with a task list of two rows, the
// second longer than a row shows.
std::unique_ptr<QWidget> makeWindow(const QString &kind)
{
    WorkDir::write("product_backlog", "Fix the crash\n" + longTask.toUtf8() + "\n");
    WorkDir::write("sprint1", "Fix the crash\n" + longTask.toUtf8() + "\n");
    if (kind == "main")
        return std::make_unique<MainWindow>(nullptr);
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
    const QString text = w->property("text").toString();
    return text.isEmpty() ? QLatin1String(w->metaObject()->className()) : text;
}

QString roleName(QAccessible::Role role)
{
    return QLatin1String(QMetaEnum::fromType<QAccessible::Role>().valueToKey(role));
}

bool interactive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::ComboBox:
    case QAccessible::List:
    case QAccessible::ListItem:
    case QAccessible::EditableText:
    case QAccessible::MenuItem:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::SpinBox:
        return true;
    default:
        return false;
    }
}

// Every visible element under iface, as "Role name", with its description
// after " / " when it has one.
void walk(QAccessibleInterface *iface, QStringList *seen, QStringList *unnamed)
{
    for (int i = 0; i < iface->childCount(); ++i) {
        QAccessibleInterface *child = iface->child(i);
        if (!child || child->state().invisible)
            continue;
        const QString name = child->text(QAccessible::Name);
        const QString description = child->text(QAccessible::Description);
        if (interactive(child->role()) && name.trimmed().isEmpty())
            unnamed->append(roleName(child->role()) + " under " + iface->text(QAccessible::Name));
        seen->append(roleName(child->role()) + " " + name + (description.isEmpty() ? QString() : " / " + description));
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
    Probe::desktopFont();
    // The style Qt falls back to where the desktop offers none.
    QApplication::setStyle(QStringLiteral("Fusion"));
}

void TestDesktop::windows()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("tabOrder");
    // The list that takes the room a larger window gains; "laid out" for a
    // dialog that Qt lays out.
    QTest::addColumn<QString>("list");
    QTest::addColumn<QStringList>("read");  // some of what a screen reader reads

    QTest::newRow("main") << "main" << QStringList{"pbacklog", "sprints", "sprint_settings"} << ""
                          << QStringList{"Window Corvane", "MenuItem File", "MenuItem Help",
                                         // On Linux a combo box reads its entry, and its label through a relation.
                                         "ComboBox New sprint", "List Sprints",
                                         "Button Sprint settings"};
    QTest::newRow("backlog") << "backlog" << QStringList{"tasks", "add", "delete_2", "edit"} << "tasks"
                             << QStringList{"Window Product Backlog", "List Tasks", "ListItem Fix the crash",
                                            "ListItem " + longTask, "Button Edit task"};
    QTest::newRow("sprint") << "sprint" << QStringList{"tasks", "add", "move", "delete_2"} << "tasks"
                            << QStringList{"Window Sprint settings", "List Sprint tasks", "ListItem " + longTask,
                                           "Button Move to another sprint"};
    QTest::newRow("picker") << "picker" << QStringList{"list", "OK", "Cancel"} << "list"
                            << QStringList{"Dialog Move task", "List Move task", "ListItem sprint2", "Button OK"};
    QTest::newRow("empty picker") << "empty picker" << QStringList{"list", "OK", "Cancel"} << "list"
                                  << QStringList{"List Move task / There is no other sprint."};
    QTest::newRow("task dialog") << "task dialog" << QStringList{"QPlainTextEdit", "OK", "Cancel"} << "laid out"
                                 << QStringList{"Dialog Add task", "EditableText Task description:"};
}

// Tab goes through the lists and buttons in the order they are shown, and
// comes back round, and each shows that it has the focus.
void TestDesktop::tabOrder()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, tabOrder);

    WorkDir dir;
    std::unique_ptr<QWidget> window = makeWindow(kind);
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window.get()));
    QStringList order;
    QWidget *first = QApplication::focusWidget();
    QVERIFY(first);
    // The style shows the focus once the keyboard has moved it.
    QTest::keyClick(first, Qt::Key_Tab);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), first);
    QWidget *w = first;
    QStringList unseen;
    do {
        order.append(label(w));
        // Where the focus is shows: the widget looks different once it has gone.
        const QImage focused = w->grab().toImage();
        QTest::keyClick(w, Qt::Key_Tab);
        if (w->grab().toImage() == focused)
            unseen.append(label(w));
        w = QApplication::focusWidget();
    } while (w && w != first && order.size() <= tabOrder.size());
    QCOMPARE(order, tabOrder);
    QVERIFY2(unseen.isEmpty(), qPrintable("no visible focus: " + unseen.join(", ")));
}

// Every list, editor, button and menu has a name a screen reader can read;
// the windows say they are windows; rows read their whole task.
void TestDesktop::accessibilityTree()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, read);

    WorkDir dir;
    std::unique_ptr<QWidget> window = makeWindow(kind);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    QAccessibleInterface *root = QAccessible::queryAccessibleInterface(window.get());
    QVERIFY(root);
    QStringList seen{roleName(root->role()) + " " + root->text(QAccessible::Name)};
    QStringList unnamed;
    walk(root, &seen, &unnamed);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(", ")));
    for (const QString &expected : read)
        QVERIFY2(seen.contains(expected), qPrintable(expected.left(80) + " not in:\n" + seen.join("\n").left(2000)));
}

// Made larger, the window gives the room to its list, and what stands right
// of or below the list keeps its distance from it; made smaller than it
// opened, it stays as it was.
void TestDesktop::stretching()
{
    QFETCH(QString, kind);
    QFETCH(QString, list);

    if (list == "laid out")
        QSKIP("Its layout sizes it");
    WorkDir dir;
    std::unique_ptr<QWidget> window = makeWindow(kind);
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    const QSize size = window->size();
    QHash<QWidget *, QRect> before;
    for (QWidget *child : window->findChildren<QWidget *>())
        before.insert(child, child->geometry());

    window->resize(size - QSize(50, 40));
    QCOMPARE(window->size(), size);
    window->resize(size + QSize(120, 70));
    QCOMPARE(window->size(), size + QSize(120, 70));
    if (list.isEmpty())
        return;
    QWidget *grower = window->findChild<QWidget *>(list);
    const QRect from = before.value(grower);
    QCOMPARE(grower->geometry(), from.adjusted(0, 0, 120, 70));
    for (QWidget *child : grower->parentWidget()->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        const QRect was = before.value(child);
        if (child == grower || !child->isVisible())
            continue;
        if (was.left() > from.right())
            QCOMPARE(child->geometry().left() - grower->geometry().right(), was.left() - from.right());
        else if (was.top() > from.bottom())
            QCOMPARE(child->geometry().top() - grower->geometry().bottom(), was.top() - from.bottom());
        else
            QCOMPARE(child->geometry(), was);
    }
}

// A window opens where the last of its kind was closed, unless no screen
// shows that place any more.
void TestDesktop::geometryIsRememberedOnScreen()
{
    WindowMemory::install();
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    WorkDir dir;
    for (const QPoint &at : {screen.topLeft() + QPoint(30, 40), screen.bottomRight() + QPoint(500, 500)}) {
        QSize wanted;
        {
            PBacklogWindow first(nullptr);
            first.show();
            QVERIFY(QTest::qWaitForWindowExposed(&first));
            wanted = first.size() + QSize(20, 10);
            first.setGeometry(QRect(at, wanted));
            first.close();
        }
        PBacklogWindow next(nullptr);
        next.show();
        QVERIFY(QTest::qWaitForWindowExposed(&next));
        QCOMPARE(next.size(), wanted);
        if (screen.contains(at))
            QCOMPARE(next.geometry().topLeft(), at);
        else
            QVERIFY2(screen.intersects(next.frameGeometry()), qPrintable(QString("at %1,%2").arg(next.x()).arg(next.y())));
    }
}

void TestDesktop::lastFolder_data()
{
    QTest::addColumn<QString>("answer");   // to the question asked on the first start
    QTest::addColumn<QString>("entered");  // under the home folder; empty when none is
    QTest::newRow("take ~/Corvane") << "Use" << "Corvane";
    QTest::newRow("cancel") << "Cancel" << "";
}

// Started from the desktop's menu for the first time, the program asks for
// its folder and makes nothing in the home folder unless told to; the next
// start enters the folder used last without asking.
void TestDesktop::lastFolder()
{
    QFETCH(QString, answer);
    QFETCH(QString, entered);

    QSettings().clear();
    const QString previous = QDir::currentPath();
    QDir(m_home.filePath("Corvane")).removeRecursively();
    const QStringList homeBefore = QDir(m_home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    ModalDriver driver;
    driver.onMessage = [answer](QWidget *w) {
        for (QAbstractButton *button : static_cast<QMessageBox *>(w)->buttons()) {
            if (button->text().startsWith(answer))
                button->click();
        }
    };
    QString error;
    QCOMPARE(DesktopSetup::enterLastFolder(&error), !entered.isEmpty());
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(driver.titles.size(), 1);
    QVERIFY2(driver.messages.value(0).contains("folder"), qPrintable(driver.messages.value(0)));
    if (entered.isEmpty()) {
        QCOMPARE(QDir::currentPath(), previous);
        QCOMPARE(QDir(m_home.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), homeBefore);
        return;
    }
    const QString folder = QDir(m_home.filePath(entered)).canonicalPath();
    QCOMPARE(QDir::currentPath(), folder);
    QDir::setCurrent(previous);
    QVERIFY(DesktopSetup::enterLastFolder(&error));
    QCOMPARE(QDir::currentPath(), folder);
    QCOMPARE(driver.titles.size(), 1);
    QDir::setCurrent(previous);
}

QTEST_MAIN(TestDesktop)
#include "tst_desktop.moc"
