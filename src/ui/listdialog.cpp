#include "listdialog.h"
#include "ui_listdialog.h"

#include "formstretch.h"
#include "taskrows.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ListDialog::ListDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ListDialog)
    , m_empty(new QLabel)
{
    ui->setupUi(this);
    FormStretch::install(this, ui->list);
    TaskRows::prepare(ui->list);
    ui->list->setFocus();
    ui->list->setAccessibleName(windowTitle());
    setTabOrder(ui->list, ui->buttonBox);
    // Enter in the list falls through to the dialog, which presses OK.
    if (QPushButton *ok = ui->buttonBox->button(QDialogButtonBox::Ok))
        ok->setDefault(true);
    connect(ui->list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);

    // Inside the list's own area, over its rows: shown only while there are
    // none. The layout keeps it as large as the area.
    auto *layout = new QVBoxLayout(ui->list->viewport());
    layout->addWidget(m_empty);
    m_empty->setObjectName(QStringLiteral("emptyText"));
    m_empty->setWordWrap(true);
    m_empty->setAlignment(Qt::AlignCenter);
    m_empty->setEnabled(false);
    m_empty->hide();
    // A list with no rows draws no focus of its own: the words get a frame
    // while the list has the focus.
    connect(qApp, &QApplication::focusChanged, m_empty, [list = ui->list, empty = m_empty](QWidget *, QWidget *now) {
        empty->setFrameShape(now == list ? QFrame::Box : QFrame::NoFrame);
    });
}

ListDialog::~ListDialog()
{
    delete ui;
}

void ListDialog::setList(QStringList list)
{
    // One call for the whole list: it may be the whole product backlog.
    ui->list->addItems(list);
    selectFirstRow();
    showEmptyText();
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

void ListDialog::setEmptyText(const QString &text)
{
    m_empty->setText(text);
    showEmptyText();
}

void ListDialog::changeEvent(QEvent *event)
{
    // The list is named after what the dialog asks for.
    if (event->type() == QEvent::WindowTitleChange)
        ui->list->setAccessibleName(windowTitle());
    QDialog::changeEvent(event);
}

void ListDialog::selectFirstRow()
{
    // A row that only looked current would leave Enter with nothing to take.
    if (ui->list->count() > 0 && ui->list->selectedItems().isEmpty())
        ui->list->setCurrentRow(0, QItemSelectionModel::ClearAndSelect);
}

void ListDialog::showEmptyText()
{
    const bool empty = ui->list->count() == 0 && !m_empty->text().isEmpty();
    m_empty->setVisible(empty);
    ui->list->setAccessibleDescription(empty ? m_empty->text() : QString());
}
