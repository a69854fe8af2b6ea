#pragma once

#include <QString>

#include <optional>

namespace korven {

struct FileVersion;

// "major.minor.release  [Build: N]"; empty without a version.
QString versionText(const std::optional<FileVersion> &version);

// The version text of the running program (on Windows from its version resource: empty
// when the executable has none).
QString GetVersionText();

} // namespace korven
