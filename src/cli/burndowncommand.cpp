// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "burndowncommand.h"

#include "burndown.h"
#include "commandline.h"
#include "namedlist.h"
#include "sprintcommand.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

BurndownCommand::BurndownCommand()
    : Command({"burndown", nullptr, "N",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Print, for each day of sprint N from its start to its end or to today, whichever "
                                 "is earlier, the date, how many of its tasks were open that day and how many the "
                                 "ideal line from the first day's count to none on the last gives."),
               1, 1, -1, false})
{
}

bool BurndownCommand::onlyReads(const QStringList &) const
{
    return true;
}

int BurndownCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *sprint = nullptr;
    SprintSchedule schedule;
    if (const int status = SprintCommand::openSprint(cli, args.first(), &sprint, &schedule))
        return status;
    const SprintSchedule::Details details = schedule.details(sprint->number());
    if (!details.isDated()) {
        return cli.fail(CommandLine::NothingMatched,
                        CommandLine::tr("Sprint %1 has no dates: give them with \"corvane sprint %1 --start DATE "
                                        "--end DATE\".")
                            .arg(sprint->number()));
    }
    QStringList lines;
    if (!sprint->read(&lines))
        return cli.fail(CommandLine::FileError, sprint->result().message);
    const QDate today = QDate::currentDate();
    QJsonArray array;
    QByteArray plain;
    for (const Burndown::Day &day : Burndown::days(lines, details.start, details.end)) {
        if (day.date > today)
            break;
        array.append(QJsonObject{{QStringLiteral("date"), day.date.toString(Qt::ISODate)},
                                 {QStringLiteral("open"), day.open},
                                 {QStringLiteral("ideal"), day.ideal}});
        plain += day.date.toString(Qt::ISODate).toUtf8() + '\t' + QByteArray::number(day.open) + '\t'
            + QByteArray::number(day.ideal, 'f', 1) + '\n';
    }
    cli.printData(QJsonDocument(array), plain);
    return CommandLine::Done;
}
