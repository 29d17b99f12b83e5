// A tiny command-line driver of the stores, for whole-process timings
// against other task tools. Works on the product backlog of the current
// directory:
//
//   corvane-cli add TEXT | delete TEXT | edit OLD NEW | count

#include "productbacklog.h"

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc < 2)
        return 2;
    const QString command = QString::fromLocal8Bit(argv[1]);
    const auto arg = [&](int i) { return i < argc ? QString::fromLocal8Bit(argv[i]) : QString(); };

    productbacklog backlog;
    bool ok = backlog.errorString().isEmpty();
    if (ok && command == QLatin1String("add"))
        ok = backlog.addItem(arg(2));
    else if (ok && command == QLatin1String("delete"))
        ok = backlog.removeItem(arg(2));
    else if (ok && command == QLatin1String("edit"))
        ok = backlog.editItem(arg(2), arg(3));
    else if (ok && command == QLatin1String("count"))
        std::printf("%d\n", backlog.getItems().size());
    else if (ok)
        return 2;

    if (!ok)
        std::fprintf(stderr, "%s\n", qPrintable(backlog.errorString()));
    return ok ? 0 : 1;
}
