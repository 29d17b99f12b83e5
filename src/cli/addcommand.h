// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ADDCOMMAND_H
#define ADDCOMMAND_H

#include "command.h"

// "add LIST TEXT...": adds each line of each TEXT that the list does not
// hold yet to its end.
class AddCommand final : public Command
{
public:
    AddCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
};

#endif // ADDCOMMAND_H
