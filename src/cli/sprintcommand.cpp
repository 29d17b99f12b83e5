// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintcommand.h"

#include "commandline.h"
#include "namedlist.h"

#include <QJsonDocument>
#include <QJsonObject>

SprintCommand::SprintCommand()
    : Command({"sprint", nullptr, "N [--start DATE] [--end DATE] [--goal TEXT]",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Print sprint N's start and end dates, goal and whether it is closed; with options, "
                                 "set them. Dates are written YYYY-MM-DD; a start after the end is refused."),
               1, 1, -1, false, "start,end,goal"})
{
}

int SprintCommand::openSprint(CommandLine &cli, const QString &name, NamedList **sprint, SprintSchedule *schedule)
{
    if (const int status = cli.openList(name, sprint))
        return status;
    if ((*sprint)->isBacklog())
        return cli.usage(CommandLine::tr("%1 is not a sprint: give a sprint number such as 3").arg(CommandLine::quoted(name)));
    if (!schedule->read())
        return cli.fail(CommandLine::FileError, schedule->result().message);
    return CommandLine::Done;
}

int SprintCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *sprint = nullptr;
    SprintSchedule schedule;
    if (const int status = openSprint(cli, args.first(), &sprint, &schedule))
        return status;
    SprintSchedule::Details details = schedule.details(sprint->number());
    details.number = sprint->number();

    const QString start = cli.option(QStringLiteral("start"));
    const QString end = cli.option(QStringLiteral("end"));
    const QString goal = cli.option(QStringLiteral("goal"));
    if (!start.isNull() || !end.isNull() || !goal.isNull()) {
        for (const QString &date : {start, end}) {
            if (!date.isNull() && !SprintSchedule::parseDate(date).isValid())
                return cli.usage(CommandLine::tr("%1 is not a date: write it YYYY-MM-DD").arg(CommandLine::quoted(date)));
        }
        // A date given alone keeps the other one, or, for a sprint without
        // dates, gives it the first sprint's length.
        const bool dated = details.isDated();
        if (!start.isNull())
            details.start = SprintSchedule::parseDate(start);
        if (!end.isNull())
            details.end = SprintSchedule::parseDate(end);
        if (!dated && start.isNull() != end.isNull()) {
            if (start.isNull())
                details.start = details.end.addDays(1 - SprintSchedule::FirstLength);
            else
                details.end = details.start.addDays(SprintSchedule::FirstLength - 1);
        }
        if (!goal.isNull())
            details.goal = goal;
        if (details.start.isValid() || details.end.isValid()) {
            const QString wrong = SprintSchedule::checkDates(details.start, details.end);
            if (!wrong.isEmpty())
                return cli.fail(CommandLine::NothingMatched, wrong + QLatin1Char(' ') + CommandLine::tr("Nothing was saved."));
        }
        if (!schedule.set(details))
            return cli.fail(CommandLine::FileError, schedule.result().message);
        details = schedule.details(sprint->number());
    }

    const auto date = [](const QDate &day) { return day.isValid() ? QJsonValue(day.toString(Qt::ISODate)) : QJsonValue(); };
    QJsonObject json{{QStringLiteral("sprint"), details.number}, {QStringLiteral("start"), date(details.start)},
                     {QStringLiteral("end"), date(details.end)}, {QStringLiteral("goal"), details.goal},
                     {QStringLiteral("closed"), date(details.closed)}};
    QByteArray plain = "sprint\t" + QByteArray::number(details.number) + '\n';
    if (details.isDated()) {
        plain += "start\t" + details.start.toString(Qt::ISODate).toUtf8() + '\n';
        plain += "end\t" + details.end.toString(Qt::ISODate).toUtf8() + '\n';
    }
    if (!details.goal.isEmpty())
        plain += "goal\t" + details.goal.toUtf8() + '\n';
    if (details.isClosed())
        plain += "closed\t" + details.closed.toString(Qt::ISODate).toUtf8() + '\n';
    cli.printData(QJsonDocument(json), plain);
    return CommandLine::Done;
}
