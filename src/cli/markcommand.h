// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef MARKCOMMAND_H
#define MARKCOMMAND_H

#include "command.h"

// "done LIST N..." and "undone LIST N...": marks tasks done today, with
// todo.txt's mark, or open again.
class MarkCommand final : public Command
{
public:
    MarkCommand(const Spec &spec, bool done);
    int run(CommandLine &cli, const QStringList &args) const override;

private:
    bool m_done;
};

#endif // MARKCOMMAND_H
