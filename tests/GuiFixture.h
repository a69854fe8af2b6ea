#pragma once

#include "DialogBase.h"
#include "DialogDriver.h"
#include "PodgladProg.h"
#include "main.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QDialog>
#include <QMessageBox>
#include <QTemporaryDir>

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

    QTemporaryDir dir;
    std::unique_ptr<korven::TMainForm> form;
    std::unique_ptr<korven::TProgForm> prog;
    DialogDriver driver;
};

// Common answers.
// OK as the user presses it, so that the dialog's own checks run.
inline void pressOk(QWidget *w) {
    if (auto *d = qobject_cast<korven::ui::DialogBase *>(w))
        d->bbtnOK()->click();
    else
        static_cast<QDialog *>(w)->accept();
}
inline void pressCancel(QWidget *w) { static_cast<QDialog *>(w)->reject(); }
inline void answer(QWidget *w, QMessageBox::StandardButton button) {
    static_cast<QMessageBox *>(w)->button(button)->click();
}
inline QString messageText(QWidget *w) {
    auto *box = qobject_cast<QMessageBox *>(w);
    return box ? box->text() : QString();
}
