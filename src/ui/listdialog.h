#ifndef LISTDIALOG_H
#define LISTDIALOG_H

#include <QDialog>
#include <QStringList>

class QLabel;

namespace Ui {
class ListDialog;
}

// A modal picker: shows strings and hands back the ones the user selected.
// The caller sets the title, fills it once, runs exec() and reads
// getSelected(). The first row starts selected, so that Enter takes it; a
// double click on a row takes it too.
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
    // The selected rows' texts, in the order the list reports its selection.
    QStringList getSelected();
    // The words the list shows, and a screen reader reads, while it has no
    // rows: why there is nothing to choose.
    void setEmptyText(const QString &text);

protected:
    void changeEvent(QEvent *event) override;

private:
    void selectFirstRow();
    void showEmptyText();

    Ui::ListDialog *ui;
    QLabel *m_empty;
};

#endif // LISTDIALOG_H
