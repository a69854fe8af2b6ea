// Not a test of its own: tst_dialogdriver runs it and reads its output. Its test
// functions fail on purpose, in the ways that once hung a test binary.
#include "GuiFixture.h"

#include <QMessageBox>
#include <QTest>

namespace {
void showBox(const QString &text) {
    QMessageBox box(QMessageBox::Information, QStringLiteral("KORVEN"), text, QMessageBox::Ok);
    box.exec();
}
} // namespace

class DialogDriverSelfTest : public QObject {
    Q_OBJECT
private slots:
    void failingStepClosesItsDialog() {
        DialogDriver driver;
        driver.then([](QWidget *w) {
            QCOMPARE(messageText(w), QStringLiteral("expected text"));
            answer(w, QMessageBox::Ok);
        });
        showBox(QStringLiteral("shown text"));
        // The code under test goes on and opens another window: it is closed as well.
        showBox(QStringLiteral("a second box"));
    }
    void wrongDialogTypeFails() {
        DialogDriver driver;
        driver.then([](QWidget *w) { answer(w, QMessageBox::Yes); });
        QDialog dialog;
        dialog.exec();
    }
    void typedStepOnAnotherWindowFails() {
        DialogDriver driver;
        driver.then<QMessageBox>([](QMessageBox *box) { box->accept(); });
        QDialog dialog;
        dialog.setWindowTitle(QStringLiteral("Plain"));
        dialog.exec();
    }
    void unansweredDialogFails() {
        DialogDriver driver;
        driver.unansweredMs = 300;
        showBox(QStringLiteral("nobody answers"));
    }
    void laterTestsStillRun() {
        DialogDriver driver;
        QString text;
        driver.then([&](QWidget *w) {
            text = messageText(w);
            answer(w, QMessageBox::Ok);
        });
        showBox(QStringLiteral("answered"));
        QCOMPARE(text, QStringLiteral("answered"));
    }
};

QTEST_MAIN(DialogDriverSelfTest)
#include "dialogdriver_selftest.moc"
