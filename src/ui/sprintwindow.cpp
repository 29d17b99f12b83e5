// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintwindow.h"
#include "ui_sprintwindow.h"

#include "burndownwindow.h"
#include "conflictbar.h"
#include "donemark.h"
#include "formstretch.h"
#include "listdialog.h"
#include "rownotes.h"
#include "sprintdetailsdialog.h"
#include "sprintfiles.h"
#include "sprintplacements.h"
#include "sprintschedule.h"
#include "taskcommand.h"
#include "taskdrag.h"
#include "tasklistcontroller.h"

#include <QAction>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>

#include <algorithm>

SprintWindow::SprintWindow(QWidget *parent)
    : QWidget(parent)
    , s(nullptr)
    , pb(nullptr)
    , ui(new Ui::SprintWindow)
    , taskList(nullptr)
{
    ui->setupUi(this);
    FormStretch::install(this, ui->tasks);
    // A list view takes no name from a label: it is given the label's.
    ui->label->setBuddy(ui->tasks);
    ui->tasks->setAccessibleName(ui->label->text());
    ui->snumber->setAccessibleName(ui->label_2->text());
    // In the order the buttons are shown, top to bottom.
    setTabOrder(ui->tasks, ui->add);
    setTabOrder(ui->add, ui->move);
    setTabOrder(ui->move, ui->delete_2);
    // Read when "Add tasks" is pressed, which offers it as it is then.
    pb = new productbacklog(productbacklog::ReadWhenUsed);
    ui->tasks->setFocus();

    // Keys for the buttons, whose texts in the form carry no mnemonics; a
    // disabled button ignores its key too.
    connect(new QShortcut(QKeySequence(Qt::Key_Insert), this), &QShortcut::activated, ui->add, &QAbstractButton::click);
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_M), this), &QShortcut::activated, ui->move,
            &QAbstractButton::click);

    // Until a sprint is open there is nothing to act on.
    ui->add->setEnabled(false);
    ui->move->setEnabled(false);
    ui->delete_2->setEnabled(false);
}

SprintWindow::~SprintWindow()
{
    delete ui;
    delete taskList;
    delete s;
    delete pb;
}

void SprintWindow::initSprint(int index)
{
    delete taskList;
    delete s;
    ui->tasks->clear();

    s = new Sprint(index);
    ui->snumber->setText(QString::number(index, 10));
    // Each sprint's window told apart from the others on the taskbar.
    setWindowTitle(tr("Sprint %1 — Sprint settings").arg(index));
    taskList = new TaskListController(
        this, ui->tasks, std::make_unique<StoreAccess<Sprint, &Sprint::getTasks>>(s, Sprint::fileName(index)),
        {ui->add, ui->move, ui->delete_2}, ui->delete_2, TaskRows::Checks::All);
    taskList->setSelectionButtons({ui->move, ui->delete_2});
    new ConflictBar(this, taskList);
    taskList->showDoneCount();
    // The form has no Edit button: F2, Enter and a double click edit.
    auto *edit = new QAction(tr("Edit…"), taskList);
    edit->setShortcuts({QKeySequence(Qt::Key_F2), QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    edit->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    ui->tasks->addAction(edit);
    connect(edit, &QAction::triggered, this, &SprintWindow::editTask);
    connect(ui->tasks, &QListWidget::itemDoubleClicked, this, &SprintWindow::editTask);
    taskList->addListAction(tr("Sprint details…"), {QKeySequence(Qt::CTRL | Qt::Key_I)}, [this] { editDetails(); });
    taskList->addListAction(tr("Close sprint…"), {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_E)},
                            [this] { closeSprint(); });
    taskList->addListAction(tr("Burndown…"), {QKeySequence(Qt::CTRL | Qt::Key_B)},
                            [this] { (new BurndownWindow(s->number(), this))->show(); });

    // Backlog tasks dropped here join the sprint, as "Add tasks" adds them;
    // another sprint's tasks move here, as "Move task" moves them.
    taskList->setDropHandler([this](const TaskDrag &drag, int row) -> TaskCommand * {
        if (drag.list == productbacklog::fileName()) {
            return TaskCommand::insert(taskList->store(), row, TaskRef::textsOf(drag.tasks),
                                       tr("Add tasks"));
        }
        if (!SprintFiles::isSprintFile(drag.list))
            return nullptr;
        QVector<ListEdits::Transfer> items;
        for (const TaskRef &task : drag.tasks)
            items.append(ListEdits::Transfer{task.text, task.row, row++});
        return TaskCommand::transfer(s, SprintFiles::number(drag.list), items, true, tr("Move task"));
    });
}

void SprintWindow::on_add_clicked()
{
    if (!s)
        return;
    // Offer the backlog as it is now, not as it was when the window opened;
    // a backlog that could not be read as text offers nothing, so that no
    // garbled task spreads into a sprint.
    pb->refresh();
    if (pb->isReadOnly()) {
        taskList->warn(pb->errorString());
        return;
    }

    ListDialog dialog(this);
    dialog.setWindowTitle(tr("Add tasks"));
    dialog.setEmptyText(tr("The product backlog has no tasks. Add them in the product backlog window first."));
    dialog.setList(pb->getItems());
    dialog.enableMultiselect();
    // Where each task is planned already, once the sprints are read.
    SprintPlacements placements;
    placements.update();
    connect(&placements, &SprintPlacements::changed,
            dialog.setNotes([&placements](const QString &text) { return SprintPlacements::describe(placements.of(text)); }),
            &RowNotes::update);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.getSelected();
    // Those the sprint holds already are named, rather than passed over
    // without a word.
    if (!chosen.isEmpty())
        taskList->perform(
            TaskCommand::insert(taskList->store(), ListEdits::End, chosen, tr("Add tasks"), true));
}

void SprintWindow::on_move_clicked()
{
    if (!s)
        return;
    ListDialog dialog(this);
    dialog.setWindowTitle(tr("Move task"));
    dialog.setEmptyText(tr("There is no other sprint to move the task to. Make one with \"New sprint\" in the "
                           "main window first."));
    QStringList names = SprintFiles::list();
    names.removeAll(Sprint::fileName(s->number()));
    // Closed sprints come after the open ones, which tasks mostly go to.
    SprintSchedule schedule;
    schedule.read();
    const auto open = [&schedule](const QString &name) {
        return !schedule.details(SprintFiles::number(name)).isClosed();
    };
    std::stable_partition(names.begin(), names.end(), open);
    dialog.setList(names);
    // Tasks mostly go on to the next sprint: the picker opens on the one
    // after this, so that Enter sends them there.
    const auto next = std::find_if(names.cbegin(), names.cend(), [this, &open](const QString &name) {
        return SprintFiles::number(name) > s->number() && open(name);
    });
    if (next != names.cend())
        dialog.selectRow(int(next - names.cbegin()));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QStringList chosen = dialog.getSelected();
    if (chosen.isEmpty())
        return;
    // Looked at only now: the list may have been refilled meanwhile. All
    // the selected tasks go, in the list's order.
    QVector<TaskRef> selected = taskList->selectedRefs();
    std::sort(selected.begin(), selected.end(), [](const TaskRef &a, const TaskRef &b) { return a.row < b.row; });
    QVector<ListEdits::Transfer> items;
    for (const TaskRef &task : qAsConst(selected))
        items.append(ListEdits::Transfer{task.text, task.row, ListEdits::End});
    if (!items.isEmpty())
        taskList->perform(TaskCommand::transfer(s, SprintFiles::number(chosen.first()), items, false, tr("Move task")));
}

void SprintWindow::editTask()
{
    if (s)
        taskList->editSelected(tr("This sprint holds every line you typed already, and keeps each task once.\n"
                                  "Change the text, or cancel to leave the task as it was."));
}

void SprintWindow::on_delete_2_clicked()
{
    if (s)
        taskList->deleteSelected();
}

void SprintWindow::editDetails()
{
    SprintSchedule schedule;
    if (!schedule.read()) {
        taskList->warn(schedule.result().message);
        return;
    }
    SprintSchedule::Details details = schedule.details(s->number());
    details.number = s->number();
    SprintDetailsDialog dialog(details, schedule.planned(s->number(), QDate::currentDate()), this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    taskList->perform(TaskCommand::setDetails(dialog.details(), tr("Sprint details")));
}

void SprintWindow::closeSprint()
{
    if (s->isReadOnly()) {
        taskList->warn(s->errorString());
        return;
    }
    const int target = s->number() + 1;
    const QStringList lines = s->getTasks();
    const int open = int(std::count_if(lines.cbegin(), lines.cend(), [](const QString &line) {
        return !line.isEmpty() && !DoneMark::isDone(line);
    }));
    QString question = open ? tr("Its %n open tasks move, in their order, to the end of sprint %1; the done tasks "
                                 "stay here.", "", open).arg(target)
                            : tr("It has no open tasks to move to sprint %1.").arg(target);
    if (!QFile::exists(Sprint::fileName(target)))
        question += QLatin1Char('\n') + tr("Sprint %1 is made, with dates following this sprint's.").arg(target);
    QMessageBox box(QMessageBox::Question, tr("Close sprint"), tr("Close sprint %1?").arg(s->number()),
                    QMessageBox::NoButton, this);
    box.setInformativeText(question);
    QPushButton *close = box.addButton(tr("Close sprint"), QMessageBox::AcceptRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(close);
    box.exec();
    if (box.clickedButton() == close)
        taskList->perform(TaskCommand::close(s, target, tr("Close sprint")));
}
