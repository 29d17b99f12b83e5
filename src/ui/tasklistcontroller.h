// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKLISTCONTROLLER_H
#define TASKLISTCONTROLLER_H

#include "deletedtasks.h"
#include "listedits.h"
#include "taskfilter.h"
#include "taskref.h"
#include "taskrows.h"
#include "taskstore.h"

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QTimer>
#include <QVector>

#include <functional>
#include <memory>

class FileWatcher;
struct TaskDrag;
class QAbstractButton;
class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QMessageBox;
class QWidget;
class TaskCommand;
class TaskUndoStack;

// What the product backlog window and the sprint window share about their
// task list: its rows, kept in step with the file; the keyboard; the
// context menu; undo and redo; and the messages that say why a change was
// not made. Each window keeps only what differs: its buttons' own work.
class TaskListController : public QObject
{
    Q_OBJECT

public:
    // window shows list, the rows of store. The buttons are disabled while
    // the list cannot be changed; deleteButton is also pressed by the
    // Delete key and the menu's Delete. Rows carry check boxes as checks
    // says.
    TaskListController(QWidget *window, QListWidget *list, std::unique_ptr<TaskStore> store,
                       const QList<QAbstractButton *> &buttons, QAbstractButton *deleteButton,
                       TaskRows::Checks checks = TaskRows::Checks::DoneOnly);
    ~TaskListController() override;

    TaskStore *store() const { return m_store.get(); }
    // Where the texts of deleted and replaced tasks are kept.
    DeletedTasks *history() { return &m_history; }
    TaskUndoStack *undoStack() const { return m_undo; }

    // Of the buttons, those that act on the selected tasks: disabled, with
    // their keys, while none is selected.
    void setSelectionButtons(const QList<QAbstractButton *> &buttons);

    // Adds an action of the window's, pressing button, to the context menu
    // before Delete.
    void addMenuAction(const QString &text, const QList<QKeySequence> &shortcuts, QAbstractButton *button);

    // Adds an action on the whole list, run whatever is selected, to the
    // foot of the context menu; its keys work anywhere in the window.
    QAction *addListAction(const QString &text, const QList<QKeySequence> &shortcuts,
                           const std::function<void()> &run);

    // The selected tasks, by their row in the file and text; the current
    // one first. Rows a filter hides are never selected.
    QVector<TaskRef> selectedRefs() const;

    // Shows the find line below the list (Ctrl+F), which hides the rows
    // that do not match what is typed (TaskFilter); closeFind() shows
    // every row again (Escape).
    void openFind();
    void closeFind();
    QLineEdit *findLine() const { return m_find; }

    // How perform() went: done, refused by the files, or refused by the
    // list for what it holds (TaskListFile::Refusal).
    enum class Result { Done, Failed, NotFound, Held, Missing };
    // Does command as one undoable step and shows its result. When it
    // fails, says why, unless the list refused it and quietWhenRefused.
    Result perform(TaskCommand *command, bool quietWhenRefused = false);

    // Deletes the selected tasks, as one step; Done when none is selected.
    Result deleteSelected();
    // Moves the selected task as place says, reckoned from where it is in
    // the file when the move is made, as one step.
    Result moveSelected(ListEdits::Place place);
    // Marks the selected tasks done today, or open when all of them are
    // done already, as one step.
    Result toggleSelected();
    // Opens the task dialog on the selected task and replaces it with what
    // is typed, as one step; heldMessage says why when the list holds
    // every line typed already. A done task stays done.
    void editSelected(const QString &heldMessage);
    // What an edit of task changes beyond the task itself: the words the
    // task dialog shows about it, and the step that replaces the task with
    // lines. Without a reach, or with no step, an edit replaces the task
    // alone.
    struct EditReach {
        QString note;
        std::function<TaskCommand *(const TaskRef &task, const QStringList &lines)> step;
    };
    using EditReacher = std::function<EditReach(const TaskRef &task)>;
    void setEditReach(const EditReacher &reacher) { m_editReacher = reacher; }

    // Hides the done tasks, as the find line hides the rows that do not
    // match, and remembers that for the windows of this kind.
    void setHidingDone(bool hide);
    bool isHidingDone() const { return m_filter.hidesDone(); }
    // Shows under the list how many of its tasks are done.
    void showDoneCount();

    // What a drop of tasks from another list at row (of the file) does here:
    // the step to perform, or null to refuse it. Drops of this list's own
    // tasks reorder it without asking.
    using DropHandler = std::function<TaskCommand *(const TaskDrag &drag, int row)>;
    void setDropHandler(const DropHandler &handler) { m_dropHandler = handler; }
    void undo();
    void redo();
    // Offers the recently deleted tasks of this list and adds the chosen
    // ones back at its end, as one step.
    void restoreDeleted();

    // Shows the list as its store holds it.
    void showTasks();
    // Tells the user why something the user asked for was not done, and
    // waits: a message box, unless setWarner() replaced it. During a drop it
    // notifies instead.
    void warn(const QString &message);
    using Warner = std::function<void(const QString &message)>;
    void setWarner(const Warner &warner) { m_warner = warner; }
    // Tells what happened without being asked, such as a change made
    // elsewhere: one message that does not block, whose text a newer one
    // replaces; setWarner() replaces it too.
    void notify(const QString &message);

signals:
    // The list was shown afresh, as its store holds it.
    void shown();

protected:
    // Drags start from the list and drops land on it: the list stays a plain
    // QListWidget, and every drop goes through the store as one step.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void startDrag();
    // The row in the file of a row shown, and the row shown for a row of
    // the file (the next one shown when a filter hides it).
    int fileRow(int shownRow) const;
    int shownRow(int fileRow) const;
    // The task shown at row, and the task of the file that follows it
    // (row -1 when it is the last).
    TaskRef shownTask(int row) const;
    TaskRef taskAfter(int row) const;
    void applyFilter();
    // The top of the room below the list, past the line of done tasks.
    int belowList() const;
    void placeFind();
    // The key under which windows of this kind remember their choices.
    QString settingsKey(const char *name) const;
    // The row a drop at pos would land on: before the row under it, or after
    // it in its lower half; the row count below the last.
    int dropRow(const QPoint &pos) const;
    void showDropLine(int row);
    // Scrolls while a drag is held near the top or bottom edge.
    void autoScroll();
    bool drop(TaskDrag drag, int row);
    void refreshFromFile();
    void showContextMenu(const QPoint &at);
    void focusRow(int row);
    void updateActions();
    // Whether every selected task is done.
    bool allSelectedDone() const;
    // Puts the line that says why the list cannot be changed under the
    // list, shortened to its width.
    void placeReadOnlyLine();
    QAction *addAction(const QString &text, const QList<QKeySequence> &shortcuts, Qt::ShortcutContext context);
    QAction *addAction(QAction *action, const QList<QKeySequence> &shortcuts, Qt::ShortcutContext context);

    QWidget *m_window;
    QListWidget *m_list;
    std::unique_ptr<TaskStore> m_store;
    QList<QAbstractButton *> m_buttons;
    QList<QAbstractButton *> m_selectionButtons;
    DeletedTasks m_history;
    TaskUndoStack *m_undo;
    FileWatcher *m_watcher;
    QAction *m_undoAction;
    QAction *m_redoAction;
    QAction *m_deleteAction;
    QAction *m_restoreAction;
    QAction *m_doneAction;
    QAction *m_hideDoneAction;
    QLabel *m_doneCount = nullptr;
    QLabel *m_readOnlyLine = nullptr;
    QList<QAction *> m_windowActions;
    QList<QAction *> m_listActions;
    QList<QAction *> m_moveActions;
    DropHandler m_dropHandler;
    EditReacher m_editReacher;
    QWidget *m_dropLine;
    QTimer m_autoScroll;
    QLineEdit *m_find = nullptr;
    QLabel *m_noMatch = nullptr;
    TaskFilter m_filter;
    QVector<int> m_shownRows;  // the file rows of the rows shown, while filtered
    QTimer m_filterDelay;
    bool m_pressedOnSelected = false;
    QPoint m_dragAt;
    Warner m_warner;
    bool m_dropping = false;
    QPointer<QMessageBox> m_notice;
    QPoint m_pressedAt;
    bool m_pressedOnRow = false;
};

#endif // TASKLISTCONTROLLER_H
