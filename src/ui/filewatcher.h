#ifndef FILEWATCHER_H
#define FILEWATCHER_H

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
class FileWatcher : public QObject
{
    Q_OBJECT

public:
    // path may name a file or a directory; it need not exist yet.
    explicit FileWatcher(const QString &path, QObject *parent = nullptr);

    // How long events are gathered before changed() is emitted.
    static constexpr int delayMs = 150;

signals:
    void changed();

private:
    void noteEvent();
    void watchPath();

    QString m_path;
    QFileSystemWatcher m_watcher;
    QTimer m_delay;
};

#endif // FILEWATCHER_H
