// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef MOVECOMMAND_H
#define MOVECOMMAND_H

#include "command.h"

// "mv N FROM TO": moves a task from one sprint to the end of another, or
// adds a backlog task to a sprint as "Add tasks" does.
class MoveCommand final : public Command
{
public:
    MoveCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
};

#endif // MOVECOMMAND_H
