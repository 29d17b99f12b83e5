// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTDETAILSDIALOG_H
#define SPRINTDETAILSDIALOG_H

#include "sprintschedule.h"

#include <QDialog>

class QDateEdit;
class QLineEdit;

// Asks for a sprint's start and end dates, each with a calendar, and its
// goal. OK with a start after the end says why and keeps the dialog open,
// so that such dates are never saved.
class SprintDetailsDialog : public QDialog
{
    Q_OBJECT

public:
    // Starts from details; a sprint without dates starts from those it
    // would be planned with, planned.
    SprintDetailsDialog(const SprintSchedule::Details &details, const SprintSchedule::Details &planned,
                        QWidget *parent);

    // The details as typed, the closing day kept as given.
    SprintSchedule::Details details() const;

    void accept() override;

private:
    SprintSchedule::Details m_given;
    QDateEdit *m_start;
    QDateEdit *m_end;
    QLineEdit *m_goal;
};

#endif // SPRINTDETAILSDIALOG_H
