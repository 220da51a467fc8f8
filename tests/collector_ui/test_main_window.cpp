#include "collector_fixture.h"
#include "core/collector_program.h"
#include "core/last_calls.h"
#include "kalvix_window_fixture.h"
#include "pbx_simulator.h"
#include "pseudo_terminal.h"
#include "test_main.h"
#include "ui/main_window.h"
#include "ui/plain_forms.h"
#include "ui/run_panel.h"
#include "ui/window_mode.h"

#include <QMenu>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QToolButton>

namespace {

// The collector with its window; receiving on a pseudo-terminal when run is 1.
struct WindowFixture {
    explicit WindowFixture(int run = 0, const QString& kind = u"1-002-01"_s) : line(folder.path())
    {
        if (!line.start())
            return;
        writeKalvixIni(folder, settingsText(kind, run, line.collectorEnd));
        forms = std::make_unique<KalvixForms>(folder.path());
    }
    TdlAform1& window() { return *forms->dlAform1; }
    bool receiving() { return window().program().isReceiving(); }
    qint64 storedRun() { return window().program().settings().readInteger(kSectionOther, kKeyRun, -1); }
    QStringList listLines() { return window().Memo1->toPlainText().split(u'\n'); }

    TempFolder folder;
    PseudoTerminalPair line;
    std::unique_ptr<KalvixForms> forms;
};

bool looksReceiving(const TdlAform1& w)
{
    return w.pnRUN->colour() == kLime && !w.pnRUN->isRaised() && w.pnSTP->isRaised();
}

bool looksStopped(const TdlAform1& w)
{
    return w.pnSTP->colour() == kRed && !w.pnSTP->isRaised() && w.pnRUN->isRaised();
}

} // namespace

// The main window: run switch, closing, the list of the last calls.
class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        prepareCollectorWindows();
        if (!PseudoTerminalPair::available())
            QSKIP("socat is not installed");
    }
    void init() { clearNextAnswers(); }

    void stopNeedsTheLogin_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("stops");
        QTest::newRow("Esc") << kAdmin << kAdminPassword << false << false;
        QTest::newRow("wrong password") << kAdmin << u"rossz"_s << true << false;
        QTest::newRow("no name") << QString() << QString() << true << false;
        QTest::newRow("built-in account") << u"quintor"_s << u"fenwal"_s << true << true;
        QTest::newRow("configured administrator") << kAdmin << kAdminPassword << true << true;
    }
    void stopNeedsTheLogin()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, confirm);
        QFETCH(bool, stops);
        WindowFixture f(1);
        QVERIFY(f.forms);
        QVERIFY(f.receiving());
        QVERIFY(looksReceiving(f.window()));
        LoginSeen seen;
        answerLogin(name, password, confirm, &seen);
        const bool refusedWithMessage = confirm && !stops;
        if (refusedWithMessage)
            setNextAnswer(mrOk);
        QTest::mouseClick(f.window().pnSTP, Qt::LeftButton);
        QVERIFY(seen.shown);
        QCOMPARE(seen.panelLines, loginPanel(LoginPurpose::Stop).lines);
        QCOMPARE(answeredTexts(), refusedWithMessage ? QStringList{kLoginRefused} : QStringList());
        QCOMPARE(f.receiving(), !stops);
        QCOMPARE(looksStopped(f.window()), stops);
        QCOMPARE(f.storedRun(), stops ? 0 : 1);
    }

    // START needs no login; the lowered panel does nothing.
    void startWithoutLogin()
    {
        WindowFixture f(0);
        QVERIFY(f.forms);
        QVERIFY(looksStopped(f.window()));
        QTest::mouseClick(f.window().pnSTP, Qt::LeftButton);
        QVERIFY(!f.receiving());
        QTest::mouseClick(f.window().pnRUN, Qt::LeftButton);
        QVERIFY(f.receiving());
        QVERIFY(looksReceiving(f.window()));
        QCOMPARE(f.storedRun(), 1);
        QTest::mouseClick(f.window().pnRUN, Qt::LeftButton);
        QVERIFY(f.receiving());
        QCOMPARE(answeredTexts(), QStringList());
    }

    // A record the PBX sends shows in the list in place of the placeholder.
    void receivedRecordIsListed()
    {
        WindowFixture f(1);
        QVERIFY(f.forms);
        QCOMPARE(f.listLines(), QStringList{LastCallsList::placeholder()});
        PbxSimulator pbx(f.line.pbxEnd);
        QVERIFY(pbx.isOpen());
        const QString line = tdaLine(u"23/05/25"_s);
        pbx.sendChunks({cp1250::encode(line.left(20)), cp1250::encode(line.mid(20))});
        QTRY_COMPARE(f.listLines().size(), 1);
        // The list shows the record as filed, with the date as year.month.day.
        const QString filed = cp1250::decode(f.folder.read(u"KVdata.txt"_s));
        QCOMPARE(filed.size(), 82);
        QCOMPARE(f.listLines(), QStringList{u"2025.05.23"_s + filed.mid(8, 66)});
    }

    // Losing the port: told once, the panels show STOP, START opens it again.
    void lostPortShowsStop()
    {
        WindowFixture f(1);
        QVERIFY(f.forms);
        setNextAnswer(mrOk);
        f.line.stop();
        QTRY_VERIFY(!f.receiving());
        QVERIFY(looksStopped(f.window()));
        const QStringList messages = answeredTexts();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith(u"A soros port megszakadt: "_s + f.line.collectorEnd));
        QVERIFY(f.line.start());
        QTest::mouseClick(f.window().pnRUN, Qt::LeftButton);
        QVERIFY(f.receiving());
    }

    void closingNeedsTheLogin_data()
    {
        QTest::addColumn<bool>("fromMenu");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("confirm");
        QTest::addColumn<bool>("closes");
        QTest::newRow("close box, Esc") << false << kAdminPassword << false << false;
        QTest::newRow("close box, wrong password") << false << u"rossz"_s << true << false;
        QTest::newRow("close box, administrator") << false << kAdminPassword << true << true;
        QTest::newRow("menu, Esc") << true << kAdminPassword << false << false;
        QTest::newRow("menu, administrator") << true << kAdminPassword << true << true;
    }
    void closingNeedsTheLogin()
    {
        QFETCH(bool, fromMenu);
        QFETCH(QString, password);
        QFETCH(bool, confirm);
        QFETCH(bool, closes);
        WindowFixture f(1);
        QVERIFY(f.forms);
        TdlAform1& window = f.window();
        // Without a notification area the window is on the screen from the start.
        QVERIFY(!window.trayIcon());
        QVERIFY(window.isVisible());
        QSignalSpy closing(&window, &TdlAform1::programClosing);
        LoginSeen seen;
        answerLogin(kAdmin, password, confirm, &seen);
        if (confirm && !closes)
            setNextAnswer(mrOk);
        if (fromMenu)
            window.mpKilep->trigger();
        else
            window.close();
        QCOMPARE(seen.panelLines, loginPanel(LoginPurpose::Close).lines);
        QCOMPARE(closing.size(), closes ? 1 : 0);
        QCOMPARE(window.isVisible(), !closes);
        QCOMPARE(answeredTexts(), confirm && !closes ? QStringList{kLoginRefused} : QStringList());
        // Reception goes on until the program really ends.
        QVERIFY(f.receiving());
    }

    void menuShowsTheWindow()
    {
        WindowFixture f(0);
        QVERIFY(f.forms);
        TdlAform1& window = f.window();
        const QStringList items{window.Menu1->actions()[0]->text(), window.Menu1->actions()[2]->text()};
        QCOMPARE(items, (QStringList{u"Kezelőablak megnyitása"_s, u"Program bezárása"_s}));
        QVERIFY(window.Menu1->actions()[1]->isSeparator());
        window.hide();
        window.mpMutat->trigger();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), u" Kalvix - Com.Port.Reader for Teloran - ver 2.11"_s);
    }

    // A left click on the tray icon hides a visible window and shows a hidden
    // one; "Ikon állapotba" hides it into the icon, or, with no notification
    // area to hide into, makes it small.
    void trayClicksAndIconButton()
    {
        WindowFixture f(0);
        QVERIFY(f.forms);
        TdlAform1& window = f.window();
        QVERIFY(window.isVisible());
        window.trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(!window.isVisible());
        window.trayActivated(QSystemTrayIcon::Context);
        QVERIFY(!window.isVisible());
        window.trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible());
        QTest::mouseClick(window.sbTray, Qt::LeftButton);
        QVERIFY(window.isMinimized());
        window.trayActivated(QSystemTrayIcon::Trigger);
        QVERIFY(window.isVisible() && !window.isMinimized());
    }
};

// The record tester behind Ctrl+Shift+right click on "Az utolsó hívás(ok) adatai:".
class TestRecordTester : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase() { prepareCollectorWindows(); }
    void init() { clearNextAnswers(); }

    void opensOnlyWithCtrlShiftRightClick()
    {
        TempFolder folder;
        writeKalvixIni(folder, settingsText(u"1-002-01"_s, 0, u"ttyS0"_s));
        KalvixForms forms(folder.path());
        TdlAform1& window = *forms.dlAform1;
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::mouseClick(window.Label1, Qt::RightButton, Qt::ControlModifier);
        QTest::mouseClick(window.Label1, Qt::LeftButton, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(window.sbTeszter->isHidden());
        QVERIFY(window.Memo1->isReadOnly());
        QTest::mouseClick(window.Label1, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(window.sbTeszter->isVisible());
        QVERIFY(!window.Memo1->isReadOnly());
        QCOMPARE(window.Memo1->toPlainText(), QString());
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.Memo1));
        // An empty list gives nothing to test.
        QTest::mouseClick(window.sbTeszter, Qt::LeftButton);
        QCOMPARE(window.Memo1->toPlainText(), QString());
    }

    // Ten records typed into the list: the list keeps the last eight results.
    void listKeepsTheLastEightLines()
    {
        TempFolder folder;
        writeKalvixIni(folder, settingsText(u"1-002-01"_s, 0, u"ttyS0"_s));
        KalvixForms forms(folder.path());
        TdlAform1& window = *forms.dlAform1;
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QCOMPARE(window.Memo1->toPlainText(), LastCallsList::placeholder());
        QTest::mouseClick(window.Label1, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
        for (int day = 1; day <= 10; ++day) {
            QTest::keyClicks(QApplication::focusWidget(),
                             tdaLine(QString::number(day).rightJustified(2, u'0') + u"/05/25"_s).chopped(2));
            pressKeyInFocus(Qt::Key_Return);
        }
        // "." gives the last line its line end and is left out.
        QTest::keyClicks(QApplication::focusWidget(), u"."_s);
        QTest::mouseClick(window.sbTeszter, Qt::LeftButton);
        const QStringList shown = window.Memo1->toPlainText().split(u'\n');
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(window.Memo1));
        // The tested records went to the record files like received ones, a
        // day's file each; the list shows the last eight as filed.
        forms.dlAform1->FormDestroy();
        QStringList expected;
        for (int day = 3; day <= 10; ++day) {
            const QString dd = QString::number(day).rightJustified(2, u'0');
            const QString filed = cp1250::decode(folder.read(u"D05"_s + dd + u"25A.txt"_s));
            QCOMPARE(filed.size(), 82);
            expected.append(u"2025.05."_s + dd + filed.mid(8, 66));
        }
        QCOMPARE(shown, expected);
    }

    // The tester works for variant 1 of the PBX types only.
    void otherVariantTestsNothing()
    {
        TempFolder folder;
        writeKalvixIni(folder, settingsText(u"2-002-01"_s, 0, u"ttyS0"_s));
        KalvixForms forms(folder.path());
        TdlAform1& window = *forms.dlAform1;
        QTest::mouseClick(window.Label1, Qt::RightButton, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClicks(window.Memo1, tdaLine(u"23/05/25"_s).chopped(2));
        QTest::mouseClick(window.sbTeszter, Qt::LeftButton);
        QCOMPARE(window.Memo1->toPlainText().split(u'\n').size(), 1);
        QVERIFY(!folder.names().contains(u"KVdata.txt"_s) || folder.read(u"KVdata.txt"_s).isEmpty());
    }
};

REGISTER_TEST(TestMainWindow)
REGISTER_TEST(TestRecordTester)
#include "test_main_window.moc"
