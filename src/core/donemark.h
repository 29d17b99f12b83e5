// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef DONEMARK_H
#define DONEMARK_H

#include <QDate>
#include <QString>
#include <QStringView>

// How a list's line says that its task is done, as todo.txt and the tools
// that read it write it: a lower-case "x", a space, the day it was done as
// YYYY-MM-DD, a space, then the task's text ("x 2026-12-08 Write the
// guide"). A line without that mark is an open task, whatever else it says.
//
// A task is its text after the mark: two lines that differ only in their
// mark are the same task, for every rule that compares tasks.
class DoneMark
{
public:
    // The length of a mark, its last space included.
    static constexpr int Length = 13;

    // Length when line begins with a mark of a real day, else 0.
    static int length(QStringView line);
    static int length(const char *line, int size);
    static bool isDone(QStringView line) { return length(line) > 0; }
    // The day line says its task was done; a null date when it is open.
    static QDate date(QStringView line);
    // The task's text: the line without its mark.
    static QStringView text(QStringView line) { return line.mid(length(line)); }
    static QString textOf(const QString &line) { return line.mid(length(line)); }

    // The line of line's task done on day, or open for a null day.
    static QString marked(const QString &line, const QDate &day);
};

#endif // DONEMARK_H
