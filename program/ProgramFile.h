#pragma once

#include "DiskFlush.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace korven {

// A ".dat" program file: "1.0", the model index, the depth index, then the program
// lines, Windows-1250, every line ending in CR LF.

// Returns an empty text on success, else the message for the user. The previous file
// survives a failed save, a failed flush to disk included.
QString SaveProgramToFile(const QString &path, const QStringList &lines, int modelIndex,
                          int depthIndex, DiskFlush flush = flushToDisk);

struct LoadedProgram {
    enum class Status { Ok, ReadError, TooLarge, WrongVersion, NotAFile };
    Status status = Status::Ok;
    QString message;               // for the user when status is not Ok
    QStringList lines;             // the program lines, as stored
    std::optional<int> modelIndex; // absent when the line is missing or not an integer
    std::optional<int> depthIndex;
    // What the user must be told about a file that loaded (loadNotices):
    bool endAdded = false;    // program lines without "Koniec": one was appended
    int droppedAfterEnd = 0;  // non-blank lines left out after the last "Koniec"
    int firstNonCommand = -1; // 0-based index of the first line naming no command
};

constexpr qint64 kMaxProgramFileSize = 1024 * 1024;

LoadedProgram LoadProgramFromFile(const QString &path);

// The loading steps on the file's bytes, and on text already decoded (for tests and
// fuzzing).
LoadedProgram parseProgramBytes(const QByteArray &bytes);
LoadedProgram parseProgramText(const QString &text);

// Text that is valid UTF-8 with bytes above 127 (what editors on Linux save) is read as
// UTF-8, anything else as Windows-1250: Polish Windows-1250 text is practically never
// valid UTF-8.
QString decodeProgramBytes(const QByteArray &bytes);

// The messages for the user about a loaded program, in order; empty when there are none.
QStringList loadNotices(const LoadedProgram &program);

} // namespace korven
