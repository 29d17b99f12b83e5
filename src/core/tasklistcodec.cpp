#include "tasklistcodec.h"

#include <QTextCodec>

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
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString text = tasks.join(QLatin1Char('\n'));
    const QByteArray bytes = QTextCodec::codecForMib(106)->fromUnicode(text.constData(), text.size(), &state);
    if (loadsBack)
        *loadsBack = state.invalidChars == 0 && state.remainingChars == 0 && loadsBackSame(tasks, bytes);
    return bytes;
}

bool TaskListCodec::loadsBackSame(const QStringList &tasks, const QByteArray &bytes)
{
    if (tasks.isEmpty())
        return true;
    if (tasks.constLast().isEmpty() || tasks.constFirst().startsWith(QChar(QChar::ByteOrderMark)))
        return false;
    for (const QString &task : tasks) {
        if (task.endsWith(QLatin1Char('\r')))
            return false;
    }
    // The separators are the only line feeds.
    return bytes.count('\n') == tasks.size() - 1;
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
