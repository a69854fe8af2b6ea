#include "CliCommands.h"

#include "Compiler.h"
#include "DeviceCommands.h"
#include "NonCommandLines.h"
#include "ProgramCheck.h"
#include "ProgramFile.h"
#include "StoredDrive.h"
#include "VersionText.h"

#include <cstdio>

namespace korven::cli {
namespace {

void out(const QString &text) {
    std::fputs(text.toUtf8().constData(), stdout);
    std::fputc('\n', stdout);
}

void err(const QString &text) {
    std::fputs(text.toUtf8().constData(), stderr);
    std::fputc('\n', stderr);
}

const char *const kUsage =
    "Użycie: korven-cli POLECENIE [OPCJE] [PLIK.dat]\n"
    "\n"
    "Polecenia:\n"
    "  compile PLIK.dat   kompiluje program i wypisuje jego kod, linia po linii\n"
    "  check PLIK.dat     sprawdza kolejność ustawień prędkości i przyspieszenia\n"
    "  program PLIK.dat --port PORT   ładuje program do mikroindeksera\n"
    "  verify PLIK.dat --port PORT    porównuje pamięć mikroindeksera z programem\n"
    "  run --port PORT    uruchamia program w mikroindekserze\n"
    "  stop --port PORT   stop awaryjny\n"
    "  reset --port PORT  restart mikroindeksera\n"
    "  test --port PORT   test komunikacji\n"
    "\n"
    "Opcje:\n"
    "  --help             ta pomoc\n"
    "  --version          wersja programu\n"
    "\n"
    "Kod wyjścia: 0 powodzenie, 1 błąd programu lub urządzenia, 2 złe wywołanie lub plik.";

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
    if (!arguments.isEmpty() && isDeviceCommand(arguments[0]))
        return device(arguments);
    err(QString::fromUtf8(kUsage));
    return BadInput;
}

} // namespace korven::cli
