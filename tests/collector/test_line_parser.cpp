#include "core/line_parser.h"
#include "recording_reporter.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

namespace {

// A record whose fields are placed one after the other, separated by a
// blank; the layout gets each field's columns, so any field can have any width.
struct Record {
    QString date = u"23/05/25"_s;
    QString time = u"09:05pm"_s;
    QString extension = u"201"_s;
    QString trunk = u"01"_s;
    QString number = u"06301234567"_s;
    QString duration = u"00:02'25"_s;
    QString extra; // a further field (account or direction) after the duration
};

ParsedLine parseConfigured(const Record& r, CallRecordLayout layout = {}, int outputMode = 1,
                           ColumnRange CallRecordLayout::*extraRange = nullptr)
{
    QString line;
    const auto place = [&](const QString& field, ColumnRange& range) {
        if (!line.isEmpty())
            line += u' ';
        range = {int(line.size()) + 1, int(line.size() + field.size())};
        line += field;
    };
    place(r.date, layout.date);
    place(r.time, layout.time);
    place(r.extension, layout.extension);
    place(r.trunk, layout.trunk);
    place(r.number, layout.number);
    place(r.duration, layout.duration);
    ColumnRange unused;
    place(r.extra, extraRange ? layout.*extraRange : unused);
    LineParser parser;
    parser.setPbxType({1, kLayoutConfigured, outputMode});
    parser.setLayout(layout);
    return parser.parse(line + u"\r\n"_s);
}

} // namespace

class TestLineParser : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void assemblesLines_data()
    {
        QTest::addColumn<QString>("lineEnd");
        QTest::addColumn<QStringList>("chunks");
        QTest::addColumn<QStringList>("lines"); // one per chunk; empty: no line
        QTest::addColumn<QString>("remainder");
        const QString crlf = u"\r\n"_s;
        const QString lfcr = u"\n\r"_s;
        QTest::newRow("chunk without line end waits") << crlf << QStringList{u"abc"_s, u"def\r\n"_s}
                                                      << QStringList{QString(), u"abcdef\r\n"_s} << QString();
        QTest::newRow("two lines: only the first now")
            << crlf << QStringList{u"a\r\nb\r\n"_s, u"c"_s} << QStringList{u"a\r\n"_s, u"b\r\n"_s} << u"c"_s;
        QTest::newRow("line end split over chunks")
            << crlf << QStringList{u"a\r"_s, u"\nb"_s} << QStringList{QString(), u"a\r\n"_s} << u"b"_s;
        QTest::newRow("LF CR: CR LF never ends a line")
            << lfcr << QStringList{u"a\r\n"_s, u"b\r\n"_s} << QStringList{QString(), QString()}
            << u"a\r\nb\r\n"_s;
        QTest::newRow("LF CR line") << lfcr << QStringList{u"a\n\rb"_s} << QStringList{u"a\n\r"_s} << u"b"_s;
        QTest::newRow("empty line") << crlf << QStringList{u"\r\n"_s} << QStringList{u"\r\n"_s} << QString();
    }
    void assemblesLines()
    {
        QFETCH(QString, lineEnd);
        QFETCH(QStringList, chunks);
        QFETCH(QStringList, lines);
        QFETCH(QString, remainder);
        LineParser parser;
        parser.setLineEnd(lineEnd);
        for (qsizetype i = 0; i < chunks.size(); ++i)
            QCOMPARE(parser.takeLine(chunks[i]).value_or(QString()), lines[i]);
        QCOMPARE(parser.remainder(), remainder);
    }

    void configuredLayoutSetsTheLineEnd()
    {
        LineParser parser;
        CallRecordLayout layout;
        layout.lineEndChoice = 1;
        parser.setLayout(layout);
        QCOMPARE(parser.lineEnd(), u"\n\r"_s);
        layout.lineEndChoice = 5; // keeps the line end in force
        parser.setLayout(layout);
        QCOMPARE(parser.lineEnd(), u"\n\r"_s);
        layout.lineEndChoice = 0;
        parser.setLayout(layout);
        QCOMPARE(parser.lineEnd(), u"\r\n"_s);
    }

    void configuredDate_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("order");
        QTest::addColumn<QString>("separator");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QStringList>("defects");
        const QString slash = u"/"_s;
        QTest::newRow("day first, long year")
            << u"23/05/2025"_s << 0 << slash << u"05/23/25"_s << QStringList();
        QTest::newRow("short parts padded") << u"1/5/25"_s << 0 << slash << u"05/01/25"_s << QStringList();
        QTest::newRow("month first") << u"05/23/25"_s << 1 << slash << u"05/23/25"_s << QStringList();
        QTest::newRow("year first") << u"2025.05.23"_s << 5 << u"."_s << u"05/23/25"_s << QStringList();
        QTest::newRow("day-year-month") << u"23-25-05"_s << 2 << u"-"_s << u"05/23/25"_s << QStringList();
        QTest::newRow("three-digit year")
            << u"23/05/205"_s << 0 << slash << u"05/23/205"_s
            << QStringList{u"Dátumban (23/05/205) az év nem lehet 3 karakter: 205"_s};
        QTest::newRow("year 1999")
            << u"23/05/1999"_s << 0 << slash << u"05/23/1999"_s
            << QStringList{u"Dátumban (23/05/1999) az év 4 karakteres, de kezdete nem 20.. : 1999"_s};
        QTest::newRow("five-digit year")
            << u"23/05/20255"_s << 0 << slash << u"05/23/20255"_s
            << QStringList{u"Dátumban (23/05/20255) az év több, mint 4 karakter: 20255"_s};
        QTest::newRow("one separator")
            << u"23/052025"_s << 0 << slash << u"00/23/052025"_s
            << QStringList{u"Dátumban (23/052025) csak egy tagoló van: /"_s,
                           u"Dátumban (23/052025) az év több, mint 4 karakter: 052025"_s,
                           u"Dátumban (23/052025) a hó, nem 1..12 között van: 00"_s};
        QTest::newRow("no separator: all of it is the year")
            << u"230525"_s << 0 << slash << u"00/00/230525"_s
            << QStringList{u"Dátumban (230525) nincs tagoló: /"_s,
                           u"Dátumban (230525) csak egy tagoló van: /"_s,
                           u"Dátumban (230525) az év több, mint 4 karakter: 230525"_s,
                           u"Dátumban (230525) a hó, nem 1..12 között van: 00"_s,
                           u"Dátumban (230525) a nap, nem 1..31 között van: 00"_s};
        QTest::newRow("empty separator is never found")
            << u"23/05/25"_s << 0 << QString() << u"00/00/23/05/25"_s
            << QStringList{u"Dátumban (23/05/25) nincs tagoló: "_s,
                           u"Dátumban (23/05/25) csak egy tagoló van: "_s,
                           u"Dátumban (23/05/25) az év több, mint 4 karakter: 23/05/25"_s,
                           u"Dátumban (23/05/25) a hó, nem 1..12 között van: 00"_s,
                           u"Dátumban (23/05/25) a nap, nem 1..31 között van: 00"_s};
        QTest::newRow("order outside 0-5")
            << u"23/05/25"_s << 7 << slash << u"00/00/00"_s
            << QStringList{u"Dátumban (23/05/25) a hó, nem 1..12 között van: 00"_s,
                           u"Dátumban (23/05/25) a nap, nem 1..31 között van: 00"_s};
        QTest::newRow("month 13") << u"23/13/25"_s << 0 << slash << u"13/23/25"_s
                                  << QStringList{u"Dátumban (23/13/25) a hó, nem 1..12 között van: 13"_s};
        QTest::newRow("day 32") << u"32/05/25"_s << 0 << slash << u"05/32/25"_s
                                << QStringList{u"Dátumban (32/05/25) a nap, nem 1..31 között van: 32"_s};
        QTest::newRow("three-digit day")
            << u"123/05/25"_s << 0 << slash << u"05/123/25"_s
            << QStringList{u"Dátumban (123/05/25) a nap több, mint 2 karakter: 123"_s,
                           u"Dátumban (123/05/25) a nap, nem 1..31 között van: 123"_s};
        // Only the separator's first character is removed: the second stays in front.
        QTest::newRow("two-character separator")
            << u"23--05--25"_s << 0 << u"--"_s << u"-05/23/-25"_s
            << QStringList{u"Dátumban (23--05--25) az év nem lehet 3 karakter: -25"_s,
                           u"Dátumban (23--05--25) a hó több, mint 2 karakter: -05"_s,
                           u"Dátumban (23--05--25) a hó, nem 1..12 között van: -05"_s};
    }
    void configuredDate()
    {
        QFETCH(QString, field);
        QFETCH(int, order);
        QFETCH(QString, separator);
        QFETCH(QString, date);
        QFETCH(QStringList, defects);
        Record record;
        record.date = field;
        CallRecordLayout layout;
        layout.dateOrder = order;
        layout.dateSeparator = separator;
        const ParsedLine parsed = parseConfigured(record, layout);
        QCOMPARE(parsed.fields.date, date);
        QCOMPARE(parsed.defects, defects);
        QCOMPARE(parsed.bad, !defects.isEmpty());
    }

    void configuredTime_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<bool>("clock24");
        QTest::addColumn<QString>("time");
        QTest::addColumn<QStringList>("defects");
        QTest::newRow("24h midnight hour") << u"00:05"_s << true << u"12:05DE"_s << QStringList();
        QTest::newRow("24h before noon") << u"11:59"_s << true << u"11:59DE"_s << QStringList();
        QTest::newRow("24h noon") << u"12:30"_s << true << u"12:30DU"_s << QStringList();
        QTest::newRow("24h afternoon") << u"13:45"_s << true << u"01:45DU"_s << QStringList();
        QTest::newRow("24h 23") << u"23:00"_s << true << u"11:00DU"_s << QStringList();
        QTest::newRow("24h hour 24") << u"24:10"_s << true << u"12:10DE"_s << QStringList();
        QTest::newRow("24h hour 25") << u"25:00"_s << true << u"25:00??"_s
                                     << QStringList{u"24 órás időpontban (25:00) az óra hibás: 25"_s};
        QTest::newRow("12h pm") << u"09:05pm"_s << false << u"09:05DU"_s << QStringList();
        QTest::newRow("12h AM in capitals") << u"12:10AM"_s << false << u"12:10DE"_s << QStringList();
        QTest::newRow("12h without marker")
            << u"09:05"_s << false << u"09:05??"_s
            << QStringList{u"12 órás időpontban (09:05) hiányzó DE/DU jelölő: am/pm"_s};
        QTest::newRow("12h hour 13") << u"13:05am"_s << false << u"13:05DE"_s
                                     << QStringList{u"12 órás időpontban (13:05AM) az óra hibás: 13"_s};
        QTest::newRow("12h hour 00") << u"00:05pm"_s << false << u"00:05DU"_s
                                     << QStringList{u"12 órás időpontban (00:05PM) az óra hibás: 00"_s};
        QTest::newRow("no separator")
            << u"0905pm"_s << false << u"09:09DU"_s << QStringList{u"Időpontban (0905PM) nincs tagoló: :"_s};
        QTest::newRow("minute 75") << u"09:75pm"_s << false << u"09:75DU"_s
                                   << QStringList{u"Időpontban (09:75PM) a perc hibás: 75"_s};
        QTest::newRow("minute 60 on 24h")
            << u"10:60"_s << true << u"10:60DE"_s << QStringList{u"Időpontban (10:60) a perc hibás: 60"_s};
    }
    void configuredTime()
    {
        QFETCH(QString, field);
        QFETCH(bool, clock24);
        QFETCH(QString, time);
        QFETCH(QStringList, defects);
        Record record;
        record.time = field;
        CallRecordLayout layout;
        layout.clock24 = clock24;
        const ParsedLine parsed = parseConfigured(record, layout);
        QCOMPARE(parsed.fields.time, time);
        QCOMPARE(parsed.defects, defects);
    }

    void hourWithoutDigitsAsksAboutTheDecrement()
    {
        // "1:" lies between "12" and "23" as text; lowering it by twelve is
        // impossible and is reported, the hour stays as it was.
        RecordingReporter reporter;
        Record record;
        record.time = u"1::30"_s;
        CallRecordLayout layout;
        layout.clock24 = true;
        const ParsedLine parsed = parseConfigured(record, layout);
        QCOMPARE(parsed.fields.time, u"1:::3DU"_s);
        QCOMPARE(reporter.take(), QList{plain(u"Nem növelhető: 1:"_s)});
    }

    void configuredDuration_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("duration");
        QTest::addColumn<QStringList>("defects");
        QTest::newRow("normal") << u"00:02'25"_s << u"00:02'25"_s << QStringList();
        QTest::newRow("short parts") << u"0:2'5"_s << u"00:02'05"_s << QStringList();
        QTest::newRow("long hours have no range") << u"99:59'59"_s << u"99:59'59"_s << QStringList();
        QTest::newRow("mark after the seconds")
            << u"00:02'25x"_s << u"00:02'25x"_s
            << QStringList{u"Tartamban (00:02'25x) a m.perc több, mint 2 karakter: 25x"_s};
        QTest::newRow("75 minutes") << u"01:75'00"_s << u"01:75'00"_s
                                    << QStringList{u"Tartamban (01:75'00) a perc hibás: 75"_s};
        QTest::newRow("60 seconds") << u"00:00'60"_s << u"00:00'60"_s
                                    << QStringList{u"Tartamban (00:00'60) a perc hibás: 60"_s};
        QTest::newRow("no minute separator")
            << u"0002'25"_s << u"00:0002'25"_s
            << QStringList{u"Tartamban (0002'25) nincs perc tagoló: :"_s,
                           u"Tartamban (0002'25) a perc több, mint 2 karakter: 0002"_s};
        QTest::newRow("no second separator")
            << u"00:0225"_s << u"00:00'0225"_s
            << QStringList{u"Tartamban (00:0225) nincs m.perc tagoló: '"_s,
                           u"Tartamban (00:0225) a m.perc több, mint 2 karakter: 0225"_s};
        QTest::newRow("three-digit hours")
            << u"123:00'00"_s << u"123:00'00"_s
            << QStringList{u"Tartamban (123:00'00) az óra több, mint 2 karakter: 123"_s};
    }
    void configuredDuration()
    {
        QFETCH(QString, field);
        QFETCH(QString, duration);
        QFETCH(QStringList, defects);
        Record record;
        record.duration = field;
        const ParsedLine parsed = parseConfigured(record);
        QCOMPARE(parsed.fields.duration, duration);
        QCOMPARE(parsed.defects, defects);
    }

    void configuredExtensionAndNumber_data()
    {
        QTest::addColumn<QString>("extensionField");
        QTest::addColumn<QString>("numberField");
        QTest::addColumn<QString>("incomingMarks");
        QTest::addColumn<int>("outputMode");
        QTest::addColumn<QString>("extension");
        QTest::addColumn<QString>("account");
        QTest::addColumn<QString>("number");
        QTest::addColumn<QStringList>("defects");
        const QString marks = u"<,>"_s;
        const QString dots = u"...."_s;
        QTest::newRow("plain extension trimmed")
            << u" 201"_s << u"0612345"_s << marks << 1 << u"201"_s << dots << u"0612345"_s << QStringList();
        QTest::newRow("account in four columns") << u"*123"_s << u"0612345"_s << marks << 1 << u"X123"_s
                                                 << u"123"_s << u"0612345"_s << QStringList();
        QTest::newRow("account in five columns, fixed width")
            << u"*1234"_s << u"0612345"_s << marks << 1 << u"X1234"_s << u"1234"_s << u"0612345"_s
            << QStringList{u"Mellék száma hosszabb 4 karakternél: *1234"_s};
        QTest::newRow("account in five columns, semicolon output")
            << u"*1234"_s << u"0612345"_s << marks << 2 << u"X1234"_s << u"1234"_s << u"0612345"_s
            << QStringList();
        QTest::newRow("long account")
            << u"*12345"_s << u"0612345"_s << marks << 1 << u"X12345"_s << u"12345"_s << u"0612345"_s
            << QStringList{u"Mellék száma hosszabb 4 karakternél: *12345"_s,
                           u"Account hosszabb 4 karakternél: *12345"_s};
        QTest::newRow("account keeps its blanks") << u"*12 "_s << u"0612345"_s << marks << 2 << u"X12 "_s
                                                  << u"12 "_s << u"0612345"_s << QStringList();
        QTest::newRow("incoming left as it is")
            << u"201"_s << u"<A>"_s << marks << 1 << u"201"_s << dots << u"<A>"_s << QStringList();
        QTest::newRow("outgoing loses stray marks")
            << u"201"_s << u"06<1234"_s << marks << 1 << u"201"_s << dots << u"061234"_s << QStringList();
        QTest::newRow("own incoming mark")
            << u"201"_s << u"B1234"_s << u"B"_s << 1 << u"201"_s << dots << u"<->B1234"_s << QStringList();
        QTest::newRow("own incoming mark cut to 36")
            << u"201"_s << QString(u'B' + QString(35, u'1')) << u"B"_s << 1 << u"201"_s << dots
            << QString(u"<->B"_s + QString(32, u'1')) << QStringList();
        QTest::newRow("empty marks: every call outgoing")
            << u"201"_s << u"<1>"_s << QString() << 1 << u"201"_s << dots << u"1"_s << QStringList();
        QTest::newRow("number longer than 36")
            << u"201"_s << QString(37, u'1') << marks << 2 << u"201"_s << dots << QString(37, u'1')
            << QStringList{u"Telefonszám hosszabb 36 karakternél: "_s + QString(37, u'1')};
    }
    void configuredExtensionAndNumber()
    {
        QFETCH(QString, extensionField);
        QFETCH(QString, numberField);
        QFETCH(QString, incomingMarks);
        QFETCH(int, outputMode);
        QFETCH(QString, extension);
        QFETCH(QString, account);
        QFETCH(QString, number);
        QFETCH(QStringList, defects);
        Record record;
        record.extension = extensionField;
        record.number = numberField;
        CallRecordLayout layout;
        layout.incomingMarks = incomingMarks;
        const ParsedLine parsed = parseConfigured(record, layout, outputMode);
        QCOMPARE(parsed.fields.extension, extension);
        QCOMPARE(parsed.fields.account, account);
        QCOMPARE(parsed.fields.number, number);
        QCOMPARE(parsed.defects, defects);
    }

    void separateAccountAndDirectionFields()
    {
        Record record;
        record.extension = u"*201"_s;
        record.number = u"0612345"_s;
        record.extra = u"A17"_s;
        CallRecordLayout layout;
        layout.accountInExtension = false;
        ParsedLine parsed = parseConfigured(record, layout, 1, &CallRecordLayout::account);
        QCOMPARE(parsed.fields.extension, u"*201"_s);
        QCOMPARE(parsed.fields.account, u"A17"_s);

        layout = CallRecordLayout();
        layout.accountCodes = false;
        layout.directionFromNumber = false;
        layout.outgoingValue = u"O"_s;
        record.extra = u"O"_s;
        parsed = parseConfigured(record, layout, 1, &CallRecordLayout::direction);
        QCOMPARE(parsed.fields.account, u"...."_s);
        QCOMPARE(parsed.fields.number, u"0612345"_s);
        record.extra = u"I"_s;
        parsed = parseConfigured(record, layout, 1, &CallRecordLayout::direction);
        QCOMPARE(parsed.fields.number, u"<->0612345"_s);
        QVERIFY(parsed.defects.isEmpty());
    }

    void longTrunkInFixedWidthOutput()
    {
        Record record;
        record.trunk = u"123"_s;
        QCOMPARE(parseConfigured(record, {}, 1).defects,
                 QStringList{u"Fővonal száma hosszabb 2 karakternél: 123"_s});
        QVERIFY(parseConfigured(record, {}, 2).defects.isEmpty());
    }

    void fixedColumns_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QStringList>("fields"); // date, time, extension, trunk, number, duration, account
        QTest::addColumn<bool>("bad");
        QTest::newRow("plain call")
            << u"23/05/25  9:05PM 201  01 06301234567          00:02'25 ....\r\n"_s
            << QStringList{u"05/23/25"_s, u" 9:05PM"_s, u"201"_s, u"01"_s, u"06301234567         "_s,
                           u"00:02'25"_s, u"...."_s}
            << false;
        QTest::newRow("account code")
            << u"01/06/25 10:24AM *12  02 0036123456789        00:10'00\r\n"_s
            << QStringList{u"06/01/25"_s, u"10:24AM"_s, u"X12 "_s, u"02"_s, u"0036123456789       "_s,
                           u"00:10'00"_s, u"12 "_s}
            << false;
        QTest::newRow("short line") << u"01/06/25\r\n"_s
                                    << QStringList{u"06/01/25"_s, u"\n"_s,   QString(), QString(),
                                                   QString(),     QString(), u"...."_s}
                                    << false;
    }
    void fixedColumns()
    {
        QFETCH(QString, line);
        QFETCH(QStringList, fields);
        QFETCH(bool, bad);
        LineParser parser;
        parser.setPbxType(PbxType::fromCode(u"1-002-01"_s));
        const ParsedLine parsed = parser.parse(line);
        QVERIFY(parsed.hasFields);
        const CallFields& f = parsed.fields;
        QCOMPARE((QStringList{f.date, f.time, f.extension, f.trunk, f.number, f.duration, f.account}),
                 fields);
        QCOMPARE(parsed.bad, bad);
        QVERIFY(parsed.defects.isEmpty());
    }

    void pbxTypes_data()
    {
        QTest::addColumn<QString>("code");
        QTest::addColumn<int>("variant");
        QTest::addColumn<int>("layoutType");
        QTest::addColumn<int>("outputMode");
        QTest::newRow("test") << u"1-000-00"_s << 1 << 0 << 0;
        QTest::newRow("KX-TDA") << u"1-002-01"_s << 1 << 2 << 1;
        QTest::newRow("CSV") << u"1-999-02"_s << 1 << 999 << 2;
        QTest::newRow("empty") << QString() << 0 << 0 << 0;
        QTest::newRow("garbage") << u"x-abc-zz"_s << 0 << 0 << 0;
    }
    void pbxTypes()
    {
        QFETCH(QString, code);
        const PbxType type = PbxType::fromCode(code);
        QTEST(type.variant, "variant");
        QTEST(type.layoutType, "layoutType");
        QTEST(type.outputMode, "outputMode");
    }

    void otherLayoutTypesGiveNoFields()
    {
        LineParser parser;
        parser.setPbxType({1, 5, 1});
        const ParsedLine parsed = parser.parse(u"anything\r\n"_s);
        QVERIFY(!parsed.hasFields);
        QVERIFY(parsed.line.isEmpty());
        parser.setPbxType({1, 1, 0});
        QCOMPARE(parser.parse(u"anything\r\n"_s).line, u"anything\r\n"_s);
    }
};

REGISTER_TEST(TestLineParser)
#include "test_line_parser.moc"
