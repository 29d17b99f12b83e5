// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reordercommand.h"

#include "commandline.h"
#include "namedlist.h"
#include "tasklist.h"

ReorderCommand::ReorderCommand(const Spec &spec, ListEdits::Place place)
    : Command(spec)
    , m_place(place)
{
}

int ReorderCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *list = nullptr;
    if (const int status = cli.openList(args.first(), &list))
        return status;
    ListEdits::Placed placed;
    const bool changed = list->change([&](TaskList &tasks) {
        QVector<int> rows;
        if (!cli.locatePicks(tasks, *list, &rows))
            return TaskListFile::Outcome::NotFound;
        return ListEdits::reorder(TaskRef{rows.first(), tasks.at(rows.first())}, m_place, TaskRef(), &placed)(tasks);
    });
    if (!changed)
        return cli.finish(*list, false);
    cli.report(CommandLine::Row{QStringLiteral("moved"), list->name(), placed.to + 1, placed.text, list->name(),
                                placed.from + 1, QString()});
    return cli.printReport();
}
