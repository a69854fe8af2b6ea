// The compiler on any program under any driver: an image line per program line, or an
// error naming a line and no image at all.
#include "Compiler.h"
#include "DriverSelection.h"
#include "FuzzCheck.h"
#include "ProgramFile.h"
#include "ProgramLine.h"

#include <QByteArray>
#include <QRegularExpression>

#include <cstdint>

using namespace korven;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < 2)
        return 0;
    DriverSelection selection;
    selection.applyIndexes(int(data[0] % 11), int(data[1] % 15));
    const DriveSettings drive = selection.settings();
    const QByteArray bytes(reinterpret_cast<const char *>(data + 2), qsizetype(size - 2));
    const QStringList lines = decodeProgramBytes(bytes).split(QLatin1Char('\n'));

    const CompileResult result = GenerujProgram(lines, drive);
    if (!result.ok()) {
        KORVEN_FUZZ_CHECK(result.image.isEmpty());
        KORVEN_FUZZ_CHECK(result.errorLine < lines.size());
        KORVEN_FUZZ_CHECK(!result.error.isEmpty());
        return 0;
    }
    static const QRegularExpression hexBytes(QStringLiteral("^[0-9A-F]{2}( [0-9A-F]{2})*$"));
    KORVEN_FUZZ_CHECK(result.image.size() == lines.size());
    for (int i = 0; i < lines.size(); ++i) {
        const bool command = recognise(lines[i], compileOrder()) != Command::None;
        KORVEN_FUZZ_CHECK(command == !result.image[i].isEmpty());
        KORVEN_FUZZ_CHECK(!command || hexBytes.match(result.image[i]).hasMatch());
    }
    KORVEN_FUZZ_CHECK(ObliczDlProg(result.image) >= 0);
    memoryText(ObliczDlProg(result.image));
    return 0;
}
