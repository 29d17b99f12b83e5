// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef APPENDJOURNAL_H
#define APPENDJOURNAL_H

#include <QCoreApplication>
#include <QString>

// Makes adding tasks at the end of a list whole or undone, even across a
// kill in the middle of the write: before the tasks are appended, a note of
// the list's size before and after is synced beside it, and removed once
// they are. A note that is still there tells of an append that did not
// finish: the next change or read of the list cuts the list back to its
// size before, unless the append got to its end. So no list is ever left
// holding the start of a task, and the tasks it held are never written
// again.
//
// The note is a hidden file ".NAME.append" beside the list, opened as every
// file beside the lists is (SideFile). The caller holds the list's lock.
class AppendJournal
{
    Q_DECLARE_TR_FUNCTIONS(AppendJournal)

public:
    // path names the list's file itself, not a symbolic link to it.
    explicit AppendJournal(const QString &path);

    // Appends bytes to the list, which must be sizeBefore bytes long.
    bool append(const QByteArray &bytes, qint64 sizeBefore);
    // Cuts the list back to what it held before the last append.
    bool takeBack();
    // Whether the last append found the list changed by someone else.
    bool wasStale() const { return m_stale; }
    QString errorString() const { return m_error; }

    // Whether an append of the list at path left its note.
    static bool isPending(const QString &path);
    // Finishes what an append that was cut short left: the list back at its
    // size before, and the note gone. False, with errorString(), when the
    // list could not be cut back.
    bool recover();

private:
    static QString notePath(const QString &path);
    bool fail(const QString &reason);

    QString m_path;
    qint64 m_sizeBefore = -1;
    bool m_stale = false;
    QString m_error;
};

#endif // APPENDJOURNAL_H
