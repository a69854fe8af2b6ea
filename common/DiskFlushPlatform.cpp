// The only platform-specific code of the program and settings files: the flush to disk.
#include "DiskFlush.h"

#ifdef Q_OS_WIN
#include <io.h>
#include <windows.h>
#else
#include <cerrno>
#include <unistd.h>
#endif

namespace korven {

QString flushToDisk(QFileDevice &file) {
    if (!file.flush())
        return file.errorString();
    const int fd = file.handle();
    if (fd < 0)
        return QStringLiteral("brak uchwytu pliku");
#ifdef Q_OS_WIN
    const auto handle = reinterpret_cast<HANDLE>(_get_osfhandle(fd));
    if (handle == INVALID_HANDLE_VALUE || !FlushFileBuffers(handle))
        return qt_error_string(int(GetLastError()));
#elif defined(Q_OS_DARWIN)
    if (::fsync(fd) != 0)
        return qt_error_string(errno);
#else
    int result = 0;
    do {
        result = ::fdatasync(fd);
    } while (result != 0 && errno == EINTR);
    if (result != 0)
        return qt_error_string(errno);
#endif
    return {};
}

} // namespace korven
