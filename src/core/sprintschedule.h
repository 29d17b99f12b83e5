// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTSCHEDULE_H
#define SPRINTSCHEDULE_H

#include "changeresult.h"
#include "listmerge.h"
#include "tasklistfile.h"

#include <QDate>
#include <QMap>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

// When each sprint runs, what it is for and whether it is closed, kept in
// the folder's "schedule" file beside the lists, so that it syncs, merges
// and goes under version control with them. Its name does not begin with
// "sprint", so that it is never taken for a sprint.
//
// The file is text, one line per sprint that has details, fields separated
// by tabs: the number, the start and end dates (YYYY-MM-DD), the day it was
// closed or nothing, and the goal; a sprint closed before it had dates has
// none:
//
//     3	2026-12-01	2026-12-14		Ship the importer
//
// Lines that read otherwise are kept as they are and otherwise passed
// over; of two lines for one sprint, as a merge of two copies may leave,
// the later counts. It is changed through the same engine as the lists:
// under their lock, written safely, in its own encoding.
class SprintSchedule
{
public:
    struct Details {
        int number = 0;
        QDate start;
        QDate end;
        QDate closed;  // null while the sprint is open
        QString goal;

        bool isClosed() const { return closed.isValid(); }
        bool isDated() const { return start.isValid() && end.isValid(); }
        // The days it runs, both ends counted.
        int length() const { return int(start.daysTo(end)) + 1; }
        bool operator==(const Details &other) const;
    };

    // A sprint's first length, when no sprint before it has dates.
    static constexpr int FirstLength = 14;

    static QString fileName();

    // The details of line, or false when it holds none.
    static bool parse(const QString &line, Details *details);
    // The line that holds details; tabs and line feeds in the goal become
    // spaces.
    static QString format(const Details &details);

    // Reads the file: every sprint with details, by number. A missing file
    // holds none. False, with result(), when it cannot be read.
    bool read();
    const QMap<int, Details> &sprints() const { return m_sprints; }
    Details details(int number) const { return m_sprints.value(number); }
    bool has(int number) const { return m_sprints.contains(number); }

    // Gives sprint details.number the details given, making the file when
    // it is missing. False, with result(), when it could not be saved.
    // before gets the details it had, if it had any.
    bool set(const Details &details, std::optional<Details> *before = nullptr);
    // Takes the details of sprint number out.
    bool remove(int number);
    // Gives sprint number the details given while it reads as expected,
    // both as the file holds them under its lock (null for a sprint
    // without details, and none given takes them out): an undo that puts
    // back what it took only while nobody changed the details since.
    // False, with result() NotFound, when they read otherwise; nothing is
    // changed then.
    bool exchange(int number, const std::optional<Details> &expected, const std::optional<Details> &details);
    // Marks sprint number closed on day, keeping its dates and goal, unless
    // it is closed already; closed gets whether this closed it.
    bool close(int number, const QDate &day, bool *closed = nullptr);
    // Opens sprint number again if it is still closed on day, as close()
    // left it; otherwise leaves it as it is.
    bool reopen(int number, const QDate &day);
    ChangeResult result() const { return m_result; }

    // The details of a sprint made after previous: it starts the day after
    // previous ends, or on today when that day lies in the past, and runs
    // as long as previous (FirstLength days when previous has no dates).
    static Details following(const Details &previous, int number, const QDate &today);
    // The details of a new sprint number, following the sprint before it
    // that has dates.
    Details planned(int number, const QDate &today) const;
    // Gives a sprint just made its planned details, unless it has some.
    bool plan(int number, const QDate &today);

    // Why start and end cannot be a sprint's dates; empty when they can.
    static QString checkDates(const QDate &start, const QDate &end);
    // A date as the file and the command line write it, YYYY-MM-DD; null
    // for anything else.
    static QDate parseDate(const QString &text);

    // The days a sprint runs as the windows show them, "2026-12-01 –
    // 2026-12-14"; empty for a sprint without dates.
    static QString span(const Details &details);
    // The number of the sprint line holds details of, 0 for none.
    static int numberOf(const QString &line);
    // line as a person reads it: the sprint, its dates, when it was
    // closed and its goal; a line that holds no details, as it stands.
    static QString describe(const QString &line);
    // How the lines of a conflict copy of the file differ from lines, the
    // file's, for merging them as a list's copy is merged: line by line.
    // The copy's line for a sprint whose details differ here too comes
    // unticked (Sides::deletedHere), so that a merge keeps this machine's
    // details unless the user takes the copy's instead.
    static ListMerge::Sides compare(const QStringList &lines, const QStringList &copy);

    // Closes sprint number on day, whole or not at all, around move, which
    // moves its open tasks away and says whether it did. The file is
    // checked first, so that one that cannot be read or changed stops the
    // close before any task moves; the sprint is marked closed after the
    // move, and when that cannot be saved takeBack undoes the move. closed
    // gets whether this marked the sprint closed: false when it was closed
    // already. False when it was not done: result() then tells the
    // schedule's failure, and is Done when move failed.
    bool closeAround(int number, const QDate &day, const std::function<bool()> &move,
                     const std::function<void()> &takeBack, bool *closed);

    // Makes sprint target's file when it is missing, planned after sprint
    // number unless it has details already, as closing number makes the
    // next sprint. False, with error, when the file cannot be made.
    bool makeFollowing(int number, int target, const QDate &today, QString *error);

private:
    // Changes sprint number's details as edit says, from what the file
    // holds under its lock: edit gets them and whether there are any, and
    // says whether there are afterwards; an Outcome other than Changed
    // leaves the file as it is.
    using DetailsEdit = std::function<TaskListFile::Outcome(Details &details, bool &present)>;
    bool change(int number, const DetailsEdit &edit);
    // Holds the details that lines give.
    void take(const QStringList &lines);

    QMap<int, Details> m_sprints;
    ChangeResult m_result;
};

#endif // SPRINTSCHEDULE_H
