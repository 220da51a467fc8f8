#include "core/collector_program.h"
#include "core/serial_settings.h"
#include "kalvix_window_fixture.h"
#include "pbx_simulator.h"
#include "pseudo_terminal.h"
#include "test_main.h"
#include "ui/buttons.h"
#include "ui/main_window.h"
#include "ui/port_dialog.h"
#include "ui/run_panel.h"
#include "ui/window_mode.h"

#include <QComboBox>
#include <QProcess>
#include <QToolButton>

#include <csignal>

namespace {

// Answers the port dialog: the port typed over the one shown, then
// "Rendben", or Esc. Whether it was the port dialog goes into shown.
void answerPort(QWidget* window, const QString& port, bool confirm, bool* shown)
{
    auto* dialog = qobject_cast<PortSettingsDialog*>(window);
    *shown = dialog != nullptr;
    if (!dialog || !confirm) {
        pressKeyInFocus(Qt::Key_Escape);
        return;
    }
    dialog->cbPort->setFocus();
    pressKeyInFocus(Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(QApplication::focusWidget(), port);
    QTest::mouseClick(dialog->gmRnb1, Qt::LeftButton);
}

void answerPortDialog(const QString& port, bool confirm, bool* shown)
{
    whenDialogActive([=](QWidget* window) { answerPort(window, port, confirm, shown); });
}

const QString kFirstStartMessage =
    u"A program első indításakor a kommunikáció nem indul el automatikusan, ;hogy a telefonközpont típusát "
    u"(és paramétereit) be lehessen állítani. ;(a beállításhoz használja a [2.] (illetve [1.]) gombot) ;És "
    u"utána indíthatja a kommunikációt a START gombbal."_s;

} // namespace

// Start-up of the window: the settings file, the first start, the port.
class TestWindowStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { prepareCollectorWindows(); }
    void init() { clearNextAnswers(); }

    void missingSettingsFileEndsTheProgram()
    {
        TempFolder folder;
        setNextAnswer(mrOk);
        KalvixForms forms(folder.path());
        QVERIFY(!forms.started());
        QCOMPARE(answeredTexts(), QStringList{u"A programhoz tartozó Kalvix.ini fájl hiányzik!"_s});
        QVERIFY(!forms.dlAform1->isVisible());
        QVERIFY(!forms.dlPwd);
        forms.dlAform1->FormDestroy();
        QCOMPARE(folder.names(), QStringList());
    }

    // A settings file as the installation writes it (administrator only):
    // the port dialog comes first, without a login; then the first-start
    // message with the window on the screen; reception stays stopped.
    void firstStartAsksThePortFirst_data()
    {
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<QString>("storedPort");
        QTest::newRow("confirmed") << true << u"/dev/ttyUSB7"_s;
        QTest::newRow("cancelled: the defaults are stored") << false << SerialPortSettings().port;
    }
    void firstStartAsksThePortFirst()
    {
        QFETCH(bool, confirm);
        QFETCH(QString, storedPort);
        TempFolder folder;
        writeKalvixIni(folder, QString());
        bool portDialog = false;
        answerPortDialog(u"/dev/ttyUSB7"_s, confirm, &portDialog);
        KalvixForms forms(folder.path());
        QVERIFY(portDialog);
        QVERIFY(forms.started());
        IniFile& ini = forms.dlAform1->program().settings();
        QCOMPARE(ini.readString(kSectionPort, u"Port"_s), storedPort);
        QCOMPARE(ini.readString(kSectionPort, u"BaudRate"_s), u"9600"_s);

        setNextAnswer(mrOk);
        forms.dlAform1->AfterCreate();
        QCOMPARE(answeredTexts(), QStringList{kFirstStartMessage});
        QVERIFY(forms.dlAform1->isVisible());
        QCOMPARE(ini.readInteger(kSectionOther, kKeyFirstStartMessage, -1), 0);
        QCOMPARE(ini.readInteger(kSectionOther, kKeyRun, -1), 0);
        QVERIFY(!forms.dlAform1->program().isReceiving());
    }

    // A port that cannot be opened: told, and the start-up ends with
    // reception stopped.
    void portThatCannotOpen()
    {
        TempFolder folder;
        writeKalvixIni(folder, settingsText(u"1-002-01"_s, 1, folder.file(u"nincs-ilyen"_s)));
        setNextAnswer(mrOk);
        KalvixForms forms(folder.path());
        QVERIFY(forms.started());
        const QStringList messages = answeredTexts();
        QCOMPARE(messages.size(), 1);
        QVERIFY2(messages[0].startsWith(u"A soros port nem nyitható meg"_s), qPrintable(messages[0]));
        TdlAform1& window = *forms.dlAform1;
        QVERIFY(!window.pnSTP->isRaised());
        QVERIFY(window.pnRUN->isRaised());
        setNextAnswer(mrOk);
        window.AfterCreate();
        QCOMPARE(answeredTexts(),
                 QStringList{u"Induláskori figyelmeztetés: ; ;- kommunikáció nincs elindítva"_s});
        // "RUN" keeps what was asked for: the next start tries again.
        window.FormDestroy();
        QCOMPARE(IniFile(folder.file(u"Kalvix.ini"_s)).readInteger(kSectionOther, kKeyRun, -1), 0);
    }

    // "1.": the login, then the port dialog; its settings are stored (and
    // used) whether or not it was confirmed.
    void portButtonNeedsTheLogin()
    {
        if (!PseudoTerminalPair::available())
            QSKIP("socat is not installed");
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        writeKalvixIni(folder, settingsText(u"1-002-01"_s, 0, u"/dev/ttyS0"_s));
        KalvixForms forms(folder.path());
        TdlAform1& window = *forms.dlAform1;
        IniFile& ini = window.program().settings();

        answerLogin(kAdmin, u"rossz"_s);
        setNextAnswer(mrOk);
        QTest::mouseClick(window.sbBeall2, Qt::LeftButton);
        QCOMPARE(answeredTexts(), QStringList{kLoginRefused});

        bool portDialog = false;
        LoginSeen seen;
        answerLogin(kAdmin, kAdminPassword, true, &seen,
                    [&](QWidget* shown) { answerPort(shown, line.collectorEnd, true, &portDialog); });
        QTest::mouseClick(window.sbBeall2, Qt::LeftButton);
        QCOMPARE(seen.panelLines, loginPanel(LoginPurpose::Settings).lines);
        QVERIFY(portDialog);
        QCOMPARE(ini.readString(kSectionPort, u"Port"_s), line.collectorEnd);
        QTest::mouseClick(window.pnRUN, Qt::LeftButton);
        QVERIFY(window.program().isReceiving());
    }

    // The program with its window, stopped by the system (SIGTERM): no login
    // is asked, and the working file is closed into its dated file.
    void windowProgramEndsOnSigterm()
    {
        if (!PseudoTerminalPair::available())
            QSKIP("socat is not installed");
        TempFolder folder;
        PseudoTerminalPair line(folder.path());
        QVERIFY(line.start());
        writeKalvixIni(folder, settingsText(u"1-002-01"_s, 1, line.collectorEnd));
        QProcess kalvix;
        endWithTheTest(kalvix);
        kalvix.start(QStringLiteral(KALVIX_BINARY), {u"--folder"_s, folder.path()});
        QVERIFY(kalvix.waitForStarted());
        PbxSimulator pbx(line.pbxEnd);
        QVERIFY(pbx.isOpen());
        // The lock appears during the start-up, just before the port is opened.
        QVERIFY(QTest::qWaitFor([&] { return folder.names().contains(u"Kalvix.lock"_s); }, 20000));
        QTest::qWait(200);
        pbx.send("23/05/25  9:05PM 201  01 06301234567          00:02'25\r\n");
        QVERIFY(QTest::qWaitFor(
            [&] {
                return folder.names().contains(u"KVdata.txt"_s) && folder.read(u"KVdata.txt"_s).size() == 82;
            },
            20000));
        ::kill(pid_t(kalvix.processId()), SIGTERM);
        QVERIFY(kalvix.waitForFinished(20000));
        QCOMPARE(kalvix.exitStatus(), QProcess::NormalExit);
        QCOMPARE(kalvix.exitCode(), 0);
        const QByteArray dated = folder.read(u"D052325A.txt"_s);
        QCOMPARE(dated.size(), 82);
        QVERIFY(dated.startsWith("05/23/25"));
        QVERIFY(!folder.names().contains(u"Kalvix.lock"_s));
        QCOMPARE(IniFile(folder.file(u"Kalvix.ini"_s)).readInteger(kSectionOther, kKeyRun, -1), 1);
    }
};

REGISTER_TEST(TestWindowStartup)
#include "test_window_startup.moc"
