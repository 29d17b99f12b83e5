// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKLISTBYTES_H
#define TASKLISTBYTES_H

#include <QByteArray>

// A task list file's bytes, read and changed task by task in place without
// decoding the list, for bytes that encoding their tasks gives back exactly.
//
// Each change leaves the tasks joined by single line feeds, as encoding the
// list changed the same way does (TaskListCodec::encode()), with empty tasks
// at the end kept until normalise() drops them as the format does: a change
// of one task of a long list costs a search and a splice, not a decode and
// an encode of every task. Texts are UTF-8 and hold no line feed. Bytes
// without a line feed hold no task: one empty task has no bytes of its own,
// and is for the caller to keep otherwise (TaskList does).
class TaskListBytes
{
public:
    // Whether bytes are what encoding the tasks they decode to gives back:
    // valid UTF-8 without a byte-order mark, without a carriage return at
    // the end of a line and without a final line feed.
    static bool isExact(const QByteArray &bytes);

    // bytes must be exact.
    explicit TaskListBytes(const QByteArray &bytes = QByteArray());

    const QByteArray &bytes() const { return m_bytes; }
    // The number of tasks.
    int count() const;
    // The text of the task on row (from 0); null when there is no such row.
    QByteArray at(int row) const;
    // The first row from from on whose task reads text, with or without a
    // done mark (DoneMark), or -1.
    int indexOf(const QByteArray &text, int from = 0) const;
    bool contains(const QByteArray &text) const { return indexOf(text) >= 0; }

    void append(const QByteArray &text);
    // Puts text before the task on row; at the end from count() on.
    void insert(int row, const QByteArray &text);
    // Replaces the task on row, which must be there, with the tasks that
    // the lines of text make.
    void replace(int row, const QByteArray &text);
    // Takes out the task on row, which must be there.
    void remove(int row);
    // Moves the task on row, which must be there, to row to (from 0 to
    // count() - 1), the tasks between closing up.
    void move(int row, int to);
    // Drops the empty tasks at the end, which a file cannot hold: the bytes
    // are then what encoding the list gives.
    void normalise();

private:
    // Where row starts, or -1 when there is no such row.
    int lineStart(int row) const;
    int lineEnd(int start) const;
    int lineFeedsIn(int from, int to) const;

    QByteArray m_bytes;
    // The row whose start was found last, and where it starts.
    mutable int m_knownRow = -1;
    mutable int m_knownStart = 0;
};

#endif // TASKLISTBYTES_H
