// The program file loader on any bytes: it never crashes, and what it loads, saved
// again, loads back the same.
#include "FuzzCheck.h"
#include "NonCommandLines.h"
#include "ProgramFile.h"

#include <QByteArray>

#include <cstdint>

using namespace korven;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const LoadedProgram p = parseProgramBytes(bytes);
    loadNotices(p);
    if (p.status != LoadedProgram::Status::Ok) {
        KORVEN_FUZZ_CHECK(p.status == LoadedProgram::Status::WrongVersion && p.lines.isEmpty());
        return 0;
    }
    for (const QString &line : p.lines)
        KORVEN_FUZZ_CHECK(!line.contains(QLatin1Char('\r')) && !line.contains(QLatin1Char('\n')));
    KORVEN_FUZZ_CHECK(p.firstNonCommand == firstNonCommandLine(p.lines));
    if (!p.lines.isEmpty())
        KORVEN_FUZZ_CHECK(p.lines.last().contains(QLatin1String("Koniec")));
    KORVEN_FUZZ_CHECK(!(p.endAdded && p.droppedAfterEnd > 0));

    // The text a save writes loads back to the same program, with nothing to report
    // but its lines that are no commands.
    QString saved = QStringLiteral("1.0\r\n%1\r\n%2\r\n")
                        .arg(p.modelIndex.value_or(0))
                        .arg(p.depthIndex.value_or(0));
    for (const QString &line : p.lines)
        saved += line + QStringLiteral("\r\n");
    const LoadedProgram again = parseProgramText(saved);
    KORVEN_FUZZ_CHECK(again.status == LoadedProgram::Status::Ok);
    KORVEN_FUZZ_CHECK(again.lines == p.lines);
    KORVEN_FUZZ_CHECK(again.modelIndex.value_or(0) == p.modelIndex.value_or(0));
    KORVEN_FUZZ_CHECK(!again.endAdded && again.droppedAfterEnd == 0);
    KORVEN_FUZZ_CHECK(again.firstNonCommand == p.firstNonCommand);
    return 0;
}
