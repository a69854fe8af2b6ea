#pragma once

#include <QString>
#include <QtGlobal>

#include <optional>

namespace korven {

// The four fields of a file version: major.minor.release.build.
struct FileVersion {
    quint16 major = 0;
    quint16 minor = 0;
    quint16 release = 0;
    quint16 build = 0;
};

// The running program's own file version: on Windows read from the executable's version
// resource (none when it has none, or it cannot be read), elsewhere the version the
// program was built with.
std::optional<FileVersion> executableFileVersion();

// The version resource of a file (Windows); none when the file has none, and always none
// where files carry no version resources.
std::optional<FileVersion> fileVersionResource(const QString &path);

} // namespace korven
