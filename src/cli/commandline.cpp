#include "commandline.h"

#include "conflictcopies.h"
#include "deletedtasks.h"
#include "directchange.h"
#include "listedits.h"
#include "namedlist.h"
#include "sprint.h"
#include "sprintfiles.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QTextCodec>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

using Outcome = TaskListFile::Outcome;

// What each command takes. A command that acts on a task has its line N at
// lineAt among its arguments (several from there on when manyLines); with
// --text the task is named by its text and N is left out.
struct CommandSpec {
    const char *name;
    const char *alias;
    const char *arguments;
    const char *summary;
    int least;
    int most; // -1: any number
    int lineAt;
    bool manyLines;
};

// The summaries are translated where they are shown.
const CommandSpec commands[] = {
    {"list", "ls", "[LIST]",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Print the tasks of LIST (the backlog when none is given) with their line numbers."),
     0, 1, -1, false},
    {"sprints", nullptr, "", QT_TRANSLATE_NOOP("CommandLine", "Print the numbers of the folder's sprints."), 0, 0, -1,
     false},
    {"add", "a", "LIST TEXT...",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Add each TEXT to the end of LIST as a task, unless LIST holds it already. A TEXT of several "
                       "lines adds each line that is not empty, as the task dialog does."),
     2, -1, -1, false},
    {"edit", "replace", "LIST N TEXT",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Replace the task on line N with TEXT (each of its lines that is not empty, as the task dialog "
                       "does). The old text is kept in the history of deleted tasks."),
     3, 3, 1, false},
    {"rm", "del", "LIST N...",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Delete the tasks on lines N, keeping their texts in the history of deleted tasks, from which "
                       "\"restore\" and the windows' \"Restore deleted tasks\" bring them back."),
     2, -1, 1, true},
    {"mv", "move", "N FROM TO",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Move the task on line N of FROM to the end of sprint TO. From a sprint, the task leaves FROM "
                       "once TO holds it; from the backlog, it is added to TO and stays in the backlog, as \"Add "
                       "tasks\" does."),
     3, 3, 0, false},
    {"up", nullptr, "LIST N", QT_TRANSLATE_NOOP("CommandLine", "Move the task on line N one line up."), 2, 2, 1, false},
    {"down", nullptr, "LIST N", QT_TRANSLATE_NOOP("CommandLine", "Move the task on line N one line down."), 2, 2, 1,
     false},
    {"top", nullptr, "LIST N", QT_TRANSLATE_NOOP("CommandLine", "Move the task on line N to the first line."), 2, 2, 1,
     false},
    {"bottom", nullptr, "LIST N", QT_TRANSLATE_NOOP("CommandLine", "Move the task on line N to the last line."), 2, 2,
     1, false},
    {"new-sprint", nullptr, "",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Make the next sprint's file, one above the highest number, and print its number."),
     0, 0, -1, false},
    {"restore", nullptr, "[LIST [N...]]",
     QT_TRANSLATE_NOOP("CommandLine",
                       "Without N, print the deleted tasks of LIST (the backlog when none is given), newest first, "
                       "numbered. With N, add those entries back to the end of LIST."),
     0, -1, -1, false},
};

const CommandSpec *findCommand(const QString &name)
{
    for (const CommandSpec &spec : commands) {
        if (name == QLatin1String(spec.name) || (spec.alias && name == QLatin1String(spec.alias)))
            return &spec;
    }
    return nullptr;
}

const char exitStatusText[] = QT_TRANSLATE_NOOP(
    "CommandLine", "Exit status:\n"
                   "  0  done\n"
                   "  1  nothing matched: no such line, task or sprint, or --expect not met\n"
                   "  2  usage error\n"
                   "  3  a file could not be read or written (the file and the reason on stderr)\n");

const char listText[] = QT_TRANSLATE_NOOP(
    "CommandLine", "LIST is \"backlog\" or a sprint number (as \"sprints\" prints it). N is a line number as\n"
                   "\"list\" prints it, counting from 1. Text is read and printed as UTF-8.\n");

// The options that make an argument list a command rather than a start of
// the windows.
bool isOwnOption(const QByteArray &argument)
{
    static const char *const own[] = {"-h", "--help", "-?", "--help-all", "-v", "--version", "--json", "--expect",
                                      "--text"};
    for (const char *option : own) {
        if (argument == option || argument.startsWith(QByteArray(option) + '='))
            return true;
    }
    return false;
}

bool decodeUtf8(const QByteArray &bytes, QString *text)
{
    QTextCodec::ConverterState state;
    *text = QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}

bool writeOut(FILE *stream, const QByteArray &bytes)
{
    return std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream) == size_t(bytes.size());
}

// A line number as the user typed it: digits only, from 1.
bool parseLine(const QString &argument, int *row)
{
    bool ok = false;
    const int line = argument.toInt(&ok, 10);
    if (!ok || line < 1 || !argument.at(0).isDigit())
        return false;
    *row = line - 1;
    return true;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

CommandLine::CommandLine() = default;

CommandLine::~CommandLine() = default;

QList<QByteArray> CommandLine::arguments(int argc, char **argv)
{
    QList<QByteArray> result;
    for (int i = 0; i < argc; ++i)
        result.append(QByteArray(argv[i]));
    return result;
}

bool CommandLine::isCommand(const QList<QByteArray> &arguments)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QByteArray &argument = arguments.at(i);
        if (argument == "-C") {
            ++i;
            continue;
        }
        if (argument.startsWith("-C"))
            continue;
        // Qt's own options (-platform, -style, ...) start the windows.
        return !argument.startsWith('-') || argument == "--" || isOwnOption(argument);
    }
    return false;
}

bool CommandLine::enterFolders(const QList<QByteArray> &arguments, QString *error)
{
    for (int i = 1; i < arguments.size(); ++i) {
        const QByteArray &argument = arguments.at(i);
        if (argument == "--")
            break;
        if (!argument.startsWith("-C"))
            continue;
        const QByteArray folder = argument.size() > 2 ? argument.mid(2) : arguments.value(++i);
        if (::chdir(folder.constData()) != 0) {
            *error = QCoreApplication::translate("CommandLine", "Cannot open the folder %1: %2")
                         .arg(QFile::decodeName(folder), QString::fromLocal8Bit(std::strerror(errno)));
            return false;
        }
    }
    return true;
}

int CommandLine::run(const QList<QByteArray> &arguments)
{
    QStringList args;
    for (int i = 0; i < arguments.size(); ++i) {
        QString text;
        if (!decodeUtf8(arguments.at(i), &text)) {
            return usage(QCoreApplication::translate("CommandLine",
                                                     "argument %1 is not valid UTF-8, and task lists hold UTF-8 text")
                             .arg(i));
        }
        args.append(text);
    }
    // Help names the program as its users type it, wherever it was run from.
    if (!args.isEmpty())
        args[0] = QStringLiteral("corvane");
    // The parser would take "-3" for an option; it can only be a number
    // that counts the wrong way.
    static const QRegularExpression negative(QStringLiteral("^-[0-9]+$"));
    for (int i = 1; i < args.size() && args.at(i) != QLatin1String("--"); ++i) {
        if (negative.match(args.at(i)).hasMatch()) {
            return usage(QCoreApplication::translate(
                             "CommandLine", "%1: lines count from 1, and a LIST is backlog or a sprint number from 1")
                             .arg(args.at(i)));
        }
    }

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Plan a product backlog and numbered sprints, kept as plain text files in the folder.\n"
                       "With no command, open the windows."));
    parser.addOption({QStringLiteral("C"),
                      QCoreApplication::translate("CommandLine", "Work on the lists of <folder>, for the windows too."),
                      QStringLiteral("folder")});
    parser.addOption({QStringLiteral("json"), QCoreApplication::translate("CommandLine", "Print data as JSON.")});
    parser.addOption({QStringLiteral("expect"),
                      QCoreApplication::translate("CommandLine",
                                                  "Change the task on line N only if it reads <text>; once per N."),
                      QStringLiteral("text")});
    parser.addOption({QStringLiteral("text"),
                      QCoreApplication::translate("CommandLine",
                                                  "Name the task by its exact <text> instead of by N."),
                      QStringLiteral("text")});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"),
                                 QCoreApplication::translate("CommandLine", "One of the commands below."),
                                 QStringLiteral("COMMAND [ARGUMENTS...]"));
    if (!parser.parse(args))
        return usage(parser.errorText());

    QStringList rest = parser.positionalArguments();
    const QString command = rest.isEmpty() ? QString() : rest.takeFirst();
    if (parser.isSet(help)) {
        const bool known = command.isEmpty() || findCommand(command);
        if (!known)
            return usage(QCoreApplication::translate("CommandLine", "no command %1").arg(quoted(command)));
        writeOut(stdout, helpText(parser, command).toUtf8());
        return Done;
    }
    if (parser.isSet(version)) {
        writeOut(stdout, QStringLiteral("%1 %2\n")
                             .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion())
                             .toUtf8());
        return Done;
    }
    const CommandSpec *spec = findCommand(command);
    if (!spec) {
        return usage(command.isEmpty()
                         ? QCoreApplication::translate("CommandLine", "no command given")
                         : QCoreApplication::translate("CommandLine", "no command %1").arg(quoted(command)));
    }

    const QString usageLine = QStringLiteral("corvane %1 %2").arg(QLatin1String(spec->name),
                                                                   QLatin1String(spec->arguments));
    const bool byText = parser.isSet(QStringLiteral("text"));
    const QStringList expected = parser.values(QStringLiteral("expect"));
    if ((byText || !expected.isEmpty()) && spec->lineAt < 0) {
        return usage(QCoreApplication::translate("CommandLine", "%1 names no task by line: usage: %2")
                         .arg(QLatin1String(spec->name), usageLine));
    }
    if (byText && !expected.isEmpty())
        return usage(QCoreApplication::translate("CommandLine", "--text names the task already; leave out --expect"));
    // With --text, N is left out.
    const int least = spec->least - (byText ? 1 : 0);
    const int most = byText && spec->manyLines ? least : spec->most - (byText && spec->most >= 0 ? 1 : 0);
    if (rest.size() < least || (most >= 0 && rest.size() > most))
        return usage(QCoreApplication::translate("CommandLine", "usage: %1").arg(usageLine));

    m_picks.clear();
    if (byText) {
        Pick pick;
        pick.byText = true;
        pick.text = parser.value(QStringLiteral("text"));
        m_picks.append(pick);
    } else if (spec->lineAt >= 0) {
        const int count = spec->manyLines ? rest.size() - spec->lineAt : 1;
        if (!expected.isEmpty() && expected.size() != count) {
            return usage(QCoreApplication::translate("CommandLine", "give --expect once for each line number"));
        }
        for (int i = 0; i < count; ++i) {
            const QString line = rest.takeAt(spec->lineAt);
            Pick pick;
            if (!parseLine(line, &pick.row)) {
                return usage(QCoreApplication::translate("CommandLine",
                                                         "%1 is not a line number: lines count from 1")
                                 .arg(quoted(line)));
            }
            pick.hasExpect = !expected.isEmpty();
            pick.expect = expected.value(i);
            m_picks.append(pick);
        }
    }
    m_json = parser.isSet(QStringLiteral("json"));

    QString error;
    if (!enterFolders(arguments, &error))
        return fail(FileError, error);
    m_folder = QDir::currentPath();
    return dispatch(QLatin1String(spec->name), rest);
}

int CommandLine::dispatch(const QString &command, const QStringList &args)
{
    if (command == QLatin1String("list"))
        return list(args);
    if (command == QLatin1String("sprints"))
        return sprints();
    if (command == QLatin1String("add"))
        return add(args);
    if (command == QLatin1String("edit"))
        return edit(args);
    if (command == QLatin1String("rm"))
        return remove(args);
    if (command == QLatin1String("mv"))
        return move(args);
    if (command == QLatin1String("new-sprint"))
        return newSprint();
    if (command == QLatin1String("restore"))
        return restore(args);
    return reorder(command, args);
}

int CommandLine::openList(const QString &name, NamedList **list)
{
    const int number = NamedList::numberOf(name);
    if (number < 0) {
        return usage(QCoreApplication::translate("CommandLine",
                                                 "%1 is not a list: give backlog or a sprint number such as 3")
                         .arg(quoted(name)));
    }
    std::unique_ptr<NamedList> &slot = m_lists[m_lists[0] ? 1 : 0];
    slot = std::make_unique<NamedList>(number);
    *list = slot.get();
    // A sprint comes to be only by new-sprint; naming one must not make it.
    if (number > 0 && !slot->exists()) {
        return fail(NothingMatched, QCoreApplication::translate("CommandLine", "There is no sprint %1 in %2.")
                                        .arg(number)
                                        .arg(QDir::toNativeSeparators(m_folder)));
    }
    return Done;
}

int CommandLine::list(const QStringList &args)
{
    NamedList *list = nullptr;
    if (const int status = openList(args.value(0, QStringLiteral("backlog")), &list))
        return status;
    QVector<Row> rows;
    // A folder without a backlog file has an empty backlog; listing it makes none.
    if (list->exists()) {
        const QStringList tasks = list->tasks();
        if (list->isReadOnly())
            return fail(FileError, list->errorString());
        rows.reserve(tasks.size());
        for (int i = 0; i < tasks.size(); ++i)
            rows.append(Row{QString(), list->name(), i + 1, tasks.at(i), QString(), 0, QString()});
    }
    print(rows, false);
    return Done;
}

int CommandLine::sprints()
{
    // The numbers stay alone on stdout for scripts; the copies that wait
    // to be merged are told beside them.
    const QVector<ConflictCopies::Copy> copies = ConflictCopies::find();
    if (m_json) {
        QJsonArray array;
        for (const QString &name : SprintFiles::list()) {
            QJsonObject sprint{{QStringLiteral("number"), SprintFiles::number(name)}};
            const QStringList names = ConflictCopies::namesOf(copies, name);
            if (!names.isEmpty())
                sprint.insert(QStringLiteral("conflictCopies"), QJsonArray::fromStringList(names));
            array.append(sprint);
        }
        writeOut(stdout, QJsonDocument(array).toJson());
    } else {
        QByteArray out;
        for (const QString &name : SprintFiles::list())
            out += QByteArray::number(SprintFiles::number(name)) + '\n';
        writeOut(stdout, out);
    }
    QStringList lists;
    for (const ConflictCopies::Copy &copy : copies) {
        if (!lists.contains(copy.list))
            lists.append(copy.list);
    }
    for (const QString &list : qAsConst(lists)) {
        note(QCoreApplication::translate("CommandLine", "%1 has conflict copies to merge in its window: %2")
                 .arg(list, ConflictCopies::namesOf(copies, list).join(QStringLiteral(", "))));
    }
    return Done;
}

int CommandLine::add(const QStringList &args)
{
    NamedList *list = nullptr;
    if (const int status = openList(args.first(), &list))
        return status;
    QStringList texts;
    for (int i = 1; i < args.size(); ++i) {
        const QStringList lines = ListEdits::lines(args.at(i));
        if (lines.isEmpty())
            return usage(QCoreApplication::translate("CommandLine", "a task needs a text that is not empty"));
        texts += lines;
    }
    const int status = addDirect(*list, texts);
    if (status != LeftToStore)
        return status;
    QVector<int> rows;
    if (!list->change(ListEdits::insert(ListEdits::End, texts, &rows)))
        return finish(*list, false);
    return added(*list, texts, rows, QStringLiteral("added"));
}

int CommandLine::added(const NamedList &list, const QStringList &texts, const QVector<int> &rows,
                       const QString &action)
{
    for (int i = 0; i < texts.size(); ++i) {
        if (rows.value(i, -1) >= 0) {
            m_report.append(Row{action, list.name(), rows.at(i) + 1, texts.at(i), QString(), 0, QString()});
        } else {
            note(QCoreApplication::translate("CommandLine", "%1 holds %2 already.")
                     .arg(list.fileName(), quoted(texts.at(i))));
        }
    }
    print(m_report, true);
    return Done;
}

int CommandLine::edit(const QStringList &args)
{
    NamedList *list = nullptr;
    if (const int status = openList(args.first(), &list))
        return status;
    const QStringList lines = ListEdits::lines(args.at(1));
    if (lines.isEmpty()) {
        return usage(QCoreApplication::translate("CommandLine",
                                                 "a task needs a text that is not empty; rm deletes a task"));
    }
    const int status = editDirect(*list, lines);
    if (status != LeftToStore)
        return status;
    return changePicked(*list, [&](QStringList &tasks, const QVector<int> &rows, const QStringList &texts) {
        if (!keepDeleted(list->fileName(), texts))
            return Outcome::Unchanged;
        int row = rows.first();
        const Outcome outcome = ListEdits::replace(TaskRef{row, texts.first()}, lines, &row)(tasks);
        for (int i = 0; i < lines.size(); ++i)
            m_report.append(Row{QStringLiteral("edited"), list->name(), row + i + 1, lines.at(i), QString(), 0,
                                texts.first()});
        return outcome;
    });
}

int CommandLine::remove(const QStringList &args)
{
    NamedList *list = nullptr;
    if (const int status = openList(args.first(), &list))
        return status;
    const int status = removeDirect(*list);
    if (status != LeftToStore)
        return status;
    return changePicked(*list, [&](QStringList &tasks, const QVector<int> &rows, const QStringList &texts) {
        QVector<TaskRef> refs;
        QStringList kept;
        for (int i = 0; i < rows.size(); ++i) {
            // A line named twice goes once.
            if (std::none_of(refs.cbegin(), refs.cend(), [&](const TaskRef &ref) { return ref.row == rows.at(i); })) {
                refs.append(TaskRef{rows.at(i), texts.at(i)});
                kept.append(texts.at(i));
            }
        }
        if (!keepDeleted(list->fileName(), kept))
            return Outcome::Unchanged;
        for (const TaskRef &ref : refs)
            m_report.append(Row{QStringLiteral("removed"), list->name(), ref.row + 1, ref.text, QString(), 0, QString()});
        return ListEdits::remove(refs)(tasks);
    });
}

int CommandLine::reorder(const QString &command, const QStringList &args)
{
    NamedList *list = nullptr;
    if (const int status = openList(args.first(), &list))
        return status;
    const int status = reorderDirect(*list, command);
    if (status != LeftToStore)
        return status;
    return changePicked(*list, [&](QStringList &tasks, const QVector<int> &rows, const QStringList &texts) {
        const int row = rows.first();
        const int to = reorderTarget(command, row, tasks.size());
        m_report.append(Row{QStringLiteral("moved"), list->name(), to + 1, texts.first(), list->name(), row + 1,
                            QString()});
        return to == row ? Outcome::Unchanged : ListEdits::move(TaskRef{row, texts.first()}, to)(tasks);
    });
}

int CommandLine::reorderTarget(const QString &command, int row, int count)
{
    if (command == QLatin1String("up"))
        return qMax(0, row - 1);
    if (command == QLatin1String("down"))
        return qMin(count - 1, row + 1);
    return command == QLatin1String("top") ? 0 : count - 1;
}

int CommandLine::move(const QStringList &args)
{
    NamedList *from = nullptr;
    NamedList *to = nullptr;
    const int target = NamedList::numberOf(args.at(1));
    if (target == 0)
        return usage(QCoreApplication::translate("CommandLine", "tasks move into sprints; TO is a sprint number"));
    if (const int status = openList(args.at(0), &from))
        return status;
    if (from->number() == target)
        return usage(QCoreApplication::translate("CommandLine", "FROM and TO are the same sprint"));
    if (const int status = openList(args.at(1), &to))
        return status;
    const int status = moveDirect(*from, *to);
    if (status != LeftToStore)
        return status;

    const QStringList tasks = from->tasks();
    if (from->isReadOnly())
        return fail(FileError, from->errorString());
    int row = -1;
    if (!locate(tasks, m_picks.first(), from->fileName(), &row, &m_why))
        return fail(NothingMatched, m_why);
    const QString text = tasks.at(row);

    if (from->isBacklog()) {
        QVector<int> rows;
        if (!to->change(ListEdits::insert(ListEdits::End, {text}, &rows)))
            return finish(*to, false);
        return added(*to, {text}, rows, QStringLiteral("added"));
    }
    QVector<ListEdits::Transfer> done;
    const bool moved = from->sprint()->moveTo(target, {ListEdits::Transfer{text, row, ListEdits::End}}, &done);
    if (!moved)
        return finish(*from, false);
    const ListEdits::Transfer &item = done.first();
    if (item.to < 0) {
        note(QCoreApplication::translate("CommandLine", "%1 held %2 already; it left %3.")
                 .arg(to->fileName(), quoted(text), from->fileName()));
    }
    m_report.append(Row{QStringLiteral("moved"), to->name(), item.to + 1, text, from->name(), item.from + 1,
                        QString()});
    print(m_report, true);
    return Done;
}

int CommandLine::newSprint()
{
    int next = 1;
    if (!SprintFiles::nextNumber(SprintFiles::list(), &next))
        return fail(FileError, QCoreApplication::translate("CommandLine", "No sprint number is left above the highest."));
    // Created only when no file of that name is there yet, so that two
    // commands at once never make the same sprint: the later one takes the
    // next number.
    for (;; ++next) {
        QFile file(Sprint::fileName(next));
        if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            break;
        if (!file.exists() || next == INT_MAX) {
            return fail(FileError, QCoreApplication::translate("CommandLine", "Cannot make the file %1:\n%2")
                                       .arg(QDir::toNativeSeparators(QDir::current().absoluteFilePath(file.fileName())),
                                            file.errorString()));
        }
    }
    if (m_json) {
        writeOut(stdout, QJsonDocument(QJsonObject{{QStringLiteral("action"), QStringLiteral("created")},
                                                   {QStringLiteral("number"), next}})
                             .toJson());
    } else {
        writeOut(stdout, QByteArray::number(next) + '\n');
    }
    return Done;
}

int CommandLine::restore(const QStringList &args)
{
    NamedList *list = nullptr;
    if (const int status = openList(args.value(0, QStringLiteral("backlog")), &list))
        return status;
    const QStringList history = DeletedTasks().recent(list->fileName());
    if (args.size() < 2) {
        QVector<Row> rows;
        for (int i = 0; i < history.size(); ++i)
            rows.append(Row{QString(), list->name(), i + 1, history.at(i), QString(), 0, QString()});
        print(rows, false);
        return Done;
    }
    QStringList texts;
    for (int i = 1; i < args.size(); ++i) {
        int entry = -1;
        if (!parseLine(args.at(i), &entry)) {
            return usage(QCoreApplication::translate("CommandLine", "%1 is not an entry number: entries count from 1")
                             .arg(quoted(args.at(i))));
        }
        if (entry >= history.size()) {
            return fail(NothingMatched,
                        QCoreApplication::translate("CommandLine", "The history of %1 has no entry %2 (it has %3).")
                            .arg(list->fileName())
                            .arg(entry + 1)
                            .arg(history.size()));
        }
        texts.append(history.at(entry));
    }
    QVector<int> rows;
    if (!list->change(ListEdits::insert(ListEdits::End, texts, &rows)))
        return finish(*list, false);
    return added(*list, texts, rows, QStringLiteral("restored"));
}

int CommandLine::addDirect(const NamedList &list, const QStringList &texts)
{
    QList<QByteArray> utf8Texts;
    int room = 0;
    for (const QString &text : texts) {
        utf8Texts.append(text.toUtf8());
        room += utf8Texts.last().size() + 1;
    }
    DirectChange file(list.fileName());
    if (!file.open(room))
        return LeftToStore;
    TaskListBytes &tasks = file.list();
    const int size = tasks.bytes().size();
    int count = tasks.count();
    QVector<int> rows;
    for (const QByteArray &utf8 : qAsConst(utf8Texts)) {
        // Those added just now are in the list too, and are not added twice.
        if (tasks.contains(utf8)) {
            rows.append(-1);
        } else {
            tasks.append(utf8);
            rows.append(count++);
        }
    }
    if (rows.count(-1) != rows.size() && !file.saveAppended(size))
        return file.isStale() ? LeftToStore : fail(FileError, file.errorString());
    return added(list, texts, rows, QStringLiteral("added"));
}

int CommandLine::editDirect(const NamedList &list, const QStringList &lines)
{
    DirectChange file(list.fileName());
    int row = -1;
    const int room = lines.join(QLatin1Char('\n')).toUtf8().size();
    if (!file.open(room) || !locateDirect(file.list(), m_picks.first(), &row))
        return LeftToStore;
    TaskListBytes &tasks = file.list();
    // As the store's edit: the list keeps a single copy of a task.
    QList<QByteArray> replacement;
    for (const QString &line : lines) {
        const QByteArray utf8 = line.toUtf8();
        const int held = tasks.indexOf(utf8);
        const bool onlyHere = held == row && tasks.indexOf(utf8, row + 1) < 0;
        if ((held < 0 || onlyHere) && !replacement.contains(utf8))
            replacement.append(utf8);
    }
    if (replacement.isEmpty())
        return LeftToStore;
    const QString was = QString::fromUtf8(tasks.at(row));
    if (!keepDeleted(list.fileName(), {was}))
        return fail(FileError, m_failure);
    tasks.replace(row, replacement.join('\n'));
    if (!file.save())
        return fail(FileError, file.errorString());
    for (int i = 0; i < lines.size(); ++i)
        m_report.append(Row{QStringLiteral("edited"), list.name(), row + i + 1, lines.at(i), QString(), 0, was});
    print(m_report, true);
    return Done;
}

int CommandLine::removeDirect(const NamedList &list)
{
    DirectChange file(list.fileName());
    if (!file.open())
        return LeftToStore;
    TaskListBytes &tasks = file.list();
    QVector<int> rows;
    QStringList texts;
    for (const Pick &pick : qAsConst(m_picks)) {
        int row = -1;
        if (!locateDirect(tasks, pick, &row))
            return LeftToStore;
        // A line named twice goes once.
        if (!rows.contains(row)) {
            rows.append(row);
            texts.append(QString::fromUtf8(tasks.at(row)));
        }
    }
    if (!keepDeleted(list.fileName(), texts))
        return fail(FileError, m_failure);
    for (int i = 0; i < rows.size(); ++i)
        m_report.append(Row{QStringLiteral("removed"), list.name(), rows.at(i) + 1, texts.at(i), QString(), 0, QString()});
    std::sort(rows.begin(), rows.end());
    for (int i = rows.size() - 1; i >= 0; --i)
        tasks.remove(rows.at(i));
    if (!file.save())
        return fail(FileError, file.errorString());
    print(m_report, true);
    return Done;
}

int CommandLine::moveDirect(const NamedList &from, const NamedList &to)
{
    if (from.isBacklog()) {
        // Read only, as the windows' "Add tasks" reads the backlog: the
        // change is an add to the sprint.
        QByteArray text;
        {
            DirectChange backlog(from.fileName());
            int row = -1;
            if (!backlog.open() || !locateDirect(backlog.list(), m_picks.first(), &row))
                return LeftToStore;
            text = backlog.list().at(row);
        }
        return addDirect(to, {QString::fromUtf8(text)});
    }

    DirectChange source(from.fileName());
    DirectChange target(to.fileName());
    // Locked in the order the stores lock two lists, so that a move here
    // and one in a window never each hold one lock and wait for the other.
    if (source.lockFilePath() == target.lockFilePath())
        return LeftToStore;
    const bool sourceFirst = source.lockFilePath() < target.lockFilePath();
    // Room in the target for a task of some length; a longer one moves it.
    constexpr int TaskRoom = 4096;
    const bool opened = sourceFirst ? source.open() && target.open(TaskRoom) : target.open(TaskRoom) && source.open();
    if (!opened)
        return LeftToStore;
    int row = -1;
    if (!locateDirect(source.list(), m_picks.first(), &row))
        return LeftToStore;
    const QByteArray text = source.list().at(row);
    // The target first: a crash in between leaves the task in both lists,
    // never in neither.
    const int size = target.list().bytes().size();
    int at = target.list().indexOf(text);
    const bool held = at >= 0;
    if (!held) {
        at = target.list().count();
        target.list().append(text);
        if (!target.saveAppended(size))
            return LeftToStore;
    }
    source.list().remove(row);
    if (!source.save()) {
        if (held || target.putBack(size))
            return LeftToStore;
        return fail(FileError, QCoreApplication::translate("CommandLine", "%1\nThe task is now in %2 too: taking it "
                                                                          "back out failed as well:\n%3")
                                   .arg(source.errorString(), to.fileName(), target.errorString()));
    }
    const QString moved = QString::fromUtf8(text);
    if (held) {
        note(QCoreApplication::translate("CommandLine", "%1 held %2 already; it left %3.")
                 .arg(to.fileName(), quoted(moved), from.fileName()));
    }
    m_report.append(Row{QStringLiteral("moved"), to.name(), at + 1, moved, from.name(), row + 1, QString()});
    print(m_report, true);
    return Done;
}

int CommandLine::reorderDirect(const NamedList &list, const QString &command)
{
    DirectChange file(list.fileName());
    int row = -1;
    if (!file.open() || !locateDirect(file.list(), m_picks.first(), &row))
        return LeftToStore;
    TaskListBytes &tasks = file.list();
    const int to = reorderTarget(command, row, tasks.count());
    const QString text = QString::fromUtf8(tasks.at(row));
    if (to != row) {
        tasks.move(row, to);
        if (!file.save())
            return fail(FileError, file.errorString());
    }
    m_report.append(Row{QStringLiteral("moved"), list.name(), to + 1, text, list.name(), row + 1, QString()});
    print(m_report, true);
    return Done;
}

bool CommandLine::locateDirect(const TaskListBytes &tasks, const Pick &pick, int *row) const
{
    *row = pick.byText ? tasks.indexOf(pick.text.toUtf8()) : pick.row;
    const QByteArray text = tasks.at(*row);
    return !text.isNull() && (pick.byText || !pick.hasExpect || text == pick.expect.toUtf8());
}

bool CommandLine::locate(const QStringList &tasks, const Pick &pick, const QString &list, int *row,
                         QString *why) const
{
    if (pick.byText) {
        *row = tasks.indexOf(pick.text);
        if (*row < 0)
            *why = QCoreApplication::translate("CommandLine", "No task of %1 reads %2.").arg(list, quoted(pick.text));
        return *row >= 0;
    }
    *row = pick.row;
    if (pick.row >= tasks.size()) {
        *why = QCoreApplication::translate("CommandLine", "%1 has no line %2: it has %3.")
                   .arg(list)
                   .arg(pick.row + 1)
                   .arg(tasks.size());
        return false;
    }
    if (pick.hasExpect && tasks.at(pick.row) != pick.expect) {
        *why = QCoreApplication::translate("CommandLine", "Line %1 of %2 reads %3, not %4; nothing was changed.")
                   .arg(pick.row + 1)
                   .arg(list, quoted(tasks.at(pick.row)), quoted(pick.expect));
        return false;
    }
    return true;
}

int CommandLine::changePicked(NamedList &list, const PickedEdit &edit)
{
    const bool changed = list.change([&](QStringList &tasks) {
        // Found in the file as it is now, under the lock, so that a task
        // that moved meanwhile is never taken for another.
        QVector<int> rows;
        QStringList texts;
        for (const Pick &pick : qAsConst(m_picks)) {
            int row = -1;
            if (!locate(tasks, pick, list.fileName(), &row, &m_why))
                return Outcome::NotFound;
            rows.append(row);
            texts.append(tasks.at(row));
        }
        m_report.clear();
        return edit(tasks, rows, texts);
    });
    return changedWithReport(list, changed);
}

int CommandLine::changedWithReport(NamedList &list, bool changed)
{
    if (!m_failure.isEmpty())
        return fail(FileError, m_failure);
    if (!changed)
        return finish(list, false);
    print(m_report, true);
    return Done;
}

bool CommandLine::keepDeleted(const QString &fileName, const QStringList &texts)
{
    DeletedTasks history;
    if (history.append(fileName, texts))
        return true;
    m_failure = history.errorString() + QCoreApplication::translate("CommandLine", "\nNothing was changed.");
    return false;
}

int CommandLine::finish(NamedList &list, bool changed)
{
    if (changed)
        return Done;
    if (list.isNotFound())
        return fail(NothingMatched, m_why.isEmpty() ? list.errorString() : m_why);
    return fail(FileError, list.errorString());
}

void CommandLine::print(const QVector<Row> &rows, bool asChanges)
{
    if (m_json) {
        QJsonArray array;
        for (const Row &row : rows) {
            QJsonObject object{{QStringLiteral("line"), row.line}, {QStringLiteral("text"), row.text}};
            if (asChanges) {
                object.insert(QStringLiteral("action"), row.action);
                object.insert(QStringLiteral("list"), row.list);
                if (!row.from.isEmpty()) {
                    object.insert(QStringLiteral("from"), row.from);
                    object.insert(QStringLiteral("fromLine"), row.fromLine);
                }
                if (!row.was.isNull())
                    object.insert(QStringLiteral("was"), row.was);
            }
            array.append(object);
        }
        writeOut(stdout, QJsonDocument(array).toJson());
        return;
    }
    QByteArray out;
    for (const Row &row : rows) {
        out += QByteArray::number(row.line);
        out += '\t';
        out += row.text.toUtf8();
        out += '\n';
    }
    writeOut(stdout, out);
}

void CommandLine::note(const QString &message)
{
    writeOut(stderr, QStringLiteral("corvane: %1\n").arg(message).toUtf8());
}

int CommandLine::fail(int status, const QString &message)
{
    note(message);
    return status;
}

int CommandLine::usage(const QString &message)
{
    return fail(UsageError, message + QCoreApplication::translate("CommandLine", "\nTry \"corvane --help\"."));
}

QString CommandLine::helpText(const QCommandLineParser &parser, const QString &command) const
{
    const auto tr = [](const char *text) { return QCoreApplication::translate("CommandLine", text); };
    if (const CommandSpec *spec = findCommand(command)) {
        QString text = tr("Usage: corvane [-C folder] [--json] %1 %2\n")
                           .arg(QLatin1String(spec->name), QLatin1String(spec->arguments));
        if (spec->alias)
            text += tr("Also: corvane %1\n").arg(QLatin1String(spec->alias));
        text += QLatin1Char('\n') + tr(spec->summary) + QLatin1String("\n\n");
        if (spec->lineAt >= 0) {
            text += tr("  --expect <text>  Change line N only if it reads <text>; once per N.\n"
                       "  --text <text>    Name the task by its exact text instead of by N.\n\n");
        }
        return text + tr(listText) + QLatin1Char('\n') + tr(exitStatusText);
    }
    QString text = parser.helpText() + tr("\nCommands:\n");
    for (const CommandSpec &spec : commands) {
        QString synopsis = QLatin1String(spec.name) + QLatin1Char(' ') + QLatin1String(spec.arguments);
        if (spec.alias)
            synopsis += QStringLiteral(" (%1)").arg(QLatin1String(spec.alias));
        const QString summary = tr(spec.summary);
        text += QStringLiteral("  %1\n      %2\n").arg(synopsis.trimmed(), summary.left(summary.indexOf(QLatin1Char('.')) + 1));
    }
    return text + QLatin1Char('\n') + tr(listText) + tr("\"corvane --help COMMAND\" tells more of one command.\n\n")
           + tr(exitStatusText);
}
