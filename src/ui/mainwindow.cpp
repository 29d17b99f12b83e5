// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "burndownwindow.h"
#include "conflictcopies.h"
#include "desktopsetup.h"
#include "filewatcher.h"
#include "formstretch.h"
#include "mergedialog.h"
#include "pbacklogwindow.h"
#include "sprintfiles.h"
#include "sprintoverview.h"
#include "sprintschedule.h"
#include "sprintwindow.h"
#include "taskstore.h"
#include "taskundostack.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include <limits>

namespace {

const char *const newSprint = QT_TRANSLATE_NOOP("MainWindow", "New sprint");
// The data of the entry that makes a new sprint: a sprint file could be
// named as its text reads, and a translation would change that text.
const int NewSprintEntry = 1;

void fillSprints(QComboBox *box, const QStringList &names)
{
    box->addItem(MainWindow::tr(newSprint), NewSprintEntry);
    box->addItems(names);
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent, Qt::WindowFlags())
    , pbacklog(nullptr)
    , sw(nullptr)
    , ui(new Ui::MainWindow)
    , m_watcher(nullptr)
    , m_undo(new TaskUndoStack(this))
    , m_schedule(std::make_unique<FileAccess>(SprintSchedule::fileName()))
{
    ui->setupUi(this);
    ui->sprints->installEventFilter(this);
    FormStretch::install(this, nullptr);
    ui->label_2->setBuddy(ui->sprints);
    ui->sprints->view()->setAccessibleName(ui->label_2->text());
    setTabOrder(ui->pbacklog, ui->sprints);
    setTabOrder(ui->sprints, ui->sprint_settings);
    addMenus();
    m_overview = new SprintOverview(ui->centralwidget);
    connect(m_overview, &SprintOverview::openSprint, this, &MainWindow::openSprint);
    connect(m_overview, &SprintOverview::openBurndown, this,
            [this](int number) { (new BurndownWindow(number, this))->show(); });
    // Conflict copies are looked for shortly after the window shows and
    // after each change, so that a folder full of them never holds up the
    // window; the changes of one sync are gathered into one look.
    m_conflictScan = new QTimer(this);
    m_conflictScan->setSingleShot(true);
    m_conflictScan->setInterval(200);
    connect(m_conflictScan, &QTimer::timeout, this, &MainWindow::showConflictCopies);
    openCurrentFolder();
}

void MainWindow::openCurrentFolder()
{
    // Named after its folder, so that the taskbar tells two planners apart.
    const QString folder = QDir::current().dirName();
    setWindowTitle(tr("%1 — Corvane").arg(folder.isEmpty() ? QDir::currentPath() : folder));
    ui->sprints->clear();
    init_sprints_list();
    init_pbacklog();

    // Sprint files that other windows or programs make show up in the list.
    delete m_watcher;
    m_watcher = new FileWatcher(QDir::currentPath(), this);
    connect(m_watcher, &FileWatcher::changed, this, [this] { updateSprintsList(); });
    connect(m_watcher, &FileWatcher::changed, m_overview, &SprintOverview::refresh);
    connect(m_watcher, &FileWatcher::changed, m_conflictScan, qOverload<>(&QTimer::start));
    m_conflictScan->start();

    if (!pbacklog->errorString().isEmpty()) {
        const QString message = pbacklog->errorString();
        QTimer::singleShot(0, this, [this, message] { warn(message); });
    }
}

void MainWindow::addMenus()
{
    QMenu *file = ui->menubar->addMenu(tr("&File"));
    QAction *open = file->addAction(tr("&Open folder…"), this, [this] {
        const QString folder = QFileDialog::getExistingDirectory(this, tr("Open folder"), QDir::currentPath());
        if (!folder.isEmpty())
            openFolder(folder);
    });
    open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
    QAction *create = file->addAction(tr("&New sprint"), this, [this] {
        ui->sprints->setCurrentIndex(0);
        on_sprint_settings_clicked();
    });
    create->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
    m_mergeSchedule = file->addAction(tr("&Merge schedule copy…"), this, &MainWindow::mergeScheduleCopy);
    m_mergeSchedule->setObjectName(QStringLiteral("mergeSchedule"));
    m_mergeSchedule->setEnabled(false);
    file->addSeparator();
    // Closing every window lets each refuse, as closing it alone would.
    QAction *quit = file->addAction(tr("&Quit"), qApp, &QApplication::closeAllWindows);
    quit->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

    QMenu *edit = ui->menubar->addMenu(tr("&Edit"));
    QAction *undo = m_undo->makeUndoAction(this);
    undo->setShortcuts(QKeySequence::Undo);
    QAction *redo = m_undo->makeRedoAction(this);
    redo->setShortcuts({QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addAction(undo);
    edit->addAction(redo);
    connect(m_undo, &TaskUndoStack::refused, this, &MainWindow::warn);

    QMenu *help = ui->menubar->addMenu(tr("&Help"));
    QAction *keys = help->addAction(tr("&Keyboard shortcuts"), this, [this] {
        QMessageBox::information(this, tr("Keyboard shortcuts"), shortcutsText());
    });
    keys->setShortcut(QKeySequence::HelpContents);
    help->addAction(tr("&About Corvane"), this, [this] {
        QMessageBox::about(this, tr("About Corvane"),
                           tr("<h3>Corvane %1</h3><p>Plans a product backlog and numbered sprints, each kept as a "
                              "plain text file with one task a line, in the folder it is started in.</p>")
                               .arg(QCoreApplication::applicationVersion().toHtmlEscaped()));
    });
}

QString MainWindow::shortcutsText()
{
    struct Key {
        const char *keys;
        const char *does;
    };
    static const Key keys[] = {
        {QT_TR_NOOP("Ctrl+O"), QT_TR_NOOP("Open another planner folder")},
        {QT_TR_NOOP("Ctrl+N"), QT_TR_NOOP("Make a new sprint and open it")},
        {QT_TR_NOOP("Ctrl+Q"), QT_TR_NOOP("Quit")},
        {QT_TR_NOOP("Tab, Shift+Tab"), QT_TR_NOOP("Go to the next or previous list or button")},
        {QT_TR_NOOP("Space"),
         QT_TR_NOOP("Press the button that has the focus; in a list, mark the selected tasks done, or not done when all are")},
        {QT_TR_NOOP("Insert"), QT_TR_NOOP("Add a task to the backlog, or tasks from it to a sprint")},
        {QT_TR_NOOP("Enter, F2"), QT_TR_NOOP("Edit the selected task; in a picker, take the selected rows")},
        {QT_TR_NOOP("Ctrl+M"), QT_TR_NOOP("Move the selected task to another sprint")},
        {QT_TR_NOOP("Delete"), QT_TR_NOOP("Delete the selected task")},
        {QT_TR_NOOP("Ctrl+F"), QT_TR_NOOP("Find tasks: show only those that hold what you type")},
        {QT_TR_NOOP("Ctrl+A"), QT_TR_NOOP("Select every task shown; in a picker, every row shown")},
        {QT_TR_NOOP("Alt+Up, Alt+Down"), QT_TR_NOOP("Move the selected task up or down")},
        {QT_TR_NOOP("Alt+Home, Alt+End"), QT_TR_NOOP("Move the selected task to the top or the bottom")},
        {QT_TR_NOOP("Ctrl+Z, Ctrl+Shift+Z, Ctrl+Y"), QT_TR_NOOP("Undo, redo")},
        {QT_TR_NOOP("Ctrl+Shift+T"), QT_TR_NOOP("Restore deleted tasks")},
        {QT_TR_NOOP("Ctrl+I"), QT_TR_NOOP("Set the sprint's dates and goal")},
        {QT_TR_NOOP("Ctrl+Shift+E"), QT_TR_NOOP("Close the sprint, carrying its open tasks over to the next")},
        {QT_TR_NOOP("Ctrl+B"), QT_TR_NOOP("Show the sprint's burndown chart")},
        {QT_TR_NOOP("Shift+F10, Menu"), QT_TR_NOOP("Open the list's menu")},
        {QT_TR_NOOP("Ctrl+Enter"), QT_TR_NOOP("Take the text in the task editor")},
        {QT_TR_NOOP("Escape"), QT_TR_NOOP("Close the window or dialog")},
    };
    QString rows;
    for (const Key &key : keys) {
        rows += QStringLiteral("<tr><td><b>%1</b></td><td>%2</td></tr>")
                    .arg(tr(key.keys).toHtmlEscaped(), tr(key.does).toHtmlEscaped());
    }
    return QStringLiteral("<table cellspacing=\"4\">%1</table>").arg(rows);
}

bool MainWindow::openFolder(const QString &folder)
{
    // The lists open now belong to the folder being left: they close first,
    // each as its user would close it.
    for (QWidget *window : QApplication::topLevelWidgets()) {
        if (window != this && window->isVisible() && !qobject_cast<QDialog *>(window) && !window->close())
            return false;
    }
    QString error;
    if (!DesktopSetup::enterFolder(folder, &error)) {
        warn(error);
        return false;
    }
    // The steps taken here changed the folder left.
    m_undo->clear();
    openCurrentFolder();
    m_overview->refresh();
    return true;
}

MainWindow::~MainWindow()
{
    delete ui;
    delete pbacklog;
}

void MainWindow::init_pbacklog()
{
    // The store makes sure that the backlog file exists; the list itself is
    // never used here, so it is not read, whatever the backlog's length.
    delete pbacklog;
    pbacklog = new productbacklog(productbacklog::ReadWhenUsed);
}

void MainWindow::init_sprints_list()
{
    fillSprints(ui->sprints, SprintFiles::list());
}

void MainWindow::on_pbacklog_clicked()
{
    auto *window = new PBacklogWindow(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void MainWindow::on_sprint_settings_clicked()
{
    int index = 0;
    const bool making = ui->sprints->currentData() == NewSprintEntry;
    if (making) {
        // Listed afresh, so that a file made since the last look is never
        // picked again.
        const QStringList names = updateSprintsList();
        if (!SprintFiles::nextNumber(names, &index)) {
            warn(tr("No new sprint number is left: %1 is the highest sprint number there can be.")
                     .arg(std::numeric_limits<int>::max()));
            return;
        }
    } else {
        index = SprintFiles::number(ui->sprints->currentText());
    }
    openSprint(index);
    // A sprint made here gets its dates, as new-sprint gives them.
    SprintSchedule schedule;
    if (making && !schedule.plan(index, QDate::currentDate()))
        warn(schedule.result().message);
    updateSprintsList();
}

void MainWindow::openSprint(int index)
{
    SprintWindow *window = new SprintWindow(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    sw = window;
    connect(window, &QObject::destroyed, this, [this, window] {
        if (sw == window)
            sw = nullptr;
    });
    window->initSprint(index);
    window->show();
}

// Lists the sprint files again and, when that differs from the list shown,
// shows the new listing, keeping the current entry. Returns the listing.
QStringList MainWindow::updateSprintsList()
{
    const QStringList names = SprintFiles::list();
    QComboBox *box = ui->sprints;
    bool same = box->count() == names.size() + 1;
    for (int i = 0; same && i < names.size(); ++i)
        same = box->itemText(i + 1) == names.at(i);
    if (same)
        return names;

    const QString current = box->currentText();
    const int currentIndex = box->currentIndex();
    box->clear();
    fillSprints(box, names);
    if (currentIndex > 0) {
        const int found = box->findText(current, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        box->setCurrentIndex(found > 0 ? found : 0);
    }
    return names;
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != ui->sprints || event->type() != QEvent::KeyPress)
        return QMainWindow::eventFilter(watched, event);
    const QString typed = static_cast<QKeyEvent *>(event)->text();
    if (typed.size() != 1 || !typed.at(0).isDigit())
        return false;
    // Digits typed in quick succession make one number, as letters make
    // one search.
    if (!m_typedAt.isValid() || m_typedAt.elapsed() > QApplication::keyboardInputInterval())
        m_typedNumber.clear();
    m_typedAt.start();
    m_typedNumber += typed;
    const QString name = QStringLiteral("sprint") + m_typedNumber;
    int found = ui->sprints->findText(name, Qt::MatchExactly | Qt::MatchCaseSensitive);
    if (found < 0)
        found = ui->sprints->findText(name, Qt::MatchStartsWith | Qt::MatchCaseSensitive);
    if (found >= 0)
        ui->sprints->setCurrentIndex(found);
    return true;
}

void MainWindow::showConflictCopies()
{
    const QVector<ConflictCopies::Copy> copies = ConflictCopies::find();
    QStringList lists;
    QStringList names;
    bool schedule = false;
    for (const ConflictCopies::Copy &copy : copies) {
        if (copy.list == SprintSchedule::fileName())
            schedule = true;
        else if (!lists.contains(copy.list))
            lists.append(copy.list);
        names.append(copy.name);
    }
    m_mergeSchedule->setEnabled(schedule);
    QStringList told;
    if (!lists.isEmpty()) {
        told.append(tr("Conflict copies to merge: %1 (open the list and choose Merge…)")
                        .arg(lists.join(QStringLiteral(", "))));
    }
    if (schedule)
        told.append(tr("Conflict copies of the schedule to merge (File, Merge schedule copy…)"));
    statusBar()->showMessage(told.join(QStringLiteral("; ")));
    statusBar()->setToolTip(names.join(QLatin1Char('\n')));
}

void MainWindow::mergeScheduleCopy()
{
    const QStringList copies = ConflictCopies::namesOf(ConflictCopies::find(), SprintSchedule::fileName());
    if (TaskCommand *step = MergeDialog::ask(this, m_schedule.get(), copies, {},
                                             [this](const QString &message) { warn(message); })) {
        if (!m_undo->perform(step))
            warn(m_undo->errorString());
    }
    showConflictCopies();
}

void MainWindow::warn(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}
