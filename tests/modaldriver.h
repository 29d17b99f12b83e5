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
#include <QWidget>

#include <functional>

// Answers the modal dialogs that a test's click opens, one queued step per
// dialog that asks something (message boxes are noted and acknowledged), in order, from a timer that runs inside the dialogs' own event
// loops. A dialog that no step expects, or one that a step leaves open, is
// rejected after a while and noted, so that a test fails instead of hanging.
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

    // Window titles of every dialog seen, in order.
    QStringList titles;
    // Texts of the message boxes seen, in order.
    QStringList messages;
    // Labels of the input dialogs seen, and the texts they started with.
    QStringList labels;
    QStringList initialTexts;
    // Rows that the last list picker offered.
    QStringList offered;
    // Titles of dialogs that no step expected or that a step left open.
    QStringList unexpected;
    // Called with each message box before it is acknowledged, when set.
    Step onMessage;

    // Types text into an input dialog and presses OK.
    static Step enterText(const QString &text)
    {
        return [text](QWidget *w) {
            auto *dialog = qobject_cast<QInputDialog *>(w);
            if (!dialog)
                return;
            dialog->setTextValue(text);
            dialog->accept();
        };
    }

    // Selects the rows holding these texts (in this order) in a list picker
    // and presses OK.
    static Step pick(const QStringList &texts)
    {
        return [texts](QWidget *w) {
            auto *list = w->findChild<QListWidget *>(QStringLiteral("list"));
            if (!list)
                return;
            for (const QString &text : texts) {
                const auto found = list->findItems(text, Qt::MatchExactly);
                if (!found.isEmpty())
                    list->setCurrentItem(found.first(), QItemSelectionModel::Select);
            }
            static_cast<QDialog *>(w)->accept();
        };
    }

    static Step accept()
    {
        return [](QWidget *w) { static_cast<QDialog *>(w)->accept(); };
    }

    static Step cancel()
    {
        return [](QWidget *w) { static_cast<QDialog *>(w)->reject(); };
    }

private:
    void tick()
    {
        QWidget *w = QApplication::activeModalWidget();
        if (!w) {
            m_current = nullptr;
            return;
        }
        auto *dialog = qobject_cast<QDialog *>(w);
        if (w == m_current) {
            // A step left it open: give up on it.
            if (m_shown.elapsed() > 3000 && dialog) {
                unexpected.append(QStringLiteral("left open: ") + w->windowTitle());
                dialog->reject();
            }
            return;
        }
        m_current = w;
        m_shown.start();
        titles.append(w->windowTitle());
        // Message boxes only tell: they are noted and acknowledged without
        // a step of their own.
        if (auto *box = qobject_cast<QMessageBox *>(w)) {
            messages.append(box->text());
            if (onMessage)
                onMessage(box);
            box->accept();
            return;
        }
        if (auto *input = qobject_cast<QInputDialog *>(w)) {
            labels.append(input->labelText());
            initialTexts.append(input->textValue());
        }
        if (auto *list = w->findChild<QListWidget *>(QStringLiteral("list"))) {
            offered.clear();
            for (int i = 0; i < list->count(); ++i)
                offered.append(list->item(i)->text());
        }
        if (m_steps.isEmpty()) {
            unexpected.append(w->windowTitle());
            if (dialog)
                dialog->reject();
            return;
        }
        const Step step = m_steps.takeFirst();
        step(w);
    }

    QList<Step> m_steps;
    QTimer m_timer;
    QPointer<QWidget> m_current;
    QElapsedTimer m_shown;
};

#endif // MODALDRIVER_H
