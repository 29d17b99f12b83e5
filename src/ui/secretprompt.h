// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SECRETPROMPT_H
#define SECRETPROMPT_H

class QString;

// The program's prompt for the passphrase of the hidden backlog message: a
// bare modal text input titled "Sec", with nothing to say what it is for.
class SecretPrompt
{
public:
    // Shows the prompt and waits. Returns true when the user accepted, with
    // the typed text in *secret.
    static bool ask(QString *secret);

    // Makes ask() the prompt of every sprint store from now on.
    static void install();
};

#endif // SECRETPROMPT_H
