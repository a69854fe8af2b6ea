#include "VersionText.h"

#include "ExecutableVersion.h"

namespace korven {

QString versionText(const std::optional<FileVersion> &version) {
    if (!version)
        return {};
    return QStringLiteral("%1.%2.%3  [Build: %4]")
        .arg(version->major)
        .arg(version->minor)
        .arg(version->release)
        .arg(version->build);
}

QString GetVersionText() { return versionText(executableFileVersion()); }

} // namespace korven
