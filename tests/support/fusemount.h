// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef FUSEMOUNT_H
#define FUSEMOUNT_H

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>

// A fresh folder seen through a bindfs mount, made the current directory.
// What is written beneath() reaches the mount as another machine's writes
// reach a network folder: no inotify event, attributes cached for a second.
// Unmounted, and the previous directory restored, on leaving scope.
class FuseMount
{
public:
    FuseMount()
    {
        QDir(m_base.path()).mkpath(QStringLiteral("disk"));
        QDir(m_base.path()).mkpath(QStringLiteral("mount"));
        QProcess bindfs;
        bindfs.setProcessChannelMode(QProcess::MergedChannels);
        bindfs.start(QStringLiteral("bindfs"), {QStringLiteral("--no-allow-other"), beneath(QString()), m_point});
        m_mounted = bindfs.waitForFinished(60000) && bindfs.exitStatus() == QProcess::NormalExit && bindfs.exitCode() == 0;
        m_reason = QStringLiteral("FUSE cannot be mounted here: ")
            + (bindfs.error() == QProcess::FailedToStart ? QStringLiteral("bindfs is not installed") : QString::fromLocal8Bit(bindfs.readAll()).trimmed());
        if (m_mounted)
            QDir::setCurrent(m_point);
    }
    ~FuseMount()
    {
        QDir::setCurrent(m_previous);
        if (m_mounted && QProcess::execute(QStringLiteral("fusermount"), {"-u", "-z", m_point}) != 0)
            QProcess::execute(QStringLiteral("umount"), {"-l", m_point});
    }

    bool isMounted() const { return m_mounted; }
    QString reason() const { return m_reason; }
    QString beneath(const QString &name) const { return m_base.path() + QLatin1String("/disk/") + name; }

private:
    QString m_previous = QDir::currentPath();
    QTemporaryDir m_base;
    QString m_point = m_base.path() + QLatin1String("/mount");
    bool m_mounted = false;
    QString m_reason;
};

#endif // FUSEMOUNT_H
