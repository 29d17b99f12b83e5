// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include "taskpick.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QList>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVector>

class Command;
class NamedList;
class QJsonDocument;
class TaskList;

// The command line: reads the arguments, runs the command they name (see
// Command) and ends with an exit status that a script can branch on. Data
// goes to stdout (as plain lines or as JSON), messages to stderr. Text is
// read from the arguments and written out as UTF-8, as the files hold it,
// whatever the locale says. Holds what the commands share: the tasks they
// name, the lists they open, and how they print and word what became of a
// change.
class CommandLine
{
    Q_DECLARE_TR_FUNCTIONS(CommandLine)

public:
    enum Status {
        Done = 0,
        NothingMatched = 1, // no such line, task or sprint, or the list's rules refused it
        UsageError = 2,
        FileError = 3,      // a file could not be read or written, stdout too
    };

    // One task a command printed or changed; from and was are set for moves
    // and edits only.
    struct Row {
        QString action;
        QString list;
        int line = 0;
        QString text;
        QString from;
        int fromLine = 0;
        QString was;
    };

    CommandLine();
    ~CommandLine();

    static QList<QByteArray> arguments(int argc, char **argv);
    // Whether arguments (the program's name first) ask for a command rather
    // than for the windows: anything but -C options does, except options of
    // Qt's own, which go to the windows.
    static bool isCommand(const QList<QByteArray> &arguments);
    // Makes each folder that a -C option before the command names the
    // current one, in order, each relative to the one before, as git does.
    // False, with the folder and the reason in *error, when one cannot be
    // entered.
    static bool enterFolders(const QList<QByteArray> &arguments, QString *error);

    // Runs the command that arguments give, once a QCoreApplication exists,
    // and returns the exit status.
    int run(const QList<QByteArray> &arguments);

    // For the commands.
    const QVector<TaskPick> &picks() const { return m_picks; }
    // The value given to one of the command's own options, null when it
    // was not given.
    QString option(const QString &name) const { return m_options.value(name); }
    // Opens the list that name gives; a sprint must exist.
    int openList(const QString &name, NamedList **list);
    // The rows the picks name in tasks, found as the list is now; false,
    // with the reason kept for finish(), when one names none.
    bool locatePicks(const TaskList &tasks, const NamedList &list, QVector<int> *rows);
    // The exit status for a change that list made or refused, with the
    // reason on stderr; held words a refusal for what the list holds.
    int finish(const NamedList &list, bool changed, const QString &held = QString());
    void report(const Row &row) { m_report.append(row); }
    // Reports texts as added to list at rows, telling of those it held
    // already (row -1), and prints the report.
    int added(const NamedList &list, const QStringList &texts, const QVector<int> &rows, const QString &action);
    // Prints the rows reported, as changes.
    int printReport();
    void print(const QVector<Row> &rows, bool asChanges);
    // Prints json or plain, as --json asks.
    void printData(const QJsonDocument &json, const QByteArray &plain);
    void output(const QByteArray &bytes);
    void note(const QString &message);
    int fail(int status, const QString &message);
    int usage(const QString &message);
    static QString quoted(const QString &text);
    // A line or entry number as the user typed it, digits only, from 1:
    // the row it stands for, from 0.
    static bool parseLine(const QString &argument, int *row);

private:
    // Runs the command in rest under the program's options global; folders
    // are the raw arguments up to the command, for its -C options.
    int runCommand(const QStringList &global, QStringList rest, const QList<QByteArray> &folders);
    // Takes the picks out of the command's arguments.
    int takePicks(const Command &command, QStringList *rest, const QStringList &expected, const QString &byText);
    QString helpText(const QString &globalHelp, const Command *command) const;
    // Whether all printed reached stdout.
    bool flushOutput();

    QVector<TaskPick> m_picks;
    QHash<QString, QString> m_options;
    QVector<Row> m_report;
    QString m_why;
    bool m_json = false;
    bool m_outputFailed = false;
    QString m_folder;
    QList<NamedList *> m_lists;
};

#endif // COMMANDLINE_H
