#pragma once

#include <QByteArray>
#include <QString>

#include <cstdio>

// How the programs talk to a console window or a pipe; the one platform-specific piece of
// their text output.
namespace korven::platform {

// Writes text and a line end to stdout or stderr. A Windows console gets it as Unicode
// (whatever its code page); a pipe or file gets UTF-8, or, with consoleCodePage, the
// code page console programs write in (the OEM code page on Windows, the locale's
// encoding elsewhere). Line ends are the system's (CR LF on Windows).
void writeLine(std::FILE *stream, const QString &text, bool consoleCodePage = false);

// The text of bytes a console program wrote into a pipe: from the OEM code page on
// Windows, from the locale's encoding elsewhere.
QString fromConsoleCodePage(const QByteArray &bytes);

// A program without a console of its own (the window, on Windows) that was started from
// one attaches to it, so that what it prints for --help and --version is seen there.
// Nothing happens when its output already goes somewhere (a pipe, a file, a terminal).
void attachToParentConsole();

} // namespace korven::platform
