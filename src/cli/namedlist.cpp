// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "namedlist.h"

#include "productbacklog.h"
#include "sprint.h"
#include "sprintfiles.h"

#include <QFileInfo>

int NamedList::numberOf(const QString &name)
{
    if (name == QLatin1String("backlog"))
        return 0;
    const bool spelledAsFile = name.startsWith(QLatin1String("sprint"));
    bool isNumber = false;
    const int number = name.mid(spelledAsFile ? 6 : 0).toInt(&isNumber, 10);
    if (!isNumber || number < 1)
        return -1;
    // Only the spelling that the number gives back names the sprint.
    const QString canonical = spelledAsFile ? Sprint::fileName(number) : QString::number(number);
    return name == canonical ? number : -1;
}

QMap<int, QString> NamedList::sprints()
{
    QMap<int, QString> sprints;
    for (const QString &name : SprintFiles::list()) {
        const int number = numberOf(name);
        if (number > 0)
            sprints.insert(number, name);
    }
    return sprints;
}

bool NamedList::folderHoldsList()
{
    return NamedList(0).exists() || !sprints().isEmpty();
}

NamedList::NamedList(int number)
    : m_number(number)
    , m_file(number == 0 ? productbacklog::fileName() : Sprint::fileName(number), TaskListFile::Keeping::Nothing)
{
}

QString NamedList::name() const
{
    return isBacklog() ? QStringLiteral("backlog") : QString::number(m_number);
}

bool NamedList::exists() const
{
    // A symbolic link to nowhere, too, is there to be refused by name.
    const QFileInfo entry(fileName());
    return entry.exists() || entry.isSymLink();
}

bool NamedList::read(QStringList *tasks)
{
    return m_file.load(*tasks, false);
}

bool NamedList::change(const TaskListFile::Edit &edit, TaskListFile::Rules rules)
{
    if (isBacklog())
        rules |= TaskListFile::MayCreate;
    return m_file.change(m_none, edit, rules);
}

bool NamedList::transfer(NamedList &from, NamedList &to, const TaskListFile::PairEdit &edit)
{
    return TaskListFile::transfer(from.m_file, from.m_none, to.m_file, to.m_none, edit, false);
}
