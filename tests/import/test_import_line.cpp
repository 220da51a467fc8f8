#include "core/cp1250.h"
#include "core/import_line.h"
#include "recording_reporter.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A record line as the collector writes it (80 columns).
QString collectorLine(const QString& date, const QString& time, const QString& extension,
                      const QString& trunk, const QString& number, const QString& duration,
                      const QString& account = u"...."_s)
{
    return date.leftJustified(8) + u"  "_s + time.leftJustified(7) + u' ' + extension.leftJustified(4) +
           u' ' + trunk.leftJustified(2) + u' ' + number.leftJustified(36) + u"  "_s +
           duration.leftJustified(8) + u"\" "_s + account.leftJustified(4) + u"  "_s;
}

const LineSource source{u"/imp/D052325A.txt"_s, u"D052325A.txt"_s, 7};

} // namespace

class TestImportLine : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void collectorTimes_data()
    {
        QTest::addColumn<QString>("time");
        QTest::addColumn<QString>("stored");
        QTest::newRow("blank hour, afternoon") << u" 9:05DU"_s << u"21:05:00"_s;
        QTest::newRow("half past midnight") << u"12:30DE"_s << u"00:30:00"_s;
        QTest::newRow("half past noon") << u"12:30DU"_s << u"12:30:00"_s;
        QTest::newRow("hour 00 PM stays") << u"00:15PM"_s << u"00:15:00"_s;
        QTest::newRow("morning AM") << u"07:45AM"_s << u"07:45:00"_s;
        QTest::newRow("lower-case pm") << u"11:59pm"_s << u"23:59:00"_s;
    }
    void collectorTimes()
    {
        QFETCH(QString, time);
        QFETCH(QString, stored);
        RecordingReporter reporter;
        const auto row = parseCollectorLine(
            collectorLine(u"05/23/25"_s, time, u"201"_s, u"01"_s, u"0612"_s, u"00:02'25"_s), source);
        QVERIFY(row);
        QCOMPARE(row->kezdido, stored);
        QVERIFY(reporter.messages.isEmpty());
    }

    void unknownTimeMarkerIsReportedAndStoredAsItStands()
    {
        RecordingReporter reporter;
        const auto row = parseCollectorLine(
            collectorLine(u"05/23/25"_s, u"09:05??"_s, u"201"_s, u"01"_s, u"0612"_s, u"00:02'25"_s), source);
        QVERIFY(row);
        QCOMPARE(row->kezdido, u"09:05??"_s);
        QCOMPARE(reporter.take(),
                 (QList<ReportedMessage>{{ReportedMessage::Message,
                                          u"Import fájlban idő-formátum hiba!;De/Du vagy Am/Pm helyett: ??"_s,
                                          u'H', u"R"_s, -1}}));
    }

    void collectorRecordFields()
    {
        RecordingReporter reporter;
        const auto row = parseCollectorLine(collectorLine(u"05/23/25"_s, u"09:05DU"_s, u"X12"_s, u"02"_s,
                                                          u"06301234567"_s, u"01:02'03"_s, u"12"_s),
                                            source);
        QVERIFY(row);
        QCOMPARE(row->kezdnap, u"2025.05.23"_s);
        QCOMPARE(row->hossz, u"01:02:03"_s);
        QCOMPARE(row->cseng, 0);
        QCOMPARE(row->hivoszam, u"X12"_s);
        QCOMPARE(row->eszk1, u"X12"_s);
        QCOMPARE(row->eszk2, u"02"_s);
        QCOMPARE(row->hivottszam, u"06301234567"_s);
        QCOMPARE(row->irany, u"O"_s);
        QCOMPARE(row->osszeg, kNotPriced);
        QCOMPARE(row->azon1, u"12"_s);
        QCOMPARE(row->belso, false);
        QCOMPARE(row->nev1, u"  "_s);
        QCOMPARE(row->nev2, u"  "_s);
        QCOMPARE(row->importfajl, u"D052325A.txt"_s);
        QVERIFY(reporter.messages.isEmpty());
    }

    void collectorDirection_data()
    {
        QTest::addColumn<QString>("number");
        QTest::addColumn<QString>("direction");
        QTest::addColumn<QString>("stored");
        QTest::newRow("incoming mark") << u"<->0612345"_s << u"I"_s << u"<->0612345"_s;
        QTest::newRow("plain number") << u"0612345"_s << u"O"_s << u"0612345"_s;
        QTest::newRow("cut to 20") << u"0036123456789012345678"_s << u"O"_s << u"00361234567890123456"_s;
        QTest::newRow("mark beyond the 20th character does not count")
            << u"<0036123456789012345678>"_s << u"O"_s << u"<0036123456789012345"_s;
        QTest::newRow("incoming name from DOS letters")
            << cp1250::decode("<K\xA2r\x94s>") << u"I"_s << u"<Kórös>"_s;
    }
    void collectorDirection()
    {
        QFETCH(QString, number);
        RecordingReporter reporter;
        const auto row = parseCollectorLine(
            collectorLine(u"05/23/25"_s, u"09:05DU"_s, u"201"_s, u"01"_s, number, u"00:00'10"_s), source);
        QVERIFY(row);
        QTEST(row->irany, "direction");
        QTEST(row->hivottszam, "stored");
        QCOMPARE(row->osszeg, row->irany == u"O" ? kNotPriced : 0);
    }

    void shortLinesAreSkippedWithAWarning()
    {
        RecordingReporter reporter;
        const QString full =
            collectorLine(u"05/23/25"_s, u"09:05DU"_s, u"201"_s, u"01"_s, u"0612"_s, u"00:00'10"_s);
        // At 74 characters the account column is gone: the line is stored,
        // and the missing field is reported as any missing field is.
        const auto row = parseCollectorLine(full.left(74), source);
        QVERIFY(row);
        QCOMPARE(row->azon1, QString());
        QCOMPARE(reporter.take().size(), 1);
        QVERIFY(!parseCollectorLine(full.left(73), source));
        QCOMPARE(reporter.take(),
                 (QList<ReportedMessage>{
                     {ReportedMessage::Message,
                      u"A fájl egyik sora nem megfelelő vagy sérült !; ;/imp/D052325A.txt (7. sor) :;"_s +
                          full.left(73) + u"; ;Beolvasásból kihagyva."_s,
                      u'F', u"R"_s, -1}}));
    }

    void apostrophesBecomeColons()
    {
        RecordingReporter reporter;
        const auto row = parseCollectorLine(
            collectorLine(u"05/23/25"_s, u"09:05DU"_s, u"201"_s, u"01"_s, u"06'12\"34"_s, u"00:00'10"_s),
            source);
        QCOMPARE(row->hivottszam, u"06:12:34"_s);
    }

    void delimitedLine()
    {
        RecordingReporter reporter;
        const ForgRow row = parseDelimitedLine(
            u"2009/01/05 10:20:30, 00:01:10, 5, 201, O, 0612345678, x, A12, 0, 77, y, 201, Kiss Péter, 03, O'Brien"_s,
            source);
        QCOMPARE(row.kezdnap, u"2009.01.05"_s);
        QCOMPARE(row.kezdido, u"10:20:30"_s);
        QCOMPARE(row.hossz, u"00:01:10"_s);
        QCOMPARE(row.cseng, 5);
        QCOMPARE(row.hivoszam, u"201"_s);
        QCOMPARE(row.irany, u"O"_s);
        QCOMPARE(row.hivottszam, u"0612345678"_s);
        QCOMPARE(row.azon1, u"A12"_s);
        QCOMPARE(row.belso, false);
        QCOMPARE(row.id, u"77-2009.01.05"_s);
        QCOMPARE(row.eszk1, u"201"_s);
        QCOMPARE(row.nev1, u"Kiss Péter"_s);
        QCOMPARE(row.eszk2, u"03"_s);
        QCOMPARE(row.nev2, u"O'Brien"_s);
        QCOMPARE(row.osszeg, kNotPriced);
        QVERIFY(reporter.messages.isEmpty());
    }

    void delimitedLineWithMissingFields()
    {
        RecordingReporter reporter;
        const ForgRow row = parseDelimitedLine(u"2009.01.05 10:20:30;00:00:05;x;202;I;0612"_s, source);
        QCOMPARE(row.cseng, 0);
        QCOMPARE(row.irany, u"I"_s);
        QCOMPARE(row.osszeg, 0);
        QCOMPARE(row.id, u"-2009.01.05"_s);
        QCOMPARE(reporter.messages.size(), 9); // fields 7 to 15
        QCOMPARE(reporter.messages.first().text,
                 u"ERTC funkció - Nincs 7. pozíció:;2009.01.05 10:20:30;00:00:05;x;202;I;0612"_s);
    }
};

REGISTER_TEST(TestImportLine)
#include "test_import_line.moc"
