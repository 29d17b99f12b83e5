// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef NEWSPRINTCOMMAND_H
#define NEWSPRINTCOMMAND_H

#include "command.h"

// "new-sprint": makes the next sprint's file and prints its number.
class NewSprintCommand final : public Command
{
public:
    NewSprintCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
};

#endif // NEWSPRINTCOMMAND_H
