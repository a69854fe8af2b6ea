#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QObject>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <functional>

// Answers modal dialogs from tests: each step runs on the next modal window that shows,
// from a timer, while the code under test sits in exec().
//
// A test never hangs on a dialog: when a step fails (a QCOMPARE or QVERIFY in it) its
// dialog is closed, and so is every modal window after it, so that exec() returns and
// the test ends with the step's message. A modal window that nothing answers fails the
// test after unansweredMs and is closed.
class DialogDriver : public QObject {
public:
    using Step = std::function<void(QWidget *)>;
    int unansweredMs = 10000;

    DialogDriver() {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &DialogDriver::poll);
        m_timer.start();
        m_since.start();
    }

    DialogDriver &then(Step step) {
        m_steps.append(std::move(step));
        return *this;
    }
    // A step for a dialog of class T; another kind of window fails the test.
    template <typename T> DialogDriver &then(std::function<void(T *)> step) {
        return then([step = std::move(step)](QWidget *w) {
            if (T *typed = qobject_cast<T *>(w))
                step(typed);
            else
                failOn(w, QStringLiteral("expected a %1").arg(T::staticMetaObject.className()));
        });
    }
    // While on, message boxes are confirmed on their own and their texts kept in messages.
    bool acceptMessages = false;
    QStringList messages;
    int pending() const { return int(m_steps.size()); }
    // Titles and texts of the modal windows seen, in order.
    QStringList seen;

    // Fails the running test, naming the window.
    static void failOn(QWidget *w, const QString &what) {
        const auto *box = qobject_cast<QMessageBox *>(w);
        const QString description =
            w ? QStringLiteral("%1 \"%2\"%3")
                    .arg(QString::fromLatin1(w->metaObject()->className()), w->windowTitle(),
                         box ? QStringLiteral(": ") + box->text() : QString())
              : QStringLiteral("no window");
        QTest::qFail(qPrintable(what + QStringLiteral(", got ") + description), __FILE__, __LINE__);
    }

private:
    static void closeWindow(QWidget *w) {
        if (auto *dialog = qobject_cast<QDialog *>(w))
            dialog->done(QDialog::Rejected);
        else
            w->close();
        w->hide();
    }

    bool failed() const {
        return QTest::currentTestFailed() && m_failedIn == QTest::currentTestFunction();
    }

    void poll() {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal) {
            m_waiting = nullptr;
            return;
        }
        if (failed()) {
            // The test has failed: nothing is answered any more, every dialog closes.
            QTimer::singleShot(0, modal, [modal] { closeWindow(modal); });
            return;
        }
        if (modal == m_last) {
            // A step still busy with its window (a QTRY in it) is left alone.
            if (m_stepsRunning == 0 && m_since.elapsed() > unansweredMs)
                giveUp(modal, QStringLiteral("the window stayed open after its step"));
            return;
        }
        if (auto *box = qobject_cast<QMessageBox *>(modal); box && acceptMessages) {
            m_last = modal;
            messages.append(box->text());
            QTimer::singleShot(0, box, [box] {
                box->button(QMessageBox::Ok) ? box->button(QMessageBox::Ok)->click()
                                             : box->reject();
            });
            return;
        }
        if (m_steps.isEmpty()) {
            if (m_waiting != modal) {
                m_waiting = modal;
                m_since.restart();
            } else if (m_since.elapsed() > unansweredMs) {
                giveUp(modal, QStringLiteral("no step answered the modal window"));
            }
            return;
        }
        m_last = modal;
        seen.append(modal->windowTitle());
        // Run the step from a timer of its own: a modal window it opens must not stop
        // this timer, which answers that window next.
        QTimer::singleShot(0, modal, [this, step = m_steps.takeFirst(), modal] {
            QPointer<QWidget> window = modal;
            ++m_stepsRunning;
            step(modal);
            --m_stepsRunning;
            m_since.restart();
            if (QTest::currentTestFailed()) {
                m_failedIn = QTest::currentTestFunction();
                if (window)
                    closeWindow(window);
            }
        });
    }

    void giveUp(QWidget *modal, const QString &why) {
        failOn(modal, why);
        m_failedIn = QTest::currentTestFunction();
        QTimer::singleShot(0, modal, [modal] { closeWindow(modal); });
    }

    QTimer m_timer;
    QList<Step> m_steps;
    QPointer<QWidget> m_last;
    QPointer<QWidget> m_waiting;
    QElapsedTimer m_since;
    int m_stepsRunning = 0;
    QByteArray m_failedIn;
};
