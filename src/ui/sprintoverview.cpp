// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintoverview.h"

#include "formstretch.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QThread>
#include <QTimer>
#include <QtCharts/QBarCategoryAxis>
#include <QtCharts/QBarSeries>
#include <QtCharts/QBarSet>
#include <QtCharts/QChart>
#include <QtCharts/QChartView>
#include <QtCharts/QValueAxis>

using namespace QtCharts;

namespace {

// The roles of the progress column: the sprint's done and all tasks.
constexpr int DoneRole = Qt::UserRole;
constexpr int TotalRole = Qt::UserRole + 1;
// The number of the sprint a row shows.
constexpr int NumberRole = Qt::UserRole + 2;
// Rows shown without scrolling.
constexpr int ShownRows = 6;

// Draws the progress column as a bar, its text the count.
class ProgressDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionProgressBar bar;
        bar.rect = option.rect.adjusted(2, 2, -2, -2);
        bar.state = option.state | QStyle::State_Horizontal;
        bar.direction = option.direction;
        bar.fontMetrics = option.fontMetrics;
        bar.palette = option.palette;
        bar.minimum = 0;
        bar.maximum = qMax(1, index.data(TotalRole).toInt());
        bar.progress = index.data(DoneRole).toInt();
        bar.text = index.data(Qt::DisplayRole).toString();
        bar.textVisible = true;
        QStyle *style = option.widget ? option.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ProgressBar, &bar, painter, option.widget);
    }
};

} // namespace

SprintOverview::SprintOverview(QWidget *area)
    : QTreeWidget(area)
    , m_window(area->window())
    , m_velocity(new QChartView(new QChart, area))
{
    setObjectName(QStringLiteral("overview"));
    setAccessibleName(tr("Sprints at a glance"));
    setHeaderLabels({tr("Sprint"), tr("Dates"), tr("Goal"), tr("Done")});
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAllColumnsShowFocus(true);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setItemDelegateForColumn(Progress, new ProgressDelegate(this));
    header()->setStretchLastSection(false);
    header()->setSectionResizeMode(Goal, QHeaderView::Stretch);
    header()->setSectionResizeMode(Number, QHeaderView::ResizeToContents);
    header()->setSectionResizeMode(Dates, QHeaderView::ResizeToContents);
    header()->resizeSection(Progress, fontMetrics().horizontalAdvance(QStringLiteral("0000 of 0000 done")) + 16);
    QTreeWidget::hide();
    connect(this, &QTreeWidget::itemActivated, this,
            [this](QTreeWidgetItem *item) { emit openSprint(item->data(Number, NumberRole).toInt()); });
    auto *burndown = new QAction(tr("Burndown…"), this);
    burndown->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_B));
    burndown->setShortcutContext(Qt::WidgetShortcut);
    connect(burndown, &QAction::triggered, this, [this] {
        if (const QTreeWidgetItem *item = currentItem())
            emit openBurndown(item->data(Number, NumberRole).toInt());
    });
    addAction(burndown);
    setContextMenuPolicy(Qt::ActionsContextMenu);
    m_velocity->setObjectName(QStringLiteral("velocity"));
    m_velocity->setAccessibleName(tr("Velocity: tasks finished in each closed sprint"));
    m_velocity->setFocusPolicy(Qt::NoFocus);
    m_velocity->setRenderHint(QPainter::Antialiasing);
    m_velocity->chart()->legend()->hide();
    m_velocity->chart()->setMargins(QMargins(2, 2, 2, 2));
    m_velocity->chart()->setTitle(tr("Velocity"));
    m_velocity->hide();
    m_window->installEventFilter(this);
}

SprintOverview::~SprintOverview()
{
    // A read of a large folder is given up rather than waited for.
    m_stop = true;
    if (m_reader) {
        m_reader->wait();
        delete m_reader;
    }
}

void SprintOverview::refresh()
{
    // The first read, soon after the window shows, sees this change too.
    if (m_firstReadPending)
        return;
    // One read at a time; a change seen meanwhile asks for one more after.
    if (m_reader) {
        m_again = true;
        return;
    }
    startReading();
}

void SprintOverview::startReading()
{
    m_again = false;
    m_reader = QThread::create([this] {
        const QVector<SprintProgress::Entry> entries = SprintProgress::read([this] { return m_stop.load(); });
        if (m_stop)
            return;
        QMetaObject::invokeMethod(this, [this, entries] { showEntries(entries); }, Qt::QueuedConnection);
    });
    connect(m_reader, &QThread::finished, this, [this] {
        m_reader->deleteLater();
        m_reader = nullptr;
        if (m_again)
            startReading();
    });
    m_reader->start(QThread::LowPriority);
}

void SprintOverview::showEntries(const QVector<SprintProgress::Entry> &entries)
{
    const QTreeWidgetItem *selected = currentItem();
    const int selectedNumber = selected ? selected->data(Number, NumberRole).toInt() : 0;
    m_entries = entries;
    m_current = SprintProgress::current(entries, QDate::currentDate());

    QList<QTreeWidgetItem *> items;
    items.reserve(entries.size());
    QTreeWidgetItem *reselect = nullptr;
    const QBrush closedBrush = palette().brush(QPalette::Disabled, QPalette::Text);
    for (int row = 0; row < entries.size(); ++row) {
        const SprintProgress::Entry &entry = entries.at(row);
        const SprintSchedule::Details &details = entry.details;
        QString name = tr("Sprint %1").arg(entry.number);
        if (row == m_current)
            name = tr("Sprint %1 (current)").arg(entry.number);
        else if (details.isClosed())
            name = tr("Sprint %1 (closed)").arg(entry.number);
        const QString dates = SprintSchedule::span(details);
        const QString done = entry.error.isEmpty() ? tr("%1 of %2 done").arg(entry.done).arg(entry.total)
                                                   : tr("unreadable");
        // The row shows the number alone, marked, so that the goal has room.
        const QString shown = row == m_current ? tr("▶ %1").arg(entry.number)
            : details.isClosed()                 ? tr("%1 ✓").arg(entry.number)
                                                 : QString::number(entry.number);
        auto *item = new QTreeWidgetItem({shown, dates, details.goal, done});
        item->setToolTip(Number, name);
        item->setData(Number, NumberRole, entry.number);
        item->setData(Progress, DoneRole, entry.done);
        item->setData(Progress, TotalRole, entry.total);
        // Read whole by a screen reader, which otherwise gives the first
        // cell alone.
        QStringList spoken{name};
        if (!dates.isEmpty())
            spoken.append(dates);
        if (!details.goal.isEmpty())
            spoken.append(tr("goal: %1").arg(details.goal));
        spoken.append(done);
        item->setData(Number, Qt::AccessibleTextRole, spoken.join(QStringLiteral(", ")));
        if (!entry.error.isEmpty())
            item->setToolTip(Progress, entry.error);
        if (row == m_current) {
            QFont bold = font();
            bold.setBold(true);
            for (int column = 0; column < columnCount(); ++column)
                item->setFont(column, bold);
        } else if (details.isClosed()) {
            for (int column = 0; column < columnCount(); ++column)
                item->setForeground(column, closedBrush);
        }
        if (entry.number == selectedNumber)
            reselect = item;
        items.append(item);
    }
    clear();
    addTopLevelItems(items);
    if (reselect)
        setCurrentItem(reselect);
    else if (m_current >= 0)
        setCurrentItem(items.at(m_current), 0, QItemSelectionModel::NoUpdate);
    showVelocity();
    place();
    emit filled();
}

void SprintOverview::showVelocity()
{
    QChart *chart = m_velocity->chart();
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes())
        chart->removeAxis(axis);
    auto *finished = new QBarSet(tr("Finished"));
    QStringList sprints;
    QStringList spoken;
    int most = 1;
    for (const SprintProgress::Entry &entry : qAsConst(m_entries)) {
        if (!entry.details.isClosed())
            continue;
        finished->append(entry.done);
        sprints.append(QString::number(entry.number));
        spoken.append(tr("sprint %1: %n finished", "", entry.done).arg(entry.number));
        most = qMax(most, entry.done);
    }
    // The last closed sprints, which say most about the next.
    while (sprints.size() > VelocitySprints) {
        finished->remove(0);
        sprints.removeFirst();
        spoken.removeFirst();
    }
    m_velocity->setAccessibleDescription(spoken.join(QStringLiteral("; ")));
    m_velocity->setVisible(!sprints.isEmpty());
    if (sprints.isEmpty()) {
        delete finished;
        return;
    }
    auto *series = new QBarSeries;
    series->append(finished);
    series->setLabelsVisible(true);
    chart->addSeries(series);
    auto *axis = new QBarCategoryAxis;
    axis->append(sprints);
    auto *count = new QValueAxis;
    count->setRange(0, most);
    count->setLabelFormat(QStringLiteral("%d"));
    count->setTickCount(2);
    chart->addAxis(axis, Qt::AlignBottom);
    chart->addAxis(count, Qt::AlignLeft);
    series->attachAxis(axis);
    series->attachAxis(count);
}

void SprintOverview::place()
{
    const bool show = !m_entries.isEmpty();
    const int height = show ? header()->sizeHint().height() + ShownRows * qMax(1, sizeHintForRow(0)) + 2 * frameWidth()
                            : 0;
    if (height != m_room) {
        // The form's widgets keep their places: the window grows below them,
        // as far as it must. One that opened as large as it was left, with
        // the room in it already, stays as it is.
        const int before = m_room;
        m_room = height;
        FormStretch::setBottomRoom(m_window, this, height);
        const int grown = height > before ? qMax(m_window->height(), m_window->minimumHeight())
                                          : m_window->height() - (before - height);
        m_window->resize(m_window->width(), grown);
    }
    QWidget *area = parentWidget();
    // Below the form the overview takes all the room; the velocity takes its
    // right while it shows.
    const int tall = show ? height + qMax(0, m_window->height() - m_window->minimumHeight()) : 0;
    const int chartWidth = m_velocity->isVisibleTo(area) ? qMin(area->width() / 4, 180) : 0;
    setGeometry(0, area->height() - tall, area->width() - chartWidth, tall);
    m_velocity->setGeometry(area->width() - chartWidth, area->height() - tall, chartWidth, tall);
    setVisible(show);
}

bool SprintOverview::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::Resize && m_room > 0)
        QMetaObject::invokeMethod(this, &SprintOverview::place, Qt::QueuedConnection);
    else if (watched == m_window && event->type() == QEvent::Show && !m_shownOnce) {
        // Read once the window has shown, so that the reading never takes
        // the processor from its first paint.
        m_shownOnce = true;
        m_firstReadPending = true;
        QTimer::singleShot(FirstReadDelayMs, this, [this] {
            m_firstReadPending = false;
            refresh();
        });
    }
    return false;
}
