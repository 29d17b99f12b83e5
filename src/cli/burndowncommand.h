// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef BURNDOWNCOMMAND_H
#define BURNDOWNCOMMAND_H

#include "command.h"

// "burndown N": the open tasks of each day of a sprint so far, and the
// ideal line.
class BurndownCommand final : public Command
{
public:
    BurndownCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
    bool onlyReads(const QStringList &args) const override;
};

#endif // BURNDOWNCOMMAND_H
