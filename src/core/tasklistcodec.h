#ifndef TASKLISTCODEC_H
#define TASKLISTCODEC_H

#include <QByteArray>
#include <QStringList>

// The byte format of a task list file: one task per line, joined by single
// line feeds, no line feed after the last task, UTF-8 without a byte-order
// mark. Reading is lenient (CR LF line ends, a final line feed, a UTF-8,
// UTF-16 or UTF-32 byte-order mark) so that files written by other programs
// load too.
class TaskListCodec
{
public:
    struct Decoded {
        QStringList tasks;
        // False when the bytes are not valid in their encoding; the tasks
        // then hold replacement characters and must not be written back.
        bool valid = true;
    };

    static Decoded decode(const QByteArray &bytes);
    // The file content for tasks. loadsBack tells whether decoding that
    // content gives tasks again: not when a task holds a line feed, ends
    // with a carriage return, opens the list with a byte-order mark or holds
    // a lone surrogate, nor when the last task is empty.
    static QByteArray encode(const QStringList &tasks, bool *loadsBack = nullptr);
    static QStringList splitLines(const QString &text);

private:
    // Whether data is ASCII, and how many line feeds it holds.
    static bool scanAscii(const char *data, int size, int *lineFeeds);
    // Copies an ASCII text into to; false when it is not ASCII.
    static bool narrowAscii(const ushort *__restrict from, char *__restrict to, int size, bool *hasLineFeed);
};

#endif // TASKLISTCODEC_H
