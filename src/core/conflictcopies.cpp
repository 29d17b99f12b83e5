#include "conflictcopies.h"

#include "productbacklog.h"
#include "sprintfiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>
#include <cerrno>
#include <cstdio>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ConflictCopies", text);
}

// Each program's suffix, at the end of the name; what precedes it is the
// name of the file the copy was made of.
const QRegularExpression &suffixes()
{
    static const QRegularExpression pattern(QStringLiteral(
        "^(.+?)(?:"
        // Syncthing: the date, the time and the first 7 characters of the
        // device's identity.
        "\\.sync-conflict-\\d{8}-\\d{6}-[A-Z0-9]{7}"
        // Nextcloud and ownCloud, with or without the user's name.
        "| \\(conflicted copy (?:.+ )?\\d{4}-\\d{2}-\\d{2} \\d{6}\\)"
        // Dropbox: whose copy, the date, and a number for the next.
        "| \\(.+'s conflicted copy \\d{4}-\\d{2}-\\d{2}(?: \\(\\d+\\)| \\d+)?\\)"
        // Unison with -copyonconflict: a number for the second and later.
        "| \\(conflict(?: #\\d+)?_on_\\d{4}-\\d{2}-\\d{2}\\)"
        ")$"));
    return pattern;
}

bool isList(const QString &name)
{
    return name == productbacklog::fileName() || SprintFiles::isSprintFile(name);
}

} // namespace

QString ConflictCopies::listOf(const QString &name)
{
    if (isTemporary(name))
        return QString();
    // Suffix after suffix from the end: a copy of a copy ends with the
    // newer program's suffix, or with the older one's where a program keeps
    // an extension last.
    QString base = name;
    for (;;) {
        const QRegularExpressionMatch match = suffixes().match(base);
        if (!match.hasMatch())
            return QString();
        base = match.captured(1);
        if (isList(base))
            return base;
    }
}

bool ConflictCopies::isTemporary(const QString &name)
{
    return (name.startsWith(QLatin1String(".syncthing.")) && name.endsWith(QLatin1String(".tmp")))
        || name.startsWith(QLatin1String("~syncthing~"));
}

QVector<ConflictCopies::Copy> ConflictCopies::find()
{
    // Every pattern holds "conflict": the folder's other entries, however
    // many, are passed over by the listing itself.
    const QStringList names = QDir(QStringLiteral(".")).entryList(
        {QStringLiteral("*conflict*")}, QDir::Files | QDir::Dirs | QDir::System | QDir::NoDotAndDotDot, QDir::NoSort);
    QVector<Copy> copies;
    for (const QString &name : names) {
        const QString list = listOf(name);
        if (!list.isEmpty())
            copies.append(Copy{name, list});
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
