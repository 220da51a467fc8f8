#include "core/cp1250.h"
#include "core/text_utils.h"
#include "recording_reporter.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestTextUtils : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void padding_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("left to width") << PadLeft(u"7"_s, u"0"_s, 2) << u"07"_s;
        QTest::newRow("left longer unchanged") << PadLeft(u"123"_s, u"0"_s, 2) << u"123"_s;
        QTest::newRow("right with blanks") << PadRight(u"12"_s, u" "_s, 4) << u"12  "_s;
        QTest::newRow("empty fill") << PadLeft(u"7"_s, QString(), 5) << u"7"_s;
        QTest::newRow("right part") << RightPart(u"0123456789"_s, 8) << u"23456789"_s;
        QTest::newRow("right part short") << RightPart(u"abc"_s, 8) << u"abc"_s;
        QTest::newRow("right part zero") << RightPart(u"abc"_s, 0) << QString();
        QTest::newRow("repeat") << RepeatText(u"ab"_s, 3) << u"ababab"_s;
        QTest::newRow("trim right blanks only") << TrimRightBlanks(u" a\t  "_s) << u" a\t"_s;
        QTest::newRow("trim left") << TrimLeftBlanks(u"  a "_s) << u"a "_s;
    }
    void padding()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }

    void numbers_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<QString>("expected");
        QTest::newRow("A0009 + 1") << IncTrailingNumber(u"A0009"_s, 1) << u"A0010"_s;
        QTest::newRow("A0001 + 1") << IncTrailingNumber(u"A0001"_s, 1) << u"A0002"_s;
        QTest::newRow("USR009 + 1") << IncTrailingNumber(u"USR009"_s, 1) << u"USR010"_s;
        QTest::newRow("13 - 12") << IncTrailingNumber(u"13"_s, -12) << u"01"_s;
        QTest::newRow("twelve digits: last nine")
            << IncTrailingNumber(u"123456789999"_s, 1) << u"123456790000"_s;
        QTest::newRow("99 + 1 grows") << AddToNumber(u"99"_s, 1) << u"100"_s;
        QTest::newRow("10 - 3") << SubtractFromNumber(u"10"_s, 3) << u"07"_s;
        QTest::newRow("not a number counts 0") << AddToNumber(u"ab"_s, 5) << u"05"_s;
        QTest::newRow("18-digit key") << AddToNumber(u"000000000000000000"_s, 1) << u"000000000000000001"_s;
        QTest::newRow("large 18-digit key")
            << AddToNumber(u"123456789012345678"_s, 1) << u"123456789012345679"_s;
        QTest::newRow("replace inside") << ReplaceAt(u"abcdef"_s, 2, 3, u"XY"_s) << u"aXYef"_s;
        QTest::newRow("replace past end") << ReplaceAt(u"abc"_s, 7, 2, u"X"_s) << u"abcX"_s;
        QTest::newRow("replace to end") << ReplaceAt(u"abc"_s, 3, 5, u"X"_s) << u"abX"_s;
        QTest::newRow("replace position 0") << ReplaceAt(u"abc"_s, 0, 1, u"X"_s) << u"Xbc"_s;
        QTest::newRow("date to text") << DateToText(QDate(2025, 5, 3)) << u"2025.05.03"_s;
        QTest::newRow("time to text") << TimeToText(QTime(8, 5, 9)) << u"08:05:09"_s;
    }
    void numbers()
    {
        QFETCH(QString, result);
        QFETCH(QString, expected);
        QCOMPARE(result, expected);
    }

    void safeStrToInt_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<qint64>("value");
        QTest::newRow("plain") << u"42"_s << qint64(42);
        QTest::newRow("sign") << u"-7"_s << qint64(-7);
        QTest::newRow("leading blanks") << u"  5"_s << qint64(5);
        QTest::newRow("trailing blank") << u"5 "_s << qint64(0);
        QTest::newRow("empty") << QString() << qint64(0);
        QTest::newRow("letters") << u"1a"_s << qint64(0);
        QTest::newRow("sign only") << u"-"_s << qint64(0);
        QTest::newRow("too large") << u"99999999999999999999"_s << qint64(0);
    }
    void safeStrToInt()
    {
        QFETCH(QString, text);
        QFETCH(qint64, value);
        QCOMPARE(SafeStrToInt(text), value);
    }

    void textsWithoutTrailingNumberAreReported()
    {
        RecordingReporter reporter;
        QCOMPARE(IncTrailingNumber(u"ABC"_s, 1), u"ABC"_s);
        QCOMPARE(reporter.take(), QList{plain(u"Nem növelhető: ABC"_s)});
    }

    void convertCodePage_data()
    {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<QString>("target");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("852 á to WIN") << QByteArray("\xA0") << u"WIN"_s << QByteArray("\xE1");
        QTest::newRow("WIN é is 852 Ú") << QByteArray("\xE9") << u"WIN"_s << QByteArray("\xDA");
        QTest::newRow("WIN Ö is 852 Í") << QByteArray("\xD6") << u"WIN"_s << QByteArray("\xCD");
        QTest::newRow("93 is CWI ő") << QByteArray("\x93") << u"WIN"_s << QByteArray("\xF5");
        QTest::newRow("lower-case name") << QByteArray("\xA0") << u"win"_s << QByteArray("\xE1");
        QTest::newRow("ENG strips accents")
            << QByteArray("\xE1\xF5\xDB\x94\x8B") << u"ENG"_s << QByteArray("aoUoo");
        QTest::newRow("WIN to 852") << QByteArray("\xE1\xF5\xDB") << u"852"_s << QByteArray("\xA0\x8B\xEB");
        QTest::newRow("converted once") << QByteArray("\xA0\xE1") << u"CWI"_s << QByteArray("\xA0\xA0");
        QTest::newRow("plain text unchanged") << QByteArray("abc 123") << u"WIN"_s << QByteArray("abc 123");
    }
    void convertCodePage()
    {
        QFETCH(QByteArray, text);
        QFETCH(QString, target);
        QFETCH(QByteArray, expected);
        QCOMPARE(cp1250::encode(ConvertCodePage(cp1250::decode(text), target)), expected);
    }

    void unknownCodePageIsReported()
    {
        RecordingReporter reporter;
        QCOMPARE(ConvertCodePage(u"á"_s, u"UTF"_s), u"á"_s);
        QCOMPARE(reporter.take(), QList{plain(u"Nincs ilyen kódlap: UTF"_s)});
    }

    void isValidDate_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("error");
        QTest::newRow("leap day") << u"2024.02.29"_s << QString();
        QTest::newRow("blank date") << QString::fromUtf16(kBlankDate) << QString();
        QTest::newRow("400-year leap") << u"2000.02.29"_s << QString();
        QTest::newRow("short") << u"2024.2.29"_s
                               << u"Dátum hossza csak tíz karakter lehet.\rLegalább és legfeljebb is."_s;
        QTest::newRow("empty") << QString()
                               << u"Dátum hossza csak tíz karakter lehet.\rLegalább és legfeljebb is."_s;
        QTest::newRow("slashes") << u"2024/02/29"_s
                                 << u"Dátumban csak számjegy és pont szerepelhet.\rSzóköz sem lehet."_s;
        QTest::newRow("leading blank")
            << u" 2024.02.29"_s << u"Dátumban csak számjegy és pont szerepelhet.\rSzóköz sem lehet."_s;
        QTest::newRow("year 0") << u"0000.01.01"_s << u"Évszám nem lehet nulla."_s;
        QTest::newRow("month 13") << u"2024.13.01"_s << u"Hónapok értéke 1 - 12 lehet."_s;
        QTest::newRow("day 0") << u"2024.01.00"_s << u"Napok értéke nem lehet nulla."_s;
        QTest::newRow("not a leap year") << u"2023.02.29"_s << u"Napok száma 2023.02 hónapban 28."_s;
        QTest::newRow("1900 not leap") << u"1900.02.29"_s << u"Napok száma 1900.02 hónapban 28."_s;
        QTest::newRow("April 31") << u"2025.04.31"_s << u"Napok száma 2025.04 hónapban 30."_s;
    }
    void isValidDate()
    {
        QFETCH(QString, text);
        QFETCH(QString, error);
        RecordingReporter reporter;
        QCOMPARE(IsValidDate(text, false), error.isEmpty());
        QVERIFY(reporter.messages.isEmpty());
        QCOMPARE(IsValidDate(text, true), error.isEmpty());
        if (error.isEmpty()) {
            QVERIFY(reporter.messages.isEmpty());
        } else {
            const ReportedMessage expected{ReportedMessage::Dialog, error, QChar(), QString(), 4};
            QCOMPARE(reporter.take(), QList{expected});
        }
    }

    void textToDateAndTime()
    {
        QCOMPARE(TextToDate(u"2025.05.23"_s), QDate(2025, 5, 23));
        QCOMPARE(TextToDate(u"2025.02.30"_s), std::nullopt);
        QCOMPARE(TextToTime(u"08:05:09"_s), QTime(8, 5, 9));
        QCOMPARE(TextToTime(u"24:00:00"_s), std::nullopt);
        QCOMPARE(DaysInMonth(2024, 2), 29);
        QCOMPARE(SafeStrToFloat(u"1,5"_s), 1.5);
        QCOMPARE(SafeStrToFloat(u"x"_s), 0.0);
    }

    void roundHalfAway_data()
    {
        QTest::addColumn<double>("x");
        QTest::addColumn<qint64>("rounded");
        QTest::newRow("2.5") << 2.5 << qint64(3);
        QTest::newRow("3.5") << 3.5 << qint64(4);
        QTest::newRow("-2.5") << -2.5 << qint64(-3);
        QTest::newRow("2.4") << 2.4 << qint64(2);
        QTest::newRow("-2.6") << -2.6 << qint64(-3);
    }
    void roundHalfAway()
    {
        QFETCH(double, x);
        QFETCH(qint64, rounded);
        QCOMPARE(RoundHalfAway(x), rounded);
    }
};

REGISTER_TEST(TestTextUtils)
#include "test_text_utils.moc"
