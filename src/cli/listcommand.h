// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef LISTCOMMAND_H
#define LISTCOMMAND_H

#include "command.h"

// "list [LIST]": prints a list's tasks with their line numbers.
class ListCommand final : public Command
{
public:
    ListCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
    bool onlyReads(const QStringList &args) const override;
};

#endif // LISTCOMMAND_H
