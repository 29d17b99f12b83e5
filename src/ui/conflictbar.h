// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CONFLICTBAR_H
#define CONFLICTBAR_H

#include <QFrame>

class QLabel;
class QPushButton;
class TaskListController;

// A line at the foot of a list window that says when its list has conflict
// copies beside it, with "Merge…", or holds a merge conflict's markers,
// with "Keep both sides". It follows the folder as copies come and go; the
// window grows by its height while it shows, so that the form's widgets
// stay where they are. Nothing here is modal unless the user asks.
class ConflictBar : public QFrame
{
    Q_OBJECT

public:
    // Shows in window, for the list of controller; goes with controller.
    ConflictBar(QWidget *window, TaskListController *controller);
    ~ConflictBar() override;

    QString text() const;
    QPushButton *mergeButton() const { return m_merge; }
    QPushButton *keepButton() const { return m_keep; }

public slots:
    // Looks at the folder and the list again.
    void update();
    // Asks which copy, when there are several, and which of its tasks to
    // keep, and merges it.
    void merge();
    void keepBothSides();

private:
    void showBar(bool show);

    QWidget *m_window;
    TaskListController *m_controller;
    QLabel *m_label;
    QPushButton *m_merge;
    QPushButton *m_keep;
    QStringList m_copies;
    int m_grownBy = 0;
};

#endif // CONFLICTBAR_H
