#include "VersionText.h"

#include "Version.h"

namespace korven {

QString GetVersionText() {
    return QStringLiteral("%1.%2.%3  [Build: %4]")
        .arg(KORVEN_VERSION_MAJOR)
        .arg(KORVEN_VERSION_MINOR)
        .arg(KORVEN_VERSION_PATCH)
        .arg(KORVEN_BUILD_NUMBER);
}

} // namespace korven
