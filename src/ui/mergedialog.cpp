// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mergedialog.h"

#include "conflictcopies.h"
#include "listdialog.h"
#include "sprintschedule.h"
#include "taskcommand.h"
#include "taskstore.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

// The line a row stands for, which its text may show otherwise.
constexpr int LineRole = Qt::UserRole;

bool isSchedule(const QString &fileName)
{
    return fileName == SprintSchedule::fileName();
}

QListWidget *checkList(const QStringList &texts, const QSet<QString> &unticked, const QString &untickedNote,
                       bool schedule)
{
    auto *list = new QListWidget;
    list->setObjectName(QStringLiteral("tasks"));
    // Every row one line high, so that the view lays out 200,000 rows
    // without measuring each; the rows go in as one insertion, and their
    // ticks, set before the dialog shows, are not told to the view one by
    // one.
    list->setUniformItemSizes(true);
    list->addItems(texts);
    QSignalBlocker quiet(list->model());
    for (int row = 0; row < list->count(); ++row) {
        QListWidgetItem *item = list->item(row);
        item->setData(LineRole, texts.at(row));
        if (schedule)
            item->setText(SprintSchedule::describe(texts.at(row)));
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool off = unticked.contains(texts.at(row));
        item->setCheckState(off ? Qt::Unchecked : Qt::Checked);
        if (off)
            item->setToolTip(untickedNote);
    }
    return list;
}

} // namespace

MergeDialog::MergeDialog(const QString &copyName, const QString &listName, const ListMerge::Sides &sides,
                         QWidget *parent)
    : QDialog(parent)
    , m_offered(sides.onlyCopy)
{
    setWindowTitle(tr("Merge %1").arg(copyName));
    auto *layout = new QVBoxLayout(this);

    const bool schedule = isSchedule(listName);
    auto *copyLabel = new QLabel(
        schedule ? tr("Sprint details only in the copy %1 — ticked ones are taken; of a sprint with other details "
                      "here, one version stays:")
                       .arg(copyName)
                 : tr("Only in the copy %1 — ticked tasks are added where they stand in the copy:").arg(copyName));
    copyLabel->setWordWrap(true);
    m_copy = checkList(sides.onlyCopy, sides.deletedHere,
                       schedule ? tr("This sprint has other details on this machine; tick to take these instead")
                                : tr("Deleted on this machine on purpose"),
                       schedule);
    m_copy->setObjectName(QStringLiteral("copyTasks"));
    copyLabel->setBuddy(m_copy);
    auto *listLabel = new QLabel(
        schedule ? tr("Sprint details only in %1 — unticked ones are taken out:").arg(listName)
                 : tr("Only in %1 — unticked tasks are taken out (and kept among the deleted tasks):").arg(listName));
    listLabel->setWordWrap(true);
    m_list = checkList(sides.onlyList, {}, QString(), schedule);
    m_list->setObjectName(QStringLiteral("listTasks"));
    listLabel->setBuddy(m_list);
    if (schedule) {
        connect(m_copy, &QListWidget::itemChanged, this,
                [this](QListWidgetItem *item) { keepOneVersion(m_copy, m_list, m_copy->row(item)); });
        connect(m_list, &QListWidget::itemChanged, this,
                [this](QListWidgetItem *item) { keepOneVersion(m_list, m_copy, m_list->row(item)); });
    }
    auto *after = new QLabel(tr("Afterwards the copy is moved into the hidden folder .corvane-merged; "
                                "Undo puts it back."));
    after->setWordWrap(true);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    layout->addWidget(copyLabel);
    layout->addWidget(m_copy);
    layout->addWidget(listLabel);
    layout->addWidget(m_list);
    layout->addWidget(after);
    layout->addWidget(buttons);
}

QSet<QString> MergeDialog::toAdd() const
{
    return texts(m_copy, Qt::Checked);
}

QSet<QString> MergeDialog::toDrop() const
{
    return texts(m_list, Qt::Unchecked);
}

ListMerge::Choice MergeDialog::choice() const
{
    return ListMerge::Choice{m_offered, toAdd(), toDrop()};
}

QSet<QString> MergeDialog::texts(const QListWidget *list, Qt::CheckState state)
{
    QSet<QString> chosen;
    for (int row = 0; row < list->count(); ++row) {
        if (list->item(row)->checkState() == state)
            chosen.insert(list->item(row)->data(LineRole).toString());
    }
    return chosen;
}

void MergeDialog::keepOneVersion(const QListWidget *list, QListWidget *other, int row)
{
    const QListWidgetItem *ticked = list->item(row);
    const int number = SprintSchedule::numberOf(ticked->data(LineRole).toString());
    if (ticked->checkState() != Qt::Checked || number == 0)
        return;
    for (int i = 0; i < other->count(); ++i) {
        QListWidgetItem *item = other->item(i);
        if (SprintSchedule::numberOf(item->data(LineRole).toString()) == number)
            item->setCheckState(Qt::Unchecked);
    }
}

TaskCommand *MergeDialog::ask(QWidget *parent, TaskStore *store, const QStringList &copies,
                              const QStringList &deleted, const std::function<void(const QString &)> &warn)
{
    if (copies.isEmpty())
        return nullptr;
    QString copyName = copies.first();
    // Each copy is offered, so that one that cannot be merged never stands
    // in the way of the others.
    if (copies.size() > 1) {
        ListDialog picker(parent);
        picker.setWindowTitle(tr("Merge which copy?"));
        picker.setList(copies);
        if (picker.exec() != QDialog::Accepted || picker.getSelected().isEmpty())
            return nullptr;
        copyName = picker.getSelected().first();
    }
    const QString reason = ConflictCopies::unmergeable(copyName);
    if (!reason.isEmpty()) {
        warn(reason + tr("\nIt is not merged."));
        return nullptr;
    }
    TaskListFile copyFile(copyName);
    QStringList copy;
    if (!copyFile.load(copy, false) || copyFile.isReadOnly()) {
        warn(copyFile.errorString() + tr("\nIt is not merged."));
        return nullptr;
    }
    const QStringList tasks = store->tasks();
    const ListMerge::Sides sides = isSchedule(store->fileName()) ? SprintSchedule::compare(tasks, copy)
                                                                : ListMerge::compare(tasks, copy, deleted);
    MergeDialog dialog(copyName, store->fileName(), sides, parent);
    if (dialog.exec() != QDialog::Accepted)
        return nullptr;
    // The step reads the copy again as it is by then.
    return TaskCommand::merge(store, copyName, dialog.choice());
}
