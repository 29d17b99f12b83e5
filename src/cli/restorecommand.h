// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef RESTORECOMMAND_H
#define RESTORECOMMAND_H

#include "command.h"

// "restore [LIST [N...]]": lists a list's deleted tasks, or adds entries
// of them back.
class RestoreCommand final : public Command
{
public:
    RestoreCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
    bool onlyReads(const QStringList &args) const override;
};

#endif // RESTORECOMMAND_H
