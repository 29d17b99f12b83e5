// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include "command.h"
#include "donemark.h"
#include "namedlist.h"
#include "tasklist.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextCodec>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <unistd.h>

namespace {

const char exitStatusText[] = QT_TRANSLATE_NOOP(
    "CommandLine", "Exit status:\n"
                   "  0  done\n"
                   "  1  nothing matched (no such line, task or sprint), or the list's rules refused the\n"
                   "     change (it holds the text already, or --expect was not met)\n"
                   "  2  usage error\n"
                   "  3  a file could not be read or written, or the output could not be written (the\n"
                   "     file and the reason on stderr)\n");

const char environmentText[] = QT_TRANSLATE_NOOP(
    "CommandLine", "Environment:\n"
                   "  CORVANE_DIR  the planner folder of the commands when no -C is given (the windows\n"
                   "               open in the current folder)\n");

const char listText[] = QT_TRANSLATE_NOOP(
    "CommandLine", "LIST is \"backlog\" or a sprint number (as \"sprints\" prints it). N is a line number as\n"
                   "\"list\" prints it, counting from 1. Text is read and printed as UTF-8. After the\n"
                   "command's name, an argument that is none of its options is text, one that starts\n"
                   "with - too; after --, every argument is.\n");

// The options of Qt's own and of the windows, which start the windows rather
// than a command, and how many values each takes. Qt takes each with one
// dash or two, and a value after "=" too.
int qtOptionValues(QByteArray argument)
{
    static const struct {
        const char *name;
        int values;
    } qt[] = {{"platform", 1}, {"platformpluginpath", 1}, {"platformtheme", 1}, {"plugin", 1},
              {"qmljsdebugger", 1}, {"qwindowgeometry", 1}, {"qwindowicon", 1}, {"qwindowtitle", 1},
              {"reverse", 0}, {"session", 1}, {"style", 1}, {"stylesheet", 1}, {"widgetcount", 0},
              {"display", 1}, {"geometry", 1}, {"title", 1}, {"name", 1}, {"visual", 1}, {"ncols", 1},
              {"cmap", 0}, {"nograb", 0}, {"dograb", 0}, {"sync", 0}, {"fn", 1}, {"font", 1}, {"bg", 1},
              {"background", 1}, {"fg", 1}, {"foreground", 1}, {"btn", 1}, {"button", 1}, {"im", 1},
              {"inputstyle", 1}, {"last-folder", 0}};
    if (argument.startsWith("--"))
        argument.remove(0, 1);
    if (!argument.startsWith('-'))
        return -1;
    argument = argument.mid(1);
    const int equals = argument.indexOf('=');
    if (equals >= 0)
        argument.truncate(equals);
    for (const auto &option : qt) {
        if (argument == option.name)
            return equals >= 0 ? 0 : option.values;
    }
    return -1;
}

bool decodeUtf8(const QByteArray &bytes, QString *text)
{
    QTextCodec::ConverterState state;
    *text = QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0;
}


// Takes the value of the option name from arguments at *at, written as
// "--name value" or "--name=value": false when argument is no such option.
bool takeValue(const QStringList &arguments, int *at, const QString &name, QStringList *values, bool *missing)
{
    const QString &argument = arguments.at(*at);
    const QString option = QLatin1String("--") + name;
    if (argument.startsWith(option + QLatin1Char('='))) {
        values->append(argument.mid(option.size() + 1));
        return true;
    }
    if (argument != option)
        return false;
    if (*at + 1 >= arguments.size())
        *missing = true;
    else
        values->append(arguments.at(++*at));
    return true;
}

// The folders that the -C options among arguments name, in order.
QList<QByteArray> namedFolders(const QList<QByteArray> &arguments)
{
    QList<QByteArray> folders;
    for (int i = 1; i < arguments.size(); ++i) {
        const QByteArray &argument = arguments.at(i);
        if (argument == "--")
            break;
        if (argument.startsWith("-C"))
            folders.append(argument.size() > 2 ? argument.mid(2) : arguments.value(++i));
    }
    return folders;
}

} // namespace

bool CommandLine::parseLine(const QString &argument, int *row)
{
    bool ok = false;
    const int line = argument.toInt(&ok, 10);
    if (!ok || line < 1 || !argument.at(0).isDigit())
        return false;
    *row = line - 1;
    return true;
}

CommandLine::CommandLine() = default;

CommandLine::~CommandLine()
{
    qDeleteAll(m_lists);
}

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
        // Qt's own options (-platform, -style, ...) start the windows; any
        // other argument is the command line's, to be told if it is none
        // of its own, without a display.
        const int values = qtOptionValues(argument);
        if (values < 0)
            return true;
        i += values;
    }
    return false;
}

bool CommandLine::enterFolders(const QList<QByteArray> &arguments, QString *error)
{
    for (const QByteArray &folder : namedFolders(arguments)) {
        if (::chdir(folder.constData()) != 0) {
            *error = tr("Cannot open the folder %1: %2")
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
        if (!decodeUtf8(arguments.at(i), &text))
            return usage(tr("argument %1 is not valid UTF-8, and task lists hold UTF-8 text").arg(i));
        args.append(text);
    }
    // Help names the program as its users type it, wherever it was run from.
    if (!args.isEmpty())
        args[0] = QStringLiteral("corvane");

    // The options before the command's name are the program's own; after
    // it, those of the command, and text.
    int name = 1;
    while (name < args.size() && args.at(name).startsWith(QLatin1Char('-')) && args.at(name) != QLatin1String("--"))
        name += args.at(name) == QLatin1String("-C") ? 2 : 1;
    name = qMin(name, int(args.size()));
    const int options = name;
    if (name < args.size() && args.at(name) == QLatin1String("--"))
        ++name;
    const int status = runCommand(args.mid(0, options), args.mid(name), arguments.mid(0, options));
    // Output that did not reach its file is a file error, even after a
    // change was made.
    if (!flushOutput())
        return fail(FileError, tr("Cannot write the output: %1").arg(QString::fromLocal8Bit(std::strerror(errno))));
    return status;
}

int CommandLine::runCommand(const QStringList &global, QStringList rest, const QList<QByteArray> &folders)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(tr("Plan a product backlog and numbered sprints, kept as plain text files in "
                                        "the folder.\nWith no command, open the windows."));
    parser.addOption({QStringLiteral("C"), tr("Work on the lists of <folder>, for the windows too."),
                      QStringLiteral("folder")});
    const QCommandLineOption lastFolder(QStringLiteral("last-folder"),
                                        tr("Open the windows on the planner folder used last, as the desktop "
                                           "menu's entry does."));
    parser.addOption(lastFolder);
    parser.addOption({QStringLiteral("json"), tr("Print data as JSON.")});
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("command"), tr("One of the commands below."),
                                 QStringLiteral("COMMAND [ARGUMENTS...]"));
    // Before the command, an option the program does not take is an error.
    if (!parser.parse(global))
        return usage(parser.errorText());

    const QString name = rest.isEmpty() ? QString() : rest.takeFirst();
    const Command *command = Command::find(name);
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        if (!name.isEmpty() && !command)
            return usage(tr("no command %1").arg(quoted(name)));
        output(helpText(parser.helpText(), command).toUtf8());
        return Done;
    }
    if (parser.isSet(version)) {
        output(QStringLiteral("%1 %2\n")
                   .arg(QCoreApplication::applicationName(), QCoreApplication::applicationVersion())
                   .toUtf8());
        return Done;
    }
    if (!command)
        return usage(name.isEmpty() ? tr("no command given") : tr("no command %1").arg(quoted(name)));
    if (parser.isSet(lastFolder))
        return usage(tr("--last-folder is for the windows: give a command its folder with -C"));

    // After the command's name, its own options; every other argument is
    // text, one that starts with a dash too, and all after --.
    m_json = parser.isSet(QStringLiteral("json"));
    const QStringList options = command->options();
    QStringList positional;
    QStringList expected;
    QStringList texts;
    bool missing = false;
    for (int i = 0; i < rest.size(); ++i) {
        const QString &argument = rest.at(i);
        if (argument == QLatin1String("--")) {
            positional += rest.mid(i + 1);
            break;
        }
        if (argument == QLatin1String("--json")) {
            m_json = true;
            continue;
        }
        if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
            output(helpText(parser.helpText(), command).toUtf8());
            return Done;
        }
        if (std::any_of(options.cbegin(), options.cend(), [&](const QString &option) {
                QStringList values;
                if (!takeValue(rest, &i, option, &values, &missing))
                    return false;
                m_options.insert(option, values.value(0));
                return true;
            })) {
            if (missing)
                return usage(tr("%1 needs a value after it").arg(argument));
            continue;
        }
        if (command->namesTasks()
            && (takeValue(rest, &i, QStringLiteral("expect"), &expected, &missing)
                || takeValue(rest, &i, QStringLiteral("text"), &texts, &missing))) {
            if (missing)
                return usage(tr("%1 needs a text after it").arg(argument));
            continue;
        }
        positional.append(argument);
    }
    if (texts.size() > 1)
        return usage(tr("give --text once: a command names one task by its text"));
    if (const int status = takePicks(*command, &positional, expected, texts.value(0)))
        return status;

    // With no -C, a command works in the folder CORVANE_DIR names, as
    // todo.txt's TODO_DIR does.
    const QByteArray defaultFolder = qgetenv("CORVANE_DIR");
    QString error;
    if (namedFolders(folders).isEmpty() && !defaultFolder.isEmpty()) {
        if (::chdir(defaultFolder.constData()) != 0) {
            return fail(FileError, tr("Cannot open the folder %1 that CORVANE_DIR names: %2")
                                       .arg(QFile::decodeName(defaultFolder),
                                            QString::fromLocal8Bit(std::strerror(errno))));
        }
    } else if (!enterFolders(folders, &error)) {
        return fail(FileError, error);
    }
    m_folder = QDir::currentPath();
    // A folder with no list is most likely not the one meant: reading it
    // would answer with an empty list, as if the planner were empty.
    if (command->onlyReads(positional) && !NamedList::folderHoldsList()) {
        return fail(NothingMatched, tr("The folder %1 holds no planner: it has no product_backlog and no sprint file.")
                                        .arg(QDir::toNativeSeparators(m_folder)));
    }
    return command->run(*this, positional);
}

int CommandLine::takePicks(const Command &command, QStringList *rest, const QStringList &expected,
                           const QString &byText)
{
    const Command::Spec &spec = command.spec();
    const QString usageLine = QStringLiteral("corvane %1 %2").arg(QLatin1String(spec.name), QLatin1String(spec.arguments));
    const bool named = !byText.isNull();
    if (named && !expected.isEmpty())
        return usage(tr("--text names the task already; leave out --expect"));
    // With --text, N is left out.
    const int least = spec.least - (named ? 1 : 0);
    const int most = named && spec.manyLines ? least : spec.most - (named && spec.most >= 0 ? 1 : 0);
    if (rest->size() < least || (most >= 0 && rest->size() > most))
        return usage(tr("usage: %1").arg(usageLine));

    m_picks.clear();
    if (named) {
        TaskPick pick;
        pick.byText = true;
        pick.text = byText;
        m_picks.append(pick);
        return Done;
    }
    if (!command.namesTasks())
        return Done;
    const int count = spec.manyLines ? rest->size() - spec.lineAt : 1;
    if (!expected.isEmpty() && expected.size() != count)
        return usage(tr("give --expect once for each line number"));
    for (int i = 0; i < count; ++i) {
        const QString line = rest->takeAt(spec.lineAt);
        TaskPick pick;
        if (!parseLine(line, &pick.row))
            return usage(tr("%1 is not a line number: lines count from 1").arg(quoted(line)));
        pick.hasExpect = !expected.isEmpty();
        pick.expect = expected.value(i);
        m_picks.append(pick);
    }
    return Done;
}

int CommandLine::openList(const QString &name, NamedList **list)
{
    const int number = NamedList::numberOf(name);
    if (number < 0)
        return usage(tr("%1 is not a list: give backlog or a sprint number such as 3").arg(quoted(name)));
    m_lists.append(new NamedList(number));
    *list = m_lists.last();
    // A sprint comes to be only by new-sprint; naming one must not make it.
    if (number > 0 && !(*list)->exists()) {
        return fail(NothingMatched,
                    tr("There is no sprint %1 in %2.").arg(number).arg(QDir::toNativeSeparators(m_folder)));
    }
    return Done;
}

bool CommandLine::locatePicks(const TaskList &tasks, const NamedList &list, QVector<int> *rows)
{
    rows->clear();
    for (const TaskPick &pick : qAsConst(m_picks)) {
        const int row = pick.locate(tasks, list.fileName(), &m_why);
        if (row < 0)
            return false;
        rows->append(row);
    }
    return true;
}

int CommandLine::finish(const NamedList &list, bool changed, const QString &held)
{
    if (changed)
        return Done;
    const ChangeResult result = list.result();
    switch (result.status) {
    case ChangeResult::Done:
        return Done;
    case ChangeResult::NotFound:
        return fail(NothingMatched, m_why.isEmpty() ? result.message : m_why);
    case ChangeResult::Held:
        return fail(NothingMatched, held.isEmpty() ? result.message : held);
    case ChangeResult::Missing:
        return fail(NothingMatched, result.message);
    case ChangeResult::Refused:
    case ChangeResult::Failed:
        break;
    }
    return fail(FileError, result.message);
}

int CommandLine::added(const NamedList &list, const QStringList &texts, const QVector<int> &rows,
                       const QString &action)
{
    for (int i = 0; i < texts.size(); ++i) {
        if (rows.value(i, -1) >= 0)
            report(Row{action, list.name(), rows.at(i) + 1, texts.at(i), QString(), 0, QString()});
        else
            note(tr("%1 holds %2 already.").arg(list.fileName(), quoted(texts.at(i))));
    }
    return printReport();
}

int CommandLine::printReport()
{
    print(m_report, true);
    return Done;
}

void CommandLine::print(const QVector<Row> &rows, bool asChanges)
{
    if (m_json) {
        QJsonArray array;
        for (const Row &row : rows) {
            QJsonObject object{{QStringLiteral("line"), row.line}, {QStringLiteral("text"), row.text}};
            const QDate done = DoneMark::date(row.text);
            object.insert(QStringLiteral("done"), done.isValid());
            if (done.isValid())
                object.insert(QStringLiteral("doneOn"), done.toString(Qt::ISODate));
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
        output(QJsonDocument(array).toJson());
        return;
    }
    QByteArray out;
    for (const Row &row : rows) {
        out += QByteArray::number(row.line);
        out += '\t';
        out += row.text.toUtf8();
        out += '\n';
    }
    output(out);
}

void CommandLine::printData(const QJsonDocument &json, const QByteArray &plain)
{
    output(m_json ? json.toJson() : plain);
}

void CommandLine::output(const QByteArray &bytes)
{
    if (std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout) != size_t(bytes.size()))
        m_outputFailed = true;
}

bool CommandLine::flushOutput()
{
    // A full disk or a closed pipe shows here, when the buffer is written.
    const bool flushed = std::fflush(stdout) == 0 && !std::ferror(stdout);
    return flushed && !m_outputFailed;
}

void CommandLine::note(const QString &message)
{
    const QByteArray bytes = QStringLiteral("corvane: %1\n").arg(message).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stderr);
}

int CommandLine::fail(int status, const QString &message)
{
    note(message);
    return status;
}

int CommandLine::usage(const QString &message)
{
    return fail(UsageError, message + tr("\nTry \"corvane --help\"."));
}

QString CommandLine::quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString CommandLine::helpText(const QString &globalHelp, const Command *command) const
{
    if (command) {
        const Command::Spec &spec = command->spec();
        QString text = tr("Usage: corvane [-C folder] %1 %2 [--json]\n")
                           .arg(QLatin1String(spec.name), QLatin1String(spec.arguments));
        if (spec.alias)
            text += tr("Also: corvane %1\n").arg(QLatin1String(spec.alias));
        text += QLatin1Char('\n') + tr(spec.summary) + QLatin1String("\n\n");
        if (command->namesTasks()) {
            text += tr("  --expect <text>  Change line N only if it reads <text>; once per N.\n"
                       "  --text <text>    Name the task by its exact text instead of by N.\n\n");
        }
        return text + tr(listText) + QLatin1Char('\n') + tr(exitStatusText);
    }
    QString text = globalHelp + tr("\nCommands:\n");
    for (const Command *each : Command::all()) {
        const Command::Spec &spec = each->spec();
        QString synopsis = QLatin1String(spec.name) + QLatin1Char(' ') + QLatin1String(spec.arguments);
        if (spec.alias)
            synopsis += QStringLiteral(" (%1)").arg(QLatin1String(spec.alias));
        const QString summary = tr(spec.summary);
        text += QStringLiteral("  %1\n      %2\n")
                    .arg(synopsis.trimmed(), summary.left(summary.indexOf(QLatin1Char('.')) + 1));
    }
    return text + QLatin1Char('\n') + tr(listText) + tr("\"corvane --help COMMAND\" tells more of one command.\n\n")
           + tr(environmentText) + QLatin1Char('\n') + tr(exitStatusText);
}
