// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "desktopsetup.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>

#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace {

const char lastFolderKey[] = "folders/last";

} // namespace

bool DesktopSetup::enterLastFolder(QString *error)
{
    const QString last = lastFolder();
    if (!last.isEmpty() && QDir(last).exists())
        return enterFolder(last, error);

    QMessageBox box(QMessageBox::Question, tr("Corvane"),
                    tr("Corvane keeps a product backlog and its sprints as files in a folder of their own.\n"
                       "Which folder should it use?"));
    QPushButton *offered = box.addButton(tr("Use %1").arg(QDir::toNativeSeparators(defaultFolder())),
                                         QMessageBox::AcceptRole);
    QPushButton *other = box.addButton(tr("Choose another folder…"), QMessageBox::ActionRole);
    box.addButton(QMessageBox::Cancel);
    box.setDefaultButton(offered);
    box.exec();
    QString folder;
    if (box.clickedButton() == offered) {
        folder = defaultFolder();
        if (!QDir().mkpath(folder)) {
            *error = tr("Cannot make the folder %1.").arg(QDir::toNativeSeparators(folder));
            return false;
        }
    } else if (box.clickedButton() == other) {
        folder = QFileDialog::getExistingDirectory(nullptr, tr("Open folder"), QDir::homePath());
    }
    if (folder.isEmpty())
        return false;
    return enterFolder(folder, error);
}

void DesktopSetup::rememberFolder()
{
    QSettings().setValue(QLatin1String(lastFolderKey), QDir::currentPath());
}

QString DesktopSetup::lastFolder()
{
    return QSettings().value(QLatin1String(lastFolderKey)).toString();
}

bool DesktopSetup::enterFolder(const QString &folder, QString *error)
{
    if (::chdir(QFile::encodeName(folder).constData()) != 0) {
        *error = tr("Cannot open the folder %1: %2")
                     .arg(QDir::toNativeSeparators(folder), QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    rememberFolder();
    return true;
}

QString DesktopSetup::defaultFolder()
{
    return QDir::home().filePath(QStringLiteral("Corvane"));
}
