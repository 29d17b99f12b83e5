// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "secretprompt.h"

#include "unlockcheck.h"

#include <QInputDialog>
#include <QString>

bool SecretPrompt::ask(QString *secret)
{
    // No parent: the sprint store that asks knows no window.
    QInputDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Sec"));
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *secret = dialog.textValue();
    return true;
}

void SecretPrompt::install()
{
    UnlockCheck::setPrompt(&SecretPrompt::ask);
}
