#ifndef LISTDIALOG_H
#define LISTDIALOG_H

#include <QDialog>
#include <QStringList>

namespace Ui {
class ListDialog;
}

// A modal picker: shows strings and hands back the ones the user selected.
// The caller sets the title, fills it once, runs exec() and reads
// getSelected().
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

private:
    Ui::ListDialog *ui;
};

#endif // LISTDIALOG_H
