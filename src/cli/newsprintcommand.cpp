// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "newsprintcommand.h"

#include "commandline.h"
#include "sprint.h"
#include "sprintfiles.h"
#include "sprintschedule.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include <climits>

NewSprintCommand::NewSprintCommand()
    : Command({"new-sprint", nullptr, "",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Make the next sprint's file, one above the highest number, and print its number."),
               0, 0, -1, false})
{
}

int NewSprintCommand::run(CommandLine &cli, const QStringList &) const
{
    int next = 1;
    if (!SprintFiles::nextNumber(SprintFiles::list(), &next))
        return cli.fail(CommandLine::FileError, CommandLine::tr("No sprint number is left above the highest."));
    // Created only when no entry of that name is there yet, so that two
    // commands at once never make the same sprint: the later one takes the
    // next number.
    for (;; ++next) {
        QFile file(Sprint::fileName(next));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!QFileInfo(file.fileName()).exists() || next == INT_MAX) {
            return cli.fail(CommandLine::FileError,
                            CommandLine::tr("Cannot make the file %1:\n%2")
                                .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(file.fileName())),
                                     file.errorString()));
        }
    }
    // Planned after the sprint before it.
    SprintSchedule schedule;
    if (!schedule.plan(next, QDate::currentDate()))
        cli.note(schedule.result().message);
    cli.printData(QJsonDocument(QJsonObject{{QStringLiteral("action"), QStringLiteral("created")},
                                            {QStringLiteral("number"), next}}),
                  QByteArray::number(next) + '\n');
    return CommandLine::Done;
}
