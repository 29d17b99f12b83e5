// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef BURNDOWNWINDOW_H
#define BURNDOWNWINDOW_H

#include "burndown.h"

#include <QVector>
#include <QWidget>

class QLabel;
class QTableWidget;

namespace QtCharts {
class QChart;
class QChartView;
} // namespace QtCharts

// A sprint's burndown by task count, drawn with Qt Charts: the open tasks
// on each day from its start to its end, the ideal line from the first
// day's count to none on the last, and a line at today. The same figures
// stand in a table beside it, for screen readers and for reading off. It
// follows the sprint's file and the schedule as they change.
class BurndownWindow : public QWidget
{
    Q_OBJECT

public:
    // A window of parent's for sprint number; deleted when closed.
    BurndownWindow(int number, QWidget *parent);

    int number() const { return m_number; }
    const QVector<Burndown::Day> &days() const { return m_days; }
    QtCharts::QChart *chart() const { return m_chart; }
    QTableWidget *figures() const { return m_figures; }

public slots:
    // Reads the sprint and its dates again and draws them.
    void redraw();

private:
    int m_number;
    QVector<Burndown::Day> m_days;
    QtCharts::QChart *m_chart;
    QtCharts::QChartView *m_view;
    QTableWidget *m_figures;
    QLabel *m_note;
};

#endif // BURNDOWNWINDOW_H
