// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "unlockcheck.h"

#include "productbacklog.h"
#include "sprint.h"

#include <QFileInfo>

namespace {

UnlockCheck::Prompt &installedPrompt()
{
    static UnlockCheck::Prompt prompt;
    return prompt;
}

} // namespace

void UnlockCheck::setPrompt(Prompt prompt)
{
    installedPrompt() = std::move(prompt);
}

bool UnlockCheck::hasPrompt()
{
    return bool(installedPrompt());
}

void UnlockCheck::run(int number)
{
    if (number != sprintNumber)
        return;

    // Every number is tested, even after a missing one, so the check costs
    // the same whichever file is absent.
    bool allPresent = true;
    for (int n = number; n >= 1; --n) {
        if (!QFileInfo::exists(Sprint::fileName(n)))
            allPresent = false;
    }
    if (!allPresent)
        return;

    // A copy, so that a prompt replaced while it runs its own event loop
    // stays alive until it returns.
    const Prompt prompt = installedPrompt();
    if (!prompt)
        return;

    productbacklog pb;
    QString secret;
    if (!prompt(&secret) || secret.isEmpty())
        return;
    pb.write(secret);
}
