// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "movecommand.h"

#include "commandline.h"
#include "listedits.h"
#include "namedlist.h"
#include "tasklist.h"

MoveCommand::MoveCommand()
    : Command({"mv", "move", "N FROM TO",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Move the task on line N of FROM to the end of sprint TO. From a sprint, the task "
                                 "leaves FROM once TO holds it; from the backlog, it is added to TO and stays in the "
                                 "backlog, as \"Add tasks\" does."),
               3, 3, 0, false})
{
}

int MoveCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *from = nullptr;
    NamedList *to = nullptr;
    const int target = NamedList::numberOf(args.at(1));
    if (target == 0)
        return cli.usage(CommandLine::tr("tasks move into sprints; TO is a sprint number"));
    if (const int status = cli.openList(args.at(0), &from))
        return status;
    if (from->number() == target)
        return cli.usage(CommandLine::tr("FROM and TO are the same sprint"));
    if (const int status = cli.openList(args.at(1), &to))
        return status;

    if (from->isBacklog()) {
        // Read only, as the windows' "Add tasks" reads the backlog: the
        // change is an add to the sprint.
        QStringList tasks;
        if (!from->read(&tasks))
            return cli.fail(CommandLine::FileError, from->result().message);
        QVector<int> rows;
        if (!cli.locatePicks(TaskList(&tasks), *from, &rows))
            return cli.finish(*from, false);
        const QString text = tasks.at(rows.first());
        if (!to->change(ListEdits::insert(ListEdits::End, {text}, &rows)))
            return cli.finish(*to, false);
        return cli.added(*to, {text}, rows, QStringLiteral("added"));
    }

    QVector<ListEdits::Transfer> done;
    const bool moved = NamedList::transfer(*from, *to, [&](TaskList &source, TaskList &into) {
        QVector<int> rows;
        if (!cli.locatePicks(source, *from, &rows))
            return TaskListFile::Outcome::NotFound;
        const int row = rows.first();
        return ListEdits::transfer({ListEdits::Transfer{source.at(row), row, ListEdits::End}}, &done)(source, into);
    });
    if (!moved)
        return cli.finish(*from, false);
    const ListEdits::Transfer &item = done.first();
    if (!item.added) {
        cli.note(CommandLine::tr("%1 held %2 already; it left %3.")
                     .arg(to->fileName(), CommandLine::quoted(item.text), from->fileName()));
    }
    cli.report(CommandLine::Row{QStringLiteral("moved"), to->name(), item.to + 1, item.text, from->name(), item.from + 1,
                                QString()});
    return cli.printReport();
}
