#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers modal dialogs from tests: each step runs on the next modal window that shows,
// from a timer, while the code under test sits in exec().
class DialogDriver : public QObject {
public:
    using Step = std::function<void(QWidget *)>;

    DialogDriver() {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &DialogDriver::poll);
        m_timer.start();
    }

    DialogDriver &then(Step step) {
        m_steps.append(std::move(step));
        return *this;
    }
    // While on, message boxes are confirmed on their own and their texts kept in messages.
    bool acceptMessages = false;
    QStringList messages;
    int pending() const { return int(m_steps.size()); }
    // Titles and texts of the modal windows seen, in order.
    QStringList seen;

private:
    void poll() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal == m_last)
            return;
        if (auto *box = qobject_cast<QMessageBox *>(modal); box && acceptMessages) {
            m_last = modal;
            messages.append(box->text());
            QTimer::singleShot(0, box, [box] {
                box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click()
                                             : box->reject();
            });
            return;
        }
        if (m_steps.isEmpty())
            return;
        m_last = modal;
        seen.append(modal->windowTitle());
        // Run the step from a timer of its own: a modal window it opens must not stop
        // this timer, which answers that window next.
        QTimer::singleShot(0, modal, [step = m_steps.takeFirst(), modal] { step(modal); });
    }

    QTimer m_timer;
    QList<Step> m_steps;
    QPointer<QWidget> m_last;
};
