// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskref.h"

#include "donemark.h"
#include "tasklist.h"

#include <QHash>
#include <QSet>

#include <algorithm>

int TaskRef::locate(const TaskList &list, const TaskRef &ref, const QVector<bool> &taken)
{
    const int size = list.size();
    const auto holds = [&](int row) {
        return row >= 0 && row < size && !taken.value(row) && list.holds(row, ref.text);
    };
    if (holds(ref.row))
        return ref.row;
    // Outwards from the row the window showed: rows added or removed above
    // it shift the task by a little, and the nearest twin is the likeliest,
    // the one below first.
    const int start = qBound(0, ref.row, size);
    if (holds(start))
        return start;
    if (list.isBytes()) {
        // Bytes are searched for the text, not read row by row.
        int nearest = -1;
        for (int row = list.indexOf(ref.text); row >= 0; row = list.indexOf(ref.text, row + 1)) {
            if (taken.value(row))
                continue;
            if (nearest < 0 || qAbs(row - start) <= qAbs(nearest - start))
                nearest = row;
            if (row > start)
                break;
        }
        return nearest;
    }
    for (int distance = 1; start - distance >= 0 || start + distance < size; ++distance) {
        if (holds(start + distance))
            return start + distance;
        if (holds(start - distance))
            return start - distance;
    }
    return -1;
}

QVector<int> TaskRef::locateByHash(const TaskList &list, const QVector<TaskRef> &refs, int from, int end)
{
    QStringList keys;
    keys.reserve(refs.size());
    for (const TaskRef &ref : refs)
        keys.append(DoneMark::textOf(ref.text));
    const QSet<QString> texts(keys.cbegin(), keys.cend());
    // The rows that hold each text, in order; a row taken leaves its list.
    QHash<QString, QVector<int>> holding = list.rowsHolding(texts, from, end);
    QVector<int> rows(refs.size(), -1);
    for (int i = 0; i < refs.size(); ++i) {
        QVector<int> &candidates = holding[keys.at(i)];
        if (candidates.isEmpty())
            continue;
        // As locate(): the nearest to the row, the one below on a tie.
        const int start = qBound(from, refs.at(i).row, end);
        const auto below = std::lower_bound(candidates.begin(), candidates.end(), start);
        auto best = below;
        if (below == candidates.end() || (below != candidates.begin() && start - *(below - 1) < *below - start))
            best = below - 1;
        rows[i] = *best;
        candidates.erase(best);
    }
    return rows;
}

QStringList TaskRef::textsOf(const QVector<TaskRef> &refs)
{
    QStringList texts;
    texts.reserve(refs.size());
    for (const TaskRef &ref : refs)
        texts.append(ref.text);
    return texts;
}

QVector<int> TaskRef::locateAll(const TaskList &list, const QVector<TaskRef> &refs, int from, int count)
{
    const int end = count < 0 ? list.size() : from + count;
    // Few refs: each looked for on its own, outwards from its row.
    constexpr int ManyRefs = 8;
    if (refs.size() > ManyRefs || from > 0 || end < list.size())
        return locateByHash(list, refs, from, end);
    QVector<bool> taken(list.size(), false);
    QVector<int> rows;
    rows.reserve(refs.size());
    for (const TaskRef &ref : refs) {
        const int row = locate(list, ref, taken);
        if (row >= 0)
            taken[row] = true;
        rows.append(row);
    }
    return rows;
}
