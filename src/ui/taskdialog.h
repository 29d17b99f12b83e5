// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKDIALOG_H
#define TASKDIALOG_H

#include <QInputDialog>
#include <QString>

class QPlainTextEdit;

// Asks for a task's text, for Add and for Edit: a dialog with a
// multi-line editor labelled "Task description:". Enter starts a new line,
// since each line of the text becomes a task; Ctrl+Enter accepts, and Tab
// moves on to the buttons.
//
// The text comes back as the user sees and typed it: a no-break space stays
// one, and so does a line separator (Shift+Enter), which the editor's own
// plain text would turn into a space and a line break. A text left as it was
// shown comes back as the very string that was given.
class TaskDialog : public QInputDialog
{
    Q_OBJECT

public:
    // The longest text the editor is offered: laying out a line takes
    // about a millisecond per thousand characters, so that a million would
    // hold the program up for a second.
    static constexpr int MaxLength = 100000;

    // title is "Add task" or "Edit task"; text is the text to start from.
    explicit TaskDialog(const QString &title, const QString &text = QString(),
                        QWidget *parent = nullptr);

    // The text as shown and typed, one line per paragraph of the editor.
    QString text() const;
    // Shows note under the editor, and gives it to screen readers as the
    // editor's description: what else the change will do.
    void setNote(const QString &note);

    // Shows the dialog titled title over window, starting from *text, and
    // waits. Returns false when the user cancels or leaves the text empty;
    // otherwise puts the text into *text and returns true. A note, if any,
    // is shown with it.
    static bool ask(const QString &title, QString *text, QWidget *window, const QString &note = QString());

private:
    QPlainTextEdit *m_editor;
    QString m_given;
    QString m_shown;  // the editor's own text right after m_given was put in
};

#endif // TASKDIALOG_H
