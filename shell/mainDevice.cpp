// The main window's device commands: each runs as a job, one at a time.

#include "main.h"

#include "ComPort.h"
#include "Compiler.h"
#include "ExchangeJob.h"
#include "FileDialogs.h"
#include "FirmwareJob.h"
#include "Messages.h"
#include "NonCommandLines.h"
#include "PortSelection.h"
#include "ProgramListModel.h"
#include "ResetJob.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QListView>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTime>
#include <QTimer>

namespace korven {
namespace {

// The line under a port failure in the banner: what the user can do about it.
const char *const kPortFailureAdvice =
    "Sprawdź kabel lub przejściówkę i wybierz port ponownie (menu Ustawienia)";

QString withAdvice(const QString &failure) {
    return failure + QLatin1Char('\n') + QString::fromUtf8(kPortFailureAdvice);
}

} // namespace

bool TMainForm::startJob(DeviceJob *job,
                         const std::function<void(bool ok, const QString &text)> &done) {
    job->setParent(this);
    if (m_job) {
        // One exchange at a time: a second one never interleaves on the line.
        job->deleteLater();
        return false;
    }
    m_job = job;
    m_portFailure.clear();
    connect(job, &DeviceJob::progress, this, &TMainForm::showTransferProgress);
    connect(job, &DeviceJob::portError, this, [this](const QString &m) {
        m_portFailure = m.section(QLatin1Char('\n'), 0, 0);
        ui::showMessage(this, m);
    });
    connect(job, &DeviceJob::finished, this, [this, job, done](bool ok) {
        m_job = nullptr;
        job->deleteLater();
        const QString failure = m_portFailure;
        done(ok, job->resultText());
        // The outcome stays the first line; the next one says how to get the port back.
        if (!failure.isEmpty())
            ShowMessageEx(withAdvice(job->resultText().isEmpty() ? failure : job->resultText()));
    });
    job->start();
    return true;
}

void TMainForm::showPortLost(const QString &message) { ShowMessageEx(withAdvice(message)); }

void TMainForm::showTransferProgress(int done, int total) {
    ProgressBar1->setRange(0, qMax(1, total));
    ProgressBar1->setValue(done);
}

void TMainForm::showMemoryUse() {
    ProgressBar1->setRange(0, kDeviceMemory);
    ProgressBar1->setValue(m_doc.imageValid() ? memoryBarPosition(m_doc.imageLength()) : 0);
}

template <typename Command> bool TMainForm::deviceCommand(Command command) {
    try {
        command();
        return true;
    } catch (const PortError &e) {
        ui::showMessage(this, e.message());
        return false;
    }
}

void TMainForm::sbtnStopClick() {
    // In the middle of a program or verify exchange the stop goes into it, and the
    // controls come back when it ends.
    if (m_job) {
        m_job->stop();
        return;
    }
    deviceCommand([this] { m_device->stop(); });
    EnableControls();
}

void TMainForm::miProgramujClick() {
    const bool compiled = GenerujProgram();
    if (m_doc.lines().isEmpty()) {
        ShowMessageEx(QStringLiteral("Brak poleceń !"));
        return;
    }
    if (!compiled) {
        // Nothing was sent: the banner keeps the reason.
        ShowMessageEx(m_doc.compileError());
        return;
    }
    if (const QString refusal = programRefusal(m_doc.lines()); !refusal.isEmpty()) {
        ShowMessageEx(refusal);
        return;
    }
    startImageExchange(ExchangeJob::program(m_doc.image()),
                       QStringLiteral("Błąd przy programowaniu mikroindeksera"), true);
}

void TMainForm::Weryfikacja1Click() {
    if (m_doc.lines().isEmpty()) {
        ShowMessageEx(QStringLiteral("Brak poleceń !"));
        return;
    }
    if (!m_doc.imageValid()) {
        ShowMessageEx(m_doc.compileError());
        return;
    }
    if (const QString refusal = verifyRefusal(m_doc.lines()); !refusal.isEmpty()) {
        ShowMessageEx(refusal);
        return;
    }
    startImageExchange(ExchangeJob::verify(m_doc.image()),
                       QStringLiteral("Weryfikacja - brak zgodności"), false);
}

void TMainForm::startImageExchange(const ExchangeJob::Exchange &exchange,
                                   const QString &failureVerdict, bool programming) {
    DisableControls();
    auto *job = new ExchangeJob(*ComPort1, m_host, exchange, failureVerdict);
    const QByteArray image = DeviceContent::bytesOf(m_doc.image());
    const QString fileName = m_doc.fileName();
    const QStringList lines = m_doc.lines();
    startJob(job, [this, job, programming, image, fileName, lines](bool, const QString &verdict) {
        ShowMessageEx(verdict);
        showMemoryUse();
        EnableControls();
        noteImageExchange(*job, programming, image, fileName, lines);
    });
}

void TMainForm::noteImageExchange(const ExchangeJob &job, bool programming, const QByteArray &image,
                                  const QString &fileName, const QStringList &lines) {
    if (job.verdict().ok)
        m_content.confirm(image, fileName, QTime::currentTime());
    else if (programming && job.streamStarted())
        m_content.interrupted();
    else if (!programming && job.streamStarted())
        m_content.verifyFailed(image, job.verdict().differences, lines);
    showDeviceContent();
    // The first line the device holds differently, selected for the user to look at.
    if (const QList<int> differing = m_content.differingLines(); !differing.isEmpty())
        showProgram(differing.first());
}

void TMainForm::setUpDeviceContent() {
    devicePanel->setContentsMargins(12, 0, 4, 0);
    // Every change of the program shows in the list; the field follows it at once.
    connect(m_model, &QAbstractItemModel::modelReset, this, &TMainForm::showDeviceContent);
    showDeviceContent();
}

QByteArray TMainForm::currentImageBytes() const {
    return m_doc.imageValid() ? DeviceContent::bytesOf(m_doc.image()) : QByteArray();
}

void TMainForm::showDeviceContent() {
    // The device behind the port: an emulator started anew is another device, even on a
    // terminal of the same name, and one that has ended holds nothing.
    const qint64 emulator = m_portSelection->emulatorProcessId();
    m_content.setPort(
        emulator ? QStringLiteral("%1 (emulator %2)").arg(ComPort1->settings.Port).arg(emulator)
                 : ComPort1->settings.Port);
    m_content.followProgram(m_doc.lines());
    const QByteArray current = currentImageBytes();
    devicePanel->setText(m_content.statusText(current));
    devicePanel->setToolTip(QStringLiteral("Program w mikroindekserze na porcie %1, o ile wiadomo "
                                           "od uruchomienia okna")
                                .arg(ComPort1->settings.Port));
    // In a narrow window the field leaves the driver's text cut: it stays at hand.
    driverPanel->setToolTip(driverPanel->text());
    // Another or a broken program in the device is a warning (it would run, not this one),
    // and so is a difference found.
    QPalette palette = statusBar()->palette();
    if (m_content.holdsOtherThan(current) || !m_content.differingLines().isEmpty())
        palette.setColor(QPalette::WindowText, QColor(0xB0, 0x00, 0x00));
    devicePanel->setPalette(palette);
    const QList<int> differing = m_content.differingLines();
    m_model->setMarkedRows(ProgramListModel::LineMark::Difference,
                           QSet<int>(differing.begin(), differing.end()));
}

void TMainForm::Uruchom1Click() {
    // A machine must not move through another program's positions unannounced.
    if (const QString question = m_content.runQuestion(currentImageBytes());
        !question.isEmpty() && !ui::askYesNo(this, question, false))
        return;
    DisableControls();
    // The controls stay off until the device reports its end, a stop or a restart,
    // or until STOP.
    startJob(new ExchangeJob(*ComPort1, m_host, ExchangeJob::runProgram()),
             [](bool, const QString &) {});
}

void TMainForm::miTestKomunikacjiClick() {
    startJob(new ExchangeJob(*ComPort1, m_host, ExchangeJob::linkTest()),
             [](bool, const QString &) {});
}

void TMainForm::miResetClick() {
    m_content.forget();
    showDeviceContent();
    // STOP off first, so that the repaint of DisableControls shows it off for the pause.
    sbtnStop->setEnabled(false);
    DisableControls();
    startJob(new ResetJob(*ComPort1, m_host), [this](bool, const QString &) {
        EnableControls();
        sbtnStop->setEnabled(true);
    });
}

void TMainForm::ComPort1RxChar(int count) {
    try {
        const StatusAction action = DeviceOperations::statusAction(ComPort1->ReadText(count));
        if (!action.banner.isEmpty())
            ShowMessageEx(action.banner);
        if (action.enableControls)
            EnableControls();
    } catch (const PortError &) {
        // The failure reaches the user with the next command.
    }
}

void TMainForm::miAktualizujClick() {
    const QString firmware = ui::askFileName(
        this,
        {QStringLiteral("Otwórz"), QStringLiteral("Plik *.hex (*.hex)"), {}, QDir::rootPath(), {}});
    if (firmware.isEmpty())
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_content.forget();
    showDeviceContent();
    ShowMessageEx(QStringLiteral("Aktualizacja firmware'u"));
    DisableControls();
    sbtnStop->setEnabled(false);
    ComPort1->ClosePort();
    const bool protect = ui::askYesNo(
        this, QStringLiteral("Czy aktualizacja z ochroną pamięci użytkownika ?"), true);
    repaint();
    const FirmwareCommand command = FirmwareCommand::build(m_programDir, firmware, protect);
    ui::showMessage(this, command.text);
    // Everything comes back when the tool has ended, the port included.
    const auto restore = [this](bool ok, const QString &) {
        ShowMessageEx(ok ? QStringLiteral("Aktualizacja zakończona pomyślnie")
                         : QStringLiteral("Błąd przy aktualizacji !"));
        EnableControls();
        QApplication::restoreOverrideCursor();
        sbtnStop->setEnabled(true);
        OpenComPort();
    };
    // Without it the tool would program whatever port an old rs232.ini names.
    if (!storePortSettings()) {
        restore(false, {});
        return;
    }
    startJob(new FirmwareJob(command, protect), restore);
}

void TMainForm::closeEvent(QCloseEvent *event) {
    if (m_shutdown == Shutdown::Done) {
        event->accept();
        return;
    }
    event->ignore();
    if (m_shutdown == Shutdown::Pausing)
        return;
    // The port is never pulled from under a running exchange: the close waits for it.
    if (m_job) {
        connect(m_job, &DeviceJob::finished, this, &TMainForm::closeAfterJob, Qt::UniqueConnection);
        return;
    }
    if (!keepWork())
        return;
    ComPort1->ClosePort();
    m_portSelection->close();
    hide();
    m_shutdown = Shutdown::Pausing;
    // The settings are written once the pause is over, on a timer instead of a sleep.
    if (m_shutdownPause <= 0) {
        finishShutdown();
        event->accept();
        return;
    }
    QTimer::singleShot(m_shutdownPause, Qt::PreciseTimer, this, [this] {
        finishShutdown();
        close();
    });
}

void TMainForm::finishShutdown() {
    try {
        ComPort1->StorePortSettings(portIniPath());
    } catch (const PortError &e) {
        ui::showMessage(nullptr, e.message());
    }
    m_shutdown = Shutdown::Done;
    emit shutDownEnded();
}

void TMainForm::closeAfterJob() { QTimer::singleShot(0, this, &QWidget::close); }

} // namespace korven
