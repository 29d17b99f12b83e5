// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listmerge.h"

#include <QCoreApplication>
#include <QHash>
#include <QVector>

#include <iterator>
#include <list>

ListMerge::Sides ListMerge::compare(const QStringList &list, const QStringList &copy, const QStringList &deleted)
{
    const QSet<QString> inList(list.cbegin(), list.cend());
    const QSet<QString> inCopy(copy.cbegin(), copy.cend());
    const QSet<QString> history(deleted.cbegin(), deleted.cend());
    // Each text once, looked up by hash: two lists of 200,000 tasks are
    // compared in a blink, not in minutes.
    QSet<QString> seen;
    Sides sides;
    for (const QString &text : copy) {
        if (inList.contains(text) || seen.contains(text))
            continue;
        seen.insert(text);
        sides.onlyCopy.append(text);
        if (history.contains(text))
            sides.deletedHere.insert(text);
    }
    seen.clear();
    for (const QString &text : list) {
        if (!inCopy.contains(text) && !seen.contains(text)) {
            seen.insert(text);
            sides.onlyList.append(text);
        }
    }
    return sides;
}

QStringList ListMerge::place(QStringList &tasks, const QStringList &order, const QSet<QString> &add)
{
    // The tasks as a linked list, so that each text goes in where it
    // belongs without moving those after it, and the places of the texts
    // held by hash: one pass over each list, however many are added.
    std::list<QString> merged(tasks.cbegin(), tasks.cend());
    QHash<QString, std::list<QString>::iterator> first;
    QHash<QString, std::list<QString>::iterator> last;
    for (auto it = merged.begin(); it != merged.end(); ++it) {
        if (!first.contains(*it))
            first.insert(*it, it);
        last.insert(*it, it);
    }
    // For each place in order, the next one on whose text tasks holds.
    QVector<int> nextHeld(order.size() + 1, -1);
    for (int i = order.size() - 1; i >= 0; --i)
        nextHeld[i] = first.contains(order.at(i)) ? i : nextHeld[i + 1];

    QStringList added;
    // The nearest text before the one at hand in order that is held, added
    // ones included, so a run keeps its order.
    int before = -1;
    for (int i = 0; i < order.size(); ++i) {
        const QString &text = order.at(i);
        if (last.contains(text)) {
            before = i;
            continue;
        }
        if (!add.contains(text))
            continue;
        std::list<QString>::iterator at;
        if (before >= 0) {
            at = std::next(last.value(order.at(before)));
        } else {
            // Nothing before it is held, nor added: the next held text is
            // one of tasks' own.
            const int after = nextHeld[i + 1];
            at = after < 0 ? merged.end() : first.value(order.at(after));
        }
        const auto put = merged.insert(at, text);
        first.insert(text, put);
        last.insert(text, put);
        added.append(text);
        before = i;
    }
    if (!added.isEmpty())
        tasks = QStringList(merged.cbegin(), merged.cend());
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

QString ListMerge::misfit(const QStringList &list, const QStringList &copy, const Choice &choice)
{
    const QSet<QString> inList(list.cbegin(), list.cend());
    const QSet<QString> inCopy(copy.cbegin(), copy.cend());
    const QSet<QString> offered(choice.offered.cbegin(), choice.offered.cend());
    // Each of the three, with the first text of it as an example.
    QSet<QString> unseen;
    QString firstUnseen;
    for (const QString &text : copy) {
        if (!inList.contains(text) && !offered.contains(text) && !unseen.contains(text)) {
            if (unseen.isEmpty())
                firstUnseen = text;
            unseen.insert(text);
        }
    }
    int lost = 0;
    QString firstLost;
    for (const QString &text : choice.offered) {
        if (choice.add.contains(text) && !inCopy.contains(text) && !inList.contains(text) && lost++ == 0)
            firstLost = text;
    }
    int dropped = 0;
    QString firstDropped;
    for (const QString &text : choice.drop) {
        if (inCopy.contains(text) && dropped++ == 0)
            firstDropped = text;
    }
    QStringList reasons;
    const auto reason = [&reasons](const char *text, int count, const QString &example) {
        if (count > 0)
            reasons.append(QCoreApplication::translate("ListMerge", text, nullptr, count).arg(example.left(100)));
    };
    reason(QT_TRANSLATE_N_NOOP("ListMerge", "it holds %n task(s) that were not shown, such as \u201c%1\u201d"),
           unseen.size(), firstUnseen);
    reason(QT_TRANSLATE_N_NOOP("ListMerge", "it no longer holds %n of the task(s) ticked to be added, such as "
                                            "\u201c%1\u201d"),
           lost, firstLost);
    reason(QT_TRANSLATE_N_NOOP("ListMerge", "it now holds %n of the task(s) unticked to be taken out, such as "
                                            "\u201c%1\u201d"),
           dropped, firstDropped);
    return reasons.join(QStringLiteral("; "));
}
