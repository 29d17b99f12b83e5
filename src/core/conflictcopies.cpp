// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "conflictcopies.h"

#include "folderlisting.h"
#include "productbacklog.h"
#include "sprintfiles.h"
#include "sprintschedule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ConflictCopies", text);
}

// A name is read suffix by suffix, each function taking one program's
// suffix at from and returning where it ends, -1 when it is not there.
// By hand rather than by a regular expression: a folder of a thousand
// copies is read every time it changes.

bool digits(const QString &name, int from, int count)
{
    if (from < 0 || from + count > name.size())
        return false;
    for (int i = from; i < from + count; ++i) {
        if (!name.at(i).isDigit() || name.at(i).unicode() > '9')
            return false;
    }
    return true;
}

// YYYY-MM-DD
bool date(const QString &name, int from)
{
    return digits(name, from, 4) && name.midRef(from + 4, 1) == QLatin1String("-") && digits(name, from + 5, 2)
        && name.midRef(from + 7, 1) == QLatin1String("-") && digits(name, from + 8, 2);
}

// Syncthing: the date, the time and the first 7 characters of the device's
// identity.
int syncthing(const QString &name, int from)
{
    static const QLatin1String start(".sync-conflict-");
    if (!name.midRef(from).startsWith(start))
        return -1;
    const int at = from + start.size();
    if (!digits(name, at, 8) || name.midRef(at + 8, 1) != QLatin1String("-") || !digits(name, at + 9, 6)
        || name.midRef(at + 15, 1) != QLatin1String("-") || at + 23 > name.size())
        return -1;
    for (int i = at + 16; i < at + 23; ++i) {
        const ushort c = name.at(i).unicode();
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return -1;
    }
    return at + 23;
}

// Nextcloud and ownCloud, with or without the user's name before the date
// and time.
int nextcloud(const QString &name, int from)
{
    static const QLatin1String start(" (conflicted copy ");
    if (!name.midRef(from).startsWith(start))
        return -1;
    const int at = from + start.size();
    for (int close = name.indexOf(QLatin1Char(')'), at); close >= 0; close = name.indexOf(QLatin1Char(')'), close + 1)) {
        const int stamp = close - 17;  // "YYYY-MM-DD HHMMSS"
        if (stamp >= at && (stamp == at || name.at(stamp - 1) == QLatin1Char(' ')) && date(name, stamp)
            && name.at(stamp + 10) == QLatin1Char(' ') && digits(name, stamp + 11, 6))
            return close + 1;
    }
    return -1;
}

// Past prefix and one digit or more at from; -1 when they are not there.
int pastNumber(const QString &name, int from, QLatin1String prefix)
{
    if (name.midRef(from, prefix.size()) != prefix)
        return -1;
    const int first = from + prefix.size();
    int end = first;
    while (digits(name, end, 1))
        ++end;
    return end == first ? -1 : end;
}

// Dropbox: whose copy, the date, and a number for the next.
int dropbox(const QString &name, int from)
{
    static const QLatin1String middle("'s conflicted copy ");
    if (!name.midRef(from).startsWith(QLatin1String(" (")))
        return -1;
    const int found = name.indexOf(middle, from + 3);
    if (found < 0 || !date(name, found + middle.size()))
        return -1;
    int at = found + middle.size() + 10;
    int past = pastNumber(name, at, QLatin1String(" ("));
    if (past >= 0) {
        if (name.midRef(past, 1) != QLatin1String(")"))
            return -1;
        at = past + 1;
    } else if ((past = pastNumber(name, at, QLatin1String(" "))) >= 0) {
        at = past;
    }
    return name.midRef(at, 1) == QLatin1String(")") ? at + 1 : -1;
}

// Unison with -copyonconflict: a number for the second and later.
int unison(const QString &name, int from)
{
    static const QLatin1String start(" (conflict");
    if (!name.midRef(from).startsWith(start))
        return -1;
    int at = from + start.size();
    const int past = pastNumber(name, at, QLatin1String(" #"));
    if (past >= 0)
        at = past;
    if (name.midRef(at, 4) != QLatin1String("_on_") || !date(name, at + 4)
        || name.midRef(at + 14, 1) != QLatin1String(")"))
        return -1;
    return at + 15;
}

// Whether the rest of name from from on is one suffix or more: a copy of
// a copy has the suffixes of both, the newer last or, where a program keeps
// an extension last, first.
bool suffixesFrom(const QString &name, int from)
{
    while (from < name.size()) {
        int next = -1;
        for (const auto suffix : {syncthing, nextcloud, dropbox, unison}) {
            next = suffix(name, from);
            if (next >= 0)
                break;
        }
        if (next < 0)
            return false;
        from = next;
    }
    return true;
}

// The files whose copies are merged: the lists and the schedule.
bool isList(const QString &name)
{
    return name == productbacklog::fileName() || SprintFiles::isSprintFile(name)
        || name == SprintSchedule::fileName();
}

} // namespace

QString ConflictCopies::listOf(const QString &name)
{
    // No list's name holds a dot or a space, and every suffix starts with
    // one: the list's name ends at the first.
    int end = 0;
    while (end < name.size() && name.at(end) != QLatin1Char('.') && name.at(end) != QLatin1Char(' '))
        ++end;
    const QString list = name.left(end);
    if (end == name.size() || !isList(list))
        return QString();
    return suffixesFrom(name, end) ? list : QString();
}

bool ConflictCopies::isTemporary(const QString &name)
{
    return (name.startsWith(QLatin1String(".syncthing.")) && name.endsWith(QLatin1String(".tmp")))
        || name.startsWith(QLatin1String("~syncthing~"));
}

QVector<ConflictCopies::Copy> ConflictCopies::find()
{
    // Every program's name holds "conflict": the folder's other entries,
    // however many, are passed over by their bytes.
    QVector<Copy> copies;
    for (const FolderListing::Entry &entry :
         FolderListing::read(QStringLiteral("."), [](const char *name) { return std::strstr(name, "conflict"); })) {
        const QString list = listOf(entry.name);
        if (!list.isEmpty())
            copies.append(Copy{entry.name, list});
    }
    std::sort(copies.begin(), copies.end(), [](const Copy &a, const Copy &b) {
        return a.list != b.list ? a.list < b.list : a.name < b.name;
    });
    return copies;
}

QStringList ConflictCopies::namesOf(const QVector<Copy> &copies, const QString &list)
{
    QStringList names;
    for (const Copy &copy : copies) {
        if (copy.list == list)
            names.append(copy.name);
    }
    return names;
}

QString ConflictCopies::unmergeable(const QString &name)
{
    const QFileInfo entry(name);
    const QString path = entry.absoluteFilePath();
    if (entry.isSymLink())
        return tr("%1 is a symbolic link: only a copy that is a file of its own is merged.").arg(path);
    if (entry.isDir())
        return tr("%1 is a directory, not a copy of a list.").arg(path);
    if (!entry.isFile())
        return tr("%1 is not a regular file.").arg(path);
    return QString();
}

bool ConflictCopies::putAway(const QString &name, QString *putAt, QString *error)
{
    QDir folder(QStringLiteral("."));
    if (!folder.exists(mergedFolder()) && !folder.mkdir(mergedFolder())) {
        *error = tr("Cannot make folder %1 to keep merged copies in:\n%2")
                     .arg(QFileInfo(mergedFolder()).absoluteFilePath(), qt_error_string(errno));
        return false;
    }
    // A copy of the same name merged before keeps its place.
    QString target = mergedFolder() + QLatin1Char('/') + name;
    for (int n = 2; QFileInfo(target).exists() || QFileInfo(target).isSymLink(); ++n)
        target = mergedFolder() + QLatin1Char('/') + name + QLatin1Char('.') + QString::number(n);
    if (std::rename(QFile::encodeName(name).constData(), QFile::encodeName(target).constData()) != 0) {
        *error = tr("Cannot move %1 into %2:\n%3")
                     .arg(QFileInfo(name).absoluteFilePath(), QFileInfo(mergedFolder()).absoluteFilePath(),
                          qt_error_string(errno));
        return false;
    }
    *putAt = target;
    return true;
}

bool ConflictCopies::putBack(const QString &putAt, const QString &name, QString *error)
{
    const QFileInfo entry(name);
    if (entry.exists() || entry.isSymLink()) {
        *error = tr("Cannot put %1 back: an entry of that name is there again.").arg(entry.absoluteFilePath());
        return false;
    }
    if (std::rename(QFile::encodeName(putAt).constData(), QFile::encodeName(name).constData()) != 0) {
        *error = tr("Cannot move %1 back to %2:\n%3")
                     .arg(QFileInfo(putAt).absoluteFilePath(), entry.absoluteFilePath(), qt_error_string(errno));
        return false;
    }
    return true;
}
