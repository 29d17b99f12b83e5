// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "statuscommand.h"

#include "commandline.h"
#include "namedlist.h"
#include "sprintprogress.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

StatusCommand::StatusCommand()
    : Command({"status", nullptr, "",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Print each sprint's number, how many tasks it has and how many of them are done, "
                                 "separated by tabs."),
               0, 0, -1, false})
{
}

bool StatusCommand::onlyReads(const QStringList &) const
{
    return true;
}

int StatusCommand::run(CommandLine &cli, const QStringList &) const
{
    // The sprints that list takes, in the order of their numbers.
    const QMap<int, QString> sprints = NamedList::sprints();
    QJsonArray array;
    QByteArray plain;
    for (auto it = sprints.cbegin(); it != sprints.cend(); ++it) {
        NamedList sprint(it.key());
        QStringList lines;
        if (!sprint.read(&lines))
            return cli.fail(CommandLine::FileError, sprint.result().message);
        int tasks = 0;
        int done = 0;
        SprintProgress::count(lines, &done, &tasks);
        array.append(QJsonObject{{QStringLiteral("sprint"), it.key()}, {QStringLiteral("tasks"), tasks},
                                 {QStringLiteral("done"), done}});
        plain += QByteArray::number(it.key()) + '\t' + QByteArray::number(tasks) + '\t' + QByteArray::number(done)
            + '\n';
    }
    cli.printData(QJsonDocument(array), plain);
    return CommandLine::Done;
}
