// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "addcommand.h"

#include "commandline.h"
#include "listedits.h"
#include "namedlist.h"

AddCommand::AddCommand()
    : Command({"add", "a", "LIST TEXT...",
               QT_TRANSLATE_NOOP("CommandLine",
                                 "Add each TEXT to the end of LIST as a task, unless LIST holds it already. A TEXT of "
                                 "several lines adds each line that is not empty, as the task dialog does."),
               2, -1, -1, false})
{
}

int AddCommand::run(CommandLine &cli, const QStringList &args) const
{
    NamedList *list = nullptr;
    if (const int status = cli.openList(args.first(), &list))
        return status;
    QStringList texts;
    for (int i = 1; i < args.size(); ++i) {
        const QStringList lines = ListEdits::lines(args.at(i));
        if (lines.isEmpty())
            return cli.usage(CommandLine::tr("a task needs a text that is not empty"));
        texts += lines;
    }
    QVector<int> rows;
    if (!list->change(ListEdits::insert(ListEdits::End, texts, &rows)))
        return cli.finish(*list, false);
    return cli.added(*list, texts, rows, QStringLiteral("added"));
}
