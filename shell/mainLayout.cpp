// Building the main window's controls: menus, toolbar, command area, list, status bar.

#include "main.h"

#include "BannerLabel.h"
#include "Compiler.h"
#include "ElidedLabel.h"
#include "LineDescription.h"
#include "ProgramListDelegate.h"
#include "ProgramListModel.h"

#include <QAction>
#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>
#include <QUndoStack>
#include <QVBoxLayout>

#include <utility>

namespace korven {
namespace {

QIcon standardIcon(QStyle::StandardPixmap pixmap, const char *themeName) {
    return QIcon::fromTheme(QString::fromLatin1(themeName),
                            QApplication::style()->standardIcon(pixmap));
}

} // namespace

void TMainForm::buildMenus() {
    const auto entry = [this](QMenu *menu, const QString &text, auto slot,
                              const QKeySequence &shortcut = {}) {
        QAction *action = menu->addAction(text);
        action->setShortcut(shortcut);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    mnuPlik = menuBar()->addMenu(QStringLiteral("&Plik"));
    miNowy = entry(mnuPlik, QStringLiteral("&Nowy"), &TMainForm::miNowyClick,
                   QKeySequence(QStringLiteral("Ctrl+N")));
    miOtworz = entry(mnuPlik, QStringLiteral("&Otwórz"), &TMainForm::miOtworzClick,
                     QKeySequence(QStringLiteral("Ctrl+O")));
    miZapisz = entry(mnuPlik, QStringLiteral("&Zapisz"), &TMainForm::miZapiszClick,
                     QKeySequence(QStringLiteral("Ctrl+S")));
    mnuPlik->addSeparator();
    miCofnij = entry(
        mnuPlik, QStringLiteral("Cofnij"), [this] { m_undo->undo(); },
        QKeySequence(QStringLiteral("Ctrl+Z")));
    miPonow = entry(
        mnuPlik, QStringLiteral("Ponów"), [this] { m_undo->redo(); },
        QKeySequence(QStringLiteral("Ctrl+Y")));
    miCofnij->setEnabled(false);
    miPonow->setEnabled(false);
    // Switched off with the menu while busy.
    connect(m_undo, &QUndoStack::canUndoChanged, miCofnij,
            [this](bool can) { miCofnij->setEnabled(can && mnuPlik->menuAction()->isEnabled()); });
    connect(m_undo, &QUndoStack::canRedoChanged, miPonow,
            [this](bool can) { miPonow->setEnabled(can && mnuPlik->menuAction()->isEnabled()); });
    mnuPlik->addSeparator();
    miZamknij = entry(mnuPlik, QStringLiteral("&Zamknij"), &QWidget::close,
                      QKeySequence(QStringLiteral("Alt+F4")));

    mnuPolecenia = menuBar()->addMenu(QStringLiteral("Poleceni&a"));
    miProgramuj = entry(mnuPolecenia, QStringLiteral("Programuj"), &TMainForm::miProgramujClick);
    miUruchom = entry(mnuPolecenia, QStringLiteral("Uruchom"), &TMainForm::Uruchom1Click);
    miWeryfikuj = entry(mnuPolecenia, QStringLiteral("&Weryfikuj"), &TMainForm::Weryfikacja1Click);
    miSprawdz = entry(mnuPolecenia, QStringLiteral("&Sprawdź"), &TMainForm::tbtnSprawdzClick);
    miSymulacja = entry(mnuPolecenia, QStringLiteral("Symulacja"), &TMainForm::miSymulacjaClick);
    miTestKomunikacji =
        entry(mnuPolecenia, QStringLiteral("Test komunikacji"), &TMainForm::miTestKomunikacjiClick);
    miDrukuj = entry(mnuPolecenia, QStringLiteral("Drukuj"), &TMainForm::tbtnPrintClick);
    miKomentarz = entry(mnuPolecenia, QStringLiteral("Komentarz"), &TMainForm::miKomentarzClick,
                        QKeySequence(QStringLiteral("Ctrl+K")));
    // Esc itself is served by the window's own shortcut, which also acts while busy.
    miStop = entry(mnuPolecenia, QStringLiteral("Stop awaryjny\tEsc"), [this] {
        if (sbtnStop->isEnabled())
            sbtnStopClick();
    });
    mnuPolecenia->addSeparator();
    miReset = entry(mnuPolecenia, QStringLiteral("Reset mikroindeksera"), &TMainForm::miResetClick);
    mnuPolecenia->addSeparator();
    miAktualizuj =
        entry(mnuPolecenia, QStringLiteral("&Aktualizuj firmware"), &TMainForm::miAktualizujClick);
    mnuPolecenia->addSeparator();
    miShowProgram =
        entry(mnuPolecenia, QStringLiteral("Pokaż program"), &TMainForm::miShowProgramClick);

    mnuUstawienia = menuBar()->addMenu(QStringLiteral("Ustawienia"));
    miWybor =
        entry(mnuUstawienia, QStringLiteral("&Wybór portu szeregowego"), &TMainForm::miWyborClick);
    miSterownik = entry(mnuUstawienia, QStringLiteral("Sterownik i podział mikrokroku…"),
                        &TMainForm::miSterownikClick);
    // Never shown; its shortcut works while the settings menu is enabled.
    miShowSet = new QAction(QStringLiteral("Pokaż parametry"), this);
    miShowSet->setShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    connect(miShowSet, &QAction::triggered, this, &TMainForm::miShowSetClick);
    addAction(miShowSet);

    mnuPomoc = menuBar()->addMenu(QStringLiteral("Pomo&c"));
    miHelp = entry(mnuPomoc, QStringLiteral("HTML Help"), &TMainForm::miHelpClick,
                   QKeySequence(Qt::Key_F1));
    miAbout = entry(mnuPomoc, QStringLiteral("&O programie"), &TMainForm::miAboutClick);

    auto *esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        if (sbtnStop->isEnabled())
            sbtnStopClick();
    });
}

void TMainForm::buildToolbar() {
    tlbMain = addToolBar(QStringLiteral("tlbMain"));
    tlbMain->setMovable(false);
    tlbMain->setFloatable(false);
    tlbMain->setIconSize(QSize(16, 16));
    tlbMain->setFixedHeight(29);
    tlbMain->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    const auto button = [this](QStyle::StandardPixmap pixmap, const char *theme,
                               const QString &hint, auto slot) {
        QAction *action = tlbMain->addAction(standardIcon(pixmap, theme), hint);
        action->setToolTip(hint);
        connect(action, &QAction::triggered, this, slot);
        m_toolbarButtons.append(action);
        return action;
    };
    tbtnClose = button(QStyle::SP_DialogCloseButton, "application-exit",
                       QStringLiteral("Zamknij aplikację"), &QWidget::close);
    tlbMain->addSeparator();
    tbtnNowy = button(QStyle::SP_FileIcon, "document-new", QStringLiteral("Nowy plik"),
                      &TMainForm::miNowyClick);
    tbtnOtworz = button(QStyle::SP_DialogOpenButton, "document-open",
                        QStringLiteral("Otwórz program"), &TMainForm::miOtworzClick);
    tbtnZapisz = button(QStyle::SP_DialogSaveButton, "document-save",
                        QStringLiteral("Zapisz program"), &TMainForm::miZapiszClick);
    tbtnPrint = button(QStyle::SP_FileDialogDetailedView, "document-print",
                       QStringLiteral("Drukuj program"), &TMainForm::tbtnPrintClick);
    tlbMain->addSeparator();
    tbtnProgramuj = button(QStyle::SP_ArrowDown, "go-down",
                           QStringLiteral("Programuj mikroindekser"), &TMainForm::miProgramujClick);
    tbtnUruchom = button(QStyle::SP_MediaPlay, "media-playback-start",
                         QStringLiteral("Uruchom program"), &TMainForm::Uruchom1Click);
    tbtnWeryfukuj = button(QStyle::SP_DialogApplyButton, "dialog-ok-apply",
                           QStringLiteral("Weryfikuj program"), &TMainForm::Weryfikacja1Click);
    tbtnSprawdz = button(QStyle::SP_FileDialogContentsView, "tools-check-spelling",
                         QStringLiteral("Sprawdź"), &TMainForm::tbtnSprawdzClick);
    tbtnSymulacja = button(QStyle::SP_MediaSeekForward, "media-seek-forward",
                           QStringLiteral("Symulacja"), &TMainForm::miSymulacjaClick);
    tbtnTest = button(QStyle::SP_DriveNetIcon, "network-wired", QStringLiteral("Test komunikacji"),
                      &TMainForm::miTestKomunikacjiClick);
    tlbMain->addSeparator();
    tbtnEdytuj = button(QStyle::SP_FileDialogInfoView, "document-edit",
                        QStringLiteral("Edytuj zaznaczoną linię"), &TMainForm::ListBoxProgDblClick);
    tbtnUsun = button(QStyle::SP_TrashIcon, "edit-delete", QStringLiteral("Usuń zaznaczoną linię"),
                      &TMainForm::miUsunClick);
    tbtnWGore =
        button(QStyle::SP_ArrowUp, "go-up", QStringLiteral("Przesuń zaznaczoną linię w górę"),
               &TMainForm::sbtnPrzesunWGoreClick);
    tbtnWDol =
        button(QStyle::SP_ArrowDown, "go-down", QStringLiteral("Przesuń zaznaczoną linię w dół"),
               &TMainForm::sbtnPrzesunWDolClick);
    tlbMain->addSeparator();
    tbtnSettings = button(QStyle::SP_ComputerIcon, "preferences-system",
                          QStringLiteral("Wybór portu szeregowego"), &TMainForm::miWyborClick);
    tlbMain->addSeparator();
    tbtnPomoc = button(QStyle::SP_DialogHelpButton, "help-contents", QStringLiteral("Pomoc "),
                       &TMainForm::miHelpClick);
    // The STOP button keeps to the right end, however wide the icons of the platform are.
    auto *gap = new QWidget(tlbMain);
    gap->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    tlbMain->addWidget(gap);
    sbtnStop = new QPushButton(standardIcon(QStyle::SP_BrowserStop, "process-stop"),
                               QStringLiteral("STOP [ESC]"), tlbMain);
    sbtnStop->setToolTip(QStringLiteral("Stop awaryjny"));
    sbtnStop->setFixedSize(164, 22);
    sbtnStop->setFocusPolicy(Qt::NoFocus);
    connect(sbtnStop, &QPushButton::clicked, this, &TMainForm::sbtnStopClick);
    tlbMain->addWidget(sbtnStop);
}

QWidget *TMainForm::buildCommandArea() {
    // The sizes of the design are minimums: other fonts and scaling may widen the area.
    auto *area = new QWidget(this);
    area->setObjectName(QStringLiteral("commandArea"));
    area->setMinimumWidth(425);
    area->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);
    auto *column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(8);
    Panel5 = new BannerLabel(area);
    column->addWidget(Panel5);

    auto *grid = new QGridLayout;
    grid->setContentsMargins(8, 0, 19, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(4);
    QVBoxLayout *groups[4] = {};
    for (int g = 0; g < 4; ++g) {
        const int row = g / 2;
        auto *box = new QGroupBox(area);
        box->setMinimumSize(193, row == 0 ? 187 : 166);
        groups[g] = new QVBoxLayout(box);
        groups[g]->setContentsMargins(16, 16, 8, 8);
        groups[g]->setSpacing(0);
        grid->addWidget(box, row, g % 2);
    }
    for (const CommandRow &row : commandTable()) {
        auto *button = new QPushButton(row.caption, area);
        button->setObjectName(row.buttonName);
        button->setMinimumSize(160, 25);
        if (!row.icon.isEmpty())
            button->setIcon(QIcon(row.icon));
        const Command command = row.command;
        if (command == Command::End)
            connect(button, &QPushButton::clicked, this, &TMainForm::bbtnKoniecClick);
        else
            connect(button, &QPushButton::clicked, this, [this, command] { addCommand(command); });
        groups[int(row.group)]->addWidget(button);
        m_commandButtons.append(button);
    }
    for (QVBoxLayout *group : groups)
        group->addStretch(1);
    column->addLayout(grid);
    column->addStretch(1);
    return area;
}

void TMainForm::buildProgramList() {
    m_model = new ProgramListModel(m_doc.editor(), this);
    ListBoxProg = new QListView(this);
    ListBoxProg->setModel(m_model);
    ListBoxProg->setItemDelegate(new ProgramListDelegate(ListBoxProg));
    // A run of consecutive lines: Shift with the arrows or a click.
    ListBoxProg->setSelectionMode(QAbstractItemView::ContiguousSelection);
    ListBoxProg->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListBoxProg->setUniformItemSizes(true);
    QFont font(QStringLiteral("Courier New"), 9);
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    ListBoxProg->setFont(font);
    connect(ListBoxProg->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
        if (m_syncingSelection)
            return;
        int first = -1, last = -1;
        for (const QModelIndex &row : ListBoxProg->selectionModel()->selectedRows()) {
            first = first < 0 ? row.row() : qMin(first, row.row());
            last = qMax(last, row.row());
        }
        m_doc.editor().setSelection(first, last - first + 1);
        showLineDescription();
    });
    connect(ListBoxProg, &QListView::doubleClicked, this, &TMainForm::ListBoxProgDblClick);

    PopupMenuProg = new QMenu(ListBoxProg);
    const auto item = [this](const QString &text, const char *keys, auto slot) {
        QAction *action = PopupMenuProg->addAction(text);
        action->setShortcut(QKeySequence(QString::fromLatin1(keys)));
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        ListBoxProg->addAction(action);
        return action;
    };
    miEdycja = item(QStringLiteral("&Edycja"), "Ctrl+E", &TMainForm::ListBoxProgDblClick);
    PopupMenuProg->addAction(miKomentarz);
    miUsun = item(QStringLiteral("&Usuń"), "Del", &TMainForm::miUsunClick);
    PopupMenuProg->addSeparator();
    miWGore = item(QStringLiteral("Przesuń w górę"), "Ctrl+U", &TMainForm::sbtnPrzesunWGoreClick);
    miWDol = item(QStringLiteral("Przesuń w dół"), "Ctrl+D", &TMainForm::sbtnPrzesunWDolClick);
    PopupMenuProg->addSeparator();
    miWytnij = item(QStringLiteral("Wytnij"), "Ctrl+X", &TMainForm::miWytnijClick);
    miKopiuj = item(QStringLiteral("Kopiuj"), "Ctrl+C", &TMainForm::miKopiujClick);
    miWklej = item(QStringLiteral("Wklej"), "Ctrl+V", &TMainForm::miWklejClick);
    m_model->setToolTips(
        [this](int row) { return describeLine(m_doc.lines(), row, m_doc.drive()); });
    ListBoxProg->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListBoxProg, &QWidget::customContextMenuRequested, this, [this](const QPoint &pos) {
        PopupMenuProg->popup(ListBoxProg->viewport()->mapToGlobal(pos));
    });
}

void TMainForm::buildStatusBar() {
    memoryPanel = new QLabel(QStringLiteral("Dostępna pamięć"), this);
    // Never cut: the widest text it shows sets its width, the design's 125 pixels at least.
    const QFontMetrics metrics = memoryPanel->fontMetrics();
    const int widest = qMax(metrics.horizontalAdvance(memoryText(0)),
                            metrics.horizontalAdvance(QStringLiteral("Błąd w programie")));
    memoryPanel->setMinimumWidth(qMax(125, widest + 8));
    auto *barPanel = new QWidget(this);
    barPanel->setFixedWidth(200);
    ProgressBar1 = new QProgressBar(barPanel);
    ProgressBar1->setRange(0, 1000);
    ProgressBar1->setValue(0);
    ProgressBar1->setTextVisible(false);
    ProgressBar1->setGeometry(0, 2, 200 - 15, 15);
    // The selected line's description comes first in what the other fields leave (it is
    // what the user works on); the driver takes the rest, cut with "…" when the window is
    // narrow (its whole text is in its tooltip).
    driverPanel = new ElidedLabel(this);
    driverPanel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    descriptionPanel = new ElidedLabel(this);
    descriptionPanel->setContentsMargins(12, 0, 0, 0);
    statusBar()->addWidget(memoryPanel);
    statusBar()->addWidget(barPanel);
    statusBar()->addWidget(driverPanel, 1);
    statusBar()->addWidget(descriptionPanel);
    // What the device holds, at the right end, never cut.
    devicePanel = new QLabel(this);
    statusBar()->addPermanentWidget(devicePanel);
    statusBar()->setSizeGripEnabled(true);
}

void TMainForm::nameControls() {
    // Object names equal the member names, so that tests and styles find controls by name.
    const std::pair<QObject *, const char *> controls[] = {
        {tlbMain, "tlbMain"},
        {ListBoxProg, "ListBoxProg"},
        {Panel5, "Panel5"},
        {memoryPanel, "memoryPanel"},
        {ProgressBar1, "ProgressBar1"},
        {driverPanel, "driverPanel"},
        {devicePanel, "devicePanel"},
        {descriptionPanel, "descriptionPanel"},
        {sbtnStop, "sbtnStop"},
        {mnuPlik, "mnuPlik"},
        {mnuPolecenia, "mnuPolecenia"},
        {mnuUstawienia, "mnuUstawienia"},
        {mnuPomoc, "mnuPomoc"},
        {PopupMenuProg, "PopupMenuProg"},
        {miNowy, "miNowy"},
        {miOtworz, "miOtworz"},
        {miZapisz, "miZapisz"},
        {miCofnij, "miCofnij"},
        {miPonow, "miPonow"},
        {miZamknij, "miZamknij"},
        {miProgramuj, "miProgramuj"},
        {miUruchom, "miUruchom"},
        {miWeryfikuj, "miWeryfikuj"},
        {miSprawdz, "miSprawdz"},
        {miSymulacja, "miSymulacja"},
        {miTestKomunikacji, "miTestKomunikacji"},
        {miDrukuj, "miDrukuj"},
        {miStop, "miStop"},
        {miReset, "miReset"},
        {miAktualizuj, "miAktualizuj"},
        {miShowProgram, "miShowProgram"},
        {miWybor, "miWybor"},
        {miShowSet, "miShowSet"},
        {miHelp, "miHelp"},
        {miAbout, "miAbout"},
        {miEdycja, "miEdycja"},
        {miUsun, "miUsun"},
        {miWGore, "miWGore"},
        {miWDol, "miWDol"},
        {miKomentarz, "miKomentarz"},
        {miWytnij, "miWytnij"},
        {miKopiuj, "miKopiuj"},
        {miWklej, "miWklej"},
        {miSterownik, "miSterownik"},
        {tbtnClose, "tbtnClose"},
        {tbtnNowy, "tbtnNowy"},
        {tbtnOtworz, "tbtnOtworz"},
        {tbtnZapisz, "tbtnZapisz"},
        {tbtnPrint, "tbtnPrint"},
        {tbtnProgramuj, "tbtnProgramuj"},
        {tbtnUruchom, "tbtnUruchom"},
        {tbtnWeryfukuj, "tbtnWeryfukuj"},
        {tbtnSprawdz, "tbtnSprawdz"},
        {tbtnSymulacja, "tbtnSymulacja"},
        {tbtnTest, "tbtnTest"},
        {tbtnEdytuj, "tbtnEdytuj"},
        {tbtnUsun, "tbtnUsun"},
        {tbtnWGore, "tbtnWGore"},
        {tbtnWDol, "tbtnWDol"},
        {tbtnSettings, "tbtnSettings"},
        {tbtnPomoc, "tbtnPomoc"},
    };
    for (const auto &[control, name] : controls)
        control->setObjectName(QString::fromLatin1(name));
}

} // namespace korven
