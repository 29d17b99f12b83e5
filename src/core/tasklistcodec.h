// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

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
        // True when encoding tasks gives the bytes back exactly: UTF-8
        // without a byte-order mark, carriage return or final line feed.
        bool exact = false;
        // The encoding the bytes were read in, as its byte-order mark says,
        // and whether they start with that mark.
        QByteArray encoding = "UTF-8";
        bool byteOrderMark = false;
    };

    static Decoded decode(const QByteArray &bytes);
    // The file content for tasks. loadsBack tells whether decoding that
    // content gives tasks again: not when a task holds a line feed, ends
    // with a carriage return, opens the list with a byte-order mark or holds
    // a lone surrogate, nor when the last task is empty.
    static QByteArray encode(const QStringList &tasks, bool *loadsBack = nullptr);
    static QStringList splitLines(const QString &text);
    // utf8, the content encode() made, in encoding (as Decoded names it),
    // led by its byte-order mark when byteOrderMark: how a list read in
    // another encoding is written back.
    static QByteArray inEncoding(const QByteArray &utf8, const QByteArray &encoding, bool byteOrderMark);

    // Turns bytes, the exact encoding of before, into the encoding of
    // after, encoding only the tasks between the part at the start and the
    // part at the end that the two lists share. Unchanged tasks are found
    // by their shared string data first, so that a list that an edit made
    // from before is compared in one pass over its pointers. Returns false,
    // leaving bytes as they were, when after would not load back as it is
    // (see encode()); the whole list must then be encoded.
    static bool reencode(QByteArray &bytes, const QStringList &before, const QStringList &after);

    // Scans of raw list bytes, shared with code that changes them in place.
    // The offset just past the count-th line feed (count > 0) from from on;
    // size + 1 when there are fewer.
    static int pastLineFeeds(const char *data, int size, int from, int count);
    static int countLineFeeds(const char *data, int size);
    // Whether data is ASCII, and how many line feeds it holds.
    static bool scanAscii(const char *data, int size, int *lineFeeds);

private:
    // Whether every surrogate in text is half of a pair: UTF-8 has no way
    // to store one that is not.
    static bool isWellFormed(const QString &text);
    // Appends the UTF-8 of task to bytes; false when it would not load back
    // as one line (a line feed, a final carriage return, a lone surrogate).
    static bool appendExact(QByteArray &bytes, const QString &task);
    // Where line line (from 0) of the count lines in bytes starts, counted
    // from whichever end is nearer; for line count, one past the end.
    static int lineStart(const QByteArray &bytes, int line, int count);
    // Past the count-th line feed before end, searching backwards.
    static int pastLineFeedsBackwards(const char *data, int end, int count);
    // Copies an ASCII text into to; false when it is not ASCII.
    static bool narrowAscii(const ushort *__restrict from, char *__restrict to, int size, bool *hasLineFeed);
};

#endif // TASKLISTCODEC_H
