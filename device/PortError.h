#pragma once

#include "PortReason.h"

#include <QString>

namespace korven {

// A failure of the serial port; the base text is the port's own, in English.
class PortError {
public:
    explicit PortError(QString message, PortReason reason = {})
        : m_message(std::move(message)), m_reason(std::move(reason)) {}
    // The base text and, in parentheses, the reason.
    const QString &message() const { return m_message; }
    const PortReason &reason() const { return m_reason; }

private:
    QString m_message;
    PortReason m_reason;
};

} // namespace korven
