#include "core/serial_settings.h"
#include "kalvix_window_fixture.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/port_dialog.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

// The serial port's settings dialog.
class TestPortDialog : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { prepareCollectorWindows(); }
    void init() { clearNextAnswers(); }

    void offersTheDevicesOfTheSystem()
    {
        TempFolder dev;
        for (const QString& name : {u"ttyS10"_s, u"ttyS2"_s, u"ttyS0"_s, u"ttyUSB1"_s, u"ttyUSB0"_s,
                                    u"ttyACM0"_s, u"sda"_s, u"tty1"_s})
            dev.write(name, QByteArray());
        QVERIFY(QDir(dev.path()).mkpath(u"serial/by-id"_s));
        dev.write(u"serial/by-id/usb-FTDI_FT232R-if00-port0"_s, QByteArray());
        const QString d = dev.path() + u'/';
        QCOMPARE(serialPortCandidates(dev.path(), {d + u"ttyUSB0"_s, u"/dev/ttyXR0"_s}),
                 (QStringList{d + u"serial/by-id/usb-FTDI_FT232R-if00-port0"_s, d + u"ttyUSB0"_s,
                              d + u"ttyUSB1"_s, d + u"ttyACM0"_s, d + u"ttyS0"_s, d + u"ttyS2"_s,
                              d + u"ttyS10"_s, u"/dev/ttyXR0"_s}));
        // A system without serial devices offers what the system reports.
        TempFolder empty;
        QCOMPARE(serialPortCandidates(empty.path(), {}), QStringList());
    }

    void showsAndReturnsTheSettings()
    {
        SerialPortSettings s;
        s.port = u"/dev/serial/by-id/usb-x"_s;
        s.baudRate = 19200;
        s.dataBits = QSerialPort::Data7;
        s.stopBits = QSerialPort::TwoStop;
        s.parity = QSerialPort::EvenParity;
        s.flowControl = QSerialPort::HardwareControl;
        TempFolder dev;
        PortSettingsDialog dialog(s, dev.path());
        QCOMPARE(dialog.cbPort->currentText(), s.port);
        QCOMPARE(dialog.cbBaudRate->currentText(), u"19200"_s);
        QCOMPARE(dialog.cbParity->currentText(), u"páros"_s);
        QCOMPARE(dialog.settings(), s);
    }

    // "Rendben" is refused while the port is empty or the baud rate is not a
    // positive whole number; the dialog stays open until they are right.
    void refusesWhatCannotOpenAPort()
    {
        TempFolder dev;
        PortSettingsDialog dialog(SerialPortSettings(), dev.path());
        QStringList seen;
        whenDialogActive([&](QWidget*) {
            dialog.cbPort->setFocus();
            pressKeyInFocus(Qt::Key_A, Qt::ControlModifier);
            pressKeyInFocus(Qt::Key_Backspace);
            setNextAnswer(mrOk);
            QTest::mouseClick(dialog.gmRnb1, Qt::LeftButton);
            seen += answeredTexts();
            QTest::keyClicks(dialog.cbPort, u"/dev/ttyUSB3"_s);
            dialog.cbBaudRate->setFocus();
            pressKeyInFocus(Qt::Key_A, Qt::ControlModifier);
            pressKeyInFocus(Qt::Key_Backspace);
            setNextAnswer(mrOk);
            QTest::mouseClick(dialog.gmRnb1, Qt::LeftButton);
            seen += answeredTexts();
            QTest::keyClicks(QApplication::focusWidget(), u"250000"_s);
            QTest::mouseClick(dialog.gmRnb1, Qt::LeftButton);
        });
        QCOMPARE(dialog.exec(), int(mrOk));
        QCOMPARE(seen, (QStringList{u"Adja meg a soros portot (például /dev/ttyUSB0)!"_s,
                                    u"Hibás adatsebesség! (pozitív egész szám, például 9600)"_s}));
        QCOMPARE(dialog.settings().port, u"/dev/ttyUSB3"_s);
        QCOMPARE(dialog.settings().baudRate, 250000);
    }
};

REGISTER_TEST(TestPortDialog)
#include "test_port_dialog.moc"
