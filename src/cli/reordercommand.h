// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef REORDERCOMMAND_H
#define REORDERCOMMAND_H

#include "command.h"
#include "listedits.h"

// "up", "down", "top" and "bottom": move one task within its list, each as
// the place it was made with says.
class ReorderCommand final : public Command
{
public:
    ReorderCommand(const Spec &spec, ListEdits::Place place);
    int run(CommandLine &cli, const QStringList &args) const override;

private:
    ListEdits::Place m_place;
};

#endif // REORDERCOMMAND_H
