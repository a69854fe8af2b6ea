// Preloaded into Wine by the tests of the Windows build (LD_PRELOAD), so that a Windows
// program's serial port can talk to korven-emu through a pseudo-terminal.
//
// Wine's serial layer asks the terminal for its modem lines (TIOCMGET) whenever it waits for
// line events, and sets DTR and RTS through TIOCMSET; a pseudo-terminal has no modem lines
// and refuses, so every wait fails. Here a pseudo-terminal has the lines of a null-modem
// cable to a switched-on device: CTS, DSR and carrier on, DTR and RTS as last set, no
// interrupt counts. Every other request, and these on any other file, go to the system
// unchanged.
// And files are opened without becoming a controlling terminal: the wineserver opens the
// ports, and as a session leader it would take the emulator's terminal for its own and be
// sent SIGHUP (which makes it dump all its objects) whenever an emulator ends.

#include <cerrno>
#include <cstdarg>
#include <cstring>

#include <dlfcn.h>
#include <fcntl.h>
#include <linux/serial.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>

namespace {

using IoctlFunction = int (*)(int, unsigned long, ...);

IoctlFunction systemIoctl() {
    static const auto function = reinterpret_cast<IoctlFunction>(dlsym(RTLD_NEXT, "ioctl"));
    return function;
}

bool isPseudoTerminal(int fd) {
    struct stat status {};
    if (fstat(fd, &status) != 0 || !S_ISCHR(status.st_mode))
        return false;
    const unsigned int majorNumber = major(status.st_rdev);
    // Unix98 terminals (136-143) and their multiplexer /dev/ptmx (5, 2).
    return (majorNumber >= 136 && majorNumber <= 143) ||
           (majorNumber == 5 && minor(status.st_rdev) == 2);
}

constexpr int kMaxFd = 4096;
// DTR and RTS as the program last set them, per descriptor (a terminal keeps no such state).
int outputLines[kMaxFd];

int &linesOf(int fd) {
    static int spare;
    return fd >= 0 && fd < kMaxFd ? outputLines[fd] : spare;
}

// The modem line requests a pseudo-terminal refuses.
bool answerModemLines(int fd, unsigned long request, void *argument) {
    auto *bits = static_cast<int *>(argument);
    constexpr int kOutputs = TIOCM_DTR | TIOCM_RTS;
    switch (request) {
    case TIOCMGET:
        *bits = (linesOf(fd) & kOutputs) | TIOCM_CTS | TIOCM_DSR | TIOCM_CAR;
        return true;
    case TIOCMSET: linesOf(fd) = *bits & kOutputs; return true;
    case TIOCMBIS: linesOf(fd) |= *bits & kOutputs; return true;
    case TIOCMBIC: linesOf(fd) &= ~(*bits & kOutputs); return true;
    case TIOCGICOUNT: std::memset(argument, 0, sizeof(serial_icounter_struct)); return true;
    default: return false;
    }
}

} // namespace

extern "C" int ioctl(int fd, unsigned long request, ...) {
    va_list arguments;
    va_start(arguments, request);
    void *argument = va_arg(arguments, void *);
    va_end(arguments);
    const IoctlFunction system = systemIoctl();
    if (!system) {
        errno = ENOSYS;
        return -1;
    }
    const int result = system(fd, request, argument);
    const int systemError = errno;
    if (result != 0 && (systemError == ENOTTY || systemError == EINVAL) && argument &&
        isPseudoTerminal(fd) && answerModemLines(fd, request, argument))
        return 0;
    errno = systemError;
    return result;
}

namespace {

template <typename Function> Function systemFunction(const char *name) {
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}

mode_t modeArgument(int flags, va_list arguments) {
    return (flags & (O_CREAT | O_TMPFILE)) ? mode_t(va_arg(arguments, int)) : 0;
}

} // namespace

extern "C" int open(const char *path, int flags, ...) {
    static const auto system = systemFunction<int (*)(const char *, int, ...)>("open");
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return system(path, flags | O_NOCTTY, mode);
}

extern "C" int open64(const char *path, int flags, ...) {
    static const auto system = systemFunction<int (*)(const char *, int, ...)>("open64");
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return system(path, flags | O_NOCTTY, mode);
}

extern "C" int openat(int directory, const char *path, int flags, ...) {
    static const auto system = systemFunction<int (*)(int, const char *, int, ...)>("openat");
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return system(directory, path, flags | O_NOCTTY, mode);
}

extern "C" int openat64(int directory, const char *path, int flags, ...) {
    static const auto system = systemFunction<int (*)(int, const char *, int, ...)>("openat64");
    va_list arguments;
    va_start(arguments, flags);
    const mode_t mode = modeArgument(flags, arguments);
    va_end(arguments);
    return system(directory, path, flags | O_NOCTTY, mode);
}
