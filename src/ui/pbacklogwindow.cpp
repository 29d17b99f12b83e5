// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pbacklogwindow.h"
#include "ui_pbacklogwindow.h"

#include "conflictbar.h"
#include "filewatcher.h"
#include "formstretch.h"
#include "listedits.h"
#include "rownotes.h"
#include "sprint.h"
#include "sprintplacements.h"
#include "taskcommand.h"
#include "taskdialog.h"
#include "tasklistcontroller.h"

#include <QDir>
#include <QEvent>
#include <QListWidget>
#include <QShortcut>
#include <QTimer>

namespace {

// Asks placements for their first reading once the widget it watches has
// been painted, and then goes.
class FirstPaint : public QObject
{
public:
    FirstPaint(QObject *parent, SprintPlacements *placements)
        : QObject(parent)
        , m_placements(placements)
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            QTimer::singleShot(0, m_placements, &SprintPlacements::update);
            deleteLater();
            watched->removeEventFilter(this);
        }
        return false;
    }

private:
    SprintPlacements *m_placements;
};

} // namespace

PBacklogWindow::PBacklogWindow(QWidget *parent)
    : QWidget(parent, Qt::WindowFlags())
    , pb(nullptr)
    , ui(new Ui::PBacklogWindow)
{
    ui->setupUi(this);
    FormStretch::install(this, ui->tasks);
    // A list view takes no name from a label: it is given the label's.
    ui->label->setBuddy(ui->tasks);
    ui->tasks->setAccessibleName(ui->label->text());
    setTabOrder(ui->tasks, ui->add);
    setTabOrder(ui->add, ui->delete_2);
    setTabOrder(ui->delete_2, ui->edit);
    pb = new productbacklog;
    taskList = new TaskListController(
        this, ui->tasks,
        std::make_unique<StoreAccess<productbacklog, &productbacklog::getItems>>(pb, productbacklog::fileName()),
        {ui->add, ui->delete_2, ui->edit}, ui->delete_2);
    taskList->setSelectionButtons({ui->delete_2, ui->edit});
    // Enter or a double click edits; the button does the work, so a
    // read-only list refuses them too.
    taskList->addMenuAction(tr("Edit…"), {QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)}, ui->edit);
    connect(ui->tasks, &QListWidget::itemDoubleClicked, ui->edit, &QAbstractButton::click);
    new ConflictBar(this, taskList);
    // Keys for the buttons, whose texts in the form carry no mnemonics; a
    // disabled button ignores its key too.
    connect(new QShortcut(QKeySequence(Qt::Key_Insert), this), &QShortcut::activated, ui->add, &QAbstractButton::click);
    connect(new QShortcut(QKeySequence(Qt::Key_F2), this), &QShortcut::activated, ui->edit, &QAbstractButton::click);

    // Where the sprints hold each task, read off this thread and again
    // whenever the folder or a sprint file changes; each row in view says so.
    placements = new SprintPlacements(QString(), this);
    connect(new FileWatcher(QDir::currentPath(), this), &FileWatcher::changed, placements, &SprintPlacements::update);
    auto *notes = new RowNotes(ui->tasks, [this](const QString &line) {
        return SprintPlacements::describe(placements->of(line));
    });
    connect(placements, &SprintPlacements::changed, notes, &RowNotes::update);
    // Once the list has painted its first rows, so that the reading never
    // holds up the window's first look.
    ui->tasks->viewport()->installEventFilter(new FirstPaint(ui->tasks->viewport(), placements));
    // An edit changes the task's open copies in the sprints too, as the
    // dialog says before.
    taskList->setEditReach([this](const TaskRef &task) {
        TaskListController::EditReach reach;
        const QVector<int> open = SprintPlacements::openIn(placements->of(task.text));
        if (open.isEmpty())
            return reach;
        reach.note = (open.size() == 1 ? tr("Sprint %1 holds this task too; it changes with it.")
                                       : tr("Sprints %1 hold this task too; they change with it."))
                         .arg(SprintPlacements::numbers(open));
        QStringList copies;
        for (const int number : open)
            copies.append(Sprint::fileName(number));
        reach.step = [this, copies](const TaskRef &task, const QStringList &lines) {
            return TaskCommand::replace(taskList->store(), task, lines, copies);
        };
        return reach;
    });
}

PBacklogWindow::~PBacklogWindow()
{
    delete ui;
    delete taskList;
    delete pb;
}

void PBacklogWindow::on_add_clicked()
{
    QString text;
    // A change the files refuse gives the text back to the editor, so
    // that what was typed is never lost.
    do {
        if (!TaskDialog::ask(tr("Add task"), &text, this))
            return;
    } while (!ListEdits::lines(text).isEmpty()
             && taskList->perform(TaskCommand::insert(taskList->store(), ListEdits::End,
                                                      ListEdits::lines(text), tr("Add task")))
                 == TaskListController::Result::Failed);
}

void PBacklogWindow::on_delete_2_clicked()
{
    taskList->deleteSelected();
}

void PBacklogWindow::on_edit_clicked()
{
    taskList->editSelected(tr("The product backlog holds every line you typed already, and keeps each task once.\n"
                              "Change the text, or cancel to leave the task as it was."));
}
