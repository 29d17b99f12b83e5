// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintscommand.h"

#include "commandline.h"
#include "conflictcopies.h"
#include "namedlist.h"
#include "sprintschedule.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QMap>

SprintsCommand::SprintsCommand()
    : Command({"sprints", nullptr, "", QT_TRANSLATE_NOOP("CommandLine", "Print the numbers of the folder's sprints."),
               0, 0, -1, false})
{
}

bool SprintsCommand::onlyReads(const QStringList &) const
{
    return true;
}

int SprintsCommand::run(CommandLine &cli, const QStringList &) const
{
    // Only the names that list takes back, in the order of their numbers.
    const QMap<int, QString> sprints = NamedList::sprints();
    // The numbers stay alone on stdout for scripts; the copies that wait
    // to be merged are told beside them.
    const QVector<ConflictCopies::Copy> copies = ConflictCopies::find();
    QJsonArray array;
    QByteArray plain;
    for (auto it = sprints.cbegin(); it != sprints.cend(); ++it) {
        QJsonObject sprint{{QStringLiteral("number"), it.key()}};
        const QStringList names = ConflictCopies::namesOf(copies, it.value());
        if (!names.isEmpty())
            sprint.insert(QStringLiteral("conflictCopies"), QJsonArray::fromStringList(names));
        array.append(sprint);
        plain += QByteArray::number(it.key()) + '\n';
    }
    cli.printData(QJsonDocument(array), plain);
    QStringList lists;
    for (const ConflictCopies::Copy &copy : copies) {
        if (!lists.contains(copy.list))
            lists.append(copy.list);
    }
    for (const QString &list : qAsConst(lists)) {
        const QString names = ConflictCopies::namesOf(copies, list).join(QStringLiteral(", "));
        if (list == SprintSchedule::fileName()) {
            cli.note(CommandLine::tr("%1 has conflict copies to merge in the main window (File, Merge schedule "
                                     "copy…): %2")
                         .arg(list, names));
        } else {
            cli.note(CommandLine::tr("%1 has conflict copies to merge in its window: %2").arg(list, names));
        }
    }
    return CommandLine::Done;
}
