#include "core/cp1250.h"
#include "test_main.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestCp1250 : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void everyByteSurvivesARoundTrip()
    {
        QByteArray all;
        for (int b = 0; b < 256; ++b)
            all.append(char(b));
        const QString text = cp1250::decode(all);
        QCOMPARE(text.size(), 256);
        QCOMPARE(cp1250::encode(text), all);
        for (int b = 0; b < 256; ++b)
            QCOMPARE(cp1250::byteOf(text[b]), b);
    }

    void hungarianLetters()
    {
        QCOMPARE(cp1250::decode("\xE1\xE9\xF5\xFB\xD5\xDB"), u"áéőűŐŰ"_s);
        QCOMPARE(cp1250::encode(u"Árvíztűrő tükörfúrógép"),
                 QByteArray("\xC1rv\xEDzt\xFBr\xF5 t\xFCk\xF6rf\xFAr\xF3g\xE9p"));
    }

    void charactersOutsideTheCodePageBecomeQuestionMarks()
    {
        QCOMPARE(cp1250::encode(u"a€b中"), QByteArray("a\x80"
                                                      "b?"));
        QCOMPARE(cp1250::byteOf(QChar(0x4E2D)), -1);
    }

    void comparesByByteValue()
    {
        // € is byte 0x80, below é (0xE9), although its code point is higher.
        QVERIFY(cp1250::compare(u"€", u"é") < 0);
        QVERIFY(cp1250::compare(u"12", u"1:") < 0);
        QVERIFY(cp1250::compare(u"1", u"12") < 0);
        QCOMPARE(cp1250::compare(u"59", u"59"), 0);
    }
};

REGISTER_TEST(TestCp1250)
#include "test_cp1250.moc"
