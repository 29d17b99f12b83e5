// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "tasklist.h"

#include "donemark.h"
#include "tasklistbytes.h"

#include <QHash>

#include <cstring>

TaskList::TaskList(QStringList *strings)
    : m_strings(strings)
{
}

TaskList::TaskList(TaskListBytes *bytes)
    : m_bytes(bytes)
    , m_size(bytes->count())
{
}

QString TaskList::at(int row) const
{
    if (m_bytes)
        return QString::fromUtf8(m_bytes->at(row));
    return m_strings->at(row);
}

int TaskList::indexOf(const QString &text, int from) const
{
    const QString task = DoneMark::textOf(text);
    if (m_bytes)
        return fitsOneLine(task) ? m_bytes->indexOf(task.toUtf8(), from) : -1;
    for (int row = qMax(0, from); row < m_strings->size(); ++row) {
        if (DoneMark::text(m_strings->at(row)) == task)
            return row;
    }
    return -1;
}

bool TaskList::holds(int row, const QString &text) const
{
    return DoneMark::text(at(row)) == DoneMark::text(text);
}

QSet<QString> TaskList::textSet() const
{
    QSet<QString> texts;
    texts.reserve(size());
    if (!m_bytes) {
        for (const QString &line : qAsConst(*m_strings))
            texts.insert(DoneMark::isDone(line) ? DoneMark::textOf(line) : line);
        return texts;
    }
    forEachLine([&texts](const char *line, int size) {
        const int mark = DoneMark::length(line, size);
        texts.insert(QString::fromUtf8(line + mark, size - mark));
    });
    return texts;
}

QHash<QString, QVector<int>> TaskList::rowsHolding(const QSet<QString> &texts, int from, int end) const
{
    QHash<QString, QVector<int>> holding;
    for (const QString &text : texts)
        holding.insert(text, {});
    if (!m_bytes) {
        for (int row = from; row < end; ++row) {
            const auto it = holding.find(DoneMark::textOf(m_strings->at(row)));
            if (it != holding.end())
                it->append(row);
        }
        return holding;
    }
    int row = 0;
    forEachLine([&](const char *line, int size) {
        if (row >= from && row < end) {
            const int mark = DoneMark::length(line, size);
            const auto it = holding.find(QString::fromUtf8(line + mark, size - mark));
            if (it != holding.end())
                it->append(row);
        }
        ++row;
    });
    return holding;
}

void TaskList::insert(int row, const QString &text)
{
    // One empty task has no bytes: the list of it is kept as strings.
    if (m_bytes && (!fitsOneLine(text) || (m_size == 0 && text.isEmpty())))
        decode();
    const bool atEnd = row >= size();
    inserting(text);
    if (m_bytes) {
        m_bytes->insert(row, text.toUtf8());
        ++m_size;
    } else if (atEnd) {
        m_strings->append(text);
    } else {
        m_strings->insert(row, text);
    }
    changed(atEnd);
}

void TaskList::removeAt(int row)
{
    if (m_bytes && m_size == 2 && m_bytes->at(1 - row).isEmpty())
        decode();
    removing(row);
    if (m_bytes) {
        m_bytes->remove(row);
        --m_size;
    } else {
        m_strings->removeAt(row);
    }
    changed(false);
}

void TaskList::replace(int row, const QString &text)
{
    if (m_bytes && (!fitsOneLine(text) || (m_size == 1 && text.isEmpty())))
        decode();
    removing(row);
    inserting(text);
    if (m_bytes)
        m_bytes->replace(row, text.toUtf8());
    else
        (*m_strings)[row] = text;
    changed(false);
}

void TaskList::move(int from, int to)
{
    if (from == to)
        return;
    if (m_bytes)
        m_bytes->move(from, to);
    else
        m_strings->move(from, to);
    changed(false);
}

void TaskList::rewrite()
{
    changed(false);
}

QStringList &TaskList::strings()
{
    decode();
    // What the caller does with the list is not seen here: the list as it
    // is now tells, when the edit is over.
    if (!m_wasHandedOut) {
        m_handedOut = *m_strings;
        m_wasHandedOut = true;
    }
    changed(false);
    return *m_strings;
}

QStringList TaskList::gone() const
{
    // How often each text went, less how often it came: taken out and put
    // back by the calls, and, for a list handed out whole, what it held
    // then and holds now, past the start and the end they share.
    QHash<QString, int> balance;
    QStringList order;
    const auto count = [&](const QString &text, int by) {
        auto it = balance.find(text);
        if (it == balance.end()) {
            order.append(text);
            it = balance.insert(text, 0);
        }
        *it += by;
    };
    for (const QString &text : m_removed)
        count(text, 1);
    for (const QString &text : m_inserted)
        count(text, -1);
    if (m_wasHandedOut) {
        const QStringList &now = *m_strings;
        const auto same = [](const QString &a, const QString &b) { return a.constData() == b.constData() || a == b; };
        int start = 0;
        int endThen = m_handedOut.size();
        int endNow = now.size();
        while (start < endThen && start < endNow && same(m_handedOut.at(start), now.at(start)))
            ++start;
        while (endThen > start && endNow > start && same(m_handedOut.at(endThen - 1), now.at(endNow - 1))) {
            --endThen;
            --endNow;
        }
        for (int i = start; i < endThen; ++i)
            count(m_handedOut.at(i), 1);
        for (int i = start; i < endNow; ++i)
            count(now.at(i), -1);
    }
    QStringList result;
    for (const QString &text : qAsConst(order)) {
        for (int i = 0; i < balance.value(text); ++i)
            result.append(text);
    }
    return result;
}

void TaskList::removing(int row)
{
    if (!m_wasHandedOut)
        m_removed.append(at(row));
}

void TaskList::inserting(const QString &text)
{
    if (!m_wasHandedOut)
        m_inserted.append(text);
}

bool TaskList::fitsOneLine(const QString &text)
{
    // Anything else is stored as the decoder reads it back: a line feed
    // splits the task, a final carriage return merges into the line's end,
    // and a lone surrogate has no UTF-8.
    if (text.contains(QLatin1Char('\n')) || text.endsWith(QLatin1Char('\r')))
        return false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            return false;
    }
    return true;
}

void TaskList::decode()
{
    if (!m_bytes)
        return;
    // Line for line, trailing empty tasks included: the bytes hold them
    // until the list is written, where the format drops them.
    m_decoded.clear();
    m_decoded.reserve(m_size);
    forEachLine([this](const char *line, int size) { m_decoded.append(QString::fromUtf8(line, size)); });
    m_strings = &m_decoded;
    m_bytes = nullptr;
}

template <typename Visit>
void TaskList::forEachLine(Visit visit) const
{
    const QByteArray &bytes = m_bytes->bytes();
    const char *data = bytes.constData();
    const int size = bytes.size();
    int start = 0;
    for (int row = 0; row < m_size; ++row) {
        const void *lineFeed = std::memchr(data + start, '\n', size_t(size - start));
        const int end = lineFeed ? int(static_cast<const char *>(lineFeed) - data) : size;
        visit(data + start, end - start);
        start = end + 1;
    }
}

void TaskList::changed(bool appended)
{
    m_changed = true;
    m_onlyAppended = m_onlyAppended && appended;
}
