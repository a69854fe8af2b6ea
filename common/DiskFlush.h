#pragma once

#include <QFileDevice>
#include <QString>

namespace korven {

// Pushes what was written to file through to the disk (fdatasync, FlushFileBuffers).
// Returns an empty text on success, else the system's reason. A write to a full or
// failing disk often fails only here.
QString flushToDisk(QFileDevice &file);

using DiskFlush = QString (*)(QFileDevice &file);

} // namespace korven
