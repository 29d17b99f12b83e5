#include "sprintscommand.h"

#include "commandline.h"
#include "conflictcopies.h"
#include "namedlist.h"
#include "sprintfiles.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPair>
#include <QVector>

SprintsCommand::SprintsCommand()
    : Command({"sprints", nullptr, "", QT_TRANSLATE_NOOP("CommandLine", "Print the numbers of the folder's sprints."),
               0, 0, -1, false})
{
}

int SprintsCommand::run(CommandLine &cli, const QStringList &) const
{
    // Only the names that list takes back, in the order the windows list
    // them, which is that of their numbers.
    QVector<QPair<int, QString>> sprints;
    for (const QString &name : SprintFiles::list()) {
        const int number = NamedList::numberOf(name);
        if (number > 0)
            sprints.append({number, name});
    }
    // The numbers stay alone on stdout for scripts; the copies that wait
    // to be merged are told beside them.
    const QVector<ConflictCopies::Copy> copies = ConflictCopies::find();
    QJsonArray array;
    QByteArray plain;
    for (const auto &numbered : qAsConst(sprints)) {
        QJsonObject sprint{{QStringLiteral("number"), numbered.first}};
        const QStringList names = ConflictCopies::namesOf(copies, numbered.second);
        if (!names.isEmpty())
            sprint.insert(QStringLiteral("conflictCopies"), QJsonArray::fromStringList(names));
        array.append(sprint);
        plain += QByteArray::number(numbered.first) + '\n';
    }
    cli.printData(QJsonDocument(array), plain);
    QStringList lists;
    for (const ConflictCopies::Copy &copy : copies) {
        if (!lists.contains(copy.list))
            lists.append(copy.list);
    }
    for (const QString &list : qAsConst(lists)) {
        cli.note(CommandLine::tr("%1 has conflict copies to merge in its window: %2")
                     .arg(list, ConflictCopies::namesOf(copies, list).join(QStringLiteral(", "))));
    }
    return CommandLine::Done;
}
