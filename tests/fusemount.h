#ifndef FUSEMOUNT_H
#define FUSEMOUNT_H

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// A fresh folder seen through a bindfs mount, made the current directory.
// What is written beneath() reaches the mount as another machine's writes
// reach a network folder: no inotify event, attributes cached for a second.
// Unmounted, and the previous directory restored, on leaving scope, also
// when a test fails.
class FuseMount
{
public:
    FuseMount()
    {
        const QString bindfs = QStandardPaths::findExecutable(QStringLiteral("bindfs"));
        if (bindfs.isEmpty()) {
            m_reason = QStringLiteral("bindfs is not installed (scripts/install-deps installs it)");
            return;
        }
        QDir(m_base.path()).mkpath(QStringLiteral("disk"));
        QDir(m_base.path()).mkpath(QStringLiteral("mount"));
        QProcess mount;
        mount.setProcessChannelMode(QProcess::MergedChannels);
        mount.start(bindfs, {QStringLiteral("--no-allow-other"), beneath(QString()), point()});
        m_mounted = mount.waitForFinished(60000) && mount.exitStatus() == QProcess::NormalExit
            && mount.exitCode() == 0;
        if (!m_mounted)
            m_reason = QStringLiteral("FUSE cannot be mounted here: ") + QString::fromLocal8Bit(mount.readAll()).trimmed();
        else
            QDir::setCurrent(point());
    }
    ~FuseMount()
    {
        QDir::setCurrent(m_previous);
        if (m_mounted && QProcess::execute(QStringLiteral("fusermount"), {"-u", "-z", point()}) != 0)
            QProcess::execute(QStringLiteral("umount"), {"-l", point()});
    }

    bool isMounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString point() const { return m_base.path() + QLatin1String("/mount"); }
    QString beneath(const QString &name) const { return m_base.path() + QLatin1String("/disk/") + name; }

private:
    QString m_previous = QDir::currentPath();
    QTemporaryDir m_base;
    bool m_mounted = false;
    QString m_reason;
};

#endif // FUSEMOUNT_H
