// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef COMMAND_H
#define COMMAND_H

#include <QString>
#include <QStringList>
#include <QVector>

class CommandLine;

// One command of the command line: what it takes, as help and the parser
// read it, and its handler. Every command is a class of its own, found in
// the table that all() gives; each changes lists through the one change
// engine (TaskListFile), as the windows do.
class Command
{
public:
    struct Spec {
        const char *name;
        const char *alias;      // or null
        const char *arguments;  // as help shows them
        const char *summary;    // translated where it is shown
        int least;
        int most;  // -1: any number
        // Where the line N of the task it acts on stands among its
        // arguments, -1 for a command that names no task; with manyLines,
        // every argument from there on is a line. With --text the task is
        // named by its text, and N is left out.
        int lineAt;
        bool manyLines;
        // The options with a value that it takes after its name, separated
        // by commas ("start,end,goal"), or null.
        const char *options = nullptr;
    };

    explicit Command(const Spec &spec);
    virtual ~Command();
    Command(const Command &) = delete;
    Command &operator=(const Command &) = delete;

    const Spec &spec() const { return m_spec; }
    bool namesTasks() const { return m_spec.lineAt >= 0; }
    // Its options with a value.
    QStringList options() const;

    // Runs the command on args, its arguments with the lines N taken out
    // (they are cli.picks()), and returns the exit status.
    virtual int run(CommandLine &cli, const QStringList &args) const = 0;
    // Whether the command, run on args, only reads: such a command makes no
    // file, and in a folder that holds no list it runs not at all but says
    // that the folder holds no planner.
    virtual bool onlyReads(const QStringList &args) const;

    // Every command, in the order help lists them.
    static const QVector<const Command *> &all();
    // The command name or alias names, or null.
    static const Command *find(const QString &name);

private:
    Spec m_spec;
};

#endif // COMMAND_H
