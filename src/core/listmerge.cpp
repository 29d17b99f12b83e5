#include "listmerge.h"

#include <QHash>

ListMerge::Sides ListMerge::compare(const QStringList &list, const QStringList &copy, const QStringList &deleted)
{
    const QSet<QString> inList(list.cbegin(), list.cend());
    const QSet<QString> inCopy(copy.cbegin(), copy.cend());
    const QSet<QString> history(deleted.cbegin(), deleted.cend());
    Sides sides;
    for (const QString &text : copy) {
        if (inList.contains(text) || sides.onlyCopy.contains(text))
            continue;
        sides.onlyCopy.append(text);
        if (history.contains(text))
            sides.deletedHere.insert(text);
    }
    for (const QString &text : list) {
        if (!inCopy.contains(text) && !sides.onlyList.contains(text))
            sides.onlyList.append(text);
    }
    return sides;
}

QStringList ListMerge::place(QStringList &tasks, const QStringList &order, const QSet<QString> &add)
{
    QSet<QString> held(tasks.cbegin(), tasks.cend());
    QStringList added;
    for (int i = 0; i < order.size(); ++i) {
        const QString &text = order.at(i);
        if (!add.contains(text) || held.contains(text))
            continue;
        // Added texts count as neighbours too, so a run keeps its order.
        int at = -1;
        for (int before = i - 1; before >= 0 && at < 0; --before) {
            if (held.contains(order.at(before)))
                at = tasks.lastIndexOf(order.at(before)) + 1;
        }
        for (int after = i + 1; after < order.size() && at < 0; ++after) {
            if (held.contains(order.at(after)))
                at = tasks.indexOf(order.at(after));
        }
        tasks.insert(at < 0 ? tasks.size() : at, text);
        held.insert(text);
        added.append(text);
    }
    return added;
}

QStringList ListMerge::drop(QStringList &tasks, const QSet<QString> &drop)
{
    QStringList dropped;
    QStringList kept;
    kept.reserve(tasks.size());
    for (const QString &text : qAsConst(tasks))
        (drop.contains(text) ? dropped : kept).append(text);
    tasks = kept;
    return dropped;
}
