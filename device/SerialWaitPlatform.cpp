// How an exchange waits for the port.
//
// Windows: Qt 6.4's QSerialPort hears of finished reads and writes through a queue of
// results and a semaphore counting them. When the event loop hands over the results, it
// takes every queued result but only one count; a later waitForReadyRead() or
// waitForBytesWritten() then takes a count for a result that is no longer there and
// crashes. Results pile up whenever bytes arrive and a write ends while the exchange lets
// the window repaint, so exchanges there never use Qt's waits: they run the event loop
// until the port's signal, the time or a failure ends the wait. POSIX systems use Qt's
// waits, which watch the file directly.
#include "SerialPlatform.h"

#ifdef Q_OS_WIN
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#endif

namespace korven::platform {

#ifdef Q_OS_WIN

namespace {

bool isFailure(QSerialPort::SerialPortError error) {
    return error != QSerialPort::NoError && error != QSerialPort::TimeoutError;
}

// Runs the event loop until done() holds after one of the port's signals, the time is up
// or the port fails or closes. Input of the user waits; the exchange lets it through
// where it is ready for it.
template <typename Signal, typename Done>
bool waitFor(QSerialPort &port, int milliseconds, Signal signal, Done done) {
    if (milliseconds <= 0) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        return done();
    }
    QEventLoop loop;
    QTimer deadline;
    deadline.setSingleShot(true);
    deadline.setTimerType(Qt::PreciseTimer);
    bool ended = false;
    const auto end = [&] {
        ended = true;
        loop.quit();
    };
    const auto check = [&] {
        if (done() || !port.isOpen() || isFailure(port.error()))
            end();
    };
    QObject::connect(&deadline, &QTimer::timeout, &loop, end);
    QObject::connect(&port, signal, &loop, check);
    QObject::connect(&port, &QSerialPort::errorOccurred, &loop, check);
    QObject::connect(&port, &QIODevice::aboutToClose, &loop, end);
    deadline.start(milliseconds);
    // A signal may have come while the wait was being set up.
    check();
    if (!ended)
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    return port.isOpen() && done();
}

} // namespace

bool waitForReadyRead(QSerialPort &port, int milliseconds) {
    if (!port.isOpen())
        return false;
    const qint64 before = port.bytesAvailable();
    return waitFor(port, milliseconds, &QIODevice::readyRead,
                   [&] { return port.bytesAvailable() > before; });
}

bool waitForBytesWritten(QSerialPort &port, int milliseconds) {
    if (!port.isOpen())
        return false;
    return waitFor(port, milliseconds, &QIODevice::bytesWritten,
                   [&] { return port.bytesToWrite() == 0; });
}

#else

bool waitForReadyRead(QSerialPort &port, int milliseconds) {
    return port.waitForReadyRead(milliseconds);
}

bool waitForBytesWritten(QSerialPort &port, int milliseconds) {
    return port.waitForBytesWritten(milliseconds);
}

#endif

} // namespace korven::platform
