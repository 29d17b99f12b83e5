// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef EDITCOMMAND_H
#define EDITCOMMAND_H

#include "command.h"

// "edit LIST N TEXT": replaces a task with the lines of TEXT, keeping its
// old text in the history of deleted tasks.
class EditCommand final : public Command
{
public:
    EditCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
};

#endif // EDITCOMMAND_H
