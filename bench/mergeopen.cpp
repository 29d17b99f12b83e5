// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Prints how long "Merge…" takes on a long backlog beside a conflict copy
// as long: from the press until the merge dialog is shown and painted, and
// from OK until the merged list is written and shown. Half the copy's
// tasks are the list's, half its own, so that each side of the dialog
// offers half the tasks.
//
//   mergeopen [COUNT...]    (200000 when none is given)
//
// Runs offscreen unless told otherwise.

#include "conflictbar.h"
#include "mergedialog.h"
#include "pbacklogwindow.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

const char copyName[] = "product_backlog (conflict_on_2024-03-01)";

bool write(const char *name, int count, bool copy)
{
    QFile file(QString::fromUtf8(name));
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QByteArray bytes;
    for (int i = 0; i < count; ++i) {
        bytes += (copy && i % 2 ? "Other task " : "Task ") + QByteArray::number(i);
        bytes += " of the list\n";
    }
    return file.write(bytes) == bytes.size();
}

int lines(const char *name)
{
    QFile file(QString::fromUtf8(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll().count('\n') + 1 : -1;
}

void run(int count)
{
    QTemporaryDir dir;
    const QString back = QDir::currentPath();
    QDir::setCurrent(dir.path());
    if (!write("product_backlog", count, false) || !write(copyName, count, true)) {
        std::printf("%d tasks: cannot write the lists\n", count);
        return;
    }
    {
        PBacklogWindow window;
        window.show();
        QCoreApplication::processEvents();
        auto *bar = window.findChild<ConflictBar *>();

        QElapsedTimer clock;
        double openMs = -1;
        int offered = 0;
        QTimer::singleShot(0, [&] {
            auto *dialog = qobject_cast<MergeDialog *>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            QCoreApplication::processEvents();
            openMs = clock.nsecsElapsed() / 1e6;
            offered = dialog->copyTasks()->count() + dialog->listTasks()->count();
            clock.restart();
            dialog->accept();
        });
        clock.start();
        bar->merge();
        QCoreApplication::processEvents();
        const double mergeMs = clock.nsecsElapsed() / 1e6;
        const bool merged = lines("product_backlog") == count + count / 2 && !QFile::exists(copyName);
        std::printf("%7d tasks against a copy of %d: dialog open %9.1f ms (%d tasks offered), merge %8.1f ms%s\n",
                    count, count, openMs, offered, mergeMs, merged ? "" : "  NOT MERGED");
    }
    QDir::setCurrent(back);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QStringList counts = app.arguments().mid(1);
    if (counts.isEmpty())
        counts.append(QStringLiteral("200000"));
    for (const QString &count : counts)
        run(count.toInt());
    return 0;
}
