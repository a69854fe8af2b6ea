#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace korven {

// Byte addresses of the program lines: prefix sums of the image line lengths.
class ImageAddresses {
public:
    explicit ImageAddresses(const QStringList &image);
    // ObliczPozycje: the byte address of 1-based line k + 1; 0 for k <= 0;
    // lines beyond the last count as empty.
    int at(qint64 k) const;
    int total() const { return m_prefix.last(); }

private:
    QList<int> m_prefix;
};

// Bytes in one image line: Round(characters / 3).
int imageLineLength(const QString &line);

// The encoders of the commands with parameters. Each returns the image line; a value
// that does not fit its field throws FieldError instead of being truncated.
QString cmdVmin(long double stepsPerSecond, int pulsDiv);
QString cmdVmax(long double stepsPerSecond, int pulsDiv);
QString cmdVtarget(long double stepsPerSecond, int pulsDiv);
QString cmdaMax(long double acceleration, int pulsDiv);
QString cmdJump(const ImageAddresses &addresses, qint64 ownLine, qint64 targetLine);
QString cmdJumpIfCounter(const ImageAddresses &addresses, qint64 ownLine, qint64 targetLine);
QString cmdJumpIf(const ImageAddresses &addresses, qint64 ownLine, qint64 targetLine,
                  qint64 inputIndex, qint64 state);
QString cmdFindPos(qint64 position);
QString cmdWait(qint64 milliseconds);
QString cmdWait_s(qint64 seconds);
QString cmdSetCounter(qint64 count);
QString cmdFindHOME(qint64 precision, long double stepsPerSecond, int pulsDiv);
QString cmdEnable(const QString &state);
QString cmdSetOut(qint64 outputIndex, qint64 state);
QString cmdSetOuts(const QString &outputList);

// Hexadecimal text of the two's complement of value (-value), its last digits
// characters, upper case: NotIntToHex(1, 6) == "FFFFFF".
QString NotIntToHex(qint64 value, int digits);

} // namespace korven
