#pragma once

#include <QString>

namespace korven {

// What an Intel hex file holds, checked before a chip is erased for it: a file that is
// no valid Intel hex, has a bad checksum, holds no data or does not fit the memory must
// never cost the device its firmware.
struct IntelHexCheck {
    bool ok = false;
    QString error; // Polish, for the tool's output; empty when ok
    int dataBytes = 0;
    qint64 end = 0; // one past the highest address written

    static IntelHexCheck ofFile(const QString &path, qint64 memoryBytes);
    static IntelHexCheck ofText(const QByteArray &text, qint64 memoryBytes);
};

} // namespace korven
