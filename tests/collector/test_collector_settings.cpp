#include "core/administrator.h"
#include "core/collector_settings.h"
#include "core/cp1250.h"
#include "core/ini_file.h"
#include "core/kalvix_settings.h"
#include "core/password.h"
#include "temp_folder.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

struct SettingsFile {
    TempFolder folder;
    IniFile ini{folder.file(u"Kalvix.ini"_s)};

    void setAdministrator(int entry, const QString& name, const QString& password)
    {
        QVERIFY(storeAdministrator(ini, entry, name, password, password));
    }
    QString raw(const QString& key) const { return ini.readString(u"ADMIN"_s, key); }
};

} // namespace

class TestCollectorSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void positionCell_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("cell");
        QTest::addColumn<bool>("refused");
        QTest::addColumn<int>("stored"); // what saving the typed text stores
        QTest::newRow("empty stays empty") << QString() << QString() << false << 0;
        QTest::newRow("blanks only") << u"   "_s << QString() << false << 0;
        QTest::newRow("leading zero dropped") << u"07"_s << u"7"_s << false << 7;
        QTest::newRow("blanks around") << u" 12 "_s << u"12"_s << false << 12;
        QTest::newRow("zero") << u"0"_s << u"0"_s << false << 0;
        QTest::newRow("highest") << u"1000"_s << u"1000"_s << false << 1000;
        QTest::newRow("above 1000") << u"1001"_s << u"0"_s << true << 0;
        QTest::newRow("negative") << u"-1"_s << u"0"_s << true << 0;
        QTest::newRow("letters") << u"abc"_s << QString() << true << 0;
        QTest::newRow("decimal") << u"1.5"_s << QString() << true << 0;
        QTest::newRow("digits and a letter") << u"12a"_s << QString() << true << 0;
        QTest::newRow("plus sign") << u"+5"_s << u"5"_s << false << 5;
    }
    void positionCell()
    {
        QFETCH(QString, typed);
        QFETCH(QString, cell);
        QFETCH(bool, refused);
        QFETCH(int, stored);
        QCOMPARE(dxtLeirEdited(typed), (PositionCellCheck{cell, refused}));
        QCOMPARE(positionToStore(typed), stored);
        QCOMPARE(kPositionCellRefusal, u"Hibás! (nem 0 és 1000 közötti valós-egész szám)"_s);
    }

    void emptyFileGivesTheDefaultLayout()
    {
        SettingsFile f;
        const LayoutEditorValues values = IniLoad(f.ini);
        QCOMPARE(values.first[0], u"1"_s);
        QCOMPARE(values.last[5], u"54"_s);
        QCOMPARE(values.first[6], QString()); // 0 shows as an empty cell
        QCOMPARE(values.other.incomingMarks, u"<,>"_s);
        QCOMPARE(values.other.accountCodes, true);
    }

    // What the editor saves is what the parser and the editor read back;
    // cells that cannot be stored become 0.
    void layoutRoundTrip()
    {
        SettingsFile f;
        LayoutEditorValues values = IniLoad(f.ini);
        values.first = {u"3"_s, u"12"_s, u""_s, u"30"_s, u"abc"_s, u"1001"_s, u" 7 "_s, u"60"_s, u"70"_s};
        values.last = {u"10"_s, u"19"_s, u"25"_s, u"31"_s, u"50"_s, u"59"_s, u"8"_s, u"63"_s, u"70"_s};
        values.other.dateSeparator = u"."_s;
        values.other.dateOrder = 5;
        values.other.clock24 = true;
        values.other.amMarker = u"de"_s;
        values.other.pmMarker = u"du"_s;
        values.other.accountInExtension = false;
        values.other.incomingMarks = u"B"_s;
        values.other.directionFromNumber = false;
        values.other.outgoingValue = u"K"_s;
        values.other.lineEndChoice = 1;
        QVERIFY(IniSave(f.ini, values));

        const CallRecordLayout read = readLayout(f.ini);
        QCOMPARE(read.date.first, 3);
        QCOMPARE(read.extension.first, 0);
        QCOMPARE(read.number.first, 0);
        QCOMPARE(read.duration.first, 0);
        QCOMPARE(read.code.first, 7);
        QCOMPARE(read.direction.last, 70);
        QCOMPARE(read.dateOrder, 5);
        QCOMPARE(read.lineEndChoice, 1);
        QCOMPARE(read.clock24, true);
        QCOMPARE(read.accountInExtension, false);
        QCOMPARE(read.outgoingValue, u"K"_s);
        QCOMPARE(f.ini.readString(u"KIND999"_s, u"TelKzd"_s), u"0"_s);
        QCOMPARE(f.ini.readString(u"KIND999"_s, u"Ido24E"_s), u"1"_s);

        const LayoutEditorValues again = IniLoad(f.ini);
        QCOMPARE(again.first[4], QString());
        QCOMPARE(again.first[6], u"7"_s);
        QCOMPARE(again.other.amMarker, u"de"_s);
    }

    void noDateOrderChosenIsStoredAsMinusOne()
    {
        SettingsFile f;
        LayoutEditorValues values = IniLoad(f.ini);
        values.other.dateOrder = -1;
        QVERIFY(IniSave(f.ini, values));
        QCOMPARE(f.ini.readString(u"KIND999"_s, u"DatSor"_s), u"-1"_s);
    }

    void typeTexts_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("configured");
        QTest::newRow("test type") << u"1-000-00"_s << u"1-000-00 : Teszt"_s << false;
        QTest::newRow("KX-TDA") << u"1-002-01"_s << u"1-002-01 : Panasonic KX-TDA"_s << false;
        QTest::newRow("configured") << u"1-999-01"_s << u"1-999-01 : Egyéni beállítás"_s << true;
        QTest::newRow("configured CSV") << u"1-999-02"_s << u"1-999-02 : Egyéni - CSV kimenet"_s << true;
        QTest::newRow("unknown") << u"2-002-01"_s << QString() << false;
        QTest::newRow("empty") << QString() << QString() << false;
    }
    void typeTexts()
    {
        QFETCH(QString, kind);
        QFETCH(QString, text);
        QFETCH(bool, configured);
        QCOMPARE(pbxTypeTextOf(kind), text);
        QCOMPARE(isConfiguredType(text), configured);
    }

    void administratorRefusals_data()
    {
        QTest::addColumn<int>("entry");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<QString>("again");
        QTest::addColumn<QString>("refusal"); // empty: stored
        QTest::newRow("entry 1 cannot be deleted")
            << 1 << QString() << QString() << QString() << u"1. azonosító nem törölhető!"_s;
        QTest::newRow("entry 1 empty name wins over differing passwords")
            << 1 << QString() << u"a"_s << u"b"_s << u"1. azonosító nem törölhető!"_s;
        QTest::newRow("placeholder name")
            << 2 << u"nincs megadva"_s << u"x"_s << u"x"_s << u"Ezt nem adhatja azonosítónak!"_s;
        QTest::newRow("placeholder name in capitals")
            << 3 << u"Nincs MEGADVA"_s << u"x"_s << u"x"_s << u"Ezt nem adhatja azonosítónak!"_s;
        QTest::newRow("password without a name")
            << 2 << QString() << u"titok"_s << u"titok"_s << u"Azonosító nem lehet üres!"_s;
        QTest::newRow("passwords differ")
            << 2 << u"anna"_s << u"titok"_s << u"Titok"_s << u"A kétszer megadott jelszó nem azonos!"_s;
        QTest::newRow("too long") << 1 << u"a"_s.repeated(16) << u"x"_s << u"x"_s
                                  << u"Az azonosító és a jelszó legfeljebb 15 karakter lehet!"_s;
        QTest::newRow("outside the code page")
            << 1 << u"anna"_s << u"日本"_s << u"日本"_s
            << u"Az azonosító és a jelszó csak magyar (Windows-1250) betűket, "
               u"számokat és jeleket tartalmazhat!"_s;
        QTest::newRow("entry 2 deleted") << 2 << QString() << QString() << QString() << QString();
        QTest::newRow("15 Hungarian letters")
            << 1 << u"árvíztűrőtükörf"_s << u"ŐŰőű€„"_s << u"ŐŰőű€„"_s << QString();
        QTest::newRow("empty password") << 3 << u"béla"_s << QString() << QString() << QString();
    }
    void administratorRefusals()
    {
        QFETCH(int, entry);
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(QString, again);
        QFETCH(QString, refusal);
        SettingsFile f;
        f.setAdministrator(entry, u"régi"_s, u"régi"_s);
        const auto stored = storeAdministrator(f.ini, entry, name, password, again);
        QCOMPARE(stored ? QString() : stored.error(), refusal);
        const QString number = QString::number(entry);
        if (!refusal.isEmpty()) {
            // Nothing changed.
            QCOMPARE(administratorName(f.ini, entry), u"régi"_s);
            return;
        }
        QCOMPARE(administratorName(f.ini, entry), name);
        QCOMPARE(DecodeTextB(f.raw(u"PWD"_s + number)), name.isEmpty() ? QString() : password);
        if (name.isEmpty()) {
            QVERIFY(f.ini.valueExists(u"ADMIN"_s, u"NEV"_s + number));
            QCOMPARE(f.raw(u"NEV"_s + number), QString());
        } else {
            QCOMPARE(f.raw(u"NEV"_s + number).size(), 60);
            QCOMPARE(f.raw(u"PWD"_s + number).size(), 60);
        }
    }

    // Codes are random; none may end in a blank the settings file would lose.
    void everyStoredCodeReadsBack()
    {
        SettingsFile f;
        for (int i = 0; i < 300; ++i) {
            const QString password = u"„ †"_s + QString::number(i);
            QVERIFY(storeAdministrator(f.ini, 2, u"x"_s, password, password));
            QCOMPARE(DecodeTextB(f.raw(u"PWD2"_s)), password);
        }
    }

    void administratorLabels()
    {
        SettingsFile f;
        f.setAdministrator(1, u"anna"_s, u"titok"_s);
        QCOMPARE(administratorLabel(administratorName(f.ini, 1)), u"anna"_s);
        QCOMPARE(administratorLabel(administratorName(f.ini, 2)), u"nincs megadva"_s);
        QCOMPARE(administratorEditorTitle(2), u"2. bejegyzés szerkesztése vagy törlése"_s);
    }
};

class TestAdministrator : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void login_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("password");
        QTest::addColumn<bool>("accepted");
        QTest::newRow("built-in account") << u"quintor"_s << u"fenwal"_s << true;
        QTest::newRow("built-in, wrong password") << u"quintor"_s << u"Fenwal"_s << false;
        QTest::newRow("entry 1") << u"anna"_s << u"titok"_s << true;
        QTest::newRow("entry 1, name in another case") << u"Anna"_s << u"titok"_s << false;
        QTest::newRow("entry 1, password of entry 3") << u"anna"_s << u""_s << false;
        QTest::newRow("entry 3 with its empty password") << u"béla"_s << QString() << true;
        QTest::newRow("deleted entry 2 never matches") << QString() << QString() << false;
        QTest::newRow("unknown") << u"cecil"_s << u"titok"_s << false;
        QTest::newRow("name with a trailing blank") << u"anna "_s << u"titok"_s << false;
    }
    void login()
    {
        QFETCH(QString, name);
        QFETCH(QString, password);
        QFETCH(bool, accepted);
        SettingsFile f;
        f.setAdministrator(1, u"anna"_s, u"titok"_s);
        f.setAdministrator(2, u"zoli"_s, u"x"_s);
        QVERIFY(storeAdministrator(f.ini, 2, QString(), QString(), QString()));
        f.setAdministrator(3, u"béla"_s, QString());
        const auto message = checkAdministrator(f.ini, name, password);
        QCOMPARE(message.value_or(QString()),
                 accepted ? QString() : u"A megadott azonosító nem létezik, vagy hibás jelszó."_s);
    }

    // A damaged or missing entry 1 locks every account, the built-in one too.
    void damagedFile_data()
    {
        QTest::addColumn<QString>("nev1"); // "=" as stored, "-" the file removed
        QTest::addColumn<QString>("pwd1");
        QTest::newRow("file missing") << u"-"_s << u"="_s;
        QTest::newRow("name edited to plain text") << u"anna"_s << u"="_s;
        QTest::newRow("password emptied") << u"="_s << u""_s;
        QTest::newRow("password edited to plain text") << u"="_s << u"titok"_s;
        QTest::newRow("name's first code below 130") << u"\u0081xxxxxxxx"_s << u"="_s;
    }
    void damagedFile()
    {
        QFETCH(QString, nev1);
        QFETCH(QString, pwd1);
        SettingsFile f;
        f.setAdministrator(1, u"anna"_s, u"titok"_s);
        if (nev1 == u"-")
            QVERIFY(QFile::remove(f.ini.path()));
        else if (nev1 != u"=")
            QVERIFY(f.ini.writeString(u"ADMIN"_s, u"NEV1"_s, nev1));
        if (pwd1 != u"=")
            QVERIFY(f.ini.writeString(u"ADMIN"_s, u"PWD1"_s, pwd1));
        const QString tampered = u"A Kalvix.ini fájlt kitörölték, vagy megváltoztatták!"_s;
        QCOMPARE(administratorFileProblem(f.ini).value_or(QString()), tampered);
        QCOMPARE(checkAdministrator(f.ini, u"quintor"_s, u"fenwal"_s).value_or(QString()), tampered);
    }

    void changesApplyToTheNextLogin()
    {
        SettingsFile f;
        f.setAdministrator(1, u"anna"_s, u"titok"_s);
        QVERIFY(!checkAdministrator(f.ini, u"anna"_s, u"titok"_s));
        f.setAdministrator(1, u"anna"_s, u"új"_s);
        QVERIFY(checkAdministrator(f.ini, u"anna"_s, u"titok"_s));
        QVERIFY(!checkAdministrator(f.ini, u"anna"_s, u"új"_s));
    }

    void purposePanels_data()
    {
        QTest::addColumn<int>("purpose");
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<bool>("warning");
        QTest::newRow("close") << 1
                               << QStringList{u"A program bezárása után"_s, u"a tel.központ küldött adatai"_s,
                                              u"ELVESZHETNEK !"_s}
                               << true;
        QTest::newRow("settings") << 2
                                  << QStringList{u"A beállítások elvégzéséhez"_s,
                                                 u"rendszergazdai azonosító"_s, u"és jelszó szükséges !"_s}
                                  << false;
        QTest::newRow("stop") << 3
                              << QStringList{u"Kommunikáció leállítása után"_s,
                                             u"a tel.központ küldött adatai"_s, u"ELVESZHETNEK !"_s}
                              << true;
    }
    void purposePanels()
    {
        QFETCH(int, purpose);
        QFETCH(QStringList, lines);
        QFETCH(bool, warning);
        const LoginPanel panel = loginPanel(LoginPurpose(purpose));
        QCOMPARE(panel.lines, lines);
        QCOMPARE(panel.warning, warning);
    }
};

REGISTER_TEST(TestCollectorSettings)
REGISTER_TEST(TestAdministrator)
#include "test_collector_settings.moc"
