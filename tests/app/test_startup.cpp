#include "core/data_module.h"
#include "core/login.h"
#include "core/main_menu.h"
#include "core/startup.h"
#include "recording_reporter.h"
#include "test_database.h"
#include "test_main.h"

#include <QSettings>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

ReportedMessage message(const QString& text, QChar kind)
{
    return {ReportedMessage::Message, text, kind, u"R"_s, -1};
}

// The start-up of one installation with recording hooks.
struct Start {
    TestDatabase database{u"sqlite"_s};
    TempFolder registry;
    QSettings settings{registry.file(u"registry.ini"_s), QSettings::IniFormat};
    LastUser lastUser{&settings};
    std::unique_ptr<TeloranSession> session;
    std::unique_ptr<Tdm1> dm;
    StartupHooks hooks;
    QStringList steps;
    QString proposed;

    Start()
    {
        hooks.login = [this](const QString& name) {
            proposed = name;
            steps.append(u"login"_s);
            return LoginOutcome{LoginOutcome::Accepted, u"kati"_s, u"USR002"_s};
        };
        hooks.applyFont = [this](FontStyle font) {
            steps.append(u"font %1 %2"_s.arg(font.size).arg(font.bold ? u"bold"_s : u"regular"_s));
        };
        hooks.buildTariffParameters = [this] { return steps.append(u"tariffs"_s), true; };
        hooks.finishStart = [this] { return steps.append(u"finish"_s), true; };
        hooks.autostartImport = [this] { return steps.append(u"import"_s), true; };
        hooks.autostartPricing = [this] { steps.append(u"pricing"_s); };
    }
    bool run()
    {
        session = std::make_unique<TeloranSession>(database.iniFileName());
        dm = std::make_unique<Tdm1>(session->mainIni(), session->baseDirectory());
        return FirstActivation(*session, *dm, lastUser, hooks, u"/opt/teloran"_s);
    }
};

} // namespace

class TestStartup : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void menuInDisplayOrder()
    {
        QStringList shown;
        for (const MenuDefinition& menu : mainMenu()) {
            shown.append(menu.caption);
            for (const MenuItemDefinition& item : menu.items)
                shown.append(u"  "_s + (item.name.isEmpty() ? u"-"_s : item.caption));
        }
        QCOMPARE(shown, (QStringList{u"Listák"_s,
                                     u"  Forgalom listák "_s,
                                     u"  Törzs listák"_s,
                                     u"Törzsek"_s,
                                     u"  Körzeti hívásdíjak"_s,
                                     u"  Céges telefonszámok"_s,
                                     u"  Egyedi tel.szám hívásdíjak"_s,
                                     u"  Számlázási kódok (account)"_s,
                                     u"  Titkos kódok nevesítése"_s,
                                     u"  -"_s,
                                     u"  Felhasználók"_s,
                                     u"Műveletek"_s,
                                     u"  Beolvasás"_s,
                                     u"  Díjszámolás"_s,
                                     u"Beállítások"_s,
                                     u"  Program"_s,
                                     u"  Felhasználó"_s,
                                     u"  Alap  percdíjak"_s,
                                     u"Súgó"_s,
                                     u"  Névjegy"_s,
                                     u"Kilépés"_s}));
        QCOMPARE(dispatchTable().size(), 15);
        QCOMPARE(dispatchTable().front(), u"mpForgList1"_s);
        QCOMPARE(dispatchTable().back(), u"mpDijinit"_s);
    }

    void dispatcher()
    {
        RecordingReporter reporter;
        MenuDispatcher dispatcher;
        int users = 0;
        QVERIFY(dispatcher.setAction(u"mpUsers"_s, [&] { ++users; }));
        QVERIFY(!dispatcher.setAction(u"dlAform1"_s, [] {}));
        QVERIFY(dispatcher.FormClick(u"mpUsers"_s));
        QCOMPARE(users, 1);
        // An item whose window does not exist yet, and the window's own name.
        QVERIFY(!dispatcher.FormClick(u"mpDijszam"_s));
        QVERIFY(!dispatcher.FormClick(u"dlAform1"_s));
        QCOMPARE(reporter.messages,
                 (QList<ReportedMessage>{message(u"A menüponthoz nincs feladat megadva:;mpDijszam"_s, u'B'),
                                         message(u"A menüponthoz nincs feladat megadva:;dlAform1"_s, u'B')}));
    }

    void menuBeall_data()
    {
        QTest::addColumn<int>("importType");
        QTest::addColumn<bool>("fromSecretCodes");
        QTest::addColumn<QString>("user");
        QTest::addColumn<bool>("azonok");
        QTest::addColumn<bool>("kodok");
        QTest::newRow("type 2, codes, main user") << 2 << true << u"USR001"_s << false << true;
        QTest::newRow("type 2, codes, other user") << 2 << true << u"USR002"_s << false << false;
        QTest::newRow("type 1, codes") << 1 << true << u"USR001"_s << true << false;
        QTest::newRow("type 2, no codes") << 2 << false << u"USR001"_s << true << false;
        QTest::newRow("type 1, no codes, other") << 1 << false << u"USR003"_s << true << false;
    }
    void menuBeall()
    {
        QFETCH(int, importType);
        QFETCH(bool, fromSecretCodes);
        QFETCH(QString, user);
        const MenuVisibility v = MenuBeall(importType, fromSecretCodes, user);
        QTEST(v.mpAzonok, "azonok");
        QTEST(v.mpKodok, "kodok");
    }

    void parameterDefinitions()
    {
        const ParameterDefinition ceg = cegParameterDefinition(u"/opt/teloran"_s);
        QCOMPARE(ceg.caption, u"Programra vonatkozó paraméterek beállítása"_s);
        QCOMPARE(ceg.pages, (QStringList{u"Alapvető működés"_s, u"Import kezelése"_s}));
        QCOMPARE(ceg.items.size(), 9);
        QCOMPARE(ceg.items[3], u"1;M;- ha igen: fővonal csoportok száma (max.6);0;VONALAK;CSOPDRB;9"_s);
        QCOMPARE(ceg.items[4], u"2;C;Import fájlok útvonala;/opt/teloran/Import/;IMPORT;UTVONAL"_s);
        QCOMPARE(ceg.items[8], u"2;L;Import=2: Titkos kódból generált Account;Nem;IMPORT;EGYENIKODOK"_s);
        const ParameterDefinition usr = usrParameterDefinition();
        QCOMPARE(usr.caption, u"Felhasználóra vonatkozó paraméterek beállítása"_s);
        QCOMPARE(usr.items, (QStringList{u"1;N;Betűméret;10;MEGJELENES;BETUMERET"_s,
                                         u"1;L;Betűstílus: Félkövér;Igen;MEGJELENES;BETUFORMA1"_s}));
        QCOMPARE(usrIniFileName(u"/tel/"_s, u"USR001"_s), u"/tel/Usr001.ini"_s);
        QCOMPARE(cegIniFileName(u"/tel/"_s), u"/tel/Ceg.ini"_s);
        QCOMPARE(captionWithVersion(kMainWindowCaption), u"Teloran Hívásnyilvántartó  ( ver 1.60 )"_s);
    }

    void fullStart()
    {
        Start start;
        QVERIFY(start.database.ready());
        RecordingReporter reporter;
        QVERIFY(start.run());
        QCOMPARE(start.proposed, u"admin"_s);
        QCOMPARE(start.steps, (QStringList{u"login"_s, u"font 10 bold"_s, u"tariffs"_s, u"finish"_s,
                                           u"import"_s, u"pricing"_s}));
        QCOMPARE(start.session->currentUser(), u"USR002"_s);
        QCOMPARE(start.settings.value(u"LastUser"_s).toString(), u"kati"_s);
        QCOMPARE(start.session->UsrParameterek()->iniFileName(),
                 start.database.baseDirectory() + u"Usr002.ini"_s);
        QVERIFY(!start.session->starting());
        QVERIFY(reporter.messages.isEmpty());
        // Exit question: "Nem" keeps the program, "Igen" ends it.
        reporter.answerNext(mrNo);
        QVERIFY(!start.session->FormCloseQuery());
        QVERIFY(start.session->CegParameterek());
        QVERIFY(start.session->FormCloseQuery());
        QCOMPARE(reporter.messages.size(), 2);
        QCOMPARE(reporter.messages[0],
                 (ReportedMessage{ReportedMessage::Message, u"Valóban kilép?"_s, u'K', u"IN"_s, -1}));
        QVERIFY(!start.session->CegParameterek());
    }

    void autostartOffOrImportAbsent()
    {
        Start start;
        start.database.folder().write(u"Ceg.ini"_s, "[IMPORT]\r\nAUTOSTART=0\r\n");
        QVERIFY(start.run());
        QVERIFY(!start.steps.contains(u"import"_s));
        Start noImport;
        noImport.hooks.autostartImport = nullptr;
        QVERIFY(noImport.run());
        QCOMPARE(noImport.steps.back(), u"finish"_s);
        Start nothingRead;
        nothingRead.hooks.autostartImport = [&] { return nothingRead.steps.append(u"import"_s), false; };
        QVERIFY(nothingRead.run());
        QCOMPARE(nothingRead.steps.back(), u"import"_s);
    }

    void failures_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QList<ReportedMessage>>("messages");
        QTest::addColumn<QStringList>("steps");
        QTest::newRow("login cancelled")
            << u"cancel"_s << QList<ReportedMessage>() << QStringList{u"login"_s};
        QTest::newRow("login failed")
            << u"loginerror"_s
            << QList<ReportedMessage>{message(
                   u"Ismeretlen hiba a felhasználó beléptetése közben.;(valószínűen adatbázis hozzáférési hiba)"_s,
                   u'H')}
            << QStringList{u"login"_s};
        QTest::newRow("tariff parameters")
            << u"tariffs"_s << QList<ReportedMessage>() << QStringList{u"login"_s, u"font 10 bold"_s};
        QTest::newRow("finishing") << u"finish"_s
                                   << QList<ReportedMessage>{message(u"Ismeretlen programindítási hiba."_s,
                                                                     u'B')}
                                   << QStringList{u"login"_s, u"font 10 bold"_s, u"tariffs"_s};
        QTest::newRow("user parameters")
            << u"usrini"_s
            << QList<ReportedMessage>{message(u"INI-fájl létrehozási hiba: "_s, u'H'),
                                      message(u"Fájl hozzáférési hiba: USR002.ini"_s, u'H')}
            << QStringList{u"login"_s};
    }
    void failures()
    {
        QFETCH(QString, failure);
        Start start;
        if (failure == u"cancel")
            start.hooks.login = [&](const QString&) {
                return start.steps.append(u"login"_s), LoginOutcome{};
            };
        if (failure == u"loginerror")
            start.hooks.login = [&](const QString&) {
                start.steps.append(u"login"_s);
                return LoginOutcome{LoginOutcome::Failed, {}, {}};
            };
        if (failure == u"tariffs")
            start.hooks.buildTariffParameters = [] { return false; };
        if (failure == u"finish")
            start.hooks.finishStart = [] { return false; };
        if (failure == u"usrini") // the user's file name is taken by a folder
            QDir(start.database.folder().path()).mkpath(u"Usr002.ini"_s);
        RecordingReporter reporter;
        QVERIFY(!start.run());
        QFETCH(QList<ReportedMessage>, messages);
        if (failure == u"usrini")
            messages[0].text += start.database.baseDirectory() + u"Usr002.ini"_s;
        QCOMPARE(reporter.messages, messages);
        QTEST(start.steps, "steps");
        QVERIFY(start.session->starting());
        QVERIFY(start.session->FormCloseQuery()); // no question while starting
        QCOMPARE(reporter.messages.size(), messages.size());
    }

    void programParametersCannotBeSetUp()
    {
        // A base directory that does not exist: Ceg.ini cannot be opened.
        Start start;
        IniFile ini(start.database.iniFileName());
        QVERIFY(ini.writeString(u"MAIN"_s, u"BaseDirectory"_s, start.database.baseDirectory() + u"nincs"_s));
        RecordingReporter reporter;
        QVERIFY(!start.run());
        QCOMPARE(reporter.texts(), (QStringList{u"INI-fájl létrehozási hiba: "_s +
                                                    start.database.baseDirectory() + u"nincs/Ceg.ini"_s,
                                                u"Fájl hozzáférési hiba: Ceg.ini"_s}));
    }

    void startupMessagesOfTheMainIni()
    {
        TempFolder folder;
        folder.write(u"Teloran.ini"_s, "[CONNECT1]\r\nType=dbase\r\n");
        RecordingReporter reporter;
        TeloranSession session(folder.file(u"Teloran.ini"_s));
        QCOMPARE(session.baseDirectory(), QString());
        Tdm1 dm(session.mainIni(), session.baseDirectory());
        QVERIFY(!dm.prepareDataConnection());
        QCOMPARE(reporter.messages,
                 (QList<ReportedMessage>{message(u"Hiányzó INI bejegyzés: MAIN / BaseDirectory"_s, u'H'),
                                         message(u"Nem azonosított adatbázis típus !"_s, u'B')}));
        QVERIFY(!dm.acMain().has_value());
    }
};

REGISTER_TEST(TestStartup)
#include "test_startup.moc"
