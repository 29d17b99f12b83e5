// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "taskfilter.h"

#include "donemark.h"

namespace {

bool isAscii(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// Without the marks that decomposition splits off an accented letter.
QString withoutAccents(const QString &text)
{
    if (isAscii(text))
        return text;
    const QString decomposed = text.normalized(QString::NormalizationForm_D);
    QString bare;
    bare.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing)
            bare.append(c);
    }
    return bare;
}

} // namespace

TaskFilter::TaskFilter(const QString &query, bool hidesDone)
    : m_hidesDone(hidesDone)
{
    const QStringList words = query.left(MaxLength).split(QRegExp(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
    for (const QString &word : words) {
        const bool exactCase = word != word.toLower();
        const bool exactAccents = withoutAccents(word) != word;
        QString text = exactAccents ? word : withoutAccents(word);
        m_words.append(Word{exactCase ? text : text.toLower(), exactCase, exactAccents});
    }
}

bool TaskFilter::matches(const QString &line) const
{
    if (m_hidesDone && DoneMark::isDone(line))
        return false;
    // A done task is found by its text, not by its mark.
    const QString task = DoneMark::textOf(line);
    // Folded only when a word asks for it, and only once.
    QString bare;
    bool folded = false;
    for (const Word &word : m_words) {
        const Qt::CaseSensitivity cs = word.exactCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
        if (word.exactAccents) {
            if (!task.contains(word.text, cs))
                return false;
            continue;
        }
        if (!folded) {
            bare = withoutAccents(task);
            folded = true;
        }
        if (!bare.contains(word.text, cs))
            return false;
    }
    return true;
}

QVector<int> TaskFilter::matchingRows(const QStringList &tasks) const
{
    QVector<int> rows;
    for (int i = 0; i < tasks.size(); ++i) {
        if (matches(tasks.at(i)))
            rows.append(i);
    }
    return rows;
}

QStringList TaskFilter::matching(const QStringList &tasks, QVector<int> *rows) const
{
    *rows = matchingRows(tasks);
    QStringList texts;
    texts.reserve(rows->size());
    for (const int row : qAsConst(*rows))
        texts.append(tasks.at(row));
    return texts;
}
