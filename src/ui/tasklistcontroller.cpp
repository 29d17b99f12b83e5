// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tasklistcontroller.h"

#include "donemark.h"
#include "filewatcher.h"
#include "listdialog.h"
#include "sprintprogress.h"
#include "taskcommand.h"
#include "taskdelegate.h"
#include "taskdialog.h"
#include "taskdrag.h"
#include "tasklist.h"
#include "taskrows.h"
#include "taskundostack.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QDir>
#include <QFileInfo>
#include <QDrag>
#include <QDragMoveEvent>
#include <QDropEvent>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QMouseEvent>
#include <QScrollBar>
#include <QSettings>
#include <QSet>
#include <QTimer>

#include <algorithm>

TaskListController::TaskListController(QWidget *window, QListWidget *list, std::unique_ptr<TaskStore> store,
                                       const QList<QAbstractButton *> &buttons, QAbstractButton *deleteButton,
                                       TaskRows::Checks checks)
    : QObject(window)
    , m_window(window)
    , m_list(list)
    , m_store(std::move(store))
    , m_buttons(buttons)
    , m_undo(new TaskUndoStack(this))
    , m_watcher(new FileWatcher(m_store->fileName(), this))
{
    TaskRows::prepare(m_list, checks);
    // Shift and Ctrl pick several tasks, which Delete, a move and a drag
    // take together.
    m_list->setSelectionMode(QAbstractItemView::ExtendedSelection);

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
    // Space marks the selected tasks, as a check box marks its own.
    m_doneAction = addAction(tr("Mark done"), {QKeySequence(Qt::Key_Space)}, Qt::WidgetShortcut);
    connect(m_doneAction, &QAction::triggered, this, &TaskListController::toggleSelected);
    connect(static_cast<TaskDelegate *>(m_list->itemDelegate()), &TaskDelegate::checkClicked, this, [this](int row) {
        if (m_store->isReadOnly() || row >= m_list->count())
            return;
        const TaskRef task = shownTask(row);
        perform(TaskCommand::mark(m_store.get(), {task}, DoneMark::isDone(task.text) ? QDate() : QDate::currentDate()));
    });
    m_hideDoneAction = new QAction(tr("Hide done tasks"), this);
    m_hideDoneAction->setCheckable(true);
    m_hideDoneAction->setChecked(QSettings().value(settingsKey("hideDone")).toBool());
    m_filter = TaskFilter(QString(), m_hideDoneAction->isChecked());
    connect(m_hideDoneAction, &QAction::toggled, this, &TaskListController::setHidingDone);
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
    auto *find = addAction(tr("Find…"), QKeySequence::keyBindings(QKeySequence::Find), Qt::WindowShortcut);
    connect(find, &QAction::triggered, this, &TaskListController::openFind);
    // Escape closes the find line first, then the window.
    auto *close = addAction(tr("Close"), {QKeySequence(Qt::Key_Escape)}, Qt::WindowShortcut);
    connect(close, &QAction::triggered, this, [this] {
        if (m_find && m_find->isVisible())
            closeFind();
        else
            m_window->close();
    });
    // A long list is filtered once typing pauses, so that typing never
    // waits for it.
    m_filterDelay.setSingleShot(true);
    connect(&m_filterDelay, &QTimer::timeout, this, &TaskListController::applyFilter);

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
    // Shortened anew to the list's width as the window is resized; the
    // find line follows the list too.
    m_list->installEventFilter(this);
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

void TaskListController::setSelectionButtons(const QList<QAbstractButton *> &buttons)
{
    m_selectionButtons = buttons;
    updateActions();
}

void TaskListController::addMenuAction(const QString &text, const QList<QKeySequence> &shortcuts,
                                       QAbstractButton *button)
{
    QAction *action = addAction(text, shortcuts, Qt::WidgetShortcut);
    connect(action, &QAction::triggered, button, &QAbstractButton::click);
    m_windowActions.append(action);
    updateActions();
}

QAction *TaskListController::addListAction(const QString &text, const QList<QKeySequence> &shortcuts,
                                           const std::function<void()> &run)
{
    QAction *action = addAction(text, shortcuts, Qt::WindowShortcut);
    connect(action, &QAction::triggered, this, run);
    m_listActions.append(action);
    return action;
}

QVector<TaskRef> TaskListController::selectedRefs() const
{
    QVector<TaskRef> refs;
    const QListWidgetItem *current = m_list->currentItem();
    if (current && current->isSelected())
        refs.append(TaskRef{fileRow(m_list->row(current)), current->text()});
    QVector<int> rows;
    for (const QListWidgetItem *item : m_list->selectedItems()) {
        if (item != current)
            rows.append(m_list->row(item));
    }
    // The others in the list's order, which a move keeps.
    std::sort(rows.begin(), rows.end());
    for (const int row : rows)
        refs.append(TaskRef{fileRow(row), m_list->item(row)->text()});
    return refs;
}

void TaskListController::openFind()
{
    if (!m_find) {
        // Made at first use, below the list, in the room the form leaves.
        m_find = new QLineEdit(m_window);
        m_find->setObjectName(QStringLiteral("find"));
        m_find->setPlaceholderText(tr("Find tasks"));
        m_find->setAccessibleName(tr("Find tasks"));
        m_find->setMaxLength(TaskFilter::MaxLength);
        // And below it wherever it goes as the window is resized (see
        // eventFilter()).
        placeFind();
        connect(m_find, &QLineEdit::textChanged, this, [this] {
            m_filterDelay.start(m_store->tasks().size() > 200000 ? 300 : 0);
        });
        connect(m_find, &QLineEdit::returnPressed, m_list, qOverload<>(&QWidget::setFocus));
        m_noMatch = new QLabel(m_list->viewport());
        m_noMatch->setAlignment(Qt::AlignCenter);
        m_noMatch->setWordWrap(true);
        m_noMatch->hide();
    }
    m_find->show();
    m_find->raise();
    m_find->setFocus();
    m_find->selectAll();
}

void TaskListController::placeFind()
{
    const QRect list = m_list->geometry();
    const int top = belowList();
    const int height = qMin(m_find->sizeHint().height(), qMax(16, m_window->height() - top - 1));
    m_find->setGeometry(list.x(), top, list.width(), height);
}

void TaskListController::closeFind()
{
    if (!m_find)
        return;
    m_filterDelay.stop();
    m_find->hide();
    m_find->clear();
    applyFilter();
    m_list->setFocus();
}

void TaskListController::applyFilter()
{
    m_filter = TaskFilter(m_find && m_find->isVisible() ? m_find->text() : QString(), m_hideDoneAction->isChecked());
    showTasks();
}

void TaskListController::setHidingDone(bool hide)
{
    if (m_hideDoneAction->isChecked() != hide)
        m_hideDoneAction->setChecked(hide);  // comes back here through toggled()
    QSettings().setValue(settingsKey("hideDone"), hide);
    applyFilter();
}

QString TaskListController::settingsKey(const char *name) const
{
    return QLatin1String(m_window->metaObject()->className()) + QLatin1Char('/') + QLatin1String(name);
}

void TaskListController::showDoneCount()
{
    if (m_doneCount)
        return;
    m_doneCount = new QLabel(m_window);
    m_doneCount->setObjectName(QStringLiteral("doneCount"));
    m_doneCount->show();
    showTasks();
}

int TaskListController::belowList() const
{
    const int bottom = m_list->geometry().bottom() + 3;
    return m_doneCount ? bottom + m_doneCount->height() : bottom;
}

int TaskListController::fileRow(int shownRow) const
{
    if (m_filter.isEmpty())
        return shownRow;
    if (shownRow < m_shownRows.size())
        return m_shownRows.at(shownRow);
    return m_shownRows.isEmpty() ? m_store->tasks().size() : m_shownRows.last() + 1;
}

int TaskListController::shownRow(int fileRow) const
{
    if (m_filter.isEmpty())
        return fileRow;
    return int(std::lower_bound(m_shownRows.cbegin(), m_shownRows.cend(), fileRow) - m_shownRows.cbegin());
}

TaskRef TaskListController::shownTask(int row) const
{
    return TaskRef{fileRow(row), m_list->item(row)->text()};
}

TaskRef TaskListController::taskAfter(int row) const
{
    const QStringList tasks = m_store->tasks();
    const int next = fileRow(row) + 1;
    return next < tasks.size() ? TaskRef{next, tasks.at(next)} : TaskRef();
}

TaskListController::Result TaskListController::perform(TaskCommand *command, bool quietWhenRefused)
{
    // Done, the stack says so through stepped().
    if (m_undo->perform(command)) {
        if (!m_undo->note().isEmpty())
            notify(m_undo->note());
        return Result::Done;
    }
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

TaskListController::Result TaskListController::deleteSelected()
{
    const QVector<TaskRef> refs = selectedRefs();
    return refs.isEmpty() ? Result::Done : perform(TaskCommand::remove(m_store.get(), refs));
}

TaskListController::Result TaskListController::toggleSelected()
{
    const QVector<TaskRef> refs = selectedRefs();
    if (refs.isEmpty())
        return Result::Done;
    return perform(TaskCommand::mark(m_store.get(), refs, allSelectedDone() ? QDate() : QDate::currentDate()));
}

bool TaskListController::allSelectedDone() const
{
    // Stops at the first open one: the selection may be every row of a
    // long list, and this is asked at each change of it.
    const QList<QListWidgetItem *> items = m_list->selectedItems();
    return std::all_of(items.cbegin(), items.cend(),
                       [](const QListWidgetItem *item) { return DoneMark::isDone(item->text()); });
}

void TaskListController::editSelected(const QString &heldMessage)
{
    // The list may be refilled while the dialog is open: keep the row and
    // the text, not the item.
    const QVector<TaskRef> selected = selectedRefs();
    if (selected.isEmpty() || m_store->isReadOnly())
        return;
    const TaskRef task = selected.first();
    if (task.text.size() > TaskDialog::MaxLength) {
        warn(tr("This task is %1 characters long, too long to edit here; it is left as it is.\n"
                "It begins: %2")
                 .arg(task.text.size())
                 .arg(TaskDelegate::bounded(task.text, 200)));
        return;
    }

    // The dialog edits the task's text; a done task keeps its mark.
    QString text = DoneMark::textOf(task.text);
    const QDate done = DoneMark::date(task.text);
    QStringList lines;
    Result result = Result::Failed;
    const EditReach reach = m_editReacher ? m_editReacher(task) : EditReach();
    // As for Add, the editor comes back with the text when the change was
    // not saved, and when the list holds what was typed already.
    while (result == Result::Failed || result == Result::Held) {
        if (!TaskDialog::ask(tr("Edit task"), &text, m_window, reach.note))
            return;
        lines = ListEdits::lines(text);
        if (!lines.isEmpty() && done.isValid())
            lines.first() = DoneMark::marked(lines.first(), done);
        if (lines.isEmpty() || lines == QStringList{task.text})
            return;
        result = perform(reach.step ? reach.step(task, lines) : TaskCommand::replace(m_store.get(), task, lines), true);
        if (result == Result::Held)
            warn(heldMessage);
    }
    if (result == Result::Done)
        return;

    // Another window or program changed or removed the task meanwhile: what
    // was typed is neither lost nor put on another task.
    const auto answer = QMessageBox::question(
        m_window, m_window->windowTitle(),
        tr("The task you edited was changed or removed by another window or program while the editor was open.\n"
           "Add what you typed as a new task?"));
    if (answer == QMessageBox::Yes)
        perform(TaskCommand::insert(m_store.get(), ListEdits::End, lines, tr("Add task")));
}

TaskListController::Result TaskListController::moveSelected(ListEdits::Place place)
{
    const QVector<TaskRef> refs = selectedRefs();
    if (refs.isEmpty())
        return Result::Done;
    const bool up = place == ListEdits::Place::Up || place == ListEdits::Place::Top;
    TaskRef anchor;
    if (!m_filter.isEmpty()) {
        // Beside the neighbour shown, wherever the hidden tasks are.
        const int row = m_list->currentRow();
        const int last = m_list->count() - 1;
        if ((place == ListEdits::Place::Up && row == 0) || (place == ListEdits::Place::Down && row == last))
            return Result::Done;
        switch (place) {
        case ListEdits::Place::Up: anchor = shownTask(row - 1); break;
        case ListEdits::Place::Down: anchor = taskAfter(row + 1); break;
        case ListEdits::Place::Top: anchor = shownTask(0); break;
        default: anchor = taskAfter(last); break;
        }
        place = ListEdits::Place::Before;
    }
    return perform(TaskCommand::reorder(m_store.get(), refs.first(), place, anchor, up ? tr("Move up") : tr("Move down")));
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
    // Each task when it went and where from; one the list holds again, as
    // after an undo, is back already.
    // The list holds a task done or open alike.
    QVector<DeletedTasks::Entry> entries = m_history.recentEntries(m_store->fileName());
    QStringList tasks = m_store->tasks();
    const QSet<QString> held = TaskList(&tasks).textSet();
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&held](const DeletedTasks::Entry &entry) {
                                     return held.contains(DoneMark::textOf(entry.text));
                                 }),
                  entries.end());
    QStringList rows;
    for (const DeletedTasks::Entry &entry : qAsConst(entries))
        rows.append(tr("%1, %2: %3")
                        .arg(QLocale().toString(entry.when.toLocalTime(), QLocale::ShortFormat), entry.list, entry.text));

    ListDialog dialog(m_window);
    dialog.setWindowTitle(tr("Restore deleted tasks"));
    dialog.setEmptyText(tr("No task of this list has been deleted lately, so there is none to restore."));
    dialog.setList(rows);
    dialog.enableMultiselect();
    if (dialog.exec() != QDialog::Accepted)
        return;
    QStringList chosen;
    for (const int row : dialog.selectedRows())
        chosen.append(entries.at(row).text);
    if (!chosen.isEmpty())
        perform(TaskCommand::insert(m_store.get(), ListEdits::End, chosen, tr("Restore deleted tasks")));
}

void TaskListController::showTasks()
{
    QList<QWidget *> widgets;
    for (QAbstractButton *button : m_buttons)
        widgets.append(button);
    const QStringList rows = m_filter.isEmpty() ? m_store->tasks() : m_filter.matching(m_store->tasks(), &m_shownRows);
    TaskRows::showStore(m_list, rows, m_store->isReadOnly(), m_store->errorString(), widgets);
    if (m_doneCount) {
        int all = 0;
        int done = 0;
        SprintProgress::count(m_store->tasks(), &done, &all);
        const QRect list = m_list->geometry();
        m_doneCount->setText(tr("%1 of %n done", "", all).arg(done));
        m_doneCount->setGeometry(list.left(), list.bottom() + 3, list.width(), m_doneCount->fontMetrics().height() + 2);
        m_doneCount->setAccessibleName(m_doneCount->text());
    }
    if (m_noMatch) {
        m_noMatch->setText(tr("No task matches \u201c%1\u201d.").arg(m_find->text().left(100)));
        m_noMatch->setGeometry(m_list->viewport()->rect());
        m_noMatch->setVisible(!m_filter.isEmpty() && rows.isEmpty());
    }
    updateActions();
    emit shown();
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
    menu.addAction(m_doneAction);
    menu.addAction(m_deleteAction);
    menu.addSeparator();
    menu.addActions(m_moveActions.mid(0, 2));
    menu.addSeparator();
    menu.addAction(m_hideDoneAction);
    menu.addAction(m_restoreAction);
    if (!m_listActions.isEmpty()) {
        menu.addSeparator();
        menu.addActions(m_listActions);
    }
    menu.exec(m_list->viewport()->mapToGlobal(at));
}

void TaskListController::focusRow(int row)
{
    // The row that took the place of one that went, or the last.
    const int count = m_list->count();
    if (row < 0 || count == 0)
        return;
    row = shownRow(row);
    row = qMin(row, count - 1);
    m_list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    m_list->scrollToItem(m_list->item(row));
}

void TaskListController::updateActions()
{
    const bool writable = !m_store->isReadOnly();
    const bool selected = !m_list->selectedItems().isEmpty();
    m_deleteAction->setEnabled(writable && selected);
    m_doneAction->setEnabled(writable && selected);
    m_doneAction->setText(selected && allSelectedDone() ? tr("Mark not done") : tr("Mark done"));
    m_restoreAction->setEnabled(writable);
    for (QAction *action : m_windowActions + m_moveActions)
        action->setEnabled(writable && selected);
    for (QAbstractButton *button : qAsConst(m_selectionButtons))
        button->setEnabled(writable && selected);

    const QString why = writable ? QString() : m_store->errorString();
    m_list->setAccessibleDescription(why);
    m_readOnlyLine->setVisible(!why.isEmpty());
    m_readOnlyLine->setToolTip(why);
    m_readOnlyLine->setAccessibleName(why);
    placeReadOnlyLine();
}

void TaskListController::placeReadOnlyLine()
{
    const QString why = m_readOnlyLine->toolTip();
    if (why.isEmpty())
        return;
    // Two lines in the room the form leaves under the list: the reason, kept
    // whole as far as the width allows, then the file's path, which a real
    // folder makes long, shortened in its middle. The message names the file
    // by its path; the reason names it by its name.
    const QRect list = m_list->geometry();
    const QFontMetrics metrics = m_readOnlyLine->fontMetrics();
    const int height = 2 * metrics.lineSpacing();
    m_readOnlyLine->setGeometry(list.left(), qMin(belowList(), m_window->height() - height), list.width(),
                                height);
    m_readOnlyLine->raise();

    QString reason = why.section(QLatin1Char('\n'), 0, 0);
    // A reason the system gave follows its file, on the next line.
    if (reason.endsWith(QLatin1Char(':')))
        reason += QLatin1Char(' ') + why.section(QLatin1Char('\n'), 1, 1);
    const QString path = QFileInfo(m_store->fileName()).absoluteFilePath();
    const bool named = reason.contains(path);
    reason.replace(path, QFileInfo(path).fileName());
    QString text = metrics.elidedText(reason, Qt::ElideRight, list.width());
    if (named)
        text += QLatin1Char('\n') + metrics.elidedText(path, Qt::ElideMiddle, list.width());
    m_readOnlyLine->setText(text);
}

bool TaskListController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_list && (event->type() == QEvent::Resize || event->type() == QEvent::Move)) {
        if (m_find)
            placeFind();
        placeReadOnlyLine();
        return false;
    }
    if (watched != m_list->viewport())
        return QObject::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto *press = static_cast<QMouseEvent *>(event);
        m_pressedAt = press->pos();
        const QListWidgetItem *item = m_list->itemAt(press->pos());
        m_pressedOnRow = press->button() == Qt::LeftButton && item;
        // A press on one of several selected rows may start dragging them
        // all: the selection narrows to that row only at the release.
        m_pressedOnSelected = m_pressedOnRow && item->isSelected() && press->modifiers() == Qt::NoModifier
            && m_list->selectedItems().size() > 1;
        return m_pressedOnSelected;
    }
    case QEvent::MouseMove: {
        const auto *move = static_cast<QMouseEvent *>(event);
        if (!m_pressedOnRow || !(move->buttons() & Qt::LeftButton))
            return false;
        // Held on a row, the mouse drags the task rather than the selection.
        if ((move->pos() - m_pressedAt).manhattanLength() >= QApplication::startDragDistance()) {
            m_pressedOnRow = false;
            m_pressedOnSelected = false;
            startDrag();
        }
        return true;
    }
    case QEvent::MouseButtonRelease:
        if (m_pressedOnSelected) {
            if (QListWidgetItem *item = m_list->itemAt(static_cast<QMouseEvent *>(event)->pos()))
                m_list->setCurrentItem(item, QItemSelectionModel::ClearAndSelect);
        }
        m_pressedOnRow = false;
        m_pressedOnSelected = false;
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

bool TaskListController::drop(TaskDrag drag, int row)
{
    // Several tasks land in the order their list has them.
    std::sort(drag.tasks.begin(), drag.tasks.end(), [](const TaskRef &a, const TaskRef &b) { return a.row < b.row; });
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
    // Before the task shown where the drop lands, as the file has it then;
    // below the last one shown, right after it.
    const TaskRef before = row < m_list->count() ? shownTask(row) : m_list->count() > 0 ? taskAfter(row - 1) : TaskRef();
    if (drag.list == m_store->fileName()) {
        const QString text = fileRow(row) <= drag.tasks.first().row ? tr("Move up") : tr("Move down");
        command = TaskCommand::reorder(m_store.get(), drag.tasks, before, text);
    } else if (m_dropHandler) {
        command = m_dropHandler(drag, before.row < 0 ? m_store->tasks().size() : before.row);
    }
    if (!command)
        return false;
    m_dropping = true;
    const bool done = perform(command) == Result::Done;
    m_dropping = false;
    return done;
}
