#include "GuiFixture.h"

#include "ComPort.h"
#include "FirmwareCommand.h"
#include "StandInTool.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using namespace korven;

namespace {

void chooseFile(QWidget *w, const QString &path) {
    auto *dialog = qobject_cast<QFileDialog *>(w);
    QVERIFY(dialog);
    dialog->setDirectory(QFileInfo(path).absolutePath());
    dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"))
        ->setText(QFileInfo(path).fileName());
    static_cast<QDialog *>(dialog)->accept();
}

QString native(const QString &path) { return QDir::toNativeSeparators(path); }

// The update with a tool that prints output, answering the dialogs on the way.
struct Update {
    Update(GuiFixture &f, const QByteArray &toolOutput, bool protect, bool withTool = true) {
        if (withTool)
            standInTool(f.dir.path(), QStringLiteral("avrosp"),
                        "out " + toolOutput + "\narguments-to args\n");
        f.form->ComPort1->settings.Port = QStringLiteral("/dev/no-such-port");
        QFile hex(f.path(QStringLiteral("firmware 1.hex")));
        hex.open(QIODevice::WriteOnly);
        hex.write(":00000001FF\n");
        hex.close();
        f.driver.then([&](QWidget *w) { chooseFile(w, hex.fileName()); })
            .then([&, protect](QWidget *w) {
                question = messageText(w);
                busyDuringUpdate = !f.child<QPushButton>("bbtnVmin")->isEnabled() &&
                                   !f.child<QPushButton>("sbtnStop")->isEnabled();
                answer(w, protect ? QMessageBox::Yes : QMessageBox::No);
            })
            .then([&](QWidget *w) {
                commandLine = messageText(w);
                pressOk(w);
            })
            .then([&](QWidget *w) { // the serial port cannot be reopened: no device here
                reopenMessage = messageText(w);
                pressOk(w);
            });
        f.form->miAktualizujClick();
        QFile args(f.path(QStringLiteral("args")));
        if (args.open(QIODevice::ReadOnly))
            toolArguments = QString::fromLocal8Bit(args.readAll()).trimmed();
    }
    QString question, commandLine, reopenMessage, toolArguments;
    bool busyDuringUpdate = false;
};

} // namespace

class TestGuiFirmware : public QObject {
    Q_OBJECT
private slots:
    void protectedUpdateNeedsOneEqual() {
        GuiFixture f;
        Update u(f, "Flash ## Eq#ual!\\r\\n", true);
        QCOMPARE(f.driver.pending(), 0);
        QCOMPARE(u.question, QStringLiteral("Czy aktualizacja z ochroną pamięci użytkownika ?"));
        QVERIFY(u.busyDuringUpdate);
        // The program folder ends in a separator: two of them before the tool's name.
        const QString tool = native(f.dir.path() + QLatin1Char('/')) + QDir::separator() +
                             FirmwareCommand::toolName();
        const QString firmware = native(f.path(QStringLiteral("firmware 1.hex")));
        QCOMPARE(u.commandLine,
                 QStringLiteral("\"%1\" -dATmega16 -pf -vf -if\"%2\" -e").arg(tool, firmware));
        QCOMPARE(u.toolArguments, QStringLiteral("-dATmega16 -pf -vf -if%1 -e").arg(firmware));
        QCOMPARE(u.reopenMessage, QStringLiteral("Nie mogę otworzyć portu: /dev/no-such-port"));
        QCOMPARE(f.child<QLabel>("Panel5")->text(),
                 QStringLiteral("Aktualizacja zakończona pomyślnie"));
        QVERIFY(f.child<QPushButton>("bbtnVmin")->isEnabled());
        QVERIFY(f.child<QPushButton>("sbtnStop")->isEnabled());
        QVERIFY(!QApplication::overrideCursor());
    }
    void unprotectedUpdateNeedsTwo() {
        GuiFixture f;
        Update once(f, "Equal!\\n", false);
        QVERIFY(once.toolArguments.contains(
            QStringLiteral("-ie%1").arg(native(f.path(QStringLiteral("RQ407_eeprom.hex"))))));
        QCOMPARE(f.child<QLabel>("Panel5")->text(), QStringLiteral("Błąd przy aktualizacji !"));
        Update twice(f, "Equal!\\nEqual!\\n", false);
        QCOMPARE(f.child<QLabel>("Panel5")->text(),
                 QStringLiteral("Aktualizacja zakończona pomyślnie"));
    }
    void missingToolFails() {
        GuiFixture f;
        Update u(f, {}, true, false);
        QCOMPARE(f.child<QLabel>("Panel5")->text(), QStringLiteral("Błąd przy aktualizacji !"));
        QVERIFY(f.child<QPushButton>("bbtnVmin")->isEnabled());
    }
    void cancelledFileDialogChangesNothing() {
        GuiFixture f;
        f.driver.then([](QWidget *w) { pressCancel(w); });
        f.form->miAktualizujClick();
        QVERIFY(f.child<QLabel>("Panel5")->text().isEmpty());
        QVERIFY(f.child<QPushButton>("bbtnVmin")->isEnabled());
    }
};

QTEST_MAIN(TestGuiFirmware)
#include "tst_gui_firmware.moc"
