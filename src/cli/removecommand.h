// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef REMOVECOMMAND_H
#define REMOVECOMMAND_H

#include "command.h"

// "rm LIST N...": deletes tasks, keeping their texts in the history of
// deleted tasks.
class RemoveCommand final : public Command
{
public:
    RemoveCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
};

#endif // REMOVECOMMAND_H
