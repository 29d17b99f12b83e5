// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTWINDOW_H
#define SPRINTWINDOW_H

#include "productbacklog.h"
#include "sprint.h"

#include <QWidget>

class TaskListController;

namespace Ui {
class SprintWindow;
}

// One sprint's tasks, with buttons to add tasks from the product backlog,
// move a task to another sprint and delete tasks. The list always shows what
// the sprint's store holds, which is what its file holds: it is refilled
// after every change and whenever the file changes on disk. Every change is
// a step that Ctrl+Z takes back.
class SprintWindow : public QWidget
{
    Q_OBJECT

public:
    explicit SprintWindow(QWidget *parent = nullptr);
    ~SprintWindow() override;

    // Opens sprint index in this window, creating its file when missing.
    // Called once, before the window is shown.
    void initSprint(int index);

    Sprint *s;
    productbacklog *pb;

private slots:
    void on_add_clicked();
    void on_move_clicked();
    void on_delete_2_clicked();

private:
    void editTask();
    // Asks for the sprint's dates and goal and saves them as one step.
    void editDetails();
    // Asks whether to close the sprint, carrying its open tasks over to the
    // next one, and does it as one step.
    void closeSprint();

    Ui::SprintWindow *ui;
    TaskListController *taskList;
};

#endif // SPRINTWINDOW_H
