#include "tasklistcontroller.h"

#include "filewatcher.h"
#include "listdialog.h"
#include "taskcommand.h"
#include "taskrows.h"

#include <QAbstractButton>
#include <QAction>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QTimer>
#include <QUndoStack>

TaskListController::TaskListController(QWidget *window, QListWidget *list, std::unique_ptr<TaskStore> store,
                                       const QList<QAbstractButton *> &buttons, QAbstractButton *deleteButton)
    : QObject(window)
    , m_window(window)
    , m_list(list)
    , m_store(std::move(store))
    , m_buttons(buttons)
    , m_undo(new QUndoStack(this))
    , m_watcher(new FileWatcher(m_store->fileName(), this))
{
    TaskRows::prepare(m_list);

    // Undo and redo work wherever the focus is in the window; Delete only
    // in the list, where it cannot mean deleting a character.
    m_undoAction = addAction(tr("Undo"), QKeySequence::keyBindings(QKeySequence::Undo), Qt::WindowShortcut);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    }
    m_redoAction = addAction(tr("Redo"), redoKeys, Qt::WindowShortcut);
    m_deleteAction = addAction(tr("Delete"), QKeySequence::keyBindings(QKeySequence::Delete), Qt::WidgetShortcut);
    m_restoreAction = addAction(tr("Restore deleted tasks…"), {}, Qt::WidgetShortcut);
    connect(m_undoAction, &QAction::triggered, this, &TaskListController::undo);
    connect(m_redoAction, &QAction::triggered, this, &TaskListController::redo);
    connect(m_deleteAction, &QAction::triggered, deleteButton, &QAbstractButton::click);
    connect(m_restoreAction, &QAction::triggered, this, &TaskListController::restoreDeleted);
    auto *close = addAction(tr("Close"), {QKeySequence(Qt::Key_Escape)}, Qt::WindowShortcut);
    connect(close, &QAction::triggered, m_window, &QWidget::close);

    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &TaskListController::showContextMenu);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &TaskListController::updateActions);
    connect(m_undo, &QUndoStack::indexChanged, this, &TaskListController::updateActions);
    connect(m_watcher, &FileWatcher::changed, this, &TaskListController::refreshFromFile);

    showTasks();
    m_list->setFocus();
    if (!m_store->errorString().isEmpty()) {
        // Told once the window is up, not from inside its constructor.
        const QString message = m_store->errorString();
        QTimer::singleShot(0, this, [this, message] { warn(message); });
    }
}

TaskListController::~TaskListController() = default;

QAction *TaskListController::addAction(const QString &text, const QList<QKeySequence> &shortcuts,
                                       Qt::ShortcutContext context)
{
    auto *action = new QAction(text, this);
    action->setShortcuts(shortcuts);
    action->setShortcutContext(context);
    // A widget shortcut is heard only by the widget it is added to.
    (context == Qt::WidgetShortcut ? static_cast<QWidget *>(m_list) : m_window)->addAction(action);
    return action;
}

void TaskListController::addMenuAction(const QString &text, const QList<QKeySequence> &shortcuts,
                                       QAbstractButton *button)
{
    QAction *action = addAction(text, shortcuts, Qt::WidgetShortcut);
    connect(action, &QAction::triggered, button, &QAbstractButton::click);
    m_windowActions.append(action);
    updateActions();
}

QVector<TaskRef> TaskListController::selectedRefs() const
{
    QVector<TaskRef> refs;
    const QListWidgetItem *current = m_list->currentItem();
    if (current && current->isSelected())
        refs.append(TaskRef{m_list->row(current), current->text()});
    for (const QListWidgetItem *item : m_list->selectedItems()) {
        if (item != current)
            refs.append(TaskRef{m_list->row(item), item->text()});
    }
    return refs;
}

TaskListController::Outcome TaskListController::perform(TaskCommand *command, bool quietWhenGone)
{
    if (!command->apply()) {
        const bool gone = command->isNotFound();
        const QString error = command->errorString();
        delete command;
        showTasks();
        if (!gone || !quietWhenGone)
            warn(error);
        return gone ? Outcome::NotFound : Outcome::Failed;
    }
    const int row = command->focusRow();
    // Already done: the stack only keeps it, or drops it when it did nothing.
    m_undo->push(command);
    showTasks();
    focusRow(row);
    return Outcome::Done;
}

void TaskListController::deleteSelected()
{
    const QVector<TaskRef> refs = selectedRefs();
    if (!refs.isEmpty())
        perform(TaskCommand::remove(m_store.get(), &m_history, refs));
}

void TaskListController::undo()
{
    if (!m_undo->canUndo())
        return;
    auto *command = static_cast<TaskCommand *>(const_cast<QUndoCommand *>(m_undo->command(m_undo->index() - 1)));
    if (!command->revert()) {
        showTasks();
        const QString message = tr("Cannot undo \"%1\":\n%2").arg(command->text(), command->errorString());
        // A step whose tasks are gone can never be undone: it goes (the
        // stack deletes it), so that the steps before it can be. One the
        // file refused stays, to be tried again.
        if (command->isNotFound()) {
            command->setObsolete(true);
            m_undo->undo();
        }
        warn(message);
        return;
    }
    const int row = command->focusRow();
    m_undo->undo();
    showTasks();
    focusRow(row);
}

void TaskListController::redo()
{
    if (!m_undo->canRedo())
        return;
    auto *command = static_cast<TaskCommand *>(const_cast<QUndoCommand *>(m_undo->command(m_undo->index())));
    if (!command->apply()) {
        showTasks();
        const QString message = tr("Cannot redo \"%1\":\n%2").arg(command->text(), command->errorString());
        if (command->isNotFound()) {
            command->setObsolete(true);
            m_undo->redo();
        }
        warn(message);
        return;
    }
    const int row = command->focusRow();
    m_undo->redo();
    showTasks();
    focusRow(row);
}

void TaskListController::restoreDeleted()
{
    ListDialog dialog(m_window);
    dialog.setWindowTitle(tr("Restore deleted tasks"));
    dialog.setList(m_history.recent(m_store->fileName()));
    dialog.enableMultiselect();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.getSelected();
    if (!chosen.isEmpty())
        perform(TaskCommand::insert(m_store.get(), ListEdits::End, chosen, tr("Restore deleted tasks")));
}

void TaskListController::showTasks()
{
    QList<QWidget *> widgets;
    for (QAbstractButton *button : m_buttons)
        widgets.append(button);
    TaskRows::showStore(m_list, m_store->tasks(), m_store->isReadOnly(), m_store->errorString(), widgets);
    updateActions();
}

void TaskListController::warn(const QString &message)
{
    QMessageBox::warning(m_window, m_window->windowTitle(), message);
}

void TaskListController::refreshFromFile()
{
    if (!m_store->refresh())
        return;
    showTasks();
    if (!m_store->errorString().isEmpty())
        warn(m_store->errorString());
}

void TaskListController::showContextMenu(const QPoint &at)
{
    updateActions();
    QMenu menu(m_window);
    menu.addAction(m_undoAction);
    menu.addAction(m_redoAction);
    menu.addSeparator();
    menu.addActions(m_windowActions);
    menu.addAction(m_deleteAction);
    menu.addSeparator();
    menu.addAction(m_restoreAction);
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

void TaskListController::focusRow(int row)
{
    // The row that took the place of one that went, or the last.
    const int count = m_list->count();
    if (row < 0 || count == 0)
        return;
    row = qMin(row, count - 1);
    m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    m_list->scrollToItem(m_list->item(row));
}

void TaskListController::updateActions()
{
    const bool writable = !m_store->isReadOnly();
    const bool selected = !m_list->selectedItems().isEmpty();
    m_undoAction->setEnabled(writable && m_undo->canUndo());
    m_undoAction->setText(m_undo->canUndo() ? tr("Undo %1").arg(m_undo->undoText()) : tr("Undo"));
    m_redoAction->setEnabled(writable && m_undo->canRedo());
    m_redoAction->setText(m_undo->canRedo() ? tr("Redo %1").arg(m_undo->redoText()) : tr("Redo"));
    m_deleteAction->setEnabled(writable && selected);
    m_restoreAction->setEnabled(writable);
    for (QAction *action : m_windowActions)
        action->setEnabled(writable && selected);
}
