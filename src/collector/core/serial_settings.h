#pragma once

#include "core/file_io.h"

#include <QSerialPort>
#include <QString>
#include <QStringList>

#include <optional>

class IniFile;

// The basic settings of the collector's serial port, as stored in section
// "SP2" of Kalvix.ini. The values are written in the forms older installations
// already hold ("9600", "Custom", "1.5", "None", "Hardware", ...), so a
// settings file carried over keeps working.
struct SerialPortSettings {
    QString port = QStringLiteral("ttyS0");
    qint32 baudRate = 9600;
    QSerialPort::DataBits dataBits = QSerialPort::Data8;
    QSerialPort::StopBits stopBits = QSerialPort::OneStop;
    QSerialPort::Parity parity = QSerialPort::NoParity;
    QSerialPort::FlowControl flowControl = QSerialPort::NoFlowControl;

    bool operator==(const SerialPortSettings&) const = default;
};

inline const QString kSectionPort = QStringLiteral("SP2");

// Loads section "SP2"; a missing or unreadable value keeps its default.
SerialPortSettings loadPortSettings(const IniFile& ini);
// Stores the settings into section "SP2". "CustomBaudRate" is written only
// for a rate outside the standard list, with "BaudRate" = "Custom".
FileResult storePortSettings(IniFile& ini, const SerialPortSettings& settings);

// The standard baud rates, in the order a settings dialog offers them.
QList<qint32> standardBaudRates();

// The device QSerialPort opens for a stored port name: a name of another
// system's form ("COM1") is taken as the serial port of that number
// ("ttyS0"); anything else (ttyUSB0, /dev/serial/by-id/...) is used as it is.
QString systemPortName(const QString& stored);

// A short description for messages and logs, e.g. "ttyUSB0 9600 8N1".
QString describePortSettings(const SerialPortSettings& settings);

// The serial devices a settings dialog offers: the names under
// devFolder/serial/by-id first (they stay the same whichever socket a USB
// adapter is plugged into), then devFolder's ttyUSB, ttyACM and ttyS devices,
// then any other port the system reports (found); each once, numbered
// devices in numeric order (ttyS2 before ttyS10).
QStringList serialPortCandidates(const QString& devFolder, const QStringList& found);

// A baud rate as typed: a positive whole number, or nothing.
std::optional<qint32> baudRateOf(const QString& text);
