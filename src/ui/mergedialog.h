// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef MERGEDIALOG_H
#define MERGEDIALOG_H

#include "listmerge.h"

#include <QDialog>
#include <QSet>
#include <QString>

#include <functional>

class QListWidget;
class TaskCommand;
class TaskStore;

// Asks which tasks a merge of a conflict copy keeps: those only the copy
// holds, ticked to be added, and those only the list holds, ticked to stay.
// A task that this machine deleted on purpose starts unticked, so that the
// merge does not bring it back unasked.
//
// A copy of the schedule is merged the same way, line by line, each line
// shown as the sprint's details it holds. Of a sprint whose details differ
// on the two sides, one version is kept: ticking one unticks the other, and
// this machine's is ticked first.
class MergeDialog : public QDialog
{
    Q_OBJECT

public:
    MergeDialog(const QString &copyName, const QString &listName, const ListMerge::Sides &sides,
                QWidget *parent = nullptr);

    // Asks which of copies, conflict copies of store's file, to merge when
    // there are several, reads it, and asks what the merge keeps; deleted
    // is the history's texts of the file. Returns the step that merges it
    // as chosen, or null when the user gave up or the copy cannot be
    // merged, warn having been told why.
    static TaskCommand *ask(QWidget *parent, TaskStore *store, const QStringList &copies,
                            const QStringList &deleted, const std::function<void(const QString &)> &warn);

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
    // Unticks the rows of other that are versions of the same sprint as
    // the ticked row of list.
    void keepOneVersion(const QListWidget *list, QListWidget *other, int row);

    QStringList m_offered;
    QListWidget *m_copy;
    QListWidget *m_list;
};

#endif // MERGEDIALOG_H
