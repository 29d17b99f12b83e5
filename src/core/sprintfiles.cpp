// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintfiles.h"

#include "folderlisting.h"
#include "sprint.h"

#include <QDir>

#include <algorithm>
#include <cstring>
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

// Whether name may be a sprint's file: "sprint", a minus sign or none, and
// digits only.
bool mayBeSprintFile(const char *name)
{
    if (std::strncmp(name, "sprint", 6) != 0)
        return false;
    const char *rest = name + 6;
    if (*rest == '-')
        ++rest;
    if (*rest == '\0')
        return false;
    for (; *rest; ++rest) {
        if (*rest < '0' || *rest > '9')
            return false;
    }
    return true;
}

} // namespace

QStringList SprintFiles::list(const QString &folder)
{
    // Only a name that the number read from it gives back is a sprint's
    // file: opening sprint007, Sprint5 or a backup such as sprint3~ would
    // open another file than the one listed. A folder of many conflict
    // copies named after the sprints is listed every second, so the names
    // are looked at, as bytes, before anything is asked of the file system.
    QStringList names;
    for (const FolderListing::Entry &entry : FolderListing::read(folder, mayBeSprintFile)) {
        if (entry.kind == FolderListing::Kind::File && isSprintFile(entry.name))
            names.append(entry.name);
    }
    // Each name gives back its own number, so the numbers order them all:
    // sprint2 before sprint10.
    std::sort(names.begin(), names.end(),
              [](const QString &a, const QString &b) { return number(a) < number(b); });
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
