// korven-cli: the program's units from the command line, for scripts and production lines.

#include "CliCommands.h"

#include <QCoreApplication>

int main(int argc, char *argv[]) {
    QCoreApplication app(argc, argv);
    return korven::cli::run(app.arguments().mid(1));
}
