// Prints how long the main window takes to open again within one warm
// process in a folder of 200 sprints, without conflict copies and with a
// thousand of them beside the lists: what listing the larger folder costs
// when nothing else does. (bench/run.sh times the whole start-up, which is
// what the user waits for, against its target.) Runs offscreen unless told
// otherwise.

#include "mainwindow.h"
#include "sprint.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

bool touch(const QString &name)
{
    QFile file(name);
    return file.open(QIODevice::WriteOnly) && file.write("Task a\nTask b") > 0;
}

// The median time, in milliseconds, to make the main window, show it and
// handle its first events.
double openMilliseconds(int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        {
            MainWindow window;
            window.show();
            QCoreApplication::processEvents();
            times.push_back(timer.nsecsElapsed() / 1e6);
        }
        QCoreApplication::processEvents();
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    if (!dir.isValid() || !QDir::setCurrent(dir.path())) {
        std::fprintf(stderr, "cannot make a temporary directory\n");
        return 1;
    }
    constexpr int Sprints = 200;
    constexpr int Copies = 1000;
    constexpr int Runs = 21;
    for (int n = 1; n <= Sprints; ++n) {
        if (!touch(Sprint::fileName(n)))
            return 1;
    }
    openMilliseconds(3);  // warm up
    const double without = openMilliseconds(Runs);

    // The four programs' names in turn, for lists across the folder.
    for (int i = 0; i < Copies; ++i) {
        const QString list = Sprint::fileName(1 + i % Sprints);
        const QString day = QStringLiteral("2024-03-%1").arg(1 + i / 250 % 28, 2, 10, QLatin1Char('0'));
        QString name;
        switch (i % 4) {
        case 0: name = list + QStringLiteral(".sync-conflict-20240301-%1-ABCDEF2").arg(100000 + i); break;
        case 1: name = list + QStringLiteral(" (conflicted copy %1 %2)").arg(day).arg(100000 + i); break;
        case 2: name = list + QStringLiteral(" (Ann's conflicted copy %1 (%2))").arg(day).arg(i); break;
        default: name = list + QStringLiteral(" (conflict #%1_on_%2)").arg(i).arg(day); break;
        }
        if (!touch(name)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
            return 1;
        }
    }
    const double with = openMilliseconds(Runs);
    std::printf("%-44s %10s\n", "main window reopened, 200 sprints", "median ms");
    std::printf("%-44s %10.2f\n", "without conflict copies", without);
    std::printf("%-44s %10.2f\n", "with 1,000 conflict copies", with);
    std::printf("%-44s %10.2f\n", "ratio", with / without);
    return 0;
}
