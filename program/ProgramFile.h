#pragma once

#include <QString>
#include <QStringList>

#include <optional>

namespace korven {

// A ".dat" program file: "1.0", the model index, the depth index, then the program
// lines, Windows-1250, every line ending in CR LF.

// Returns an empty text on success, else the message for the user. The previous file
// survives a failed save.
QString SaveProgramToFile(const QString &path, const QStringList &lines, int modelIndex,
                          int depthIndex);

struct LoadedProgram {
    enum class Status { Ok, ReadError, TooLarge, WrongVersion };
    Status status = Status::Ok;
    QString message;               // for the user when status is not Ok
    QStringList lines;             // the program lines, as stored
    std::optional<int> modelIndex; // absent when the line is missing or not an integer
    std::optional<int> depthIndex;
};

constexpr qint64 kMaxProgramFileSize = 1024 * 1024;

LoadedProgram LoadProgramFromFile(const QString &path);

// The loading steps on text already decoded (for tests and fuzzing).
LoadedProgram parseProgramText(const QString &text);

} // namespace korven
