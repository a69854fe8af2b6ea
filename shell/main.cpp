#include "main.h"

#include "Art.h"
#include "ComPort.h"
#include "Compiler.h"
#include "DeviceOperations.h"
#include "FileDialogs.h"
#include "HelpDocument.h"
#include "ListingHeading.h"
#include "Messages.h"
#include "NonCommandLines.h"
#include "Oprogramie.h"
#include "PodgladProg.h"
#include "PortSelection.h"
#include "ProgramChange.h"
#include "ProgramCheck.h"
#include "ProgramFile.h"
#include "ProgramListModel.h"
#include "RecentFilesMenu.h"
#include "SettingsLocation.h"
#include "SimulationLink.h"
#include "StoredDrive.h"
#include "WybSter.h"
#include "wait.h"

#include <QApplication>
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
#include <QTimer>
#include <QToolBar>
#include <QUndoStack>
#include <QUrl>

namespace korven {

TMainForm::TMainForm(const QString &programDir, bool testMode, QWidget *parent)
    : QMainWindow(parent), m_programDir(programDir), m_testMode(testMode),
      m_settingsDir(SettingsLocation::forProgramDir(programDir).directory),
      m_flows(this, m_doc.editor(), m_doc.drive()), m_undo(new QUndoStack(this)),
      m_listing(StringDs,
                [this](const QString &name, QString &value) { GetReportValue(name, value); }) {
    initArtResources();
    setWindowTitle(QStringLiteral("KORVEN"));
    m_undo->setObjectName(QStringLiteral("undoStack"));
    // Each step keeps two copies of the program; a hundred steps of a long one stay small.
    m_undo->setUndoLimit(100);
    connect(m_undo, &QUndoStack::cleanChanged, this,
            [this](bool clean) { m_doc.setModified(!clean); });
    connect(&m_doc, &ProgramDocument::modifiedChanged, this, &TMainForm::showModified);
    buildMenus();
    m_recent =
        new RecentFilesMenu(mnuPlik, miZamknij, m_settingsDir + QStringLiteral("korven.ini"), this);
    // The path by value: opening rewrites the list that the signal's argument lives in.
    connect(m_recent, &RecentFilesMenu::openRequested, this, [this](QString file) {
        if (keepWork())
            LoadProgramFromFile(file);
    });
    buildToolbar();
    buildProgramList();
    m_simulation = std::make_unique<SimulationLink>(this, ListBoxProg, m_model, m_doc);
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
    DeviceHost &host = m_host;
    host.banner = [this](const QString &text) { ShowMessageEx(text); };
    host.openPort = [this] { return OpenComPort(); };
    host.processEvents = [] { QCoreApplication::processEvents(); };
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
    connect(ComPort1, &ComPort::portLost, this, &TMainForm::showPortLost);
    m_portSelection =
        std::make_unique<PortSelection>(this, *ComPort1, m_programDir, [this](const QString &text) {
            ShowMessageEx(text);
            showDeviceContent();
        });
    setUpDeviceContent();
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
        const QString message = PortReason::openFailureMessage(ComPort1->settings.Port, e.reason());
        m_portFailure = message.section(QLatin1Char('\n'), 0, 0);
        ui::showMessage(this, message);
        return false;
    }
}

TMainForm::~TMainForm() {
    // Destroyed within the shut-down pause: the settings are still written.
    if (m_shutdown == Shutdown::Pausing)
        finishShutdown();
    // The undo stack signals its clearing; by the time Qt would delete it with the
    // other children, the window's own members are gone.
    m_undo->disconnect();
    delete m_undo;
}

QString TMainForm::iniPath() const { return m_settingsDir + QStringLiteral("mi.ini"); }

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
    miCofnij->setEnabled(enabled && m_undo->canUndo());
    miPonow->setEnabled(enabled && m_undo->canRedo());
    repaint();
}

void TMainForm::DisableControls() { setControlsEnabled(false); }

void TMainForm::EnableControls() { setControlsEnabled(true); }

bool TMainForm::GenerujProgram() {
    const CompileResult result = korven::GenerujProgram(m_doc.lines(), m_doc.drive());
    const int length = ObliczDlProg(result.image);
    m_doc.setCompiled(result.image, length, result.error);
    // The preview only shows the image; a hidden one is filled when it is shown.
    if (m_progForm && m_progForm->isVisible())
        m_progForm->setImage(result.image);
    const bool interrupt = m_errorNotice.interrupts(result, m_doc.lines());
    // The banner holds the error while it persists, and clears when it is mended.
    if (!result.ok())
        ShowMessageEx(result.error);
    else if (Panel5->text() == memoryPanel->toolTip())
        ShowMessageEx(QString());
    memoryPanel->setToolTip(result.error);
    showDeviceContent();
    if (result.ok()) {
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
    if (m_doc.lines().size() != 1)
        return true;
    TWybSterForm dialog(iniPath(), this);
    dialog.OdczytajUstawienia();
    const bool ok = dialog.exec() == QDialog::Accepted;
    if (ok)
        m_doc.setDrive(dialog.selection().settings(), dialog.selection().statusText());
    driverPanel->setText(dialog.selection().statusText());
    return ok;
}

void TMainForm::showProgram(int selected, int count) {
    m_syncingSelection = true;
    m_model->refresh();
    if (selected >= 0) {
        const QModelIndex index = m_model->index(selected);
        const QModelIndex last = m_model->index(qMin(selected + count, m_model->rowCount()) - 1);
        ListBoxProg->setCurrentIndex(index);
        ListBoxProg->selectionModel()->select(QItemSelection(index, last),
                                              QItemSelectionModel::ClearAndSelect);
        ListBoxProg->scrollTo(last);
        ListBoxProg->scrollTo(index);
    }
    m_syncingSelection = false;
    m_doc.editor().setSelection(selected, count);
    showLineDescription();
}

void TMainForm::recordChange(const QString &text, const ProgramDocument::State &before) {
    ProgramDocument::State after = m_doc.state();
    if (after.sameProgram(before))
        return;
    m_undo->push(new ProgramChange(text, before, std::move(after),
                                   [this](const ProgramDocument::State &s) { applyState(s); }));
}

void TMainForm::applyState(const ProgramDocument::State &state) {
    m_doc.restore(state);
    driverPanel->setText(state.driverText);
    GenerujProgram();
    showProgram(state.selected, state.selectedCount);
}

void TMainForm::showModified(bool modified) {
    setWindowTitle(modified ? QStringLiteral("KORVEN*") : QStringLiteral("KORVEN"));
}

bool TMainForm::keepWork() {
    if (!m_doc.isModified())
        return true;
    switch (ui::askYesNoCancel(this, QStringLiteral("Zapisać bieżący prgram ?"))) {
    case ui::Answer::Yes: miZapiszClick(); return !m_doc.isModified();
    case ui::Answer::No: return true;
    case ui::Answer::Cancel: break;
    }
    return false;
}

void TMainForm::addCommand(Command command) {
    const ProgramDocument::State before = m_doc.state();
    // The guard's driver choice belongs to the same undo step as the command.
    if (Sterownik()) {
        ListBoxProg->setUpdatesEnabled(false);
        m_flows.add(command);
        ListBoxProg->setUpdatesEnabled(true);
        GenerujProgram();
        showProgram(m_doc.selected());
    }
    recordChange(commandRow(command).name, before);
}

void TMainForm::AddCmd(const QString &body) {
    const ProgramDocument::State before = m_doc.state();
    m_doc.editor().AddCmd(body);
    GenerujProgram();
    showProgram(m_doc.selected());
    recordChange(body, before);
}

void TMainForm::addEnd() {
    if (!Sterownik())
        return;
    m_doc.editor().AddCmd(QStringLiteral("Koniec"));
    GenerujProgram();
    showProgram(m_doc.selected());
}

void TMainForm::bbtnKoniecClick() {
    const ProgramDocument::State before = m_doc.state();
    addEnd();
    // The start-up program is where the history begins.
    if (before.lines.isEmpty() && m_undo->count() == 0)
        return;
    recordChange(QStringLiteral("Koniec"), before);
}

void TMainForm::ListBoxProgDblClick() {
    const int selected = m_doc.selected();
    if (selected < 0)
        return;
    const ProgramDocument::State before = m_doc.state();
    const int count = m_doc.editor().selectionCount();
    m_flows.edit(selected);
    GenerujProgram();
    showProgram(selected, count);
    recordChange(QStringLiteral("Edycja"), before);
}

void TMainForm::miUsunClick() {
    const ProgramEditor &editor = m_doc.editor();
    if (!editor.canDelete())
        return;
    const QString question = editor.selectionCount() == 1
                                 ? QStringLiteral("Usunąć zaznaczoną linię ?")
                                 : QStringLiteral("Usunąć zaznaczone linie %1–%2 ?")
                                       .arg(editor.GetSelected() + 1)
                                       .arg(editor.selectionLast() + 1);
    if (!ui::askYesNo(this, question, false))
        return;
    deleteSelectedLine();
}

void TMainForm::deleteSelectedLine() {
    const ProgramDocument::State before = m_doc.state();
    if (!m_doc.editor().deleteSelected())
        return;
    GenerujProgram();
    showProgram(-1);
    recordChange(QStringLiteral("Usuń"), before);
}

void TMainForm::sbtnPrzesunWGoreClick() {
    const ProgramDocument::State before = m_doc.state();
    if (!m_doc.editor().moveUp())
        return;
    GenerujProgram();
    showProgram(m_doc.selected(), m_doc.editor().selectionCount());
    recordChange(QStringLiteral("Przesuń w górę"), before);
}

void TMainForm::sbtnPrzesunWDolClick() {
    const ProgramDocument::State before = m_doc.state();
    if (!m_doc.editor().moveDown())
        return;
    GenerujProgram();
    showProgram(m_doc.selected(), m_doc.editor().selectionCount());
    recordChange(QStringLiteral("Przesuń w dół"), before);
}

void TMainForm::miNowyClick() {
    if (m_doc.isModified()) {
        if (!keepWork())
            return;
    } else if (ui::askYesNo(this, QStringLiteral("Zapisać bieżący prgram ?"), true)) {
        miZapiszClick();
    }
    const ProgramDocument::State before = m_doc.state();
    m_doc.editor().clear();
    m_doc.setCompiled({}, 0, {});
    if (m_progForm)
        m_progForm->setImage({});
    showProgram(-1);
    addEnd();
    m_doc.setFileName({});
    recordChange(QStringLiteral("Nowy"), before);
    m_undo->setClean();
}

void TMainForm::miOtworzClick() {
    if (!keepWork())
        return;
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
    const ProgramDocument::State before = m_doc.state();
    m_doc.editor().setLines(loaded.lines);
    const DriverSelection selection =
        selectionForStoredIndexes(loaded.modelIndex, loaded.depthIndex, m_doc.drive());
    m_doc.setDrive(selection.settings(), selection.statusText());
    driverPanel->setText(selection.statusText());
    if (!selection.ZapiszUstawienia(iniPath()))
        ui::showMessage(this,
                        QStringLiteral("Nie można zapisać ustawień w pliku %1.").arg(iniPath()));
    showProgram(-1);
    m_errorNotice.reset();
    if (const QStringList notices = loadNotices(loaded); !notices.isEmpty())
        ui::showMessage(this, notices.join(QStringLiteral("\n\n")));
    GenerujProgram();
    m_doc.setFileName(fileName);
    recordChange(QStringLiteral("Otwórz"), before);
    m_undo->setClean();
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
    const QString error = korven::SaveProgramToFile(
        fileName, m_doc.lines(), m_doc.drive().ModelIndex, m_doc.drive().DepthIndex);
    if (!error.isEmpty()) {
        ui::showMessage(this, error);
        return false;
    }
    m_doc.setFileName(fileName);
    m_recent->add(fileName);
    m_undo->setClean();
    return true;
}

void TMainForm::tbtnSprawdzClick() {
    const CheckResult result = SprawdzProgram(m_doc.lines());
    if (result.line >= 0)
        showProgram(result.line);
    if (!result.ok)
        ui::showMessage(this, checkMessage(result));
    ShowMessageEx(checkVerdict(result));
}

void TMainForm::miSymulacjaClick() { m_simulation->showWindow(); }

void TMainForm::miShowProgramClick() {
    GenerujProgram();
    if (m_progForm) {
        m_progForm->setImage(m_doc.image());
        m_progForm->show();
        m_progForm->raise();
    }
}

void TMainForm::miShowSetClick() {
    if (!mnuUstawienia->isEnabled())
        return;
    DriverSelection selection;
    selection.OdczytajUstawienia(iniPath());
    DriveSettings drive = m_doc.drive();
    drive.PulsDiv = selection.PulsDiv();
    drive.Vmax = selection.Vmax();
    drive.GlPodz = selection.GlPodz();
    m_doc.setDrive(drive, m_doc.driverText());
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

void TMainForm::miWyborClick() {
    // The emulator's terminal means nothing to a later run: rs232.ini keeps the real port.
    if (m_portSelection->choose() && !m_portSelection->emulatorInUse())
        storePortSettings();
    showDeviceContent();
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
    else if (name.compare(QLatin1String("naglowek"), Qt::CaseInsensitive) == 0)
        value = listingHeading(m_doc.fileName(), QDateTime::currentDateTime(), m_doc.drive());
}

void TMainForm::tbtnPrintClick() {
    PrintLines = m_doc.lines();
    StringDs.RecordCount = int(PrintLines.size());
    StringDs.RecNo = 0;
    m_listing.preview(this);
}
} // namespace korven
