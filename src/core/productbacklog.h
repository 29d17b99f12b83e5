// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef PRODUCTBACKLOG_H
#define PRODUCTBACKLOG_H

#include "tasklistfile.h"

#include <QString>
#include <QStringList>

// The product backlog: the ordered tasks from which sprints are filled,
// kept in the file "product_backlog" in the current directory.
//
// Each changing call applies its change to the file's current content and
// returns whether the file now holds it; errorString() then says why not.
// After every call the list equals what loading the file gives.
class productbacklog
{
public:
    // When a new store reads its file.
    enum Reading {
        ReadNow,      // in the constructor
        ReadWhenUsed, // at the first call that needs the list; until then
                      // the store only makes sure that the file exists
    };

    productbacklog();
    explicit productbacklog(Reading reading);

    // Adds each line of item that is not empty and not in the backlog yet.
    bool addItem(QString item);
    bool removeItem(QString item);
    // Replaces the first task equal to item with the lines of newtext. Fails,
    // with isNotFound(), when no task reads item any more.
    bool editItem(QString item, QString newtext);
    QStringList getItems() const;
    // Adds the hidden message when secret is its passphrase. True when the
    // file now holds the message (added now or before); false for any other
    // text, with errorString() empty, or when the file refused the change.
    bool write(QString secret);

    // Applies any edit of the list (see ListEdits) to the file, making the
    // file anew if it is gone only with the rule MayCreate.
    bool change(const TaskListFile::Edit &edit, TaskListFile::Rules rules = TaskListFile::MayCreate);
    // Re-reads the file if it changed on disk; true when the list was read again.
    bool refresh();
    // True when the file could not be read or is not text: changes are refused.
    bool isReadOnly() const;
    // True when the last change was refused because its task is gone.
    bool isNotFound() const;
    // Why the list refused the last change, if it did.
    TaskListFile::Refusal refusal() const;
    // Why the last call failed, naming the file; empty after a success.
    // Never reads the file: before the first read it tells whether the
    // file could be made.
    QString errorString() const;

    static QString fileName();

private:
    // Read on first use by the const calls too, so mutable.
    mutable QStringList tasks;
    mutable TaskListFile file;
    mutable bool unread;

    void readIfUnread() const;
    bool writeChanges();
};

#endif // PRODUCTBACKLOG_H
