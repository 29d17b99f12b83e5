// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef LISTMERGE_H
#define LISTMERGE_H

#include <QSet>
#include <QString>
#include <QStringList>

// Merges two versions of one task list, such as a list and the conflict
// copy that a synchronising program left beside it. Tasks are told apart
// by their texts: what one version holds and the other does not was added
// on one side or deleted on the other, and the history of deleted tasks
// tells which of those this machine deleted on purpose.
class ListMerge
{
public:
    struct Sides {
        // The texts only the copy holds, in its order.
        QStringList onlyCopy;
        // The texts only the list holds, in its order.
        QStringList onlyList;
        // Those of onlyCopy that this machine deleted or replaced.
        QSet<QString> deletedHere;
    };

    // How list and copy differ; deleted is the history's texts of the list.
    static Sides compare(const QStringList &list, const QStringList &copy, const QStringList &deleted);

    // Adds to tasks each text of order that is in add and not in tasks, at
    // the place its neighbours in order give it: after the nearest text
    // before it in order that tasks holds, else before the nearest one after
    // it, else at the end. Texts are added in order's order, so that a run
    // of new texts stays together. Returns the texts added.
    static QStringList place(QStringList &tasks, const QStringList &order, const QSet<QString> &add);

    // Takes the texts in drop out of tasks; returns those it took.
    static QStringList drop(QStringList &tasks, const QSet<QString> &drop);

    // What the user chose, shown a comparison: the copy's texts offered
    // (Sides::onlyCopy), those of them to add, and the list's to take out.
    struct Choice {
        QStringList offered;
        QSet<QString> add;
        QSet<QString> drop;
    };
    // Why choice does not fit copy, read again since the choice was made,
    // merged into list: copy holds a text that list does not and that was
    // not offered, has lost a text to add that list does not hold either,
    // or holds a text to take out. Empty when it fits, and then merging
    // copy as it is now does what the user chose.
    static QString misfit(const QStringList &list, const QStringList &copy, const Choice &choice);
};

#endif // LISTMERGE_H
