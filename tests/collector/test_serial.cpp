#include "core/collector_program.h"
#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/serial_reception.h"
#include "core/serial_settings.h"
#include "pbx_simulator.h"
#include "pseudo_terminal.h"
#include "recording_reporter.h"
#include "recording_view.h"
#include "temp_folder.h"
#include "test_main.h"

#include <QSignalSpy>
#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(SerialPortSettings)

namespace {

// Settings file text as its bytes.
QByteArray iniBytes(const QString& text)
{
    return cp1250::encode(text);
}

SerialPortSettings portSettings(const QString& port, qint32 baud, QSerialPort::DataBits data,
                                QSerialPort::StopBits stop, QSerialPort::Parity parity,
                                QSerialPort::FlowControl flow)
{
    return {port, baud, data, stop, parity, flow};
}

#define REQUIRE_SOCAT()                                                                                      \
    if (!PseudoTerminalPair::available())                                                                    \
    QSKIP("socat is not installed")

} // namespace

class TestSerialSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void storedForms_data()
    {
        QTest::addColumn<SerialPortSettings>("settings");
        QTest::addColumn<QStringList>(
            "stored"); // Port BaudRate StopBits DataBits Parity FlowControl CustomBaudRate
        QTest::newRow("defaults") << SerialPortSettings()
                                  << QStringList{u"ttyS0"_s, u"9600"_s, u"1"_s,   u"8"_s,
                                                 u"None"_s,  u"None"_s, QString()};
        QTest::newRow("7E2 hardware")
            << portSettings(u"ttyUSB0"_s, 115200, QSerialPort::Data7, QSerialPort::TwoStop,
                            QSerialPort::EvenParity, QSerialPort::HardwareControl)
            << QStringList{u"ttyUSB0"_s, u"115200"_s, u"2"_s, u"7"_s, u"Even"_s, u"Hardware"_s, QString()};
        QTest::newRow("custom rate, mark, 1.5 stop bits, software")
            << portSettings(u"/dev/serial/by-id/usb-FTDI_1-if00-port0"_s, 250000, QSerialPort::Data5,
                            QSerialPort::OneAndHalfStop, QSerialPort::MarkParity,
                            QSerialPort::SoftwareControl)
            << QStringList{u"/dev/serial/by-id/usb-FTDI_1-if00-port0"_s,
                           u"Custom"_s,
                           u"1.5"_s,
                           u"5"_s,
                           u"Mark"_s,
                           u"Software"_s,
                           u"250000"_s};
        QTest::newRow("odd, space") << portSettings(u"ttyS1"_s, 1200, QSerialPort::Data6,
                                                    QSerialPort::OneStop, QSerialPort::OddParity,
                                                    QSerialPort::NoFlowControl)
                                    << QStringList{u"ttyS1"_s, u"1200"_s, u"1"_s,   u"6"_s,
                                                   u"Odd"_s,   u"None"_s, QString()};
    }
    void storedForms()
    {
        QFETCH(SerialPortSettings, settings);
        QFETCH(QStringList, stored);
        TempFolder folder;
        IniFile ini(folder.file(u"Kalvix.ini"_s));
        QVERIFY(storePortSettings(ini, settings));
        const QStringList keys = {u"Port"_s,   u"BaudRate"_s,    u"StopBits"_s,      u"DataBits"_s,
                                  u"Parity"_s, u"FlowControl"_s, u"CustomBaudRate"_s};
        QStringList read;
        for (const QString& key : keys)
            read.append(ini.readString(u"SP2"_s, key));
        QCOMPARE(read, stored);
        QCOMPARE(loadPortSettings(ini), settings);
    }

    void readsWhatOtherVersionsWrote_data()
    {
        QTest::addColumn<QString>("section");
        QTest::addColumn<SerialPortSettings>("settings");
        QTest::newRow("letter case ignored")
            << u"Port=COM2\r\nBaudRate=19200\r\nStopBits=2\r\nDataBits=7\r\nParity=even\r\nFlowControl=HARDWARE"_s
            << portSettings(u"COM2"_s, 19200, QSerialPort::Data7, QSerialPort::TwoStop,
                            QSerialPort::EvenParity, QSerialPort::HardwareControl);
        QTest::newRow("custom rate") << u"BaudRate=Custom\r\nCustomBaudRate=31250"_s
                                     << portSettings(u"ttyS0"_s, 31250, QSerialPort::Data8,
                                                     QSerialPort::OneStop, QSerialPort::NoParity,
                                                     QSerialPort::NoFlowControl);
        QTest::newRow("unreadable values keep the defaults")
            << u"BaudRate=fast\r\nStopBits=3\r\nDataBits=9\r\nParity=?\r\nFlowControl=Custom"_s
            << SerialPortSettings();
        QTest::newRow("custom without its rate") << u"BaudRate=Custom"_s << SerialPortSettings();
    }
    void readsWhatOtherVersionsWrote()
    {
        QFETCH(QString, section);
        QFETCH(SerialPortSettings, settings);
        TempFolder folder;
        folder.write(u"Kalvix.ini"_s, iniBytes(u"[SP2]\r\n"_s + section + u"\r\n"_s));
        QCOMPARE(loadPortSettings(IniFile(folder.file(u"Kalvix.ini"_s))), settings);
    }

    void systemPortNames_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("opened");
        QTest::newRow("COM1") << u"COM1"_s << u"ttyS0"_s;
        QTest::newRow("com12") << u"com12"_s << u"ttyS11"_s;
        QTest::newRow("USB adapter") << u"ttyUSB0"_s << u"ttyUSB0"_s;
        QTest::newRow("path") << u"/dev/serial/by-id/x"_s << u"/dev/serial/by-id/x"_s;
        QTest::newRow("COM0 is no port number") << u"COM0"_s << u"COM0"_s;
    }
    void systemPortNames()
    {
        QFETCH(QString, stored);
        QFETCH(QString, opened);
        QCOMPARE(systemPortName(stored), opened);
    }
};

class TestSerialReception : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void receivesPiecesThroughThePort()
    {
        REQUIRE_SOCAT();
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        SerialReception reception;
        reception.splitter().setStopString(u"\r\n"_s);
        QSignalSpy packets(&reception.splitter(), &LineSplitter::packet);
        SerialPortSettings settings;
        settings.port = line.collectorEnd;
        QVERIFY(reception.setSettings(settings));
        QVERIFY(reception.open());
        PbxSimulator pbx(line.pbxEnd);
        QVERIFY(pbx.isOpen());
        pbx.send("first li");
        pbx.send(QByteArray("ne \x81 \xE1\r\nsecond") + '\0' + QByteArray(" line\r\n"));
        QTRY_COMPARE(packets.size(), 2);
        QCOMPARE(packets[0][0].toString(), u"first line \u0081 á\r\n"_s);
        // Null characters are dropped.
        QCOMPARE(packets[1][0].toString(), u"second line\r\n"_s);
    }

    // The far end vanishes: reported once, the port closed, what came before kept.
    void lostPortIsReportedOnceAndKeepsWhatCame()
    {
        REQUIRE_SOCAT();
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        SerialReception reception;
        reception.splitter().setStopString(u"\r\n"_s);
        SerialPortSettings settings;
        settings.port = line.collectorEnd;
        QVERIFY(reception.setSettings(settings));
        QSignalSpy lost(&reception, &SerialReception::portLost);
        QSignalSpy changed(&reception, &SerialReception::openChanged);
        QVERIFY(reception.open());
        {
            PbxSimulator pbx(line.pbxEnd);
            pbx.send("a line\r\nhalf a li");
        }
        QTRY_COMPARE(reception.splitter().gathered(), u"half a li"_s);
        line.stop();
        QTRY_COMPARE(lost.size(), 1);
        QVERIFY(!reception.isOpen());
        QVERIFY(lost[0][0].toString().startsWith(u"A soros port megszakadt: "_s + line.collectorEnd +
                                                 u" - a port megszűnt vagy nem olvasható"_s));
        QTest::qWait(200);
        QCOMPARE(lost.size(), 1);
        QCOMPARE(changed.size(), 2);
        QCOMPARE(reception.splitter().gathered(), u"half a li"_s);

        // The line back: opening again continues the gathered text.
        QVERIFY(line.start());
        QVERIFY(reception.open());
        PbxSimulator pbx(line.pbxEnd);
        QSignalSpy packets(&reception.splitter(), &LineSplitter::packet);
        pbx.send("ne\r\n");
        QTRY_COMPARE(packets.size(), 1);
        QCOMPARE(packets[0][0].toString(), u"half a line\r\n"_s);
    }

    // Without a window the collector opens the port again by itself and says so.
    void continuousReceptionReopensALostPort()
    {
        REQUIRE_SOCAT();
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        folder.write(u"Kalvix.ini"_s, iniBytes(u"[OTHER]\r\nKIND=1-002-01\r\n[SP2]\r\nPort="_s +
                                               line.collectorEnd + u"\r\n"_s));
        RecordingReporter reporter;
        RecordingView view;
        CollectorProgram program(folder.path(), view, {CollectorProgram::Reception::Continuous, 1, {}});
        QSignalSpy status(&program, &CollectorProgram::status);
        QVERIFY(program.FormCreate());
        QVERIFY(program.isReceiving());
        QCOMPARE(status.size(), 1);
        line.stop();
        QTRY_VERIFY(!program.isReceiving());
        QCOMPARE(reporter.messages.size(), 1);
        QVERIFY(reporter.messages[0].text.contains(
            u"A program 1 másodpercenként újra megpróbálja megnyitni a portot."_s));
        QVERIFY(line.start());
        QTRY_VERIFY_WITH_TIMEOUT(program.isReceiving(), 10000);
        QCOMPARE(status.size(), 2);
        QCOMPARE(reporter.messages.size(), 1);
        PbxSimulator pbx(line.pbxEnd);
        pbx.send("23/05/25  9:05PM 201  01 06301234567          00:02'25\r\n");
        QTRY_COMPARE(view.records.size(), 1);
        QVERIFY(program.FormDestroy());
        QCOMPARE(IniFile(folder.file(u"Kalvix.ini"_s)).readString(u"OTHER"_s, u"RUN"_s), u"1"_s);
    }

    // START and STOP switch the port and store the switch; a restart resumes.
    void runSwitchIsRemembered()
    {
        REQUIRE_SOCAT();
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        folder.write(u"Kalvix.ini"_s, iniBytes(u"[OTHER]\r\nKIND=1-002-01\r\nMSG1=0\r\n[SP2]\r\nPort="_s +
                                               line.collectorEnd + u"\r\n"_s));
        const IniFile ini(folder.file(u"Kalvix.ini"_s));
        RecordingReporter reporter;
        RecordingView view;
        auto program = std::make_unique<CollectorProgram>(folder.path(), view);
        QSignalSpy changed(program.get(), &CollectorProgram::receptionChanged);
        QVERIFY(program->FormCreate());
        QVERIFY(!program->isReceiving());
        QVERIFY(program->switchReception(true));
        QCOMPARE(ini.readString(u"OTHER"_s, u"RUN"_s), u"1"_s);
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed[0][0].toBool(), true);
        program.reset(); // the end stores the switch as it is
        QCOMPARE(ini.readString(u"OTHER"_s, u"RUN"_s), u"1"_s);

        program = std::make_unique<CollectorProgram>(folder.path(), view);
        QVERIFY(program->FormCreate());
        QVERIFY(program->isReceiving());
        program->AfterCreate();
        QVERIFY(reporter.messages.isEmpty());
        QVERIFY(program->switchReception(false));
        QCOMPARE(ini.readString(u"OTHER"_s, u"RUN"_s), u"0"_s);

        // A port lost while running: reported once, stopped; the end stores 0.
        QVERIFY(program->switchReception(true));
        line.stop();
        QTRY_VERIFY(!program->isReceiving());
        QCOMPARE(reporter.messages.size(), 1);
        QVERIFY(reporter.messages[0].text.endsWith(u"Az újraindításhoz nyomja meg a START gombot."_s));
        QCOMPARE(ini.readString(u"OTHER"_s, u"RUN"_s), u"1"_s);
        program.reset();
        QCOMPARE(ini.readString(u"OTHER"_s, u"RUN"_s), u"0"_s);
    }
};

REGISTER_TEST(TestSerialSettings)
REGISTER_TEST(TestSerialReception)
#include "test_serial.moc"
