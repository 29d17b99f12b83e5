// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command.h"

#include "addcommand.h"
#include "burndowncommand.h"
#include "closecommand.h"
#include "editcommand.h"
#include "listcommand.h"
#include "markcommand.h"
#include "movecommand.h"
#include "newsprintcommand.h"
#include "removecommand.h"
#include "reportcommand.h"
#include "reordercommand.h"
#include "restorecommand.h"
#include "sprintcommand.h"
#include "sprintscommand.h"
#include "statuscommand.h"

#include <QCoreApplication>

Command::Command(const Spec &spec)
    : m_spec(spec)
{
}

Command::~Command() = default;

bool Command::onlyReads(const QStringList &) const
{
    return false;
}

const QVector<const Command *> &Command::all()
{
    using Place = ListEdits::Place;
    static const ListCommand list;
    static const SprintsCommand sprints;
    static const AddCommand add;
    static const EditCommand edit;
    static const RemoveCommand remove;
    static const MoveCommand move;
    static const ReorderCommand up({"up", nullptr, "LIST N",
                                    QT_TRANSLATE_NOOP("CommandLine", "Move the task on line N one line up."), 2, 2, 1,
                                    false},
                                   Place::Up);
    static const ReorderCommand down({"down", nullptr, "LIST N",
                                      QT_TRANSLATE_NOOP("CommandLine", "Move the task on line N one line down."), 2, 2,
                                      1, false},
                                     Place::Down);
    static const ReorderCommand top({"top", nullptr, "LIST N",
                                     QT_TRANSLATE_NOOP("CommandLine", "Move the task on line N to the first line."), 2,
                                     2, 1, false},
                                    Place::Top);
    static const ReorderCommand bottom({"bottom", nullptr, "LIST N",
                                        QT_TRANSLATE_NOOP("CommandLine", "Move the task on line N to the last line."),
                                        2, 2, 1, false},
                                       Place::Bottom);
    static const MarkCommand done({"done", "do", "LIST N...",
                                   QT_TRANSLATE_NOOP("CommandLine",
                                                     "Mark the tasks on lines N done today, as todo.txt does: the "
                                                     "line then begins with \"x\" and the date."),
                                   2, -1, 1, true},
                                  true);
    static const MarkCommand undone({"undone", nullptr, "LIST N...",
                                     QT_TRANSLATE_NOOP("CommandLine", "Mark the done tasks on lines N open again."),
                                     2, -1, 1, true},
                                    false);
    static const StatusCommand status;
    static const SprintCommand sprint;
    static const CloseCommand close;
    static const BurndownCommand burndown;
    static const ReportCommand report;
    static const NewSprintCommand newSprint;
    static const RestoreCommand restore;
    static const QVector<const Command *> table{&list,   &sprints, &status, &add,       &edit,    &remove,
                                                &done,   &undone,  &move,   &up,        &down,    &top,
                                                &bottom, &newSprint, &restore, &sprint, &close, &burndown,
                                                &report};
    return table;
}

QStringList Command::options() const
{
    return m_spec.options ? QString::fromLatin1(m_spec.options).split(QLatin1Char(',')) : QStringList();
}

const Command *Command::find(const QString &name)
{
    for (const Command *command : all()) {
        const Spec &spec = command->spec();
        if (name == QLatin1String(spec.name) || (spec.alias && name == QLatin1String(spec.alias)))
            return command;
    }
    return nullptr;
}
