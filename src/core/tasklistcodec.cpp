// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tasklistcodec.h"

#include "heapreservation.h"

#include <QTextCodec>

#include <cstring>

TaskListCodec::Decoded TaskListCodec::decode(const QByteArray &bytes)
{
    // UTF-8 whatever the locale says: the writer always stores UTF-8, so a
    // locale-dependent reader would garble every non-ASCII task. A byte-order
    // mark still selects its own encoding.
    QTextCodec *utf8 = QTextCodec::codecForMib(106);
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, utf8);
    Decoded result;
    if (codec != utf8) {
        // UTF-16 or UTF-32: rare enough to go through one whole string. The
        // default state drops the byte-order mark.
        QTextCodec::ConverterState state;
        const QString text = codec->toUnicode(bytes.constData(), bytes.size(), &state);
        // The decoder lets lone surrogates through, and turns a UTF-32 value
        // past U+10FFFF into two of them, uncounted: written back as UTF-8
        // they would become question marks.
        result.valid = state.invalidChars == 0 && state.remainingChars == 0 && isWellFormed(text);
        result.encoding = codec->name();
        result.byteOrderMark = true;
        result.tasks = splitLines(text);
        return result;
    }

    // UTF-8 is split into lines before it is decoded, line by line, so that
    // the text never exists twice: loading a long list then takes half the
    // memory and much less time. A line feed or carriage return byte is
    // never part of another character in UTF-8.
    const char *data = bytes.constData();
    int size = bytes.size();
    // Encoding the tasks gives these very bytes unless a byte-order mark, a
    // carriage return before a line feed or a final line feed is dropped.
    bool exact = !bytes.endsWith('\n');
    if (bytes.startsWith("\xef\xbb\xbf")) {
        data += 3;
        size -= 3;
        exact = false;
        result.byteOrderMark = true;
    }
    int lineFeeds = 0;
    const bool ascii = scanAscii(data, size, &lineFeeds);
    // Each task is a block of its own: its characters, two bytes each, and
    // some fifty bytes of header and bookkeeping, and a slot in the list.
    const HeapReservation room(2 * qint64(size) + 64 * (qint64(lineFeeds) + 1));
    result.tasks.reserve(lineFeeds + 1);

    int start = 0;
    while (start < size) {
        const char *lineFeed = static_cast<const char *>(std::memchr(data + start, '\n', size_t(size - start)));
        const int end = lineFeed ? int(lineFeed - data) : size;
        int length = end - start;
        // One carriage return before a line feed, or at the very end, belongs
        // to the line ending, not to the task.
        if (length > 0 && data[end - 1] == '\r') {
            --length;
            exact = false;
        }
        if (ascii) {
            result.tasks.append(QString::fromLatin1(data + start, length));
        } else {
            QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
            result.tasks.append(utf8->toUnicode(data + start, length, &state));
            result.valid = result.valid && state.invalidChars == 0 && state.remainingChars == 0;
        }
        if (!lineFeed)
            break;
        start = end + 1;
    }
    result.exact = exact && result.valid;
    return result;
}

bool TaskListCodec::isWellFormed(const QString &text)
{
    const int size = text.size();
    for (int i = 0; i < size; ++i) {
        const QChar c = text.at(i);
        if (!c.isSurrogate())
            continue;
        if (c.isLowSurrogate() || i + 1 == size || !text.at(i + 1).isLowSurrogate())
            return false;
        ++i;
    }
    return true;
}

bool TaskListCodec::scanAscii(const char *data, int size, int *lineFeeds)
{
    // Written so that the compiler vectorises it: one pass, no branch.
    unsigned char seen = 0;
    int count = 0;
    for (int i = 0; i < size; ++i) {
        const unsigned char c = static_cast<unsigned char>(data[i]);
        seen |= c;
        count += c == '\n';
    }
    *lineFeeds = count;
    return seen < 0x80;
}

QByteArray TaskListCodec::encode(const QStringList &tasks, bool *loadsBack)
{
    // Task by task rather than through one joined string: most tasks are
    // ASCII and are narrowed straight into the file content, checked for
    // line feeds on the way, which keeps a rewrite of a long list cheap.
    // The buffer grows as needed rather than after a pass over every task
    // to size it, which would cost as much as the narrowing.
    QByteArray bytes(qMin(tasks.size(), 1 << 24) * 32, Qt::Uninitialized);
    int used = 0;
    const auto makeRoom = [&bytes, &used](int needed) {
        if (used + needed > bytes.size())
            bytes.resize(qMax(used + needed, bytes.size() * 2));
        return bytes.data() + used;
    };

    bool exact = tasks.isEmpty()
        || (!tasks.constLast().isEmpty() && !tasks.constFirst().startsWith(QChar(QChar::ByteOrderMark)));
    for (int i = 0; i < tasks.size(); ++i) {
        const QString &task = tasks.at(i);
        const int size = task.size();
        // A carriage return at the end would merge into the line ending.
        exact = exact && (size == 0 || task.at(size - 1) != QLatin1Char('\r'));
        if (i > 0) {
            *makeRoom(1) = '\n';
            ++used;
        }

        bool hasLineFeed = false;
        if (narrowAscii(task.utf16(), makeRoom(size), size, &hasLineFeed)) {
            used += size;
            exact = exact && !hasLineFeed;
            continue;
        }
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        const QByteArray utf8 = QTextCodec::codecForMib(106)->fromUnicode(task.constData(), size, &state);
        std::memcpy(makeRoom(utf8.size()), utf8.constData(), size_t(utf8.size()));
        used += utf8.size();
        exact = exact && state.invalidChars == 0 && state.remainingChars == 0
            && !task.contains(QLatin1Char('\n'));
    }
    // A file never ends with a line feed: one there would read as no line,
    // so trailing empty tasks, or a last task that ends in a line break,
    // would not load back anyway.
    while (used > 0 && bytes.at(used - 1) == '\n') {
        --used;
        exact = false;
    }
    bytes.truncate(used);
    if (loadsBack)
        *loadsBack = exact;
    return bytes;
}

QByteArray TaskListCodec::inEncoding(const QByteArray &utf8, const QByteArray &encoding, bool byteOrderMark)
{
    if (encoding == "UTF-8")
        return byteOrderMark ? QByteArray("\xef\xbb\xbf") + utf8 : utf8;
    // UTF-16 and UTF-32 are only told by their mark, which leads again.
    QTextCodec *codec = QTextCodec::codecForName(encoding);
    if (!codec)
        return utf8;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = QChar(QChar::ByteOrderMark) + QString::fromUtf8(utf8);
    return codec->fromUnicode(text.constData(), text.size(), &state);
}

bool TaskListCodec::narrowAscii(const ushort *__restrict from, char *__restrict to, int size, bool *hasLineFeed)
{
    // Written so that the compiler vectorises it: one element type, no branch.
    ushort seen = 0;
    ushort lineFeed = 0;
    for (int i = 0; i < size; ++i) {
        const ushort c = from[i];
        seen |= c;
        lineFeed |= ushort(c == '\n');
        to[i] = char(c);
    }
    *hasLineFeed = lineFeed != 0;
    return seen < 0x80;
}

QStringList TaskListCodec::splitLines(const QString &text)
{
    QStringList lines;
    const int size = text.size();
    int start = 0;
    while (start < size) {
        const int lineFeed = text.indexOf(QLatin1Char('\n'), start);
        const int end = lineFeed < 0 ? size : lineFeed;
        int length = end - start;
        // One carriage return before a line feed, or at the very end, belongs
        // to the line ending, not to the task.
        if (length > 0 && text.at(end - 1) == QLatin1Char('\r'))
            --length;
        lines.append(text.mid(start, length));
        if (lineFeed < 0)
            break;
        start = lineFeed + 1;
    }
    return lines;
}

bool TaskListCodec::reencode(QByteArray &bytes, const QStringList &before, const QStringList &after)
{
    const int oldCount = before.size();
    const int newCount = after.size();
    if (newCount == 0) {
        bytes.clear();
        return true;
    }
    // What encode() would not give back: an empty task at the end, a
    // byte-order mark at the start.
    if (after.constLast().isEmpty() || after.constFirst().startsWith(QChar(QChar::ByteOrderMark)))
        return false;

    // Equal data pointers mean equal tasks without reading either string;
    // strings that differ only in where they live are compared by content.
    const auto same = [](const QString &a, const QString &b) {
        return const_cast<QString &>(a).data_ptr() == const_cast<QString &>(b).data_ptr() || a == b;
    };
    const int common = qMin(oldCount, newCount);
    int head = 0;
    while (head < common && same(before.at(head), after.at(head)))
        ++head;
    int tail = 0;
    while (tail < common - head && same(before.at(oldCount - 1 - tail), after.at(newCount - 1 - tail)))
        ++tail;
    if (head + tail == oldCount && head + tail == newCount)
        return true;

    // The bytes are read as if every line, the last too, ended with a line
    // feed: line i then spans [lineStart(i), lineStart(i + 1)).
    const int size = bytes.size();
    const int from = lineStart(bytes, head, oldCount);
    const int newEnd = newCount - tail;
    int at = from;
    int removed = 0;
    QByteArray middle;
    if (tail > 0) {
        // The old lines go with their line feeds, the new come with theirs.
        // The end of the old lines is found from their start when they are
        // fewer than the lines on either side.
        const int lines = oldCount - tail - head;
        const int to = lines == 0 ? from
            : lines <= qMin(oldCount - tail, tail) ? pastLineFeeds(bytes.constData(), size, from, lines)
                                                   : lineStart(bytes, oldCount - tail, oldCount);
        removed = to - from;
        for (int i = head; i < newEnd; ++i) {
            if (!appendExact(middle, after.at(i)))
                return false;
            middle.append('\n');
        }
    } else if (head < newEnd) {
        // New last lines: after every old line, they need a line feed
        // before them; the file never ends with one.
        if (from > size) {
            at = size;
            middle.append('\n');
        }
        removed = size - at;
        for (int i = head; i < newEnd; ++i) {
            if (i > head)
                middle.append('\n');
            if (!appendExact(middle, after.at(i)))
                return false;
        }
    } else {
        // Only last lines went: the line feed before them goes too.
        at = from - 1;
        removed = size - at;
    }

    // In place: the bytes after the change move, the rest stay.
    const int grown = middle.size() - removed;
    const int rest = size - at - removed;
    if (grown > 0)
        bytes.resize(size + grown);
    char *data = bytes.data();
    std::memmove(data + at + middle.size(), data + at + removed, size_t(rest));
    std::memcpy(data + at, middle.constData(), size_t(middle.size()));
    if (grown < 0)
        bytes.resize(size + grown);
    return true;
}

bool TaskListCodec::appendExact(QByteArray &bytes, const QString &task)
{
    const int size = task.size();
    if (size > 0 && task.at(size - 1) == QLatin1Char('\r'))
        return false;
    const int used = bytes.size();
    bytes.resize(used + size);
    bool hasLineFeed = false;
    if (narrowAscii(task.utf16(), bytes.data() + used, size, &hasLineFeed))
        return !hasLineFeed;
    bytes.truncate(used);
    if (task.contains(QLatin1Char('\n')))
        return false;
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    bytes.append(QTextCodec::codecForMib(106)->fromUnicode(task.constData(), size, &state));
    return state.invalidChars == 0 && state.remainingChars == 0;
}

int TaskListCodec::lineStart(const QByteArray &bytes, int line, int count)
{
    if (line <= 0)
        return 0;
    if (line >= count)
        return count > 0 ? bytes.size() + 1 : 0;
    // Line i starts after the i-th line feed, which is the (count - i)-th
    // of the count - 1 line feeds counted from the end.
    if (line <= count / 2)
        return pastLineFeeds(bytes.constData(), bytes.size(), 0, line);
    return pastLineFeedsBackwards(bytes.constData(), bytes.size(), count - line);
}

int TaskListCodec::countLineFeeds(const char *data, int size)
{
    // Written so that the compiler vectorises it.
    int count = 0;
    for (int i = 0; i < size; ++i)
        count += data[i] == '\n';
    return count;
}

int TaskListCodec::pastLineFeeds(const char *data, int size, int from, int count)
{
    // Whole blocks are counted, which is faster than looking for each line
    // feed, until the block that holds the one wanted.
    constexpr int Block = 512;
    int at = from;
    while (size - at >= Block) {
        const int inBlock = countLineFeeds(data + at, Block);
        if (inBlock >= count)
            break;
        count -= inBlock;
        at += Block;
    }
    for (;;) {
        const void *lineFeed = std::memchr(data + at, '\n', size_t(size - at));
        if (!lineFeed)
            return size + 1;
        at = int(static_cast<const char *>(lineFeed) - data) + 1;
        if (--count == 0)
            return at;
    }
}

int TaskListCodec::pastLineFeedsBackwards(const char *data, int end, int count)
{
    constexpr int Block = 512;
    int at = end;
    while (at >= Block) {
        const int inBlock = countLineFeeds(data + at - Block, Block);
        if (inBlock >= count)
            break;
        count -= inBlock;
        at -= Block;
    }
    for (;;) {
        const void *lineFeed = memrchr(data, '\n', size_t(at));
        if (!lineFeed)
            return 0;
        at = int(static_cast<const char *>(lineFeed) - data);
        if (--count == 0)
            return at + 1;
    }
}
