// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sprintplacements.h"

#include "conflictmarkers.h"
#include "donemark.h"
#include "sprintfiles.h"
#include "tasklistfile.h"

#include <QDir>
#include <QThread>

#include <algorithm>

namespace {

// More sprints than this are told by their count beyond the first few.
constexpr int MaxListed = 5;

// What a sprint file holds, read as its store reads it; nothing when it
// cannot be read. A list with a merge conflict's markers holds the tasks of
// both sides, as it will once they are kept.
QStringList linesOf(const QString &path)
{
    TaskListFile file(path, TaskListFile::Keeping::Nothing);
    QStringList lines;
    file.load(lines, false);
    if (file.hasConflictMarkers())
        lines = ConflictMarkers::keepBothSides(lines);
    return lines;
}

} // namespace

SprintPlacements::SprintPlacements(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder.isEmpty() ? QDir::currentPath() : QDir(folder).absolutePath())
    , m_thread(nullptr)
    , m_worker(nullptr)
{
    connect(&m_poll, &QTimer::timeout, this, &SprintPlacements::update);
    m_poll.start(defaultPollMs);
}

SprintPlacements::~SprintPlacements()
{
    if (!m_thread)
        return;
    // A reading under way stops at its next file, and what it found is
    // dropped.
    m_thread->requestInterruption();
    m_thread->quit();
    m_thread->wait();
    delete m_worker;
    delete m_thread;
}

SprintPlacements::Places SprintPlacements::Reading::of(const QString &text) const
{
    const int mark = DoneMark::length(text);
    return places.value(mark ? text.mid(mark) : text);
}

SprintPlacements::Places SprintPlacements::of(const QString &text) const
{
    return m_reading.of(text);
}

void SprintPlacements::setPollInterval(int ms)
{
    if (ms > 0)
        m_poll.start(ms);
    else
        m_poll.stop();
}

void SprintPlacements::update()
{
    if (m_running)
        m_again = true;
    else
        start();
}

void SprintPlacements::start()
{
    // Made with the first reading, so that an object never asked costs
    // no thread.
    if (!m_thread) {
        m_thread = new QThread;
        m_worker = new QObject;
        m_worker->moveToThread(m_thread);
        m_thread->start(QThread::LowPriority);
    }
    m_running = true;
    const QString folder = m_folder;
    const Reading previous = m_reading;
    // This object outlives the worker's calls: its destructor waits for them.
    QMetaObject::invokeMethod(
        m_worker,
        [this, folder, previous] {
            bool changed = false;
            const Reading reading = read(folder, previous, &changed);
            if (QThread::currentThread()->isInterruptionRequested())
                return;
            QMetaObject::invokeMethod(
                this, [this, reading, changed] { finish(reading, changed); }, Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void SprintPlacements::finish(const Reading &reading, bool changed)
{
    m_running = false;
    m_reading = reading;
    // Calls made while it read may have come after a change it missed.
    if (m_again) {
        m_again = false;
        start();
    }
    if (changed)
        emit this->changed();
}

SprintPlacements::Reading SprintPlacements::read(const QString &folder, const Reading &previous, bool *changed)
{
    Reading next;
    next.read = true;
    bool moved = !previous.read;
    QThread *thread = QThread::currentThread();
    for (const QString &name : SprintFiles::list(folder)) {
        if (thread->isInterruptionRequested())
            break;
        const QString path = folder + QLatin1Char('/') + name;
        // Taken before the file is read: a change after it shows next time.
        const FileStamp stamp = FileStamp::of(path);
        const auto known = previous.files.constFind(name);
        if (known != previous.files.cend() && known->stamp == stamp) {
            next.files.insert(name, *known);
            continue;
        }
        moved = true;
        next.files.insert(name, Reading::File{stamp, SprintFiles::number(name), linesOf(path)});
    }
    // A file gone leaves fewer; one gone and another come has moved already.
    moved = moved || next.files.size() != previous.files.size();
    if (changed)
        *changed = moved;
    if (!moved) {
        next.places = previous.places;
        return next;
    }

    QVector<const Reading::File *> files;
    int lines = 0;
    for (const Reading::File &file : qAsConst(next.files)) {
        files.append(&file);
        lines += file.lines.size();
    }
    std::sort(files.begin(), files.end(),
              [](const Reading::File *a, const Reading::File *b) { return a->sprint < b->sprint; });
    next.places.reserve(lines);
    for (const Reading::File *file : qAsConst(files)) {
        for (const QString &line : file->lines) {
            const int mark = DoneMark::length(line);
            // Unmarked, the key shares the line's string.
            const QString text = mark ? line.mid(mark) : line;
            if (text.isEmpty())
                continue;
            const QDate done = mark ? DoneMark::date(line) : QDate();
            Places &places = next.places[text];
            if (places.isEmpty() || places.last().sprint != file->sprint) {
                places.append(Place{file->sprint, done});
                continue;
            }
            Place &place = places.last();
            if (place.isDone() && (!done.isValid() || done > place.done))
                place.done = done;
        }
    }
    return next;
}

QVector<int> SprintPlacements::openIn(const Places &places)
{
    QVector<int> open;
    for (const Place &place : places) {
        if (!place.isDone())
            open.append(place.sprint);
    }
    return open;
}

QString SprintPlacements::numbers(const QVector<int> &sprints)
{
    QStringList words;
    const int listed = sprints.size() > MaxListed ? MaxListed - 1 : sprints.size();
    for (int i = 0; i < listed; ++i)
        words.append(QString::number(sprints.at(i)));
    if (listed < sprints.size())
        return tr("%1 and %n more", "", sprints.size() - listed).arg(words.join(QLatin1String(", ")));
    if (words.size() < 2)
        return words.join(QString());
    const QString last = words.takeLast();
    return tr("%1 and %2").arg(words.join(QLatin1String(", ")), last);
}

QString SprintPlacements::describe(const Places &places)
{
    const QVector<int> open = openIn(places);
    QVector<int> done;
    for (const Place &place : places) {
        if (place.isDone())
            done.append(place.sprint);
    }
    // One sprint or several, each its own words.
    const QString planned = open.isEmpty() ? QString()
        : (open.size() == 1 ? tr("planned in sprint %1") : tr("planned in sprints %1")).arg(numbers(open));
    const QString finished = done.isEmpty() ? QString()
        : (done.size() == 1 ? tr("done in sprint %1") : tr("done in sprints %1")).arg(numbers(done));
    if (planned.isEmpty() || finished.isEmpty())
        return planned + finished;
    return tr("%1; %2").arg(planned, finished);
}
