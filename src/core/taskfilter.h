// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef TASKFILTER_H
#define TASKFILTER_H

#include <QString>
#include <QStringList>
#include <QVector>

// What a find line matches: every word of the query, in any order, each
// ignoring case and accents unless it holds a capital letter or an accented
// letter itself, which it then matches exactly ("cafe" finds "Café",
// "Café" finds only that). It looks at a task's text, not at its done mark;
// it can hide every done task as well.
class TaskFilter
{
public:
    // The longest query taken; a longer paste is cut there.
    static constexpr int MaxLength = 1000;

    explicit TaskFilter(const QString &query = QString(), bool hidesDone = false);

    // True when the query has no words and done tasks are shown: every
    // task matches.
    bool isEmpty() const { return m_words.isEmpty() && !m_hidesDone; }
    bool hidesDone() const { return m_hidesDone; }
    bool matches(const QString &task) const;
    // The rows of tasks that match, in order.
    QVector<int> matchingRows(const QStringList &tasks) const;
    // The tasks that match, in order; rows gets their rows.
    QStringList matching(const QStringList &tasks, QVector<int> *rows) const;

private:
    struct Word {
        QString text;
        bool exactCase;
        bool exactAccents;
    };
    QVector<Word> m_words;
    bool m_hidesDone = false;
};

#endif // TASKFILTER_H
