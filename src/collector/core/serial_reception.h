#pragma once

#include "core/line_splitter.h"
#include "core/serial_settings.h"

#include <QObject>
#include <QSerialPort>

#include <expected>

// The collector's serial port: opens and closes it with the stored settings
// and hands everything received to the line splitter, in the thread of the
// event loop (Qt's port object delivers there; no locks are needed).
//
// A port that disappears while it is open (a USB adapter pulled out, the far
// end of a pseudo-terminal gone) is closed and reported once by portLost;
// what was received before is handed to the splitter first.
class SerialReception : public QObject {
    Q_OBJECT
public:
    explicit SerialReception(QObject* parent = nullptr);
    ~SerialReception() override;

    LineSplitter& splitter() { return m_splitter; }

    const SerialPortSettings& settings() const { return m_settings; }
    // Takes new settings; an open port gets them at once (a new port name
    // reopens it). Errors as for open().
    std::expected<void, QString> setSettings(const SerialPortSettings& settings);

    // Opens the port; the error is a Hungarian text naming the port.
    std::expected<void, QString> open();
    void close();
    bool isOpen() const { return m_port.isOpen(); }

Q_SIGNALS:
    // The port was lost while open and is now closed.
    void portLost(const QString& message);
    // The port was opened or closed (by a call or by a loss).
    void openChanged(bool open);

private:
    void readReceived();
    void handleError(QSerialPort::SerialPortError error);
    std::expected<void, QString> applySettings();
    QString errorText(const QString& what) const;

    QSerialPort m_port;
    LineSplitter m_splitter;
    SerialPortSettings m_settings;
    bool m_closing = false;
};

// The Hungarian reason of a port error, for messages.
QString portErrorReason(QSerialPort::SerialPortError error, const QString& systemText);
