#include "core/cp1250.h"
#include "core/password.h"
#include "recording_reporter.h"
#include "test_main.h"

#include <QRandomGenerator>
#include <QTest>

using namespace Qt::StringLiterals;

using Encoder = QString (*)(const QString&, int);
using Decoder = QString (*)(const QString&);
Q_DECLARE_METATYPE(Encoder)
Q_DECLARE_METATYPE(Decoder)

class TestPassword : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void roundTrip_data()
    {
        QTest::addColumn<Encoder>("encode");
        QTest::addColumn<Decoder>("decode");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        const struct {
            const char* name;
            Encoder encode;
            Decoder decode;
            int width;
        } variants[] = {{"A", EncodeTextA, DecodeTextA, 50},
                        {"A40", EncodeTextA, DecodeTextA, 40},
                        {"B", EncodeTextB, DecodeTextB, 60}};
        for (const auto& v : variants) {
            const auto row = [&](const char* what, const QString& text) {
                QTest::addRow("%s %s", v.name, what) << v.encode << v.decode << text << v.width;
            };
            row("empty", QString());
            row("word", u"titok"_s);
            row("blanks", u" a b "_s);
            row("accents", u"Árvíztűrő"_s);
            row("full room", QString(v.width / 4, u'x'));
            row("high bytes", cp1250::decode("\x80\x81\xFF\xC8"));
        }
    }
    void roundTrip()
    {
        QFETCH(Encoder, encode);
        QFETCH(Decoder, decode);
        QFETCH(QString, text);
        QFETCH(int, width);
        for (int i = 0; i < 50; ++i) {
            const QString value = encode(text, width);
            QCOMPARE(value.size(), width);
            QCOMPARE(decode(value), text);
        }
    }

    void sameTextEncodesDifferently()
    {
        const QString a = EncodeTextB(u"admin"_s, 60);
        const QString b = EncodeTextB(u"admin"_s, 60);
        QVERIFY(a != b);
        QCOMPARE(DecodeTextB(a), DecodeTextB(b));
    }

    void tooLittleRoomIsReported()
    {
        RecordingReporter reporter;
        QCOMPARE(EncodeTextB(QString(16, u'x'), 60), QString());
        QCOMPARE(EncodeTextA(u"x"_s, 2), QString());
        QCOMPARE(reporter.take(),
                 (QList{plain(u"Kódolás helye kevés !!!"_s), plain(u"Kódolás helye kevés !!!"_s)}));
    }

    void smallWidthsNeverHang()
    {
        // Four characters of room per character are not always enough for
        // the final link; such a width must be refused, not loop forever.
        RecordingReporter reporter;
        for (int width = 0; width < 12; ++width) {
            for (int i = 0; i < 20; ++i) {
                const QString value = EncodeTextA(u"ab"_s, width);
                QVERIFY(value.isEmpty() || DecodeTextA(value) == u"ab");
            }
        }
    }

    void emptyTextHoldsLengthCell()
    {
        const QString value = EncodeTextB(QString(), 60);
        const int start = cp1250::byteOf(value[0]);
        QVERIFY(start >= 130);
        QCOMPARE(cp1250::byteOf(value[start - 128 - 1]), 33);
    }

    void variantBStoresCharactersRotated()
    {
        const QString text(1, cp1250::charOf(200));
        const QString value = EncodeTextB(text, 60);
        const int start = cp1250::byteOf(value[0]);
        const int link = cp1250::byteOf(value[start - 127 - 1]);
        QCOMPARE(cp1250::byteOf(value[link - 128 - 1]), 145);
        QCOMPARE(DecodeTextB(value), text);
    }

    void variantsAreToldApartByTheFirstCharacter()
    {
        for (int i = 0; i < 200; ++i) {
            for (int width : {40, 50, 60})
                QVERIFY(cp1250::byteOf(EncodeTextA(u"pw"_s, width)[0]) < 130);
            QVERIFY(cp1250::byteOf(EncodeTextB(u"pw"_s, 60)[0]) >= 130);
        }
    }

    void garbageDecodesWithoutCrashing()
    {
        QCOMPARE(DecodeTextA(QString()), QString());
        QCOMPARE(DecodeTextB(u"plain text"_s), QString());
        QRandomGenerator random(7);
        for (int i = 0; i < 2000; ++i) {
            QByteArray bytes(int(random.bounded(1, 80)), Qt::Uninitialized);
            for (char& b : bytes)
                b = char(random.bounded(1, 256));
            const QString value = cp1250::decode(bytes);
            DecodeTextA(value);
            DecodeTextB(value);
        }
    }
};

REGISTER_TEST(TestPassword)
#include "test_password.moc"
