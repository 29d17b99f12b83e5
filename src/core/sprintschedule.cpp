// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintschedule.h"

#include "sprint.h"
#include "tasklist.h"
#include "tasklistfile.h"

#include <QFile>
#include <QSet>

#include <QCoreApplication>

namespace {

const QChar tab(QLatin1Char('\t'));

} // namespace

QDate SprintSchedule::parseDate(const QString &text)
{
    // Only the one spelling the file uses: a date read from anything
    // looser would be written back otherwise.
    if (text.size() != 10 || text.at(4) != QLatin1Char('-') || text.at(7) != QLatin1Char('-'))
        return QDate();
    // Read by hand: QDate::fromString with a format costs tens of
    // microseconds a call, which a schedule of a thousand sprints notices.
    int fields[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8};
    const int lengths[3] = {4, 2, 2};
    for (int f = 0; f < 3; ++f) {
        for (int i = starts[f]; i < starts[f] + lengths[f]; ++i) {
            const QChar c = text.at(i);
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return QDate();
            fields[f] = fields[f] * 10 + (c.unicode() - '0');
        }
    }
    // QDate refuses a day the month does not have.
    return QDate(fields[0], fields[1], fields[2]);
}

bool SprintSchedule::Details::operator==(const Details &other) const
{
    return number == other.number && start == other.start && end == other.end && closed == other.closed
        && goal == other.goal;
}

QString SprintSchedule::fileName()
{
    return QStringLiteral("schedule");
}

bool SprintSchedule::parse(const QString &line, Details *details)
{
    const QStringList fields = line.split(tab);
    if (fields.size() != 5)
        return false;
    bool ok = false;
    const int number = fields.at(0).toInt(&ok);
    // As the sprint's file name spells it: digits only, no leading zero.
    if (!ok || number < 1 || fields.at(0) != QString::number(number))
        return false;
    Details read{number, parseDate(fields.at(1)), parseDate(fields.at(2)), parseDate(fields.at(3)), fields.at(4)};
    // No dates at all, as a sprint closed before it had any; or a real
    // span of days.
    const bool undated = fields.at(1).isEmpty() && fields.at(2).isEmpty();
    if ((!undated && (!read.start.isValid() || !read.end.isValid() || read.start > read.end))
        || (!fields.at(3).isEmpty() && !read.closed.isValid()))
        return false;
    *details = read;
    return true;
}

QString SprintSchedule::format(const Details &details)
{
    QString goal = details.goal;
    goal.replace(tab, QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')).replace(QLatin1Char('\r'), QLatin1Char(' '));
    const bool dated = details.start.isValid() && details.end.isValid();
    return QStringList{QString::number(details.number), dated ? details.start.toString(Qt::ISODate) : QString(),
                       dated ? details.end.toString(Qt::ISODate) : QString(),
                       details.closed.isValid() ? details.closed.toString(Qt::ISODate) : QString(), goal.trimmed()}
        .join(tab);
}

bool SprintSchedule::read()
{
    m_sprints.clear();
    m_result = ChangeResult();
    TaskListFile file(fileName());
    QStringList lines;
    // A folder without the file has no details, and reading makes none.
    // One that is not text, or holds a merge conflict's markers, is not
    // read as details either.
    if (!file.load(lines, false) || file.isReadOnly()) {
        m_result = ChangeResult{ChangeResult::Failed, file.errorString()};
        return false;
    }
    take(lines);
    return true;
}

bool SprintSchedule::set(const Details &details, std::optional<Details> *before)
{
    return change(details.number, [&](Details &now, bool &present) {
        if (before)
            *before = present ? std::optional<Details>(now) : std::nullopt;
        now = details;
        present = true;
        return TaskListFile::Outcome::Changed;
    });
}

bool SprintSchedule::remove(int number)
{
    return change(number, [](Details &, bool &present) {
        present = false;
        return TaskListFile::Outcome::Changed;
    });
}

bool SprintSchedule::exchange(int number, const std::optional<Details> &expected,
                              const std::optional<Details> &details)
{
    return change(number, [&](Details &now, bool &present) {
        if (present != expected.has_value() || (expected && !(now == *expected)))
            return TaskListFile::Outcome::NotFound;
        present = details.has_value();
        if (details)
            now = *details;
        return TaskListFile::Outcome::Changed;
    });
}

bool SprintSchedule::close(int number, const QDate &day, bool *closed)
{
    if (closed)
        *closed = false;
    return change(number, [&](Details &now, bool &present) {
        if (present && now.isClosed())
            return TaskListFile::Outcome::Unchanged;
        now.closed = day;
        present = true;
        if (closed)
            *closed = true;
        return TaskListFile::Outcome::Changed;
    });
}

bool SprintSchedule::closeAround(int number, const QDate &day, const std::function<bool()> &move,
                                 const std::function<void()> &takeBack, bool *closed)
{
    *closed = false;
    // The file as a change finds it, under its lock, without writing.
    if (!change(number, [](Details &, bool &) { return TaskListFile::Outcome::Unchanged; }))
        return false;
    if (!move()) {
        m_result = ChangeResult();
        return false;
    }
    if (close(number, day, closed))
        return true;
    takeBack();
    return false;
}

bool SprintSchedule::reopen(int number, const QDate &day)
{
    return change(number, [&](Details &now, bool &present) {
        if (!present || now.closed != day)
            return TaskListFile::Outcome::Unchanged;
        now.closed = QDate();
        return TaskListFile::Outcome::Changed;
    });
}

bool SprintSchedule::change(int number, const DetailsEdit &edit)
{
    TaskListFile file(fileName());
    QStringList lines;
    const bool changed = file.change(
        lines,
        [&](TaskList &list) {
            // The sprint's lines give way to the one line of its details,
            // where the first of them was, or at the end.
            QStringList &all = list.strings();
            QVector<int> rows;  // the sprint's lines; the last counts
            Details now;
            for (int row = 0; row < all.size(); ++row) {
                Details old;
                if (parse(all.at(row), &old) && old.number == number) {
                    now = old;
                    rows.append(row);
                }
            }
            bool present = !rows.isEmpty();
            now.number = number;
            const TaskListFile::Outcome outcome = edit(now, present);
            if (outcome != TaskListFile::Outcome::Changed)
                return outcome;
            for (int i = rows.size() - 1; i >= 0; --i)
                all.removeAt(rows.at(i));
            now.number = number;
            if (present)
                all.insert(rows.isEmpty() ? all.size() : rows.first(), format(now));
            return TaskListFile::Outcome::Changed;
        },
        TaskListFile::MayCreate);
    m_result = file.result();
    if (!changed)
        return false;
    take(lines);
    return true;
}

void SprintSchedule::take(const QStringList &lines)
{
    m_sprints.clear();
    for (const QString &line : lines) {
        Details details;
        if (parse(line, &details))
            m_sprints.insert(details.number, details);
    }
}

int SprintSchedule::numberOf(const QString &line)
{
    Details details;
    return parse(line, &details) ? details.number : 0;
}

QString SprintSchedule::span(const Details &details)
{
    if (!details.isDated())
        return QString();
    return QCoreApplication::translate("SprintSchedule", "%1 – %2")
        .arg(details.start.toString(Qt::ISODate), details.end.toString(Qt::ISODate));
}

QString SprintSchedule::describe(const QString &line)
{
    Details details;
    if (!parse(line, &details))
        return line;
    QStringList parts{QCoreApplication::translate("SprintSchedule", "Sprint %1").arg(details.number)};
    if (details.isDated())
        parts.append(span(details));
    if (details.isClosed()) {
        parts.append(QCoreApplication::translate("SprintSchedule", "closed on %1")
                         .arg(details.closed.toString(Qt::ISODate)));
    }
    if (!details.goal.isEmpty())
        parts.append(QCoreApplication::translate("SprintSchedule", "goal: %1").arg(details.goal));
    return parts.join(QStringLiteral(", "));
}

ListMerge::Sides SprintSchedule::compare(const QStringList &lines, const QStringList &copy)
{
    ListMerge::Sides sides = ListMerge::compare(lines, copy, {});
    QSet<int> here;
    for (const QString &line : lines) {
        if (const int number = numberOf(line))
            here.insert(number);
    }
    for (const QString &line : qAsConst(sides.onlyCopy)) {
        if (here.contains(numberOf(line)))
            sides.deletedHere.insert(line);
    }
    return sides;
}

bool SprintSchedule::makeFollowing(int number, int target, const QDate &today, QString *error)
{
    QFile file(Sprint::fileName(target));
    if (file.exists())
        return true;
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) && !file.exists()) {
        *error = QCoreApplication::translate("SprintSchedule", "Cannot make the file %1:\n%2")
                     .arg(file.fileName(), file.errorString());
        return false;
    }
    file.close();
    if (!read()) {
        *error = m_result.message;
        return false;
    }
    if (has(target))
        return true;
    if (!set(following(details(number), target, today))) {
        *error = m_result.message;
        return false;
    }
    return true;
}

bool SprintSchedule::plan(int number, const QDate &today)
{
    if (!read())
        return false;
    return has(number) || set(planned(number, today));
}

SprintSchedule::Details SprintSchedule::planned(int number, const QDate &today) const
{
    // After the sprint before it that has dates.
    Details previous;
    for (auto it = m_sprints.cbegin(); it != m_sprints.cend() && it.key() < number; ++it) {
        if (it->isDated())
            previous = *it;
    }
    return following(previous, number, today);
}

SprintSchedule::Details SprintSchedule::following(const Details &previous, int number, const QDate &today)
{
    const bool dated = previous.start.isValid() && previous.end.isValid();
    const int length = dated ? previous.length() : FirstLength;
    QDate start = dated ? previous.end.addDays(1) : today;
    if (start < today)
        start = today;
    return Details{number, start, start.addDays(length - 1), QDate(), QString()};
}

QString SprintSchedule::checkDates(const QDate &start, const QDate &end)
{
    if (!start.isValid() || !end.isValid())
        return QCoreApplication::translate("SprintSchedule", "A sprint needs a start date and an end date.");
    if (start > end) {
        return QCoreApplication::translate("SprintSchedule", "The sprint would start on %1, after its end on %2.")
            .arg(start.toString(Qt::ISODate), end.toString(Qt::ISODate));
    }
    return QString();
}
