#include "listdialog.h"
#include "ui_listdialog.h"

#include "taskrows.h"

ListDialog::ListDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ListDialog)
{
    ui->setupUi(this);
    TaskRows::prepare(ui->list);
    ui->list->setFocus();
}

ListDialog::~ListDialog()
{
    delete ui;
}

void ListDialog::setList(QStringList list)
{
    // One call for the whole list: it may be the whole product backlog.
    ui->list->addItems(list);
}

void ListDialog::enableMultiselect()
{
    ui->list->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

QStringList ListDialog::getSelected()
{
    const QList<QListWidgetItem *> items = ui->list->selectedItems();
    QStringList selected;
    selected.reserve(items.size());
    for (const QListWidgetItem *item : items)
        selected.append(item->text());
    return selected;
}
