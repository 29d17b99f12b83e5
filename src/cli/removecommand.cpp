// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "removecommand.h"

#include "commandline.h"
#include "listedits.h"
#include "namedlist.h"
#include "tasklist.h"

RemoveCommand::RemoveCommand()
    : Command({"rm", "del", "LIST N...",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Delete the tasks on lines N, keeping their texts in the history of deleted tasks, "
                                 "from which \"restore\" and the windows' \"Restore deleted tasks\" bring them back."),
               2, -1, 1, true})
{
}

int RemoveCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *list = nullptr;
    if (const int status = cli.openList(args.first(), &list))
        return status;
    QVector<TaskRef> refs;
    const bool changed = list->change(
        [&](TaskList &tasks) {
            QVector<int> rows;
            if (!cli.locatePicks(tasks, *list, &rows))
                return TaskListFile::Outcome::NotFound;
            // A line named twice goes once.
            refs.clear();
            for (const int row : qAsConst(rows)) {
                if (std::none_of(refs.cbegin(), refs.cend(), [row](const TaskRef &ref) { return ref.row == row; }))
                    refs.append(TaskRef{row, tasks.at(row)});
            }
            return ListEdits::remove(refs)(tasks);
        },
        TaskListFile::KeepsDeleted);
    if (!changed)
        return cli.finish(*list, false);
    for (const TaskRef &ref : qAsConst(refs))
        cli.report(CommandLine::Row{QStringLiteral("removed"), list->name(), ref.row + 1, ref.text, QString(), 0, QString()});
    return cli.printReport();
}
