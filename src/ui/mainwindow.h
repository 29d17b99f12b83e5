// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef MAINWINDOW_H
#define MAINWINDOW_H

#include "productbacklog.h"

#include <QElapsedTimer>
#include <QMainWindow>

#include <memory>

class FileWatcher;
class QAction;
class QTimer;
class SprintOverview;
class SprintWindow;
class TaskStore;
class TaskUndoStack;

namespace Ui {
class MainWindow;
}

// The program's first window: opens product backlog windows, and sprint
// windows for the sprint chosen in its list of sprint files or for a new
// sprint numbered one above the highest.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    void init_pbacklog();
    void init_sprints_list();

    // Closes the other windows and shows the planner folder folder instead
    // of the current one; false, with nothing changed, when a window stays
    // open or the folder cannot be entered (the user is told why).
    bool openFolder(const QString &folder);

    // Made at start-up so that the product backlog file exists from then on;
    // it never reads the backlog.
    productbacklog *pbacklog;
    // The sprint window opened last, while it is open; null otherwise.
    SprintWindow *sw;

private slots:
    void on_pbacklog_clicked();
    void on_sprint_settings_clicked();

protected:
    // Digits typed in the sprint list jump to the sprint of that number;
    // letters search the entries' texts, as any combo box does.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    Ui::MainWindow *ui;
    QString m_typedNumber;
    QElapsedTimer m_typedAt;
    FileWatcher *m_watcher;
    QTimer *m_conflictScan;
    SprintOverview *m_overview;
    // The steps taken here, on the folder's schedule: merges of its copies.
    TaskUndoStack *m_undo;
    std::unique_ptr<TaskStore> m_schedule;
    QAction *m_mergeSchedule;

    void addMenus();
    // Opens a sprint window on sprint index.
    void openSprint(int index);
    void openCurrentFolder();
    static QString shortcutsText();
    QStringList updateSprintsList();
    // Says in the status bar which lists, or whether the schedule, have
    // conflict copies beside them.
    void showConflictCopies();
    // Asks which lines of a conflict copy of the schedule to keep, and
    // merges it, as one step that Ctrl+Z takes back.
    void mergeScheduleCopy();
    void warn(const QString &message);
};

#endif // MAINWINDOW_H
