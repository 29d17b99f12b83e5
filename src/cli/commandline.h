#ifndef COMMANDLINE_H
#define COMMANDLINE_H

#include "tasklistfile.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

#include <functional>
#include <memory>

class NamedList;
class QCommandLineParser;
class TaskListBytes;

// The program's commands: each reads or changes one or two task lists of
// the folder, through the same stores, locks and safe writes as the
// windows, and ends with an exit status that a script can branch on. Data
// goes to stdout (as plain lines or as JSON), messages to stderr. Text is
// read from the arguments and written out as UTF-8, as the files hold it,
// whatever the locale says.
class CommandLine
{
public:
    enum Status {
        Done = 0,
        NothingMatched = 1, // no such line, task or sprint, or --expect not met
        UsageError = 2,
        FileError = 3,      // a file could not be read or written
    };

    CommandLine();
    ~CommandLine();

    static QList<QByteArray> arguments(int argc, char **argv);
    // Whether arguments (the program's name first) ask for a command rather
    // than for the windows: anything but -C options does, except options of
    // Qt's own, which go to the windows.
    static bool isCommand(const QList<QByteArray> &arguments);
    // Makes each folder that a -C option names the current one, in order,
    // each relative to the one before, as git does. False, with the folder
    // and the reason in *error, when one cannot be entered.
    static bool enterFolders(const QList<QByteArray> &arguments, QString *error);

    // Runs the command that arguments give, once a QCoreApplication exists,
    // and returns the exit status.
    int run(const QList<QByteArray> &arguments);

private:
    // How a command names a task: by its line, or by its exact text; with
    // --expect, the line must still read the expected text.
    struct Pick {
        int row = -1;
        QString text;
        bool byText = false;
        QString expect;
        bool hasExpect = false;
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
    using PickedEdit = std::function<TaskListFile::Outcome(QStringList &tasks, const QVector<int> &rows,
                                                           const QStringList &texts)>;

    int dispatch(const QString &command, const QStringList &args);
    int list(const QStringList &args);
    int sprints();
    int add(const QStringList &args);
    int edit(const QStringList &args);
    int remove(const QStringList &args);
    int reorder(const QString &command, const QStringList &args);
    int move(const QStringList &args);
    int newSprint();
    int restore(const QStringList &args);

    // Reads the list that name gives; a sprint must exist, and a change to
    // it must not be one to a list that reads as nothing else.
    int openList(const QString &name, NamedList **list);
    // Applies edit to the tasks that the picks name in the file's current
    // content, under the list's lock.
    int changePicked(NamedList &list, const PickedEdit &edit);
    bool locate(const QStringList &tasks, const Pick &pick, const QString &list, int *row, QString *why) const;
    // The same changes made straight in the bytes of a file just as the
    // program writes it (DirectChange), which spares decoding a long list.
    // Each returns LeftToStore, having changed nothing, when the store must
    // make the change: for any other file, and for anything the change
    // would refuse, which the store then words.
    static constexpr int LeftToStore = -1;
    int addDirect(const NamedList &list, const QStringList &texts);
    int editDirect(const NamedList &list, const QStringList &lines);
    int removeDirect(const NamedList &list);
    int moveDirect(const NamedList &from, const NamedList &to);
    int reorderDirect(const NamedList &list, const QString &command);
    // Where up, down, top or bottom puts the task on row of count tasks.
    static int reorderTarget(const QString &command, int row, int count);
    bool locateDirect(const TaskListBytes &tasks, const Pick &pick, int *row) const;
    // Keeps texts in the history of deleted tasks first, as a window does.
    bool keepDeleted(const QString &fileName, const QStringList &texts);
    int added(const NamedList &list, const QStringList &texts, const QVector<int> &rows, const QString &action);
    int finish(NamedList &list, bool changed);
    int changedWithReport(NamedList &list, bool changed);

    void print(const QVector<Row> &rows, bool asChanges);
    void note(const QString &message);
    int fail(int status, const QString &message);
    int usage(const QString &message);
    QString helpText(const QCommandLineParser &parser, const QString &command) const;

    QVector<Pick> m_picks;
    QVector<Row> m_report;
    QString m_why;
    QString m_failure;
    bool m_json = false;
    QString m_folder;
    std::unique_ptr<NamedList> m_lists[2];
};

#endif // COMMANDLINE_H
