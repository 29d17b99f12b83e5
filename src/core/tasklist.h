// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKLIST_H
#define TASKLIST_H

#include <QHash>
#include <QSet>
#include <QVector>
#include <QString>
#include <QStringList>

class TaskListBytes;

// The tasks that an edit (see ListEdits) reads and changes: a list of
// strings, or the bytes of a file that encode their tasks exactly, changed
// in place so that a change of one task of a long list costs a search and a
// splice instead of a decode and an encode of every task.
//
// Every edit is written once, against this class, and gives the same list
// either way. What the bytes cannot hold as they are (a text with a line
// feed, a list of one empty task), and an edit that rebuilds the whole list
// (strings()), turns the bytes into strings first, which is always right
// and only costs time.
class TaskList
{
public:
    explicit TaskList(QStringList *strings);
    explicit TaskList(TaskListBytes *bytes);
    TaskList(const TaskList &) = delete;
    TaskList &operator=(const TaskList &) = delete;

    int size() const { return m_bytes ? m_size : m_strings->size(); }
    bool isEmpty() const { return size() == 0; }
    // The line on row, done mark and all.
    QString at(int row) const;
    // Tasks are looked for by their text without a done mark (DoneMark),
    // whether the text given carries one or not: a task is the same task
    // done or open.
    // The first row from from on that holds text's task, or -1.
    int indexOf(const QString &text, int from = 0) const;
    bool contains(const QString &text) const { return indexOf(text) >= 0; }
    // Whether row holds text's task.
    bool holds(int row, const QString &text) const;
    // Every task's text once, without marks, for many look-ups.
    QSet<QString> textSet() const;
    // The rows from from to before end that hold each of texts (texts
    // without marks), in order.
    QHash<QString, QVector<int>> rowsHolding(const QSet<QString> &texts, int from, int end) const;

    void insert(int row, const QString &text);
    void append(const QString &text) { insert(size(), text); }
    void removeAt(int row);
    // Gives the task on row the text text.
    void replace(int row, const QString &text);
    void move(int from, int to);
    // Has the list written as it is, which normalises its file.
    void rewrite();

    // The tasks as strings, for an edit that works on the whole list.
    QStringList &strings();

    // Whether the tasks are still the bytes they were given as.
    bool isBytes() const { return m_bytes; }
    // Whether any call may have changed the list: an edit that says it
    // changed the list but left it as it was writes nothing.
    bool isChanged() const { return m_changed; }
    // Whether every change only added tasks after the last one.
    bool onlyAppended() const { return m_changed && m_onlyAppended; }
    // The texts that the edit took out of the list and did not put back,
    // each as often as it went: what the change deletes.
    QStringList gone() const;

private:
    // Whether text goes into the bytes as one line of its own.
    static bool fitsOneLine(const QString &text);
    // Turns the bytes into strings, line for line.
    void decode();
    // Calls visit with each line of the bytes, trailing empty ones too.
    template <typename Visit>
    void forEachLine(Visit visit) const;
    void changed(bool appended);
    void removing(int row);
    void inserting(const QString &text);

    QStringList *m_strings = nullptr;
    TaskListBytes *m_bytes = nullptr;
    QStringList m_decoded;
    int m_size = 0;  // of the bytes, counted once
    bool m_changed = false;
    bool m_onlyAppended = true;
    // What the calls took out and put in; and the list as it was when an
    // edit took it whole, from when on only the list itself tells.
    QStringList m_removed;
    QStringList m_inserted;
    QStringList m_handedOut;
    bool m_wasHandedOut = false;
};

#endif // TASKLIST_H
