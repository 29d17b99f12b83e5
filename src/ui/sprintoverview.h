// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTOVERVIEW_H
#define SPRINTOVERVIEW_H

#include "sprintprogress.h"

#include <QTreeWidget>
#include <QVector>

#include <atomic>

class QThread;

namespace QtCharts {
class QChartView;
} // namespace QtCharts

// Every sprint of the folder at a glance, below the main window's form: one
// row each, in the order of their numbers, with its dates, its goal and a
// bar of its done tasks against all; the current sprint is marked and the
// closed ones are told apart. Enter or a double click opens a sprint, and
// Ctrl+B or the menu its burndown. Beside it, a small bar chart shows how
// many tasks each of the last closed sprints finished: the velocity.
//
// The files are read off the windows' thread, so that a folder of
// thousands of sprints never holds up the window: the rows fill in once
// they are read, and again whenever refresh() is called. It shows only
// while there are sprints; the window grows to hold it, so that the form's
// widgets stay where they are, and gives it any room it gains.
class SprintOverview : public QTreeWidget
{
    Q_OBJECT

public:
    enum Column { Number, Dates, Goal, Progress };
    // How long after the window first shows the sprints are read.
    static constexpr int FirstReadDelayMs = 50;

    // Shows at the foot of area, the central widget of its window.
    explicit SprintOverview(QWidget *area);
    ~SprintOverview() override;

    const QVector<SprintProgress::Entry> &entries() const { return m_entries; }
    // The row of the current sprint, -1 for none.
    int currentSprintRow() const { return m_current; }
    // The velocity chart beside the rows, shown while a sprint is closed.
    QtCharts::QChartView *velocity() const { return m_velocity; }

    // The closed sprints the velocity chart shows, at most this many.
    static constexpr int VelocitySprints = 12;

public slots:
    // Reads the folder again and shows what it holds.
    void refresh();

signals:
    void openSprint(int number);
    void openBurndown(int number);
    // The rows show the folder as it was read last.
    void filled();

private:
    void startReading();
    void showEntries(const QVector<SprintProgress::Entry> &entries);
    void showVelocity();
    void place();
    bool eventFilter(QObject *watched, QEvent *event) override;

    QWidget *m_window;
    QThread *m_reader = nullptr;
    std::atomic<bool> m_stop{false};
    bool m_again = false;
    bool m_shownOnce = false;
    bool m_firstReadPending = false;
    QVector<SprintProgress::Entry> m_entries;
    int m_current = -1;
    int m_room = 0;  // the height the window keeps for the overview
    QtCharts::QChartView *m_velocity;
};

#endif // SPRINTOVERVIEW_H
