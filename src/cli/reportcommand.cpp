// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reportcommand.h"

#include "commandline.h"
#include "donemark.h"
#include "namedlist.h"
#include "sprintcommand.h"

ReportCommand::ReportCommand()
    : Command({"report", nullptr, "N",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Print sprint N as Markdown: its number, dates and goal, its done tasks with the "
                                 "days they were done, and its open tasks."),
               1, 1, -1, false})
{
}

bool ReportCommand::onlyReads(const QStringList &) const
{
    return true;
}

int ReportCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *sprint = nullptr;
    SprintSchedule schedule;
    if (const int status = SprintCommand::openSprint(cli, args.first(), &sprint, &schedule))
        return status;
    QStringList lines;
    if (!sprint->read(&lines))
        return cli.fail(CommandLine::FileError, sprint->result().message);
    const SprintSchedule::Details details = schedule.details(sprint->number());

    // Text as it is: a task's own Markdown is the user's.
    QStringList done;
    QStringList open;
    for (const QString &line : qAsConst(lines)) {
        if (line.isEmpty())
            continue;
        const QDate day = DoneMark::date(line);
        if (day.isValid())
            done.append(QStringLiteral("- [x] %1 (%2)").arg(DoneMark::textOf(line), day.toString(Qt::ISODate)));
        else
            open.append(QStringLiteral("- [ ] %1").arg(line));
    }
    QString report = CommandLine::tr("# Sprint %1").arg(sprint->number()) + QLatin1String("\n\n");
    if (details.isDated()) {
        report += CommandLine::tr("%1 to %2").arg(details.start.toString(Qt::ISODate), details.end.toString(Qt::ISODate));
        if (details.isClosed())
            report += CommandLine::tr(", closed on %1").arg(details.closed.toString(Qt::ISODate));
        report += QLatin1String("\n\n");
    }
    if (!details.goal.isEmpty())
        report += CommandLine::tr("Goal: %1").arg(details.goal) + QLatin1String("\n\n");
    report += CommandLine::tr("## Done (%1 of %2)").arg(done.size()).arg(done.size() + open.size()) + QLatin1String("\n\n");
    if (!done.isEmpty())
        report += done.join(QLatin1Char('\n')) + QLatin1String("\n\n");
    report += CommandLine::tr("## Open (%1)").arg(open.size()) + QLatin1String("\n\n");
    if (!open.isEmpty())
        report += open.join(QLatin1Char('\n')) + QLatin1Char('\n');
    cli.output(report.toUtf8());
    return CommandLine::Done;
}
