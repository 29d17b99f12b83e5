#include "sprintfiles.h"

#include "sprint.h"

#include <QDir>

#include <algorithm>
#include <limits>

namespace {

// What follows "sprint" in a name that starts so, read as a decimal int;
// ok tells whether it is one.
int numberAfterPrefix(const QString &name, bool *ok)
{
    static const QString prefix = Sprint::fileName(0).chopped(1);
    if (!name.startsWith(prefix, Qt::CaseInsensitive)) {
        if (ok)
            *ok = false;
        return 0;
    }
    return name.midRef(prefix.size()).toInt(ok, 10);
}

} // namespace

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
    const int value = numberAfterPrefix(name, &isNumber);
    return isNumber && name == Sprint::fileName(value);
}

int SprintFiles::number(const QString &name)
{
    return numberAfterPrefix(name, nullptr);
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
