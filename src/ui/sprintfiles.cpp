#include "sprintfiles.h"

#include <QDir>

#include <limits>

QStringList SprintFiles::list()
{
    // A QDir made from a path sorts by name ignoring case, which NoSort
    // leaves in force; the pattern matches without regard to case.
    return QDir(QStringLiteral(".")).entryList(QStringList(QStringLiteral("sprint*")),
                                               QDir::Files, QDir::NoSort);
}

int SprintFiles::number(const QString &name)
{
    return name.mid(6).toInt(nullptr, 10);
}

bool SprintFiles::nextNumber(const QStringList &names, int *next, const QString &skip)
{
    int largest = 0;
    for (const QString &name : names) {
        if (name == skip)
            continue;
        const int value = number(name);
        if (value > largest)
            largest = value;
    }
    if (largest == std::numeric_limits<int>::max())
        return false;
    *next = largest + 1;
    return true;
}
