#pragma once

#include <QString>

namespace korven {

// A failure of the serial port; the text is the port's own, in English.
class PortError {
public:
    explicit PortError(QString message) : m_message(std::move(message)) {}
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace korven
