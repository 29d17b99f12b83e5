// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "markcommand.h"

#include "commandline.h"
#include "listedits.h"
#include "namedlist.h"
#include "tasklist.h"

MarkCommand::MarkCommand(const Spec &spec, bool done)
    : Command(spec)
    , m_done(done)
{
}

int MarkCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *list = nullptr;
    if (const int status = cli.openList(args.first(), &list))
        return status;
    QVector<int> rows;
    QStringList lines;
    const QDate day = m_done ? QDate::currentDate() : QDate();
    const bool changed = list->change([&](TaskList &tasks) {
        QVector<int> picked;
        if (!cli.locatePicks(tasks, *list, &picked))
            return TaskListFile::Outcome::NotFound;
        // A line named twice is marked once.
        rows.clear();
        QVector<TaskRef> refs;
        for (const int row : qAsConst(picked)) {
            if (!rows.contains(row)) {
                rows.append(row);
                refs.append(TaskRef{row, tasks.at(row)});
            }
        }
        const TaskListFile::Outcome outcome = ListEdits::mark(refs, QVector<QDate>(refs.size(), day))(tasks);
        // Every task named, as it reads now: those done or open already
        // stay as they were.
        lines.clear();
        for (const int row : qAsConst(rows))
            lines.append(tasks.at(row));
        return outcome;
    });
    if (!changed)
        return cli.finish(*list, false);
    const QString action = m_done ? QStringLiteral("done") : QStringLiteral("reopened");
    for (int i = 0; i < rows.size(); ++i)
        cli.report(CommandLine::Row{action, list->name(), rows.at(i) + 1, lines.at(i), QString(), 0, QString()});
    return cli.printReport();
}
