#include "Messages.h"

#include <QAbstractButton>
#include <QMessageBox>

namespace korven::ui {
namespace {

// A box over a window not shown yet (the port message of the start-up) would open at
// that window's corner: it goes to the middle of the screen instead.
QWidget *boxParent(QWidget *parent) { return parent && parent->isVisible() ? parent : nullptr; }

} // namespace

void showMessage(QWidget *parent, const QString &text) {
    parent = boxParent(parent);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("KORVEN"), text, QMessageBox::Ok, parent);
    box.exec();
}

bool askYesNo(QWidget *parent, const QString &text, bool yesIsDefault) {
    parent = boxParent(parent);
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Potwierdź"), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nie"));
    box.setDefaultButton(yesIsDefault ? QMessageBox::Yes : QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

Answer askYesNoCancel(QWidget *parent, const QString &text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Potwierdź"), text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Tak"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Nie"));
    box.button(QMessageBox::Cancel)->setText(QStringLiteral("&Anuluj"));
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes: return Answer::Yes;
    case QMessageBox::No: return Answer::No;
    default: return Answer::Cancel;
    }
}

} // namespace korven::ui
