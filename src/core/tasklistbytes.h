#ifndef TASKLISTBYTES_H
#define TASKLISTBYTES_H

#include <QByteArray>

// A task list file's bytes, read and changed task by task in place without
// decoding the list, for bytes that encoding their tasks gives back exactly.
//
// Each change leaves the bytes that encoding the list changed the same way
// gives (TaskListCodec::encode()), so a command that changes one task of a
// long list costs a search and a splice, not a decode and an encode of
// every task. Texts are UTF-8 and hold no line feed.
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
    // The first row from from on whose task reads text, or -1.
    int indexOf(const QByteArray &text, int from = 0) const;
    bool contains(const QByteArray &text) const { return indexOf(text) >= 0; }

    void append(const QByteArray &text);
    // Replaces the task on row, which must be there, with the tasks that
    // the lines of text make.
    void replace(int row, const QByteArray &text);
    // Takes out the task on row, which must be there.
    void remove(int row);
    // Moves the task on row, which must be there, to row to (from 0 to
    // count() - 1), the tasks between closing up.
    void move(int row, int to);

private:
    // Where row starts, or -1 when there is no such row.
    int lineStart(int row) const;
    int lineEnd(int start) const;
    int lineFeedsIn(int from, int to) const;
    // An empty last task has no place in the format: encoding drops it.
    void dropFinalLineFeeds();

    QByteArray m_bytes;
};

#endif // TASKLISTBYTES_H
