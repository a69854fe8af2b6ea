// Where the program's version comes from: the executable's version resource on Windows,
// the build's own numbers elsewhere.
#include "ExecutableVersion.h"

#include "Version.h"

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <QDir>

#include <vector>

#include <windows.h>
#endif

namespace korven {

#ifdef Q_OS_WIN

std::optional<FileVersion> fileVersionResource(const QString &path) {
    const std::wstring name = QDir::toNativeSeparators(path).toStdWString();
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(name.c_str(), &ignored);
    if (size == 0)
        return std::nullopt;
    std::vector<char> data(size);
    if (!GetFileVersionInfoW(name.c_str(), 0, size, data.data()))
        return std::nullopt;
    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void **>(&fixed), &length) || !fixed ||
        length < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    return FileVersion{HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
                       HIWORD(fixed->dwFileVersionLS), LOWORD(fixed->dwFileVersionLS)};
}

std::optional<FileVersion> executableFileVersion() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, DWORD(std::size(path)));
    if (length == 0 || length >= std::size(path))
        return std::nullopt;
    return fileVersionResource(QString::fromWCharArray(path, int(length)));
}

#else

std::optional<FileVersion> fileVersionResource(const QString &path) {
    Q_UNUSED(path);
    return std::nullopt;
}

std::optional<FileVersion> executableFileVersion() {
    return FileVersion{KORVEN_VERSION_MAJOR, KORVEN_VERSION_MINOR, KORVEN_VERSION_PATCH,
                       KORVEN_BUILD_NUMBER};
}

#endif

} // namespace korven
