// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FILEWATCHER_H
#define FILEWATCHER_H

#include "filestamp.h"

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

// Tells a window that a file it shows may have changed on disk.
//
// The stores replace a file by renaming a new one over it, and the system
// watcher forgets a file once it has been replaced, so the directory is
// watched as well and the file is watched again whenever it is there. A
// save makes several events (temporary file, rename, lock file); they are
// gathered into one changed() shortly after the first.
//
// The system reports nothing that another machine writes to a network or
// FUSE folder, and a synchronising program's replace can slip past it, so
// the path's stamp is also looked at on a timer and whenever the parent
// window is activated: one stat, and changed() only when the stamp moved.
class FileWatcher : public QObject
{
    Q_OBJECT

public:
    // path may name a file or a directory; it need not exist yet. The
    // window of the nearest widget among the parents has its activation
    // watched.
    explicit FileWatcher(const QString &path, QObject *parent = nullptr);

    // How long events are gathered before changed() is emitted.
    static constexpr int delayMs = 150;
    // How often the stamp is looked at when no event comes.
    static constexpr int defaultPollMs = 1000;

    int pollInterval() const { return m_poll.interval(); }
    void setPollInterval(int ms) { m_poll.start(ms); }

signals:
    void changed();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void noteEvent();
    void watchPath();
    void check();
    void report(const FileStamp &stamp);

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_delay;
    QTimer m_poll;
    FileStamp m_stamp;
};

#endif // FILEWATCHER_H
