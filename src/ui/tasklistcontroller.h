#ifndef TASKLISTCONTROLLER_H
#define TASKLISTCONTROLLER_H

#include "deletedtasks.h"
#include "taskref.h"
#include "taskstore.h"

#include <QObject>
#include <QVector>

#include <memory>

class FileWatcher;
class QAbstractButton;
class QAction;
class QListWidget;
class QUndoStack;
class QWidget;
class TaskCommand;

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
    // Delete key and the menu's Delete.
    TaskListController(QWidget *window, QListWidget *list, std::unique_ptr<TaskStore> store,
                       const QList<QAbstractButton *> &buttons, QAbstractButton *deleteButton);
    ~TaskListController() override;

    TaskStore *store() const { return m_store.get(); }
    // Where the texts of deleted and replaced tasks are kept.
    DeletedTasks *history() { return &m_history; }
    QUndoStack *undoStack() const { return m_undo; }

    // Adds an action of the window's, pressing button, to the context menu
    // before Delete.
    void addMenuAction(const QString &text, const QList<QKeySequence> &shortcuts, QAbstractButton *button);

    // The selected tasks, by row and text; the current one first.
    QVector<TaskRef> selectedRefs() const;

    enum class Outcome { Done, Failed, NotFound };
    // Does command as one undoable step and shows its result. When it
    // fails, says why, unless it found its task gone and quietWhenGone.
    Outcome perform(TaskCommand *command, bool quietWhenGone = false);

    void deleteSelected();
    void undo();
    void redo();
    // Offers the recently deleted tasks of this list and adds the chosen
    // ones back at its end, as one step.
    void restoreDeleted();

    // Shows the list as its store holds it.
    void showTasks();
    void warn(const QString &message);

private:
    void refreshFromFile();
    void showContextMenu(const QPoint &at);
    void focusRow(int row);
    void updateActions();
    QAction *addAction(const QString &text, const QList<QKeySequence> &shortcuts, Qt::ShortcutContext context);

    QWidget *m_window;
    QListWidget *m_list;
    std::unique_ptr<TaskStore> m_store;
    QList<QAbstractButton *> m_buttons;
    DeletedTasks m_history;
    QUndoStack *m_undo;
    FileWatcher *m_watcher;
    QAction *m_undoAction;
    QAction *m_redoAction;
    QAction *m_deleteAction;
    QAction *m_restoreAction;
    QList<QAction *> m_windowActions;
};

#endif // TASKLISTCONTROLLER_H
