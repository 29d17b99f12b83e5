#ifndef NAMEDLIST_H
#define NAMEDLIST_H

#include "tasklistfile.h"

#include <QString>
#include <QStringList>

#include <memory>

class Sprint;
class productbacklog;

// A task list as the command line names it: "backlog", or a sprint by its
// number. The store behind it is made on first use, so that naming a list
// reads nothing and creates no file.
class NamedList
{
public:
    // What name stands for: 0 for the backlog, a sprint number from 1, or
    // -1 when it names no list. A sprint is written as its number or as its
    // file's name; any other spelling ("sprint007", "+3") names none, as it
    // would stand for another file than the one it reads as.
    static int numberOf(const QString &name);

    explicit NamedList(int number);
    ~NamedList();

    bool isBacklog() const { return m_number == 0; }
    int number() const { return m_number; }
    // The name that the command line takes back: "backlog" or the number.
    QString name() const;
    QString fileName() const;
    // Whether the list's file is there; a sprint without one does not exist.
    bool exists() const;

    // The tasks as the store read them.
    QStringList tasks();
    bool change(const TaskListFile::Edit &edit);
    bool isReadOnly();
    bool isNotFound();
    QString errorString();
    // The sprint's store; null for the backlog.
    Sprint *sprint();

private:
    void open();

    int m_number;
    std::unique_ptr<productbacklog> m_backlog;
    std::unique_ptr<Sprint> m_sprint;
};

#endif // NAMEDLIST_H
