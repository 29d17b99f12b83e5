// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef LISTDIALOG_H
#define LISTDIALOG_H

#include <QDialog>
#include <QStringList>
#include <QVector>

#include <functional>

class QLabel;
class QLineEdit;
class RowNotes;

namespace Ui {
class ListDialog;
}

// A modal picker: shows strings and hands back the ones the user selected.
// The caller sets the title, fills it once, runs exec() and reads
// getSelected(). The first row starts selected, so that Enter takes it; a
// double click on a row takes it too. Typing filters the rows.
class ListDialog : public QDialog
{
    Q_OBJECT

public:
    explicit ListDialog(QWidget *parent = nullptr);
    ~ListDialog() override;

    // Appends the strings as rows, equal strings as separate rows.
    void setList(QStringList list);
    // Lets several rows be chosen: click, Ctrl+click and Shift+click.
    void enableMultiselect();
    // Makes row the one selected and current, in place of the first, so
    // that Enter takes it.
    void selectRow(int row);
    // The selected rows' texts, in the order the list reports its selection.
    QStringList getSelected();
    // The same rows, by their places in what setList() was given.
    QVector<int> selectedRows() const;
    // The words the list shows, and a screen reader reads, while it has no
    // rows: why there is nothing to choose.
    void setEmptyText(const QString &text);
    // Gives each row in view the note that noteOf says for its text, such
    // as where its task is planned already; update() of what this returns
    // asks again.
    RowNotes *setNotes(const std::function<QString(const QString &text)> &noteOf);

protected:
    void changeEvent(QEvent *event) override;
    // Typing in the list goes to the filter line, which then hides the
    // rows that do not match (TaskFilter); the chosen rows that stay shown
    // stay chosen, in the order they were chosen. Ctrl+A in the filter line
    // chooses every row shown.
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void selectFirstRow();
    // Shows the words for a list with no rows: nothing matches the filter,
    // or the caller's empty text.
    void showEmptyText();
    void applyFilter();

    Ui::ListDialog *ui;
    QLabel *m_empty;
    QString m_emptyText;
    QLineEdit *m_filter = nullptr;
    QStringList m_all;
    QVector<int> m_shown;  // the rows of m_all shown, while filtered
};

#endif // LISTDIALOG_H
