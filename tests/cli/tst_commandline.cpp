// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "productbacklog.h"
#include "tasklistcodec.h"
#include "workdir.h"

#include <QJsonDocument>
#include <QProcess>
#include <QtTest>

// The command line, run as the real program from a shell with no display
// and the C locale, as cron and git hooks run it: its output, its exit
// status and the files' bytes afterwards.
class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void commands_data();
    void commands();
    void badInputs_data();
    void badInputs();
    void hostileInputs_data();
    void hostileInputs();
    void sharesTheListWithAWindowsStore();
};

namespace {

struct Result {
    int status = -1;
    QByteArray out;
    QByteArray err;
};

// Runs script with sh in the current folder, "$C" standing for the program.
Result runScript(const QByteArray &script)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("DISPLAY"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("C"), QStringLiteral(CORVANE));
    QProcess shell;
    shell.setProcessEnvironment(env);
    shell.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), QString::fromUtf8(script)});
    shell.waitForFinished(-1);
    return Result{shell.exitStatus() == QProcess::NormalExit ? shell.exitCode() : -1, shell.readAllStandardOutput(),
                  shell.readAllStandardError()};
}

// A file's bytes, or null when there is none.
void put(const QString &name, const QByteArray &bytes)
{
    if (!bytes.isNull())
        QVERIFY(WorkDir::write(name, bytes));
}

QByteArray bytesOf(const QString &name)
{
    return QFile::exists(name) ? WorkDir::read(name) : QByteArray();
}

// Every entry of the folder, as "name=bytes", "name->target", "name|" for
// a named pipe or "name/" for a folder, joined by spaces; lock files and a
// history held as a file are left out, the history's entries being stamped
// with the time.
QByteArray folderState()
{
    QByteArray state;
    const QFileInfoList entries = QDir().entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                                       QDir::Name);
    for (const QFileInfo &entry : entries) {
        const QString name = entry.fileName();
        if (name.endsWith(QLatin1String(".lock")) && entry.isFile() && !entry.isSymLink())
            continue;
        if (name == QLatin1String(".deleted_tasks") && entry.isFile() && !entry.isSymLink())
            continue;
        state += (state.isEmpty() ? "" : " ") + QFile::encodeName(name);
        if (entry.isSymLink()) {
            state += "->" + QFile::encodeName(QFile::symLinkTarget(entry.filePath()).section(QLatin1Char('/'), -1));
        } else if (entry.isDir()) {
            state += '/';
        } else if (!entry.isFile()) {
            state += '|';
        } else {
            state += '=';
            for (const char c : WorkDir::read(name)) {
                if (c == '\n')
                    state += "\\n";
                else if (c >= 32 && c < 127)
                    state += c;
                else
                    state += "\\x" + QByteArray::number(uchar(c), 16).rightJustified(2, '0');
            }
        }
    }
    return state;
}

void compareOutput(const QByteArray &actual, const QByteArray &expected)
{
    // JSON is compared as data, not as layout.
    if (expected.startsWith('[') || expected.startsWith('{'))
        QCOMPARE(QJsonDocument::fromJson(actual), QJsonDocument::fromJson(expected));
    else
        QCOMPARE(actual, expected);
}

} // namespace

void TestCommandLine::commands_data()
{
    QTest::addColumn<QByteArray>("backlog");
    QTest::addColumn<QByteArray>("sprint1");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<int>("status");
    QTest::addColumn<QByteArray>("backlogAfter");
    QTest::addColumn<QByteArray>("sprint1After");

    const QByteArray none;
    const QByteArray ab("a\nb");
    QTest::newRow("list") << ab << none << QByteArray("$C list") << QByteArray("1\ta\n2\tb\n") << 0 << ab << none;
    QTest::newRow("list of no backlog makes none") << none << QByteArray("") << QByteArray("$C ls") << QByteArray() << 0
                                                   << none << QByteArray("");
    QTest::newRow("list a sprint by its file name, as JSON")
        << none << QByteArray("x y\n\n") << QByteArray("$C list sprint1 --json")
        << QByteArray(R"([{"line":1,"text":"x y","done":false},{"line":2,"text":"","done":false}])") << 0 << none << QByteArray("x y\n\n");
    QTest::newRow("add, not twice") << ab << none << QByteArray("$C add backlog b 'c d' a") << QByteArray("3\tc d\n")
                                    << 0 << QByteArray("a\nb\nc d") << none;
    QTest::newRow("add the lines of a text, as the dialog splits it")
        << ab << none << QByteArray("$C a backlog \"$(printf 'c\\n\\r\\nd')\"") << QByteArray("3\tc\n4\td\n") << 0
        << QByteArray("a\nb\nc\nd") << none;
    QTest::newRow("add UTF-8 under the C locale, as JSON")
        << none << QByteArray("") << QByteArray("$C add 1 'Café ✓' --json")
        << QByteArray(R"([{"action":"added","list":"1","line":1,"text":"Café ✓","done":false}])") << 0 << none
        << QByteArray("Café ✓");
    QTest::newRow("edit") << ab << none << QByteArray("$C edit backlog 2 B") << QByteArray("2\tB\n") << 0
                          << QByteArray("a\nB") << none;
    QTest::newRow("edit by text, into two lines")
        << ab << none << QByteArray("$C replace backlog --text a \"$(printf 'A\\nA2')\"")
        << QByteArray("1\tA\n2\tA2\n") << 0 << QByteArray("A\nA2\nb") << none;
    QTest::newRow("rm with --expect met") << QByteArray("a\nb\nc") << none
                                          << QByteArray("$C rm backlog 3 1 1 --expect c --expect a --expect a")
                                          << QByteArray("3\tc\n1\ta\n") << 0 << QByteArray("b") << none;
    QTest::newRow("rm, then restore from the history")
        << QByteArray("a\nb\nc") << none
        << QByteArray("$C del backlog 2 >/dev/null && $C rm backlog 1 >/dev/null && $C restore && $C restore backlog 2")
        << QByteArray("1\ta\n2\tb\n2\tb\n") << 0 << QByteArray("c\nb") << none;
    QTest::newRow("mv between sprints")
        << none << QByteArray("s\nt") << QByteArray(": > sprint2 && $C mv 2 1 2 --json && cat sprint2")
        << QByteArray(R"([{"action":"moved","list":"2","line":1,"text":"t","from":"1","fromLine":2,"done":false}])") + "t" << 0
        << none << QByteArray("s");
    QTest::newRow("mv to a sprint that holds the task")
        << none << QByteArray("s\nt") << QByteArray("printf t > sprint2 && $C mv 2 1 2 && cat sprint2")
        << QByteArray("1\tt\nt") << 0 << none << QByteArray("s");
    QTest::newRow("add next to longer and shorter tasks")
        << QByteArray("ab\nb a") << none << QByteArray("$C add backlog a b") << QByteArray("3\ta\n4\tb\n") << 0
        << QByteArray("ab\nb a\na\nb") << none;
    QTest::newRow("rm by text takes the first twin") << QByteArray("a\nb\na") << none
                                                     << QByteArray("$C rm backlog --text a") << QByteArray("1\ta\n")
                                                     << 0 << QByteArray("b\na") << none;
    QTest::newRow("rm the last task drops the empty one before it")
        << QByteArray("a\n\nb") << none << QByteArray("$C rm backlog 3") << QByteArray("3\tb\n") << 0
        << QByteArray("a") << none;
    QTest::newRow("edit into a task the list holds is refused")
        << ab << none << QByteArray("$C edit backlog 1 b") << QByteArray() << 1 << ab << none;
    QTest::newRow("mv from the backlog adds") << ab << QByteArray("s") << QByteArray("$C move 2 backlog 1")
                                              << QByteArray("2\tb\n") << 0 << ab << QByteArray("s\nb");
    QTest::newRow("up") << QByteArray("a\nb\nc") << none << QByteArray("$C up backlog 3") << QByteArray("2\tc\n") << 0
                        << QByteArray("a\nc\nb") << none;
    QTest::newRow("up at the top stays") << ab << none << QByteArray("$C up backlog 1") << QByteArray("1\ta\n") << 0
                                         << ab << none;
    QTest::newRow("down") << QByteArray("a\nb\nc") << none << QByteArray("$C down backlog 1") << QByteArray("2\ta\n")
                          << 0 << QByteArray("b\na\nc") << none;
    QTest::newRow("top") << QByteArray("a\nb\nc") << none << QByteArray("$C top backlog 3") << QByteArray("1\tc\n")
                         << 0 << QByteArray("c\na\nb") << none;
    QTest::newRow("bottom by text") << QByteArray("a\nb\nc") << none << QByteArray("$C bottom backlog --text a")
                                    << QByteArray("3\ta\n") << 0 << QByteArray("b\nc\na") << none;
    QTest::newRow("new-sprint, sprints") << none << QByteArray("s")
                                         << QByteArray(": > sprint7~ && $C new-sprint && $C new-sprint && $C sprints")
                                         << QByteArray("2\n3\n1\n2\n3\n") << 0 << none << QByteArray("s");
    QTest::newRow("conflict copies are no sprints, and are told")
        << none << QByteArray("s")
        << QByteArray(": > 'sprint1 (conflict_on_2024-03-01)' && : > sprint9.sync-conflict-20240301-101500-ABCDEF2 && "
                      ": > 'schedule (conflict_on_2024-03-01)' && $C new-sprint >/dev/null && $C sprints --json && "
                      "$C sprints 2>&1 >/dev/null | grep -c ': schedule has conflict copies to merge in the main window'")
        << QByteArray(R"x([{"number":1,"conflictCopies":["sprint1 (conflict_on_2024-03-01)"]},{"number":2}])x" "\n1\n") << 0
        << none << QByteArray("s");
    QTest::newRow("-C folder") << ab << none << QByteArray("mkdir in && $C -C in add backlog z && $C -Cin list")
                               << QByteArray("1\tz\n1\tz\n") << 0 << ab << none;
    // CORVANE_DIR is the folder of a command without -C, relative to where
    // it runs; a -C wins, and an empty one names none.
    QTest::newRow("CORVANE_DIR, and -C over it")
        << ab << none
        << QByteArray("mkdir in && export CORVANE_DIR=in && $C add backlog z && $C -C . add backlog y && "
                      "CORVANE_DIR= $C list && cd in && CORVANE_DIR=. $C list")
        << QByteArray("1\tz\n3\ty\n1\ta\n2\tb\n3\ty\n1\tz\n") << 0 << QByteArray("a\nb\ny") << none;
    // Help and the version print and leave, with no window and no file made.
    QTest::newRow("--help, --version make nothing")
        << none << none << QByteArray("$C --help | grep -c '^Usage: ' && $C -C . --version | grep -c '^corvane [0-9]'")
        << QByteArray("1\n1\n") << 0 << none << none;
    // Done today, with todo.txt's mark; a task is its text after the mark.
    const QByteArray today = QDate::currentDate().toString(Qt::ISODate).toUtf8();
    QTest::newRow("done and undone, by line and by text, a line named twice once")
        << none << QByteArray("a\nb\nc") << QByteArray("$C done 1 3 1 1 && $C undone 1 --text a")
        << "3\tx " + today + " c\n1\tx " + today + " a\n1\ta\n" << 0 << none << "a\nb\nx " + today + " c";
    QTest::newRow("a done task keeps its day, holds its text, and lists as the file has it")
        << QByteArray("b") << QByteArray("x 2026-12-01 b\na")
        << QByteArray("$C do 1 1 >/dev/null && $C add 1 b && $C mv 1 backlog 1 >/dev/null && $C ls 1 --json")
        << QByteArray(R"([{"line":1,"text":"x 2026-12-01 b","done":true,"doneOn":"2026-12-01"},)"
                      R"({"line":2,"text":"a","done":false}])")
        << 0 << QByteArray("b") << QByteArray("x 2026-12-01 b\na");
    // todo.sh's archive moves the done tasks to its done.txt.
    QTest::newRow("todo.sh archives what done marked")
        << none << QByteArray("a\nb")
        << QByteArray("$C done 1 1 >/dev/null && printf 'export TODO_DIR=.\\nexport TODO_FILE=sprint1\\n"
                      "export DONE_FILE=done.txt\\nexport REPORT_FILE=report.txt\\n' > todo.cfg && "
                      "todo-txt -d todo.cfg -f archive >/dev/null && cat done.txt")
        << "x " + today + " a\n" << 0 << none << QByteArray("b");
    QTest::newRow("near misses of the mark are open tasks")
        << QByteArray("x2026-12-08 a\nX 2026-12-08 b\nx 2026-13-45 c") << none
        << QByteArray("$C done backlog 3 && $C status") << "3\tx " + today + " x 2026-13-45 c\n" << 0
        << "x2026-12-08 a\nX 2026-12-08 b\nx " + today + " x 2026-13-45 c" << none;
    QTest::newRow("status in the order of the numbers, as JSON")
        << none << QByteArray("x 2026-12-01 a\n\nb")
        << QByteArray(": > sprint10 && printf 'x 2026-12-02 c' > sprint2 && $C status --json")
        << QByteArray(R"([{"sprint":1,"tasks":2,"done":1},{"sprint":2,"tasks":1,"done":1},)"
                      R"({"sprint":10,"tasks":0,"done":0}])")
        << 0 << none << QByteArray("x 2026-12-01 a\n\nb");
    // A sprint's life, with dates in the past so that the figures are fixed.
    const QByteArray dated("$C sprint 1 --start 2026-12-01 --end 2026-12-05 --goal 'Ship it' >/dev/null && ");
    const QByteArray worked("x 2026-12-02 a\nx 2026-12-03 b\nc\nd");
    QTest::newRow("sprint details set, a date alone keeps the other, and print")
        << none << QByteArray("a") << dated + "$C sprint 1 --end 2026-12-06 >/dev/null && $C sprint 1 && cat schedule"
        << QByteArray("sprint\t1\nstart\t2026-12-01\nend\t2026-12-06\ngoal\tShip it\n1\t2026-12-01\t2026-12-06\t\tShip it")
        << 0 << none << QByteArray("a");
    QTest::newRow("burndown by task count, as JSON")
        << none << worked << dated + "$C burndown 1 --json"
        << QByteArray(R"([{"date":"2026-12-01","open":4,"ideal":4.0},{"date":"2026-12-02","open":3,"ideal":3.0},)"
                      R"({"date":"2026-12-03","open":2,"ideal":2.0},{"date":"2026-12-04","open":2,"ideal":1.0},)"
                      R"({"date":"2026-12-05","open":2,"ideal":0.0}])")
        << 0 << none << worked;
    QTest::newRow("report as Markdown")
        << none << worked << dated + "$C report 1"
        << QByteArray("# Sprint 1\n\n2026-12-01 to 2026-12-05\n\nGoal: Ship it\n\n## Done (2 of 4)\n\n"
                      "- [x] a (2026-12-02)\n- [x] b (2026-12-03)\n\n## Open (2)\n\n- [ ] c\n- [ ] d\n")
        << 0 << none << worked;
    QTest::newRow("close carries the open tasks over to a next sprint it makes, planned after")
        << none << worked << dated + "$C close 1 >/dev/null && cat sprint2 && echo && cut -f 1,4,5 schedule"
        << "c\nd\n1\t" + today + "\tShip it\n2\t\t\n"
        << 0 << none << QByteArray("x 2026-12-02 a\nx 2026-12-03 b");
    QTest::newRow("close onto a sprint that holds a task leaves one copy there")
        << none << QByteArray("a\nx 2026-12-03 d\nb")
        << QByteArray("printf 'b' > sprint3 && $C close 1 --to 3 >/dev/null && cat sprint3")
        << QByteArray("b\na") << 0 << none << QByteArray("x 2026-12-03 d");
    QTest::newRow("a sprint without details, as JSON")
        << none << QByteArray("c") << QByteArray("$C sprint 1 --json")
        << QByteArray(R"({"sprint":1,"start":null,"end":null,"goal":"","closed":null})") << 0 << none << QByteArray("c");
    QTest::newRow("a closed sprint's report says so")
        << none << QByteArray("c") << dated + "$C close 1 >/dev/null && $C report 1 | head -3"
        << "# Sprint 1\n\n2026-12-01 to 2026-12-05, closed on " + today + "\n" << 0 << none << QByteArray("");
    QTest::newRow("details held in a file with conflict markers are not written over")
        << none << QByteArray("a")
        << QByteArray("printf '<<<<<<< a\\n1\\t\\t\\t\\tx\\n=======\\n>>>>>>> b' > schedule && "
                      "{ $C sprint 1 --goal y 2>/dev/null; echo $?; } && cat schedule")
        << QByteArray("3\n<<<<<<< a\n1\t\t\t\tx\n=======\n>>>>>>> b") << 0 << none << QByteArray("a");
    // Whether the schedule can be changed is found before a task moves:
    // nothing moves, and no sprint is made.
    QTest::newRow("a close beside a schedule that cannot be locked changes nothing")
        << none << QByteArray("a\nx 2026-12-03 d")
        << QByteArray("mkdir .schedule.lock && { $C close 1 2>/dev/null; echo $?; } && test ! -e sprint2 && echo none")
        << QByteArray("3\nnone\n") << 0 << none << QByteArray("a\nx 2026-12-03 d");
    QTest::newRow("sprint 2917 opens no prompt")
        << none << QByteArray("")
        << QByteArray("i=2; while [ $i -le 2917 ]; do : > sprint$i; i=$((i+1)); done; $C add 2917 x && $C list 2917")
        << QByteArray("1\tx\n1\tx\n") << 0 << none << QByteArray("");
}

void TestCommandLine::commands()
{
    QFETCH(QByteArray, backlog);
    QFETCH(QByteArray, sprint1);
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, out);
    QFETCH(int, status);

    QFETCH(QByteArray, backlogAfter);
    QFETCH(QByteArray, sprint1After);

    // Once on lists just as the program writes them, which a command
    // changes in place, and once with a final line feed, which leaves the
    // change to the store that reads such lists: both must do the same.
    for (const bool finalLineFeed : {false, true}) {
        const auto given = [finalLineFeed](const QByteArray &bytes) {
            return finalLineFeed && !bytes.isEmpty() && !bytes.endsWith('\n') ? bytes + '\n' : bytes;
        };
        const auto tasksOf = [](const QByteArray &bytes) { return TaskListCodec::decode(bytes).tasks; };
        WorkDir dir;
        put(QStringLiteral("product_backlog"), given(backlog));
        put(QStringLiteral("sprint1"), given(sprint1));
        const Result result = runScript(script);
        QVERIFY2(result.status == status, result.err.constData());
        compareOutput(result.out, out);
        if (!finalLineFeed) {
            QCOMPARE(bytesOf(QStringLiteral("product_backlog")), backlogAfter);
            QCOMPARE(bytesOf(QStringLiteral("sprint1")), sprint1After);
        } else {
            QCOMPARE(tasksOf(bytesOf(QStringLiteral("product_backlog"))), tasksOf(backlogAfter));
            QCOMPARE(tasksOf(bytesOf(QStringLiteral("sprint1"))), tasksOf(sprint1After));
        }
    }
}

void TestCommandLine::badInputs_data()
{
    QTest::addColumn<QByteArray>("sprint1");
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");

    const QByteArray s("s\nt");
    QTest::newRow("line past the end") << s << QByteArray("$C rm 1 3") << 1 << "sprint1 has no line 3";
    QTest::newRow("line 0") << s << QByteArray("$C rm 1 1 0") << 2 << "\"0\" is not a line number";
    QTest::newRow("negative line") << s << QByteArray("$C up 1 -2") << 2 << "\"-2\" is not a line number";
    QTest::newRow("line not a number") << s << QByteArray("$C top 1 1x") << 2 << "\"1x\" is not a line number";
    QTest::newRow("sprint007") << s << QByteArray("$C add sprint007 x") << 2 << "\"sprint007\" is not a list";
    QTest::newRow("-3 as a LIST") << s << QByteArray("$C list -3") << 2 << "\"-3\" is not a list";
    QTest::newRow("no such sprint") << s << QByteArray("$C add 5 x") << 1 << "There is no sprint 5";
    QTest::newRow("no such sprint, in German") << s << QByteArray("LANGUAGE= LC_ALL=de_DE.UTF-8 $C add 5 x") << 1
                                               << "gibt es keinen Sprint 5";
    QTest::newRow("empty text") << s << QByteArray("$C add 1 x \"$(printf '\\n')\"") << 2 << "not empty";
    QTest::newRow("invalid UTF-8") << s << QByteArray("$C add 1 \"$(printf 'a\\377')\"") << 2
                                   << "argument 3 is not valid UTF-8";
    QTest::newRow("--expect not met") << s << QByteArray("$C edit 1 2 --expect s u") << 1
                                      << "Line 2 of sprint1 reads \"t\", not \"s\"";
    QTest::newRow("--text not found") << s << QByteArray("$C rm 1 --text u") << 1 << "No task of sprint1 reads \"u\"";
    QTest::newRow("--expect and --text") << s << QByteArray("$C rm 1 --text s --expect s") << 2 << "leave out --expect";
    QTest::newRow("--expect short") << s << QByteArray("$C rm 1 1 2 --expect s") << 2 << "once for each line";
    QTest::newRow("mv to the backlog") << s << QByteArray("$C mv 1 1 backlog") << 2 << "TO is a sprint number";
    QTest::newRow("mv onto itself") << s << QByteArray("$C mv 1 1 1") << 2 << "the same sprint";
    QTest::newRow("too few arguments") << s << QByteArray("$C edit 1 1") << 2 << "usage: corvane edit LIST N TEXT";
    QTest::newRow("unknown command") << s << QByteArray("$C frob") << 2 << "no command \"frob\"";
    QTest::newRow("missing folder") << s << QByteArray("$C -C nowhere list") << 3
                                    << "Cannot open the folder nowhere: No such file or directory";
    QTest::newRow("missing CORVANE_DIR") << s << QByteArray("CORVANE_DIR=nowhere $C add backlog x") << 3
                                         << "folder nowhere that CORVANE_DIR names: No such file";
    QTest::newRow("--last-folder for a command") << s << QByteArray("$C --last-folder list") << 2
                                                 << "--last-folder is for the windows";
    // With no command, the windows' module is loaded and says the same.
    QTest::newRow("missing folder for the windows") << s << QByteArray("QT_QPA_PLATFORM=offscreen $C -C nowhere") << 3
                                                    << "Cannot open the folder nowhere: No such file or directory";
    QTest::newRow("list not text") << QByteArray("s\n\xff") << QByteArray("$C list 1") << 3 << "sprint1";
    QTest::newRow("change to a list not text") << QByteArray("s\n\xff") << QByteArray("$C add 1 u") << 3 << "sprint1";
    QTest::newRow("a start after the end saves nothing")
        << s << QByteArray("$C sprint 1 --start 2026-12-09 --end 2026-12-05 || { test ! -e schedule && exit 1; }") << 1
        << "start on 2026-12-09, after its end on 2026-12-05";
    QTest::newRow("no such day") << s << QByteArray("$C sprint 1 --end 2026-02-30") << 2 << "\"2026-02-30\" is not a date";
    QTest::newRow("a looser date") << s << QByteArray("$C sprint 1 --start 2026-1-5") << 2 << "is not a date";
    QTest::newRow("details of the backlog") << s << QByteArray("$C sprint backlog") << 2 << "is not a sprint";
    QTest::newRow("a burndown without dates") << s << QByteArray("$C burndown 1") << 1 << "Sprint 1 has no dates";
    QTest::newRow("close onto a sprint that is not there") << s << QByteArray("$C close 1 --to 7") << 1
                                                           << "There is no sprint 7";
}

void TestCommandLine::badInputs()
{
    QFETCH(QByteArray, sprint1);
    QFETCH(QByteArray, script);
    QFETCH(QString, message);

    WorkDir dir;
    put(QStringLiteral("product_backlog"), "a");
    put(QStringLiteral("sprint1"), sprint1);
    const QStringList before = QDir().entryList(QDir::Files);
    const Result result = runScript(script);
    QTEST(result.status, "status");
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    QVERIFY2(result.out.isEmpty(), result.out.constData());
    // Nothing changed, and no list was made.
    QCOMPARE(bytesOf(QStringLiteral("sprint1")), sprint1);
    QCOMPARE(bytesOf(QStringLiteral("product_backlog")), QByteArray("a"));
    QCOMPARE(QDir().entryList(QDir::Files), before);
}

// What a hostile user tries: odd files where lists and the files beside them
// are, conflict markers, texts that look like options, output that cannot
// be written. Each row's script sets up the folder and runs the program
// ("$C"); its output, its exit status and every file of the folder are
// compared afterwards. Waits are bounded, so that a hang fails the row.
void TestCommandLine::hostileInputs_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("out");
    QTest::addColumn<QString>("message");  // on stderr
    QTest::addColumn<QByteArray>("state");

    QTest::newRow("rm an empty task before the last keeps the first")
        << QByteArray("printf 'keep me\\n\\nlast' > product_backlog; $C rm backlog 2 3; echo $?; $C restore")
        << QByteArray("2\t\n3\tlast\n0\n1\t\n2\tlast\n") << QString() << QByteArray("product_backlog=keep me");
    const QByteArray conflicted("x\\n<<<<<<< HEAD\\na\\n=======\\nb\\n>>>>>>> other\\ny");
    QTest::newRow("no change writes over conflict markers")
        << QByteArray("printf '" + conflicted + "' > sprint1; : > sprint2; for c in 'add 1 z' 'rm 1 4' 'edit 1 4 A' 'up 1 4' "
                      "'down 1 4' 'top 1 4' 'bottom 1 4' 'mv 4 1 2' 'done 1 4' 'close 1'; do $C $c; echo $?; done 2>/dev/null")
        << QByteArray("3\n3\n3\n3\n3\n3\n3\n3\n3\n3\n") << QString()
        << QByteArray("sprint1=x\\n<<<<<<< HEAD\\na\\n=======\\nb\\n>>>>>>> other\\ny sprint2=");
    QTest::newRow("the history is not followed through a link")
        << QByteArray("printf 'a\\nb' > product_backlog; ln -s decoy .deleted_tasks; $C rm backlog 1; echo $?")
        << QByteArray("3\n") << "symbolic link" << QByteArray(".deleted_tasks->decoy product_backlog=a\\nb");
    QTest::newRow("a lock file is not followed through a link")
        << QByteArray(": > sprint1; ln -s elsewhere .sprint1.lock; $C add 1 y; echo $?") << QByteArray("3\n")
        << ".sprint1.lock" << QByteArray(".sprint1.lock->elsewhere sprint1=");
    QTest::newRow("a named pipe for a list holds nothing up")
        << QByteArray("printf s > sprint1; mkfifo sprint2; for c in 'add 2 x' 'rm 2 1' 'mv 1 1 2' 'list 2' 'done 2 1' "
                      "status 'close 1'; do timeout 60 $C $c; echo $?; done 2>/dev/null")
        << QByteArray("3\n3\n3\n3\n3\n1\t1\t0\n0\n3\n") << QString() << QByteArray("sprint1=s sprint2|");
    QTest::newRow("a named pipe for the history holds nothing up")
        << QByteArray("printf 'a\\nb' > product_backlog; mkfifo .deleted_tasks; for c in 'rm backlog 1' "
                      "'edit backlog 1 z' restore; do timeout 60 $C $c; echo $?; done")
        << QByteArray("3\n3\n3\n") << "not a regular file" << QByteArray(".deleted_tasks| product_backlog=a\\nb");
    QTest::newRow("a refused change keeps no history")
        << QByteArray("printf 'a\\nb' > product_backlog; chmod 777 .; chmod 444 product_backlog; "
                      "setpriv --reuid=65534 --regid=65534 --clear-groups $C rm backlog 1; echo $?; chmod 644 product_backlog; "
                      "$C edit backlog 2 a; echo $?; $C edit backlog 1 a; $C restore")
        << QByteArray("3\n1\n1\ta\n") << "holds every line" << QByteArray("product_backlog=a\\nb");
    QTest::newRow("output that is lost is no success")
        << QByteArray("printf a > product_backlog; $C list > /dev/full; echo $?; $C --json list > /dev/full; echo $?; "
                      "$C add backlog b > /dev/full; echo $?")
        << QByteArray("3\n3\n3\n") << "Cannot write the output" << QByteArray("product_backlog=a\\nb");
    QTest::newRow("texts that look like options are texts")
        << QByteArray("$C add backlog first -Cleanup -v && $C add backlog -- --json && $C -- list -- backlog")
        << QByteArray("1\tfirst\n2\t-Cleanup\n3\t-v\n4\t--json\n1\tfirst\n2\t-Cleanup\n3\t-v\n4\t--json\n")
        << QString() << QByteArray("product_backlog=first\\n-Cleanup\\n-v\\n--json");
    QTest::newRow("edit reports the lines where they went")
        << QByteArray("printf 'a\\nb\\nc\\nb2' > product_backlog; $C edit backlog 1 \"$(printf 'x\\nb\\ny')\"")
        << QByteArray("1\tx\n2\ty\n") << "holds \"b\" already" << QByteArray("product_backlog=x\\ny\\nb\\nc\\nb2");
    QTest::newRow("usage errors need no display")
        << QByteArray("$C --help-all | grep -c '^Usage: '; $C --frob list; echo $?; timeout 60 $C -platform offscreen --frob; "
                      "echo $?")
        << QByteArray("1\n2\n2\n") << "Unknown option" << QByteArray();
    QTest::newRow("one --text, and sprints as list takes them")
        << QByteArray(": > sprint1; : > sprint10; : > sprint2; : > sprint0; : > sprint-1; : > sprint02; "
                      "$C rm 1 --text a --text b; echo $?; $C sprints")
        << QByteArray("2\n1\n2\n10\n") << "give --text once"
        << QByteArray("sprint-1= sprint0= sprint02= sprint1= sprint10= sprint2=");
    QTest::newRow("a list is written back in its own encoding")
        << QByteArray("printf '\\377\\376a\\000' > sprint1; printf '\\357\\273\\277b\\r\\n' > product_backlog; "
                      "$C add 1 z >/dev/null && $C add backlog y >/dev/null && $C done backlog 2 >/dev/null && $C list 1")
        << QByteArray("1\ta\n2\tz\n") << QString()
        << "product_backlog=\\xef\\xbb\\xbfb\\nx " + QDate::currentDate().toString(Qt::ISODate).toUtf8()
               + " y sprint1=\\xff\\xfea\\x00\\n\\x00z\\x00";
    // A command that only reads makes no file, lock files included, and
    // where no list is there at all it says that the folder is no planner;
    // names that are no list's do not make one.
    QTest::newRow("reading an empty folder leaves it empty")
        << QByteArray("for c in list 'ls 2' sprints '--json list' restore 'restore 1'; do $C $c; echo $?; done; ls -A")
        << QByteArray("1\n1\n1\n1\n1\n1\n") << "holds no planner" << QByteArray();
    QTest::newRow("names that are no list's are no planner")
        << QByteArray(": > sprint07; : > 'sprint3~'; : > sprint0; mkdir sprint4 product_backlog.d; ln -s nowhere sprint5x; "
                      "$C list; echo $?; $C -C . sprints; echo $?; $C add 1 x; echo $?")
        << QByteArray("1\n1\n1\n") << "holds no planner"
        << QByteArray("product_backlog.d/ sprint0= sprint07= sprint3~= sprint4/ sprint5x->nowhere");
    // The windows' road without a display: one line that says so, and no
    // abort, with Qt's platform chosen by default or by the user.
    QTest::newRow("no display for the windows")
        << QByteArray("for e in X=1 QT_QPA_PLATFORM=xcb DISPLAY=:99999 'QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=none'; do "
                      "env $e timeout 60 $C -C . 2> err; echo $? $(wc -l < err); done; cat err >&2; rm err")
        << QByteArray("3 1\n3 1\n3 1\n3 1\n") << "need a display" << QByteArray();
    QTest::newRow("an add clears a killed writer's temporary")
        << QByteArray("printf a > product_backlog; : > .product_backlog.AbCd12.tmp; $C add backlog b")
        << QByteArray("2\tb\n") << QString() << QByteArray("product_backlog=a\\nb");
}

void TestCommandLine::hostileInputs()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, out);
    QFETCH(QString, message);

    WorkDir dir;
    const Result result = runScript(script);
    QVERIFY2(result.status >= 0, result.err.constData());
    QCOMPARE(result.out, out);
    QVERIFY2(QString::fromUtf8(result.err).contains(message), result.err.constData());
    QTEST(folderState(), "state");
}

void TestCommandLine::sharesTheListWithAWindowsStore()
{
    WorkDir dir;
    const int count = 500;
    productbacklog store;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("C"), QStringLiteral(CORVANE));
    QProcess shell;
    shell.setProcessEnvironment(env);
    shell.start(QStringLiteral("/bin/sh"),
                {QStringLiteral("-c"), QStringLiteral("i=0; while [ $i -lt %1 ]; do $C add backlog cli$i || exit 1; "
                                                      "i=$((i+1)); done").arg(count)});
    // Both at once, whichever is faster: the store's changes go on while
    // commands run, each alternately adding and renaming a task of its own.
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0)
            QVERIFY2(store.addItem(QStringLiteral("store%1").arg(i)), qPrintable(store.errorString()));
        else
            QVERIFY2(store.editItem(QStringLiteral("store%1").arg(i - 1), QStringLiteral("store%1").arg(i)),
                     qPrintable(store.errorString()));
    }
    QVERIFY(shell.waitForFinished(-1));
    QVERIFY2(shell.exitCode() == 0, shell.readAllStandardError().constData());

    store.refresh();
    const QStringList tasks = store.getItems();
    QStringList cli, own;
    for (int i = 0; i < count; ++i) {
        cli.append(QStringLiteral("cli%1").arg(i));
        if (i % 2)
            own.append(QStringLiteral("store%1").arg(i));
    }
    QCOMPARE(tasks.filter(QStringLiteral("cli")), cli);
    QCOMPARE(tasks.filter(QStringLiteral("store")), own);
    QCOMPARE(tasks.size(), cli.size() + own.size());
}

QTEST_GUILESS_MAIN(TestCommandLine)

#include "tst_commandline.moc"
