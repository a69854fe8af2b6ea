#include "main.h"

#include "Art.h"
#include "ComPort.h"
#include "Compiler.h"
#include "DeviceOperations.h"
#include "FileDialogs.h"
#include "FirmwareCommand.h"
#include "InputDiscardingPause.h"
#include "HelpDocument.h"
#include "Messages.h"
#include "NonCommandLines.h"
#include "Oprogramie.h"
#include "PodgladProg.h"
#include "PortSelection.h"
#include "ProgramCheck.h"
#include "ProgramFile.h"
#include "ProgramListModel.h"
#include "SimulationWindow.h"
#include "RecentFilesMenu.h"
#include "SettingsLocation.h"
#include "StoredDrive.h"
#include "ToolRunner.h"
#include "WybSter.h"
#include "wait.h"

#include <QApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QThread>
#include <QTimer>
#include <QToolBar>
#include <QUrl>

namespace korven {

TMainForm::TMainForm(const QString &programDir, bool testMode, QWidget *parent)
    : QMainWindow(parent), m_programDir(programDir), m_testMode(testMode),
      m_settingsDir(SettingsLocation::forProgramDir(programDir).directory),
      m_flows(this, m_editor, m_drive),
      m_listing(StringDs,
                [this](const QString &name, QString &value) { GetReportValue(name, value); }) {
    initArtResources();
    setWindowTitle(QStringLiteral("KORVEN"));
    buildMenus();
    m_recent =
        new RecentFilesMenu(mnuPlik, miZamknij, m_settingsDir + QStringLiteral("korven.ini"), this);
    connect(m_recent, &RecentFilesMenu::openRequested, this, &TMainForm::LoadProgramFromFile);
    buildToolbar();
    buildProgramList();
    auto *central = new QWidget(this);
    auto *layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(buildCommandArea());
    layout->addWidget(ListBoxProg, 1);
    setCentralWidget(central);
    buildStatusBar();
    nameControls();
    miShowProgram->setVisible(m_testMode);
    resize(792, 534 + menuBar()->sizeHint().height());

    ComPort1 = new ComPort(this);
    DeviceHost host;
    host.banner = [this](const QString &text) { ShowMessageEx(text); };
    host.openPort = [this] { return OpenComPort(); };
    host.processEvents = [] { QCoreApplication::processEvents(); };
    host.pause = [](int milliseconds) { InputDiscardingPause::wait(milliseconds); };
    if (m_testMode) {
        host.transferStarted = [this] {
            waitForm()->lblInfo->setText(QStringLiteral("Test"));
            waitForm()->show();
            waitForm()->repaint();
        };
        host.exchanged = [this](const ByteExchange &e) {
            waitForm()->log->appendPlainText(e.logLine());
        };
        host.mismatch = [this](const ByteExchange &e) { ui::showMessage(this, e.logLine()); };
    }
    m_device = std::make_unique<DeviceOperations>(*ComPort1, host);
    ComPort1->setOnRxChar([this](int count) { ComPort1RxChar(count); });
    connect(ComPort1, &ComPort::portLost, this, &TMainForm::ShowMessageEx);
    m_portSelection = std::make_unique<PortSelection>(
        this, *ComPort1, m_programDir, [this](const QString &text) { ShowMessageEx(text); });
}

QString TMainForm::portIniPath() const { return m_settingsDir + QStringLiteral("rs232.ini"); }

TWaitForm *TMainForm::waitForm() {
    if (!m_waitForm)
        m_waitForm = new TWaitForm(this);
    return m_waitForm;
}

void TMainForm::startSerialPort() {
    try {
        ComPort1->LoadPortSettings(portIniPath());
    } catch (const PortError &e) {
        ui::showMessage(this, e.message());
    }
    ComPort1->settings.forceDeviceLine();
    OpenComPort();
}

bool TMainForm::OpenComPort() {
    if (ComPort1->Connected())
        return true;
    try {
        ComPort1->OpenPort();
        return true;
    } catch (const PortError &e) {
        ui::showMessage(this, PortReason::openFailureMessage(ComPort1->settings.Port, e.reason()));
        return false;
    }
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

void TMainForm::exchangeEnded() {
    // A close asked for during the exchange waited for it.
    if (m_closeRequested)
        QTimer::singleShot(0, this, &QWidget::close);
}

TMainForm::~TMainForm() = default;

QString TMainForm::iniPath() const { return m_settingsDir + QStringLiteral("mi.ini"); }

QStringList TMainForm::programImage() const {
    return m_progForm ? m_progForm->image() : QStringList();
}

void TMainForm::ShowMessageEx(const QString &text) { Panel5->setText(text); }

void TMainForm::setControlsEnabled(bool enabled) {
    ListBoxProg->setEnabled(enabled);
    // Whole menus: neither their entries nor their shortcuts may act.
    for (QMenu *menu : {mnuPlik, mnuPolecenia, mnuUstawienia, mnuPomoc}) {
        menu->menuAction()->setEnabled(enabled);
        for (QAction *action : menu->actions())
            action->setEnabled(enabled);
    }
    miShowSet->setEnabled(enabled);
    for (QWidget *button : m_commandButtons)
        button->setEnabled(enabled);
    for (QAction *action : m_toolbarButtons)
        action->setEnabled(enabled);
    repaint();
}

void TMainForm::DisableControls() { setControlsEnabled(false); }

void TMainForm::EnableControls() { setControlsEnabled(true); }

bool TMainForm::GenerujProgram() {
    const CompileResult result = korven::GenerujProgram(m_editor.lines(), m_drive);
    if (m_progForm)
        m_progForm->setImage(result.image);
    m_imageValid = result.ok();
    const bool interrupt = m_errorNotice.interrupts(result, m_editor.lines());
    // The banner holds the error while it persists, and clears when it is mended.
    if (!result.ok())
        ShowMessageEx(result.error);
    else if (Panel5->text() == memoryPanel->toolTip())
        ShowMessageEx(QString());
    memoryPanel->setToolTip(result.error);
    if (result.ok()) {
        const int length = ObliczDlProg(result.image);
        ProgressBar1->setValue(memoryBarPosition(length));
        memoryPanel->setText(memoryText(length));
        return true;
    }
    ProgressBar1->setValue(0);
    memoryPanel->setText(QStringLiteral("Błąd w programie"));
    if (interrupt)
        ui::showMessage(this, result.error);
    return false;
}

bool TMainForm::Sterownik() {
    if (m_editor.lines().size() != 1)
        return true;
    TWybSterForm dialog(iniPath(), this);
    dialog.OdczytajUstawienia();
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok)
        m_drive = dialog.selection().settings();
    driverPanel->setText(dialog.selection().statusText());
    return ok;
}

void TMainForm::showProgram(int selected) {
    m_syncingSelection = true;
    m_model->refresh();
    if (selected >= 0) {
        const QModelIndex index = m_model->index(selected);
        ListBoxProg->setCurrentIndex(index);
        ListBoxProg->scrollTo(index);
    }
    m_syncingSelection = false;
    m_editor.setSelected(selected);
}

void TMainForm::addCommand(Command command) {
    if (!Sterownik())
        return;
    ListBoxProg->setUpdatesEnabled(false);
    m_flows.add(command);
    ListBoxProg->setUpdatesEnabled(true);
    GenerujProgram();
    showProgram(m_editor.GetSelected());
}

void TMainForm::bbtnKoniecClick() {
    if (!Sterownik())
        return;
    m_editor.AddCmd(QStringLiteral("Koniec"));
    GenerujProgram();
    showProgram(m_editor.GetSelected());
}

void TMainForm::ListBoxProgDblClick() {
    const int selected = m_editor.GetSelected();
    if (selected < 0)
        return;
    m_flows.edit(selected);
    GenerujProgram();
    showProgram(selected);
}

void TMainForm::miUsunClick() {
    if (!m_editor.canDelete())
        return;
    if (!ui::askYesNo(this, QStringLiteral("Usunąć zaznaczoną linię ?"), false))
        return;
    m_editor.deleteSelected();
    GenerujProgram();
    showProgram(-1);
}

void TMainForm::sbtnPrzesunWGoreClick() {
    if (!m_editor.moveUp())
        return;
    GenerujProgram();
    showProgram(m_editor.GetSelected());
}

void TMainForm::sbtnPrzesunWDolClick() {
    if (!m_editor.moveDown())
        return;
    GenerujProgram();
    showProgram(m_editor.GetSelected());
}

void TMainForm::miNowyClick() {
    if (ui::askYesNo(this, QStringLiteral("Zapisać bieżący prgram ?"), true))
        miZapiszClick();
    m_editor.clear();
    if (m_progForm)
        m_progForm->setImage({});
    showProgram(-1);
    bbtnKoniecClick();
}

void TMainForm::miOtworzClick() {
    const QString file =
        ui::askFileName(this, {QStringLiteral("Otwórz"), QStringLiteral("*.dat (*.dat)"),
                               QStringLiteral("dat"), QDir::rootPath(), m_lastOpenFile});
    if (file.isEmpty())
        return;
    m_lastOpenFile = file;
    LoadProgramFromFile(m_lastOpenFile);
}

void TMainForm::LoadProgramFromFile(const QString &fileName) {
    const LoadedProgram loaded = korven::LoadProgramFromFile(fileName);
    if (loaded.status == LoadedProgram::Status::ReadError)
        m_recent->remove(fileName);
    else if (loaded.status == LoadedProgram::Status::Ok)
        m_recent->add(fileName);
    switch (loaded.status) {
    case LoadedProgram::Status::ReadError:
    case LoadedProgram::Status::NotAFile:
    case LoadedProgram::Status::TooLarge: ui::showMessage(this, loaded.message); return;
    case LoadedProgram::Status::WrongVersion:
        ui::showMessage(this, loaded.message);
        GenerujProgram();
        return;
    case LoadedProgram::Status::Ok: break;
    }
    m_editor.setLines(loaded.lines);
    const DriverSelection selection =
        selectionForStoredIndexes(loaded.modelIndex, loaded.depthIndex, m_drive);
    m_drive = selection.settings();
    driverPanel->setText(selection.statusText());
    if (!selection.ZapiszUstawienia(iniPath()))
        ui::showMessage(this,
                        QStringLiteral("Nie można zapisać ustawień w pliku %1.").arg(iniPath()));
    showProgram(-1);
    m_errorNotice.reset();
    if (const QStringList notices = loadNotices(loaded); !notices.isEmpty())
        ui::showMessage(this, notices.join(QStringLiteral("\n\n")));
    GenerujProgram();
}

void TMainForm::miZapiszClick() {
    ui::FileRequest request{QStringLiteral("Zapisz"), QStringLiteral("*.dat (*.dat)"),
                            QStringLiteral("dat"), m_saveLocation.folder(), m_saveLocation.name()};
    request.save = true;
    const QString file = ui::askFileName(this, request);
    if (file.isEmpty())
        return;
    if (SaveProgramToFile(file))
        m_saveLocation.succeeded(file);
    else
        m_saveLocation.failed(file);
}

bool TMainForm::SaveProgramToFile(const QString &fileName) {
    const QString error = korven::SaveProgramToFile(fileName, m_editor.lines(), m_drive.ModelIndex,
                                                    m_drive.DepthIndex);
    if (!error.isEmpty())
        ui::showMessage(this, error);
    else
        m_recent->add(fileName);
    return error.isEmpty();
}

void TMainForm::tbtnSprawdzClick() {
    const CheckResult result = SprawdzProgram(m_editor.lines());
    if (!result.ok)
        ui::showMessage(this, result.message);
    ShowMessageEx(checkVerdict(result));
}

void TMainForm::miSymulacjaClick() {
    sim::SimulationWindow::showFor(
        ListBoxProg, [this] { return m_drive; }, this);
}

void TMainForm::miShowProgramClick() {
    GenerujProgram();
    if (m_progForm) {
        m_progForm->show();
        m_progForm->raise();
    }
}

void TMainForm::miShowSetClick() {
    if (!mnuUstawienia->isEnabled())
        return;
    DriverSelection selection;
    selection.OdczytajUstawienia(iniPath());
    m_drive.PulsDiv = selection.PulsDiv();
    m_drive.Vmax = selection.Vmax();
    m_drive.GlPodz = selection.GlPodz();
    QString text = selection.parameterText();
    ui::showMessage(this, text.replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TMainForm::miHelpClick() {
    const QString help = helpDocument(m_programDir);
    if (help.isEmpty())
        ShowMessageEx(QStringLiteral("Brak pliku pomocy korven.chm i podręcznika"));
    else if (!QDesktopServices::openUrl(QUrl::fromLocalFile(help)))
        ShowMessageEx(QStringLiteral("Nie można otworzyć pomocy"));
}

void TMainForm::miAboutClick() {
    TAboutForm about;
    about.exec();
}

void TMainForm::sbtnStopClick() {
    deviceCommand([this] { m_device->stop(); });
    // In the middle of a program or verify exchange the controls come back when it ends.
    if (!m_device->exchangeRunning())
        EnableControls();
}

void TMainForm::miProgramujClick() {
    const bool compiled = GenerujProgram();
    if (m_editor.lines().isEmpty()) {
        ShowMessageEx(QStringLiteral("Brak poleceń !"));
        return;
    }
    if (!compiled) {
        // Nothing was sent: the banner keeps the reason.
        ShowMessageEx(korven::GenerujProgram(m_editor.lines(), m_drive).error);
        return;
    }
    if (const QString refusal = programRefusal(m_editor.lines()); !refusal.isEmpty()) {
        ShowMessageEx(refusal);
        return;
    }
    DisableControls();
    Verdict verdict{false, QStringLiteral("Błąd przy programowaniu mikroindeksera")};
    deviceCommand([&] { verdict = m_device->program(programImage()); });
    ShowMessageEx(verdict.text);
    EnableControls();
    exchangeEnded();
}

void TMainForm::Weryfikacja1Click() {
    if (m_editor.lines().isEmpty()) {
        ShowMessageEx(QStringLiteral("Brak poleceń !"));
        return;
    }
    if (!m_imageValid) {
        ShowMessageEx(korven::GenerujProgram(m_editor.lines(), m_drive).error);
        return;
    }
    if (const QString refusal = verifyRefusal(m_editor.lines()); !refusal.isEmpty()) {
        ShowMessageEx(refusal);
        return;
    }
    DisableControls();
    Verdict verdict{false, QStringLiteral("Weryfikacja - brak zgodności")};
    deviceCommand([&] { verdict = m_device->verify(programImage()); });
    ShowMessageEx(verdict.text);
    EnableControls();
    exchangeEnded();
}

void TMainForm::Uruchom1Click() {
    DisableControls();
    // The controls stay off until the device reports its end, a stop or a restart,
    // or until STOP.
    deviceCommand([this] { m_device->run(); });
}

void TMainForm::miTestKomunikacjiClick() {
    deviceCommand([this] { m_device->linkTest(); });
}

void TMainForm::miResetClick() {
    // STOP off first, so that the repaint of DisableControls shows it off for the pause.
    sbtnStop->setEnabled(false);
    DisableControls();
    deviceCommand([this] { m_device->reset(); });
    EnableControls();
    sbtnStop->setEnabled(true);
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

void TMainForm::miWyborClick() {
    if (m_portSelection->choose())
        storePortSettings();
}

bool TMainForm::storePortSettings() {
    // The firmware tool reads the port from rs232.ini: it must name this session's port.
    try {
        ComPort1->StorePortSettings(portIniPath());
        return true;
    } catch (const PortError &e) {
        ui::showMessage(this, e.message());
        return false;
    }
}

void TMainForm::GetReportValue(const QString &name, QString &value) const {
    if (name.compare(QLatin1String("tytul_raportu"), Qt::CaseInsensitive) == 0)
        value = QStringLiteral("Program");
    else if (name.compare(QLatin1String("element"), Qt::CaseInsensitive) == 0)
        value = PrintLines.value(StringDs.RecNo);
}

void TMainForm::tbtnPrintClick() {
    PrintLines = m_editor.lines();
    StringDs.RecordCount = int(PrintLines.size());
    StringDs.RecNo = 0;
    m_listing.preview(this);
}
void TMainForm::miAktualizujClick() {
    const QString firmware = ui::askFileName(
        this,
        {QStringLiteral("Otwórz"), QStringLiteral("Plik *.hex (*.hex)"), {}, QDir::rootPath(), {}});
    if (firmware.isEmpty())
        return;

    QApplication::setOverrideCursor(Qt::WaitCursor);
    ShowMessageEx(QStringLiteral("Aktualizacja firmware'u"));
    DisableControls();
    sbtnStop->setEnabled(false);
    m_firmwareRunning = true;
    // Everything comes back on every way out, the port included.
    const auto restore = qScopeGuard([this] {
        EnableControls();
        QApplication::restoreOverrideCursor();
        sbtnStop->setEnabled(true);
        m_firmwareRunning = false;
        OpenComPort();
        exchangeEnded();
    });
    ComPort1->ClosePort();
    const bool protect = ui::askYesNo(
        this, QStringLiteral("Czy aktualizacja z ochroną pamięci użytkownika ?"), true);
    repaint();
    const FirmwareCommand command = FirmwareCommand::build(m_programDir, firmware, protect);
    ui::showMessage(this, command.text);
    // Without it the tool would program whatever port an old rs232.ini names.
    if (!storePortSettings()) {
        ShowMessageEx(QStringLiteral("Błąd przy aktualizacji !"));
        return;
    }
    const ToolRunner::Result result = ToolRunner().Exec(command.program, command.arguments,
                                                        [] { QCoreApplication::processEvents(); });
    ShowMessageEx(firmwareUpdateSucceeded(result, protect)
                      ? QStringLiteral("Aktualizacja zakończona pomyślnie")
                      : QStringLiteral("Błąd przy aktualizacji !"));
}

void TMainForm::closeEvent(QCloseEvent *event) {
    // The port is never pulled from under a running exchange: the close waits for it.
    if (m_device->exchangeRunning() || m_firmwareRunning) {
        m_closeRequested = true;
        event->ignore();
        return;
    }
    ComPort1->ClosePort();
    m_portSelection->close();
    hide();
    QThread::msleep(ulong(m_shutdownPause));
    try {
        ComPort1->StorePortSettings(portIniPath());
    } catch (const PortError &e) {
        ui::showMessage(nullptr, e.message());
    }
    event->accept();
}

} // namespace korven
