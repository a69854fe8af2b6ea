#include "StartupArguments.h"

#include <QFileInfo>

namespace korven {

StartupArguments StartupArguments::parse(const QStringList &arguments) {
    StartupArguments result;
    QStringList rest = arguments.mid(1);
    if (!rest.isEmpty() &&
        (rest.first() == QLatin1String("--help") || rest.first() == QLatin1String("-h"))) {
        result.help = true;
        return result;
    }
    if (!rest.isEmpty() && rest.first() == QLatin1String("--version")) {
        result.version = true;
        return result;
    }
    if (!rest.isEmpty() && rest.first() == QLatin1String("test")) {
        result.testMode = true;
        rest.removeFirst();
    }
    if (!rest.isEmpty() && !rest.first().isEmpty())
        result.programFile = QFileInfo(rest.first()).absoluteFilePath();
    return result;
}

QString StartupArguments::usage() {
    return QStringLiteral(
        "Użycie: korven [test] [PROGRAM.dat]\n"
        "\n"
        "Okno programu KORVEN: pisanie programów ruchu dla mikroindeksera, ładowanie ich\n"
        "do urządzenia, weryfikacja, uruchamianie, aktualizacja firmware'u i wydruk.\n"
        "\n"
        "  test          pierwszy argument: dziennik transmisji i polecenie \"Pokaż program\"\n"
        "  PROGRAM.dat   otwiera ten program po uruchomieniu\n"
        "  --help, -h    ta pomoc\n"
        "  --version     wersja programu\n");
}

} // namespace korven
