#pragma once

#include <QString>

namespace korven {

// "major.minor.release  [Build: N]" of the version compiled into the program.
QString GetVersionText();

} // namespace korven
