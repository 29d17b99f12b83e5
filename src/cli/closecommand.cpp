#include "closecommand.h"

#include "commandline.h"
#include "donemark.h"
#include "listedits.h"
#include "namedlist.h"
#include "sprint.h"
#include "sprintcommand.h"
#include "tasklist.h"

#include <QFile>

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

    // The next sprint comes to be here, as new-sprint makes one, and is
    // planned after this one.
    NamedList next(target);
    if (!next.exists()) {
        if (!to.isNull())
            return cli.fail(CommandLine::NothingMatched, CommandLine::tr("There is no sprint %1.").arg(target));
        QFile file(Sprint::fileName(target));
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !file.exists())
            return cli.fail(CommandLine::FileError, CommandLine::tr("Cannot make the file %1:\n%2")
                                                        .arg(file.fileName(), file.errorString()));
        file.close();
        if (!schedule.has(target)) {
            const SprintSchedule::Details after
                = SprintSchedule::following(schedule.details(sprint->number()), target, QDate::currentDate());
            if (!schedule.set(after))
                return cli.fail(CommandLine::FileError, schedule.result().message);
        }
    }

    // The open tasks, as the file holds them under both locks.
    QVector<ListEdits::Transfer> done;
    const bool moved = NamedList::transfer(*sprint, next, [&](TaskList &from, TaskList &into) {
        QVector<ListEdits::Transfer> items;
        for (int row = 0; row < from.size(); ++row) {
            const QString line = from.at(row);
            if (!line.isEmpty() && !DoneMark::isDone(line))
                items.append(ListEdits::Transfer{line, row, ListEdits::End});
        }
        if (items.isEmpty())
            return TaskListFile::Outcome::Unchanged;
        return ListEdits::transfer(items, &done)(from, into);
    });
    if (!moved)
        return cli.finish(!sprint->result().isDone() ? *sprint : next, false);

    SprintSchedule::Details details = schedule.details(sprint->number());
    details.number = sprint->number();
    if (!details.isClosed()) {
        details.closed = QDate::currentDate();
        if (!schedule.set(details))
            return cli.fail(CommandLine::FileError, schedule.result().message);
    }
    for (const ListEdits::Transfer &item : qAsConst(done)) {
        cli.report(CommandLine::Row{QStringLiteral("moved"), next.name(), item.to + 1, item.text, sprint->name(),
                                    item.from + 1, QString()});
    }
    return cli.printReport();
}
