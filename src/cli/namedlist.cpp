#include "namedlist.h"

#include "productbacklog.h"
#include "sprint.h"

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

NamedList::NamedList(int number)
    : m_number(number)
{
}

NamedList::~NamedList() = default;

QString NamedList::name() const
{
    return isBacklog() ? QStringLiteral("backlog") : QString::number(m_number);
}

QString NamedList::fileName() const
{
    return isBacklog() ? productbacklog::fileName() : Sprint::fileName(m_number);
}

bool NamedList::exists() const
{
    return QFileInfo::exists(fileName());
}

void NamedList::open()
{
    if (isBacklog() && !m_backlog)
        m_backlog = std::make_unique<productbacklog>();
    else if (!isBacklog() && !m_sprint)
        m_sprint = std::make_unique<Sprint>(m_number);
}

QStringList NamedList::tasks()
{
    open();
    return isBacklog() ? m_backlog->getItems() : m_sprint->getTasks();
}

bool NamedList::change(const TaskListFile::Edit &edit)
{
    open();
    return isBacklog() ? m_backlog->change(edit) : m_sprint->change(edit);
}

bool NamedList::isReadOnly()
{
    open();
    return isBacklog() ? m_backlog->isReadOnly() : m_sprint->isReadOnly();
}

bool NamedList::isNotFound()
{
    open();
    return isBacklog() ? m_backlog->isNotFound() : m_sprint->isNotFound();
}

QString NamedList::errorString()
{
    open();
    return isBacklog() ? m_backlog->errorString() : m_sprint->errorString();
}

Sprint *NamedList::sprint()
{
    if (isBacklog())
        return nullptr;
    open();
    return m_sprint.get();
}
