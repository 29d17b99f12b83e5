// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintprogress.h"

#include "donemark.h"
#include "sprintfiles.h"
#include "tasklistfile.h"

QVector<SprintProgress::Entry> SprintProgress::read(const std::function<bool()> &stop)
{
    SprintSchedule schedule;
    // A schedule that cannot be read leaves every sprint without details;
    // the counts still hold.
    schedule.read();
    QVector<Entry> entries;
    const QStringList names = SprintFiles::list();
    entries.reserve(names.size());
    for (const QString &name : names) {
        if (stop && stop())
            break;
        Entry entry;
        entry.number = SprintFiles::number(name);
        entry.details = schedule.details(entry.number);
        TaskListFile file(name);
        QStringList lines;
        if (!file.load(lines, false) || file.isReadOnly())
            entry.error = file.errorString();
        count(lines, &entry.done, &entry.total);
        entries.append(entry);
    }
    return entries;
}

void SprintProgress::count(const QStringList &lines, int *done, int *total)
{
    *done = 0;
    *total = 0;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        ++*total;
        if (DoneMark::isDone(line))
            ++*done;
    }
}

int SprintProgress::current(const QVector<Entry> &entries, const QDate &today)
{
    for (int i = 0; i < entries.size(); ++i) {
        const SprintSchedule::Details &details = entries.at(i).details;
        if (!details.isClosed() && details.isDated() && details.start <= today && today <= details.end)
            return i;
    }
    for (int i = 0; i < entries.size(); ++i) {
        if (!entries.at(i).details.isClosed() && entries.at(i).open() > 0)
            return i;
    }
    return -1;
}
