#include "SimulateCommand.h"

#include "CliCommands.h"
#include "ConsolePlatform.h"
#include "ProgramFile.h"
#include "Simulation.h"
#include "SimulationText.h"
#include "StoredDrive.h"

#include <cmath>
#include <cstdio>

namespace korven::cli {
namespace {

// Executed commands printed one a line before the summary.
constexpr int kPrintedCommands = 1000;

void print(FILE *to, const QString &text) { platform::writeLine(to, text); }

int badUsage(const QString &message) {
    print(stderr, message);
    return BadInput;
}

bool number(const QString &text, double *value) {
    bool ok = false;
    *value = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    return ok && std::isfinite(*value);
}

} // namespace

int simulateCommand(const QStringList &arguments) {
    sim::SimulationOptions options;
    options.traceLimit = kPrintedCommands;
    bool json = false;
    QString path;
    for (int i = 0; i < arguments.size(); ++i) {
        QString arg = arguments[i];
        QString value;
        const bool takesValue =
            arg == QLatin1String("--input") || arg == QLatin1String("--home-at") ||
            arg == QLatin1String("--max-time") || arg == QLatin1String("--max-steps");
        if (arg.startsWith(QLatin1String("--")) && arg.contains(QLatin1Char('='))) {
            value = arg.section(QLatin1Char('='), 1);
            arg = arg.section(QLatin1Char('='), 0, 0);
        } else if (takesValue) {
            if (i + 1 >= arguments.size())
                return badUsage(QStringLiteral("Opcja %1 wymaga wartości.").arg(arg));
            value = arguments[++i];
        }
        double v = 0;
        if (arg == QLatin1String("--json")) {
            json = true;
        } else if (arg == QLatin1String("--input")) {
            sim::InputChange change;
            QString error;
            if (!sim::parseInputSwitch(value, &change, &error))
                return badUsage(error);
            options.inputs.append(change);
        } else if (arg == QLatin1String("--home-at")) {
            if (!number(value, &v))
                return badUsage(QStringLiteral("Nieprawidłowa pozycja HOME \"%1\".").arg(value));
            options.homeAt = v;
        } else if (arg == QLatin1String("--max-time")) {
            if (!number(value, &v) || v <= 0)
                return badUsage(
                    QStringLiteral("Nieprawidłowy limit czasu \"%1\": liczba sekund > 0.")
                        .arg(value));
            options.maxTimeS = v;
        } else if (arg == QLatin1String("--max-steps")) {
            bool ok = false;
            const qint64 n = value.toLongLong(&ok);
            if (!ok || n <= 0)
                return badUsage(
                    QStringLiteral("Nieprawidłowy limit poleceń \"%1\": liczba całkowita > 0.")
                        .arg(value));
            options.maxSteps = n;
        } else if (arg.startsWith(QLatin1Char('-'))) {
            return badUsage(QStringLiteral("Nieznana opcja polecenia simulate: %1.").arg(arg));
        } else if (path.isEmpty()) {
            path = arg;
        } else {
            return badUsage(QStringLiteral("Polecenie simulate przyjmuje jeden plik programu."));
        }
    }
    if (path.isEmpty())
        return badUsage(QStringLiteral("Polecenie simulate wymaga pliku programu .dat."));

    const LoadedProgram program = LoadProgramFromFile(path);
    if (program.status != LoadedProgram::Status::Ok) {
        print(stderr, program.message);
        return BadInput;
    }
    // A line that is no command runs as nothing: say so, as compile does.
    for (const QString &notice : loadNotices(program))
        print(stderr, QStringLiteral("Uwaga: ") + notice);
    const DriveSettings drive =
        selectionForStoredIndexes(program.modelIndex, program.depthIndex, DriveSettings())
            .settings();
    const sim::SimulationResult result = sim::simulateProgram(program.lines, drive, options);
    if (json) {
        print(stdout, QString::fromUtf8(sim::resultJson(result)));
    } else {
        for (const sim::ExecutedCommand &c : result.trace.commands)
            print(stdout, sim::commandText(c, program.lines));
        if (result.trace.commandsLeftOut > 0)
            print(stdout,
                  QStringLiteral("... i %1 dalszych poleceń").arg(result.trace.commandsLeftOut));
        print(stdout, sim::summaryText(result));
    }
    return result.end == sim::EndReason::Error ? Failure : Success;
}

} // namespace korven::cli
