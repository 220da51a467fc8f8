#include "core/parameter_store.h"
#include "core/setup_geometry.h"
#include "recording_reporter.h"
#include "temp_folder.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

const QStringList kPages{u"Alapvető működés"_s, u"Import kezelése"_s};
const QStringList kItems{
    u"1;L;Induláskor import fájlok keresése;Igen;IMPORT;AUTOSTART"_s,
    u"1;M;- ha igen: fővonal csoportok száma (max.6);0;VONALAK;CSOPDRB;9"_s,
    u"2;C;Import fájlok maszkja;D*.txt;IMPORT;MASZK"_s,
    u"2;N;Import fájlok típusa;2;IMPORT;IMPTIPUS"_s,
    u"2;R;Percdíj;-1;DIJHOZ;HlyPERCDIJ"_s,
};

// A store on Ceg.ini of a temporary folder, with the comma as the local
// decimal separator, as on a Hungarian system.
struct Store {
    TempFolder folder;
    ParameterStore store;
    explicit Store(const QByteArray& content = QByteArray(), const QStringList& items = kItems)
    {
        if (!content.isNull())
            folder.write(u"Ceg.ini"_s, content);
        store.setDecimalSeparator(u',');
        store.Init(u"Programra vonatkozó paraméterek beállítása"_s, folder.file(u"Ceg.ini"_s), kPages, items);
    }
    int indexOf(const QString& key) const
    {
        for (const QString& line : store.ParamList()) {
            if (line.section(u';', 4) == key)
                return line.section(u';', 0, 0).toInt();
        }
        return -1;
    }
};

} // namespace

class TestParameterStore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void buildsControlsPageByPage()
    {
        RecordingReporter reporter;
        QStringList items = kItems;
        items.insert(1, u"1;X;Ismeretlen típus;0;IMPORT;XX"_s);
        items.append(u"3;C;Nincs ilyen oldal;;IMPORT;NINCS"_s);
        Store s(QByteArray(), items);
        const ParameterStore& store = s.store;
        QCOMPARE(store.pages(), kPages);
        QCOMPARE(store.controls().size(), 5);
        QCOMPARE(store.ParamList(), (QStringList{u"0;L;Igen;IMPORT;AUTOSTART"_s, u"1;M;0;VONALAK;CSOPDRB"_s,
                                                 u"2;C;D*.txt;IMPORT;MASZK"_s, u"3;N;2;IMPORT;IMPTIPUS"_s,
                                                 u"4;R;-1;DIJHOZ;HlyPERCDIJ"_s}));
        QCOMPARE(store.controls()[0].label, u" 1. Induláskor import fájlok keresése"_s);
        QCOMPARE(store.controls()[1].label, u" 2. - ha igen: fővonal csoportok száma (max.6)"_s);
        QCOMPARE(store.controls()[1].editMask, u"9;1; "_s);
        QCOMPARE(store.controls()[2].page, 1);
        QCOMPARE(store.controls()[2].row, 0);
        QCOMPARE(store.controls()[2].label, u" 1. Import fájlok maszkja"_s);
        QCOMPARE(store.firstControl(), std::optional<int>(0));
        QCOMPARE(reporter.messages, QList<ReportedMessage>());
    }

    void defaultsWithoutFileAndSaving()
    {
        Store s;
        QCOMPARE(s.store.controls()[s.indexOf(u"IMPTIPUS"_s)].text, u"2"_s);
        QCOMPARE(s.store.ParamN(u"IMPTIPUS"_s), 2);
        QCOMPARE(s.store.ParamC(u"MASZK"_s), u"D*.txt"_s);
        QVERIFY(s.store.ParamL(u"AUTOSTART"_s));
        QVERIFY(!s.folder.names().contains(u"Ceg.ini"_s));
        QVERIFY(s.store.gmRnb1Click());
        s.store.FormClose();
        const IniFile ini(s.folder.file(u"Ceg.ini"_s));
        QCOMPARE(ini.readString(u"IMPORT"_s, u"IMPTIPUS"_s), u"2"_s);
        QCOMPARE(ini.readString(u"IMPORT"_s, u"AUTOSTART"_s), u"1"_s);
        QCOMPARE(ini.readString(u"VONALAK"_s, u"CSOPDRB"_s), u"0"_s);
    }

    void logicalValues_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("5") << QByteArray("5") << true;
        QTest::newRow("x takes the default") << QByteArray("x") << true;
        QTest::newRow("1") << QByteArray("1") << true;
    }
    void logicalValues()
    {
        QFETCH(QByteArray, stored);
        Store s("[IMPORT]\r\nAUTOSTART=" + stored + "\r\n");
        QTEST(s.store.ParamL(u"AUTOSTART"_s), "ticked");
    }

    void realValues_data()
    {
        QTest::addColumn<QByteArray>("stored");
        QTest::addColumn<QChar>("separator");
        QTest::addColumn<double>("value");
        QTest::newRow("1.5 comma system") << QByteArray("1.5") << QChar(u',') << 1.5;
        QTest::newRow("1.5 point system") << QByteArray("1.5") << QChar(u'.') << 1.5;
        QTest::newRow("1,5 point system") << QByteArray("1,5") << QChar(u'.') << 1.5;
        QTest::newRow("1.5.2") << QByteArray("1.5.2") << QChar(u',') << 0.0;
        QTest::newRow("1.5.2 point system") << QByteArray("1.5.2") << QChar(u'.') << 0.0;
        QTest::newRow("empty") << QByteArray("") << QChar(u',') << 0.0;
        QTest::newRow("-1") << QByteArray("-1") << QChar(u',') << -1.0;
    }
    void realValues()
    {
        QFETCH(QByteArray, stored);
        QFETCH(QChar, separator);
        RecordingReporter reporter;
        Store s("[DIJHOZ]\r\nHlyPERCDIJ=" + stored + "\r\n");
        s.store.setDecimalSeparator(separator);
        QTEST(s.store.ParamR(u"HlyPERCDIJ"_s), "value");
        QVERIFY(reporter.messages.isEmpty());
    }

    void cancelForgetsEdits()
    {
        Store s("[IMPORT]\r\nMASZK=D*.TXT\r\n");
        QVERIFY(s.store.checkExecute());
        s.store.setText(s.indexOf(u"MASZK"_s), u"X*.txt"_s);
        s.store.setChecked(s.indexOf(u"AUTOSTART"_s), false);
        s.store.FormClose(); // "Mégsem" or Esc
        QCOMPARE(s.store.ParamC(u"MASZK"_s), u"D*.TXT"_s);
        QVERIFY(s.store.ParamL(u"AUTOSTART"_s));
        QCOMPARE(s.folder.read(u"Ceg.ini"_s), QByteArray("[IMPORT]\r\nMASZK=D*.TXT\r\n"));
    }

    void twoStoresShareOneFile()
    {
        // The program and the tariff parameters both live in Ceg.ini: a save of
        // one keeps what the other wrote meanwhile.
        Store program;
        ParameterStore tariffs;
        QVERIFY(tariffs.Init(u"Alap-díjak és körzetek beállítása"_s, program.folder.file(u"Ceg.ini"_s),
                             {u"Körzetek"_s},
                             {u"1;C;Külföldi hívás előválasztó;+,00;DIJHOZ;KlfELOVALASZT"_s}));
        tariffs.WriteParamC(u"KlfELOVALASZT"_s, u"00"_s);
        QVERIFY(program.store.SaveParams());
        tariffs.LoadParams();
        QCOMPARE(tariffs.ParamC(u"KlfELOVALASZT"_s), u"00"_s);
        const IniFile ini(program.folder.file(u"Ceg.ini"_s));
        QCOMPARE(ini.readString(u"DIJHOZ"_s, u"KlfELOVALASZT"_s), u"00"_s);
        QCOMPARE(ini.readString(u"IMPORT"_s, u"MASZK"_s), u"D*.txt"_s);
    }

    void repeatedKeyReachesTheFirstOnly()
    {
        Store s(QByteArray(), {u"1;C;Első;a;ELSO;KULCS"_s, u"1;C;Második;b;MASODIK;KULCS"_s});
        QCOMPARE(s.store.controls().size(), 2);
        QCOMPARE(s.store.controls()[1].text, u"b"_s);
        s.store.WriteParamC(u"KULCS"_s, u"új"_s);
        QCOMPARE(s.store.ParamC(u"KULCS"_s), u"új"_s);
        const IniFile ini(s.folder.file(u"Ceg.ini"_s));
        QCOMPARE(ini.readString(u"ELSO"_s, u"KULCS"_s), u"új"_s);
        QVERIFY(!ini.valueExists(u"MASODIK"_s, u"KULCS"_s));
    }

    void failures_data()
    {
        QTest::addColumn<QString>("call");
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("result");
        QTest::newRow("ParamN without entry")
            << u"N:NINCS"_s
            << QStringList{u"Nincs ilyen nevű paraméter: NINCS"_s, u"Paraméter értéke nem szám: NINCS"_s}
            << u"0"_s;
        QTest::newRow("ParamC without entry")
            << u"C:NINCS"_s << QStringList{u"Nincs ilyen nevű paraméter: NINCS"_s} << QString();
        QTest::newRow("ParamL without entry")
            << u"L:NINCS"_s << QStringList{u"Nincs ilyen nevű paraméter: NINCS"_s} << u"false"_s;
        QTest::newRow("ParamC of a logical")
            << u"C:AUTOSTART"_s << QStringList{u"A paraméter LOGIKAI: AUTOSTART"_s} << u"1"_s;
        QTest::newRow("ParamL of a number")
            << u"L:IMPTIPUS"_s << QStringList{u"A paraméter nem LOGIKAI: IMPTIPUS"_s} << u"true"_s;
        QTest::newRow("ParamN of text")
            << u"N:MASZK"_s << QStringList{u"Paraméter értéke nem szám: MASZK"_s} << u"0"_s;
        QTest::newRow("WriteParamC of a number")
            << u"W:IMPTIPUS"_s << QStringList{u"Az IRANDÓ paraméter nem karakteres: IMPTIPUS"_s} << u"2"_s;
        QTest::newRow("WriteParamC without entry")
            << u"W:NINCS"_s << QStringList{u"Nincs ilyen nevű paraméter: NINCS"_s} << QString();
    }
    void failures()
    {
        QFETCH(QString, call);
        Store s;
        RecordingReporter reporter;
        const QString key = call.mid(2);
        QString result;
        switch (call[0].unicode()) {
        case u'N':
            result = QString::number(s.store.ParamN(key));
            break;
        case u'C':
            result = s.store.ParamC(key);
            break;
        case u'L':
            result = s.store.ParamL(key) ? u"true"_s : u"false"_s;
            break;
        case u'W': {
            s.store.WriteParamC(key, u"9"_s);
            const int index = s.indexOf(key);
            result = index < 0 ? QString() : s.store.controls()[index].text;
            break;
        }
        }
        QList<ReportedMessage> expected;
        QFETCH(QStringList, messages);
        for (const QString& text : messages)
            expected.append(internalError(text));
        QCOMPARE(reporter.messages, expected);
        QTEST(result, "result");
        QVERIFY(!s.folder.names().contains(u"Ceg.ini"_s));
    }

    void initFailures()
    {
        RecordingReporter reporter;
        TempFolder folder;
        ParameterStore store;
        QVERIFY(!store.checkExecute());
        QVERIFY(!store.Init(u"c"_s, QString(), kPages, kItems));
        QVERIFY(!store.Init(u"c"_s, folder.file(u"nincs/Ceg.ini"_s), kPages, kItems));
        QVERIFY(!store.Init(u"c"_s, folder.path(), kPages, kItems));
        QVERIFY(!store.isInitialised());
        QVERIFY(store.Init(u"c"_s, folder.file(u"Ceg.ini"_s), kPages, kItems));
        QVERIFY(!store.Init(u"c"_s, folder.file(u"Ceg.ini"_s), kPages, kItems));
        QCOMPARE(store.pages().size(), 2);
        QCOMPARE(reporter.messages,
                 (QList<ReportedMessage>{internalError(u"SETUP nincs inicializálva."_s),
                                         internalError(u"INI-fájl neve nincs megadva."_s),
                                         {ReportedMessage::Message,
                                          u"INI-fájl létrehozási hiba: "_s + folder.file(u"nincs/Ceg.ini"_s),
                                          u'H', u"R"_s, -1},
                                         {ReportedMessage::Message,
                                          u"INI-fájl létrehozási hiba: "_s + folder.path(), u'H', u"R"_s, -1},
                                         internalError(u"SETUP második inicializálási kisérlet."_s)}));
    }

    void failedSaveIsReported()
    {
        Store s;
        RecordingReporter reporter;
        // The file's place is taken by a folder: the write cannot succeed.
        QDir(s.folder.path()).mkpath(u"Ceg.ini"_s);
        QVERIFY(!s.store.SaveParams());
        QCOMPARE(reporter.messages.size(), 1);
        QVERIFY(reporter.messages[0].text.startsWith(u"INI-fájl írási hiba: "_s));
        QCOMPARE(reporter.messages[0].kind, u'H');
    }

    void pagesWrapAround()
    {
        QCOMPARE(pageAfterPageDown(0, 3), 1);
        QCOMPARE(pageAfterPageDown(2, 3), 0);
        QCOMPARE(pageAfterPageUp(0, 3), 2);
        QCOMPARE(pageAfterPageUp(1, 3), 0);
        QCOMPARE(pageAfterPageDown(0, 1), 0);
    }

    void geometry_data()
    {
        QTest::addColumn<double>("scale");
        QTest::addColumn<int>("checkBox");
        QTest::addColumn<int>("editLeft");
        QTest::addColumn<int>("wide");
        QTest::addColumn<int>("narrow");
        QTest::addColumn<int>("pageControl");
        QTest::addColumn<int>("cancelLeft");
        QTest::addColumn<int>("saveLeft");
        // Page width 602, form 640, buttons 75 wide.
        QTest::newRow("1") << 1.0 << 317 << 312 << 280 << 80 << 610 << 535 << 430;
        // 10 * 1.25 = 12.5 rounds to 12, 30 * 1.25 = 37.5 to 38.
        QTest::newRow("1.25") << 1.25 << 245 << 240 << 350 << 100 << 602 << 527 << 414;
    }
    void geometry()
    {
        QFETCH(double, scale);
        using namespace setupgeometry;
        QTEST(checkBoxWidth(602, scale), "checkBox");
        QTEST(editLeft(602, scale), "editLeft");
        QTEST(wideEditWidth(scale), "wide");
        QTEST(narrowEditWidth(scale), "narrow");
        const ResizedLayout layout = resizedLayout(640, 75, 75, scale);
        QTEST(layout.pageControlWidth, "pageControl");
        QTEST(layout.cancelLeft, "cancelLeft");
        QTEST(layout.saveLeft, "saveLeft");
        QCOMPARE(rowTop(0), 15);
        QCOMPARE(rowTop(2), 71);
        QCOMPARE(editTop(2), 66);
    }
};

REGISTER_TEST(TestParameterStore)
#include "test_parameter_store.moc"
