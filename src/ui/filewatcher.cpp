// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filewatcher.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QWidget>

FileWatcher::FileWatcher(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
{
    // m_stamp starts as that of a missing file: the window read its file
    // before this watcher was made, so a path that exists is reported at the
    // first look, in case it changed in between.
    m_delay.setSingleShot(true);
    m_delay.setInterval(delayMs);
    connect(&m_delay, &QTimer::timeout, this, [this] { report(FileStamp::of(m_path)); });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileWatcher::noteEvent);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileWatcher::noteEvent);
    connect(&m_poll, &QTimer::timeout, this, &FileWatcher::check);
    m_poll.start(defaultPollMs);

    // The window is the nearest widget among the parents.
    for (QObject *owner = parent; owner; owner = owner->parent()) {
        if (auto *widget = qobject_cast<QWidget *>(owner)) {
            widget->window()->installEventFilter(this);
            break;
        }
    }

    const QFileInfo info(m_path);
    if (!info.isDir())
        m_watcher.addPath(info.absolutePath());
    watchPath();
}

bool FileWatcher::eventFilter(QObject *watched, QEvent *event)
{
    // Coming back to a window is when its user looks again.
    if (event->type() == QEvent::WindowActivate)
        check();
    return QObject::eventFilter(watched, event);
}

void FileWatcher::noteEvent()
{
    // Not restarted on every event: a steady stream of saves by another
    // process must not hold the window's update off for good.
    if (!m_delay.isActive())
        m_delay.start();
}

void FileWatcher::check()
{
    const FileStamp now = FileStamp::of(m_path);
    if (now != m_stamp)
        report(now);
}

// The stamp is taken before the window reads, so whatever changes after
// the read shows at the next look.
void FileWatcher::report(const FileStamp &stamp)
{
    m_delay.stop();
    m_stamp = stamp;
    watchPath();
    emit changed();
}

void FileWatcher::watchPath()
{
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path)
        && !m_watcher.directories().contains(m_path))
        m_watcher.addPath(m_path);
}
