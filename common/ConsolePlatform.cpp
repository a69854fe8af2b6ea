#include "ConsolePlatform.h"

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#endif

namespace korven::platform {

#ifdef Q_OS_WIN

namespace {

QByteArray toCodePage(const QString &text, UINT codePage) {
    const auto *wide = reinterpret_cast<const wchar_t *>(text.utf16());
    const int length = int(text.size());
    if (length == 0)
        return {};
    const int size = WideCharToMultiByte(codePage, 0, wide, length, nullptr, 0, nullptr, nullptr);
    QByteArray bytes(size, '\0');
    WideCharToMultiByte(codePage, 0, wide, length, bytes.data(), size, nullptr, nullptr);
    return bytes;
}

} // namespace

void writeLine(std::FILE *stream, const QString &text, bool consoleCodePage) {
    std::fflush(stream);
    const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
    DWORD mode = 0;
    if (handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode)) {
        const QString line = text + QStringLiteral("\r\n");
        DWORD written = 0;
        WriteConsoleW(handle, line.utf16(), DWORD(line.size()), &written, nullptr);
        return;
    }
    const QByteArray bytes = consoleCodePage ? toCodePage(text, GetOEMCP()) : text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream); // CR LF: the C library's streams are in text mode
    std::fflush(stream);
}

QString fromConsoleCodePage(const QByteArray &bytes) {
    if (bytes.isEmpty())
        return {};
    const UINT codePage = GetOEMCP();
    const int size =
        MultiByteToWideChar(codePage, 0, bytes.constData(), int(bytes.size()), nullptr, 0);
    QString text(size, Qt::Uninitialized);
    MultiByteToWideChar(codePage, 0, bytes.constData(), int(bytes.size()),
                        reinterpret_cast<wchar_t *>(text.data()), size);
    return text;
}

void attachToParentConsole() {
    const HANDLE output = GetStdHandle(STD_OUTPUT_HANDLE);
    if (output && output != INVALID_HANDLE_VALUE)
        return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    std::freopen("CONOUT$", "w", stdout);
    std::freopen("CONOUT$", "w", stderr);
}

#else

void writeLine(std::FILE *stream, const QString &text, bool consoleCodePage) {
    const QByteArray bytes = consoleCodePage ? text.toLocal8Bit() : text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

QString fromConsoleCodePage(const QByteArray &bytes) { return QString::fromLocal8Bit(bytes); }

void attachToParentConsole() {}

#endif

} // namespace korven::platform
