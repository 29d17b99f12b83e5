// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "restorecommand.h"

#include "commandline.h"
#include "deletedtasks.h"
#include "listedits.h"
#include "namedlist.h"

RestoreCommand::RestoreCommand()
    : Command({"restore", nullptr, "[LIST [N...]]",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Without N, print the deleted tasks of LIST (the backlog when none is given), newest "
                                 "first, numbered. With N, add those entries back to the end of LIST."),
               0, -1, -1, false})
{
}

bool RestoreCommand::onlyReads(const QStringList &args) const
{
    return args.size() < 2;
}

int RestoreCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *list = nullptr;
    if (const int status = cli.openList(args.value(0, QStringLiteral("backlog")), &list))
        return status;
    const DeletedTasks deleted;
    const QStringList history = deleted.recent(list->fileName());
    if (!deleted.errorString().isEmpty())
        return cli.fail(CommandLine::FileError, deleted.errorString());
    if (args.size() < 2) {
        QVector<CommandLine::Row> rows;
        for (int i = 0; i < history.size(); ++i)
            rows.append(CommandLine::Row{QString(), list->name(), i + 1, history.at(i), QString(), 0, QString()});
        cli.print(rows, false);
        return CommandLine::Done;
    }
    QStringList texts;
    for (int i = 1; i < args.size(); ++i) {
        int entry = -1;
        if (!CommandLine::parseLine(args.at(i), &entry)) {
            return cli.usage(CommandLine::tr("%1 is not an entry number: entries count from 1")
                                 .arg(CommandLine::quoted(args.at(i))));
        }
        if (entry >= history.size()) {
            return cli.fail(CommandLine::NothingMatched, CommandLine::tr("The history of %1 has no entry %2 (it has %3).")
                                                             .arg(list->fileName())
                                                             .arg(entry + 1)
                                                             .arg(history.size()));
        }
        texts.append(history.at(entry));
    }
    QVector<int> rows;
    if (!list->change(ListEdits::insert(ListEdits::End, texts, &rows)))
        return cli.finish(*list, false);
    return cli.added(*list, texts, rows, QStringLiteral("restored"));
}
