#include "CliCommands.h"

#include "Compiler.h"
#include "ConsolePlatform.h"
#include "DeviceCommands.h"
#include "NonCommandLines.h"
#include "ProgramCheck.h"
#include "ProgramFile.h"
#include "SimulateCommand.h"
#include "StoredDrive.h"
#include "VersionText.h"

#include <cstdio>

namespace korven::cli {
namespace {

void out(const QString &text) { platform::writeLine(stdout, text); }

void err(const QString &text) { platform::writeLine(stderr, text); }

// The whole help of the tool; every command and option is described here (and in the
// manual page doc/man/korven-cli.1).
const char *const kUsage =
    "Użycie: korven-cli POLECENIE [OPCJE] [PLIK.dat]\n"
    "\n"
    "Polecenia programu KORVEN z wiersza poleceń, dla skryptów i linii produkcyjnych.\n"
    "Program (.dat) jest czytany tak jak w oknie: sterownik i głębokość podziału z pliku,\n"
    "bez zmiany mi.ini.\n"
    "\n"
    "Polecenia bez urządzenia:\n"
    "  compile PLIK.dat   kompiluje program i wypisuje jego kod bajtowy: jedna linia\n"
    "                     szesnastkowa na linię programu, kod polecenia pierwszy\n"
    "  check PLIK.dat     sprawdza kolejność ustawień prędkości i przyspieszenia (jak\n"
    "                     \"Sprawdź\" w oknie) i wypisuje werdykt\n"
    "  simulate PLIK.dat [--json] [--input N=S@T]... [--home-at P] [--max-time S]\n"
    "                     [--max-steps N]   symuluje przebieg programu z pliku offline\n"
    "                     i wypisuje czas, linię, pozycję i prędkość każdego polecenia\n"
    "                     oraz podsumowanie (szacunek); --json: jeden obiekt JSON\n"
    "\n"
    "Polecenia dla mikroindeksera (łącze 38400 bit/s, 8N1, bez sterowania przepływem):\n"
    "  program PLIK.dat --port PORT   kompiluje program i ładuje go do mikroindeksera,\n"
    "                     sprawdzając echo każdego bajtu; jedna ponowna próba\n"
    "  verify PLIK.dat --port PORT    porównuje pamięć mikroindeksera ze skompilowanym\n"
    "                     programem\n"
    "  run --port PORT    uruchamia program w mikroindekserze (kończy się, gdy urządzenie\n"
    "                     potwierdzi start, nie czeka na koniec programu)\n"
    "  stop --port PORT   stop awaryjny: wysyła \"s\"\n"
    "  reset --port PORT  restart mikroindeksera: wysyła \"t\" i czeka 2 s\n"
    "  test --port PORT   test komunikacji: wypisuje odpowiedź urządzenia\n"
    "\n"
    "Opcje:\n"
    "  --port PORT        port szeregowy urządzenia, np. /dev/ttyUSB0, /dev/serial/by-id/...\n"
    "                     albo COM3; wymagany przez polecenia dla mikroindeksera\n"
    "  --help, -h         ta pomoc\n"
    "  --version          wersja programu\n"
    "\n"
    "Kod wyjścia: 0 powodzenie, 1 błąd programu lub urządzenia (błąd kompilacji, zła\n"
    "kolejność ustawień, brak odpowiedzi urządzenia, niezgodność), 2 złe wywołanie,\n"
    "nieczytelny plik lub port, którego nie można otworzyć.";

struct LoadedWithDrive {
    LoadedProgram program;
    DriveSettings drive;
};

// Loads as the open command does: the file's indexes, applied through the driver
// selection (held values are the start-up zeros), without touching mi.ini.
bool load(const QString &path, LoadedWithDrive *loaded) {
    loaded->program = LoadProgramFromFile(path);
    if (loaded->program.status != LoadedProgram::Status::Ok) {
        err(loaded->program.message);
        return false;
    }
    for (const QString &notice : loadNotices(loaded->program))
        err(QStringLiteral("Uwaga: ") + notice);
    const DriverSelection selection = selectionForStoredIndexes(
        loaded->program.modelIndex, loaded->program.depthIndex, DriveSettings());
    if (selection.modelIndex() < 0 || selection.depthIndex() < 0)
        err(QStringLiteral("Uwaga: plik wskazuje sterownik lub głębokość podziału spoza listy."));
    loaded->drive = selection.settings();
    return true;
}

// Loads and compiles a program file; the exit code of a failure (after its message).
// For a device command (not empty) a program with lines that are no commands fails.
int compiledImage(const QString &path, QStringList *image, const QString &deviceCommand = {}) {
    LoadedWithDrive loaded;
    if (!load(path, &loaded))
        return BadInput;
    const CompileResult result = GenerujProgram(loaded.program.lines, loaded.drive);
    if (!result.ok()) {
        err(result.error);
        return Failure;
    }
    if (!deviceCommand.isEmpty()) {
        const QString refusal = deviceCommand == QLatin1String("verify")
                                    ? verifyRefusal(loaded.program.lines)
                                    : programRefusal(loaded.program.lines);
        if (!refusal.isEmpty()) {
            err(refusal);
            return Failure;
        }
    }
    *image = result.image;
    return Success;
}

int device(QStringList arguments) {
    const QString command = arguments.takeFirst();
    const int portAt = int(arguments.indexOf(QStringLiteral("--port")));
    if (portAt < 0 || portAt + 1 >= arguments.size()) {
        err(QStringLiteral("Polecenie %1 wymaga --port PORT.").arg(command));
        return BadInput;
    }
    const QString port = arguments.takeAt(portAt + 1);
    arguments.removeAt(portAt);
    QStringList image;
    if (deviceCommandNeedsProgram(command)) {
        if (arguments.size() != 1) {
            err(QStringLiteral("Polecenie %1 wymaga pliku programu .dat.").arg(command));
            return BadInput;
        }
        if (const int code = compiledImage(arguments.first(), &image, command); code != Success)
            return code;
    } else if (!arguments.isEmpty()) {
        err(QString::fromUtf8(kUsage));
        return BadInput;
    }
    return runDeviceCommand(command, port, image);
}

int compile(const QString &path) {
    QStringList image;
    const int code = compiledImage(path, &image);
    for (const QString &line : image)
        out(line);
    return code;
}

int check(const QString &path) {
    LoadedWithDrive loaded;
    if (!load(path, &loaded))
        return BadInput;
    const CheckResult result = SprawdzProgram(loaded.program.lines);
    if (!result.ok)
        out(result.message);
    out(checkVerdict(result));
    return result.ok ? Success : Failure;
}

} // namespace

int run(const QStringList &arguments) {
    if (arguments.contains(QLatin1String("--help")) || arguments.contains(QLatin1String("-h"))) {
        out(QString::fromUtf8(kUsage));
        return Success;
    }
    if (arguments.contains(QLatin1String("--version"))) {
        out(QStringLiteral("korven-cli ") + GetVersionText());
        return Success;
    }
    if (arguments.size() == 2 && arguments[0] == QLatin1String("compile"))
        return compile(arguments[1]);
    if (arguments.size() == 2 && arguments[0] == QLatin1String("check"))
        return check(arguments[1]);
    if (!arguments.isEmpty() && arguments[0] == QLatin1String("simulate"))
        return simulateCommand(arguments.mid(1));
    if (!arguments.isEmpty() && isDeviceCommand(arguments[0]))
        return device(arguments);
    err(QString::fromUtf8(kUsage));
    return BadInput;
}

} // namespace korven::cli
