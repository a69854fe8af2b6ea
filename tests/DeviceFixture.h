#pragma once

#include "GuiFixture.h"

#include "EmulatorProcess.h"

#include <QFile>
#include <QLabel>

// A window whose rs232.ini names the emulator's terminal, started as the program starts.
struct DeviceFixture : GuiFixture {
    explicit DeviceFixture(const QStringList &faults = {}, bool testMode = false)
        : GuiFixture(testMode), emu(faults) {
        QFile ini(path(QStringLiteral("rs232.ini")));
        ini.open(QIODevice::WriteOnly);
        ini.write("[ComPort1]\r\nPort=" + emu.path().toLocal8Bit() + "\r\nBaudRate=9600\r\n");
        ini.close();
        form->startSerialPort();
    }
    QString banner() const { return child<QLabel>("Panel5")->text(); }
    bool busy() const { return !child<QPushButton>("bbtnVmin")->isEnabled(); }

    EmulatorProcess emu;
};
