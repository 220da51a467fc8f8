#include "collector_fixture.h"
#include "core/fields.h"
#include "core/ini_file.h"
#include "recording_reporter.h"
#include "test_main.h"

#include <QTest>

#include <cerrno>

class TestCollector : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void goodRecordShowsItsFirst74CharactersWithTheYearFirst()
    {
        CollectorFixture f;
        f.feed(tdaLine(u"23/05/25"_s, u" 9:05PM"_s, u"*12"_s, u"06301234567"_s));
        const QString line = f.read(u"KVdata.txt"_s);
        QCOMPARE(line.size(), 82);
        QCOMPARE(f.view.records, QStringList{u"2025.05.23"_s + line.mid(8, 66)});
        QCOMPARE(f.view.records.first().size(), 76); // the date is two characters longer
    }

    void displayConvertsDosLettersForTheWindow()
    {
        CollectorFixture f(u"1-000-00"_s);
        f.feed(cp1250::decode("12345678 K\xA2r\x94s \x81zem\r\n"));
        QCOMPARE(f.view.records, QStringList{u"2025.05.23 Kórös üzem"_s});
        // The file keeps the bytes as received.
        QCOMPARE(f.folder.read(u"KVdata.txt"_s), QByteArray("12345678 K\xA2r\x94s \x81zem\r\n"));
    }

    void defectsAreShownAndTheRecordGoesToTheErrorLog()
    {
        CollectorFixture f(u"1-999-01"_s);
        f.feed(u"32/05/25 09:75pm 201  01 06301234567          00:02'25\r\n"_s);
        QCOMPARE(f.view.errors, (QStringList{u"Dátumban (32/05/25) a nap, nem 1..31 között van: 32"_s,
                                             u"Időpontban (09:75PM) a perc hibás: 75"_s}));
        QVERIFY(f.view.records.isEmpty());
        QCOMPARE(f.read(u"KVdata.txt"_s), QString());
        QCOMPARE(f.read(u"KVerrs.txt"_s).count(u"\r\n"_s), 1);
    }

    void passThroughLineKeepsItsOwnLineEnd()
    {
        CollectorFixture f(u"1-001-01"_s);
        f.feed(u"05/23/25 10:00AM 201 01 0612345 00:01'00\r\n"_s);
        QCOMPARE(f.read(u"KVdata.txt"_s), u"05/23/25 10:00AM 201 01 0612345 00:01'00\r\n"_s);
        QCOMPARE(f.collector->writer().dataKey(), u"052325"_s);
    }

    void unknownLayoutTypeFilesAnEmptyBadLine()
    {
        CollectorFixture f(u"1-003-01"_s);
        f.feed(u"23/05/25 whatever\r\n"_s);
        QCOMPARE(f.read(u"KVerrs.txt"_s), u"\r\n"_s);
        QCOMPARE(f.read(u"KVdata.txt"_s), QString());
    }

    void layoutIsReadFromTheSettingsFile()
    {
        CollectorFixture f(u"1-999-01"_s);
        IniFile ini(f.folder.file(u"Kalvix.ini"_s));
        QVERIFY(ini.writeInteger(u"KIND999"_s, u"LineFd"_s, 1));
        QVERIFY(ini.writeBool(u"KIND999"_s, u"Ido24E"_s, true));
        QVERIFY(ini.writeInteger(u"KIND999"_s, u"DatSor"_s, 1));
        f.collector->IniLoad(ini);
        f.feed(u"05/23/25 21:05   201  01 06301234567          00:02'25\r\n"_s);
        QVERIFY(f.read(u"KVdata.txt"_s).isEmpty());
        f.feed(u"\n\r"_s);
        QCOMPARE(f.view.errors, QStringList());
        QVERIFY(f.read(u"KVdata.txt"_s).startsWith(u"05/23/25  09:05DU 201  01 06301234567"_s));
    }

    // The written line gives back the fields it was made of, in every output
    // mode, at the columns the importer reads.
    void recordLineRoundTrip_data()
    {
        QTest::addColumn<QString>("pbxType");
        QTest::newRow("fixed width") << u"1-999-01"_s;
        QTest::newRow("semicolon") << u"1-999-02"_s;
        QTest::newRow("day of receipt") << u"1-999-00"_s;
    }
    void recordLineRoundTrip()
    {
        QFETCH(QString, pbxType);
        CollectorFixture f(pbxType);
        f.feed(u"23/05/25 11:58pm *77  02 <0036123456789>      01:02'03\r\n"_s);
        const QString written = f.read(u"KVdata.txt"_s);
        QVERIFY(written.endsWith(u"\r\n"));
        const QStringList expected = {u"2025.05.23"_s, u"11:58DU"_s,         u"01:02'03"_s, u"X77"_s,
                                      u"02"_s,         u"<0036123456789>"_s, u"77"_s};
        QStringList fields;
        if (PbxType::fromCode(pbxType).outputMode == 2) {
            for (int n = 2; n <= 8; ++n)
                fields.append(ERTC(n, written.chopped(2), false));
            fields[2][5] = u'\''; // the duration's "'" is written as ":"
        } else {
            const auto column = [&](int first, int last) {
                return written.mid(first - 1, last - first + 1).trimmed();
            };
            const QString date = column(1, 8);
            fields = {u"20"_s + date.mid(6, 2) + u'.' + date.left(2) + u'.' + date.mid(3, 2),
                      column(11, 17),
                      column(65, 72),
                      column(19, 22),
                      column(24, 25),
                      column(27, 62),
                      column(75, 78)};
            QCOMPARE(written.at(72), u'"');
            QCOMPARE(written.size(), 82);
        }
        QCOMPARE(fields, expected);
        f.collector->close();
        QVERIFY(
            f.folder.names().contains(pbxType.endsWith(u"00") ? u"D2025.05.23A.txt"_s : u"D052325A.txt"_s));
    }

    void waitingLinesAreProcessedOneAtATime()
    {
        CollectorFixture f;
        f.feed(tdaLine(u"22/05/25"_s) + tdaLine(u"23/05/25"_s) + tdaLine(u"24/05/25"_s) + u"05/2"_s);
        QCOMPARE(f.view.records.size(), 1);
        f.collector->processPendingLines();
        QCOMPARE(f.view.records.size(), 3);
        QCOMPARE(f.collector->parser().remainder(), u"05/2"_s);
    }

    void closeKeepsTextThatNeverEndedALine()
    {
        CollectorFixture f;
        f.feed(tdaLine(u"22/05/25"_s) + tdaLine(u"23/05/25"_s) + u"25/05/25  9:0"_s);
        f.collector->close();
        QCOMPARE(f.dataLines().size(), 2);
        QCOMPARE(f.read(u"KVerrs.txt"_s), u"25/05/25  9:0\r\n"_s);
    }

    // A message shown while a record is written lets more received text
    // arrive; it is taken after the current record, in order.
    void textArrivingDuringAMessageWaitsItsTurn()
    {
        CollectorFixture f;
        struct FeedingReporter : RecordingReporter {
            CollectorFixture* fixture = nullptr;
            int uzenet(const QString& text, QChar kind, const QString& buttons, const QString& extra) override
            {
                setFaultHook({});
                fixture->feed(tdaLine(u"22/05/25"_s, u" 9:01AM"_s));
                return RecordingReporter::uzenet(text, kind, buttons, extra);
            }
        } reporter;
        reporter.fixture = &f;
        setFaultHook([](FileStep s, const QString&) { return s == FileStep::Write ? ENOSPC : 0; });
        f.feed(tdaLine(u"22/05/25"_s, u" 9:00AM"_s));
        const QStringList lines = f.read(u"KVdata.txt"_s).split(u"\r\n"_s, Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 2);
        QVERIFY(lines[0].contains(u" 9:00AM"));
        QVERIFY(lines[1].contains(u" 9:01AM"));
    }
};

REGISTER_TEST(TestCollector)
#include "test_collector.moc"
