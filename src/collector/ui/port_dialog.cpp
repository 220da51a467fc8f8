#include "ui/port_dialog.h"

#include "core/messages.h"
#include "ui/buttons.h"
#include "ui/plain_forms.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QSerialPortInfo>
#include <QVBoxLayout>

using namespace Qt::StringLiterals;

namespace {

template <typename T> using Choices = QList<std::pair<T, QString>>;

const Choices<QSerialPort::DataBits> kDataBits = {{QSerialPort::Data5, u"5"_s},
                                                  {QSerialPort::Data6, u"6"_s},
                                                  {QSerialPort::Data7, u"7"_s},
                                                  {QSerialPort::Data8, u"8"_s}};
const Choices<QSerialPort::StopBits> kStopBits = {
    {QSerialPort::OneStop, u"1"_s}, {QSerialPort::OneAndHalfStop, u"1,5"_s}, {QSerialPort::TwoStop, u"2"_s}};
const Choices<QSerialPort::Parity> kParity = {{QSerialPort::NoParity, u"nincs"_s},
                                              {QSerialPort::OddParity, u"páratlan"_s},
                                              {QSerialPort::EvenParity, u"páros"_s},
                                              {QSerialPort::MarkParity, u"mindig 1 (mark)"_s},
                                              {QSerialPort::SpaceParity, u"mindig 0 (space)"_s}};
const Choices<QSerialPort::FlowControl> kFlowControl = {
    {QSerialPort::NoFlowControl, u"nincs"_s},
    {QSerialPort::HardwareControl, u"hardveres (RTS/CTS)"_s},
    {QSerialPort::SoftwareControl, u"szoftveres (XON/XOFF)"_s}};

template <typename T> QComboBox* choiceBox(const Choices<T>& choices, T current, QWidget* parent)
{
    auto* box = new QComboBox(parent);
    for (const auto& [value, text] : choices) {
        box->addItem(text, QVariant::fromValue(int(value)));
        if (value == current)
            box->setCurrentIndex(box->count() - 1);
    }
    return box;
}

template <typename T> T chosen(const QComboBox* box)
{
    return T(box->currentData().toInt());
}

QStringList systemPorts()
{
    QStringList ports;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        ports.append(info.systemLocation());
    return ports;
}

} // namespace

PortSettingsDialog::PortSettingsDialog(const SerialPortSettings& s, const QString& devFolder, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint | Qt::CustomizeWindowHint)
{
    setObjectName(u"dlPort"_s);
    setWindowTitle(u" Soros port beállítása"_s);
    setFont(plainFormFont());

    cbPort = new QComboBox(this);
    cbPort->setObjectName(u"cbPort"_s);
    cbPort->setEditable(true);
    cbPort->setInsertPolicy(QComboBox::NoInsert);
    cbPort->addItems(serialPortCandidates(devFolder, systemPorts()));
    cbPort->setEditText(s.port);
    cbPort->setMinimumWidth(320);
    lbPortInfo = new QLabel(this);
    lbPortInfo->setObjectName(u"lbPortInfo"_s);
    connect(cbPort, &QComboBox::editTextChanged, this, &PortSettingsDialog::showPortInfo);

    cbBaudRate = new QComboBox(this);
    cbBaudRate->setObjectName(u"cbBaudRate"_s);
    cbBaudRate->setEditable(true);
    cbBaudRate->setInsertPolicy(QComboBox::NoInsert);
    for (qint32 rate : standardBaudRates())
        cbBaudRate->addItem(QString::number(rate));
    cbBaudRate->setValidator(new QIntValidator(1, std::numeric_limits<qint32>::max(), cbBaudRate));
    cbBaudRate->setEditText(QString::number(s.baudRate));

    cbDataBits = choiceBox(kDataBits, s.dataBits, this);
    cbDataBits->setObjectName(u"cbDataBits"_s);
    cbStopBits = choiceBox(kStopBits, s.stopBits, this);
    cbStopBits->setObjectName(u"cbStopBits"_s);
    cbParity = choiceBox(kParity, s.parity, this);
    cbParity->setObjectName(u"cbParity"_s);
    cbFlowControl = choiceBox(kFlowControl, s.flowControl, this);
    cbFlowControl->setObjectName(u"cbFlowControl"_s);

    auto* fields = new QFormLayout;
    fields->addRow(u"Port:"_s, cbPort);
    fields->addRow(QString(), lbPortInfo);
    fields->addRow(u"Sebesség (baud):"_s, cbBaudRate);
    fields->addRow(u"Adatbitek:"_s, cbDataBits);
    fields->addRow(u"Stopbitek:"_s, cbStopBits);
    fields->addRow(u"Paritás:"_s, cbParity);
    fields->addRow(u"Forgalomvezérlés:"_s, cbFlowControl);

    gmRnb1 = new TgmRnb(this);
    gmRnb1->setObjectName(u"gmRnb1"_s);
    gmMgs1 = new TgmMgs(this);
    gmMgs1->setObjectName(u"gmMgs1"_s);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(gmRnb1);
    buttons->addWidget(gmMgs1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addSpacing(8);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    gmRnb1->setDefault(true);
    cbPort->setFocus();
    showPortInfo();
}

SerialPortSettings PortSettingsDialog::settings() const
{
    SerialPortSettings s;
    s.port = cbPort->currentText().trimmed();
    s.baudRate = baudRateOf(cbBaudRate->currentText()).value_or(0);
    s.dataBits = chosen<QSerialPort::DataBits>(cbDataBits);
    s.stopBits = chosen<QSerialPort::StopBits>(cbStopBits);
    s.parity = chosen<QSerialPort::Parity>(cbParity);
    s.flowControl = chosen<QSerialPort::FlowControl>(cbFlowControl);
    return s;
}

void PortSettingsDialog::done(int result)
{
    if (result == mrOk) {
        if (cbPort->currentText().trimmed().isEmpty()) {
            ShowPlainMessage(u"Adja meg a soros portot (például /dev/ttyUSB0)!"_s);
            cbPort->setFocus();
            return;
        }
        if (!baudRateOf(cbBaudRate->currentText())) {
            ShowPlainMessage(u"Hibás adatsebesség! (pozitív egész szám, például 9600)"_s);
            cbBaudRate->setFocus();
            return;
        }
    }
    QDialog::done(result);
}

void PortSettingsDialog::showPortInfo()
{
    // What the system knows of the device: the adapter's name helps to pick
    // the right one among several.
    QString device = systemPortName(cbPort->currentText().trimmed());
    if (!device.isEmpty() && !device.startsWith(u'/'))
        device = u"/dev/"_s + device;
    device = QFileInfo(device).canonicalFilePath();
    QStringList info;
    for (const QSerialPortInfo& port : QSerialPortInfo::availablePorts()) {
        if (device.isEmpty() || port.systemLocation() != device)
            continue;
        for (const QString& part : {port.description(), port.manufacturer()}) {
            if (!part.isEmpty() && !info.contains(part))
                info.append(part);
        }
        break;
    }
    lbPortInfo->setText(info.join(u", "_s));
    lbPortInfo->setVisible(!info.isEmpty());
}
