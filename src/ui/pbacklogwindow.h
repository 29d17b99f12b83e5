// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PBACKLOGWINDOW_H
#define PBACKLOGWINDOW_H

#include "productbacklog.h"

#include <QWidget>

class SprintPlacements;
class TaskListController;

namespace Ui {
class PBacklogWindow;
}

// The product backlog as a list, with buttons to add, delete and edit
// tasks. The list always shows what the window's store holds, which is what
// the file holds: it is refilled after every change and whenever the file
// changes on disk. Every change is a step that Ctrl+Z takes back. A task
// that sprints hold says where on its row, and an edit changes its open
// copies in the sprints with it.
class PBacklogWindow : public QWidget
{
    Q_OBJECT

public:
    explicit PBacklogWindow(QWidget *parent = nullptr);
    ~PBacklogWindow() override;

    productbacklog *pb;

private slots:
    void on_add_clicked();
    void on_delete_2_clicked();
    void on_edit_clicked();

private:
    Ui::PBacklogWindow *ui;
    TaskListController *taskList;
    SprintPlacements *placements;
};

#endif // PBACKLOGWINDOW_H
