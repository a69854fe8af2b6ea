#pragma once

#include "CommandFlows.h"
#include "CompileErrorNotice.h"
#include "DeviceContent.h"
#include "DeviceOperations.h"
#include "DriveSettings.h"
#include "ElidedLabel.h"
#include "ExchangeJob.h"
#include "FileLocation.h"
#include "ListingReport.h"
#include "ProgramDocument.h"

#include <QDir>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <memory>

class QAction;
class QLabel;
class QListView;
class QMenu;
class QProgressBar;
class QPushButton;
class QToolBar;
class QUndoStack;

namespace korven {

class ComPort;
class DeviceJob;
class DeviceOperations;
class PortSelection;
class ProgramListModel;
class RecentFilesMenu;
class SimulationLink;
class TProgForm;
class TWaitForm;

// The main window: builds and wires the controls, keeps the program and delegates
// every command to the unit that carries it out.
class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    // programDir ends with a separator; mi.ini and the other files live there.
    TMainForm(const QString &programDir, bool testMode, QWidget *parent = nullptr);
    ~TMainForm() override;

    void setProgForm(TProgForm *progForm) { m_progForm = progForm; }

    // Outcome line at the top of the command area.
    void ShowMessageEx(const QString &text);
    void DisableControls();
    void EnableControls();
    // Compiles the program into the document's image; false on a compile error (shown).
    bool GenerujProgram();
    bool Sterownik();
    // Opens the serial port when it is closed; says so when it cannot. True when open.
    bool OpenComPort();
    // The serial share of the window's creation: settings from rs232.ini, forced line
    // settings, the port opened.
    void startSerialPort();

    ComPort *ComPort1;

    const ProgramDocument &document() const { return m_doc; }
    const QStringList &programLines() const { return m_doc.lines(); }
    const DriveSettings &driveSettings() const { return m_doc.drive(); }
    const QString &programDir() const { return m_programDir; }
    const QStringList &programImage() const { return m_doc.image(); }
    // Inserts a line body after the selection as one undo step, as the command buttons do
    // after their dialogs.
    void AddCmd(const QString &body);
    // Deletes the selected line as the delete command does once the user agreed.
    void deleteSelectedLine();
    // Where rs232.ini, mi.ini and korven.ini are kept (ends with a separator).
    const QString &settingsDir() const { return m_settingsDir; }
    // The listing's lines of the last print and its data set.
    QStringList PrintLines;
    StringDS StringDs;
    // The listing report's value callback.
    void GetReportValue(const QString &name, QString &value) const;
    ListingReport &listingReport() { return m_listing; }

    // The port command with the emulator it may have started.
    PortSelection &portSelection() { return *m_portSelection; }
    // Milliseconds the shut-down waits before it writes the port settings.
    void setShutdownPause(int milliseconds) { m_shutdownPause = milliseconds; }

signals:
    // The shut-down has ended: the settings are written and the program may end.
    void shutDownEnded();

public slots:
    void bbtnKoniecClick();
    void ListBoxProgDblClick();
    void miUsunClick();
    void sbtnPrzesunWGoreClick();
    void sbtnPrzesunWDolClick();
    void miNowyClick();
    void miOtworzClick();
    void miZapiszClick();
    void tbtnSprawdzClick();
    void miSymulacjaClick();
    void miShowProgramClick();
    void miShowSetClick();
    void miHelpClick();
    void miAboutClick();
    void sbtnStopClick();
    void tbtnPrintClick();
    void miProgramujClick();
    void Uruchom1Click();
    void Weryfikacja1Click();
    void miTestKomunikacjiClick();
    void miResetClick();
    void miAktualizujClick();
    void miWyborClick();
    void ComPort1RxChar(int count);
    // The selected line's comment; the block of lines through the clipboard; the drive of
    // the program.
    void miKomentarzClick();
    void miKopiujClick();
    void miWytnijClick();
    void miWklejClick();
    void miSterownikClick();

    // Opens a program file, as the open command does after its dialog.
    void LoadProgramFromFile(const QString &fileName);
    // Saves the program, as the save command does after its dialog; false on failure.
    bool SaveProgramToFile(const QString &fileName);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // Controls, named as the rest of the program knows them; their object names are
    // these names.
    QToolBar *tlbMain;
    QListView *ListBoxProg;
    QLabel *Panel5;
    QLabel *memoryPanel;
    QProgressBar *ProgressBar1;
    ElidedLabel *driverPanel;
    QLabel *devicePanel;
    ElidedLabel *descriptionPanel;
    QPushButton *sbtnStop;
    QMenu *mnuPlik, *mnuPolecenia, *mnuUstawienia, *mnuPomoc, *PopupMenuProg;
    QAction *miNowy, *miOtworz, *miZapisz, *miZamknij;
    QAction *miProgramuj, *miUruchom, *miWeryfikuj, *miSprawdz, *miTestKomunikacji, *miDrukuj,
        *miStop, *miReset, *miAktualizuj, *miShowProgram;
    QAction *miWybor, *miShowSet, *miHelp, *miAbout;
    QAction *miEdycja, *miUsun, *miWGore, *miWDol;
    QAction *tbtnClose, *tbtnNowy, *tbtnOtworz, *tbtnZapisz, *tbtnPrint, *tbtnProgramuj,
        *tbtnUruchom, *tbtnWeryfukuj, *tbtnSprawdz, *tbtnTest, *tbtnEdytuj, *tbtnUsun, *tbtnWGore,
        *tbtnWDol, *tbtnSettings, *tbtnPomoc;
    QAction *miCofnij, *miPonow;
    QAction *miSymulacja, *tbtnSymulacja;
    QAction *miKomentarz, *miKopiuj, *miWytnij, *miWklej, *miSterownik;

    void buildMenus();
    void nameControls();
    void buildToolbar();
    QWidget *buildCommandArea();
    void buildStatusBar();
    void buildProgramList();
    void addCommand(Command command);
    void addEnd();
    // Records the change from before to now as one undo step, when the program changed.
    void recordChange(const QString &text, const ProgramDocument::State &before);
    void applyState(const ProgramDocument::State &state);
    // Unsaved changes: asks whether to save them; false when the user cancels.
    bool keepWork();
    void showModified(bool modified);
    // Shows the lines with a run of count lines from selected chosen.
    void showProgram(int selected, int count = 1);
    // The selected line's description in the status bar.
    void showLineDescription();
    void setControlsEnabled(bool enabled);
    QString iniPath() const;
    QString portIniPath() const;
    // Writes rs232.ini now, saying so when it cannot; true when written.
    bool storePortSettings();
    // Runs a device command, showing a port failure; false when one ended it.
    template <typename Command> bool deviceCommand(Command command);
    // Starts a job unless one runs; done runs when it has finished.
    bool startJob(DeviceJob *job, const std::function<void(bool ok, const QString &text)> &done);
    // Programming or verifying the image: busy state, the job, its verdict in the banner,
    // what the device holds afterwards.
    void startImageExchange(const ExchangeJob::Exchange &exchange, const QString &failureVerdict,
                            bool programming);
    // What the device holds: the status-bar field and the verify's marks, now.
    void setUpDeviceContent();
    void showDeviceContent();
    void noteImageExchange(const ExchangeJob &job, bool programming, const QByteArray &image,
                           const QString &fileName, const QStringList &lines);
    QByteArray currentImageBytes() const;
    // A port failure's message with, on the next line, what the user can do about it.
    void showPortLost(const QString &message);
    void showTransferProgress(int done, int total);
    // The memory panel's bar back on the memory use of the image.
    void showMemoryUse();
    void closeAfterJob();
    // The end of the shut-down: rs232.ini written.
    void finishShutdown();
    TWaitForm *waitForm();

    QString m_programDir;
    bool m_testMode;
    QString m_settingsDir;
    RecentFilesMenu *m_recent = nullptr;
    ProgramDocument m_doc;
    CommandFlows m_flows;
    QUndoStack *m_undo;
    DeviceHost m_host;
    std::unique_ptr<DeviceOperations> m_device;
    std::unique_ptr<PortSelection> m_portSelection;
    QPointer<DeviceJob> m_job;
    DeviceContent m_content;
    // The first line of a port failure during the running job, for the banner.
    QString m_portFailure;
    enum class Shutdown { No, Pausing, Done };
    Shutdown m_shutdown = Shutdown::No;
    TWaitForm *m_waitForm = nullptr;
    CompileErrorNotice m_errorNotice;
    ListingReport m_listing;
    ProgramListModel *m_model;
    TProgForm *m_progForm = nullptr;
    QString m_lastOpenFile;
    FileLocation m_saveLocation{QDir::rootPath()};
    bool m_syncingSelection = false;
    int m_shutdownPause = 3000;
    QList<QWidget *> m_commandButtons;
    QList<QAction *> m_toolbarButtons;
    // Declared last, destroyed first: the simulation window goes before the program it shows.
    std::unique_ptr<SimulationLink> m_simulation;
};

} // namespace korven
