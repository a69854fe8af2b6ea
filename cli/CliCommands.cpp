#include "CliCommands.h"

#include "Compiler.h"
#include "ConsolePlatform.h"
#include "DeviceCommands.h"
#include "ImageListing.h"
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
    "  compile PLIK.dat [--listing]   kompiluje program i wypisuje jego kod bajtowy:\n"
    "                     jedna linia szesnastkowa na linię programu, kod polecenia\n"
    "                     pierwszy; --listing: obok siebie numer linii, adres bajtu\n"
    "                     w pamięci mikroindeksera, bajty i tekst linii\n"
    "  check PLIK.dat     sprawdza kolejność ustawień prędkości i przyspieszenia (jak\n"
    "                     \"Sprawdź\" w oknie) i wypisuje werdykt\n"
    "  simulate PLIK.dat [--json] [--input N=S@T]... [--home-at P] [--max-time S]\n"
    "                     [--max-steps N]   symuluje przebieg programu z pliku offline\n"
    "                     i wypisuje czas, linię, pozycję i prędkość każdego polecenia\n"
    "                     oraz podsumowanie (szacunek); --json: jeden obiekt JSON\n"
    "\n"
    "Polecenia dla mikroindeksera (łącze 38400 bit/s, 8N1, bez sterowania przepływem):\n"
    "  program PLIK.dat --port PORT [--port PORT]...   kompiluje program i ładuje go do\n"
    "                     mikroindeksera, sprawdzając echo każdego bajtu; jedna ponowna\n"
    "                     próba. Kilka portów (albo --ports-file): wszystkie urządzenia\n"
    "                     naraz, wiersz z werdyktem i czasem dla każdego portu, gdy skończy,\n"
    "                     i podsumowanie; kod 0 tylko, gdy wszystkie się udały\n"
    "  verify PLIK.dat --port PORT [--port PORT]...    porównuje pamięć mikroindeksera\n"
    "                     ze skompilowanym programem i wypisuje linie, które się różnią\n"
    "                     (oczekiwane i odebrane bajty); kilka portów jak przy program\n"
    "  run --port PORT    uruchamia program w mikroindekserze (kończy się, gdy urządzenie\n"
    "                     potwierdzi start, nie czeka na koniec programu)\n"
    "  stop --port PORT   stop awaryjny: wysyła \"s\" i mówi o tym\n"
    "  reset --port PORT  restart mikroindeksera: wysyła \"t\", czeka 2 s i mówi o tym\n"
    "  test --port PORT   test komunikacji: wypisuje odpowiedź urządzenia\n"
    "\n"
    "Opcje:\n"
    "  --port PORT        port szeregowy urządzenia, np. /dev/ttyUSB0, /dev/serial/by-id/...\n"
    "                     albo COM3; wymagany przez polecenia dla mikroindeksera; program\n"
    "                     i verify przyjmują go wiele razy (ten sam port tylko raz)\n"
    "  --ports-file PLIK  porty z pliku, jeden w wierszu (puste i zaczynające się od #\n"
    "                     pomijane): linia produkcyjna dla program i verify\n"
    "  --help, -h         ta pomoc\n"
    "  --version          wersja programu\n"
    "\n"
    "Kod wyjścia: 0 powodzenie, 1 błąd programu lub urządzenia (błąd kompilacji, zła\n"
    "kolejność ustawień, brak odpowiedzi urządzenia, niezgodność; przy kilku portach\n"
    "także port, którego nie można otworzyć), 2 złe wywołanie (także port podany dwa\n"
    "razy), nieczytelny plik lub port, którego nie można otworzyć.";

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
// lines, when given, receives the program's lines.
int compiledImage(const QString &path, QStringList *image, const QString &deviceCommand = {},
                  QStringList *lines = nullptr) {
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
    if (lines)
        *lines = loaded.program.lines;
    return Success;
}

int device(QStringList arguments) {
    const QString command = arguments.takeFirst();
    PortList ports;
    if (const int code = takePorts(command, &arguments, &ports); code != Success)
        return code;
    QStringList image;
    if (deviceCommandNeedsProgram(command)) {
        if (arguments.size() != 1) {
            err(QStringLiteral("Polecenie %1 wymaga pliku programu .dat.").arg(command));
            return BadInput;
        }
        if (const int code = compiledImage(arguments.first(), &image, command); code != Success)
            return code;
    } else if (!arguments.isEmpty()) {
        err(QStringLiteral("Polecenie %1 nie przyjmuje argumentu „%2”.")
                .arg(command, arguments.first()));
        return BadInput;
    }
    return runDeviceCommand(command, ports, image);
}

// The one program file of a command, after its options; false (said) when there is none,
// more than one or an option the command does not know.
bool programFile(const QString &command, const QStringList &arguments, QString *path) {
    for (const QString &argument : arguments) {
        if (argument.startsWith(QLatin1String("--"))) {
            err(QStringLiteral("Polecenie %1 nie zna opcji „%2”.").arg(command, argument));
            return false;
        }
    }
    if (arguments.size() != 1) {
        err(QStringLiteral("Polecenie %1 wymaga jednego pliku programu .dat.").arg(command));
        return false;
    }
    *path = arguments.first();
    return true;
}

int compile(QStringList arguments) {
    const bool listing = arguments.removeAll(QStringLiteral("--listing")) > 0;
    QString path;
    if (!programFile(QStringLiteral("compile"), arguments, &path))
        return BadInput;
    QStringList image, lines;
    const int code = compiledImage(path, &image, {}, &lines);
    for (const QString &row : listing ? imageListing(lines, image) : image)
        out(row);
    return code;
}

int check(const QStringList &arguments) {
    QString path;
    if (!programFile(QStringLiteral("check"), arguments, &path))
        return BadInput;
    LoadedWithDrive loaded;
    if (!load(path, &loaded))
        return BadInput;
    const CheckResult result = SprawdzProgram(loaded.program.lines);
    if (!result.ok)
        out(checkMessage(result));
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
    if (arguments.isEmpty()) {
        err(QString::fromUtf8(kUsage));
        return BadInput;
    }
    const QString &command = arguments.first();
    if (command == QLatin1String("compile"))
        return compile(arguments.mid(1));
    if (command == QLatin1String("check"))
        return check(arguments.mid(1));
    if (command == QLatin1String("simulate"))
        return simulateCommand(arguments.mid(1));
    if (isDeviceCommand(command))
        return device(arguments);
    err(QStringLiteral("Nieznane polecenie „%1”; polecenia wypisuje korven-cli --help.")
            .arg(command));
    return BadInput;
}

} // namespace korven::cli
