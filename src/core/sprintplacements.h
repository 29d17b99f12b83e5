// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef SPRINTPLACEMENTS_H
#define SPRINTPLACEMENTS_H

#include "filestamp.h"

#include <QDate>
#include <QHash>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QVector>

class QThread;

// Where the sprints of a folder hold each task: for a task's text, the
// numbers of the sprints whose files hold it, and whether it is open or
// done there. A task is its text after a done mark (DoneMark), in the
// sprints and in the text looked up alike.
//
// The sprint files are read on a thread of their own, so that a window
// asking never waits for a folder of a thousand sprints; what they hold
// comes back to the thread that made this object, and changed() says so.
// update() reads them again, and a burst of calls while a reading is under
// way costs one reading more. A reading looks at every sprint file's stamp
// and reads only the files whose stamp moved since the last one.
//
// Files are read as the stores read them (TaskListFile): a named pipe or
// a device is never opened for reading, a list in another encoding is
// decoded by its byte-order mark, and a list that git left with the
// markers of a merge conflict holds the tasks of both sides.
class SprintPlacements : public QObject
{
    Q_OBJECT

public:
    // One sprint that holds a task: open there, or done on a day.
    struct Place {
        int sprint = 0;
        QDate done;

        bool isDone() const { return done.isValid(); }
        bool operator==(const Place &other) const { return sprint == other.sprint && done == other.done; }
    };
    // In ascending order of sprint number, one place a sprint. A sprint
    // that holds a task more than once holds it open when any of its lines
    // is open, else done on the latest day.
    using Places = QVector<Place>;

    // What one reading of a folder found, and the files it read, kept to
    // be passed over by the next reading while their stamps stay.
    struct Reading {
        struct File {
            FileStamp stamp;
            int sprint = 0;
            QStringList lines;
        };
        QHash<QString, File> files;  // by name
        QHash<QString, Places> places;  // by task text
        bool read = false;  // false until a reading was made

        // The places of text's task, whether text carries a done mark or not.
        Places of(const QString &text) const;
    };

    // Reads the sprint files of folder (the current directory when empty,
    // as it is now). The first reading starts at the first update(), so
    // that a window can show itself before a reading competes with it.
    explicit SprintPlacements(const QString &folder = QString(), QObject *parent = nullptr);
    ~SprintPlacements() override;

    // The sprints that hold text's task, as the last reading found them;
    // empty before the first has come back.
    Places of(const QString &text) const;
    // Whether a reading has come back yet.
    bool isReady() const { return m_reading.read; }
    QString folder() const { return m_folder; }

    // How often the files' stamps are looked at without being asked: a
    // program may write a sprint in place, which tells the folder nothing.
    // 0 stops it.
    void setPollInterval(int ms);
    static constexpr int defaultPollMs = 1000;

    // The sprint files of folder read now, on the calling thread, passing
    // over those whose stamps are as in previous. The places are made anew
    // only when a file changed; changed tells whether one did.
    static Reading read(const QString &folder, const Reading &previous, bool *changed = nullptr);

    // How places read on a task's row: "planned in sprint 3", "done in
    // sprints 2 and 5", or both, in the user's language; empty for none.
    static QString describe(const Places &places);
    // The sprints' numbers in words: "3", "2 and 5", "2, 5 and 7".
    static QString numbers(const QVector<int> &sprints);
    // The numbers of the sprints of places where the task is open.
    static QVector<int> openIn(const Places &places);

public slots:
    // Reads the files again, off this thread.
    void update();

signals:
    // A reading came back that differs from the last one.
    void changed();

private:
    void start();
    void finish(const Reading &reading, bool changed);

    QString m_folder;
    Reading m_reading;
    QThread *m_thread;
    QObject *m_worker;
    QTimer m_poll;
    bool m_running = false;
    bool m_again = false;
};

#endif // SPRINTPLACEMENTS_H
