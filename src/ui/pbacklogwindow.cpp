#include "pbacklogwindow.h"
#include "ui_pbacklogwindow.h"

#include "filewatcher.h"
#include "taskdialog.h"
#include "taskrows.h"

#include <QMessageBox>
#include <QShortcut>
#include <QTimer>

PBacklogWindow::PBacklogWindow(QWidget *parent)
    : QWidget(parent, Qt::WindowFlags())
    , pb(nullptr)
    , ui(new Ui::PBacklogWindow)
{
    ui->setupUi(this);
    TaskRows::prepare(ui->tasks);
    pb = new productbacklog;
    showTasks();
    ui->tasks->setFocus();

    // Keyboard use: Delete deletes, Enter or a double click edits, Escape
    // closes. The buttons do the work, so a read-only list refuses them too.
    auto *deleteKey = new QShortcut(QKeySequence::Delete, ui->tasks, nullptr, nullptr,
                                    Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, ui->delete_2, &QAbstractButton::click);
    connect(ui->tasks, &QListWidget::itemActivated, ui->edit, &QAbstractButton::click);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);

    auto *watcher = new FileWatcher(productbacklog::fileName(), this);
    connect(watcher, &FileWatcher::changed, this, [this] { refreshFromFile(); });

    if (!pb->errorString().isEmpty()) {
        // Told once the window is up, not from inside the constructor.
        const QString message = pb->errorString();
        QTimer::singleShot(0, this, [this, message] { warn(message); });
    }
}

PBacklogWindow::~PBacklogWindow()
{
    delete ui;
    delete pb;
}

void PBacklogWindow::on_add_clicked()
{
    QString text;
    if (!TaskDialog::ask(QStringLiteral("Add task"), &text))
        return;
    const bool saved = pb->addItem(text);
    showTasks();
    // The new task is last, or where it already was; a text over several
    // lines is no longer one task, and then nothing is picked.
    TaskRows::select(ui->tasks, text, ui->tasks->count() - 1);
    if (!saved)
        warn(pb->errorString());
}

void PBacklogWindow::on_delete_2_clicked()
{
    if (ui->tasks->selectedItems().isEmpty())
        return;
    const bool saved = TaskRows::removeSelected(ui->tasks, [this](const QString &task) {
        return pb->removeItem(task);
    });
    showTasks();
    if (!saved)
        warn(pb->errorString());
}

void PBacklogWindow::on_edit_clicked()
{
    const QList<QListWidgetItem *> items = ui->tasks->selectedItems();
    if (items.isEmpty())
        return;
    // The list may be refilled while the dialog is open: keep the text and
    // the row, not the item.
    const QString old = items.first()->text();
    const int row = ui->tasks->row(items.first());

    QString text = old;
    if (!TaskDialog::ask(QStringLiteral("Edit task"), &text))
        return;
    const bool saved = pb->editItem(old, text);
    showTasks();
    if (saved && !TaskRows::select(ui->tasks, text, row) && row < ui->tasks->count())
        ui->tasks->setCurrentRow(row);
    if (!saved)
        warn(pb->errorString());
}

void PBacklogWindow::showTasks()
{
    TaskRows::showStore(ui->tasks, pb->getItems(), pb->isReadOnly(), pb->errorString(),
                        {ui->add, ui->delete_2, ui->edit});
}

void PBacklogWindow::refreshFromFile()
{
    if (!pb->refresh())
        return;
    showTasks();
    if (!pb->errorString().isEmpty())
        warn(pb->errorString());
}

void PBacklogWindow::warn(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}
