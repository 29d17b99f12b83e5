// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef DELETEDTASKS_H
#define DELETEDTASKS_H

#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVector>

// The texts of tasks that were deleted or replaced by an edit, kept in the
// hidden file ".deleted_tasks" beside the lists so that nothing deleted is
// beyond recovery, even after its window was closed or the program ended.
//
// One entry per line: the time (UTC, ISO 8601), the list's file name, the
// text's length in characters and the text, separated by tabs. An entry is
// appended in one write under a lock of its own; one cut short by a crash
// or a kill reads shorter than its length says and is passed over. The
// file keeps the last Limit entries.
class DeletedTasks
{
    Q_DECLARE_TR_FUNCTIONS(DeletedTasks)

public:
    struct Entry {
        QDateTime when;
        QString list;
        QString text;
    };

    static constexpr int Limit = 1000;

    explicit DeletedTasks(const QString &fileName = defaultFileName());

    // Adds texts, taken from the list file list, as entries of now.
    bool append(const QString &list, const QStringList &texts);
    // Takes the entries of the last append back out, for a change that
    // could not be made after all, while no later entry follows them.
    void takeBack();
    // The entries, oldest first.
    QVector<Entry> entries() const;
    // The texts of list's entries, newest first, each once.
    QStringList recent(const QString &list) const;
    // The same entries, each text's newest.
    QVector<Entry> recentEntries(const QString &list) const;
    // Why the last append failed, or the entries could not be read,
    // naming the file.
    QString errorString() const { return m_error; }

    static QString defaultFileName() { return QStringLiteral(".deleted_tasks"); }

private:
    QByteArray readAll() const;
    QString lockPath() const;
    bool trim(const QByteArray &bytes);
    bool fail(const QString &reason);

    QString m_fileName;
    mutable QString m_error;
    qint64 m_appendedFrom = -1;
    qint64 m_appendedTo = -1;
};

#endif // DELETEDTASKS_H
