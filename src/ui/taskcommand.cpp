// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskcommand.h"

#include "conflictcopies.h"
#include "conflictmarkers.h"
#include "deletedtasks.h"
#include "donemark.h"
#include "listmerge.h"
#include "sprint.h"
#include "tasklist.h"
#include "taskdelegate.h"
#include "taskstore.h"

#include <QFileInfo>

#include <algorithm>
#include <memory>

namespace {

// The first few of texts, each in quotes and cut short, for a message.
QString quoted(const QStringList &texts)
{
    constexpr int Shown = 3;
    QStringList shown;
    for (int i = 0; i < qMin(Shown, texts.size()); ++i)
        shown.append(QStringLiteral("\u201c%1\u201d").arg(TaskDelegate::bounded(texts.at(i), 80)));
    if (texts.size() > Shown)
        shown.append(QStringLiteral("\u2026"));
    return shown.join(QLatin1String(", "));
}

// Replaces the run of lines that reads as run and starts with an open line
// that is exactly run's first, the one nearest *row, with lines (see
// ListEdits::replaceRun); NotFound when there is none. A done copy of the
// task is left as it is.
TaskListFile::Edit replaceOpenRun(int *row, const QStringList &run, const QStringList &lines, QStringList *put)
{
    return [=](TaskList &list) {
        const QString &first = run.first();
        int nearest = -1;
        for (int at = list.indexOf(first); at >= 0; at = list.indexOf(first, at + 1)) {
            if (list.at(at) == first && (nearest < 0 || qAbs(at - *row) < qAbs(nearest - *row)))
                nearest = at;
        }
        if (nearest < 0)
            return TaskListFile::Outcome::NotFound;
        return ListEdits::replaceRun(TaskRef{nearest, first}, run, lines, row, put)(list);
    };
}

} // namespace

TaskCommand::TaskCommand(const QString &text)
{
    setText(text);
}

void TaskCommand::redo()
{
    runStep(m_forward);
}

void TaskCommand::undo()
{
    runStep(m_back);
}

void TaskCommand::runStep(const Step &step)
{
    if (m_ranAhead) {
        m_ranAhead = false;
        return;
    }
    m_error.clear();
    m_note.clear();
    m_refusal = TaskListFile::Refusal::None;
    m_succeeded = step();
    m_everDone = m_everDone || m_succeeded;
}

bool TaskCommand::run(TaskStore *store, const TaskListFile::Edit &edit, TaskListFile::Rules rules)
{
    if (!m_everDone)
        rules |= TaskListFile::MayCreate;
    const bool done = store->change(edit, rules);
    m_error = done ? QString() : store->errorString();
    m_refusal = done ? TaskListFile::Refusal::None : store->refusal();
    return done;
}

bool TaskCommand::nothingToDo()
{
    m_error = tr("The list already reads as this step would leave it: another window or program made the same "
                 "change. Nothing was changed.");
    m_refusal = TaskListFile::Refusal::Held;
    return false;
}

void TaskCommand::noteGone(int count, int found)
{
    if (found < count)
        m_note = tr("%n of the chosen tasks were gone already: another window or program removed them.", "",
                    count - found);
}

bool TaskCommand::noteTransfer(bool moved, const Sprint *sprint)
{
    m_error = moved ? QString() : sprint->errorString();
    m_refusal = moved ? TaskListFile::Refusal::None : sprint->refusal();
    return moved;
}

bool TaskCommand::noteSchedule(bool changed, const SprintSchedule &schedule)
{
    const ChangeResult result = schedule.result();
    m_error = changed ? QString() : result.message;
    m_refusal = changed || result.status != ChangeResult::NotFound ? TaskListFile::Refusal::None
                                                                   : TaskListFile::Refusal::NotFound;
    return changed;
}

bool TaskCommand::takeOut(TaskStore *store, const QVector<TaskRef> &refs, QVector<ListEdits::Removed> *taken)
{
    if (!run(store, ListEdits::remove(refs, taken), TaskListFile::KeepsDeleted))
        return false;
    noteGone(refs.size(), taken->size());
    m_focus = taken->isEmpty() ? -1 : taken->first().row;
    return true;
}

bool TaskCommand::putBack(TaskStore *store, const QVector<ListEdits::Removed> &taken, QVector<TaskRef> *restored)
{
    if (!run(store, ListEdits::restore(taken, restored)))
        return false;
    if (restored->isEmpty())
        return nothingToDo();
    m_focus = restored->first().row;
    return true;
}

TaskCommand *TaskCommand::insert(TaskStore *store, int at, const QStringList &texts, const QString &text,
                                 bool tellsHeld)
{
    auto *command = new TaskCommand(text);
    // Where the added tasks are, and where they were when last taken back.
    auto added = std::make_shared<QVector<TaskRef>>();
    auto taken = std::make_shared<QVector<ListEdits::Removed>>();
    command->m_forward = [=] {
        if (command->m_everDone)
            return command->putBack(store, *taken, added.get());
        QVector<int> rows;
        if (!command->run(store, ListEdits::insert(at, texts, &rows)))
            return false;
        QStringList held;
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i) >= 0)
                added->append(TaskRef{rows.at(i), texts.at(i)});
            else if (tellsHeld)
                held.append(DoneMark::textOf(texts.at(i)));
        }
        if (!held.isEmpty())
            command->m_note = tr("%n of the chosen tasks are in this list already, and a list keeps each task once, "
                                 "so they were not added again: %1", "", held.size())
                                  .arg(quoted(held));
        // Adding only tasks the list holds already leaves nothing to undo;
        // the last of them is shown.
        command->setObsolete(added->isEmpty());
        command->m_focus = added->isEmpty() ? store->tasks().lastIndexOf(texts.value(texts.size() - 1))
                                            : added->last().row;
        return true;
    };
    command->m_back = [=] { return command->takeOut(store, *added, taken.get()); };
    return command;
}

TaskCommand *TaskCommand::remove(TaskStore *store, const QVector<TaskRef> &refs)
{
    auto *command = new TaskCommand(tr("Delete"));
    auto present = std::make_shared<QVector<TaskRef>>(refs);
    auto taken = std::make_shared<QVector<ListEdits::Removed>>();
    command->m_forward = [=] { return command->takeOut(store, *present, taken.get()); };
    command->m_back = [=] { return command->putBack(store, *taken, present.get()); };
    return command;
}

TaskCommand *TaskCommand::replace(TaskStore *store, const TaskRef &ref, const QStringList &lines)
{
    auto *command = new TaskCommand(tr("Edit task"));
    // What the task reads now, where, and what the next step makes it read:
    // a redo and an undo each swap the two.
    auto reads = std::make_shared<QStringList>(QStringList{ref.text});
    auto next = std::make_shared<QStringList>(lines.isEmpty() ? QStringList{QString()} : lines);
    auto row = std::make_shared<int>(ref.row);
    const auto step = [=] {
        QStringList put;
        if (!command->run(store, ListEdits::replaceRun(TaskRef{*row, reads->first()}, *reads, *next, row.get(), &put),
                          TaskListFile::KeepsDeleted))
            return false;
        *next = *reads;
        *reads = put;
        command->m_focus = *row;
        return true;
    };
    command->m_forward = step;
    command->m_back = step;
    return command;
}

TaskCommand *TaskCommand::mark(TaskStore *store, const QVector<TaskRef> &refs, const QDate &day)
{
    auto *command = new TaskCommand(day.isValid() ? tr("Mark done") : tr("Mark not done"));
    // The tasks the next step marks, and the day each then gets: forward
    // all get day; back each gets what it had.
    auto tasks = std::make_shared<QVector<TaskRef>>(refs);
    auto days = std::make_shared<QVector<QDate>>(refs.size(), day);
    const auto step = [=] {
        QVector<ListEdits::Marked> marked;
        if (!command->run(store, ListEdits::mark(*tasks, *days, &marked)))
            return false;
        if (marked.isEmpty()) {
            if (command->m_everDone)
                return command->nothingToDo();
            command->setObsolete(true);
        }
        tasks->clear();
        days->clear();
        for (const ListEdits::Marked &task : qAsConst(marked)) {
            tasks->append(TaskRef{task.row, task.after});
            days->append(DoneMark::date(task.before));
        }
        command->m_focus = marked.isEmpty() ? -1 : marked.first().row;
        return true;
    };
    command->m_forward = step;
    command->m_back = step;
    return command;
}

TaskCommand *TaskCommand::replace(TaskStore *store, const TaskRef &ref, const QStringList &lines,
                                  const QStringList &copies)
{
    auto *command = new TaskCommand(tr("Edit task"));
    // For each list, as for one: what its task reads now, where, and what
    // the next step makes it read; and whether the last step changed it.
    // The window's list comes first; the copies are open, so they take the
    // lines without the task's done mark.
    struct Copy {
        std::shared_ptr<TaskStore> owned;
        TaskStore *store;
        QStringList reads;
        QStringList next;
        int row;
        bool changed;
    };
    auto lists = std::make_shared<QVector<Copy>>();
    const QStringList put = lines.isEmpty() ? QStringList{QString()} : lines;
    lists->append(Copy{nullptr, store, {ref.text}, put, ref.row, true});
    QStringList copyLines = put;
    copyLines.first() = DoneMark::isDone(ref.text) ? DoneMark::textOf(put.first()) : put.first();
    for (const QString &name : copies) {
        auto file = std::make_shared<FileAccess>(name);
        lists->append(Copy{file, file.get(), {DoneMark::textOf(ref.text)}, copyLines, -1, true});
    }
    const auto edit = [](bool open, int *row, const QStringList &run, const QStringList &to, QStringList *put) {
        return open ? replaceOpenRun(row, run, to, put) : ListEdits::replaceRun(TaskRef{*row, run.first()}, run, to, row, put);
    };
    command->m_forward = command->m_back = [=] {
        const bool first = !command->m_everDone;
        QVector<QStringList> puts(lists->size());
        QVector<int> rows(lists->size());
        QVector<bool> changed(lists->size(), false);
        QStringList leftAlone;
        for (int i = 0; i < lists->size(); ++i) {
            const Copy &list = lists->at(i);
            if (!list.changed)
                continue;
            rows[i] = list.row;
            const TaskListFile::Edit change = edit(i > 0, &rows[i], list.reads, list.next, &puts[i]);
            // The first edit stands or falls with the window's own list.
            changed[i] = i == 0 ? command->run(list.store, change, TaskListFile::KeepsDeleted)
                                : list.store->change(change, TaskListFile::KeepsDeleted);
            if (changed[i] || (i == 0 && !first && command->isRefusedByLists())
                || (i > 0 && list.store->refusal() != TaskListFile::Refusal::None)) {
                if (!changed[i])
                    leftAlone.append(list.store->fileName());
                continue;
            }
            if (i > 0)
                command->m_error = list.store->errorString();
            // The lists changed so far take back what this step did.
            for (int j = i - 1; j >= 0; --j) {
                if (changed.at(j))
                    lists->at(j).store->change(edit(j > 0, &rows[j], puts.at(j), lists->at(j).reads, nullptr),
                                               TaskListFile::KeepsDeleted);
            }
            return false;
        }
        if (!changed.contains(true)) {
            if (command->m_refusal == TaskListFile::Refusal::None) {
                command->m_refusal = TaskListFile::Refusal::NotFound;
                command->m_error = tr("The task no longer reads as this step left it, in any list: another window "
                                      "or program changed it. Nothing was changed.");
            }
            return false;
        }
        command->m_error.clear();
        command->m_refusal = TaskListFile::Refusal::None;
        if (!leftAlone.isEmpty())
            command->m_note = tr("Left as they are, since another window or program changed them meanwhile: %1")
                                  .arg(leftAlone.join(QLatin1String(", ")));
        for (int i = 0; i < lists->size(); ++i) {
            Copy &list = (*lists)[i];
            list.changed = changed.at(i);
            if (!list.changed)
                continue;
            list.next = list.reads;
            list.reads = puts.at(i);
            list.row = rows.at(i);
        }
        command->m_focus = changed.first() ? rows.first() : -1;
        return true;
    };
    return command;
}

TaskCommand *TaskCommand::reorder(TaskStore *store, const TaskRef &ref, ListEdits::Place place,
                                  const TaskRef &anchor, const QString &text)
{
    auto *command = new TaskCommand(text);
    // Where the task is since the last step, and where the last move took
    // it from: before the task that followed it there.
    auto task = std::make_shared<TaskRef>(ref);
    auto from = std::make_shared<ListEdits::Placed>();
    const auto step = [=](bool forward) {
        return [=] {
            ListEdits::Placed placed;
            const ListEdits::Place where = forward ? place
                : from->next.row < 0                 ? ListEdits::Place::Bottom
                                                     : ListEdits::Place::Before;
            if (!command->run(store, ListEdits::reorder(*task, where, forward ? anchor : from->next, &placed)))
                return false;
            if (placed.from == placed.to) {
                if (command->m_everDone)
                    return command->nothingToDo();
                command->setObsolete(true);
            }
            task->row = placed.to;
            if (forward)
                *from = placed;
            command->m_focus = placed.to;
            return true;
        };
    };
    command->m_forward = step(true);
    command->m_back = step(false);
    return command;
}

TaskCommand *TaskCommand::reorder(TaskStore *store, const QVector<TaskRef> &refs, const TaskRef &anchor,
                                  const QString &text)
{
    if (refs.size() == 1)
        return reorder(store, refs.first(), ListEdits::Place::Before, anchor, text);
    auto *command = new TaskCommand(text);
    // Where the tasks are since the last step, and where the last move
    // took them from.
    auto tasks = std::make_shared<QVector<TaskRef>>(refs);
    auto placed = std::make_shared<QVector<ListEdits::Placed>>();
    const auto moved = [=](const QVector<ListEdits::Placed> &now) {
        if (std::none_of(now.cbegin(), now.cend(), [](const ListEdits::Placed &p) { return p.from != p.to; })) {
            if (command->m_everDone)
                return command->nothingToDo();
            command->setObsolete(true);
        }
        command->m_focus = now.isEmpty() ? -1 : now.first().to;
        return true;
    };
    command->m_forward = [=] {
        QVector<ListEdits::Placed> now;
        if (!command->run(store, ListEdits::gather(*tasks, anchor, &now)))
            return false;
        *placed = now;
        return moved(now);
    };
    command->m_back = [=] {
        QVector<ListEdits::Placed> now;
        if (!command->run(store, ListEdits::scatter(*placed, &now)))
            return false;
        tasks->clear();
        for (const ListEdits::Placed &task : qAsConst(now))
            tasks->append(TaskRef{task.to, task.text});
        return moved(now);
    };
    return command;
}

TaskCommand *TaskCommand::transfer(Sprint *sprint, int other, const QVector<ListEdits::Transfer> &items,
                                   bool incoming, const QString &text)
{
    auto *command = new TaskCommand(text);
    // What the next step moves, as the last step left it.
    auto next = std::make_shared<QVector<ListEdits::Transfer>>(items);
    const auto step = [=](bool forward) {
        return [=] {
            // Into this sprint forward when incoming, and back when not.
            const bool into = forward == incoming;
            QVector<ListEdits::Transfer> done;
            const bool moved = into ? sprint->takeFrom(other, *next, &done) : sprint->moveTo(other, *next, &done);
            if (!command->noteTransfer(moved, sprint))
                return false;
            const auto leaving = [](const QVector<ListEdits::Transfer> &items) {
                return int(std::count_if(items.cbegin(), items.cend(),
                                         [](const ListEdits::Transfer &item) { return item.leaves; }));
            };
            command->noteGone(leaving(*next), leaving(done));
            const bool changed = std::any_of(done.cbegin(), done.cend(),
                                             [](const ListEdits::Transfer &item) { return item.leaves || item.added; });
            if (!changed)
                return command->nothingToDo();
            // Back, only what this move added leaves the target again;
            // forward again, every task leaves, as in the first move.
            *next = ListEdits::reversed(done, !forward);
            // Here, the row a task left, or the first that one came to.
            int focus = -1;
            for (const ListEdits::Transfer &item : done) {
                const int row = into ? (item.added ? item.to : -1) : (item.leaves ? item.from : -1);
                if (row >= 0 && (focus < 0 || row < focus))
                    focus = row;
            }
            command->m_focus = focus;
            return true;
        };
    };
    command->m_forward = step(true);
    command->m_back = step(false);
    return command;
}

TaskCommand *TaskCommand::setDetails(const SprintSchedule::Details &details, const QString &text)
{
    auto *command = new TaskCommand(text);
    // What the details read since the last step, and what the next one
    // makes them read: a redo and an undo each swap the two.
    using Held = std::optional<SprintSchedule::Details>;
    auto reads = std::make_shared<Held>();
    auto next = std::make_shared<Held>(details);
    const auto step = [=] {
        SprintSchedule schedule;
        const bool first = !command->m_everDone;
        const bool done = first ? schedule.set(details, reads.get())
                                : schedule.exchange(details.number, *reads, *next);
        if (!command->noteSchedule(done, schedule)) {
            if (schedule.result().status == ChangeResult::NotFound)
                command->m_error = tr("The dates or the goal of sprint %1 changed since: another window or program "
                                      "changed them. They are left as they are now.")
                                       .arg(details.number);
            return false;
        }
        if (first)
            command->setObsolete(*reads == details);
        std::swap(*reads, *next);
        return true;
    };
    command->m_forward = step;
    command->m_back = step;
    return command;
}

TaskCommand *TaskCommand::close(Sprint *sprint, int target, const QString &text)
{
    auto *command = new TaskCommand(text);
    // What the last close moved, and the day it marked the sprint closed
    // (null when the sprint was closed already).
    auto moved = std::make_shared<QVector<ListEdits::Transfer>>();
    auto closedOn = std::make_shared<QDate>();
    command->m_forward = [=] {
        const QDate today = QDate::currentDate();
        SprintSchedule schedule;
        QVector<ListEdits::Transfer> done;
        const auto move = [&] {
            QString error;
            if (!command->m_everDone && !schedule.makeFollowing(sprint->number(), target, today, &error)) {
                command->m_error = error;
                return false;
            }
            return command->noteTransfer(sprint->moveTo(target, ListEdits::carryOver(&done)), sprint);
        };
        // What moved goes back; should that fail too, the tasks are in the
        // target, where the user finds them.
        const auto takeBack = [&] {
            if (!done.isEmpty())
                sprint->takeFrom(target, ListEdits::reversed(done));
        };
        bool closed = false;
        if (!schedule.closeAround(sprint->number(), today, move, takeBack, &closed)) {
            // A failed move has said why already.
            if (!schedule.result().isDone())
                command->noteSchedule(false, schedule);
            return false;
        }
        if (!closed && done.isEmpty())
            return command->nothingToDo();
        *moved = done;
        *closedOn = closed ? today : QDate();
        command->m_focus = -1;
        return true;
    };
    command->m_back = [=] {
        // Opened first, so that a schedule that cannot be saved leaves the
        // tasks where the close put them; closed again when they cannot
        // come back.
        SprintSchedule schedule;
        if (closedOn->isValid() && !command->noteSchedule(schedule.reopen(sprint->number(), *closedOn), schedule))
            return false;
        QVector<ListEdits::Transfer> done;
        if (!moved->isEmpty()
            && !command->noteTransfer(sprint->takeFrom(target, ListEdits::reversed(*moved), &done), sprint)) {
            if (closedOn->isValid())
                schedule.close(sprint->number(), *closedOn);
            return false;
        }
        command->m_focus = done.isEmpty() ? -1 : done.first().to;
        return true;
    };
    return command;
}

TaskCommand *TaskCommand::merge(TaskStore *store, const QString &copyName,
                                const ListMerge::Choice &choice)
{
    auto *command = new TaskCommand(tr("Merge %1").arg(copyName));
    // What the last merge added and dropped, the list it dropped from, and
    // where the copy was put away.
    struct Done {
        QStringList added;
        QStringList dropped;
        QStringList before;
        QString putAt;
    };
    auto done = std::make_shared<Done>();
    const auto failWith = [command](const QString &message) {
        command->m_error = message;
        return false;
    };
    command->m_forward = [=] {
        QString error;
        if (!ConflictCopies::putAway(copyName, &done->putAt, &error))
            return failWith(error);
        // Why the merge may not go ahead, found under the list's lock.
        auto refused = std::make_shared<QString>();
        const bool changed = command->run(
            store,
            [=](TaskList &list) {
                QStringList &tasks = list.strings();
                // The copy as it was put away, all of it: what the sync program
                // wrote into it since it was shown is merged or refused, never
                // put away unseen.
                TaskListFile copyFile(done->putAt);
                QStringList copy;
                if (!copyFile.load(copy, false) || copyFile.isReadOnly()) {
                    *refused = copyFile.errorString() + tr("\nIt is not merged.");
                    return TaskListFile::Outcome::Unchanged;
                }
                const QString misfit = ListMerge::misfit(tasks, copy, choice);
                if (!misfit.isEmpty()) {
                    *refused = tr("%1 changed since it was shown for merging: %2.\nNothing was merged, and the copy "
                                  "stays; Merge… shows it as it is now.")
                                   .arg(QFileInfo(copyName).absoluteFilePath(), misfit);
                    return TaskListFile::Outcome::Unchanged;
                }
                // What goes is kept in the history first, by the engine.
                QStringList kept = tasks;
                const QStringList dropping = ListMerge::drop(kept, choice.drop);
                done->before = tasks;
                done->dropped = dropping;
                done->added = ListMerge::place(kept, copy, choice.add);
                tasks = kept;
                return done->added.isEmpty() && done->dropped.isEmpty() ? TaskListFile::Outcome::Unchanged
                                                                       : TaskListFile::Outcome::Changed;
            },
            TaskListFile::KeepsDeleted);
        if (!changed || !refused->isEmpty()) {
            if (!refused->isEmpty())
                command->m_error = *refused;
            ConflictCopies::putBack(done->putAt, copyName, &error);
            return false;
        }
        command->m_focus = done->added.isEmpty() ? -1 : store->tasks().indexOf(done->added.first());
        return true;
    };
    command->m_back = [=] {
        QString error;
        if (!ConflictCopies::putBack(done->putAt, copyName, &error))
            return failWith(error);
        const QSet<QString> added(done->added.cbegin(), done->added.cend());
        const QSet<QString> dropped(done->dropped.cbegin(), done->dropped.cend());
        const bool undone = command->run(
            store,
            [=](TaskList &list) {
                QStringList &tasks = list.strings();
                const bool changed = !ListMerge::drop(tasks, added).isEmpty();
                return ListMerge::place(tasks, done->before, dropped).isEmpty() && !changed
                    ? TaskListFile::Outcome::Unchanged
                    : TaskListFile::Outcome::Changed;
            },
            TaskListFile::KeepsDeleted);
        if (!undone) {
            ConflictCopies::putAway(copyName, &done->putAt, &error);
            return false;
        }
        command->m_focus = -1;
        return true;
    };
    return command;
}

TaskCommand *TaskCommand::keepBothSides(TaskStore *store)
{
    auto *command = new TaskCommand(tr("Keep both sides"));
    // The list with its markers, and as the step left it.
    auto marked = std::make_shared<QStringList>();
    auto kept = std::make_shared<QStringList>();
    command->m_forward = [=] {
        auto changed = std::make_shared<bool>(false);
        // The markers and the ancestor's lines go, kept in the history first
        // like every text a step takes out.
        const bool done = command->run(
            store,
            [=](TaskList &list) {
                QStringList &tasks = list.strings();
                if (ConflictMarkers::firstBlock(tasks) < 0)
                    return TaskListFile::Outcome::Unchanged;
                *marked = tasks;
                tasks = ConflictMarkers::keepBothSides(tasks);
                *kept = tasks;
                *changed = true;
                return TaskListFile::Outcome::Changed;
            },
            TaskListFile::KeepsDeleted | TaskListFile::ResolvesConflict);
        if (!done)
            return false;
        if (!*changed)
            return command->nothingToDo();
        command->m_focus = 0;
        return true;
    };
    command->m_back = [=] {
        const bool done = command->run(store, [=](TaskList &list) {
            QStringList &tasks = list.strings();
            if (tasks != *kept)
                return TaskListFile::Outcome::NotFound;
            tasks = *marked;
            return TaskListFile::Outcome::Changed;
        });
        command->m_focus = done ? ConflictMarkers::firstBlock(*marked) : -1;
        return done;
    };
    return command;
}
