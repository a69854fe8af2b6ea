#pragma once

#include "Cp1250.h"
#include "DialogBase.h"
#include "DialogDriver.h"
#include "PodgladProg.h"
#include "ProgramLine.h"
#include "main.h"

#include <QAbstractButton>
#include <QAction>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolBar>

#include <memory>

// A main window with its preview window, started as the program starts it, in a
// program directory of its own.
struct GuiFixture {
    explicit GuiFixture(bool testMode = false) {
        form = std::make_unique<korven::TMainForm>(dir.path() + QLatin1Char('/'), testMode);
        form->setShutdownPause(0);
        prog = std::make_unique<korven::TProgForm>();
        form->setProgForm(prog.get());
        form->bbtnKoniecClick();
        form->show();
    }
    QString path(const QString &name) const { return dir.filePath(name); }
    // A control of the main window by its object name; a missing one ends the test.
    template <typename T> T *child(const char *name) const {
        T *control = form->findChild<T *>(QLatin1String(name));
        if (!control)
            qFatal("no control %s", name);
        return control;
    }

    // Opens a program file of these bodies, numbered, with a driver (TRV10, depth 16).
    void load(const QStringList &bodies, int model = 1, int depth = 4) {
        QString text = QStringLiteral("1.0\r\n%1\r\n%2\r\n").arg(model).arg(depth);
        for (int i = 0; i < bodies.size(); ++i)
            text += korven::formatLine(i + 1, bodies[i]) + QStringLiteral("\r\n");
        QFile file(path(QStringLiteral("p.dat")));
        file.open(QIODevice::WriteOnly);
        file.write(korven::encodeCp1250(text));
        file.close();
        form->LoadProgramFromFile(file.fileName());
    }
    // Selects a line as a click on the list does.
    void select(int row) {
        child<QListView>("ListBoxProg")
            ->setCurrentIndex(child<QListView>("ListBoxProg")->model()->index(row, 0));
    }

    QTemporaryDir dir;
    std::unique_ptr<korven::TMainForm> form;
    std::unique_ptr<korven::TProgForm> prog;
    DialogDriver driver;
};

// Common answers. A window of another kind fails the test (and the driver closes it).
// OK as the user presses it, so that the dialog's own checks run.
inline void pressOk(QWidget *w) {
    if (auto *d = qobject_cast<korven::ui::DialogBase *>(w))
        d->bbtnOK()->click();
    else if (auto *dialog = qobject_cast<QDialog *>(w))
        dialog->accept();
    else
        DialogDriver::failOn(w, QStringLiteral("expected a dialog"));
}
inline void pressCancel(QWidget *w) {
    if (auto *dialog = qobject_cast<QDialog *>(w))
        dialog->reject();
    else
        DialogDriver::failOn(w, QStringLiteral("expected a dialog"));
}
inline void answer(QWidget *w, QMessageBox::StandardButton button) {
    auto *box = qobject_cast<QMessageBox *>(w);
    if (box && box->button(button))
        box->button(button)->click();
    else
        DialogDriver::failOn(
            w, QStringLiteral("expected a message box with button %1").arg(int(button)));
}
inline QString messageText(QWidget *w) {
    auto *box = qobject_cast<QMessageBox *>(w);
    return box ? box->text() : QString();
}
