#include "core/collector_program.h"
#include "core/cp1250.h"
#include "core/kalvix_settings.h"
#include "core/last_calls.h"
#include "recording_reporter.h"
#include "recording_view.h"
#include "temp_folder.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

Q_DECLARE_METATYPE(StartupState)

namespace {

// Settings file text as its bytes.
QByteArray iniBytes(const QString& text)
{
    return cp1250::encode(text);
}

const QString kFirstStart =
    u"A program első indításakor a kommunikáció nem indul el automatikusan, ;hogy a telefonközpont típusát "
    u"(és "
    u"paramétereit) be lehessen állítani. ;(a beállításhoz használja a [2.] (illetve [1.]) gombot) ;És utána "
    u"indíthatja a kommunikációt a START gombbal."_s;
const QString kSwitchIntroduced =
    u"A Kalvix program 1.20 verziójától kezdődően bevezetésre került egy  ;kommunikációt vezérlő STOP/START "
    u"kapcsoló. Ennek állapotát kilépés- ;kor a program megjegyzi, csak első alkalommal kell bekapcsolni.   "
    u"; ;A "
    u"kommunikáció elindításához nyomja meg a START gombot."_s;
const QString kNotStarted = u"Induláskori figyelmeztetés: ; ;- kommunikáció nincs elindítva"_s;
QString unreadable(const QString& subject)
{
    return subject +
           u" nem olvasható ki INI fájlból. ;(valószínűen a fájl megsérült vagy nincs olvasási joga)"_s;
}

StartupState state(const QString& kind, int run, bool msg1, bool migrated)
{
    StartupState s;
    s.kind = kind;
    s.storedRun = run;
    s.runSwitch = kind.isEmpty() ? 0 : run;
    s.firstStartMessageDue = msg1;
    s.migrated = migrated;
    return s;
}

// A collector folder with a settings file of the given lines.
struct ProgramFolder {
    explicit ProgramFolder(const QString& ini = u"[OTHER]\r\nKIND=1-002-01\r\nMSG1=0\r\n"_s)
    {
        if (!ini.isNull())
            folder.write(u"Kalvix.ini"_s, iniBytes(ini));
    }
    std::unique_ptr<CollectorProgram>
    program(CollectorProgram::Reception reception = CollectorProgram::Reception::Switched)
    {
        return std::make_unique<CollectorProgram>(folder.path(), view,
                                                  CollectorProgram::Options{reception, 1, {}});
    }
    IniFile ini() const { return IniFile(folder.file(u"Kalvix.ini"_s)); }

    TempFolder folder;
    RecordingView view;
    RecordingReporter reporter;
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readsAndMigrates_data()
    {
        QTest::addColumn<QString>("other"); // lines of section OTHER
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("migrated");
        QTest::addColumn<int>("storedRun");
        QTest::addColumn<int>("runSwitch");
        QTest::addColumn<bool>("msg1");
        QTest::newRow("nothing stored") << QString() << QString() << false << -1 << 0 << true;
        QTest::newRow("all stored") << u"KIND=1-002-01\r\nRUN=1\r\nMSG1=0"_s << u"1-002-01"_s << false << 1
                                    << 1 << false;
        QTest::newRow("run set but no type: switch taken as 0")
            << u"RUN=1\r\nMSG1=0"_s << QString() << false << 1 << 0 << false;
        QTest::newRow("old type 0") << u"Type=0"_s << u"1-000-00"_s << true << -1 << -1 << true;
        QTest::newRow("old type 2 over a type")
            << u"KIND=1-999-01\r\nTYPE=2\r\nRUN=0"_s << u"1-002-01"_s << true << 0 << 0 << true;
        QTest::newRow("old type 4") << u"type=4\r\nMSG1=0"_s << u"1-999-02"_s << true << -1 << -1 << false;
        QTest::newRow("already migrated")
            << u"KIND=1-001-01\r\nType=99999999"_s << u"1-001-01"_s << false << -1 << -1 << true;
        QTest::newRow("old type outside the list")
            << u"Type=7\r\nMSG1=0"_s << QString() << false << -1 << 0 << false;
        QTest::newRow("old type not a number counts as 0")
            << u"Type=x"_s << u"1-000-00"_s << true << -1 << -1 << true;
        QTest::newRow("run not a number")
            << u"KIND=1-002-01\r\nRUN=yes"_s << u"1-002-01"_s << false << -1 << -1 << true;
    }
    void readsAndMigrates()
    {
        QFETCH(QString, other);
        QFETCH(QString, kind);
        QFETCH(bool, migrated);
        QFETCH(int, storedRun);
        QFETCH(int, runSwitch);
        QFETCH(bool, msg1);
        TempFolder folder;
        folder.write(u"Kalvix.ini"_s, iniBytes(u"[OTHER]\r\n"_s + other + u"\r\n[SP2]\r\nPort=ttyS3\r\n"_s));
        IniFile ini(folder.file(u"Kalvix.ini"_s));
        const StartupState s = readStartup(ini);
        QCOMPARE(s.kind, kind);
        QCOMPARE(s.migrated, migrated);
        QCOMPARE(s.storedRun, storedRun);
        QCOMPARE(s.runSwitch, runSwitch);
        QCOMPARE(s.firstStartMessageDue, msg1);
        QCOMPARE(s.writeError, QString());
        // The old key is gone after any start; a converted type is stored.
        QVERIFY(!ini.valueExists(u"OTHER"_s, u"Type"_s));
        if (migrated)
            QCOMPARE(ini.readString(u"OTHER"_s, u"KIND"_s), kind);
        QCOMPARE(ini.readString(u"SP2"_s, u"Port"_s), u"ttyS3"_s);
        // A second start finds nothing more to convert.
        QCOMPARE(readStartup(ini).migrated, false);
    }

    void afterCreateMessages_data()
    {
        QTest::addColumn<StartupState>("state");
        QTest::addColumn<bool>("receiving");
        QTest::addColumn<bool>("showWindow");
        QTest::addColumn<QStringList>("messages"); // kind letter + text
        QTest::addColumn<bool>("firstStartDone");
        QTest::newRow("first start") << state(QString(), -1, true, false) << false << true
                                     << QStringList{u"I"_s + kFirstStart} << true;
        QTest::newRow("first start after migration") << state(u"1-002-01"_s, -1, true, true) << false << true
                                                     << QStringList{u"I"_s + kSwitchIntroduced} << true;
        QTest::newRow("migrated, messages done")
            << state(u"1-002-01"_s, -1, false, true) << false << false << QStringList() << false;
        QTest::newRow("running") << state(u"1-002-01"_s, 1, false, false) << true << false << QStringList()
                                 << false;
        QTest::newRow("stopped") << state(u"1-002-01"_s, 0, false, false) << false << false
                                 << QStringList{u"I"_s + kNotStarted} << false;
        QTest::newRow("run switch unreadable")
            << state(u"1-002-01"_s, -1, false, false) << false << false
            << QStringList{u"F"_s + unreadable(u"Start/Stop kapcsoló állása"_s), u"I"_s + kNotStarted}
            << false;
        QTest::newRow("switch on, port failed") << state(u"1-002-01"_s, 1, false, false) << false << false
                                                << QStringList{u"I"_s + kNotStarted} << false;
        QTest::newRow("type unreadable")
            << state(QString(), 1, false, false) << false << false
            << QStringList{u"F"_s + unreadable(u"A telefonközpont típusa"_s), u"I"_s + kNotStarted} << false;
        QTest::newRow("both unreadable: the type is named")
            << state(QString(), -1, false, false) << false << false
            << QStringList{u"F"_s + unreadable(u"A telefonközpont típusa"_s), u"I"_s + kNotStarted} << false;
    }
    void afterCreateMessages()
    {
        QFETCH(StartupState, state);
        QFETCH(bool, receiving);
        QFETCH(bool, showWindow);
        QFETCH(QStringList, messages);
        QFETCH(bool, firstStartDone);
        const AfterCreatePlan plan = afterCreatePlan(state, receiving);
        QStringList seen;
        for (const StartupMessage& m : plan.messages)
            seen.append(m.kind + m.text);
        QCOMPARE(seen, messages);
        QCOMPARE(plan.showWindow, showWindow);
        QCOMPARE(plan.firstStartDone, firstStartDone);
    }

    void lastCallsList_data()
    {
        QTest::addColumn<int>("added");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("placeholder at first") << 0 << QStringList{u" ... még nem volt hívás"_s};
        QTest::newRow("first line replaces the placeholder") << 1 << QStringList{u"1"_s};
        QTest::newRow("eight lines") << 8 << QStringList{u"1"_s, u"2"_s, u"3"_s, u"4"_s,
                                                         u"5"_s, u"6"_s, u"7"_s, u"8"_s};
        QTest::newRow("the oldest goes")
            << 10 << QStringList{u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s, u"9"_s, u"10"_s};
    }
    void lastCallsList()
    {
        QFETCH(int, added);
        QFETCH(QStringList, lines);
        LastCallsList list;
        for (int i = 1; i <= added; ++i)
            list.add(QString::number(i));
        QCOMPARE(list.lines(), lines);
    }

    void lastCallsListAfterTheTesterFilledIt()
    {
        LastCallsList list;
        list.clear();
        for (int i = 1; i <= 12; ++i)
            list.add(QString::number(i));
        QCOMPARE(list.lines().size(), 8);
        QCOMPARE(list.lines().front(), u"5"_s);
    }

    void testerText_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("text");
        QTest::newRow("one line, no line end") << QStringList{u"a"_s} << u"a"_s;
        QTest::newRow("lines joined, last without")
            << QStringList{u"a"_s, u"b"_s, u"c"_s} << u"a\r\nb\r\nc"_s;
        QTest::newRow("a final dot ends the last line")
            << QStringList{u"a"_s, u"b"_s, u"."_s} << u"a\r\nb\r\n"_s;
        QTest::newRow("a dot alone") << QStringList{u"."_s} << QString();
        QTest::newRow("nothing") << QStringList() << QString();
    }
    void testerText()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, text);
        QCOMPARE(::testerText(lines, u"\r\n"_s), text);
    }
};

class TestCollectorProgram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingSettingsFileEndsTheStart()
    {
        ProgramFolder f{QString()};
        auto program = f.program();
        QVERIFY(!program->FormCreate());
        QCOMPARE(f.reporter.messages,
                 QList<ReportedMessage>{plain(u"A programhoz tartozó Kalvix.ini fájl hiányzik!"_s)});
        QVERIFY(program->FormDestroy());
        program.reset();
        // Nothing was created: no settings, no record files.
        QCOMPARE(f.folder.names(), QStringList());
    }

    // First start: the port settings are asked before anything else, without
    // a login; then the first-start message; the switch stays off.
    void firstStartAsksForThePortAndShowsTheWindow()
    {
        ProgramFolder f{u"[ADMIN]\r\n"_s};
        auto program = f.program();
        QStringList steps;
        const bool created = program->FormCreate([&] {
            steps.append(u"port"_s);
            QVERIFY(f.reporter.messages.isEmpty());
            SerialPortSettings s;
            s.port = u"ttyUSB0"_s;
            program->storePortSettings(s);
        });
        QVERIFY(created);
        program->AfterCreate(
            [&] { steps.append(u"window"_s + QString::number(f.reporter.messages.size())); });
        QCOMPARE(steps, (QStringList{u"port"_s, u"window0"_s}));
        const QList<ReportedMessage> firstStart = {{ReportedMessage::Message, kFirstStart, u'I', u"R"_s, -1}};
        QCOMPARE(f.reporter.messages, firstStart);
        QVERIFY(!program->isReceiving());
        const IniFile ini = f.ini();
        QCOMPARE(ini.readString(u"SP2"_s, u"Port"_s), u"ttyUSB0"_s);
        QCOMPARE(ini.readString(u"OTHER"_s, u"MSG1"_s), u"0"_s);
        QCOMPARE(ini.readString(u"OTHER"_s, u"RUN"_s), u"0"_s);
        // The next start finds its port settings and shows the warning only.
        program.reset();
        f.reporter.messages.clear();
        program = f.program();
        QVERIFY(program->FormCreate([&] { QFAIL("asked again"); }));
        program->AfterCreate();
        QCOMPARE(f.reporter.texts(), (QStringList{unreadable(u"A telefonközpont típusa"_s), kNotStarted}));
    }

    // "RUN" = 1 with a port that cannot be opened: the error is shown once,
    // start-up finishes with reception stopped, and the end keeps the files.
    void portThatCannotBeOpenedAtStart()
    {
        ProgramFolder f{
            u"[OTHER]\r\nKIND=1-002-01\r\nRUN=1\r\nMSG1=0\r\n[SP2]\r\nPort=/dev/kalvix-no-such-port\r\n"_s};
        auto program = f.program();
        QVERIFY(program->FormCreate());
        QCOMPARE(f.reporter.messages.size(), 1);
        QCOMPARE(f.reporter.messages[0].type, ReportedMessage::Plain);
        QVERIFY(f.reporter.messages[0].text.startsWith(
            u"A soros port nem nyitható meg: /dev/kalvix-no-such-port - nincs ilyen eszköz"_s));
        QVERIFY(!program->isReceiving());
        program->AfterCreate();
        QCOMPARE(f.reporter.messages.last().text, kNotStarted);
        program->feed(u"23/05/25  9:05PM 201  01 06301234567          00:02'25\r\n"_s);
        QVERIFY(program->FormDestroy());
        // The switch is stored as the port was at the end.
        QCOMPARE(f.ini().readString(u"OTHER"_s, u"RUN"_s), u"0"_s);
        QCOMPARE(f.folder.names(),
                 (QStringList{u"D052325A.txt"_s, u"KVdata.txt"_s, u"KVerrs.txt"_s, u"Kalvix.ini"_s}));
    }

    void startCannotOpenThePort()
    {
        ProgramFolder f{
            u"[OTHER]\r\nKIND=1-002-01\r\nRUN=0\r\nMSG1=0\r\n[SP2]\r\nPort=/dev/kalvix-no-such-port\r\n"_s};
        auto program = f.program();
        QVERIFY(program->FormCreate());
        QVERIFY(!program->switchReception(true));
        QCOMPARE(f.reporter.messages.size(), 1);
        QCOMPARE(f.reporter.messages[0].type, ReportedMessage::Plain);
        QCOMPARE(f.ini().readString(u"OTHER"_s, u"RUN"_s), u"0"_s);
    }

    // "Rendben" of the settings: type and layout apply to the parser and the
    // line splitter at once.
    void settingsTakeEffectAtOnce()
    {
        ProgramFolder f;
        auto program = f.program();
        QVERIFY(program->FormCreate());
        LayoutEditorValues layout = IniLoad(program->settings());
        layout.other.lineEndChoice = 1;
        program->settingsConfirmed(u"1-999-02 : Egyéni - CSV kimenet"_s, layout);
        QCOMPARE(program->collector().parser().lineEnd(), u"\n\r"_s);
        QCOMPARE(program->reception().splitter().stopString(), u"\n\r"_s);
        QCOMPARE(program->collector().parser().pbxType().outputMode, 2);
        QCOMPARE(f.ini().readString(u"OTHER"_s, u"KIND"_s), u"1-999-02"_s);
        QCOMPARE(f.ini().readString(u"KIND999"_s, u"LineFd"_s), u"1"_s);

        program->feed(u"23/05/25 09:05pm 201  01 06301234567          00:02'25\n\r"_s);
        QCOMPARE(f.view.records, QStringList{u"2025.05.23 - 09:05DU - 00:02:25 - 201 - 01 - 06301234567"_s});

        // Back to a fixed type: its line end, as after a restart.
        program->settingsConfirmed(u"1-002-01 : Panasonic KX-TDA"_s, layout);
        QCOMPARE(program->reception().splitter().stopString(), u"\r\n"_s);
        // No type chosen: an empty type is stored.
        program->settingsConfirmed(QString(), layout);
        QCOMPARE(f.ini().readString(u"OTHER"_s, u"KIND"_s), QString());
        QVERIFY(f.ini().valueExists(u"OTHER"_s, u"KIND"_s));
    }

    void testerProcessesEveryLineForVariant1Only_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<int>("records");
        QTest::newRow("variant 1") << u"1-002-01"_s << 2;
        QTest::newRow("variant 2") << u"2-002-01"_s << 0;
    }
    void testerProcessesEveryLineForVariant1Only()
    {
        QFETCH(QString, kind);
        QFETCH(int, records);
        ProgramFolder f{u"[OTHER]\r\nMSG1=0\r\nKIND="_s + kind + u"\r\n"_s};
        auto program = f.program();
        QVERIFY(program->FormCreate());
        program->feedTester({u"22/05/25  9:05PM 201  01 06301234567          00:02'25"_s,
                             u"23/05/25  9:06PM 202  01 06301234567          00:02'25"_s,
                             u"23/05/25  9:0"_s});
        QCOMPARE(f.view.records.size(), records);
        QCOMPARE(program->collector().parser().remainder(), records ? u"23/05/25  9:0"_s : QString());
    }

    // Text that never got its line end is kept in the error log at the end,
    // whether the parser or the splitter was holding it.
    // A second collector on the same folder (a feed while the service runs)
    // is refused; once the first has ended, the folder is free again.
    void oneCollectorPerFolder()
    {
        ProgramFolder f;
        auto first = f.program();
        QVERIFY(first->FormCreate());
        auto second = f.program(CollectorProgram::Reception::None);
        QVERIFY(!second->FormCreate());
        QCOMPARE(f.reporter.messages.size(), 1);
        QVERIFY(f.reporter.messages[0].text.startsWith(u"Ebben a mappában már fut egy Kalvix"_s));
        QVERIFY(first->FormDestroy());
        QVERIFY(!f.folder.names().contains(u"Kalvix.lock"_s));
        QVERIFY(second->FormCreate());
    }

    void textWithoutLineEndIsKeptAtTheEnd()
    {
        ProgramFolder f;
        auto program = f.program(CollectorProgram::Reception::None);
        QVERIFY(program->FormCreate());
        program->feed(QString(1030, u'x') + u"tail"_s);
        QVERIFY(program->FormDestroy());
        QCOMPARE(f.folder.read(u"KVerrs.txt"_s), QByteArray(1030, 'x') + "tail\r\n");
        // Feeding leaves the run switch alone.
        QVERIFY(!f.ini().valueExists(u"OTHER"_s, u"RUN"_s));
    }
};

REGISTER_TEST(TestStartup)
REGISTER_TEST(TestCollectorProgram)
#include "test_startup.moc"
