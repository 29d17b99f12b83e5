// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editcommand.h"

#include "commandline.h"
#include "listedits.h"
#include "namedlist.h"
#include "tasklist.h"

EditCommand::EditCommand()
    : Command({"edit", "replace", "LIST N TEXT",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Replace the task on line N with TEXT (each of its lines that is not empty, as the "
                                 "task dialog does). The old text is kept in the history of deleted tasks."),
               3, 3, 1, false})
{
}

int EditCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *list = nullptr;
    if (const int status = cli.openList(args.first(), &list))
        return status;
    const QStringList lines = ListEdits::lines(args.at(1));
    if (lines.isEmpty())
        return cli.usage(CommandLine::tr("a task needs a text that is not empty; rm deletes a task"));
    QString was;
    int row = -1;
    QStringList put;
    const bool changed = list->change(
        [&](TaskList &tasks) {
            QVector<int> rows;
            if (!cli.locatePicks(tasks, *list, &rows))
                return TaskListFile::Outcome::NotFound;
            was = tasks.at(rows.first());
            return ListEdits::replaceRun(TaskRef{rows.first(), was}, {was}, lines, &row, &put)(tasks);
        },
        TaskListFile::KeepsDeleted);
    if (!changed) {
        return cli.finish(*list, false,
                          CommandLine::tr("%1 holds every line of the new text already; nothing was changed.")
                              .arg(list->fileName()));
    }
    // The lines the list holds elsewhere are left out, as an add leaves them.
    for (const QString &line : lines) {
        if (!put.contains(line))
            cli.note(CommandLine::tr("%1 holds %2 already.").arg(list->fileName(), CommandLine::quoted(line)));
    }
    for (int i = 0; i < put.size(); ++i)
        cli.report(CommandLine::Row{QStringLiteral("edited"), list->name(), row + i + 1, put.at(i), QString(), 0, was});
    return cli.printReport();
}
