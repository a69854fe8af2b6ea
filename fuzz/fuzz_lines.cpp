// The line readers on any text: the field readers, the command recognition, the number
// field and the decimal and integer texts.
#include "FuzzCheck.h"
#include "Numbers.h"
#include "ProgramEditor.h"
#include "ProgramFile.h"
#include "ProgramLine.h"

#include <QByteArray>
#include <QStringList>

#include <cmath>
#include <cstdint>
#include <cstring>

using namespace korven;

namespace {

void checkNumbers(const QString &text) {
    bool ok = false;
    const long double v = parseDecimal(text, &ok);
    if (ok && std::fabs(v) < 1e15L) {
        // Two decimals written and read back land within half a hundredth.
        const QString written = formatFixed(v, 2);
        bool again = false;
        const long double back = parseDecimal(written, &again);
        KORVEN_FUZZ_CHECK(again);
        KORVEN_FUZZ_CHECK(std::fabs(back - v) <= 0.005L + std::fabs(v) * 1e-15L);
        KORVEN_FUZZ_CHECK(formatFixed(back, 2) == written);
    }
    const qint64 i = parseInteger(text, &ok);
    if (ok)
        KORVEN_FUZZ_CHECK(parseInteger(QString::number(i), &ok) == i && ok);
}

void checkLine(const QString &line) {
    const Field a = GetValue(line), b = GetValue2(line), c = GetValue3(line);
    KORVEN_FUZZ_CHECK(a.present || (!b.present && !c.present));
    KORVEN_FUZZ_CHECK(b.present || !c.present);
    for (const Field &f : {a, b, c}) {
        try {
            fieldInt(f);
        } catch (const FieldError &) {
        }
        try {
            fieldDecimal(f);
        } catch (const FieldError &) {
        }
        checkNumbers(f.text);
    }
    outputStates(a.asText());

    // The one-pass recognition agrees with a plain search for every name.
    const quint32 mask = occurringCommands(line);
    for (int k = 0; k < int(Command::None); ++k) {
        const bool found = line.contains(commandName(Command(k)));
        KORVEN_FUZZ_CHECK(bool(mask & (1u << k)) == found);
    }
    recognise(line, compileOrder());
    recognise(line, editOrder());

    const int number = ProgramEditor::lineNumber(line);
    const QString body = ProgramEditor::lineBody(line);
    if (number >= 0) {
        KORVEN_FUZZ_CHECK(ProgramEditor::lineBody(formatLine(number, body)) == body);
        KORVEN_FUZZ_CHECK(ProgramEditor::lineNumber(formatLine(number, body)) == number);
    } else if (number == -1) {
        KORVEN_FUZZ_CHECK(body == line);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString text = decodeProgramBytes(bytes);
    for (const QString &line : text.split(QLatin1Char('\n')))
        checkLine(line);
    checkNumbers(text);
    // Any bit pattern of a long double formats to a sign, digits, a comma and two digits.
    if (size >= sizeof(long double)) {
        long double v = 0;
        std::memcpy(&v, data, sizeof v);
        const QString t = formatFixed(v, 2);
        if (std::isfinite(v)) {
            const qsizetype comma = t.indexOf(QLatin1Char(','));
            KORVEN_FUZZ_CHECK(comma > 0 && comma == t.size() - 3);
        }
    }
    return 0;
}
