// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef STATUSCOMMAND_H
#define STATUSCOMMAND_H

#include "command.h"

// "status": each sprint's number, how many tasks it has and how many of
// them are done.
class StatusCommand final : public Command
{
public:
    StatusCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
    bool onlyReads(const QStringList &args) const override;
};

#endif // STATUSCOMMAND_H
