// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the task list loader and writer.
//
// For any bytes: decoding neither crashes nor trips a sanitizer; what the
// writer makes of the decoded tasks is valid UTF-8 that decodes to the same
// tasks exactly when the writer says it loads back; bytes the loader calls
// exact are the tasks written, and a change spliced into them is the
// changed list written; normalised bytes are stable; and TaskListFile loads a file holding the bytes exactly as the
// codec decodes them, and writes back what it shows, in the encoding it read.

#include "tasklistcodec.h"
#include "tasklistfile.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

void check(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz_tasklist: %s\n", what);
        std::abort();
    }
}

QTemporaryDir *workDir = nullptr;

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    // A memory file system when there is one: the writer syncs every file.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    workDir = new QTemporaryDir(base + QStringLiteral("/fuzz_tasklist-XXXXXX"));
    if (!workDir->isValid() || !QDir::setCurrent(workDir->path()))
        std::abort();
    std::atexit([] { delete workDir; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input = QByteArray::fromRawData(reinterpret_cast<const char *>(data), int(size));

    const TaskListCodec::Decoded decoded = TaskListCodec::decode(input);
    bool loadsBack = false;
    const QByteArray written = TaskListCodec::encode(decoded.tasks, &loadsBack);
    const TaskListCodec::Decoded reread = TaskListCodec::decode(written);
    check(reread.valid, "the writer made bytes that do not decode");
    // The writer's word is exact: the tasks load back when it says so, and
    // only then (a store that is told they do not shows the reloaded list).
    check(loadsBack == (reread.tasks == decoded.tasks), "the writer misjudged whether the tasks load back");

    // Bytes the loader calls exact are what writing their tasks gives, and
    // a change spliced into them gives what writing the changed list does.
    if (decoded.exact) {
        check(written == input, "bytes called exact differ from their tasks written");
        QStringList changed = decoded.tasks;
        if (!changed.isEmpty())
            changed.removeAt(int(size % size_t(changed.size())));
        changed.insert(int(size % size_t(changed.size() + 1)), QStringLiteral("added"));
        bool changedLoadsBack = false;
        const QByteArray expected = TaskListCodec::encode(changed, &changedLoadsBack);
        QByteArray spliced = input;
        check(TaskListCodec::reencode(spliced, decoded.tasks, changed) == changedLoadsBack,
              "a splice was refused or made where writing the list would not load back");
        check(!changedLoadsBack || spliced == expected, "a spliced change differs from the list written");
    }

    // Normalised bytes are stable: once what was written loads back as
    // written, writing it again gives the same bytes.
    bool again = false;
    const QByteArray rewritten = TaskListCodec::encode(reread.tasks, &again);
    if (loadsBack)
        check(again && rewritten == written, "the bytes change at the second normalisation");

    // The file layer, on a real file.
    QFile file(QStringLiteral("sprint1"));
    check(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(input) == input.size(), "cannot write the input");
    file.close();
    TaskListFile list(QStringLiteral("sprint1"));
    QStringList tasks;
    list.load(tasks);
    check(tasks == decoded.tasks, "loading a file differs from decoding its bytes");
    check(list.isReadOnly() == !decoded.valid, "a file is read-only exactly when it does not decode");
    if (!list.isReadOnly()) {
        check(list.rewrite(tasks), "rewriting a readable file failed");
        QFile result(QStringLiteral("sprint1"));
        check(result.open(QIODevice::ReadOnly), "the rewritten file cannot be read");
        const QByteArray stored = result.readAll();
        // In the encoding it was read in, with its byte-order mark.
        check(stored == TaskListCodec::inEncoding(written, decoded.encoding, decoded.byteOrderMark),
              "the file layer wrote other bytes than the codec");
        check(TaskListCodec::decode(stored).encoding == decoded.encoding, "the file layer changed the encoding");
        check(tasks == TaskListCodec::decode(stored).tasks, "the list differs from its file after a write");
    }
    return 0;
}
