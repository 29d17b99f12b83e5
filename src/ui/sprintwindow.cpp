#include "sprintwindow.h"
#include "ui_sprintwindow.h"

#include "filewatcher.h"
#include "listdialog.h"
#include "sprintfiles.h"
#include "taskrows.h"

#include <QMessageBox>
#include <QShortcut>
#include <QTimer>

SprintWindow::SprintWindow(QWidget *parent)
    : QWidget(parent)
    , s(nullptr)
    , pb(nullptr)
    , ui(new Ui::SprintWindow)
    , watcher(nullptr)
{
    ui->setupUi(this);
    TaskRows::prepare(ui->tasks);
    pb = new productbacklog;
    ui->tasks->setFocus();

    // Until a sprint is open there is nothing to act on.
    ui->add->setEnabled(false);
    ui->move->setEnabled(false);
    ui->delete_2->setEnabled(false);

    auto *deleteKey = new QShortcut(QKeySequence::Delete, ui->tasks, nullptr, nullptr,
                                    Qt::WidgetShortcut);
    connect(deleteKey, &QShortcut::activated, ui->delete_2, &QAbstractButton::click);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

SprintWindow::~SprintWindow()
{
    delete ui;
    delete s;
    delete pb;
}

void SprintWindow::initSprint(int index)
{
    delete watcher;
    delete s;
    ui->tasks->clear();

    s = new Sprint(index);
    ui->snumber->setText(QString::number(index, 10));
    showTasks();

    watcher = new FileWatcher(Sprint::fileName(index), this);
    connect(watcher, &FileWatcher::changed, this, [this] { refreshFromFile(); });

    if (!s->errorString().isEmpty()) {
        // Told once the window is up, not before it is shown.
        const QString message = s->errorString();
        QTimer::singleShot(0, this, [this, message] { warn(message); });
    }
}

void SprintWindow::on_add_clicked()
{
    if (!s)
        return;
    // Offer the backlog as it is now, not as it was when the window opened.
    pb->refresh();
    if (pb->isReadOnly())
        warn(pb->errorString());

    ListDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Add tasks"));
    dialog.setList(pb->getItems());
    dialog.enableMultiselect();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.getSelected();
    if (chosen.isEmpty())
        return;

    const bool saved = s->addTasks(chosen);
    showTasks();
    if (saved)
        TaskRows::select(ui->tasks, chosen.last(), ui->tasks->count() - 1);
    else
        warn(s->errorString());
}

void SprintWindow::on_move_clicked()
{
    if (!s)
        return;
    ListDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("Move task"));
    QStringList names = SprintFiles::list();
    names.removeAll(QLatin1String("sprint") + ui->snumber->text());
    dialog.setList(names);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.getSelected();
    if (chosen.isEmpty())
        return;
    // Looked at only now: the list may have been refilled meanwhile.
    const QListWidgetItem *current = ui->tasks->currentItem();
    if (!current || !current->isSelected())
        return;

    const QString task = current->text();
    const bool saved = s->moveTask(task, SprintFiles::number(chosen.first()));
    if (saved)
        ui->tasks->setCurrentRow(-1);
    showTasks();
    if (!saved)
        warn(s->errorString());
}

void SprintWindow::on_delete_2_clicked()
{
    if (!s || ui->tasks->selectedItems().isEmpty())
        return;
    const bool saved = TaskRows::removeSelected(ui->tasks, [this](const QString &task) {
        return s->deleteTask(task);
    });
    showTasks();
    if (!saved)
        warn(s->errorString());
}

void SprintWindow::showTasks()
{
    TaskRows::showStore(ui->tasks, s->getTasks(), s->isReadOnly(), s->errorString(),
                        {ui->add, ui->move, ui->delete_2});
}

void SprintWindow::refreshFromFile()
{
    if (!s->refresh())
        return;
    showTasks();
    if (!s->errorString().isEmpty())
        warn(s->errorString());
}

void SprintWindow::warn(const QString &message)
{
    QMessageBox::warning(this, windowTitle(), message);
}
