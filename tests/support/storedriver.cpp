// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// A small command-line driver of the stores, for tests that need a second
// process, other privileges or a fault-injecting library preloaded. It works
// in its current directory.
//
//   storedriver add LIST TEXT            add one task
//   storedriver append LIST PREFIX COUNT add PREFIX0 .. PREFIX<COUNT-1>
//   storedriver try LIST OP [ARGS]       one call, then a report on stdout;
//                                        OP is show, add TEXT, remove TEXT,
//                                        edit TEXT NEW (backlog) or
//                                        move TEXT SPRINT (sprint)
//   storedriver retry LIST OP [ARGS]     the same, calling once more with the
//                                        same store when the first call fails
//   storedriver churn LIST COUNT WIDTH   rewrite a list of COUNT tasks,
//                                        padded with dots to WIDTH, forever,
//                                        each time with a new generation
//                                        number in every task; prints
//                                        "ready", then "wrote N" after
//                                        each write
//   storedriver workload ID COUNT        the operations of Workload::make
//   storedriver shuttle FROM TO COUNT    move the first task of sprint FROM
//                                        to sprint TO, COUNT times; a task
//                                        another process moved first is
//                                        passed over
//
// LIST is "backlog" or a sprint number. Prints the store's error and exits
// with 1 when a call fails.
//
// The report of "try" is: "ok", "ok when retried" or "failed"; "writable" or "readonly"; the
// error with line feeds as "\n"; then one percent-encoded task per line.

#include "tasklist.h"
#include "productbacklog.h"
#include "sprint.h"
#include "tasklistfile.h"
#include "workload.h"

#include <QCoreApplication>
#include <QTextStream>
#include <QUrl>

#include <cstdio>
#include <memory>

namespace {

// The two stores behind one interface, for this driver only.
struct List {
    std::unique_ptr<productbacklog> backlog;
    std::unique_ptr<Sprint> sprint;

    explicit List(const QString &name)
    {
        if (name == QLatin1String("backlog"))
            backlog = std::make_unique<productbacklog>();
        else
            sprint = std::make_unique<Sprint>(name.toInt());
    }

    bool add(const QString &text) { return backlog ? backlog->addItem(text) : sprint->addTask(text); }
    bool remove(const QString &text) { return backlog ? backlog->removeItem(text) : sprint->deleteTask(text); }
    QStringList tasks() const { return backlog ? backlog->getItems() : sprint->getTasks(); }
    bool isReadOnly() const { return backlog ? backlog->isReadOnly() : sprint->isReadOnly(); }
    QString errorString() const { return backlog ? backlog->errorString() : sprint->errorString(); }
};

QString fileNameOf(const QString &list)
{
    return list == QLatin1String("backlog") ? productbacklog::fileName() : Sprint::fileName(list.toInt());
}

int failWith(const QString &message)
{
    QTextStream(stderr) << message << '\n';
    return 1;
}

int tryOne(const QStringList &args, bool retry)
{
    List list(args.at(1));
    const QString &op = args.at(2);
    const bool known = op == QLatin1String("show") || (op == QLatin1String("add") && args.size() == 4)
        || (op == QLatin1String("remove") && args.size() == 4)
        || (op == QLatin1String("edit") && args.size() == 5 && list.backlog)
        || (op == QLatin1String("move") && args.size() == 5 && list.sprint);
    if (!known)
        return failWith(QStringLiteral("unknown operation: ") + args.mid(2).join(QLatin1Char(' ')));
    const auto perform = [&]() {
        if (op == QLatin1String("add"))
            return list.add(args.at(3));
        if (op == QLatin1String("remove"))
            return list.remove(args.at(3));
        if (op == QLatin1String("edit"))
            return list.backlog->editItem(args.at(3), args.at(4));
        if (op == QLatin1String("move"))
            return list.sprint->moveTask(args.at(3), args.at(4).toInt());
        return list.errorString().isEmpty();
    };
    bool ok = perform();
    const bool retried = !ok && retry;
    if (retried)
        ok = perform();

    QTextStream out(stdout);
    out << (ok ? (retried ? "ok when retried" : "ok") : "failed") << '\n'
        << (list.isReadOnly() ? "readonly" : "writable") << '\n'
        << QString(list.errorString()).replace(QLatin1Char('\n'), QLatin1String("\\n")) << '\n';
    for (const QString &task : list.tasks())
        out << QString::fromLatin1(QUrl::toPercentEncoding(task)) << '\n';
    return 0;
}

// Every write replaces every task, so a file that mixed two writes, or was
// cut short, could not pass for one generation.
int churn(const QString &name, int count, int width)
{
    TaskListFile file(fileNameOf(name));
    QStringList tasks;
    if (!file.load(tasks))
        return failWith(file.errorString());
    int generation = tasks.isEmpty() ? 0 : tasks.first().section(QLatin1Char(' '), 0, 0).mid(1).toInt();
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;) {
        ++generation;
        const QString stamp = QLatin1Char('g') + QString::number(generation) + QLatin1Char(' ');
        const bool written = file.change(tasks, [&stamp, count, width](TaskList &edited) {
            QStringList &list = edited.strings();
            list.clear();
            list.reserve(count);
            for (int i = 0; i < count; ++i)
                list.append((stamp + QString::number(i) + QLatin1Char(' ')).leftJustified(width, QLatin1Char('.')));
            return TaskListFile::Outcome::Changed;
        });
        if (!written)
            return failWith(file.errorString());
        std::printf("wrote %d\n", generation);
        std::fflush(stdout);
    }
}

int runWorkload(int id, int count)
{
    const Workload work = Workload::make(id, count);
    productbacklog backlog;
    Sprint sprints[2] = {Sprint(1), Sprint(2)};
    for (const WorkloadOp &op : work.ops) {
        Sprint &sprint = sprints[op.sprint == 1 ? 0 : 1];
        bool ok = false;
        QString error;
        switch (op.kind) {
        case WorkloadOp::AddItem: ok = backlog.addItem(op.text); error = backlog.errorString(); break;
        case WorkloadOp::EditItem: ok = backlog.editItem(op.text, op.newText); error = backlog.errorString(); break;
        case WorkloadOp::RemoveItem: ok = backlog.removeItem(op.text); error = backlog.errorString(); break;
        case WorkloadOp::AddTask: ok = sprint.addTask(op.text); error = sprint.errorString(); break;
        case WorkloadOp::DeleteTask: ok = sprint.deleteTask(op.text); error = sprint.errorString(); break;
        case WorkloadOp::MoveTask: ok = sprint.moveTask(op.text, op.target); error = sprint.errorString(); break;
        }
        if (!ok)
            return failWith(error);
    }
    return 0;
}

int shuttle(int from, int to, int count)
{
    Sprint sprint(from);
    for (int moved = 0; moved < count; ++moved) {
        sprint.refresh();
        const QStringList tasks = sprint.getTasks();
        if (tasks.isEmpty())
            continue;
        if (!sprint.moveTask(tasks.first(), to) && !sprint.isNotFound())
            return failWith(sprint.errorString());
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() < 3)
        return failWith(QStringLiteral("usage: storedriver add LIST TEXT | append LIST PREFIX COUNT"
                                       " | [re]try LIST OP [ARGS] | churn LIST COUNT WIDTH | workload ID COUNT"
                                       " | shuttle FROM TO COUNT"));

    const QString &command = args.at(0);
    if (command == QLatin1String("try") || command == QLatin1String("retry"))
        return tryOne(args, command == QLatin1String("retry"));
    if (command == QLatin1String("churn") && args.size() == 4)
        return churn(args.at(1), args.at(2).toInt(), args.at(3).toInt());
    if (command == QLatin1String("shuttle") && args.size() == 4)
        return shuttle(args.at(1).toInt(), args.at(2).toInt(), args.at(3).toInt());
    if (command == QLatin1String("workload"))
        return runWorkload(args.at(1).toInt(), args.at(2).toInt());

    List list(args.at(1));
    if (!list.errorString().isEmpty())
        return failWith(list.errorString());
    if (command == QLatin1String("add"))
        return list.add(args.at(2)) ? 0 : failWith(list.errorString());
    if (command == QLatin1String("append") && args.size() == 4) {
        const int count = args.at(3).toInt();
        for (int i = 0; i < count; ++i) {
            if (!list.add(args.at(2) + QString::number(i)))
                return failWith(list.errorString());
        }
        return 0;
    }
    return failWith(QStringLiteral("unknown command: ") + command);
}
