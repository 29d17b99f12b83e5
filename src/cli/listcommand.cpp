// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listcommand.h"

#include "commandline.h"
#include "namedlist.h"

#include <QCoreApplication>

ListCommand::ListCommand()
    : Command({"list", "ls", "[LIST]",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Print the tasks of LIST (the backlog when none is given) with their line numbers."),
               0, 1, -1, false})
{
}

bool ListCommand::onlyReads(const QStringList &) const
{
    return true;
}

int ListCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *list = nullptr;
    if (const int status = cli.openList(args.value(0, QStringLiteral("backlog")), &list))
        return status;
    // A folder without a backlog file has an empty backlog; listing it
    // makes none.
    QStringList tasks;
    if (!list->read(&tasks))
        return cli.fail(CommandLine::FileError, list->result().message);
    QVector<CommandLine::Row> rows;
    rows.reserve(tasks.size());
    for (int i = 0; i < tasks.size(); ++i)
        rows.append(CommandLine::Row{QString(), list->name(), i + 1, tasks.at(i), QString(), 0, QString()});
    cli.print(rows, false);
    return CommandLine::Done;
}
