// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTSCOMMAND_H
#define SPRINTSCOMMAND_H

#include "command.h"

// "sprints": prints the numbers of the folder's sprints, in numeric order,
// and tells of conflict copies that wait to be merged.
class SprintsCommand final : public Command
{
public:
    SprintsCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
    bool onlyReads(const QStringList &args) const override;
};

#endif // SPRINTSCOMMAND_H
