#include "tasklistcodec.h"

#include <QTextCodec>

#include <cstring>
#include <limits>

TaskListCodec::Decoded TaskListCodec::decode(const QByteArray &bytes)
{
    // UTF-8 whatever the locale says: the writer always stores UTF-8, so a
    // locale-dependent reader would garble every non-ASCII task. A byte-order
    // mark still selects its own encoding.
    QTextCodec *utf8 = QTextCodec::codecForMib(106);
    QTextCodec *codec = QTextCodec::codecForUtfText(bytes, utf8);

    // The default state drops the byte-order mark from the text.
    QTextCodec::ConverterState state;
    const QString text = codec->toUnicode(bytes.constData(), bytes.size(), &state);

    Decoded result;
    result.valid = state.invalidChars == 0 && state.remainingChars == 0;
    result.tasks = splitLines(text);
    return result;
}

QByteArray TaskListCodec::encode(const QStringList &tasks, bool *loadsBack)
{
    // Task by task rather than through one joined string: most tasks are
    // ASCII and are narrowed straight into the result, which halves the time
    // of a rewrite of a long list.
    qsizetype asciiSize = tasks.size();
    for (const QString &task : tasks)
        asciiSize += task.size();
    QByteArray bytes;
    bytes.reserve(int(qMin<qsizetype>(asciiSize, std::numeric_limits<int>::max())));

    bool exact = true;
    for (int i = 0; i < tasks.size(); ++i) {
        if (i > 0)
            bytes.append('\n');
        const QString &task = tasks.at(i);
        const int start = bytes.size();
        if (appendAscii(bytes, task)) {
            exact = exact && !std::memchr(bytes.constData() + start, '\n', size_t(task.size()));
            continue;
        }
        bytes.truncate(start);
        QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
        bytes.append(QTextCodec::codecForMib(106)->fromUnicode(task.constData(), task.size(), &state));
        exact = exact && state.invalidChars == 0 && state.remainingChars == 0
            && !task.contains(QLatin1Char('\n'));
    }
    if (loadsBack)
        *loadsBack = exact && loadsBackSame(tasks);
    return bytes;
}

bool TaskListCodec::appendAscii(QByteArray &bytes, const QString &text)
{
    const int start = bytes.size();
    bytes.resize(start + text.size());
    const ushort *from = text.utf16();
    char *to = bytes.data() + start;
    ushort seen = 0;
    for (int i = 0; i < text.size(); ++i) {
        seen |= from[i];
        to[i] = char(from[i]);
    }
    return seen < 0x80;
}

bool TaskListCodec::loadsBackSame(const QStringList &tasks)
{
    if (tasks.isEmpty())
        return true;
    if (tasks.constLast().isEmpty() || tasks.constFirst().startsWith(QChar(QChar::ByteOrderMark)))
        return false;
    for (const QString &task : tasks) {
        if (task.endsWith(QLatin1Char('\r')))
            return false;
    }
    return true;
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
