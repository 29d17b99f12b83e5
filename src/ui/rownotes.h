// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef ROWNOTES_H
#define ROWNOTES_H

#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>

class QListWidget;

// Keeps a note on each row of a task list that is in view, such as where
// else its task is planned (TaskRows::setNote), asking noteOf for the row's
// line. The rows in view get theirs once the list shows them: after rows
// are made anew, scrolled to or resized into view, and after update() when
// what noteOf says may have changed. A row out of view gets its note when
// it comes into view, so that a list of a million rows costs no more than
// the few on screen.
class RowNotes : public QObject
{
    Q_OBJECT

public:
    using NoteOf = std::function<QString(const QString &line)>;

    RowNotes(QListWidget *list, const NoteOf &noteOf);

public slots:
    // Gives the rows in view their notes afresh, once the events being
    // handled are through.
    void update();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply();

    QListWidget *m_list;
    NoteOf m_noteOf;
    QTimer m_soon;
};

#endif // ROWNOTES_H
