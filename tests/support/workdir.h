// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef WORKDIR_H
#define WORKDIR_H

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

// A fresh temporary directory made the current one for one test, and the
// previous current directory restored afterwards: the stores work in the
// current directory.
class WorkDir
{
public:
    WorkDir() { QDir::setCurrent(m_dir.path()); }
    ~WorkDir() { QDir::setCurrent(m_previous); }

    bool isValid() const { return m_dir.isValid(); }
    QString path() const { return m_dir.path(); }

    // The file's bytes, or "<unreadable>" when it cannot be opened (missing,
    // a directory): a value no test writes, so a comparison shows it.
    static QByteArray read(const QString &name)
    {
        QFile file(name);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

    static bool write(const QString &name, const QByteArray &bytes)
    {
        QFile file(name);
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }

private:
    QString m_previous = QDir::currentPath();
    QTemporaryDir m_dir;
};

#endif // WORKDIR_H
