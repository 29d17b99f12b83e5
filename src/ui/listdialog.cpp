// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listdialog.h"
#include "ui_listdialog.h"

#include "formstretch.h"
#include "rownotes.h"
#include "taskfilter.h"
#include "taskrows.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

ListDialog::ListDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ListDialog)
    , m_empty(new QLabel)
{
    ui->setupUi(this);
    FormStretch::install(this, ui->list);
    TaskRows::prepare(ui->list);
    ui->list->setFocus();
    ui->list->installEventFilter(this);
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
    m_all += list;
    selectFirstRow();
    showEmptyText();
}

void ListDialog::enableMultiselect()
{
    ui->list->setSelectionMode(QAbstractItemView::ExtendedSelection);
}

void ListDialog::selectRow(int row)
{
    if (row < 0 || row >= ui->list->count())
        return;
    ui->list->setCurrentRow(row, QItemSelectionModel::ClearAndSelect);
    ui->list->scrollToItem(ui->list->item(row));
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

QVector<int> ListDialog::selectedRows() const
{
    QVector<int> rows;
    for (const QListWidgetItem *item : ui->list->selectedItems()) {
        const int row = ui->list->row(item);
        rows.append(m_shown.isEmpty() ? row : m_shown.at(row));
    }
    return rows;
}

void ListDialog::setEmptyText(const QString &text)
{
    m_emptyText = text;
    showEmptyText();
}

RowNotes *ListDialog::setNotes(const std::function<QString(const QString &text)> &noteOf)
{
    return new RowNotes(ui->list, noteOf);
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
    const bool filtered = m_filter && !TaskFilter(m_filter->text()).isEmpty();
    m_empty->setText(filtered ? tr("Nothing matches \u201c%1\u201d.").arg(m_filter->text().left(100)) : m_emptyText);
    const bool empty = ui->list->count() == 0 && !m_empty->text().isEmpty();
    m_empty->setVisible(empty);
    ui->list->setAccessibleDescription(empty ? m_empty->text() : QString());
}

void ListDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_filter)
        return;
    // Made once the form is fitted to its font, in the button box, left of
    // its buttons, where the box leaves room.
    m_filter = new QLineEdit(ui->buttonBox);
    m_filter->setObjectName(QStringLiteral("filter"));
    m_filter->setPlaceholderText(tr("Type to filter"));
    m_filter->setAccessibleName(tr("Filter"));
    m_filter->setMaxLength(TaskFilter::MaxLength);
    int buttons = ui->buttonBox->width();
    for (const QAbstractButton *button : ui->buttonBox->buttons())
        buttons = qMin(buttons, button->x());
    const int height = qMin(m_filter->sizeHint().height(), ui->buttonBox->height());
    m_filter->setGeometry(0, (ui->buttonBox->height() - height) / 2, qMax(40, buttons - 8), height);
    m_filter->show();
    // In the order shown: the list, the filter, then the buttons.
    setTabOrder(ui->list, m_filter);
    if (!ui->buttonBox->buttons().isEmpty())
        setTabOrder(m_filter, ui->buttonBox->buttons().first());
    connect(m_filter, &QLineEdit::textChanged, this, &ListDialog::applyFilter);
    m_filter->installEventFilter(this);
}

bool ListDialog::eventFilter(QObject *watched, QEvent *event)
{
    // Ctrl+A chooses the rows shown, as in the list, not the filter's text.
    if (watched == m_filter && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)
        && static_cast<QKeyEvent *>(event)->matches(QKeySequence::SelectAll)) {
        event->accept();
        if (event->type() == QEvent::KeyPress)
            ui->list->selectAll();
        return true;
    }
    if (watched == ui->list && event->type() == QEvent::KeyPress && m_filter) {
        const auto *key = static_cast<QKeyEvent *>(event);
        const bool typed = !key->text().isEmpty() && key->text().at(0).isPrint()
            && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
        if (typed) {
            m_filter->setFocus();
            m_filter->insert(key->text());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ListDialog::applyFilter()
{
    const TaskFilter filter(m_filter->text());
    // The chosen rows, by their place in the whole list, in the order chosen.
    const QVector<int> chosen = selectedRows();
    m_shown.clear();
    const QStringList texts = filter.isEmpty() ? m_all : filter.matching(m_all, &m_shown);
    ui->list->clearSelection();
    TaskRows::show(ui->list, texts);
    for (const int row : qAsConst(chosen)) {
        const int at = filter.isEmpty() ? row
                                        : int(std::lower_bound(m_shown.cbegin(), m_shown.cend(), row) - m_shown.cbegin());
        if (at < ui->list->count() && (filter.isEmpty() || m_shown.at(at) == row))
            ui->list->item(at)->setSelected(true);
    }
    selectFirstRow();
    showEmptyText();
}
