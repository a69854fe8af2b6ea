#include "PortSettings.h"

#include "ProfileFile.h"

#include <QStringList>

namespace korven {
namespace {

const QString kSection = QStringLiteral("ComPort1");

// The text of the vocabulary that matches without regard to case, else the fallback.
QString fromVocabulary(const QString &text, const QStringList &vocabulary,
                       const QString &fallback) {
    for (const QString &word : vocabulary) {
        if (word.compare(text, Qt::CaseInsensitive) == 0)
            return word;
    }
    return fallback;
}

const QStringList kBaudRates = {"Custom", "110",    "300",    "600",   "1200",  "2400",
                                "4800",   "9600",   "14400",  "19200", "38400", "56000",
                                "57600",  "115200", "128000", "256000"};
const QStringList kStopBits = {"1", "1.5", "2"};
const QStringList kDataBits = {"5", "6", "7", "8"};
const QStringList kParities = {"None", "Odd", "Even", "Mark", "Space"};
const QStringList kFlowControls = {"Hardware", "Software", "None", "Custom"};

} // namespace

QString PortSettings::defaultPortName() {
#ifdef Q_OS_WIN
    return QStringLiteral("COM1");
#else
    return QStringLiteral("ttyS0");
#endif
}

void PortSettings::forceDeviceLine() {
    BaudRate = QStringLiteral("38400");
    DataBits = QStringLiteral("8");
    Parity = QStringLiteral("None");
    StopBits = QStringLiteral("1");
    ControlDTR = LineControl::Disable;
    ControlRTS = LineControl::Disable;
}

QString PortSettings::flowControl() const {
    const bool xon = XonXoffIn && XonXoffOut;
    const bool xoff = !XonXoffIn && !XonXoffOut;
    if (ControlRTS == LineControl::Handshake && OutCTSFlow && xoff)
        return QStringLiteral("Hardware");
    if (ControlRTS == LineControl::Disable && !OutCTSFlow && xon)
        return QStringLiteral("Software");
    if (ControlRTS == LineControl::Disable && !OutCTSFlow && xoff)
        return QStringLiteral("None");
    return QStringLiteral("Custom");
}

void PortSettings::applyFlowControl(const QString &text) {
    const QString flow = fromVocabulary(text, kFlowControls, QStringLiteral("Custom"));
    if (flow == QLatin1String("Hardware")) {
        ControlRTS = LineControl::Handshake;
        OutCTSFlow = true;
        XonXoffIn = XonXoffOut = false;
    } else if (flow == QLatin1String("Software")) {
        ControlRTS = LineControl::Disable;
        OutCTSFlow = false;
        XonXoffIn = XonXoffOut = true;
    } else if (flow == QLatin1String("None")) {
        ControlRTS = LineControl::Disable;
        OutCTSFlow = false;
        XonXoffIn = XonXoffOut = false;
    }
}

bool PortSettings::load(const QString &iniPath) {
    ProfileFile ini;
    if (!ini.load(iniPath))
        return false;
    const auto read = [&](const char *key, const QString &current) {
        return ini.value(kSection, QString::fromLatin1(key), current);
    };
    Port = read("Port", Port);
    BaudRate = fromVocabulary(read("BaudRate", BaudRate), kBaudRates, QStringLiteral("9600"));
    if (BaudRate == QLatin1String("Custom"))
        CustomBaudRate = ini.intValue(kSection, QStringLiteral("CustomBaudRate"), CustomBaudRate);
    StopBits = fromVocabulary(read("StopBits", StopBits), kStopBits, QStringLiteral("1"));
    DataBits = fromVocabulary(read("DataBits", DataBits), kDataBits, QStringLiteral("8"));
    Parity = fromVocabulary(read("Parity", Parity), kParities, QStringLiteral("None"));
    applyFlowControl(read("FlowControl", flowControl()));
    return true;
}

bool PortSettings::store(const QString &iniPath) const {
    ProfileFile ini;
    if (!ini.load(iniPath))
        return false;
    ini.setValue(kSection, QStringLiteral("Port"), Port);
    ini.setValue(kSection, QStringLiteral("BaudRate"), BaudRate);
    if (BaudRate == QLatin1String("Custom"))
        ini.setValue(kSection, QStringLiteral("CustomBaudRate"), QString::number(CustomBaudRate));
    ini.setValue(kSection, QStringLiteral("StopBits"), StopBits);
    ini.setValue(kSection, QStringLiteral("DataBits"), DataBits);
    ini.setValue(kSection, QStringLiteral("Parity"), Parity);
    ini.setValue(kSection, QStringLiteral("FlowControl"), flowControl());
    return ini.save(iniPath);
}

} // namespace korven
