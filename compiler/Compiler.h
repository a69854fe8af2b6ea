#pragma once

#include "DriveSettings.h"

#include <QString>
#include <QStringList>

namespace korven {

// Bytes of device program memory.
constexpr int kDeviceMemory = 1000;

struct CompileResult {
    // One line of hexadecimal byte text per program line; a line that names no
    // command compiles to an empty line, so displacements stay right.
    QStringList image;
    int errorLine = -1; // 0-based program line of the first error, -1 when none
    QString error;      // the message for the user, naming the line

    bool ok() const { return errorLine < 0; }
};

// Two passes: every line gets its final length first, then the jumps their displacements.
// On an error the image is empty: a half-built image must never reach the device.
CompileResult GenerujProgram(const QStringList &lines, const DriveSettings &drive);

// Total bytes of an image.
int ObliczDlProg(const QStringList &image);
// Byte address of 1-based line k + 1 (the sum of the first k line lengths); 0 for k <= 0.
int ObliczPozycje(const QStringList &image, int k);

// The memory panel: the bar position (0..1000) and "Dostępna pamięć %.1f %".
int memoryBarPosition(int programLength);
QString memoryText(int programLength);

} // namespace korven
