// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conflictmarkers.h"

#include "listmerge.h"

#include <QSet>

namespace {

// Seven of c, then the end of the line or a space and a label.
bool isMarker(const QString &line, QChar c, bool labelled)
{
    if (line.size() < 7)
        return false;
    for (int i = 0; i < 7; ++i) {
        if (line.at(i) != c)
            return false;
    }
    return line.size() == 7 || (labelled && line.at(7) == QLatin1Char(' '));
}

} // namespace

bool ConflictMarkers::mayHold(const QByteArray &bytes)
{
    return bytes.startsWith("<<<<<<<") || bytes.contains("\n<<<<<<<");
}

ConflictMarkers::Block ConflictMarkers::nextBlock(const QStringList &tasks, int from)
{
    Block block;
    for (int row = from; row < tasks.size(); ++row) {
        const QString &line = tasks.at(row);
        if (isMarker(line, QLatin1Char('<'), true)) {
            // A block opened again starts over: the one before was not whole.
            block = Block();
            block.start = row;
        } else if (block.start < 0) {
            continue;
        } else if (block.middle < 0 && block.base < 0 && isMarker(line, QLatin1Char('|'), true)) {
            block.base = row;
        } else if (block.middle < 0 && isMarker(line, QLatin1Char('='), false)) {
            block.middle = row;
        } else if (block.middle >= 0 && isMarker(line, QLatin1Char('>'), true)) {
            block.end = row;
            return block;
        }
    }
    return Block();
}

int ConflictMarkers::firstBlock(const QStringList &tasks)
{
    return nextBlock(tasks, 0).start;
}

QStringList ConflictMarkers::keepBothSides(const QStringList &tasks)
{
    QVector<Block> blocks;
    for (Block block = nextBlock(tasks, 0); block.start >= 0; block = nextBlock(tasks, block.end + 1))
        blocks.append(block);

    // What the list holds outside the blocks is never added again.
    QSet<QString> held;
    int row = 0;
    for (const Block &block : qAsConst(blocks)) {
        for (; row < block.start; ++row)
            held.insert(tasks.at(row));
        row = block.end + 1;
    }
    for (; row < tasks.size(); ++row)
        held.insert(tasks.at(row));

    QStringList result;
    row = 0;
    for (const Block &block : qAsConst(blocks)) {
        result += tasks.mid(row, block.start - row);
        const int oursEnd = block.base >= 0 ? block.base : block.middle;
        QStringList both;
        for (const QString &task : tasks.mid(block.start + 1, oursEnd - block.start - 1)) {
            if (!held.contains(task) && !both.contains(task))
                both.append(task);
        }
        const QStringList theirs = tasks.mid(block.middle + 1, block.end - block.middle - 1);
        QSet<QString> add;
        for (const QString &task : theirs) {
            if (!held.contains(task))
                add.insert(task);
        }
        ListMerge::place(both, theirs, add);
        for (const QString &task : qAsConst(both))
            held.insert(task);
        result += both;
        row = block.end + 1;
    }
    result += tasks.mid(row);
    return result;
}
