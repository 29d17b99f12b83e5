#include "taskcommand.h"

#include "deletedtasks.h"
#include "sprint.h"
#include "taskstore.h"

#include <QCoreApplication>

#include <algorithm>
#include <memory>

TaskCommand::TaskCommand(const QString &text)
{
    setText(text);
}

bool TaskCommand::apply()
{
    m_skipNext = m_forward();
    return m_skipNext;
}

bool TaskCommand::revert()
{
    m_skipNext = m_back();
    return m_skipNext;
}

void TaskCommand::redo()
{
    if (!m_skipNext)
        m_forward();
    m_skipNext = false;
}

void TaskCommand::undo()
{
    if (!m_skipNext)
        m_back();
    m_skipNext = false;
}

bool TaskCommand::run(TaskStore *store, const TaskListFile::Edit &edit)
{
    const bool done = store->change(edit);
    m_error = done ? QString() : store->errorString();
    m_notFound = !done && store->isNotFound();
    return done;
}

bool TaskCommand::keep(DeletedTasks *history, TaskStore *store, const QStringList &texts)
{
    // Nothing is taken out of a list before a copy of it is kept.
    if (history->append(store->fileName(), texts))
        return true;
    m_error = history->errorString() + QCoreApplication::translate("TaskCommand", "\nNothing was changed.");
    m_notFound = false;
    return false;
}

namespace {

int firstRow(const QVector<ListEdits::Removed> &removed)
{
    return removed.isEmpty() ? -1 : removed.first().row;
}

} // namespace

TaskCommand *TaskCommand::insert(TaskStore *store, int at, const QStringList &texts, const QString &text)
{
    auto *command = new TaskCommand(text);
    // What the last step did: where the added tasks are, or where they were.
    auto added = std::make_shared<QVector<TaskRef>>();
    auto taken = std::make_shared<QVector<ListEdits::Removed>>();
    auto first = std::make_shared<bool>(true);
    command->m_forward = [=] {
        if (!*first) {
            if (!command->run(store, ListEdits::restore(*taken, added.get(), true)))
                return false;
            command->m_focus = added->isEmpty() ? -1 : added->last().row;
            return true;
        }
        *first = false;
        QVector<int> rows;
        if (!command->run(store, ListEdits::insert(at, texts, &rows)))
            return false;
        for (int i = 0; i < rows.size(); ++i) {
            if (rows.at(i) >= 0)
                added->append(TaskRef{rows.at(i), texts.at(i)});
        }
        // Adding only tasks the list holds already leaves nothing to undo;
        // the last of them is shown.
        command->setObsolete(added->isEmpty());
        command->m_focus = added->isEmpty() ? store->tasks().lastIndexOf(texts.value(texts.size() - 1))
                                            : added->last().row;
        return true;
    };
    command->m_back = [=] {
        if (!command->run(store, ListEdits::remove(*added, taken.get())))
            return false;
        command->m_focus = firstRow(*taken);
        return true;
    };
    return command;
}

TaskCommand *TaskCommand::remove(TaskStore *store, DeletedTasks *history, const QVector<TaskRef> &refs)
{
    auto *command = new TaskCommand(QCoreApplication::translate("TaskCommand", "Delete"));
    auto present = std::make_shared<QVector<TaskRef>>(refs);
    auto taken = std::make_shared<QVector<ListEdits::Removed>>();
    command->m_forward = [=] {
        if (!command->keep(history, store, TaskRef::textsOf(*present))
            || !command->run(store, ListEdits::remove(*present, taken.get())))
            return false;
        command->m_focus = firstRow(*taken);
        return true;
    };
    command->m_back = [=] {
        if (!command->run(store, ListEdits::restore(*taken, present.get())))
            return false;
        command->m_focus = present->isEmpty() ? -1 : present->first().row;
        return true;
    };
    return command;
}

TaskCommand *TaskCommand::replace(TaskStore *store, DeletedTasks *history, const TaskRef &ref,
                                  const QStringList &lines)
{
    auto *command = new TaskCommand(QCoreApplication::translate("TaskCommand", "Edit task"));
    const QStringList before{ref.text};
    const QStringList after = lines.isEmpty() ? QStringList{QString()} : lines;
    auto row = std::make_shared<int>(ref.row);
    // From what the list reads to what it is to read.
    const auto step = [=](const QStringList &from, const QStringList &to) {
        return [=] {
            if (!command->keep(history, store, from)
                || !command->run(store, ListEdits::replaceRun(TaskRef{*row, from.first()}, from, to, row.get())))
                return false;
            command->m_focus = *row;
            return true;
        };
    };
    command->m_forward = step(before, after);
    command->m_back = step(after, before);
    return command;
}

TaskCommand *TaskCommand::reorder(TaskStore *store, const TaskRef &ref, int to, const QString &text)
{
    auto *command = new TaskCommand(text);
    // The task's row before and after the last step.
    auto from = std::make_shared<int>(ref.row);
    auto at = std::make_shared<int>(to);
    const auto step = [=](bool forward) {
        return [=] {
            int left = -1;
            const int source = forward ? *from : *at;
            const int target = forward ? *at : *from;
            if (!command->run(store, ListEdits::move(TaskRef{source, ref.text}, target, &left)))
                return false;
            const int arrived = qBound(0, target, store->tasks().size() - 1);
            *(forward ? from : at) = left;
            *(forward ? at : from) = arrived;
            command->m_focus = arrived;
            return true;
        };
    };
    command->m_forward = step(true);
    command->m_back = step(false);
    return command;
}

TaskCommand *TaskCommand::transfer(Sprint *sprint, int other, const QVector<ListEdits::Transfer> &items,
                                   bool incoming, const QString &text)
{
    auto *command = new TaskCommand(text);
    auto next = std::make_shared<QVector<ListEdits::Transfer>>(items);
    const auto step = [=](bool into) {
        return [=] {
            QVector<ListEdits::Transfer> done;
            const bool moved = into ? sprint->takeFrom(other, *next, &done) : sprint->moveTo(other, *next, &done);
            command->m_error = moved ? QString() : sprint->errorString();
            command->m_notFound = !moved && sprint->isNotFound();
            if (!moved)
                return false;
            *next = ListEdits::reversed(done);
            // Here, the row a task left, or the first that one came to.
            int focus = -1;
            for (const ListEdits::Transfer &item : done) {
                const int row = into ? item.to : item.from;
                if (row >= 0 && (focus < 0 || row < focus))
                    focus = row;
            }
            command->m_focus = focus;
            return true;
        };
    };
    command->m_forward = step(incoming);
    command->m_back = step(!incoming);
    return command;
}
