// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conflictbar.h"

#include "conflictcopies.h"
#include "conflictmarkers.h"
#include "filewatcher.h"
#include "formstretch.h"
#include "mergedialog.h"
#include "taskcommand.h"
#include "tasklistcontroller.h"
#include "taskstore.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

ConflictBar::ConflictBar(QWidget *window, TaskListController *controller)
    : QFrame(window)
    , m_window(window)
    , m_controller(controller)
    , m_label(new QLabel(this))
    , m_merge(new QPushButton(tr("Merge…"), this))
    , m_keep(new QPushButton(tr("Keep both sides"), this))
{
    setObjectName(QStringLiteral("conflictBar"));
    m_merge->setObjectName(QStringLiteral("merge"));
    m_keep->setObjectName(QStringLiteral("keepBothSides"));
    setFrameShape(QFrame::StyledPanel);
    setAutoFillBackground(true);
    m_label->setWordWrap(true);
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(6, 3, 6, 3);
    layout->addWidget(m_label, 1);
    layout->addWidget(m_merge);
    layout->addWidget(m_keep);
    QFrame::hide();

    connect(m_merge, &QPushButton::clicked, this, &ConflictBar::merge);
    connect(m_keep, &QPushButton::clicked, this, &ConflictBar::keepBothSides);
    // Copies come and go in the folder; markers come and go with the list.
    auto *watcher = new FileWatcher(QDir::currentPath(), this);
    connect(watcher, &FileWatcher::changed, this, &ConflictBar::update);
    connect(controller, &TaskListController::shown, this, &ConflictBar::update);
    connect(controller, &QObject::destroyed, this, &QObject::deleteLater);
    update();
}

ConflictBar::~ConflictBar()
{
    if (m_grownBy > 0 && m_window)
        m_window->resize(m_window->width(), m_window->height() - m_grownBy);
}

QString ConflictBar::text() const
{
    return isVisibleTo(m_window) ? m_label->text() : QString();
}

void ConflictBar::update()
{
    TaskStore *store = m_controller->store();
    m_copies = ConflictCopies::namesOf(ConflictCopies::find(), store->fileName());
    const bool marked = store->isReadOnly() && ConflictMarkers::firstBlock(store->tasks()) >= 0;
    QStringList lines;
    if (marked)
        lines.append(tr("This list holds the markers of a merge conflict that git left; it is read-only until "
                        "you keep both sides."));
    if (!m_copies.isEmpty()) {
        QStringList named;
        for (const QString &copy : qAsConst(m_copies)) {
            const QString reason = ConflictCopies::unmergeable(copy);
            named.append(reason.isEmpty() ? copy : reason);
        }
        lines.append(tr("A synchronising program left %n conflict copy(s) of this list: %1", nullptr,
                        m_copies.size())
                         .arg(named.join(QStringLiteral("; "))));
    }
    m_label->setText(lines.join(QLatin1Char('\n')));
    m_keep->setVisible(marked);
    m_merge->setVisible(!m_copies.isEmpty());
    m_merge->setEnabled(!store->isReadOnly());
    showBar(!lines.isEmpty());
}

void ConflictBar::showBar(bool show)
{
    const int height = show ? qMax(sizeHint().height(), heightForWidth(m_window->width())) : 0;
    if (height == m_grownBy && isVisibleTo(m_window) == show)
        return;
    // The form's widgets keep their places: the window grows below them.
    const int formHeight = m_window->height() - m_grownBy;
    m_grownBy = height;
    FormStretch::setBottomRoom(m_window, this, height);
    m_window->resize(m_window->width(), formHeight + height);
    setGeometry(0, formHeight, m_window->width(), height);
    setVisible(show);
    if (show)
        raise();
}

void ConflictBar::merge()
{
    update();
    if (m_copies.isEmpty())
        return;
    TaskStore *store = m_controller->store();
    // The list is compared as the file holds it now, and shown so.
    store->refresh();
    m_controller->showTasks();
    const QStringList deleted = m_controller->history()->recent(store->fileName());
    if (TaskCommand *step = MergeDialog::ask(m_window, store, m_copies, deleted,
                                             [this](const QString &message) { m_controller->warn(message); }))
        m_controller->perform(step);
    update();
}

void ConflictBar::keepBothSides()
{
    m_controller->perform(TaskCommand::keepBothSides(m_controller->store()));
    update();
}
