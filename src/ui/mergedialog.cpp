// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "mergedialog.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QListWidget>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {

QListWidget *checkList(const QStringList &texts, const QSet<QString> &unticked, const QString &untickedNote)
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
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable | Qt::ItemIsSelectable);
        const bool off = unticked.contains(item->text());
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

    auto *copyLabel = new QLabel(tr("Only in the copy %1 — ticked tasks are added where they stand in the copy:")
                                     .arg(copyName));
    copyLabel->setWordWrap(true);
    m_copy = checkList(sides.onlyCopy, sides.deletedHere, tr("Deleted on this machine on purpose"));
    m_copy->setObjectName(QStringLiteral("copyTasks"));
    copyLabel->setBuddy(m_copy);
    auto *listLabel = new QLabel(tr("Only in %1 — unticked tasks are taken out (and kept among the deleted tasks):")
                                     .arg(listName));
    listLabel->setWordWrap(true);
    m_list = checkList(sides.onlyList, {}, QString());
    m_list->setObjectName(QStringLiteral("listTasks"));
    listLabel->setBuddy(m_list);
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
            chosen.insert(list->item(row)->text());
    }
    return chosen;
}
