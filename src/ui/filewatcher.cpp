#include "filewatcher.h"

#include <QDir>
#include <QFileInfo>

FileWatcher::FileWatcher(const QString &path, QObject *parent)
    : QObject(parent)
    , m_path(QFileInfo(path).absoluteFilePath())
{
    m_delay.setSingleShot(true);
    m_delay.setInterval(delayMs);
    connect(&m_delay, &QTimer::timeout, this, [this] {
        watchPath();
        emit changed();
    });
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, &FileWatcher::noteEvent);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, &FileWatcher::noteEvent);

    const QFileInfo info(m_path);
    if (!info.isDir())
        m_watcher.addPath(info.absolutePath());
    watchPath();
}

void FileWatcher::noteEvent()
{
    // Not restarted on every event: a steady stream of saves by another
    // process must not hold the window's update off for good.
    if (!m_delay.isActive())
        m_delay.start();
}

void FileWatcher::watchPath()
{
    if (QFileInfo::exists(m_path) && !m_watcher.files().contains(m_path)
        && !m_watcher.directories().contains(m_path))
        m_watcher.addPath(m_path);
}
