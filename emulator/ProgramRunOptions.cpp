#include "ProgramRunOptions.h"

#include "SimulationText.h"

#include <QCommandLineParser>

#include <cmath>

namespace korven::emu {

void addProgramRunOptions(QCommandLineParser &parser) {
    parser.addOption({QStringLiteral("input"),
                      QStringLiteral("Wejście N przyjmuje stan S po T sekundach programu "
                                     "(można powtarzać)."),
                      QStringLiteral("N=S@T")});
    parser.addOption({QStringLiteral("home-at"),
                      QStringLiteral("Położenie czujnika HOME w krokach (domyślnie 0)."),
                      QStringLiteral("P")});
    parser.addOption({QStringLiteral("time-scale"),
                      QStringLiteral("Mnożnik czasu wykonania programu (domyślnie 1: czas "
                                     "rzeczywisty; 0,01: sto razy szybciej)."),
                      QStringLiteral("F")});
}

bool programRunOptions(const QCommandLineParser &parser, ProgramRunOptions *options,
                       QString *error) {
    for (const QString &value : parser.values(QStringLiteral("input"))) {
        sim::InputChange change;
        if (!sim::parseInputSwitch(value, &change, error))
            return false;
        options->inputs.append(change);
    }
    const auto number = [&](const char *name, double *out, bool positive) {
        const QString text = parser.value(QString::fromLatin1(name));
        if (text.isEmpty())
            return true;
        bool ok = false;
        const double v = QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        if (!ok || !std::isfinite(v) || (positive && v < 0)) {
            *error = QStringLiteral("Nieprawidłowa wartość --%1: \"%2\".")
                         .arg(QString::fromLatin1(name), text);
            return false;
        }
        *out = v;
        return true;
    };
    return number("home-at", &options->homeAt, false) &&
           number("time-scale", &options->timeScale, true);
}

} // namespace korven::emu
