#pragma once

#include <QStringList>

namespace korven::cli {

// Exit codes: 0 success, 1 a failure of the program or the device, 2 bad usage or input.
enum ExitCode { Success = 0, Failure = 1, BadInput = 2 };

int run(const QStringList &arguments);

} // namespace korven::cli
