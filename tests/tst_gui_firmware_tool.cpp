// The window's firmware update with our avrosp and the real avrdude against the AVR109
// boot loader simulator.

#include "GuiFixture.h"

#include "ComPort.h"
#include "ComPortSettings.h"
#include "ProfileFile.h"

#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

using namespace korven;

namespace {

// The simulator, our avrosp beside the window and a firmware image.
struct ToolBench : GuiFixture {
    explicit ToolBench(QStringList faults = {}) {
        faults << QStringLiteral("--log") << path(QStringLiteral("sim.log"));
        sim.start(QStringLiteral(KORVEN_AVR109_SIM), faults);
        sim.waitForReadyRead(10000);
        port = QString::fromLocal8Bit(sim.readLine()).trimmed();
        QFile::copy(QStringLiteral(KORVEN_AVROSP), path(QStringLiteral("avrosp")));
        QFile hex(path(QStringLiteral("firmware.hex")));
        hex.open(QIODevice::WriteOnly);
        hex.write(":100000000C942A000C943F000C943F000C943F0089\n"
                  ":100010000C943F000C943F000C943F000C943F0064\n:00000001FF\n");
    }
    ~ToolBench() {
        sim.kill();
        sim.waitForFinished();
    }
    // The port dialog, confirmed with the simulator's port chosen.
    void choosePort() {
        // Stands for the system's port list, which has no pseudo-terminals.
        form->ComPort1->settings.Port = port;
        driver.then([this](QWidget *w) {
            auto *dialog = qobject_cast<TComSettingsFrm *>(w);
            QVERIFY(dialog);
            dialog->Combo1->setCurrentIndex(dialog->Combo1->findText(port));
            pressOk(w);
        });
        form->miWyborClick();
    }
    // The update with protection; the port's reopening is answered when it fails.
    void update() {
        driver
            .then([this](QWidget *w) {
                auto *dialog = qobject_cast<QFileDialog *>(w);
                dialog->setDirectory(dir.path());
                dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
                    ->setText(QStringLiteral("firmware.hex"));
                static_cast<QDialog *>(dialog)->accept();
            })
            .then([](QWidget *w) { answer(w, QMessageBox::Yes); })
            .then([](QWidget *w) { pressOk(w); })
            .then([](QWidget *w) { pressOk(w); });
        form->miAktualizujClick();
    }
    QString banner() const { return child<QLabel>("Panel5")->text(); }

    QProcess sim;
    QString port;
};

} // namespace

class TestGuiFirmwareTool : public QObject {
    Q_OBJECT
private slots:
    void theToolUsesThePortChosenInThisSession() {
        ToolBench bench;
        QVERIFY(!QFileInfo::exists(bench.path(QStringLiteral("rs232.ini")))); // a first run
        bench.choosePort();
        ProfileFile ini;
        QVERIFY(ini.load(bench.path(QStringLiteral("rs232.ini"))));
        QCOMPARE(ini.value(QStringLiteral("ComPort1"), QStringLiteral("Port"), {}), bench.port);
        bench.update();
        QCOMPARE(bench.banner(), QStringLiteral("Aktualizacja zakończona pomyślnie"));
        QFile log(bench.path(QStringLiteral("sim.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        QVERIFY(log.readAll().startsWith("erase\nwrite flash"));
        QVERIFY(bench.child<QPushButton>("bbtnVmin")->isEnabled());
    }
    void aPulledCableEndsTheUpdate() {
        ToolBench bench({QStringLiteral("--hangup-after-writes"), QStringLiteral("1")});
        bench.choosePort();
        bench.update();
        const qint64 back = QDateTime::currentMSecsSinceEpoch();
        QCOMPARE(bench.banner(), QStringLiteral("Błąd przy aktualizacji !"));
        QVERIFY(bench.child<QPushButton>("bbtnVmin")->isEnabled());
        QVERIFY(bench.child<QPushButton>("sbtnStop")->isEnabled());
        QFile log(bench.path(QStringLiteral("sim.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = log.readAll().trimmed().split('\n');
        QVERIFY(lines.last().startsWith("hangup "));
        const qint64 usable = back - lines.last().mid(7).toLongLong();
        QVERIFY2(usable < 40000, qPrintable(QString::number(usable)));
        qInfo("pulled cable to a usable window (firmware update): %lld ms", usable);
    }
};

QTEST_MAIN(TestGuiFirmwareTool)
#include "tst_gui_firmware_tool.moc"
