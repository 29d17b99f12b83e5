// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tasklistbytes.h"

#include "donemark.h"
#include "tasklistcodec.h"

#include <QTextCodec>

#include <cstring>

bool TaskListBytes::isExact(const QByteArray &bytes)
{
    if (bytes.endsWith('\n') || bytes.startsWith("\xef\xbb\xbf"))
        return false;
    const char *data = bytes.constData();
    const int size = bytes.size();
    // Most lists are ASCII without a carriage return: two fast passes tell.
    int lineFeeds = 0;
    if (TaskListCodec::scanAscii(data, size, &lineFeeds) && !std::memchr(data, '\r', size_t(size)))
        return true;

    // Line by line as the decoder reads them, so that what it finds valid
    // is valid here too.
    QTextCodec *utf8 = QTextCodec::codecForMib(106);
    int start = 0;
    while (start <= size) {
        const char *lineFeed = static_cast<const char *>(std::memchr(data + start, '\n', size_t(size - start)));
        const int end = lineFeed ? int(lineFeed - data) : size;
        if (end > start && data[end - 1] == '\r')
            return false;
        bool ascii = true;
        for (int i = start; i < end && ascii; ++i)
            ascii = static_cast<unsigned char>(data[i]) < 0x80;
        if (!ascii) {
            QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
            utf8->toUnicode(data + start, end - start, &state);
            if (state.invalidChars != 0 || state.remainingChars != 0)
                return false;
        }
        start = end + 1;
    }
    return true;
}

TaskListBytes::TaskListBytes(const QByteArray &bytes)
    : m_bytes(bytes)
{
}

int TaskListBytes::count() const
{
    return m_bytes.isEmpty() ? 0 : lineFeedsIn(0, m_bytes.size()) + 1;
}

QByteArray TaskListBytes::at(int row) const
{
    const int start = lineStart(row);
    if (start < 0)
        return QByteArray();
    const int end = lineEnd(start);
    // Not null for an empty task.
    return end == start ? QByteArray("") : m_bytes.mid(start, end - start);
}

int TaskListBytes::indexOf(const QByteArray &text, int from) const
{
    const int start = lineStart(qMax(0, from));
    if (start < 0)
        return -1;
    const char *data = m_bytes.constData();
    const int size = m_bytes.size();
    const int length = text.size();
    // Whether the text found at hit is a whole task: it begins its line,
    // or a done mark does. A text that itself begins like a mark is only
    // ever the task after another mark: a line of it alone is the task
    // after its own.
    const bool marked = DoneMark::length(text.constData(), length) > 0;
    const auto isTask = [&](int hit) {
        if (hit == start || data[hit - 1] == '\n')
            return !marked;
        const int mark = hit - DoneMark::Length;
        return mark >= start && (mark == start || data[mark - 1] == '\n')
            && DoneMark::length(data + mark, DoneMark::Length) > 0;
    };
    // Each place where the text ends a line that a line feed follows, so
    // that no part of a longer task matches; then the last line.
    const QByteArray ending = text + '\n';
    for (int at = start;;) {
        const void *found = memmem(data + at, size_t(size - at), ending.constData(), size_t(ending.size()));
        if (!found)
            break;
        const int hit = int(static_cast<const char *>(found) - data);
        if (isTask(hit))
            return from + lineFeedsIn(start, hit);
        at = hit + 1;
    }
    const int last = size - length;
    if (last >= start && std::memcmp(data + last, text.constData(), size_t(length)) == 0 && isTask(last))
        return from + lineFeedsIn(start, last);
    return -1;
}

void TaskListBytes::append(const QByteArray &text)
{
    if (!m_bytes.isEmpty())
        m_bytes.append('\n');
    m_bytes.append(text);
    m_knownRow = -1;
}

void TaskListBytes::insert(int row, const QByteArray &text)
{
    const int start = lineStart(row);
    if (start < 0)
        append(text);
    else
        m_bytes.insert(start, text + '\n');
    m_knownRow = -1;
}

void TaskListBytes::replace(int row, const QByteArray &text)
{
    const int start = lineStart(row);
    m_bytes.replace(start, lineEnd(start) - start, text);
    // The rows up to this one start where they did: line feeds in text
    // only move the rows after it.
    m_knownRow = row;
    m_knownStart = start;
}

void TaskListBytes::remove(int row)
{
    const int start = lineStart(row);
    const int end = lineEnd(start);
    if (end < m_bytes.size())
        m_bytes.remove(start, end + 1 - start);
    else
        m_bytes.truncate(qMax(0, start - 1));
    m_knownRow = -1;
}

void TaskListBytes::move(int row, int to)
{
    if (row == to)
        return;
    const QByteArray text = at(row);
    const int left = count() - 1;
    // Out with one of its line feeds. What is left may be one empty task,
    // which has no bytes.
    const int start = lineStart(row);
    const int end = lineEnd(start);
    if (end < m_bytes.size())
        m_bytes.remove(start, end + 1 - start);
    else
        m_bytes.truncate(start - 1);
    m_knownRow = -1;
    if (to < left)
        m_bytes.insert(to == 0 ? 0 : lineStart(to), text + '\n');
    else
        m_bytes.append('\n' + text);
    m_knownRow = -1;
}

int TaskListBytes::lineStart(int row) const
{
    if (row < 0 || m_bytes.isEmpty())
        return -1;
    if (row == 0)
        return 0;
    // A change finds its row, reads it and replaces it: the row found last
    // is not counted to again, and a later one is counted to from it.
    if (row == m_knownRow)
        return m_knownStart;
    const bool after = m_knownRow > 0 && row > m_knownRow;
    const int start = after ? TaskListCodec::pastLineFeeds(m_bytes.constData(), m_bytes.size(), m_knownStart, row - m_knownRow)
                            : TaskListCodec::pastLineFeeds(m_bytes.constData(), m_bytes.size(), 0, row);
    if (start > m_bytes.size())
        return -1;
    m_knownRow = row;
    m_knownStart = start;
    return start;
}

int TaskListBytes::lineEnd(int start) const
{
    const char *data = m_bytes.constData();
    const void *lineFeed = std::memchr(data + start, '\n', size_t(m_bytes.size() - start));
    return lineFeed ? int(static_cast<const char *>(lineFeed) - data) : m_bytes.size();
}

int TaskListBytes::lineFeedsIn(int from, int to) const
{
    return TaskListCodec::countLineFeeds(m_bytes.constData() + from, to - from);
}

void TaskListBytes::normalise()
{
    int size = m_bytes.size();
    while (size > 0 && m_bytes.at(size - 1) == '\n')
        --size;
    m_bytes.truncate(size);
    m_knownRow = -1;
}
