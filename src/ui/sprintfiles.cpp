#include "sprintfiles.h"

#include "sprint.h"

#include <QDir>

#include <algorithm>

#include <limits>

QStringList SprintFiles::list()
{
    // A QDir made from a path sorts by name ignoring case, which NoSort
    // leaves in force; the pattern matches without regard to case.
    QStringList names = QDir(QStringLiteral(".")).entryList(QStringList(QStringLiteral("sprint*")),
                                                            QDir::Files, QDir::NoSort);
    // Only a name that the number read from it gives back is a sprint's
    // file: opening sprint007, Sprint5 or a backup such as sprint3~ would
    // open another file than the one listed.
    names.erase(std::remove_if(names.begin(), names.end(),
                               [](const QString &name) { return !isSprintFile(name); }),
                names.end());
    return names;
}

bool SprintFiles::isSprintFile(const QString &name)
{
    bool isNumber = false;
    const int value = name.mid(6).toInt(&isNumber, 10);
    return isNumber && name == Sprint::fileName(value);
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
