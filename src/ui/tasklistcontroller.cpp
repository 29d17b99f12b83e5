#include "tasklistcontroller.h"

#include "filewatcher.h"
#include "listdialog.h"
#include "taskcommand.h"
#include "taskdrag.h"
#include "taskrows.h"
#include "taskundostack.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTimer>

TaskListController::TaskListController(QWidget *window, QListWidget *list, std::unique_ptr<TaskStore> store,
                                       const QList<QAbstractButton *> &buttons, QAbstractButton *deleteButton)
    : QObject(window)
    , m_window(window)
    , m_list(list)
    , m_store(std::move(store))
    , m_buttons(buttons)
    , m_undo(new TaskUndoStack(this))
    , m_watcher(new FileWatcher(m_store->fileName(), this))
{
    TaskRows::prepare(m_list);

    // Undo and redo work wherever the focus is in the window; Delete only
    // in the list, where it cannot mean deleting a character.
    // Qt's own actions keep their texts ("Undo Delete") and enabled states.
    m_undoAction = m_undo->makeUndoAction(this);
    addAction(m_undoAction, QKeySequence::keyBindings(QKeySequence::Undo), Qt::WindowShortcut);
    QList<QKeySequence> redoKeys = QKeySequence::keyBindings(QKeySequence::Redo);
    for (const QKeySequence &key : {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)}) {
        if (!redoKeys.contains(key))
            redoKeys.append(key);
    }
    m_redoAction = m_undo->makeRedoAction(this);
    addAction(m_redoAction, redoKeys, Qt::WindowShortcut);
    m_deleteAction = addAction(tr("Delete"), QKeySequence::keyBindings(QKeySequence::Delete), Qt::WidgetShortcut);
    m_restoreAction = addAction(tr("Restore deleted tasks…"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_T)},
                                Qt::WidgetShortcut);
    connect(m_undo, &TaskUndoStack::stepped, this, [this](int row) {
        showTasks();
        focusRow(row);
    });
    connect(m_undo, &TaskUndoStack::refused, this, [this](const QString &message) {
        showTasks();
        warn(message);
    });
    connect(m_deleteAction, &QAction::triggered, deleteButton, &QAbstractButton::click);
    connect(m_restoreAction, &QAction::triggered, this, &TaskListController::restoreDeleted);
    auto *close = addAction(tr("Close"), {QKeySequence(Qt::Key_Escape)}, Qt::WindowShortcut);
    connect(close, &QAction::triggered, m_window, &QWidget::close);

    // Order is priority: the selected task moves a place, or to an end.
    struct Move {
        const char *text;
        int key;
        ListEdits::Place place;
    };
    for (const Move &move : {Move{QT_TR_NOOP("Move up"), Qt::Key_Up, ListEdits::Place::Up},
                             Move{QT_TR_NOOP("Move down"), Qt::Key_Down, ListEdits::Place::Down},
                             Move{QT_TR_NOOP("Move to top"), Qt::Key_Home, ListEdits::Place::Top},
                             Move{QT_TR_NOOP("Move to bottom"), Qt::Key_End, ListEdits::Place::Bottom}}) {
        QAction *action = addAction(tr(move.text), {QKeySequence(Qt::ALT | move.key)}, Qt::WindowShortcut);
        connect(action, &QAction::triggered, this, [this, move] { moveSelected(move.place); });
        m_moveActions.append(action);
    }

    m_dropLine = new QWidget(m_list->viewport());
    m_dropLine->setAutoFillBackground(true);
    m_dropLine->setBackgroundRole(QPalette::Highlight);
    m_dropLine->hide();
    // Held near an edge, a drag scrolls the list, as a view's own would.
    m_autoScroll.setInterval(50);
    connect(&m_autoScroll, &QTimer::timeout, this, &TaskListController::autoScroll);
    m_list->setDragEnabled(false);
    m_list->viewport()->setAcceptDrops(true);
    m_list->viewport()->installEventFilter(this);

    m_list->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_list, &QWidget::customContextMenuRequested, this, &TaskListController::showContextMenu);
    // The Menu key comes through the platform as a context menu request;
    // Shift+F10, its stand-in on keyboards without one, does not.
    auto *menuKey = addAction(tr("Menu"), {QKeySequence(Qt::SHIFT | Qt::Key_F10)}, Qt::WidgetShortcut);
    connect(menuKey, &QAction::triggered, this, [this] {
        const QListWidgetItem *current = m_list->currentItem();
        showContextMenu(current ? m_list->visualItemRect(current).center() : QPoint(0, 0));
    });

    // Why the list cannot be changed, where every user sees it and not only
    // in a tooltip: a line just under the list, shown while it is read-only.
    m_readOnlyLine = new QLabel(m_window);
    m_readOnlyLine->setObjectName(QStringLiteral("readOnlyReason"));
    m_readOnlyLine->hide();
    connect(m_list, &QListWidget::itemSelectionChanged, this, &TaskListController::updateActions);
    connect(m_undo, &QUndoStack::indexChanged, this, &TaskListController::updateActions);
    connect(m_watcher, &FileWatcher::changed, this, &TaskListController::refreshFromFile);

    showTasks();
    // A row that only looked current would leave Delete with nothing to act
    // on: the list opens with its first row selected.
    if (m_list->count() > 0 && m_list->selectedItems().isEmpty())
        m_list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
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
    return addAction(new QAction(text, this), shortcuts, context);
}

QAction *TaskListController::addAction(QAction *action, const QList<QKeySequence> &shortcuts,
                                       Qt::ShortcutContext context)
{
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

TaskListController::Result TaskListController::perform(TaskCommand *command, bool quietWhenRefused)
{
    // Done, the stack says so through stepped().
    if (m_undo->perform(command))
        return Result::Done;
    showTasks();
    const TaskListFile::Refusal refusal = m_undo->refusal();
    if (refusal == TaskListFile::Refusal::None || !quietWhenRefused)
        warn(m_undo->errorString());
    switch (refusal) {
    case TaskListFile::Refusal::None: return Result::Failed;
    case TaskListFile::Refusal::NotFound: return Result::NotFound;
    case TaskListFile::Refusal::Held: return Result::Held;
    case TaskListFile::Refusal::Missing: return Result::Missing;
    }
    return Result::Failed;
}

void TaskListController::deleteSelected()
{
    const QVector<TaskRef> refs = selectedRefs();
    if (!refs.isEmpty())
        perform(TaskCommand::remove(m_store.get(), &m_history, refs));
}

void TaskListController::moveSelected(ListEdits::Place place)
{
    const QVector<TaskRef> refs = selectedRefs();
    if (refs.isEmpty())
        return;
    const bool up = place == ListEdits::Place::Up || place == ListEdits::Place::Top;
    perform(TaskCommand::reorder(m_store.get(), refs.first(), place, TaskRef(), up ? tr("Move up") : tr("Move down")));
}

void TaskListController::undo()
{
    m_undo->undoStep();
}

void TaskListController::redo()
{
    m_undo->redoStep();
}

void TaskListController::restoreDeleted()
{
    ListDialog dialog(m_window);
    dialog.setWindowTitle(tr("Restore deleted tasks"));
    dialog.setEmptyText(tr("No task of this list has been deleted lately, so there is none to restore."));
    dialog.setList(m_history.recent(m_store->fileName()));
    dialog.enableMultiselect();
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.getSelected();
    if (!chosen.isEmpty())
        perform(TaskCommand::insert(m_store.get(), &m_history, ListEdits::End, chosen, tr("Restore deleted tasks")));
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
    if (m_dropping)
        notify(message);
    else if (m_warner)
        m_warner(message);
    else
        QMessageBox::warning(m_window, m_window->windowTitle(), message);
}

void TaskListController::notify(const QString &message)
{
    if (m_warner) {
        m_warner(message);
        return;
    }
    // Not modal: it may come up in the middle of a drag, or once for each
    // of many changes made elsewhere, and must hold up neither.
    if (!m_notice) {
        m_notice = new QMessageBox(QMessageBox::Warning, m_window->windowTitle(), QString(), QMessageBox::Ok, m_window);
        m_notice->setWindowModality(Qt::NonModal);
        m_notice->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_notice->setText(message);
    m_notice->show();
}

void TaskListController::refreshFromFile()
{
    if (!m_store->refresh())
        return;
    showTasks();
    if (!m_store->errorString().isEmpty())
        notify(m_store->errorString());
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
    m_deleteAction->setEnabled(writable && selected);
    m_restoreAction->setEnabled(writable);
    for (QAction *action : m_windowActions + m_moveActions)
        action->setEnabled(writable && selected);

    const QString why = writable ? QString() : m_store->errorString();
    m_list->setAccessibleDescription(why);
    m_readOnlyLine->setVisible(!why.isEmpty());
    if (!why.isEmpty()) {
        const QRect list = m_list->geometry();
        const int height = m_readOnlyLine->fontMetrics().height() + 2;
        m_readOnlyLine->setGeometry(list.left(), qMin(list.bottom() + 3, m_window->height() - height), list.width(),
                                    height);
        const QString firstLine = why.section(QLatin1Char('\n'), 0, 0);
        m_readOnlyLine->setText(m_readOnlyLine->fontMetrics().elidedText(firstLine, Qt::ElideRight, list.width()));
        m_readOnlyLine->setToolTip(why);
        m_readOnlyLine->setAccessibleName(why);
        m_readOnlyLine->raise();
    }
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
        m_dragAt = drag->pos();
        showDropLine(dropRow(m_dragAt));
        m_autoScroll.start();
        return true;
    }
    case QEvent::DragLeave:
        m_autoScroll.stop();
        m_dropLine->hide();
        return true;
    case QEvent::Drop: {
        auto *dropEvent = static_cast<QDropEvent *>(event);
        m_autoScroll.stop();
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

void TaskListController::autoScroll()
{
    // As QAbstractItemView does for its own drags, which this list's
    // drags are not: a step a tick within the margin of an edge.
    const int margin = m_list->autoScrollMargin();
    const int height = m_list->viewport()->height();
    QScrollBar *bar = m_list->verticalScrollBar();
    if (m_dragAt.y() < margin)
        bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (m_dragAt.y() >= height - margin)
        bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    else
        return;
    showDropLine(dropRow(m_dragAt));
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
    // Told without waiting: the drag that brought the tasks, in this
    // program or another, still holds the mouse until the drop returns.
    if (m_store->isReadOnly()) {
        notify(m_store->errorString());
        return false;
    }
    // Lists of another folder are other lists, whatever their names.
    if (drag.folder != QDir::currentPath())
        return false;
    TaskCommand *command = nullptr;
    if (drag.list == m_store->fileName()) {
        // Reordering: the task goes before the one it was dropped on, as
        // the file has it then; below the last, to the end.
        const TaskRef &task = drag.tasks.first();
        const TaskRef before = row < m_list->count() ? TaskRef{row, m_list->item(row)->text()} : TaskRef();
        const QString text = row <= task.row ? tr("Move up") : tr("Move down");
        command = TaskCommand::reorder(m_store.get(), task, ListEdits::Place::Before, before, text);
    } else if (m_dropHandler) {
        command = m_dropHandler(drag, row);
    }
    if (!command)
        return false;
    m_dropping = true;
    const bool done = perform(command) == Result::Done;
    m_dropping = false;
    return done;
}
