#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "conflictcopies.h"
#include "filewatcher.h"
#include "pbacklogwindow.h"
#include "sprintfiles.h"
#include "sprintwindow.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QMessageBox>
#include <QStatusBar>
#include <QTimer>

#include <limits>

namespace {

const QString newSprint = QStringLiteral("New sprint");
// The data of the entry that makes a new sprint: a sprint file could be
// named as its text reads, and a translation would change that text.
const int NewSprintEntry = 1;

void fillSprints(QComboBox *box, const QStringList &names)
{
    box->addItem(newSprint, NewSprintEntry);
    box->addItems(names);
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent, Qt::WindowFlags())
    , pbacklog(nullptr)
    , sw(nullptr)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    ui->sprints->installEventFilter(this);
    init_sprints_list();
    init_pbacklog();

    // Sprint files that other windows or programs make show up in the list.
    auto *watcher = new FileWatcher(QDir::currentPath(), this);
    connect(watcher, &FileWatcher::changed, this, [this] { updateSprintsList(); });
    // Conflict copies are looked for shortly after the window shows and
    // after each change, so that a folder full of them never holds up the
    // window; the changes of one sync are gathered into one look.
    auto *conflictScan = new QTimer(this);
    conflictScan->setSingleShot(true);
    conflictScan->setInterval(200);
    connect(conflictScan, &QTimer::timeout, this, &MainWindow::showConflictCopies);
    connect(watcher, &FileWatcher::changed, conflictScan, qOverload<>(&QTimer::start));
    conflictScan->start();

    if (!pbacklog->errorString().isEmpty()) {
        const QString message = pbacklog->errorString();
        QTimer::singleShot(0, this, [this, message] { warn(message); });
    }
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
    if (ui->sprints->currentData() == NewSprintEntry) {
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

    SprintWindow *window = new SprintWindow(nullptr);
    window->setAttribute(Qt::WA_DeleteOnClose);
    sw = window;
    connect(window, &QObject::destroyed, this, [this, window] {
        if (sw == window)
            sw = nullptr;
    });
    window->initSprint(index);
    window->show();
    updateSprintsList();
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
    for (const ConflictCopies::Copy &copy : copies) {
        if (!lists.contains(copy.list))
            lists.append(copy.list);
        names.append(copy.name);
    }
    if (lists.isEmpty()) {
        statusBar()->clearMessage();
        statusBar()->setToolTip(QString());
        return;
    }
    statusBar()->showMessage(tr("Conflict copies to merge: %1 (open the list and choose Merge…)")
                                 .arg(lists.join(QStringLiteral(", "))));
    statusBar()->setToolTip(names.join(QLatin1Char('\n')));
}

void MainWindow::warn(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}
