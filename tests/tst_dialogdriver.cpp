#include <QElapsedTimer>
#include <QProcess>
#include <QTest>

// A failing step in a dialog, a dialog of the wrong kind and a dialog nobody answers
// each fail their test within seconds and never stop the tests that follow.
class TestDialogDriver : public QObject {
    Q_OBJECT
private slots:
    void failuresEndTheTestInsteadOfHanging() {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        QElapsedTimer clock;
        clock.start();
        p.start(QStringLiteral(KORVEN_DIALOGDRIVER_SELFTEST), {});
        QVERIFY(p.waitForFinished(60000));
        const QString out = QString::fromUtf8(p.readAll());
        QVERIFY2(clock.elapsed() < 20000, qPrintable(out));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), 4); // the number of failed test functions
        const QString prefix = QStringLiteral("FAIL!  : DialogDriverSelfTest::");
        QVERIFY2(out.contains(prefix + QStringLiteral("failingStepClosesItsDialog() Compared "
                                                      "values are not the same")),
                 qPrintable(out));
        QVERIFY2(out.contains(QStringLiteral("\"shown text\"")), qPrintable(out));
        QVERIFY2(out.contains(prefix + QStringLiteral("wrongDialogTypeFails() expected a message "
                                                      "box with button")),
                 qPrintable(out));
        QVERIFY2(out.contains(prefix + QStringLiteral("typedStepOnAnotherWindowFails() expected "
                                                      "a QMessageBox, got QDialog \"Plain\"")),
                 qPrintable(out));
        QVERIFY2(out.contains(prefix + QStringLiteral("unansweredDialogFails() no step answered "
                                                      "the modal window, got QMessageBox "
                                                      "\"KORVEN\": nobody answers")),
                 qPrintable(out));
        QVERIFY2(
            out.contains(QStringLiteral("PASS   : DialogDriverSelfTest::laterTestsStillRun()")),
            qPrintable(out));
        QVERIFY2(!out.contains(QStringLiteral("a second box")), qPrintable(out));
    }
};

QTEST_GUILESS_MAIN(TestDialogDriver)
#include "tst_dialogdriver.moc"
