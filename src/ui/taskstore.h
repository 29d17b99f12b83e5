// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKSTORE_H
#define TASKSTORE_H

#include "tasklistfile.h"

#include <QString>
#include <QStringList>

// The one list a task window shows, whichever store holds it: what the
// window's shared parts (rows, undo, keyboard, menus) need of it.
class TaskStore
{
public:
    virtual ~TaskStore() = default;

    virtual QStringList tasks() const = 0;
    // Changes the list under the rules given (see TaskListFile).
    virtual bool change(const TaskListFile::Edit &edit, TaskListFile::Rules rules) = 0;
    virtual bool refresh() = 0;
    virtual bool isReadOnly() const = 0;
    virtual bool isNotFound() const = 0;
    virtual TaskListFile::Refusal refusal() const = 0;
    virtual QString errorString() const = 0;
    // The list's file name, as the history of deleted tasks names it.
    virtual QString fileName() const = 0;
};

// A TaskStore over a store of the window's, which keeps owning it. The two
// stores differ only in what their list and file are called.
template <typename Store, QStringList (Store::*list)() const>
class StoreAccess final : public TaskStore
{
public:
    StoreAccess(Store *store, const QString &fileName)
        : m_store(store)
        , m_fileName(fileName)
    {
    }

    QStringList tasks() const override { return (m_store->*list)(); }
    bool change(const TaskListFile::Edit &edit, TaskListFile::Rules rules) override
    {
        return m_store->change(edit, rules);
    }
    bool refresh() override { return m_store->refresh(); }
    bool isReadOnly() const override { return m_store->isReadOnly(); }
    bool isNotFound() const override { return m_store->isNotFound(); }
    TaskListFile::Refusal refusal() const override { return m_store->refusal(); }
    QString errorString() const override { return m_store->errorString(); }
    QString fileName() const override { return m_fileName; }

private:
    Store *m_store;
    QString m_fileName;
};

// A TaskStore over a list that no store of the window's holds, such as a
// sprint that an edit of the backlog changes too: it keeps nothing, and
// every change reads the file afresh under its lock.
class FileAccess final : public TaskStore
{
public:
    explicit FileAccess(const QString &fileName)
        : m_file(fileName, TaskListFile::Keeping::Nothing)
    {
    }

    QStringList tasks() const override
    {
        QStringList tasks;
        TaskListFile(m_file.fileName(), TaskListFile::Keeping::Nothing).load(tasks, false);
        return tasks;
    }
    bool change(const TaskListFile::Edit &edit, TaskListFile::Rules rules) override
    {
        return m_file.change(m_none, edit, rules);
    }
    bool refresh() override { return false; }
    bool isReadOnly() const override { return m_file.isReadOnly(); }
    bool isNotFound() const override { return m_file.isNotFound(); }
    TaskListFile::Refusal refusal() const override { return m_file.refusal(); }
    QString errorString() const override { return m_file.errorString(); }
    QString fileName() const override { return m_file.fileName(); }

private:
    TaskListFile m_file;
    QStringList m_none;
};

#endif // TASKSTORE_H
