// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Store operations at 1,000, 100,000 and 1,000,000 tasks, each against the
// floor: a bare QSaveFile write of the same bytes. Prints Google Benchmark's
// table, then the ratio of each change to the floor at the same size.

#include "changeresult.h"
#include "listedits.h"
#include "productbacklog.h"
#include "sprint.h"
#include "tasklistcodec.h"
#include "tasklistfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>

namespace {

QStringList sampleTasks(int count, const QString &prefix = QStringLiteral("Task"))
{
    QStringList tasks;
    tasks.reserve(count);
    for (int i = 0; i < count; ++i)
        tasks << QStringLiteral("%1 %2: review the sprint board and update the estimates").arg(prefix).arg(i);
    return tasks;
}

void writeFile(const QString &name, const QStringList &tasks)
{
    QSaveFile file(name);
    file.open(QIODevice::WriteOnly);
    file.write(TaskListCodec::encode(tasks));
    file.commit();
}

// Each benchmark runs in a fresh directory of its own.
class Scratch
{
public:
    Scratch() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~Scratch() { QDir::setCurrent(m_previous); }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};

// Runs step once before timing and undo after each timed step, untimed:
// the first write of a file pays for page cache that every later write
// finds ready, and a long list gives a benchmark few iterations to average
// that out. A window's store has usually made a change before, too.
template <typename Step, typename Undo>
void timeSteps(benchmark::State &state, const char *what, Step step, Undo undo)
{
    if (!step() || !undo()) {
        state.SkipWithError(what);
        return;
    }
    for (auto _ : state) {
        if (!step())
            state.SkipWithError(what);
        state.PauseTiming();
        undo();
        state.ResumeTiming();
    }
}

void BM_Floor(benchmark::State &state)
{
    Scratch scratch;
    const QByteArray bytes = TaskListCodec::encode(sampleTasks(state.range(0)));
    const auto write = [&bytes] {
        QSaveFile file(QStringLiteral("product_backlog"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        return file.commit();
    };
    timeSteps(state, "commit failed", write, [] { return true; });
}

void BM_Load(benchmark::State &state)
{
    Scratch scratch;
    writeFile(productbacklog::fileName(), sampleTasks(state.range(0)));
    for (auto _ : state) {
        productbacklog store;
        benchmark::DoNotOptimize(store.getItems().size());
    }
}

void BM_Add(benchmark::State &state)
{
    Scratch scratch;
    writeFile(productbacklog::fileName(), sampleTasks(state.range(0)));
    productbacklog store;
    const QString task = QStringLiteral("One more task");
    timeSteps(state, "add failed", [&] { return store.addItem(task); }, [&] { return store.removeItem(task); });
}

void BM_Edit(benchmark::State &state)
{
    Scratch scratch;
    const QStringList tasks = sampleTasks(state.range(0));
    writeFile(productbacklog::fileName(), tasks);
    productbacklog store;
    const QString from = tasks.at(tasks.size() / 2);
    const QString to = from + QStringLiteral(" (edited)");
    timeSteps(state, "edit failed", [&] { return store.editItem(from, to); },
              [&] { return store.editItem(to, from); });
}

void BM_Delete(benchmark::State &state)
{
    Scratch scratch;
    const QStringList tasks = sampleTasks(state.range(0));
    writeFile(productbacklog::fileName(), tasks);
    productbacklog store;
    const QString task = tasks.at(tasks.size() / 2);
    // Put back where it was, so that every delete is from the middle.
    timeSteps(state, "delete failed", [&] { return store.removeItem(task); }, [&] {
        return store.change(ListEdits::insert(tasks.size() / 2, {task}));
    });
}

// Marks the task in the middle done and open again, as a window does (the
// list kept, as strings) and as a command does (the file's bytes changed in
// place).
void markSteps(benchmark::State &state, TaskListFile::Keeping keeping)
{
    Scratch scratch;
    const QStringList tasks = sampleTasks(state.range(0));
    writeFile(Sprint::fileName(1), tasks);
    TaskListFile file(Sprint::fileName(1), keeping);
    QStringList kept;
    const TaskRef task{tasks.size() / 2, tasks.at(tasks.size() / 2)};
    const auto mark = [&](const QDate &day) {
        return file.change(kept, ListEdits::mark({task}, {day})) && file.result().status == ChangeResult::Done;
    };
    timeSteps(state, "mark failed", [&] { return mark(QDate(2026, 12, 8)); }, [&] { return mark(QDate()); });
}

void BM_Mark(benchmark::State &state)
{
    markSteps(state, TaskListFile::Keeping::List);
}

void BM_MarkByCommand(benchmark::State &state)
{
    markSteps(state, TaskListFile::Keeping::Nothing);
}

// One move writes two files: the target (small here) and this sprint. The
// task is put back through the same stores, so that the move finds its
// own sprint file as it last wrote it, as in a window that moves task after
// task.
void BM_Move(benchmark::State &state)
{
    Scratch scratch;
    const QStringList tasks = sampleTasks(state.range(0));
    writeFile(Sprint::fileName(1), tasks);
    writeFile(Sprint::fileName(2), sampleTasks(10, QStringLiteral("Other")));
    Sprint sprint(1);
    Sprint other(2);
    const QString task = tasks.at(tasks.size() / 2);
    timeSteps(state, "move failed", [&] { return sprint.moveTask(task, 2); },
              [&] { return other.deleteTask(task) && sprint.addTask(task); });
}

// Collects the mean time of each run so that the ratios can follow the table.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            const std::string name = run.benchmark_name();
            const auto slash = name.find('/');
            m_seconds[std::stoi(name.substr(slash + 1))][name.substr(3, slash - 3)] = run.GetAdjustedRealTime();
        }
    }

    void printRatios() const
    {
        std::printf("\nRatio of each operation to the floor write at the same size:\n");
        std::printf("%10s %8s %8s %8s %8s %8s %8s %8s\n", "tasks", "load", "add", "edit", "delete", "move", "mark",
                    "mark cmd");
        for (const auto &[size, times] : m_seconds) {
            const auto floor = times.find("Floor");
            if (floor == times.end())
                continue;
            std::printf("%10d", size);
            for (const char *op : {"Load", "Add", "Edit", "Delete", "Move", "Mark", "MarkByCommand"}) {
                const auto it = times.find(op);
                std::printf(" %8.2f", it == times.end() ? 0.0 : it->second / floor->second);
            }
            std::printf("\n");
        }
        // One change is an add, an edit or a delete: one file written. A
        // move writes two.
        for (const auto &[size, limit] : {std::pair<int, double>{100000, 1.5}, {1000000, 2.0}}) {
            const auto times = m_seconds.find(size);
            if (times == m_seconds.end() || !times->second.count("Floor"))
                continue;
            double worst = 0;
            for (const char *op : {"Add", "Edit", "Delete"}) {
                const auto it = times->second.find(op);
                if (it != times->second.end())
                    worst = std::max(worst, it->second / times->second.at("Floor"));
            }
            std::printf("Target: one change at %d tasks <= %.1fx the floor write: %.2fx, %s\n", size, limit, worst,
                        worst <= limit ? "met" : "NOT met");
        }
        // Marking a task done at a million tasks, on each road.
        const auto million = m_seconds.find(1000000);
        if (million != m_seconds.end() && million->second.count("Floor")) {
            for (const char *op : {"Mark", "MarkByCommand"}) {
                const auto it = million->second.find(op);
                if (it == million->second.end())
                    continue;
                const double ratio = it->second / million->second.at("Floor");
                std::printf("Target: %s at 1000000 tasks <= 1.5x the floor write: %.2fx, %s\n",
                            op == std::string("Mark") ? "marking done in a window" : "marking done by a command",
                            ratio, ratio <= 1.5 ? "met" : "NOT met");
            }
        }
    }

private:
    std::map<int, std::map<std::string, double>> m_seconds;
};

} // namespace

// At least a second each, so that a million tasks get several iterations.
#define CORVANE_SIZES Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)
BENCHMARK(BM_Floor)->CORVANE_SIZES;
BENCHMARK(BM_Load)->CORVANE_SIZES;
BENCHMARK(BM_Add)->CORVANE_SIZES;
BENCHMARK(BM_Edit)->CORVANE_SIZES;
BENCHMARK(BM_Delete)->CORVANE_SIZES;
BENCHMARK(BM_Move)->CORVANE_SIZES;
BENCHMARK(BM_Mark)->CORVANE_SIZES;
BENCHMARK(BM_MarkByCommand)->CORVANE_SIZES;

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
