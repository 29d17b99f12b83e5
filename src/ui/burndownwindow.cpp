// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "burndownwindow.h"

#include "filewatcher.h"
#include "sprint.h"
#include "sprintschedule.h"
#include "tasklistfile.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QDateTimeAxis>
#include <QtCharts/QLineSeries>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

namespace {

qreal at(const QDate &day)
{
    return qreal(day.startOfDay().toMSecsSinceEpoch());
}

} // namespace

BurndownWindow::BurndownWindow(int number, QWidget *parent)
    : QWidget(parent, Qt::Window)
    , m_number(number)
    , m_chart(new QChart)
    , m_view(new QChartView(m_chart, this))
    , m_figures(new QTableWidget(0, 3, this))
    , m_note(new QLabel(this))
{
    setObjectName(QStringLiteral("BurndownWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(tr("Sprint %1 — Burndown").arg(number));
    m_view->setObjectName(QStringLiteral("chart"));
    m_view->setRenderHint(QPainter::Antialiasing);
    // Nothing in the chart takes keys: the figures beside it do.
    m_view->setFocusPolicy(Qt::NoFocus);
    m_view->setMinimumSize(480, 300);
    m_view->setAccessibleName(tr("Burndown chart of sprint %1").arg(number));
    m_chart->legend()->setAlignment(Qt::AlignBottom);

    m_figures->setObjectName(QStringLiteral("figures"));
    m_figures->setAccessibleName(tr("Burndown figures"));
    m_figures->setHorizontalHeaderLabels({tr("Day"), tr("Open"), tr("Ideal")});
    m_figures->verticalHeader()->hide();
    m_figures->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_figures->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_figures->setMinimumWidth(220);

    m_note->setObjectName(QStringLiteral("note"));
    m_note->setWordWrap(true);
    auto *row = new QHBoxLayout;
    row->addWidget(m_view, 1);
    row->addWidget(m_figures);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(row, 1);
    layout->addWidget(m_note);

    for (const QString &file : {Sprint::fileName(number), SprintSchedule::fileName()})
        connect(new FileWatcher(file, this), &FileWatcher::changed, this, &BurndownWindow::redraw);
    redraw();
}

void BurndownWindow::redraw()
{
    SprintSchedule schedule;
    schedule.read();
    const SprintSchedule::Details details = schedule.details(m_number);
    TaskListFile file(Sprint::fileName(m_number));
    QStringList lines;
    const bool read = file.load(lines, false) && !file.isReadOnly();
    m_days = read ? Burndown::days(lines, details.start, details.end) : QVector<Burndown::Day>();

    m_chart->removeAllSeries();
    for (QAbstractAxis *axis : m_chart->axes())
        m_chart->removeAxis(axis);
    m_figures->setRowCount(0);
    if (!read) {
        m_note->setText(file.errorString());
        return;
    }
    if (m_days.isEmpty()) {
        m_note->setText(tr("Sprint %1 has no dates yet: set them with Sprint details… (Ctrl+I) in its window.")
                            .arg(m_number));
        return;
    }
    m_note->setText(tr("Tasks added to or removed from the sprint while it ran count from its first day; those "
                       "that closing the sprint carried over have left it."));

    auto *open = new QLineSeries;
    open->setName(tr("Open tasks"));
    auto *ideal = new QLineSeries;
    ideal->setName(tr("Ideal"));
    QPen dashed = ideal->pen();
    dashed.setStyle(Qt::DashLine);
    ideal->setPen(dashed);
    const QDate today = QDate::currentDate();
    int most = 1;
    m_figures->setRowCount(m_days.size());
    for (int i = 0; i < m_days.size(); ++i) {
        const Burndown::Day &day = m_days.at(i);
        // The days to come have no count yet, only their ideal.
        const bool past = day.date <= today;
        if (past)
            open->append(at(day.date), day.open);
        ideal->append(at(day.date), day.ideal);
        most = qMax(most, day.open);
        const QStringList cells{day.date.toString(Qt::ISODate), past ? QString::number(day.open) : QString(),
                                QString::number(day.ideal, 'f', 1)};
        for (int column = 0; column < cells.size(); ++column) {
            auto *item = new QTableWidgetItem(cells.at(column));
            if (column > 0)
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            m_figures->setItem(i, column, item);
        }
    }
    m_chart->addSeries(open);
    m_chart->addSeries(ideal);
    const bool running = details.start <= today && today <= details.end;
    QLineSeries *now = nullptr;
    if (running) {
        now = new QLineSeries;
        now->setName(tr("Today"));
        now->append(at(today), 0);
        now->append(at(today), most);
        m_chart->addSeries(now);
    }

    auto *days = new QDateTimeAxis;
    days->setFormat(QStringLiteral("MM-dd"));
    days->setRange(details.start.startOfDay(), details.end.startOfDay());
    days->setTickCount(qBound(2, int(m_days.size()), 8));
    days->setTitleText(tr("Day"));
    auto *count = new QValueAxis;
    count->setRange(0, most);
    count->setLabelFormat(QStringLiteral("%d"));
    count->setTickCount(qMin(most, 5) + 1);
    count->setTitleText(tr("Open tasks"));
    m_chart->addAxis(days, Qt::AlignBottom);
    m_chart->addAxis(count, Qt::AlignLeft);
    for (QAbstractSeries *series : m_chart->series()) {
        series->attachAxis(days);
        series->attachAxis(count);
    }
    m_chart->setTitle(details.goal.isEmpty() ? tr("Sprint %1").arg(m_number)
                                             : tr("Sprint %1: %2").arg(m_number).arg(details.goal));
}
