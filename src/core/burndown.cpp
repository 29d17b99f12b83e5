// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "burndown.h"

#include "donemark.h"

#include <QMap>

QVector<Burndown::Day> Burndown::days(const QStringList &lines, const QDate &start, const QDate &end)
{
    if (!start.isValid() || !end.isValid() || start > end)
        return {};
    // How many were done on each day, those done before the start on it:
    // one pass over the tasks, then one over the days.
    int tasks = 0;
    QMap<QDate, int> doneOn;
    for (const QString &line : lines) {
        if (line.isEmpty())
            continue;
        ++tasks;
        const QDate done = DoneMark::date(line);
        if (done.isValid())
            ++doneOn[qMax(done, start)];
    }
    const int count = int(start.daysTo(end)) + 1;
    QVector<Day> result;
    result.reserve(count);
    int open = tasks;
    auto next = doneOn.cbegin();
    for (int i = 0; i < count; ++i) {
        const QDate date = start.addDays(i);
        for (; next != doneOn.cend() && next.key() <= date; ++next)
            open -= next.value();
        result.append(Day{date, open, 0});
    }
    // From the first day's count to none on the last.
    const double first = result.first().open;
    for (int i = 0; i < count; ++i)
        result[i].ideal = count == 1 ? 0 : first * (count - 1 - i) / (count - 1);
    return result;
}
