#include "productbacklog.h"

productbacklog::productbacklog()
    : file(fileName())
{
    file.load(tasks);
}

bool productbacklog::addItem(QString item)
{
    return file.appendUnlessPresent(tasks, item);
}

bool productbacklog::removeItem(QString item)
{
    return file.removeFirst(tasks, item);
}

bool productbacklog::editItem(QString item, QString newtext)
{
    return file.replaceFirst(tasks, item, newtext);
}

QStringList productbacklog::getItems() const
{
    return tasks;
}

bool productbacklog::refresh()
{
    return file.refresh(tasks);
}

bool productbacklog::isReadOnly() const
{
    return file.isReadOnly();
}

QString productbacklog::errorString() const
{
    return file.errorString();
}

QString productbacklog::fileName()
{
    return QStringLiteral("product_backlog");
}

bool productbacklog::writeChanges()
{
    return file.rewrite(tasks);
}
