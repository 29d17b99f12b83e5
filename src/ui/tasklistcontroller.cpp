#include "tasklistcontroller.h"

#include "filewatcher.h"
#include "listdialog.h"
#include "taskcommand.h"
#include "taskdrag.h"
#include "taskrows.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
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

    // Order is priority: the selected task moves a place, or to an end.
    struct Move {
        const char *text;
        int key;
        int by;  // 0: to an end, given by key
    };
    for (const Move &move : {Move{QT_TR_NOOP("Move up"), Qt::Key_Up, -1}, Move{QT_TR_NOOP("Move down"), Qt::Key_Down, 1},
                             Move{QT_TR_NOOP("Move to top"), Qt::Key_Home, 0},
                             Move{QT_TR_NOOP("Move to bottom"), Qt::Key_End, 0}}) {
        QAction *action = addAction(tr(move.text), {QKeySequence(Qt::ALT | move.key)}, Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, move] {
            const int row = m_list->currentRow();
            if (move.by != 0)
                moveSelected(row + move.by);
            else
                moveSelected(move.key == Qt::Key_Home ? 0 : m_list->count() - 1);
        });
        m_moveActions.append(action);
    }

    m_dropLine = new QWidget(m_list->viewport());
    m_dropLine->setAutoFillBackground(true);
    m_dropLine->setBackgroundRole(QPalette::Highlight);
    m_dropLine->hide();
    m_list->setDragEnabled(false);
    m_list->viewport()->setAcceptDrops(true);
    m_list->viewport()->installEventFilter(this);

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

void TaskListController::moveSelected(int to)
{
    const QVector<TaskRef> refs = selectedRefs();
    if (refs.isEmpty() || to < 0 || to >= m_list->count() || to == refs.first().row)
        return;
    const QString text = to < refs.first().row ? tr("Move up") : tr("Move down");
    perform(TaskCommand::reorder(m_store.get(), refs.first(), to, text));
}

void TaskListController::undo()
{
    if (m_undo->canUndo())
        step(false);
}

void TaskListController::redo()
{
    if (m_undo->canRedo())
        step(true);
}

void TaskListController::step(bool forward)
{
    auto *command = static_cast<TaskCommand *>(
        const_cast<QUndoCommand *>(m_undo->command(forward ? m_undo->index() : m_undo->index() - 1)));
    // The work is done here, first, so that the stack moves only when the
    // file took it.
    const bool done = forward ? command->apply() : command->revert();
    const auto moveStack = [this, forward] { forward ? m_undo->redo() : m_undo->undo(); };
    if (!done) {
        showTasks();
        const QString message = (forward ? tr("Cannot redo \"%1\":\n%2") : tr("Cannot undo \"%1\":\n%2"))
                                    .arg(command->text(), command->errorString());
        // A step whose tasks are gone can never be done again: it goes (the
        // stack deletes it), so that the steps beyond it can be. One the
        // file refused stays, to be tried again.
        if (command->isNotFound()) {
            command->setObsolete(true);
            moveStack();
        }
        warn(message);
        return;
    }
    const int row = command->focusRow();
    moveStack();
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
    menu.addActions(m_moveActions.mid(0, 2));
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
    for (QAction *action : m_windowActions + m_moveActions)
        action->setEnabled(writable && selected);
}

bool TaskListController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_list->viewport())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *press = static_cast<QMouseEvent *>(event);
        m_pressedAt = press->pos();
        m_pressedOnRow = press->button() == Qt::LeftButton && m_list->itemAt(press->pos());
        return false;
    }
    case QEvent::MouseMove: {
        const auto *move = static_cast<QMouseEvent *>(event);
        if (!m_pressedOnRow || !(move->buttons() & Qt::LeftButton))
            return false;
        // Held on a row, the mouse drags the task rather than the selection.
        if ((move->pos() - m_pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
            m_pressedOnRow = false;
            startDrag();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_pressedOnRow = false;
        return false;
    case QEvent::DragEnter:
    case QEvent::DragMove: {
        auto *drag = static_cast<QDragMoveEvent *>(event);
        TaskDrag tasks;
        if (!TaskDrag::fromMimeData(drag->mimeData(), &tasks)) {
            drag->ignore();
            return true;
        }
        drag->setDropAction(Qt::MoveAction);
        drag->accept();
        showDropLine(dropRow(drag->pos()));
        return true;
    }
    case QEvent::DragLeave:
        m_dropLine->hide();
        return true;
    case QEvent::Drop: {
        auto *dropEvent = static_cast<QDropEvent *>(event);
        m_dropLine->hide();
        TaskDrag tasks;
        if (!TaskDrag::fromMimeData(dropEvent->mimeData(), &tasks) || !drop(tasks, dropRow(dropEvent->pos()))) {
            dropEvent->ignore();
            return true;
        }
        dropEvent->setDropAction(Qt::MoveAction);
        dropEvent->accept();
        return true;
    }
    default:
        return false;
    }
}

void TaskListController::startDrag()
{
    // Nothing leaves a list that could not be read as it is.
    if (m_store->isReadOnly())
        return;
    TaskDrag tasks;
    tasks.folder = QDir::currentPath();
    tasks.list = m_store->fileName();
    tasks.tasks = selectedRefs();
    if (tasks.tasks.isEmpty())
        return;
    // The receiving window makes the whole change, in its own undo stack;
    // the source only follows its file, so it never deletes anything when
    // the drag ends, whatever the target said.
    auto *drag = new QDrag(m_list);
    drag->setMimeData(tasks.toMimeData());
    drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
}

int TaskListController::dropRow(const QPoint &pos) const
{
    const QModelIndex index = m_list->indexAt(pos);
    if (!index.isValid())
        return m_list->count();
    const QRect rect = m_list->visualRect(index);
    return pos.y() < rect.center().y() ? index.row() : index.row() + 1;
}

void TaskListController::showDropLine(int row)
{
    // A line across the gap where the tasks will land.
    const int count = m_list->count();
    int y = 0;
    if (count > 0) {
        const QRect rect = m_list->visualItemRect(m_list->item(qMin(row, count - 1)));
        y = row < count ? rect.top() : rect.bottom() + 1;
    }
    m_dropLine->setGeometry(0, qMax(0, y - 1), m_list->viewport()->width(), 2);
    m_dropLine->show();
    m_dropLine->raise();
}

bool TaskListController::drop(const TaskDrag &drag, int row)
{
    if (m_store->isReadOnly()) {
        warn(m_store->errorString());
        return false;
    }
    // Lists of another folder are other lists, whatever their names.
    if (drag.folder != QDir::currentPath())
        return false;
    if (drag.list == m_store->fileName()) {
        // Reordering: dropped below itself, a task lands one row higher.
        const TaskRef &task = drag.tasks.first();
        const int to = row > task.row ? row - 1 : row;
        if (to == task.row)
            return true;
        const QString text = to < task.row ? tr("Move up") : tr("Move down");
        return perform(TaskCommand::reorder(m_store.get(), task, to, text)) == Outcome::Done;
    }
    TaskCommand *command = m_dropHandler ? m_dropHandler(drag, row) : nullptr;
    return command && perform(command) == Outcome::Done;
}
