#include "core/serial_reception.h"

#include "core/cp1250.h"

using namespace Qt::StringLiterals;

SerialReception::SerialReception(QObject* parent) : QObject(parent)
{
    connect(&m_port, &QSerialPort::readyRead, this, &SerialReception::readReceived);
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialReception::handleError);
}

SerialReception::~SerialReception()
{
    // Closing here would report to receivers that are already gone.
    m_port.blockSignals(true);
}

QString portErrorReason(QSerialPort::SerialPortError error, const QString& systemText)
{
    QString reason;
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        reason = u"nincs ilyen eszköz"_s;
        break;
    case QSerialPort::PermissionError:
        reason = u"nincs hozzáférési jog, vagy más program használja"_s;
        break;
    case QSerialPort::OpenError:
        reason = u"már meg van nyitva"_s;
        break;
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
        // The system's text is often left over from an earlier call here.
        return u"a port megszűnt vagy nem olvasható (kihúzták az USB-átalakítót?)"_s;
    case QSerialPort::UnsupportedOperationError:
        reason = u"a beállítást az eszköz nem támogatja"_s;
        break;
    default:
        return systemText;
    }
    return systemText.isEmpty() ? reason : reason + u" (" + systemText + u')';
}

QString SerialReception::errorText(const QString& what) const
{
    return what + u": "_s + m_settings.port + u" - "_s +
           portErrorReason(m_port.error(), m_port.errorString());
}

std::expected<void, QString> SerialReception::open()
{
    if (m_port.isOpen())
        return {};
    m_port.clearError();
    m_port.setPortName(systemPortName(m_settings.port));
    if (!m_port.open(QIODevice::ReadOnly))
        return std::unexpected(errorText(u"A soros port nem nyitható meg"_s));
    if (auto applied = applySettings(); !applied) {
        m_port.close();
        return applied;
    }
    Q_EMIT openChanged(true);
    return {};
}

std::expected<void, QString> SerialReception::applySettings()
{
    const SerialPortSettings& s = m_settings;
    if (!m_port.setBaudRate(s.baudRate) || !m_port.setDataBits(s.dataBits) ||
        !m_port.setStopBits(s.stopBits) || !m_port.setParity(s.parity) ||
        !m_port.setFlowControl(s.flowControl))
        return std::unexpected(errorText(u"A soros port nem állítható be"_s));
    // DTR on and RTS off as the PBX cable expects them; a line that the device
    // does not have (a pseudo-terminal has none) is no reason to refuse.
    m_port.setDataTerminalReady(true);
    if (s.flowControl != QSerialPort::HardwareControl)
        m_port.setRequestToSend(false);
    m_port.clearError();
    return {};
}

std::expected<void, QString> SerialReception::setSettings(const SerialPortSettings& settings)
{
    const bool newPort = settings.port != m_settings.port;
    m_settings = settings;
    if (!m_port.isOpen())
        return {};
    if (newPort) {
        close();
        return open();
    }
    if (auto applied = applySettings(); !applied) {
        close();
        return applied;
    }
    return {};
}

void SerialReception::close()
{
    if (!m_port.isOpen() || m_closing)
        return;
    m_closing = true;
    // What the port still holds was received: it goes on, not away.
    readReceived();
    m_port.close();
    m_closing = false;
    Q_EMIT openChanged(false);
}

void SerialReception::readReceived()
{
    QByteArray bytes = m_port.readAll();
    // Null characters are line noise, not text of a record.
    bytes.removeIf([](char c) { return c == '\0'; });
    if (!bytes.isEmpty())
        m_splitter.feed(cp1250::decode(bytes));
}

void SerialReception::handleError(QSerialPort::SerialPortError error)
{
    // A device that is gone gives a resource error, or (a hung-up terminal)
    // a read error at every attempt; either way nothing more can be received.
    const bool lost = error == QSerialPort::ResourceError || error == QSerialPort::ReadError;
    if (!lost || !m_port.isOpen() || m_closing)
        return;
    const QString message = errorText(u"A soros port megszakadt"_s);
    close();
    Q_EMIT portLost(message);
}
