// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CONFLICTCOPIES_H
#define CONFLICTCOPIES_H

#include <QString>
#include <QStringList>
#include <QVector>

// The conflict copies that synchronising programs leave beside a task list,
// or beside the schedule of the sprints, when two machines changed it before
// they met: the version that lost, saved under a name made from the file's. A copy is found by its name
// alone; a copy of a copy belongs to the list the first copy was made of.
//
// Copies that were merged are moved into a hidden folder of the planner
// folder (mergedFolder()), never deleted, so that an undo can put them back.
class ConflictCopies
{
public:
    struct Copy {
        QString name;  // the copy's name in the folder
        QString list;  // the file name of the list (or schedule) it is a copy of
    };

    // The list that name is a conflict copy of, or empty when it is none.
    static QString listOf(const QString &name);
    // Whether name is a synchronising program's temporary, which is neither
    // a list nor a copy.
    static bool isTemporary(const QString &name);

    // The copies in the current directory, by list and then by name. One
    // listing of the folder, filtered by name.
    static QVector<Copy> find();
    // The names of list's copies among copies.
    static QStringList namesOf(const QVector<Copy> &copies, const QString &list);

    // Why the copy name cannot be merged, in words that name it: it is a
    // directory, a symbolic link or not a regular file. Empty when it is a
    // file; whether it reads as text is told by reading it.
    static QString unmergeable(const QString &name);

    static QString mergedFolder() { return QStringLiteral(".corvane-merged"); }
    // Moves the copy name into mergedFolder(), under a name no file there
    // has yet; *putAt is where it went. False, with *error, when it could
    // not be moved.
    static bool putAway(const QString &name, QString *putAt, QString *error);
    // Moves the copy at putAt back to name, unless an entry of that name
    // is there again.
    static bool putBack(const QString &putAt, const QString &name, QString *error);
};

#endif // CONFLICTCOPIES_H
