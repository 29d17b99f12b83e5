// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskdialog.h"

#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QTextDocument>

TaskDialog::TaskDialog(const QString &title, const QString &text, QWidget *parent)
    : QInputDialog(parent, Qt::WindowFlags())
    , m_given(text)
{
    setWindowTitle(title);
    setOption(QInputDialog::UsePlainTextEditForTextInput, true);
    setLabelText(tr("Task description:"));
    if (!text.isEmpty())
        setTextValue(text);

    // Made by the option above, but not promised by QInputDialog: without
    // it, the dialog still edits, through textValue().
    m_editor = findChild<QPlainTextEdit *>();
    if (m_editor) {
        m_editor->setTabChangesFocus(true);
        // The label names the dialog's hidden line edit, not this editor.
        m_editor->setAccessibleName(labelText());
        m_shown = m_editor->document()->toRawText();
    }

    // Enter belongs to the editor; QDialog takes no Enter with Ctrl held.
    for (const int key : {Qt::Key_Return, Qt::Key_Enter}) {
        auto *accepting = new QShortcut(QKeySequence(Qt::CTRL | key), this);
        connect(accepting, &QShortcut::activated, this, &QDialog::accept);
    }
}

QString TaskDialog::text() const
{
    // The raw text keeps no-break spaces and line separators, which
    // toPlainText() and so textValue() do not. Paragraphs are separated by
    // U+2029, one for each line break the text had or Enter made.
    if (!m_editor)
        return textValue();
    const QString raw = m_editor->document()->toRawText();
    if (raw == m_shown)
        return m_given;
    QString typed = raw;
    typed.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return typed;
}

void TaskDialog::setNote(const QString &note)
{
    auto *label = findChild<QLabel *>(QStringLiteral("note"));
    if (!label) {
        label = new QLabel(this);
        label->setObjectName(QStringLiteral("note"));
        label->setWordWrap(true);
        // Above the buttons, which QInputDialog lays out last.
        if (auto *box = qobject_cast<QBoxLayout *>(layout()))
            box->insertWidget(box->count() - 1, label);
    }
    label->setText(note);
    label->setVisible(!note.isEmpty());
    if (m_editor)
        m_editor->setAccessibleDescription(note);
}

bool TaskDialog::ask(const QString &title, QString *text, QWidget *window, const QString &note)
{
    TaskDialog dialog(title, *text, window);
    if (!note.isEmpty())
        dialog.setNote(note);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    const QString typed = dialog.text();
    if (typed.isEmpty())
        return false;
    *text = typed;
    return true;
}
