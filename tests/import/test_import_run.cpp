#include "core/clock.h"
#include "core/collector.h"
#include "core/cp1250.h"
#include "core/data_module.h"
#include "core/import_run.h"
#include "core/password.h"
#include "recording_reporter.h"
#include "recording_view.h"
#include "temp_folder.h"
#include "test_database.h"
#include "test_main.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

class RecordingStatus : public ImportStatus {
public:
    void show(const QString& text) override { texts.append(text); }
    QStringList texts;
};

// An import folder and an importer on a test database.
struct ImportFixture {
    explicit ImportFixture(TestDatabase& database) : dm(database.dataModule())
    {
        settings.folder = folder.path() + u'/';
        settings.mask = u"D*.txt"_s;
        settings.typeText = u"2"_s;
        settings.askFirst = false;
    }
    Importer importer() { return Importer(*dm, settings, u"USR001"_s, status); }
    QList<QStringList> rows(const QString& sql)
    {
        QList<QStringList> result;
        auto query = dm->qrMuv();
        if (!query || !query->exec(sql))
            return result;
        while (query->next()) {
            QStringList row;
            for (int i = 0; i < query->record().count(); ++i)
                row.append(query->value(i).toString());
            result.append(row);
        }
        return result;
    }
    qsizetype count(const QString& table) { return rows(u"select * from "_s + table).size(); }

    TempFolder folder;
    std::unique_ptr<Tdm1> dm;
    ImportSettings settings;
    RecordingStatus status;
};

// A collector record line (80 columns).
QString collectorLine(const QString& date, const QString& time, const QString& number,
                      const QString& account = u"...."_s, const QString& extension = u"201"_s)
{
    return date + u"  "_s + time + u' ' + extension.leftJustified(4) + u" 01 "_s + number.leftJustified(36) +
           u"  00:01'05\" "_s + account.leftJustified(4) + u"  \r\n"_s;
}

} // namespace

class TestImportRun : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // Kalvix's files, as its record writer makes them, arrive in Forg with
    // every field, in order, once.
    void collectorFilesArriveInTheCallTable_data() { TestDatabase::addBackendRows(); }
    void collectorFilesArriveInTheCallTable()
    {
        OPEN_TEST_DATABASE(database);
        ImportFixture f(database);
        RecordingReporter reporter;
        {
            FixedClock clock(QDateTime(QDate(2025, 5, 23), QTime(8, 0)));
            Clock::install(&clock);
            RecordingView view;
            CallRecordCollector collector(f.folder.path(), view);
            collector.setPbxType(PbxType::fromCode(u"1-002-01"_s));
            collector.open();
            for (const QString& line : {u"22/05/25  9:05PM 201  01 06301234567          00:02'25\r\n"_s,
                                        u"22/05/25 11:58AM *77  02 <I>0612345           01:00'00\r\n"_s,
                                        u"23/05/25 12:01AM 202  01 0036123456789        00:00'07\r\n"_s})
                collector.ProcessReceived(1, line);
            collector.close();
            Clock::install(nullptr);
        }
        QCOMPARE(f.folder.names(),
                 (QStringList{u"D052225A.txt"_s, u"D052325A.txt"_s, u"KVdata.txt"_s, u"KVerrs.txt"_s}));
        Importer importer = f.importer();
        QVERIFY(importer.Feltolt());
        QCOMPARE(importer.files().waiting, (QStringList{u"D052225A.txt"_s, u"D052325A.txt"_s}));
        QVERIFY(importer.Beolvas(ImportMode::Auto));
        QVERIFY(importer.VoltBeolvasas);
        QCOMPARE(reporter.messages, QList<ReportedMessage>());

        const QList<QStringList> forg = f.rows(u"select ID, kezdnap, kezdido, hossz, hivoszam, irany, "
                                               u"hivottszam, azon1, eszk2, osszeg, importfajl "
                                               "from Forg order by ID"_s);
        const QList<QStringList> expected = {
            {u"000000000000000001"_s, u"2025.05.22"_s, u"21:05:00"_s, u"00:02:25"_s, u"201"_s, u"O"_s,
             u"06301234567"_s, u"...."_s, u"01"_s, u"-999999"_s, u"D052225A.txt"_s},
            {u"000000000000000002"_s, u"2025.05.22"_s, u"11:58:00"_s, u"01:00:00"_s, u"X77"_s, u"I"_s,
             u"<I>0612345"_s, u"77"_s, u"02"_s, u"0"_s, u"D052225A.txt"_s},
            {u"000000000000000003"_s, u"2025.05.23"_s, u"00:01:00"_s, u"00:00:07"_s, u"202"_s, u"O"_s,
             u"0036123456789"_s, u"...."_s, u"01"_s, u"-999999"_s, u"D052325A.txt"_s}};
        QCOMPARE(forg, expected);
        const QList<QStringList> importok = f.rows(u"select nev, usr, tip, ut from Importok order by nev"_s);
        QCOMPARE(importok, (QList<QStringList>{{u"D052225A.txt"_s, u"USR001"_s, u"A"_s, f.settings.folder},
                                               {u"D052325A.txt"_s, u"USR001"_s, u"A"_s, f.settings.folder}}));

        // Each file once: nothing waits any more, also under another letter case.
        QFile::rename(f.folder.file(u"D052325A.txt"_s), f.folder.file(u"d052325a.TXT"_s));
        Importer again = f.importer();
        QVERIFY(!again.Feltolt());
        QCOMPARE(f.status.texts.last(), u"Nincs beolvasásra váró fájl."_s);
    }

    void progressAndCounts_data() { TestDatabase::addBackendRows(); }
    void progressAndCounts()
    {
        OPEN_TEST_DATABASE(database);
        ImportFixture f(database);
        RecordingReporter reporter;
        // Every tenth call is incoming, its caller named with DOS letters.
        QByteArray content;
        for (int i = 0; i < 120; ++i) {
            const QString number = i % 10
                                       ? QString(u"06"_s + QString::number(i))
                                       : QString(cp1250::decode("<K\xA2r\x94s ") + QString::number(i) + u'>');
            content += cp1250::encode(collectorLine(u"05/23/25"_s, u"09:05DE"_s, number));
        }
        f.folder.write(u"D1.txt"_s, content);
        f.folder.write(u"D2.txt"_s, QByteArray());
        Importer importer = f.importer();
        QVERIFY(importer.Feltolt());
        QCOMPARE(f.status.texts.last(), u"2 darab beolvasásra váró fájl található."_s);
        f.status.texts.clear();
        QVERIFY(importer.Beolvas(ImportMode::Auto));
        QCOMPARE(f.status.texts, (QStringList{u"D1.txt"_s, u"D1.txt - Sor: 1"_s, u"D1.txt - Sor: 51"_s,
                                              u"D1.txt - Sor: 101"_s, u"D1.txt - KÉSZ. (120 sor)"_s,
                                              u"D2.txt"_s, u"D2.txt - KÉSZ. (0 sor)"_s}));
        QCOMPARE(f.count(u"Forg"_s), 120);
        QCOMPARE(f.count(u"Importok"_s), 2);
        const QList<QStringList> incoming =
            f.rows(u"select hivottszam from Forg where irany = 'I' order by ID"_s);
        QCOMPARE(incoming.size(), 12);
        QCOMPARE(incoming[0], QStringList{u"<Kórös 0>"_s});
        QCOMPARE(incoming[11], QStringList{u"<Kórös 110>"_s});
    }

    void delimitedFiles_data() { TestDatabase::addBackendRows(); }
    void delimitedFiles()
    {
        OPEN_TEST_DATABASE(database);
        ImportFixture f(database);
        RecordingReporter reporter;
        f.settings.typeText = u"1"_s;
        f.settings.mask = u"*.csv"_s;
        f.folder.write(
            u"calls.csv"_s,
            cp1250::encode(
                u"header line\r\n"
                "2009/01/05 10:20:30,00:01:10,5,201,O,0612345678,x,A12,0,77,y,201,Kiss Péter,03,O'Brien\r\n"
                "2009/01/05 11:00:00;00:00:10;;202;I;0613;x;;1;78;y;202;;04;\r\n"_s));
        Importer importer = f.importer();
        QVERIFY(importer.Feltolt());
        QVERIFY(importer.Beolvas(ImportMode::Auto));
        QCOMPARE(f.status.texts.last(), u"calls.csv - KÉSZ. (2 sor)"_s);
        const QList<QStringList> forg =
            f.rows(u"select ID, kezdnap, kezdido, cseng, irany, nev1, nev2, osszeg from Forg order by ID"_s);
        QCOMPARE(forg, (QList<QStringList>{{u"77-2009.01.05"_s, u"2009.01.05"_s, u"10:20:30"_s, u"5"_s,
                                            u"O"_s, u"Kiss Péter"_s, u"O'Brien"_s, u"-999999"_s},
                                           {u"78-2009.01.05"_s, u"2009.01.05"_s, u"11:00:00"_s, u"0"_s,
                                            u"I"_s, QString(), QString(), u"0"_s}}));
        auto query = f.dm->qrMuv();
        QVERIFY(query->exec(u"select count(*) from Forg where belso = "_s +
                            f.dm->dialect().booleanLiteral(true)));
        QVERIFY(query->next());
        QCOMPARE(query->value(0).toInt(), 1);
    }

    // A file is stored whole or not at all; the secret codes of a file that
    // was rolled back are forgotten with their Kodok rows.
    void failedFileLeavesNothingBehind_data() { TestDatabase::addBackendRows(); }
    void failedFileLeavesNothingBehind()
    {
        OPEN_TEST_DATABASE(database);
        ImportFixture f(database);
        RecordingReporter reporter;
        f.settings.accountCodes = true;
        // A unique number makes the third line of the first file fail.
        auto query = f.dm->qrMuv();
        QVERIFY(query->exec(u"create unique index test_unique_number on Forg (hivottszam)"_s));
        f.folder.write(u"D1.txt"_s,
                       cp1250::encode(collectorLine(u"05/23/25"_s, u"09:05DE"_s, u"0611"_s, u"111"_s) +
                                      collectorLine(u"05/23/25"_s, u"09:06DE"_s, u"0622"_s, u"222"_s) +
                                      collectorLine(u"05/23/25"_s, u"09:07DE"_s, u"0611"_s, u"333"_s)));
        f.folder.write(u"D2.txt"_s,
                       cp1250::encode(collectorLine(u"05/24/25"_s, u"10:00DE"_s, u"0633"_s, u"444"_s) +
                                      collectorLine(u"05/24/25"_s, u"10:01DE"_s, u"0634"_s, u"111"_s)));
        Importer importer = f.importer();
        QVERIFY(importer.Feltolt());
        QVERIFY(importer.Beolvas(ImportMode::Auto)); // the last file counts
        QCOMPARE(importer.outcomes().size(), 2);
        QVERIFY(!importer.outcomes()[0].read);
        QVERIFY(importer.outcomes()[0].error.startsWith(u"3. sor: "));
        QCOMPARE(reporter.messages.size(), 1);
        QVERIFY(reporter.messages[0].text.contains(f.folder.file(u"D1.txt"_s)));
        QCOMPARE(f.rows(u"select azon1, importfajl from Forg order by ID"_s),
                 (QList<QStringList>{{u"A0001"_s, u"D2.txt"_s}, {u"A0002"_s, u"D2.txt"_s}}));
        QCOMPARE(f.rows(u"select nev from Importok"_s), QList<QStringList>{{u"D2.txt"_s}});
        const QList<QStringList> codes = f.rows(u"select tkod, azon from Kodok order by azon"_s);
        QCOMPARE(codes.size(), 2);
        QCOMPARE(DecodeTextA(codes[0][0]), u"444"_s);
        QCOMPARE(DecodeTextA(codes[1][0]), u"111"_s);

        // Mended, the first file is read at the next run with the codes it now finds.
        QVERIFY(query->exec(u"drop index test_unique_number"_s));
        Importer next = f.importer();
        QVERIFY(next.Feltolt());
        QCOMPARE(next.files().waiting, QStringList{u"D1.txt"_s});
        QVERIFY(next.Beolvas(ImportMode::Auto));
        QCOMPARE(f.rows(u"select azon1 from Forg where importfajl = 'D1.txt' order by ID"_s),
                 (QList<QStringList>{{u"A0002"_s}, {u"A0003"_s}, {u"A0004"_s}}));
    }

    // Rows go to the database in batches; a failure inside a full batch still
    // names its line.
    void failureInsideABatchNamesItsLine_data() { TestDatabase::addBackendRows(); }
    void failureInsideABatchNamesItsLine()
    {
        OPEN_TEST_DATABASE(database);
        ImportFixture f(database);
        RecordingReporter reporter;
        auto query = f.dm->qrMuv();
        QVERIFY(query->exec(u"create unique index test_unique_number on Forg (hivottszam)"_s));
        QString content;
        for (int i = 1; i <= 250; ++i)
            content +=
                collectorLine(u"05/23/25"_s, u"09:05DE"_s, u"06"_s + QString::number(i == 175 ? 10 : i));
        f.folder.write(u"D1.txt"_s, cp1250::encode(content));
        Importer importer = f.importer();
        QVERIFY(importer.Feltolt());
        QVERIFY(!importer.Beolvas(ImportMode::Auto));
        QVERIFY2(importer.outcomes()[0].error.startsWith(u"175. sor: "),
                 qPrintable(importer.outcomes()[0].error));
        QCOMPARE(f.count(u"Forg"_s), 0);
        QCOMPARE(f.count(u"Importok"_s), 0);
    }

    void refusalsAndMessages_data() { TestDatabase::addBackendRows(); }
    void refusalsAndMessages()
    {
        OPEN_TEST_DATABASE(database);
        ImportFixture f(database);
        RecordingReporter reporter;
        Importer empty = f.importer();
        QVERIFY(!empty.Feltolt());
        QCOMPARE(f.status.texts.last(), u"A megadott útvonalon nincs beolvasható fájl."_s);

        f.folder.write(u"D1.txt"_s, cp1250::encode(collectorLine(u"05/23/25"_s, u"09:05DE"_s, u"0611"_s)));
        f.folder.write(u"D2.txt"_s, QByteArray());
        f.settings.askFirst = true;
        Importer asking = f.importer();
        QVERIFY(asking.Feltolt());
        reporter.answerNext(mrNo);
        QVERIFY(!asking.Beolvas(ImportMode::Auto));
        QVERIFY(!asking.VoltBeolvasas);
        QCOMPARE(reporter.take(),
                 (QList<ReportedMessage>{
                     {ReportedMessage::Message, u"Elindítja most a beolvasást?"_s, u'K', u"NI"_s, -1}}));

        f.settings.askFirst = false;
        f.settings.typeText = u"3"_s;
        Importer unknown = f.importer();
        QVERIFY(unknown.Feltolt());
        QVERIFY(!unknown.Beolvas(ImportMode::Auto));
        QCOMPARE(reporter.messages.size(), 2);
        QCOMPARE(
            reporter.messages[0].text,
            u"Ismeretlen import-fájl típus: 3; ;Állítson be megfelelőt, és indítsa újra a beolvasást."_s);
        QCOMPARE(reporter.messages[0].kind, u'I');
        reporter.take();

        // A file that vanished after the search is reported and waits again.
        f.settings.typeText = u"2"_s;
        Importer vanished = f.importer();
        QVERIFY(vanished.Feltolt());
        QFile::remove(f.folder.file(u"D1.txt"_s));
        QVERIFY(vanished.Beolvas(ImportMode::Read, {u"D1.txt"_s, u"D2.txt"_s}));
        QCOMPARE(reporter.messages.first().text, u"A fájl nem megnyitható:;"_s + f.folder.file(u"D1.txt"_s));
        QCOMPARE(f.rows(u"select nev, tip from Importok"_s), (QList<QStringList>{{u"D2.txt"_s, u"K"_s}}));
        QCOMPARE(f.count(u"Forg"_s), 0);
    }
};

REGISTER_TEST(TestImportRun)
#include "test_import_run.moc"
