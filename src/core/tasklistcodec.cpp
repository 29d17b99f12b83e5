#include "tasklistcodec.h"

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
        result.valid = state.invalidChars == 0 && state.remainingChars == 0;
        result.tasks = splitLines(text);
        return result;
    }

    // UTF-8 is split into lines before it is decoded, line by line, so that
    // the text never exists twice: loading a long list then takes half the
    // memory and much less time. A line feed or carriage return byte is
    // never part of another character in UTF-8.
    const char *data = bytes.constData();
    int size = bytes.size();
    if (bytes.startsWith("\xef\xbb\xbf")) {
        data += 3;
        size -= 3;
    }
    int lineFeeds = 0;
    const bool ascii = scanAscii(data, size, &lineFeeds);
    result.tasks.reserve(lineFeeds + 1);

    int start = 0;
    while (start < size) {
        const char *lineFeed = static_cast<const char *>(std::memchr(data + start, '\n', size_t(size - start)));
        const int end = lineFeed ? int(lineFeed - data) : size;
        int length = end - start;
        // One carriage return before a line feed, or at the very end, belongs
        // to the line ending, not to the task.
        if (length > 0 && data[end - 1] == '\r')
            --length;
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
    return result;
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
