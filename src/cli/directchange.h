#ifndef DIRECTCHANGE_H
#define DIRECTCHANGE_H

#include "filestamp.h"
#include "tasklistbytes.h"
#include "tasklistfile.h"

#include <QString>

#include <memory>

class FileLock;
class SafeWrite;

// A command's change of one list file made straight in its bytes
// (TaskListBytes), under the lock that the list's store takes and written
// as the store writes (SafeWrite), for a file just as the program writes
// it. Any other file is left to the store, which reads it leniently and
// says in its own words what keeps it from changing it.
class DirectChange
{
public:
    explicit DirectChange(const QString &fileName);
    ~DirectChange();

    // Takes the list's lock and reads the file. False, holding nothing,
    // when the store must make the change instead: the lock or the file
    // cannot be had, or the file is not a writable regular file that
    // encodes its tasks exactly. room: how many bytes the change may add,
    // read into the same buffer so that they fit without moving the list.
    bool open(int room = 0);

    TaskListBytes &list() { return m_list; }
    QString lockFilePath() const { return m_file.lockFilePath(); }
    // Writes the list; false, with errorString() naming the file, when
    // the file still holds what was read.
    bool save();
    // Writes a list that only had tasks appended to the first size bytes
    // read onto the end of the file, which writes none of the tasks it held
    // again. False, having written nothing, when the file changed since it
    // was read (isStale()), for the store to make the change instead.
    bool saveAppended(int size);
    bool isStale() const { return m_stale; }
    // Writes back the first size bytes of the list: what it held before
    // tasks were appended.
    bool putBack(int size);
    QString errorString() const { return m_error; }

private:
    bool write(const QByteArray &bytes);
    bool failed(const SafeWrite &file);

    TaskListFile m_file;
    std::unique_ptr<FileLock> m_lock;
    FileStamp m_read;
    bool m_stale = false;
    TaskListBytes m_list;
    QString m_error;
};

#endif // DIRECTCHANGE_H
