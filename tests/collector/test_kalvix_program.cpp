#include "cli/kalvix_cli.h"
#include "core/administrator.h"
#include "core/collector_settings.h"
#include "core/cp1250.h"
#include "core/ini_file.h"
#include "pbx_simulator.h"
#include "pseudo_terminal.h"
#include "temp_folder.h"
#include "test_main.h"

#include <QProcess>
#include <QTest>

#include <csignal>

using namespace Qt::StringLiterals;

namespace {

// Settings file text as its bytes.
QByteArray iniBytes(const QString& text)
{
    return cp1250::encode(text);
}

const QString kKalvix = QStringLiteral(KALVIX_BINARY);

// A record as a PBX with the configured default layout prints it.
QByteArray pbxRecord(const char* date, const char* time, const char* extension, const char* trunk,
                     const char* number, const char* duration)
{
    return QByteArray(date) + ' ' + QByteArray(time) + ' ' + QByteArray(extension).leftJustified(4) + ' ' +
           QByteArray(trunk) + ' ' + QByteArray(number).leftJustified(20) + ' ' + QByteArray(duration);
}

// The collector's 80-column line.
QString recordLine(const QString& date, const QString& time, const QString& extension, const QString& trunk,
                   const QString& number, const QString& duration, const QString& account = u"...."_s)
{
    return date + u"  "_s + time + u' ' + extension.leftJustified(4) + u' ' + trunk + u' ' +
           number.leftJustified(36) + u"  "_s + duration + u"\" "_s + account.leftJustified(4) + u"  "_s;
}

QStringList fileLines(const TempFolder& folder, const QString& name)
{
    return cp1250::decode(folder.read(name)).split(u"\r\n"_s, Qt::SkipEmptyParts);
}

// Kalvix without a window, receiving on the collector's end of the line.
class HeadlessKalvix {
public:
    explicit HeadlessKalvix(const QString& folder) : m_folder(folder)
    {
        m_process.setProgram(kKalvix);
        endWithTheTest(m_process);
    }
    ~HeadlessKalvix()
    {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }
    bool start()
    {
        m_process.setArguments({u"--headless"_s, u"--folder"_s, m_folder, u"--retry"_s, u"1"_s});
        m_process.start();
        return m_process.waitForStarted() &&
               QTest::qWaitFor([&] { return readErrors().contains(u"A soros port nyitva: "_s); }, 15000);
    }
    // Waits until standard output holds lines lines.
    bool waitForOutput(qsizetype lines)
    {
        return QTest::qWaitFor([&] { return output().size() >= lines; }, 15000);
    }
    QStringList output()
    {
        m_out += QString::fromUtf8(m_process.readAllStandardOutput());
        return m_out.split(u'\n', Qt::SkipEmptyParts);
    }
    QString readErrors()
    {
        m_err += QString::fromUtf8(m_process.readAllStandardError());
        return m_err;
    }
    // Sends a signal and waits for the end; the exit code.
    int stop(int signal)
    {
        ::kill(pid_t(m_process.processId()), signal);
        if (!m_process.waitForFinished(15000))
            return -1;
        output();
        readErrors();
        return m_process.exitStatus() == QProcess::NormalExit ? m_process.exitCode() : -1;
    }

private:
    QProcess m_process;
    QString m_folder;
    QString m_out;
    QString m_err;
};

void writeSettings(const TempFolder& folder, const QString& port)
{
    folder.write(u"Kalvix.ini"_s,
                 iniBytes(u"[OTHER]\r\nKIND=1-999-01\r\nRUN=0\r\nMSG1=0\r\n[SP2]\r\nPort="_s + port +
                          u"\r\nBaudRate=9600\r\n"_s));
}

struct InstallRun {
    int exitCode;
    QString errors;
};

InstallRun install(const QStringList& arguments, const QByteArray& input = QByteArray())
{
    QProcess process;
    process.start(kKalvix, QStringList{u"--install"_s} + arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(15000);
    return {process.exitCode(), QString::fromUtf8(process.readAllStandardError())};
}

} // namespace

// Kalvix as a service: the real program on a real (pseudo) serial line, fed
// by a PBX that sends its records in chunks; stopped by a signal.
class TestHeadless : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (!PseudoTerminalPair::available())
            QSKIP("socat is not installed");
    }

    void collectsADayChangeBadRecordsAndNoise()
    {
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        writeSettings(folder, line.collectorEnd);
        HeadlessKalvix kalvix(folder.path());
        QVERIFY2(kalvix.start(), qPrintable(kalvix.readErrors()));

        const QByteArray crlf = "\r\n";
        const QByteArray a = pbxRecord("22/05/25", "08:02am", "201", "01", "0612345678", "00:01'12") + crlf;
        const QByteArray b =
            pbxRecord("22/05/25", "09:15am", "*415", "01", "0036209876543", "00:12'03") + crlf;
        const QByteArray c = pbxRecord("22/05/25", "12:05pm", "201", "02", "<0614445566>", "00:02'40") + crlf;
        const QByteArray bad1 =
            pbxRecord("32/05/25", "10:41am", "203", "01", "0612223344", "00:03'05") + crlf;
        const QByteArray bad2 =
            pbxRecord("22/05/25", "13:05pm", "205", "01", "004930123456", "00:21'17") + crlf;
        const QByteArray d = pbxRecord("23/05/25", "07:58am", "203", "01", "0612223344", "00:03'05") + crlf;
        const QByteArray noise = QByteArray(1100, '#') + crlf;
        const QByteArray e = pbxRecord("23/05/25", "11:20am", "205", "01", "004930123456", "00:21'17") + crlf;
        const QByteArray badDate =
            pbxRecord("30/02/25", "02:33pm", "207", "02", "0670555111", "00:06'44") + crlf;
        PbxSimulator pbx(line.pbxEnd);
        QVERIFY(pbx.isOpen());
        pbx.sendChunks({
            a.left(20),           // a line split over chunks
            a.mid(20) + b + c,    // its end and two more lines in one chunk
            bad1 + bad2.left(30), // bad records
            bad2.mid(30),
            d.left(5),
            d.mid(5), // the next day
            noise.left(600),
            noise.mid(600, 500), // 1100 characters without a line end
            noise.mid(1100),     // then the line end
            e + badDate,
        });

        const QStringList noiseDefects = {
            u"hiba: Dátumban (########) nincs tagoló: /"_s,
            u"hiba: Dátumban (########) csak egy tagoló van: /"_s,
            u"hiba: Dátumban (########) az év több, mint 4 karakter: ########"_s,
            u"hiba: Dátumban (########) a hó, nem 1..12 között van: 00"_s,
            u"hiba: Dátumban (########) a nap, nem 1..31 között van: 00"_s,
            u"hiba: Időpontban (#######) nincs tagoló: :"_s,
            u"hiba: 12 órás időpontban (#######) az óra hibás: ##"_s,
            u"hiba: 12 órás időpontban (#######) hiányzó DE/DU jelölő: am/pm"_s,
            u"hiba: Időpontban (#######) a perc hibás: ##"_s,
            u"hiba: Tartamban (########) nincs perc tagoló: :"_s,
            u"hiba: Tartamban (########) nincs m.perc tagoló: '"_s,
            u"hiba: Tartamban (########) a m.perc több, mint 2 karakter: ########"_s,
            u"hiba: Tartamban (########) a perc hibás: ########"_s,
        };
        const QString lineA =
            recordLine(u"05/22/25"_s, u"08:02DE"_s, u"201"_s, u"01"_s, u"0612345678"_s, u"00:01'12"_s);
        const QString lineB = recordLine(u"05/22/25"_s, u"09:15DE"_s, u"X415"_s, u"01"_s, u"0036209876543"_s,
                                         u"00:12'03"_s, u"415"_s);
        const QString lineC =
            recordLine(u"05/22/25"_s, u"12:05DU"_s, u"201"_s, u"02"_s, u"<0614445566>"_s, u"00:02'40"_s);
        const QString lineD =
            recordLine(u"05/23/25"_s, u"07:58DE"_s, u"203"_s, u"01"_s, u"0612223344"_s, u"00:03'05"_s);
        const QString lineE =
            recordLine(u"05/23/25"_s, u"11:20DE"_s, u"205"_s, u"01"_s, u"004930123456"_s, u"00:21'17"_s);
        const auto shown = [](const QString& recordLine) -> QString {
            return u"hívás: 20"_s + recordLine.mid(6, 2) + u'.' + recordLine.left(2) + u'.' +
                   recordLine.mid(3, 2) + recordLine.mid(8, 66);
        };
        const QStringList expectedOutput =
            QStringList{shown(lineA),
                        shown(lineB),
                        shown(lineC),
                        u"hiba: Dátumban (32/05/25) a nap, nem 1..31 között van: 32"_s,
                        u"hiba: 12 órás időpontban (13:05PM) az óra hibás: 13"_s,
                        shown(lineD)} +
            noiseDefects + QStringList{shown(lineE)};
        QVERIFY2(kalvix.waitForOutput(expectedOutput.size()), qPrintable(kalvix.output().join(u'\n')));
        QCOMPARE(kalvix.stop(SIGTERM), 0);
        QCOMPARE(kalvix.output(), expectedOutput);
        QVERIFY(kalvix.readErrors().contains(u"Kalvix leállt, a hívásfájlok lezárva."_s));

        QCOMPARE(folder.names(),
                 (QStringList{u"D052225A.txt"_s, u"D052325A.txt"_s, u"KVdata.txt"_s, u"KVerrs.txt"_s,
                              u"Kalvix.ini"_s, u"collector-end"_s, u"pbx-end"_s}));
        QCOMPARE(fileLines(folder, u"D052225A.txt"_s), (QStringList{lineA, lineB, lineC}));
        QCOMPARE(fileLines(folder, u"D052325A.txt"_s), (QStringList{lineD, lineE}));
        QCOMPARE(folder.read(u"KVdata.txt"_s), QByteArray());
        QCOMPARE(
            fileLines(folder, u"KVerrs.txt"_s),
            (QStringList{
                recordLine(u"05/32/25"_s, u"10:41DE"_s, u"203"_s, u"01"_s, u"0612223344"_s, u"00:03'05"_s),
                recordLine(u"05/22/25"_s, u"13:05DU"_s, u"205"_s, u"01"_s, u"004930123456"_s, u"00:21'17"_s),
                u"00/00/########  ##:##?? #### ## "_s + QString(20, u'#').leftJustified(36) +
                    u"  00:00'########\" ....  "_s,
                recordLine(u"02/30/25"_s, u"02:33DU"_s, u"207"_s, u"02"_s, u"0670555111"_s, u"00:06'44"_s),
            }));
        QCOMPARE(lineA.size(), 80);
        QCOMPARE(IniFile(folder.file(u"Kalvix.ini"_s)).readString(u"OTHER"_s, u"RUN"_s), u"1"_s);
    }

    // A record whose line end arrives through discarded data goes to the
    // error log as a good record and closes into an "E" file at the end.
    void discardedDataKeepsItsRecords()
    {
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        writeSettings(folder, line.collectorEnd);
        HeadlessKalvix kalvix(folder.path());
        QVERIFY2(kalvix.start(), qPrintable(kalvix.readErrors()));

        const QByteArray g = pbxRecord("24/05/25", "08:00am", "211", "01", "0611111111", "00:00'30");
        const QByteArray h = pbxRecord("24/05/25", "08:01am", "212", "01", "0622222222", "00:00'31");
        PbxSimulator pbx(line.pbxEnd);
        pbx.sendChunks({
            g + QByteArray(1023 - g.size(), '.') + "\r", // 1024 characters: discarded
            "\n" + h + QByteArray(1023 - h.size(), '.'), // completes the first line: discarded again
            "\r\n",                                      // ends the second
        });
        const QString lineG =
            recordLine(u"05/24/25"_s, u"08:00DE"_s, u"211"_s, u"01"_s, u"0611111111"_s, u"00:00'30"_s);
        const QString lineH =
            recordLine(u"05/24/25"_s, u"08:01DE"_s, u"212"_s, u"01"_s, u"0622222222"_s, u"00:00'31"_s);
        QVERIFY2(kalvix.waitForOutput(2), qPrintable(kalvix.output().join(u'\n')));
        QCOMPARE(kalvix.stop(SIGINT), 0);
        QCOMPARE(kalvix.output().size(), 2);
        QCOMPARE(fileLines(folder, u"E052425A.txt"_s), QStringList{lineG});
        QCOMPARE(fileLines(folder, u"D052425A.txt"_s), QStringList{lineH});
        QCOMPARE(folder.read(u"KVerrs.txt"_s), QByteArray());
        QCOMPARE(folder.read(u"KVdata.txt"_s), QByteArray());
    }

    // A pulled adapter: reported, tried again until it is back, nothing lost.
    void lostLineIsOpenedAgain()
    {
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        writeSettings(folder, line.collectorEnd);
        HeadlessKalvix kalvix(folder.path());
        QVERIFY2(kalvix.start(), qPrintable(kalvix.readErrors()));
        {
            PbxSimulator pbx(line.pbxEnd);
            pbx.send(pbxRecord("22/05/25", "08:02am", "201", "01", "0612345678", "00:01'12") + "\r\n" +
                     QByteArray("22/05/25 08:0"));
        }
        QVERIFY(kalvix.waitForOutput(1));
        line.stop();
        QVERIFY(QTest::qWaitFor([&] { return kalvix.readErrors().contains(u"újra megpróbálja"_s); }, 15000));
        QVERIFY(line.start());
        QVERIFY(QTest::qWaitFor([&] { return kalvix.readErrors().count(u"A soros port nyitva: "_s) == 2; },
                                15000));
        PbxSimulator pbx(line.pbxEnd);
        pbx.send("3am 201  01 0612345678           00:01'13\r\n");
        QVERIFY(kalvix.waitForOutput(2));
        QCOMPARE(kalvix.stop(SIGTERM), 0);
        QCOMPARE(fileLines(folder, u"D052225A.txt"_s).size(), 2);
        QCOMPARE(kalvix.readErrors().count(u"megszakadt"_s), 1);
    }
};

// Creating the settings file for a new installation.
class TestInstall : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void fromOptions()
    {
        TempFolder folder;
        const QString target = folder.path() + u"/new/kalvix"_s;
        const InstallRun run =
            install({u"--folder"_s, target, u"--admin"_s, u"anna"_s, u"--password"_s, u"titkos"_s,
                     u"--type"_s, u"1-002-01"_s, u"--port"_s, u"ttyUSB0"_s, u"--baud"_s, u"19200"_s});
        QCOMPARE(run.exitCode, 0);
        const IniFile ini(target + u"/Kalvix.ini"_s);
        QVERIFY(!administratorFileProblem(ini));
        QVERIFY(!checkAdministrator(ini, u"anna"_s, u"titkos"_s));
        QCOMPARE(ini.readString(u"OTHER"_s, u"KIND"_s), u"1-002-01"_s);
        QCOMPARE(ini.readString(u"SP2"_s, u"Port"_s), u"ttyUSB0"_s);
        QCOMPARE(ini.readString(u"SP2"_s, u"BaudRate"_s), u"19200"_s);
        QCOMPARE(QDir(target).entryList(QDir::Files), QStringList{u"Kalvix.ini"_s});
    }

    void fromStandardInput_data()
    {
        QTest::addColumn<QByteArray>("input");
        QTest::addColumn<QString>("refusal"); // empty: created
        QTest::newRow("name and password twice") << QByteArray("Kovács Béla\nŐszi25\nŐszi25\n") << QString();
        QTest::newRow("passwords differ")
            << QByteArray("anna\nabc\nabd\n") << u"A kétszer megadott jelszó nem azonos!"_s;
        QTest::newRow("empty name") << QByteArray("\nabc\nabc\n") << u"1. azonosító nem törölhető!"_s;
        QTest::newRow("placeholder name")
            << QByteArray("Nincs megadva\nabc\nabc\n") << u"Ezt nem adhatja azonosítónak!"_s;
        QTest::newRow("too long") << QByteArray("anna\n0123456789abcdef\n0123456789abcdef\n")
                                  << u"Az azonosító és a jelszó legfeljebb 15 karakter lehet!"_s;
        QTest::newRow("input ends early")
            << QByteArray("anna\n") << u"Nincs megadva a rendszergazda azonosítója és jelszava."_s;
    }
    void fromStandardInput()
    {
        QFETCH(QByteArray, input);
        QFETCH(QString, refusal);
        TempFolder folder;
        const InstallRun run = install({u"--folder"_s, folder.path()}, input);
        QCOMPARE(run.exitCode, refusal.isEmpty() ? 0 : 1);
        if (!refusal.isEmpty()) {
            QVERIFY2(run.errors.contains(refusal), qPrintable(run.errors));
            QCOMPARE(folder.names(), QStringList());
            return;
        }
        const IniFile ini(folder.file(u"Kalvix.ini"_s));
        QCOMPARE(administratorName(ini, 1), u"Kovács Béla"_s);
        QVERIFY(!checkAdministrator(ini, u"Kovács Béla"_s, u"Őszi25"_s));
    }

    void neverOverwritesSettings()
    {
        TempFolder folder;
        folder.write(u"Kalvix.ini"_s, "[OTHER]\r\nKIND=1-002-01\r\n");
        const InstallRun run =
            install({u"--folder"_s, folder.path(), u"--admin"_s, u"a"_s, u"--password"_s, u"b"_s});
        QCOMPARE(run.exitCode, 1);
        QVERIFY(run.errors.contains(u"A Kalvix.ini már létezik"_s));
        QCOMPARE(folder.read(u"Kalvix.ini"_s), QByteArray("[OTHER]\r\nKIND=1-002-01\r\n"));
    }
};

class TestCommandLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void modes_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("mode"); // -1: refused
        QTest::addColumn<QString>("error");
        using Mode = KalvixCommand::Mode;
        QTest::newRow("window") << QStringList() << int(Mode::Window) << QString();
        QTest::newRow("headless") << QStringList{u"--headless"_s, u"--folder"_s, u"/srv/kalvix"_s}
                                  << int(Mode::Headless) << QString();
        QTest::newRow("feed") << QStringList{u"--feed"_s, u"x.txt"_s} << int(Mode::Feed) << QString();
        QTest::newRow("install") << QStringList{u"--install"_s, u"--type"_s, u"1-999-02"_s}
                                 << int(Mode::Install) << QString();
        QTest::newRow("help") << QStringList{u"--help"_s} << int(Mode::Help) << QString();
        QTest::newRow("two modes") << QStringList{u"--headless"_s, u"--install"_s} << -1
                                   << u"A --headless, --feed és --install közül csak egy adható meg."_s;
        QTest::newRow("install option without install")
            << QStringList{u"--headless"_s, u"--port"_s, u"ttyS1"_s} << -1
            << u"Az --admin, --password, --type, --port és --baud csak az --install mellett adható meg."_s;
        QTest::newRow("unknown type")
            << QStringList{u"--install"_s, u"--type"_s, u"1-003-01"_s} << -1
            << u"Ismeretlen telefonközpont-típus: 1-003-01. Választható: 1-000-00 : Teszt, "
               u"1-001-01 : Panasonic KX-TA, 1-002-01 : Panasonic KX-TDA, 1-999-01 : Egyéni "
               u"beállítás, 1-999-02 : Egyéni - CSV kimenet"_s;
        QTest::newRow("retry zero") << QStringList{u"--headless"_s, u"--retry"_s, u"0"_s} << -1
                                    << u"A --retry értéke 1 és 3600 közötti egész szám legyen."_s;
        QTest::newRow("stray argument")
            << QStringList{u"Kalvix.ini"_s} << -1 << u"Ismeretlen paraméter: Kalvix.ini"_s;
    }
    void modes()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, mode);
        QFETCH(QString, error);
        const auto command = parseKalvixCommandLine(QStringList{u"kalvix"_s} + arguments);
        QCOMPARE(command ? int(command->mode) : -1, mode);
        if (!command)
            QCOMPARE(command.error(), error);
    }
};

// The record tester without a window: a file through the same path as
// received text, then the files closed as at the end of the program.
class TestFeed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void feedsAFileAndClosesTheFiles()
    {
        TempFolder folder;
        folder.write(u"Kalvix.ini"_s, "[OTHER]\r\nKIND=1-999-01\r\nRUN=1\r\n");
        folder.write(u"pbx.txt"_s, pbxRecord("22/05/25", "08:02am", "201", "01", "0612345678", "00:01'12") +
                                       "\r\n" + QByteArray(1030, '#') + "\r\n23/05/25 08:0");
        QProcess kalvix;
        kalvix.start(kKalvix, {u"--folder"_s, folder.path(), u"--feed"_s, folder.file(u"pbx.txt"_s)});
        QVERIFY(kalvix.waitForFinished(15000));
        QCOMPARE(kalvix.exitCode(), 0);
        const QStringList output =
            QString::fromUtf8(kalvix.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        const QString line =
            recordLine(u"05/22/25"_s, u"08:02DE"_s, u"201"_s, u"01"_s, u"0612345678"_s, u"00:01'12"_s);
        QCOMPARE(output.first(), QString(u"hívás: 2025.05.22"_s + line.mid(8, 66)));
        QCOMPARE(output.size(), 14); // the record and the defects of the noise line
        QCOMPARE(fileLines(folder, u"D052225A.txt"_s), QStringList{line});
        const QStringList errors = fileLines(folder, u"KVerrs.txt"_s);
        QCOMPARE(errors.size(), 2);
        QCOMPARE(errors.last(), u"23/05/25 08:0"_s);
        // Feeding a file leaves the run switch as it was.
        QCOMPARE(IniFile(folder.file(u"Kalvix.ini"_s)).readString(u"OTHER"_s, u"RUN"_s), u"1"_s);
    }

    void missingSettingsFile()
    {
        TempFolder folder;
        folder.write(u"pbx.txt"_s, "x\r\n");
        QProcess kalvix;
        kalvix.start(kKalvix, {u"--folder"_s, folder.path(), u"--feed"_s, folder.file(u"pbx.txt"_s)});
        QVERIFY(kalvix.waitForFinished(15000));
        QCOMPARE(kalvix.exitCode(), 1);
        QVERIFY(QString::fromUtf8(kalvix.readAllStandardError())
                    .startsWith(u"A programhoz tartozó Kalvix.ini fájl hiányzik!"_s));
        QCOMPARE(folder.names(), QStringList{u"pbx.txt"_s});
    }
};

REGISTER_TEST(TestHeadless)
REGISTER_TEST(TestFeed)
REGISTER_TEST(TestInstall)
REGISTER_TEST(TestCommandLine)
#include "test_kalvix_program.moc"
