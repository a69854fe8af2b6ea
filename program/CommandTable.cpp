#include "CommandTable.h"

namespace korven {
namespace {

using K = FieldKind;
using F = DialogFlow;
using G = ButtonGroup;

constexpr qint64 kPosition = 8388607;
constexpr qint64 kWord = 65535;

Range range(qint64 min, qint64 max) { return {{min, false}, {max, false}}; }
Range toLines(qint64 min, qint64 less = 0) { return {{min, false}, {less, true}}; }
ParameterField field(K kind, Range add = {}, Range edit = {}) { return {kind, add, edit}; }

QList<CommandRow> buildTable() {
    const QString speed = QStringLiteral(":/icons/speed.png");
    const QString position = QStringLiteral(":/icons/position.png");
    const QString stop = QStringLiteral(":/icons/stop.png");
    const QString counterJump =
        QStringLiteral("Skocz jeśli licznik powtórzeń różny od zera i zmniejsz o 1");
    const QString line = QStringLiteral("Nr linii:");
    const QString enter = QStringLiteral("Wprowadź");
    // clang-format off
    return {
        {Command::Vmin, QStringLiteral("Prędkość min"), QStringLiteral("Prędkość min."), QStringLiteral("bbtnVmin"),
         G::Speeds, speed, 0x00, 5, false, 1, 1, F::Speed, {field(K::Speed)},
         QStringLiteral("Prędkość minimalna"), QStringLiteral("Prędkość minimalna"), {}, {}},
        {Command::Vmax, QStringLiteral("Prędkość max"), QStringLiteral("Prędkość maks."), QStringLiteral("bbtnVmax"),
         G::Speeds, speed, 0x00, 5, false, 2, 2, F::Speed, {field(K::Speed)},
         QStringLiteral("Prędkość maksymalna"), QStringLiteral("Prędkość maksymalna"), {}, {}},
        {Command::Vtarget, QStringLiteral("Prędkość docelowa"), QStringLiteral("Prędkość docelowa"), QStringLiteral("bbtnVtarget"),
         G::Speeds, speed, 0x01, 3, false, 3, 3, F::Speed, {field(K::SignedSpeed)},
         QStringLiteral("Prędkość docelowa"), QStringLiteral("Prędkość docelowa"), {}, {}},
        {Command::AMax, QStringLiteral("Przysp. max"), QStringLiteral("Przyspiesznie maks."), QStringLiteral("bbtn_a_max"),
         G::Speeds, QStringLiteral(":/icons/accel.png"), 0x02, 13, false, 4, 4, F::Acceleration, {field(K::Acceleration)},
         QStringLiteral("Przyspieszenie maksymalne"), QStringLiteral("Przyspieszenie maksymalne"), {}, {}},
        {Command::Wait, QStringLiteral("Czekaj[ms]"), QStringLiteral("Czekaj [ms]"), QStringLiteral("bbtnCzekaj"),
         G::Flow, {}, 0x07, 3, false, 10, 7, F::Value, {field(K::Integer, range(0, kWord), range(0, 0))},
         QStringLiteral("Czekaj [ms]"), QStringLiteral("Czekaj[ms]"), {}, QStringLiteral("[ms]"), true},
        {Command::WaitS, QStringLiteral("Czekaj[s]"), QStringLiteral("Czekaj [s]"), QStringLiteral("bbtnCzekajs"),
         G::Flow, {}, 0x12, 3, false, 9, 8, F::Value, {field(K::Integer, range(0, kWord), range(0, 0))},
         QStringLiteral("Czekaj [s]"), QStringLiteral("Czekaj"), {}, QStringLiteral("[s]"), true},
        {Command::Jump, QStringLiteral("Skocz do linii"), QStringLiteral("Skocz do linii"), QStringLiteral("bbtnPrzemieszczenie"),
         G::Flow, {}, 0x04, 3, true, 5, 5, F::Value, {field(K::LineNumber, toLines(1), range(0, 0))},
         QStringLiteral("Skocz do linii"), QStringLiteral("Skocz do linii"), line, {}},
        {Command::JumpIfInput, QStringLiteral("Skocz jeśli wejście"), QStringLiteral("Skocz jeśli wejście"), QStringLiteral("bbtnSkoczJesliWejsice"),
         G::Flow, {}, 0x0A, 4, true, 6, 14, F::JumpIfInput,
         {field(K::LineNumber, toLines(1), toLines(1)), field(K::Integer, range(1, 8), range(1, 8)),
          field(K::Integer, range(0, 1), range(0, 1))},
         QStringLiteral("Skocz jeśli wejście"), enter, {}, {}},
        {Command::JumpIfCounter, QStringLiteral("Skocz jeśli licz. powt."), QStringLiteral("Skocz jeśli licz. powt."), QStringLiteral("bbtnSkoczJesliLicznikPowtorzen"),
         G::Flow, {}, 0x11, 3, true, 7, 15, F::Value, {field(K::LineNumber, toLines(1), toLines(1, 1))},
         counterJump, counterJump, line, {}},
        {Command::End, QStringLiteral("Koniec"), QStringLiteral("Koniec"), QStringLiteral("bbtnKoniec"),
         G::Flow, {}, 0x05, 1, false, 19, 0, F::None, {}, {}, {}, {}, {}},
        {Command::FindPos, QStringLiteral("Znajdź pozycję"), QStringLiteral("Znajdź pozycję"), QStringLiteral("bbtnZnajdzPozycje"),
         G::Motion, position, 0x06, 5, false, 8, 6, F::Value,
         {field(K::Integer, range(-kPosition, kPosition), range(-kPosition, kPosition))},
         QStringLiteral("Znajdź pozycję"), QStringLiteral("Znajdź pozycję"), {}, QStringLiteral("kroków")},
        {Command::FindHome, QStringLiteral("Znajdź HOME"), QStringLiteral("Znajdź HOME       "), QStringLiteral("bbtnZnajdzHome"),
         G::Motion, QStringLiteral(":/icons/home.png"), 0x0D, 3, false, 13, 9, F::Speed,
         {field(K::SignedSpeed), field(K::Integer, range(0, 15), range(0, 15))},
         QStringLiteral("Znajdź HOME       "), QStringLiteral("Znajdź HOME       "), {}, {}},
        {Command::ClearPosition, QStringLiteral("Zeruj licznik pozycji"), QStringLiteral("Zeruj licznik pozycji"), QStringLiteral("bbtnZerujLicznikPozycji"),
         G::Motion, position, 0x0F, 1, false, 14, 0, F::None, {}, {}, {}, {}, {}},
        {Command::Stop, QStringLiteral("Stop"), QStringLiteral("Stop"), QStringLiteral("bbtnStop"),
         G::Motion, stop, 0x0B, 1, false, 11, 0, F::None, {}, {}, {}, {}, {}},
        {Command::Brake, QStringLiteral("Hamuj"), QStringLiteral("Hamuj"), QStringLiteral("bbtnHamuj"),
         G::Motion, stop, 0x0C, 1, false, 12, 0, F::None, {}, {}, {}, {}, {}},
        {Command::Enable, QStringLiteral("Enable/Disable"), QStringLiteral("Enable"), QStringLiteral("bbtnEnable"),
         G::Outputs, {}, 0x0E, 2, false, 16, 11, F::Enable, {field(K::Text)}, {}, {}, {}, {}},
        {Command::SetCounter, QStringLiteral("Ustaw licznik powtórzeń"), QStringLiteral("Ustaw licznik powtórzeń"), QStringLiteral("bbtnUstawLicznikPowtorzen"),
         G::Outputs, {}, 0x10, 3, false, 15, 10, F::Value, {field(K::Integer, range(0, kWord), range(0, kWord))},
         QStringLiteral("Ustaw licznik powtórzeń"), QStringLiteral("Ustaw licznik powtórzeń"), {}, {}, true},
        {Command::SetOutput, QStringLiteral("Ustaw wyjście"), QStringLiteral("Przełącz wyjście"), QStringLiteral("bbtnPrzelaczWyjscie"),
         G::Outputs, {}, 0x08, 2, false, 17, 12, F::SetOutput,
         {field(K::Integer, range(1, 8), range(1, 8)), field(K::Integer, range(0, 1), range(0, 1))},
         QStringLiteral("Przełącz wyjście"), enter, {}, {}},
        {Command::Outputs, QStringLiteral("Wyjścia"), QStringLiteral("Ustaw wyjścia"), QStringLiteral("bbtnUstawWyjscia"),
         G::Outputs, {}, 0x09, 2, false, 18, 13, F::Outputs, {field(K::OutputList)},
         QStringLiteral("Ustaw wyjścia"), enter, {}, {}},
    };
    // clang-format on
}

} // namespace

const QList<CommandRow> &commandTable() {
    static const QList<CommandRow> table = [] {
        QList<CommandRow> rows = buildTable();
        // The rows stand in the order of Command, which indexes them.
        for (int i = 0; i < rows.size(); ++i)
            Q_ASSERT(int(rows[i].command) == i);
        Q_ASSERT(rows.size() == kCommandCount);
        return rows;
    }();
    return table;
}

const CommandRow &commandRow(Command command) { return commandTable()[int(command)]; }

int lengthOfOpcode(quint8 opcode) {
    for (const CommandRow &row : commandTable()) {
        if (row.opcode == opcode)
            return row.length;
    }
    return 0;
}

} // namespace korven
