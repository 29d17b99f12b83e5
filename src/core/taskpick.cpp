// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskpick.h"

#include "tasklist.h"

namespace {

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

int TaskPick::locate(const TaskList &tasks, const QString &listName, QString *why) const
{
    if (byText) {
        const int found = tasks.indexOf(text);
        if (found < 0)
            *why = tr("No task of %1 reads %2.").arg(listName, quoted(text));
        return found;
    }
    if (row >= tasks.size()) {
        *why = tr("%1 has no line %2: it has %3.").arg(listName).arg(row + 1).arg(tasks.size());
        return -1;
    }
    if (hasExpect && tasks.at(row) != expect) {
        *why = tr("Line %1 of %2 reads %3, not %4; nothing was changed.")
                   .arg(row + 1)
                   .arg(listName, quoted(tasks.at(row)), quoted(expect));
        return -1;
    }
    return row;
}
