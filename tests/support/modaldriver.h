// SPDX-FileCopyrightText: 2026 The Corvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#ifndef MODALDRIVER_H
#define MODALDRIVER_H

#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QVector>

#include <functional>

// Answers the modal dialogs that a test's click opens, from a timer that runs
// inside their own event loops: one queued step per dialog that asks
// something, in order; message boxes are noted and acknowledged. A dialog no
// step expects, or one a step leaves open, is rejected after a while and
// noted, so that a test fails instead of hanging.
class ModalDriver : public QObject
{
public:
    using Step = std::function<void(QWidget *)>;

    ModalDriver()
    {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
        m_timer.start();
    }

    void add(const Step &step) { m_steps.append(step); }
    bool done() const { return m_steps.isEmpty(); }

    QStringList titles;        // of every dialog seen, in order
    QStringList messages;      // texts of the message boxes seen, notices too
    QStringList notices;       // ... of those that did not block
    QStringList labels;        // of the input dialogs seen ...
    QStringList initialTexts;  // ... and the texts they started with
    QStringList offered;       // rows of the last list picker ...
    int offeredMode = -1;      // ... and its QAbstractItemView::SelectionMode ...
    QStringList preselected;   // ... and the rows it opened with selected
    // The window each dialog seen opened over, in order; null for one that
    // floats free: no parent, or a minimise or maximise button.
    QVector<const QWidget *> owners;
    QStringList unexpected;    // titles of dialogs no step expected or that a step left open
    Step onMessage;            // called with each message box before it is acknowledged

    // Types text into an input dialog and presses OK.
    static Step enterText(const QString &text)
    {
        return [text](QWidget *w) {
            if (auto *dialog = qobject_cast<QInputDialog *>(w)) {
                dialog->setTextValue(text);
                dialog->accept();
            }
        };
    }

    // Selects the rows holding these texts, in this order, in a list picker
    // and presses OK.
    static Step pick(const QStringList &texts)
    {
        return [texts](QWidget *w) {
            auto *list = w->findChild<QListWidget *>(QStringLiteral("list"));
            if (!list)
                return;
            // The picker opens with its first row selected.
            list->clearSelection();
            for (const QString &text : texts) {
                const auto found = list->findItems(text, Qt::MatchExactly);
                if (!found.isEmpty())
                    list->setCurrentItem(found.first(), QItemSelectionModel::Select);
            }
            static_cast<QDialog *>(w)->accept();
        };
    }

    static Step cancel()
    {
        return [](QWidget *w) { static_cast<QDialog *>(w)->reject(); };
    }

private:
    void tick()
    {
        // Notices do not block: they are read and closed as they come.
        for (QWidget *top : QApplication::topLevelWidgets()) {
            auto *notice = qobject_cast<QMessageBox *>(top);
            if (notice && notice->isVisible() && !notice->isModal()) {
                notices.append(notice->text());
                messages.append(notice->text());
                notice->close();
            }
        }
        QWidget *w = QApplication::activeModalWidget();
        auto *dialog = qobject_cast<QDialog *>(w);
        if (w != m_current) {
            m_current = w;
            m_shown.start();
            if (dialog)
                answer(dialog);
        } else if (dialog && m_shown.elapsed() > 3000) {
            unexpected.append(QStringLiteral("left open: ") + w->windowTitle());
            dialog->reject();
        }
    }

    void answer(QDialog *dialog)
    {
        titles.append(dialog->windowTitle());
        const bool minMax = dialog->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint);
        owners.append(dialog->parentWidget() && !minMax ? dialog->parentWidget()->window() : nullptr);
        if (auto *box = qobject_cast<QMessageBox *>(dialog)) {
            messages.append(box->text());
            if (onMessage)
                onMessage(box);
            box->accept();
            return;
        }
        if (auto *input = qobject_cast<QInputDialog *>(dialog)) {
            labels.append(input->labelText());
            initialTexts.append(input->textValue());
        }
        if (auto *list = dialog->findChild<QListWidget *>(QStringLiteral("list"))) {
            offered.clear();
            preselected.clear();
            offeredMode = list->selectionMode();
            for (int i = 0; i < list->count(); ++i) {
                offered.append(list->item(i)->text());
                if (list->item(i)->isSelected())
                    preselected.append(list->item(i)->text());
            }
        }
        if (m_steps.isEmpty()) {
            unexpected.append(dialog->windowTitle());
            dialog->reject();
        } else {
            m_steps.takeFirst()(dialog);
        }
    }

    QList<Step> m_steps;
    QTimer m_timer;
    QPointer<QWidget> m_current;
    QElapsedTimer m_shown;
};

#endif // MODALDRIVER_H
