// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef DESKTOPSETUP_H
#define DESKTOPSETUP_H

#include <QCoreApplication>
#include <QString>

class QWidget;

// What the program does as a desktop application around its windows: the
// translation into the user's language, and the planner folder it opens
// when started from the desktop's menu, where the current folder is the
// home folder and says nothing of where the user plans.
class DesktopSetup
{
    Q_DECLARE_TR_FUNCTIONS(DesktopSetup)

public:
    // The argument that the desktop entry starts the program with.
    static constexpr const char *LastFolderOption = "--last-folder";

    // Enters the planner folder used last. When there is none yet, or it is
    // gone, asks for one, offering ~/Corvane, and makes that folder only
    // when the user takes it. False when the user cancels or the folder
    // cannot be entered (said in *error, then): nothing is written then.
    static bool enterLastFolder(QString *error);

    // Notes the current folder as the one used last.
    static void rememberFolder();
    static QString lastFolder();

    // Enters folder, as the windows' planner folder from now on.
    static bool enterFolder(const QString &folder, QString *error);

    // The folder offered on the first start.
    static QString defaultFolder();
};

#endif // DESKTOPSETUP_H
