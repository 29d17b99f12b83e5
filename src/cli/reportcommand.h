// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef REPORTCOMMAND_H
#define REPORTCOMMAND_H

#include "command.h"

// "report N": a sprint as Markdown, for a review or a wiki.
class ReportCommand final : public Command
{
public:
    ReportCommand();
    int run(CommandLine &cli, const QStringList &args) const override;
    bool onlyReads(const QStringList &args) const override;
};

#endif // REPORTCOMMAND_H
