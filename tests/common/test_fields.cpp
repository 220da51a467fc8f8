#include "core/fields.h"
#include "recording_reporter.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestFields : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void ertc_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("n");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("report");
        QTest::newRow("second") << u"a;b;c"_s << 2 << u"b"_s << QString();
        QTest::newRow("third") << u"a;b;c"_s << 3 << u"c"_s << QString();
        QTest::newRow("fourth missing")
            << u"a;b;c"_s << 4 << QString() << u"ERTC funkció - Nincs 4. pozíció:;a;b;c"_s;
        QTest::newRow("zero is the first") << u"a;b"_s << 0 << u"a"_s << QString();
        QTest::newRow("first") << u"a;b"_s << 1 << u"a"_s << QString();
        QTest::newRow("trailing separator opens nothing")
            << u"a;"_s << 2 << QString() << u"ERTC funkció - Nincs 2. pozíció:;a;"_s;
        QTest::newRow("empty field between") << u"a;;c"_s << 2 << QString() << QString();
        QTest::newRow("empty text") << QString() << 1 << QString() << u"ERTC funkció - Üres paraméter."_s;
    }
    void ertc()
    {
        QFETCH(QString, text);
        QFETCH(int, n);
        QFETCH(QString, field);
        QFETCH(QString, report);
        RecordingReporter reporter;
        QCOMPARE(ERTC(n, text, false), field);
        QVERIFY(reporter.messages.isEmpty());
        QCOMPARE(ERTC(n, text, true), field);
        QCOMPARE(reporter.take(), report.isEmpty() ? QList<ReportedMessage>() : QList{internalError(report)});
    }

    void ertn()
    {
        RecordingReporter reporter;
        QCOMPARE(ERTN(1, u"12;x"_s), 12);
        QVERIFY(reporter.messages.isEmpty());
        QCOMPARE(ERTN(2, u"12;x"_s), 0);
        QCOMPARE(reporter.take(), QList{internalError(u"ERTN funkció - Nem szám:;x"_s)});
        // A missing field is reported twice: missing, then not a number.
        QCOMPARE(ERTN(3, u"12;x"_s), 0);
        QCOMPARE(reporter.take(), (QList{internalError(u"ERTC funkció - Nincs 3. pozíció:;12;x"_s),
                                         internalError(u"ERTN funkció - Nem szám:;"_s)}));
    }

    void ertbAndErtl()
    {
        RecordingReporter reporter;
        QCOMPARE(ERTB(1, u"Alma;"_s), 65);
        QCOMPARE(ERTB(2, u"x;;y"_s), 0);
        QCOMPARE(ERTB(1, u"őz"_s), 0xF5);
        QCOMPARE(ERTL(1, u"Igen;Nem;igen"_s), true);
        QCOMPARE(ERTL(2, u"Igen;Nem;igen"_s), false);
        QVERIFY(reporter.messages.isEmpty());
        QCOMPARE(ERTL(3, u"Igen;Nem;igen"_s), false);
        QCOMPARE(reporter.take(), QList{internalError(u"ERTL funkció - Nem logikai érték:;igen"_s)});
    }
};

REGISTER_TEST(TestFields)
#include "test_fields.moc"
