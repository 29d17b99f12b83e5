// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Loads the product backlog of the current directory in this fresh process,
// then ten times more, and prints the first load against the later, warm
// ones: "first_ms=<ms> warm_ms=<median> first_faults=<n> warm_faults=<n>",
// the faults being the minor page faults of the process during a load. The
// first load is what every whole process pays: start-up, a command line.

#include "productbacklog.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>
#include <vector>

namespace {

long minorFaults()
{
    struct rusage usage;
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// Loads once; returns the time taken and the page faults met.
std::pair<double, long> load()
{
    const long faults = minorFaults();
    QElapsedTimer timer;
    timer.start();
    productbacklog store;
    const double ms = timer.nsecsElapsed() / 1e6;
    if (store.getItems().isEmpty())
        std::fprintf(stderr, "loadtimes: the backlog is empty\n");
    return {ms, minorFaults() - faults};
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const auto first = load();
    std::vector<std::pair<double, long>> warm;
    for (int i = 0; i < 10; ++i)
        warm.push_back(load());
    std::sort(warm.begin(), warm.end());
    const auto median = warm.at(warm.size() / 2);
    std::printf("first_ms=%.2f warm_ms=%.2f first_faults=%ld warm_faults=%ld\n", first.first, median.first,
                first.second, median.second);
    return 0;
}
