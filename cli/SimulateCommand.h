#pragma once

#include <QStringList>

namespace korven::cli {

// korven-cli simulate FILE.dat [--json] [--input N=S@T]... [--home-at P] [--max-time S]
// [--max-steps N]
int simulateCommand(const QStringList &arguments);

} // namespace korven::cli
