// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef MERGEDIALOG_H
#define MERGEDIALOG_H

#include "listmerge.h"

#include <QDialog>
#include <QSet>
#include <QString>

class QListWidget;

// Asks which tasks a merge of a conflict copy keeps: those only the copy
// holds, ticked to be added, and those only the list holds, ticked to stay.
// A task that this machine deleted on purpose starts unticked, so that the
// merge does not bring it back unasked.
class MergeDialog : public QDialog
{
    Q_OBJECT

public:
    MergeDialog(const QString &copyName, const QString &listName, const ListMerge::Sides &sides,
                QWidget *parent = nullptr);

    // The ticked tasks of the copy.
    QSet<QString> toAdd() const;
    // The unticked tasks of the list.
    QSet<QString> toDrop() const;
    // All the user chose, with the tasks of the copy offered.
    ListMerge::Choice choice() const;

    QListWidget *copyTasks() const { return m_copy; }
    QListWidget *listTasks() const { return m_list; }

private:
    static QSet<QString> texts(const QListWidget *list, Qt::CheckState state);

    QStringList m_offered;
    QListWidget *m_copy;
    QListWidget *m_list;
};

#endif // MERGEDIALOG_H
