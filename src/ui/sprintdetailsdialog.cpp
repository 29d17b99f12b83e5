// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintdetailsdialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>

SprintDetailsDialog::SprintDetailsDialog(const SprintSchedule::Details &details,
                                         const SprintSchedule::Details &planned, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
    , m_given(details)
    , m_start(new QDateEdit(this))
    , m_end(new QDateEdit(this))
    , m_goal(new QLineEdit(this))
{
    setWindowTitle(tr("Sprint %1 details").arg(details.number));
    m_start->setObjectName(QStringLiteral("start"));
    m_end->setObjectName(QStringLiteral("end"));
    m_goal->setObjectName(QStringLiteral("goal"));
    const SprintSchedule::Details &shown = details.isDated() ? details : planned;
    for (QDateEdit *edit : {m_start, m_end}) {
        edit->setCalendarPopup(true);
        edit->setDisplayFormat(QStringLiteral("yyyy-MM-dd"));
    }
    m_start->setDate(shown.start);
    m_end->setDate(shown.end);
    m_goal->setText(details.goal);

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto *form = new QFormLayout(this);
    form->addRow(tr("&Start:"), m_start);
    form->addRow(tr("&End:"), m_end);
    form->addRow(tr("&Goal:"), m_goal);
    form->addRow(buttons);
    m_goal->setMinimumWidth(m_goal->fontMetrics().averageCharWidth() * 40);
}

SprintSchedule::Details SprintDetailsDialog::details() const
{
    SprintSchedule::Details typed = m_given;
    typed.start = m_start->date();
    typed.end = m_end->date();
    typed.goal = m_goal->text().simplified();
    return typed;
}

void SprintDetailsDialog::accept()
{
    const SprintSchedule::Details typed = details();
    const QString why = SprintSchedule::checkDates(typed.start, typed.end);
    if (!why.isEmpty()) {
        QMessageBox::warning(this, windowTitle(), why + tr("\nNothing was saved."));
        m_start->setFocus();
        return;
    }
    QDialog::accept();
}
