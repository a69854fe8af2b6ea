#include "LinkFaultOptions.h"

#include "DeviceEmulator.h"

#include <QCommandLineParser>

namespace korven::emu {
namespace {

QCommandLineOption corruptAt() {
    return {QStringLiteral("corrupt-at"),
            QStringLiteral("Zapisuje N-ty bajt programu zmieniony, choć odsyła poprawne echo "
                           "(uszkodzona pamięć: wykaże to weryfikacja)."),
            QStringLiteral("N")};
}

QCommandLineOption lateEchoAt() {
    return {QStringLiteral("late-echo-at"),
            QStringLiteral("Raz odsyła echo N-tego bajtu programu z opóźnieniem (--late-echo-ms); "
                           "bajty odebrane w tym czasie obsługuje po nim."),
            QStringLiteral("N")};
}

QCommandLineOption lateEchoMs() {
    return {QStringLiteral("late-echo-ms"),
            QStringLiteral("Opóźnienie spóźnionego echa w ms (domyślnie 770)."),
            QStringLiteral("MS")};
}

QCommandLineOption strayAfterEnd() {
    return {QStringLiteral("stray-after-end"),
            QStringLiteral("Raz, 20 ms po końcu ładowania lub weryfikacji (\"e\"), wysyła "
                           "jeden zbędny bajt.")};
}

} // namespace

void addLinkFaultOptions(QCommandLineParser &parser) {
    parser.addOptions({corruptAt(), lateEchoAt(), lateEchoMs(), strayAfterEnd()});
}

void readLinkFaultOptions(const QCommandLineParser &parser, Faults *faults) {
    faults->corruptAt = parser.value(corruptAt()).toInt();
    faults->lateEchoAt = parser.value(lateEchoAt()).toInt();
    if (parser.isSet(lateEchoMs()))
        faults->lateEchoMs = parser.value(lateEchoMs()).toInt();
    faults->strayAfterEnd = parser.isSet(strayAfterEnd());
}

} // namespace korven::emu
