#include "PseudoTerminal.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace korven::emu {

PseudoTerminal::PseudoTerminal() {
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_error = QString::fromLocal8Bit(std::strerror(errno));
        close();
        return;
    }
    m_slavePath = QString::fromLocal8Bit(::ptsname(m_master));
    // Holding the slave open ourselves keeps the master readable while the program
    // under test has its port closed, and lets us set raw mode once.
    m_slaveKeeper = ::open(::ptsname(m_master), O_RDWR | O_NOCTTY);
    if (m_slaveKeeper >= 0) {
        termios tio{};
        ::tcgetattr(m_slaveKeeper, &tio);
        ::cfmakeraw(&tio);
        ::tcsetattr(m_slaveKeeper, TCSANOW, &tio);
    }
    ::fcntl(m_master, F_SETFL, ::fcntl(m_master, F_GETFL) | O_NONBLOCK);
}

PseudoTerminal::~PseudoTerminal() { close(); }

QByteArray PseudoTerminal::readAvailable() {
    QByteArray data;
    if (m_master < 0)
        return data;
    char buffer[4096];
    for (;;) {
        const ssize_t n = ::read(m_master, buffer, sizeof buffer);
        if (n <= 0)
            break;
        data.append(buffer, int(n));
    }
    return data;
}

void PseudoTerminal::write(const QByteArray &bytes) {
    qsizetype done = 0;
    while (m_master >= 0 && done < bytes.size()) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, size_t(bytes.size() - done));
        if (n > 0)
            done += n;
        else if (n < 0 && errno != EAGAIN && errno != EINTR)
            break;
    }
}

bool PseudoTerminal::waitReadable(int milliseconds) const {
    if (m_master < 0)
        return false;
    pollfd p{m_master, POLLIN, 0};
    return ::poll(&p, 1, milliseconds) > 0 && (p.revents & POLLIN);
}

void PseudoTerminal::close() {
    if (m_slaveKeeper >= 0)
        ::close(m_slaveKeeper);
    if (m_master >= 0)
        ::close(m_master);
    m_slaveKeeper = m_master = -1;
}

void PseudoTerminal::sleepMicroseconds(long microseconds) {
    // The kernel oversleeps by tens of microseconds, a tenth of a character at 38400
    // bit/s: sleep most of the time, then spin on the clock for the rest.
    timespec start{};
    ::clock_gettime(CLOCK_MONOTONIC, &start);
    const auto elapsed = [&start] {
        timespec now{};
        ::clock_gettime(CLOCK_MONOTONIC, &now);
        return (now.tv_sec - start.tv_sec) * 1000000L + (now.tv_nsec - start.tv_nsec) / 1000;
    };
    const long coarse = microseconds - 150;
    if (coarse > 0) {
        timespec t{coarse / 1000000, (coarse % 1000000) * 1000};
        while (::nanosleep(&t, &t) != 0 && errno == EINTR) {
        }
    }
    while (elapsed() < microseconds) {
    }
}

} // namespace korven::emu
