#include "appsetup.h"
#include "listdialog.h"
#include "mainwindow.h"
#include "pbacklogwindow.h"
#include "sprintwindow.h"
#include "taskdialog.h"
#include "workdir.h"

#include <QComboBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QtTest>

#include <cstdio>

// Every window and dialog at several font sizes and screen scales: no text
// is cut, and every widget lies inside its parent without covering another.
// Each shows the program's icon.
// Qt reads QT_FONT_DPI and QT_SCALE_FACTOR when it starts, so each size is
// looked at by a child process: this program started with "--look".
class TestFontSizes : public QObject
{
    Q_OBJECT

private slots:
    void nothingIsCut_data();
    void nothingIsCut();
};

namespace {

QString name(const QWidget *w)
{
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
}

QString cut(const QWidget *w, const QString &text, const QSize &needs, const QRect &room)
{
    if (needs.width() <= room.width() && needs.height() <= room.height())
        return QString();
    return QStringLiteral("%1 \"%2\" needs %3x%4, has %5x%6").arg(name(w), text)
        .arg(needs.width()).arg(needs.height()).arg(room.width()).arg(room.height());
}

// What is cut or misplaced in window, one line each.
QStringList faults(QWidget *window)
{
    QStringList found;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (!w->parentWidget()->rect().contains(w->geometry()))
            found.append(name(w) + QStringLiteral(" lies outside its parent"));
        const QObjectList &siblings = w->parentWidget()->children();
        for (int i = siblings.indexOf(w) + 1; i < siblings.size(); ++i) {
            auto *sibling = qobject_cast<QWidget *>(siblings.at(i));
            if (sibling && sibling->isVisibleTo(window) && !sibling->isWindow()
                && sibling->geometry().intersects(w->geometry()))
                found.append(name(w) + QStringLiteral(" and ") + name(sibling) + QStringLiteral(" overlap"));
        }
        const QFontMetrics fm = w->fontMetrics();
        if (auto *label = qobject_cast<QLabel *>(w)) {
            const QString text = label->text();
            found.append(cut(w, text, QSize(fm.horizontalAdvance(text), fm.height()), label->contentsRect()));
        } else if (auto *button = qobject_cast<QPushButton *>(w)) {
            QStyleOptionButton option;
            option.initFrom(button);
            const QRect room = w->style()->subElementRect(QStyle::SE_PushButtonContents, &option, w);
            found.append(cut(w, button->text(), fm.size(Qt::TextShowMnemonic, button->text()), room));
        } else if (auto *combo = qobject_cast<QComboBox *>(w)) {
            QStyleOptionComboBox option;
            option.initFrom(combo);
            const QRect room = w->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                                          QStyle::SC_ComboBoxEditField, w);
            for (int i = 0; i < combo->count(); ++i)
                found.append(cut(w, combo->itemText(i), fm.size(0, combo->itemText(i)), room));
        }
    }
    found.removeAll(QString());
    return found;
}

// The child: every window and dialog with sample data, at a desktop's
// default font family in the point size given, with or without the
// program's high-DPI scaling. Prints what is cut.
int look(int argc, char **argv, int pointSize, bool scaling)
{
    if (scaling)
        AppSetup::beforeApplication();
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("Sans Serif"), pointSize));
    AppSetup::afterApplication();
    WorkDir dir;
    WorkDir::write("product_backlog", "Write the release notes\nFix the crash on start-up\n");
    for (const char *name : {"sprint1", "sprint10", "sprint1234"})
        WorkDir::write(name, "Review the icon set\n");

    MainWindow main(nullptr);
    PBacklogWindow backlog(nullptr);
    SprintWindow sprint(nullptr);
    sprint.initSprint(1234);
    ListDialog picker(&sprint);
    picker.setWindowTitle(QStringLiteral("Move task"));
    picker.setList({QStringLiteral("sprint1"), QStringLiteral("sprint10")});
    TaskDialog add(QStringLiteral("Add task"));
    TaskDialog edit(QStringLiteral("Edit task"), QStringLiteral("Fix the crash on start-up"));
    for (QWidget *window : QList<QWidget *>{&main, &backlog, &sprint, &picker, &add, &edit}) {
        window->show();
        QCoreApplication::processEvents();
        if (window->windowIcon().availableSizes().size() < 8)
            std::printf("%s: not every size of the icon\n", qPrintable(window->windowTitle()));
        for (const QString &fault : faults(window))
            std::printf("%s: %s\n", qPrintable(window->windowTitle()), qPrintable(fault));
    }
    return 0;
}

} // namespace

void TestFontSizes::nothingIsCut_data()
{
    QTest::addColumn<QByteArray>("dpi");     // QT_FONT_DPI
    QTest::addColumn<QByteArray>("scale");   // QT_SCALE_FACTOR
    QTest::addColumn<int>("pointSize");      // of the desktop's font
    QTest::addColumn<bool>("scaling");       // the program's high-DPI scaling

    QTest::newRow("96 dpi") << QByteArray("96") << QByteArray("1") << 9 << true;
    QTest::newRow("120 dpi") << QByteArray("120") << QByteArray("1") << 9 << true;
    QTest::newRow("144 dpi") << QByteArray("144") << QByteArray("1") << 9 << true;
    QTest::newRow("scale factor 2") << QByteArray("96") << QByteArray("2") << 9 << true;
    QTest::newRow("144 dpi, scale factor 2") << QByteArray("144") << QByteArray("2") << 9 << true;
    // Fonts that outgrow the forms, which Qt's scaling does not follow.
    QTest::newRow("120 dpi, Qt not scaling") << QByteArray("120") << QByteArray("1") << 9 << false;
    QTest::newRow("144 dpi, Qt not scaling") << QByteArray("144") << QByteArray("1") << 9 << false;
    QTest::newRow("12 pt at 96 dpi") << QByteArray("96") << QByteArray("1") << 12 << true;
    QTest::newRow("16 pt at 144 dpi, Qt not scaling") << QByteArray("144") << QByteArray("1") << 16 << false;
}

void TestFontSizes::nothingIsCut()
{
    QFETCH(QByteArray, dpi);
    QFETCH(QByteArray, scale);
    QFETCH(int, pointSize);
    QFETCH(bool, scaling);

    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("QT_FONT_DPI"), QString::fromLatin1(dpi));
    env.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::fromLatin1(scale));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--look"), QString::number(pointSize), QString::number(scaling)});
    QVERIFY(child.waitForFinished(-1));
    const QByteArray cutTexts = child.readAllStandardOutput();
    QVERIFY2(cutTexts.isEmpty(), cutTexts.constData());
    QCOMPARE(child.exitCode(), 0);
}

int main(int argc, char **argv)
{
    if (argc == 4 && qstrcmp(argv[1], "--look") == 0)
        return look(1, argv, QByteArray(argv[2]).toInt(), QByteArray(argv[3]).toInt());
    QApplication app(argc, argv);
    TestFontSizes test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_fontsizes.moc"
