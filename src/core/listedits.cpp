// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "listedits.h"

#include "donemark.h"
#include "tasklist.h"
#include "tasklistcodec.h"

#include <QSet>

#include <algorithm>

QStringList ListEdits::lines(const QString &text)
{
    QStringList result = TaskListCodec::splitLines(text);
    result.erase(std::remove_if(result.begin(), result.end(),
                                [](const QString &line) { return line.trimmed().isEmpty(); }),
                 result.end());
    return result;
}

ListEdits::Edit ListEdits::insert(int at, const QStringList &texts, QVector<int> *rows)
{
    return [at, texts, rows](TaskList &list) {
        // A set only pays when many tasks are looked up: it makes adding k
        // tasks to n cost n + k instead of n times k.
        const bool several = texts.size() > ManyLookUps;
        QSet<QString> present;
        if (several)
            present = list.textSet();
        QVector<int> where;
        where.reserve(texts.size());
        int row = qBound(0, at, list.size());
        bool changed = false;
        for (const QString &text : texts) {
            if (several ? present.contains(DoneMark::textOf(text)) : list.contains(text)) {
                where.append(-1);
                continue;
            }
            list.insert(row, text);
            if (several)
                present.insert(DoneMark::textOf(text));
            where.append(row++);
            changed = true;
        }
        if (rows)
            *rows = where;
        return changed ? Outcome::Changed : Outcome::Unchanged;
    };
}

ListEdits::Edit ListEdits::removeFirst(const QString &text)
{
    return [text](TaskList &list) {
        const int at = list.indexOf(text);
        if (at >= 0)
            list.removeAt(at);
        else
            list.rewrite();
        return Outcome::Changed;
    };
}

ListEdits::Edit ListEdits::replaceFirst(const QString &text, const QStringList &lines)
{
    // Looked for from the top, a task of that text is found at its first row.
    return replace(TaskRef{0, text}, lines);
}

ListEdits::Edit ListEdits::remove(const QVector<TaskRef> &refs, QVector<Removed> *removed)
{
    return [refs, removed](TaskList &list) {
        QVector<int> rows = TaskRef::locateAll(list, refs);
        rows.removeAll(-1);
        if (rows.isEmpty())
            return Outcome::NotFound;
        // From the bottom up, so that the rows still to go keep their place;
        // recorded top down, so that putting them back in that order
        // rebuilds the list.
        std::sort(rows.begin(), rows.end());
        QVector<Removed> taken(rows.size());
        for (int i = 0; i < rows.size(); ++i) {
            const int row = rows.at(i);
            taken[i].row = row;
            taken[i].text = list.at(row);
            if (row > 0)
                taken[i].previous = TaskRef{row - 1, list.at(row - 1)};
        }
        for (int i = rows.size() - 1; i >= 0; --i)
            list.removeAt(rows.at(i));
        if (removed)
            *removed = taken;
        return Outcome::Changed;
    };
}

ListEdits::Edit ListEdits::restore(const QVector<Removed> &removed, QVector<TaskRef> *restored)
{
    return [removed, restored](TaskList &list) {
        // As in insert(): a set pays only when many are looked up.
        const bool several = removed.size() > ManyLookUps;
        QSet<QString> present;
        if (several)
            present = list.textSet();
        QVector<TaskRef> back;
        for (const Removed &task : removed) {
            // Put back elsewhere meanwhile: a second copy would double it.
            if (several ? present.contains(DoneMark::textOf(task.text)) : list.contains(task.text))
                continue;
            if (several)
                present.insert(DoneMark::textOf(task.text));
            int row = qMin(task.row, list.size());
            if (task.previous.row < 0) {
                row = 0;
            } else {
                const int previous = TaskRef::locate(list, task.previous);
                if (previous >= 0)
                    row = previous + 1;
            }
            list.insert(row, task.text);
            back.append(TaskRef{row, task.text});
        }
        if (restored)
            *restored = back;
        return back.isEmpty() ? Outcome::Unchanged : Outcome::Changed;
    };
}

ListEdits::Edit ListEdits::replace(const TaskRef &ref, const QStringList &lines, int *row)
{
    return replaceRun(ref, {ref.text}, lines, row);
}

ListEdits::Edit ListEdits::replaceRun(const TaskRef &first, const QStringList &run, const QStringList &lines, int *row,
                                      QStringList *put)
{
    return [first, run, lines, row, put](TaskList &list) {
        const int at = TaskRef::locate(list, first);
        if (at < 0 || at + run.size() > list.size())
            return Outcome::NotFound;
        for (int i = 1; i < run.size(); ++i) {
            if (!list.holds(at + i, run.at(i)))
                return Outcome::NotFound;
        }
        // The list keeps a single copy of a task, as an add leaves it.
        QStringList replacement;
        QSet<QString> replacing;
        for (const QString &line : lines) {
            const int held = list.indexOf(line);
            const bool inRun = held >= at && held < at + run.size() && list.indexOf(line, at + run.size()) < 0;
            if ((held < 0 || inRun) && !replacing.contains(DoneMark::textOf(line))) {
                replacement.append(line);
                replacing.insert(DoneMark::textOf(line));
            }
        }
        if (replacement.isEmpty() && !lines.isEmpty())
            return Outcome::Held;
        // An edit to nothing leaves an empty task, as the list's format has it.
        if (replacement.isEmpty())
            replacement.append(QString());
        const int common = qMin(run.size(), replacement.size());
        for (int i = 0; i < common; ++i)
            list.replace(at + i, replacement.at(i));
        for (int i = common; i < replacement.size(); ++i)
            list.insert(at + i, replacement.at(i));
        for (int i = common; i < run.size(); ++i)
            list.removeAt(at + common);
        if (row)
            *row = at;
        if (put)
            *put = replacement;
        return Outcome::Changed;
    };
}

ListEdits::Edit ListEdits::mark(const QVector<TaskRef> &refs, const QVector<QDate> &days, QVector<Marked> *marked)
{
    return [refs, days, marked](TaskList &list) {
        const QVector<int> rows = TaskRef::locateAll(list, refs);
        if (rows.count(-1) == rows.size())
            return Outcome::NotFound;
        QVector<Marked> changed;
        for (int i = 0; i < rows.size(); ++i) {
            const int row = rows.at(i);
            if (row < 0)
                continue;
            const QString line = list.at(row);
            // A task done already keeps the day it was done.
            const QDate day = days.value(i);
            if (day.isValid() == DoneMark::isDone(line))
                continue;
            const QString now = DoneMark::marked(line, day);
            list.replace(row, now);
            changed.append(Marked{row, line, now});
        }
        if (marked)
            *marked = changed;
        return changed.isEmpty() ? Outcome::Unchanged : Outcome::Changed;
    };
}

ListEdits::Edit ListEdits::move(const TaskRef &ref, int to, int *from)
{
    return [ref, to, from](TaskList &list) {
        const int at = TaskRef::locate(list, ref);
        if (at < 0)
            return Outcome::NotFound;
        const int target = qBound(0, to, list.size() - 1);
        if (from)
            *from = at;
        if (target == at)
            return Outcome::Unchanged;
        list.move(at, target);
        return Outcome::Changed;
    };
}

ListEdits::Edit ListEdits::reorder(const TaskRef &ref, Place place, const TaskRef &anchor, Placed *placed)
{
    return [ref, place, anchor, placed](TaskList &list) {
        const int at = TaskRef::locate(list, ref);
        if (at < 0)
            return Outcome::NotFound;
        const int last = list.size() - 1;
        int target = at;
        switch (place) {
        case Place::Up: target = at - 1; break;
        case Place::Down: target = at + 1; break;
        case Place::Top: target = 0; break;
        case Place::Bottom: target = last; break;
        case Place::Before: {
            const int before = anchor.row < 0 ? -1 : TaskRef::locate(list, anchor);
            if (before == at)
                target = at;
            else if (before >= 0)
                target = before > at ? before - 1 : before;
            else
                target = anchor.row < 0 ? last : anchor.row;
            break;
        }
        }
        target = qBound(0, target, last);
        if (placed)
            *placed = Placed{at, target, at < last ? TaskRef{at, list.at(at + 1)} : TaskRef(), list.at(at)};
        if (target == at)
            return Outcome::Unchanged;
        list.move(at, target);
        return Outcome::Changed;
    };
}

ListEdits::Edit ListEdits::gather(const QVector<TaskRef> &refs, const TaskRef &anchor, QVector<Placed> *placed)
{
    return [refs, anchor, placed](TaskList &tasks) {
        QVector<int> rows = TaskRef::locateAll(tasks, refs);
        rows.removeAll(-1);
        if (rows.isEmpty())
            return Outcome::NotFound;
        std::sort(rows.begin(), rows.end());
        // Rebuilt whole, as strings.
        QStringList &list = tasks.strings();
        QVector<bool> moving(list.size(), false);
        for (const int row : qAsConst(rows))
            moving[row] = true;
        // Where the anchor is among the tasks that stay, or its row there;
        // the end for an anchor of row -1.
        int at = anchor.row < 0 ? -1 : TaskRef::locate(tasks, anchor, moving);
        if (at < 0 && anchor.row >= 0)
            at = anchor.row;
        int before = -1;
        QStringList staying;
        QStringList moved;
        QVector<Placed> where;
        for (int row = 0; row < list.size(); ++row) {
            if (row == at)
                before = staying.size();
            if (!moving.at(row)) {
                staying.append(list.at(row));
                continue;
            }
            moved.append(list.at(row));
            where.append(Placed{row, -1, row + 1 < list.size() ? TaskRef{row + 1, list.at(row + 1)} : TaskRef(),
                                list.at(row)});
        }
        if (before < 0)
            before = staying.size();
        QStringList result = staying.mid(0, before) + moved + staying.mid(before);
        for (int i = 0; i < where.size(); ++i)
            where[i].to = before + i;
        if (placed)
            *placed = where;
        if (result == list)
            return Outcome::Unchanged;
        list = result;
        return Outcome::Changed;
    };
}

ListEdits::Edit ListEdits::scatter(const QVector<Placed> &placed, QVector<Placed> *back)
{
    return [placed, back](TaskList &list) {
        bool found = false;
        bool changed = false;
        QVector<Placed> done(placed.size());
        for (int i = placed.size() - 1; i >= 0; --i) {
            const Placed &task = placed.at(i);
            const Place place = task.next.row < 0 ? Place::Bottom : Place::Before;
            const Outcome outcome = reorder(TaskRef{task.to, task.text}, place, task.next, &done[i])(list);
            done[i].text = task.text;
            found = found || outcome != Outcome::NotFound;
            changed = changed || outcome == Outcome::Changed;
        }
        if (back)
            *back = done;
        return !found ? Outcome::NotFound : changed ? Outcome::Changed : Outcome::Unchanged;
    };
}

ListEdits::PairEdit ListEdits::transfer(const QVector<Transfer> &items, QVector<Transfer> *done)
{
    return [items, done](TaskList &from, TaskList &to) {
        QVector<TaskRef> refs;
        for (const Transfer &item : items) {
            if (item.leaves)
                refs.append(TaskRef{item.from, item.text});
        }
        const QVector<int> found = TaskRef::locateAll(from, refs);
        if (!refs.isEmpty() && found.count(-1) == found.size())
            return Outcome::NotFound;

        // Those no longer in the source are passed over.
        QVector<Transfer> result;
        QVector<int> rows;
        int next = 0;
        for (const Transfer &item : items) {
            if (item.leaves && found.at(next++) < 0)
                continue;
            result.append(item);
            if (item.leaves) {
                rows.append(found.at(next - 1));
                result.last().from = rows.last();
            }
        }
        bool changed = !rows.isEmpty();
        for (Transfer &item : result) {
            // The target keeps a single copy of a task: one it holds already
            // stays where it is, and is what a leaving task's text lives on in.
            const int held = to.indexOf(item.text);
            item.added = held < 0;
            if (!item.added) {
                item.to = held;
                continue;
            }
            item.to = qBound(0, item.to, to.size());
            to.insert(item.to, item.text);
            changed = true;
        }
        QVector<int> leaving = rows;
        std::sort(leaving.begin(), leaving.end());
        for (int i = leaving.size() - 1; i >= 0; --i)
            from.removeAt(leaving.at(i));
        if (done)
            *done = result;
        return changed ? Outcome::Changed : Outcome::Unchanged;
    };
}

ListEdits::PairEdit ListEdits::carryOver(QVector<Transfer> *done)
{
    return [done](TaskList &from, TaskList &to) {
        // The open tasks as the source holds them now, under both locks.
        QVector<Transfer> items;
        for (int row = 0; row < from.size(); ++row) {
            const QString line = from.at(row);
            if (!line.isEmpty() && !DoneMark::isDone(line))
                items.append(Transfer{line, row, End});
        }
        if (done)
            done->clear();
        if (items.isEmpty())
            return Outcome::Unchanged;
        return transfer(items, done)(from, to);
    };
}

QVector<ListEdits::Transfer> ListEdits::reversed(const QVector<Transfer> &done, bool allLeave)
{
    QVector<Transfer> back;
    back.reserve(done.size());
    for (const Transfer &item : done)
        back.append(Transfer{item.text, item.to, item.from, allLeave || item.added});
    return back;
}
