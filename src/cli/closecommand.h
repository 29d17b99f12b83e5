// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef CLOSECOMMAND_H
#define CLOSECOMMAND_H

#include "command.h"

// "close N [--to M]": closes a sprint, carrying its open tasks over, in
// their order, to sprint M (the next one by default, made when missing).
class CloseCommand final : public Command
{
public:
    CloseCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
};

#endif // CLOSECOMMAND_H
