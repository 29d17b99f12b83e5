// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef UNLOCKCHECK_H
#define UNLOCKCHECK_H

#include <QString>

#include <functional>

// Decides, each time a sprint store is made, whether to ask for the
// passphrase of the hidden backlog message: only for sprint 2917, and only
// when the files of every sprint from 2917 down to 1 exist.
//
// The store library shows no dialogs, so the asking is a prompt function
// that the application installs at start-up and a test replaces. With no
// prompt installed nothing is asked.
class UnlockCheck
{
public:
    // Returns true when the user accepted, with the typed text in *secret.
    using Prompt = std::function<bool(QString *secret)>;

    static constexpr int sprintNumber = 2917;

    static void setPrompt(Prompt prompt);
    static bool hasPrompt();

    // Run at the end of every Sprint construction, for that sprint's number.
    // Costs one existence test per sprint number at most; never lists the
    // directory.
    static void run(int number);
};

#endif // UNLOCKCHECK_H
