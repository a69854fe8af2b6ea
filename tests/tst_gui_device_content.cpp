// What the window knows of the device's program, against korven-emu on a pseudo-terminal:
// the status-bar field, the question before "Uruchom", the marks of a failed verify.

#include "DeviceFixture.h"

#include "ComPort.h"
#include "ProgramListModel.h"

#include <QAction>
#include <QFileInfo>
#include <QListView>
#include <QMessageBox>
#include <QRegularExpression>
#include <QTest>

using namespace korven;

namespace {

const QStringList kProgram = {"Czekaj[ms](10)", "Czekaj[ms](20)", "Czekaj[ms](30)", "Koniec"};

// The emulator with a log of every byte it received.
struct LoggedFixture {
    explicit LoggedFixture(QStringList faults = {})
        : device(faults << QStringLiteral("--log") << logDir.filePath(QStringLiteral("rx"))) {}
    QByteArray received() const {
        QFile file(logDir.filePath(QStringLiteral("rx")));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    QTemporaryDir logDir;
    DeviceFixture device;
};

QString field(const DeviceFixture &f) { return f.child<QLabel>("devicePanel")->text(); }

bool isLoaded(const QString &text, const QString &verdict) {
    return QRegularExpression(QStringLiteral("^W mikroindekserze: p\\.dat \\(\\d\\d:\\d\\d\\), ") +
                              verdict + QLatin1Char('$'))
        .match(text)
        .hasMatch();
}

QSet<int> marked(const DeviceFixture &f) {
    auto *model = qobject_cast<ProgramListModel *>(f.child<QListView>("ListBoxProg")->model());
    return model->markedRows(ProgramListModel::LineMark::Difference);
}

} // namespace

class TestGuiDeviceContent : public QObject {
    Q_OBJECT
private slots:
    void theFieldFollowsEveryChange() {
        DeviceFixture f;
        f.load(kProgram);
        QCOMPARE(field(f), QStringLiteral("W mikroindekserze: nieznany"));
        f.form->miProgramujClick();
        QTRY_VERIFY(!f.busy());
        QVERIFY2(isLoaded(field(f), QStringLiteral("zgodny z bieżącym")), qPrintable(field(f)));
        // An edit, its undo, another program opened, the same again, "&Nowy".
        f.select(0);
        f.form->AddCmd(QStringLiteral("Stop"));
        QVERIFY2(isLoaded(field(f), QStringLiteral("inny niż bieżący")), qPrintable(field(f)));
        f.child<QAction>("miCofnij")->trigger();
        QVERIFY2(isLoaded(field(f), QStringLiteral("zgodny z bieżącym")), qPrintable(field(f)));
        f.load({"Czekaj[ms](10)", "Koniec"});
        QVERIFY2(isLoaded(field(f), QStringLiteral("inny niż bieżący")), qPrintable(field(f)));
        f.load(kProgram);
        QVERIFY2(isLoaded(field(f), QStringLiteral("zgodny z bieżącym")), qPrintable(field(f)));
        f.driver.then([](QWidget *w) { answer(w, QMessageBox::No); }); // save first?
        f.form->miNowyClick();
        QVERIFY2(isLoaded(field(f), QStringLiteral("inny niż bieżący")), qPrintable(field(f)));
        // A reset: nothing is known any more.
        f.form->miResetClick();
        QCOMPARE(field(f), QStringLiteral("W mikroindekserze: nieznany"));
        QTRY_VERIFY_WITH_TIMEOUT(!f.busy(), 5000);
    }
    void aFailedProgrammingLeavesHalfAProgram() {
        // Echoes "P", the length and four image bytes, then nothing.
        DeviceFixture f({QStringLiteral("--mute-after"), QStringLiteral("7")});
        f.load(kProgram);
        f.form->miProgramujClick();
        QTRY_VERIFY_WITH_TIMEOUT(!f.busy(), 10000);
        QCOMPARE(f.banner(), QStringLiteral("Błąd przy programowaniu mikroindeksera"));
        QCOMPARE(field(f), QStringLiteral("W mikroindekserze: niepełny (programowanie przerwane)"));
        QString question;
        f.driver.then([&](QWidget *w) {
            question = messageText(w);
            answer(w, QMessageBox::No);
        });
        f.form->Uruchom1Click();
        QCOMPARE(question, QStringLiteral("Mikroindekser zawiera inny program (niepełny – "
                                          "programowanie przerwane) niż bieżący. Uruchomić "
                                          "mimo to ?"));
        QVERIFY(!f.busy());
    }
    void runAsksWhenTheDeviceHoldsAnotherProgram() {
        LoggedFixture l;
        DeviceFixture &f = l.device;
        f.load(kProgram);
        f.form->miProgramujClick();
        QTRY_VERIFY(!f.busy());
        f.select(2);
        f.form->AddCmd(QStringLiteral("Stop"));
        const QByteArray loaded = l.received();
        QString caption, text;
        QMessageBox::StandardButton preset = QMessageBox::NoButton;
        f.driver.then([&](QWidget *w) {
            auto *box = qobject_cast<QMessageBox *>(w);
            caption = w->windowTitle();
            text = messageText(w);
            preset = box ? box->standardButton(box->defaultButton()) : QMessageBox::NoButton;
            answer(w, QMessageBox::No);
        });
        f.form->Uruchom1Click();
        QCOMPARE(caption, QStringLiteral("Potwierdź"));
        QVERIFY2(QRegularExpression(
                     QStringLiteral("^Mikroindekser zawiera inny program \\(p\\.dat, "
                                    "\\d\\d:\\d\\d\\) niż bieżący\\. Uruchomić mimo to \\?$"))
                     .match(text)
                     .hasMatch(),
                 qPrintable(text));
        QCOMPARE(preset, QMessageBox::No);
        QVERIFY(!f.busy());
        // "Nie" sent nothing: the next byte the device gets is the link test's.
        f.form->miTestKomunikacjiClick();
        QTRY_COMPARE(l.received(), loaded + "v");

        f.driver.then([](QWidget *w) { answer(w, QMessageBox::Yes); });
        f.form->Uruchom1Click();
        QVERIFY(f.busy());
        QTRY_COMPARE(f.banner(), QStringLiteral("Wykonywanie programu zakończone pomyślnie"));
        QVERIFY(l.received().endsWith("vR"));

        // With the device's program unknown it runs as it always did, without a question.
        f.form->miResetClick();
        QTRY_VERIFY_WITH_TIMEOUT(!f.busy(), 5000);
        const int seen = int(f.driver.seen.size());
        f.form->Uruchom1Click();
        QCOMPARE(int(f.driver.seen.size()), seen);
        QVERIFY(f.busy());
        QTRY_COMPARE(f.banner(), QStringLiteral("Wykonywanie programu zakończone pomyślnie"));
    }
    void aVerifyMarksExactlyTheLineThatDiffers() {
        // The device keeps the fifth program byte changed (in line 2) and echoes it right.
        DeviceFixture f({QStringLiteral("--corrupt-at"), QStringLiteral("5")});
        f.load(kProgram);
        f.form->miProgramujClick();
        QTRY_VERIFY(!f.busy());
        QCOMPARE(f.banner(), QStringLiteral("Programowanie mikroindeksera zakończone pomyślnie"));
        f.form->Weryfikacja1Click();
        QTRY_VERIFY(!f.busy());
        QCOMPARE(f.banner(), QStringLiteral("Weryfikacja - brak zgodności"));
        QCOMPARE(marked(f), QSet<int>{1});
        QCOMPARE(f.child<QListView>("ListBoxProg")->currentIndex().row(), 1);
        QCOMPARE(f.form->document().selected(), 1);
        // What it was thought to hold it does not hold: unknown, and where it differs.
        QCOMPARE(field(f),
                 QStringLiteral("W mikroindekserze: nieznany; pierwsza różnica: linia 2"));
        // The marks last until the next change.
        f.select(3);
        QCOMPARE(marked(f), QSet<int>{1});
        f.form->AddCmd(QStringLiteral("Stop"));
        QVERIFY(marked(f).isEmpty());
        QCOMPARE(field(f), QStringLiteral("W mikroindekserze: nieznany"));
    }
};

QTEST_MAIN(TestGuiDeviceContent)
#include "tst_gui_device_content.moc"
