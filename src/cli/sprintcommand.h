// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTCOMMAND_H
#define SPRINTCOMMAND_H

#include "command.h"
#include "sprintschedule.h"

class NamedList;

// "sprint N [--start DATE] [--end DATE] [--goal TEXT]": prints a sprint's
// dates, goal and whether it is closed, or sets them.
class SprintCommand final : public Command
{
public:
    SprintCommand();
    int run(CommandLine &cli, const QStringList &args) const override;

    // Opens the sprint that name gives, with its details read: for the
    // commands that act on a sprint's details. A status other than Done
    // is the command's exit status.
    static int openSprint(CommandLine &cli, const QString &name, NamedList **sprint, SprintSchedule *schedule);
};

#endif // SPRINTCOMMAND_H
