#include "core/serial_settings.h"

#include "core/ini_file.h"

#include <QDir>
#include <QRegularExpression>

#include <optional>
#include <utility>

using namespace Qt::StringLiterals;

namespace {

const QString kCustom = u"Custom"_s;

template <typename T> using Names = QList<std::pair<T, QString>>;

const Names<QSerialPort::DataBits>& dataBitNames()
{
    static const Names<QSerialPort::DataBits> names = {{QSerialPort::Data5, u"5"_s},
                                                       {QSerialPort::Data6, u"6"_s},
                                                       {QSerialPort::Data7, u"7"_s},
                                                       {QSerialPort::Data8, u"8"_s}};
    return names;
}

const Names<QSerialPort::StopBits>& stopBitNames()
{
    static const Names<QSerialPort::StopBits> names = {{QSerialPort::OneStop, u"1"_s},
                                                       {QSerialPort::OneAndHalfStop, u"1.5"_s},
                                                       {QSerialPort::TwoStop, u"2"_s}};
    return names;
}

const Names<QSerialPort::Parity>& parityNames()
{
    static const Names<QSerialPort::Parity> names = {{QSerialPort::NoParity, u"None"_s},
                                                     {QSerialPort::OddParity, u"Odd"_s},
                                                     {QSerialPort::EvenParity, u"Even"_s},
                                                     {QSerialPort::MarkParity, u"Mark"_s},
                                                     {QSerialPort::SpaceParity, u"Space"_s}};
    return names;
}

const Names<QSerialPort::FlowControl>& flowControlNames()
{
    static const Names<QSerialPort::FlowControl> names = {{QSerialPort::HardwareControl, u"Hardware"_s},
                                                          {QSerialPort::SoftwareControl, u"Software"_s},
                                                          {QSerialPort::NoFlowControl, u"None"_s}};
    return names;
}

template <typename T> QString nameOf(const Names<T>& names, T value)
{
    for (const auto& [v, name] : names) {
        if (v == value)
            return name;
    }
    return names.front().second;
}

template <typename T> std::optional<T> valueOf(const Names<T>& names, const QString& name)
{
    for (const auto& [v, n] : names) {
        if (n.compare(name, Qt::CaseInsensitive) == 0)
            return v;
    }
    return std::nullopt;
}

template <typename T> void readNamed(const IniFile& ini, const QString& key, const Names<T>& names, T& value)
{
    if (const auto read = valueOf(names, ini.readString(kSectionPort, key)))
        value = *read;
}

qint32 readBaudRate(const IniFile& ini, qint32 fallback)
{
    const QString stored = ini.readString(kSectionPort, u"BaudRate"_s);
    const qint64 rate = stored.compare(kCustom, Qt::CaseInsensitive) == 0
                            ? ini.readInteger(kSectionPort, u"CustomBaudRate"_s, 0)
                            : ini.readInteger(kSectionPort, u"BaudRate"_s, 0);
    return rate > 0 && rate <= std::numeric_limits<qint32>::max() ? qint32(rate) : fallback;
}

} // namespace

QList<qint32> standardBaudRates()
{
    return {110, 300, 600, 1200, 2400, 4800, 9600, 14400, 19200, 38400, 56000, 57600, 115200, 128000, 256000};
}

SerialPortSettings loadPortSettings(const IniFile& ini)
{
    SerialPortSettings s;
    s.port = ini.readString(kSectionPort, u"Port"_s, s.port);
    s.baudRate = readBaudRate(ini, s.baudRate);
    readNamed(ini, u"DataBits"_s, dataBitNames(), s.dataBits);
    readNamed(ini, u"StopBits"_s, stopBitNames(), s.stopBits);
    readNamed(ini, u"Parity"_s, parityNames(), s.parity);
    readNamed(ini, u"FlowControl"_s, flowControlNames(), s.flowControl);
    return s;
}

FileResult storePortSettings(IniFile& ini, const SerialPortSettings& s)
{
    const bool standard = standardBaudRates().contains(s.baudRate);
    const QList<std::pair<QString, QString>> values = {
        {u"Port"_s, s.port},
        {u"BaudRate"_s, standard ? QString::number(s.baudRate) : kCustom},
        {u"StopBits"_s, nameOf(stopBitNames(), s.stopBits)},
        {u"DataBits"_s, nameOf(dataBitNames(), s.dataBits)},
        {u"Parity"_s, nameOf(parityNames(), s.parity)},
        {u"FlowControl"_s, nameOf(flowControlNames(), s.flowControl)},
    };
    for (const auto& [key, value] : values) {
        if (FileResult written = ini.writeString(kSectionPort, key, value); !written)
            return written;
    }
    if (!standard)
        return ini.writeInteger(kSectionPort, u"CustomBaudRate"_s, s.baudRate);
    return {};
}

QString systemPortName(const QString& stored)
{
    static const QRegularExpression otherSystem(u"^COM([1-9][0-9]{0,2})$"_s,
                                                QRegularExpression::CaseInsensitiveOption);
    if (const auto match = otherSystem.match(stored); match.hasMatch())
        return u"ttyS"_s + QString::number(match.captured(1).toInt() - 1);
    return stored;
}

QString describePortSettings(const SerialPortSettings& s)
{
    const QString parity = nameOf(parityNames(), s.parity).left(1);
    QString text = s.port + u' ' + QString::number(s.baudRate) + u' ' + nameOf(dataBitNames(), s.dataBits) +
                   parity + nameOf(stopBitNames(), s.stopBits);
    if (s.flowControl != QSerialPort::NoFlowControl)
        text += u' ' + nameOf(flowControlNames(), s.flowControl);
    return text;
}

namespace {

// Orders device names with their trailing numbers as numbers.
bool numericallyBefore(const QString& a, const QString& b)
{
    static const QRegularExpression trailingNumber(u"^(.*?)([0-9]+)$"_s);
    const auto ma = trailingNumber.match(a);
    const auto mb = trailingNumber.match(b);
    if (ma.hasMatch() && mb.hasMatch() && ma.captured(1) == mb.captured(1))
        return ma.captured(2).toLongLong() < mb.captured(2).toLongLong();
    return a < b;
}

// Device files are "system" entries to QDir; the by-id names are links to them.
QStringList devicesIn(const QString& folder, const QString& pattern)
{
    const QDir dir(folder);
    QStringList names = dir.entryList({pattern}, QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), numericallyBefore);
    for (QString& name : names)
        name = dir.filePath(name);
    return names;
}

} // namespace

QStringList serialPortCandidates(const QString& devFolder, const QStringList& found)
{
    QStringList candidates = devicesIn(devFolder + u"/serial/by-id"_s, u"*"_s);
    for (const QString& pattern : {u"ttyUSB*"_s, u"ttyACM*"_s, u"ttyS*"_s})
        candidates += devicesIn(devFolder, pattern);
    candidates += found;
    candidates.removeDuplicates();
    return candidates;
}

std::optional<qint32> baudRateOf(const QString& text)
{
    bool ok = false;
    const qint32 rate = text.trimmed().toInt(&ok);
    if (!ok || rate <= 0)
        return std::nullopt;
    return rate;
}
