#include "listdialog.h"
#include "ui_listdialog.h"

#include "taskfilter.h"
#include "taskrows.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

ListDialog::ListDialog(QWidget *parent)
    : QDialog(parent)
    , ui(new Ui::ListDialog)
{
    ui->setupUi(this);
    TaskRows::prepare(ui->list);
    ui->list->setFocus();
    ui->list->installEventFilter(this);
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
    m_filter->setClearButtonEnabled(true);
    m_filter->setMaxLength(TaskFilter::MaxLength);
    int buttons = ui->buttonBox->width();
    for (const QAbstractButton *button : ui->buttonBox->buttons())
        buttons = qMin(buttons, button->x());
    const int height = qMin(m_filter->sizeHint().height(), ui->buttonBox->height());
    m_filter->setGeometry(0, (ui->buttonBox->height() - height) / 2, qMax(40, buttons - 8), height);
    m_filter->show();
    connect(m_filter, &QLineEdit::textChanged, this, &ListDialog::applyFilter);
    m_noMatch = new QLabel(ui->list->viewport());
    m_noMatch->setAlignment(Qt::AlignCenter);
    m_noMatch->setWordWrap(true);
    m_noMatch->hide();
}

bool ListDialog::eventFilter(QObject *watched, QEvent *event)
{
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
    QVector<int> chosen;
    for (const QListWidgetItem *item : ui->list->selectedItems()) {
        const int row = ui->list->row(item);
        chosen.append(m_shown.isEmpty() ? row : m_shown.at(row));
    }
    m_shown.clear();
    const QStringList texts = filter.isEmpty() ? m_all : filter.matching(m_all, &m_shown);
    ui->list->clearSelection();
    TaskRows::show(ui->list, texts);
    for (const int row : qAsConst(chosen)) {
        const int at = m_shown.isEmpty() && filter.isEmpty()
            ? row
            : int(std::lower_bound(m_shown.cbegin(), m_shown.cend(), row) - m_shown.cbegin());
        if (at < ui->list->count() && (filter.isEmpty() || m_shown.at(at) == row))
            ui->list->item(at)->setSelected(true);
    }
    m_noMatch->setText(tr("Nothing matches \u201c%1\u201d.").arg(m_filter->text().left(100)));
    m_noMatch->setGeometry(ui->list->viewport()->rect());
    m_noMatch->setVisible(!filter.isEmpty() && texts.isEmpty());
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
