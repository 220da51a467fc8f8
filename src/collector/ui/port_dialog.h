#pragma once

#include "core/serial_settings.h"

#include <QDialog>

class QComboBox;
class QLabel;
class TGomb;

// The serial port's settings: port, baud rate, data bits, stop bits, parity
// and flow control. "Rendben" is taken only with a port named and a baud rate
// that is a positive whole number.
class PortSettingsDialog : public QDialog {
    Q_OBJECT
public:
    // The devices offered come from devFolder (and the ports the system reports).
    explicit PortSettingsDialog(const SerialPortSettings& settings,
                                const QString& devFolder = QStringLiteral("/dev"), QWidget* parent = nullptr);

    // What the dialog shows now.
    SerialPortSettings settings() const;

    void done(int result) override;

    QComboBox* cbPort = nullptr;
    QLabel* lbPortInfo = nullptr;
    QComboBox* cbBaudRate = nullptr;
    QComboBox* cbDataBits = nullptr;
    QComboBox* cbStopBits = nullptr;
    QComboBox* cbParity = nullptr;
    QComboBox* cbFlowControl = nullptr;
    TGomb* gmRnb1 = nullptr;
    TGomb* gmMgs1 = nullptr;

private:
    void showPortInfo();
};
