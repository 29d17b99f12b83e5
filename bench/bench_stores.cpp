// Store operations at 1,000, 100,000 and 1,000,000 tasks, each against the
// floor: a bare QSaveFile write of the same bytes. Prints Google Benchmark's
// table, then the ratio of each change to the floor at the same size.

#include "productbacklog.h"
#include "sprint.h"
#include "tasklistcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QSaveFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

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

void BM_Floor(benchmark::State &state)
{
    Scratch scratch;
    const QByteArray bytes = TaskListCodec::encode(sampleTasks(state.range(0)));
    for (auto _ : state) {
        QSaveFile file(QStringLiteral("product_backlog"));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
        if (!file.commit())
            state.SkipWithError("commit failed");
    }
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
    for (auto _ : state) {
        if (!store.addItem(task))
            state.SkipWithError("add failed");
        state.PauseTiming();
        store.removeItem(task);
        state.ResumeTiming();
    }
}

void BM_Edit(benchmark::State &state)
{
    Scratch scratch;
    const QStringList tasks = sampleTasks(state.range(0));
    writeFile(productbacklog::fileName(), tasks);
    productbacklog store;
    QString from = tasks.at(tasks.size() / 2);
    QString to = from + QStringLiteral(" (edited)");
    for (auto _ : state) {
        if (!store.editItem(from, to))
            state.SkipWithError("edit failed");
        std::swap(from, to);
    }
}

void BM_Delete(benchmark::State &state)
{
    Scratch scratch;
    const QStringList tasks = sampleTasks(state.range(0));
    writeFile(productbacklog::fileName(), tasks);
    productbacklog store;
    const QString task = tasks.at(tasks.size() / 2);
    for (auto _ : state) {
        if (!store.removeItem(task))
            state.SkipWithError("delete failed");
        state.PauseTiming();
        store.addItem(task);
        state.ResumeTiming();
    }
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
    for (auto _ : state) {
        if (!sprint.moveTask(task, 2))
            state.SkipWithError("move failed");
        state.PauseTiming();
        other.deleteTask(task);
        sprint.addTask(task);
        state.ResumeTiming();
    }
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
            m_seconds[name.substr(slash + 1)][name.substr(3, slash - 3)] = run.GetAdjustedRealTime();
        }
    }

    void printRatios() const
    {
        std::printf("\nRatio of each operation to the floor write at the same size:\n");
        std::printf("%10s %8s %8s %8s %8s %8s\n", "tasks", "load", "add", "edit", "delete", "move");
        for (const auto &[size, times] : m_seconds) {
            const auto floor = times.find("Floor");
            if (floor == times.end())
                continue;
            std::printf("%10s", size.c_str());
            for (const char *op : {"Load", "Add", "Edit", "Delete", "Move"}) {
                const auto it = times.find(op);
                std::printf(" %8.2f", it == times.end() ? 0.0 : it->second / floor->second);
            }
            std::printf("\n");
        }
    }

private:
    std::map<std::string, std::map<std::string, double>> m_seconds;
};

} // namespace

#define CORVANE_SIZES Arg(1000)->Arg(100000)->Arg(1000000)->Unit(benchmark::kMillisecond)->UseRealTime()
BENCHMARK(BM_Floor)->CORVANE_SIZES;
BENCHMARK(BM_Load)->CORVANE_SIZES;
BENCHMARK(BM_Add)->CORVANE_SIZES;
BENCHMARK(BM_Edit)->CORVANE_SIZES;
BENCHMARK(BM_Delete)->CORVANE_SIZES;
BENCHMARK(BM_Move)->CORVANE_SIZES;

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
