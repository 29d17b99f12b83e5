// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "closecommand.h"

#include "commandline.h"
#include "listedits.h"
#include "namedlist.h"
#include "sprintcommand.h"

#include <QDate>

CloseCommand::CloseCommand()
    : Command({"close", nullptr, "N [--to M]",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Close sprint N: its open tasks move, in their order, to the end of sprint M, the "
                                 "next sprint unless --to names another, which is made, with dates following N's, "
                                 "when it does not exist. The done tasks and N's dates and goal stay."),
               1, 1, -1, false, "to"})
{
}

int CloseCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *sprint = nullptr;
    SprintSchedule schedule;
    if (const int status = SprintCommand::openSprint(cli, args.first(), &sprint, &schedule))
        return status;
    const QString to = cli.option(QStringLiteral("to"));
    const int target = to.isNull() ? sprint->number() + 1 : NamedList::numberOf(to);
    if (target < 1 || target == sprint->number())
        return cli.usage(CommandLine::tr("--to needs another sprint's number, not %1").arg(CommandLine::quoted(to)));

    NamedList next(target);
    if (!next.exists() && !to.isNull())
        return cli.fail(CommandLine::NothingMatched, CommandLine::tr("There is no sprint %1.").arg(target));
    const QDate today = QDate::currentDate();
    QVector<ListEdits::Transfer> done;
    QString error;
    const auto move = [&] {
        // The next sprint comes to be here, as new-sprint makes one, and is
        // planned after this one.
        return (next.exists() || schedule.makeFollowing(sprint->number(), target, today, &error))
            && NamedList::transfer(*sprint, next, ListEdits::carryOver(&done));
    };
    const auto takeBack = [&] {
        if (!done.isEmpty())
            NamedList::transfer(next, *sprint, ListEdits::transfer(ListEdits::reversed(done)));
    };
    bool closed = false;
    if (!schedule.closeAround(sprint->number(), today, move, takeBack, &closed)) {
        if (!schedule.result().isDone())
            return cli.fail(CommandLine::FileError, schedule.result().message);
        if (!error.isEmpty())
            return cli.fail(CommandLine::FileError, error);
        return cli.finish(!sprint->result().isDone() ? *sprint : next, false);
    }
    for (const ListEdits::Transfer &item : qAsConst(done)) {
        cli.report(CommandLine::Row{QStringLiteral("moved"), next.name(), item.to + 1, item.text, sprint->name(),
                                    item.from + 1, QString()});
    }
    return cli.printReport();
}
