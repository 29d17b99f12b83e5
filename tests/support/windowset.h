// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WINDOWSET_H
#define WINDOWSET_H

#include "pbacklogwindow.h"
#include "sprintwindow.h"

#include <QVector>

// A sprint window opened on one sprint, as the main window opens it.
class SprintWindowOn : public SprintWindow
{
public:
    explicit SprintWindowOn(int number)
        : SprintWindow(nullptr)
    {
        initSprint(number);
    }
};

// The windows of a user who keeps two backlog windows and two windows on the
// same sprint open at once, in the current directory.
struct WindowSet
{
    explicit WindowSet(int sprint = 1)
        : sprint1(sprint)
        , sprint2(sprint)
    {
    }

    QVector<QWidget *> all() { return {&backlog1, &backlog2, &sprint1, &sprint2}; }

    PBacklogWindow backlog1;
    PBacklogWindow backlog2;
    SprintWindowOn sprint1;
    SprintWindowOn sprint2;
};

#endif // WINDOWSET_H
