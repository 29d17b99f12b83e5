// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "donemark.h"

namespace {

// The mark's date, read from its ten characters; null unless it is a day
// of the calendar.
template <typename Char>
QDate readDate(const Char *at, int size)
{
    if (size < DoneMark::Length || at[0] != 'x' || at[1] != ' ' || at[12] != ' ' || at[6] != '-' || at[9] != '-')
        return QDate();
    int fields[3] = {0, 0, 0};
    const int starts[3] = {2, 7, 10};
    const int lengths[3] = {4, 2, 2};
    for (int field = 0; field < 3; ++field) {
        for (int i = starts[field]; i < starts[field] + lengths[field]; ++i) {
            const int digit = int(at[i]) - '0';
            if (digit < 0 || digit > 9)
                return QDate();
            fields[field] = fields[field] * 10 + digit;
        }
    }
    return QDate(fields[0], fields[1], fields[2]);
}

} // namespace

int DoneMark::length(QStringView line)
{
    return readDate(line.utf16(), int(line.size())).isValid() ? Length : 0;
}

int DoneMark::length(const char *line, int size)
{
    return readDate(line, size).isValid() ? Length : 0;
}

QDate DoneMark::date(QStringView line)
{
    return readDate(line.utf16(), int(line.size()));
}

QString DoneMark::marked(const QString &line, const QDate &day)
{
    const QString text = textOf(line);
    if (!day.isValid())
        return text;
    return QLatin1String("x ") + day.toString(QStringLiteral("yyyy-MM-dd")) + QLatin1Char(' ') + text;
}
