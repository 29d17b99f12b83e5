// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders every window and dialog with sample data to PNG files, so that a
// person can look at them: screenshots <output directory>. Runs offscreen
// unless told otherwise, set up as the program is (high-DPI scaling, icon,
// forms fitted to the font), so that QT_FONT_DPI and QT_SCALE_FACTOR show
// what they show a user.

#include "appsetup.h"
#include "burndownwindow.h"
#include "mainwindow.h"
#include "modaldriver.h"
#include "pbacklogwindow.h"
#include "sprintoverview.h"
#include "sprintwindow.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDate>
#include <QDateEdit>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>

#include <cstdio>

namespace {

QString outputDir;
int failures = 0;

void save(QWidget *widget, const QString &name)
{
    QCoreApplication::processEvents();
    const QString path = outputDir + QLatin1Char('/') + name + QStringLiteral(".png");
    if (widget->grab().save(path)) {
        std::printf("%s\n", qPrintable(path));
    } else {
        std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
        ++failures;
    }
}

void write(const QString &name, const QByteArray &bytes)
{
    QFile file(name);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        ++failures;
}

// A step that renders the dialog, then fills it in with fill and closes it
// with Cancel, so that nothing changes.
ModalDriver::Step shoot(const QString &name, std::function<void(QWidget *)> fill = {})
{
    return [name, fill](QWidget *w) {
        if (fill)
            fill(w);
        save(w, name);
        static_cast<QDialog *>(w)->reject();
    };
}

// Lets the events run until ready says so, for at most five seconds.
void waitFor(const std::function<bool()> &ready)
{
    QElapsedTimer timer;
    timer.start();
    while (!ready() && timer.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    if (!ready())
        ++failures;
}

void click(QWidget *window, const char *button)
{
    window->findChild<QPushButton *>(QLatin1String(button))->click();
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    AppSetup::beforeApplication();
    QApplication app(argc, argv);
    AppSetup::afterApplication();
    if (argc < 2) {
        std::fprintf(stderr, "usage: screenshots <output directory>\n");
        return 2;
    }
    outputDir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QDir().mkpath(outputDir);

    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path()))
        return 1;
    write("product_backlog",
          "Write the release notes\nFix the crash on start-up\nTranslate the help pages\n"
          "Review the icon set\nSpeed up saving of long lists\nPlan the user survey\n"
          "Update the build instructions\nAnswer the support mail\nTidy the issue tracker\n"
          "Prepare the demo\nBack up the server\n");
    // Sprint 1 ran and was closed, sprint 2 runs now, half way through.
    const QDate today = QDate::currentDate();
    const auto day = [today](int days) { return today.addDays(days).toString(Qt::ISODate).toUtf8(); };
    write("sprint1", "x " + day(-20) + " Fix the crash on start-up\nx " + day(-17) + " Review the icon set\n");
    write("sprint2", "x " + day(-5) + " Write the release notes\nx " + day(-2) + " Update the build instructions\n"
                     "Translate the help pages\nPrepare the demo\nAnswer the support mail\n");
    write("sprint10", "");
    write("schedule", "1\t" + day(-27) + "\t" + day(-14) + "\t" + day(-14) + "\tA start-up that never crashes\n"
                      "2\t" + day(-6) + "\t" + day(7) + "\t\tRelease 1.0 with its notes and help\n");

    ModalDriver driver;

    MainWindow main(nullptr);
    main.show();
    // The overview fills in once it has read the sprints.
    auto *overview = main.findChild<SprintOverview *>(QStringLiteral("overview"));
    waitFor([overview] { return overview->isVisible(); });
    save(&main, "mainwindow");
    main.findChild<QComboBox *>(QStringLiteral("sprints"))->setCurrentText("sprint2");
    save(&main, "mainwindow-sprint2");

    PBacklogWindow backlog(nullptr);
    backlog.show();
    backlog.findChild<QListWidget *>(QStringLiteral("tasks"))->setCurrentRow(1);
    // The notes of where each task went come once the sprints are read.
    QDeadlineTimer notes(3000);
    while (!notes.hasExpired()
           && backlog.findChild<QListWidget *>(QStringLiteral("tasks"))->item(0)->data(Qt::UserRole + 1).isNull())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    save(&backlog, "pbacklogwindow");

    driver.add(shoot("taskdialog-add", [](QWidget *w) {
        static_cast<QInputDialog *>(w)->setTextValue("Ask the printer vendor\nabout the driver");
    }));
    click(&backlog, "add");
    driver.add(shoot("taskdialog-edit"));
    click(&backlog, "edit");

    SprintWindow sprint(nullptr);
    sprint.initSprint(2);
    sprint.show();
    sprint.findChild<QListWidget *>(QStringLiteral("tasks"))->setCurrentRow(0);
    save(&sprint, "sprintwindow");

    driver.add(shoot("listdialog-addtasks", [](QWidget *w) {
        auto *list = w->findChild<QListWidget *>(QStringLiteral("list"));
        list->item(3)->setSelected(true);
        list->item(5)->setSelected(true);
        list->setCurrentRow(5, QItemSelectionModel::Select);
    }));
    click(&sprint, "add");
    driver.add(shoot("listdialog-movetask", [](QWidget *w) {
        w->findChild<QListWidget *>(QStringLiteral("list"))->setCurrentRow(0);
    }));
    click(&sprint, "move");

    driver.add(shoot("sprintdetailsdialog", [](QWidget *w) {
        w->findChild<QLineEdit *>(QStringLiteral("goal"))->setFocus();
    }));
    for (QAction *action : sprint.actions()) {
        if (action->shortcut() == QKeySequence(Qt::CTRL | Qt::Key_I))
            action->trigger();
    }

    BurndownWindow burndown(2, nullptr);
    burndown.resize(760, 420);
    burndown.show();
    save(&burndown, "burndownwindow");

    // A save that fails: a directory where the lock file belongs.
    QDir().mkdir(".sprint2.lock");
    driver.onMessage = [](QWidget *box) { save(box, "warning-failedsave"); };
    click(&sprint, "delete_2");
    QDir().rmdir(".sprint2.lock");

    // A list that cannot be read opens read-only.
    write("sprint3", "Caf\xe9 au lait\n");
    driver.onMessage = [](QWidget *box) { save(box, "warning-unreadable"); };
    SprintWindow unreadable(nullptr);
    unreadable.initSprint(3);
    unreadable.show();
    QCoreApplication::processEvents();
    save(&unreadable, "sprintwindow-readonly");

    if (!driver.done() || !driver.unexpected.isEmpty()) {
        std::fprintf(stderr, "dialogs not met: %s\n", qPrintable(driver.unexpected.join(", ")));
        ++failures;
    }
    return failures == 0 ? 0 : 1;
}
