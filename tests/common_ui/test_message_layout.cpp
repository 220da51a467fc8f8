#include "core/messages.h"
#include "test_main.h"
#include "ui/message_layout.h"

#include <QTest>

using namespace Qt::StringLiterals;

using Slots = std::array<bool, kMessageSlots>;
Q_DECLARE_METATYPE(Slots)

namespace {

MessageLayoutInput input(const QString& buttons, int titleWidth, QSize text)
{
    MessageLayoutInput in;
    in.buttons = buttons;
    in.titleWidth = titleWidth;
    in.textSize = text;
    return in;
}

} // namespace

class TestMessageLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void lines_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("three fields")
            << u"egy;kettő;három"_s << QStringList{u"egy"_s, u"kettő"_s, u"három"_s};
        QTest::newRow("two separators end the text")
            << u"egy;kettő;;három"_s << QStringList{u"egy"_s, u"kettő"_s};
        QTest::newRow("blank line") << u"egy; ;három"_s << QStringList{u"egy"_s, u" "_s, u"három"_s};
        QTest::newRow("trailing separator") << u"egy;kettő;"_s << QStringList{u"egy"_s, u"kettő"_s};
        QTest::newRow("no separator, carriage return kept")
            << u"egy\r\nkettő"_s << QStringList{u"egy\r\nkettő"_s};
        QTest::newRow("empty first field is still shown")
            << u";kettő"_s << QStringList{QString(), u"kettő"_s};
        QTest::newRow("empty text") << QString() << QStringList{QString()};
    }
    void lines()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, lines);
        QCOMPARE(messageLines(text), lines);
        QCOMPARE(messageText(text), lines.join(u"\r\n"_s));
    }

    void atMost255Lines()
    {
        QStringList many;
        for (int i = 1; i <= 300; ++i)
            many.append(QString::number(i));
        const QStringList lines = messageLines(many.join(u';'));
        QCOMPARE(lines.size(), kMaxMessageLines);
        QCOMPARE(lines.back(), u"255"_s);
    }

    void kinds_data()
    {
        QTest::addColumn<QChar>("kind");
        QTest::addColumn<QString>("title");
        QTest::addColumn<int>("icon");
        QTest::newRow("B") << QChar(u'B') << u"B e l s ő   H I B A"_s << int(MessageIcon::Stop);
        QTest::newRow("F") << QChar(u'F') << u"Figyelmeztetés"_s << int(MessageIcon::Exclamation);
        QTest::newRow("H") << QChar(u'H') << u"H I B A"_s << int(MessageIcon::Stop);
        QTest::newRow("I") << QChar(u'I') << u"I n f o r m á c i ó"_s << int(MessageIcon::Information);
        QTest::newRow("K") << QChar(u'K') << u"K é r d é s"_s << int(MessageIcon::Question);
        QTest::newRow("X") << QChar(u'X') << u"E g y é b"_s << int(MessageIcon::Application);
        QTest::newRow("lower-case k") << QChar(u'k') << u"E g y é b"_s << int(MessageIcon::Application);
    }
    void kinds()
    {
        QFETCH(QChar, kind);
        QFETCH(QString, title);
        QFETCH(int, icon);
        QCOMPARE(messageKind(kind).title, title);
        QCOMPARE(int(messageKind(kind).icon), icon);
    }

    void slotResults()
    {
        const QList<int> results{messageSlotResult(0), messageSlotResult(1), messageSlotResult(2),
                                 messageSlotResult(3), messageSlotResult(4)};
        QCOMPARE(results, (QList<int>{mrYes, mrNo, mrOk, mrAll, mrCancel}));
        QCOMPARE(messageSlotOf(u'M'), 4);
        QCOMPARE(messageSlotOf(u'X'), -1);
    }

    // s = 20, frame 8 x 27, buttons 100 wide: three ways the width is decided.
    void widths_data()
    {
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<int>("titleWidth");
        QTest::addColumn<QSize>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("titleLeft");
        QTest::addColumn<int>("textLeft");
        QTest::addColumn<QList<int>>("lefts");
        // w1 = 200 + 40 + 32 = 272 beats w2 = 60 and w3 = 140.
        QTest::newRow("title decides (kind B, one word)")
            << u"R"_s << 200 << QSize(20, 15) << 272 << 44 << 122 << QList<int>{0, 0, 82, 0, 0};
        // w2 = 300 + 40 = 340 beats w1 = 222 and w3 = 260.
        QTest::newRow("text decides")
            << u"IN"_s << 150 << QSize(300, 45) << 340 << 162 << 16 << QList<int>{56, 176, 0, 0, 0};
        // w3 = 20 + 5 * 120 = 620 beats w1 and w2.
        QTest::newRow("buttons decide")
            << u"INREM"_s << 150 << QSize(300, 15) << 620 << 442 << 156 << QList<int>{16, 136, 256, 376, 496};
    }
    void widths()
    {
        QFETCH(QString, buttons);
        QFETCH(int, titleWidth);
        QFETCH(QSize, text);
        QFETCH(int, width);
        QFETCH(int, titleLeft);
        QFETCH(int, textLeft);
        QFETCH(QList<int>, lefts);
        const MessageLayout out = layOutMessage(input(buttons, titleWidth, text));
        QCOMPARE(out.width, width);
        QCOMPARE(out.clientWidth, width - 8);
        QCOMPARE(out.titleLeft, titleLeft);
        QCOMPARE(out.textLeft, textLeft);
        QCOMPARE(QList<int>(out.buttonLeft.begin(), out.buttonLeft.end()), lefts);
    }

    void titleBlockIsTitlePlusTwoSpacingsPlusIcon()
    {
        MessageLayoutInput in = input(u"R"_s, 180, QSize(10, 15));
        in.spacing = 26; // a 768-pixel-high screen
        QCOMPARE(layOutMessage(in).width, 180 + 52 + 32);
        QCOMPARE(messageSpacing(1.28), 26);
        QCOMPARE(messageSpacing(1.0), 20);
    }

    void slotOrderAndDefault_data()
    {
        QTest::addColumn<QString>("buttons");
        QTest::addColumn<Slots>("visible");
        QTest::addColumn<int>("defaultSlot");
        QTest::newRow("NI") << u"NI"_s << Slots{true, true, false, false, false} << 1;
        QTest::newRow("IN") << u"IN"_s << Slots{true, true, false, false, false} << 0;
        QTest::newRow("R") << u"R"_s << Slots{false, false, true, false, false} << 2;
        QTest::newRow("MEI") << u"MEI"_s << Slots{true, false, false, true, true} << 4;
        QTest::newRow("repeated and foreign letters")
            << u"RRxI"_s << Slots{true, false, true, false, false} << 2;
        QTest::newRow("first letter names no button")
            << u"xN"_s << Slots{false, true, false, false, false} << 1;
    }
    void slotOrderAndDefault()
    {
        QFETCH(QString, buttons);
        QFETCH(Slots, visible);
        QFETCH(int, defaultSlot);
        const MessageLayout out = layOutMessage(input(buttons, 100, QSize(100, 15)));
        QCOMPARE(out.visible, visible);
        QCOMPARE(out.defaultSlot, defaultSlot);
        // Visible buttons stand left to right in slot order.
        int previous = -1;
        for (int slot = 0; slot < kMessageSlots; ++slot) {
            if (!visible[slot])
                continue;
            QVERIFY(out.buttonLeft[slot] > previous);
            previous = out.buttonLeft[slot];
        }
    }

    void noButtonLetterShowsRendben()
    {
        QCOMPARE(effectiveMessageButtons(QString()), u"R"_s);
        QCOMPARE(effectiveMessageButtons(u"xyz"_s), u"R"_s);
        QCOMPARE(effectiveMessageButtons(u"NI"_s), u"NI"_s);
    }

    // Base height 220, base button top 150, text at 65.
    void heights_data()
    {
        QTest::addColumn<int>("textHeight");
        QTest::addColumn<int>("currentHeight");
        QTest::addColumn<int>("currentButtonTop");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("buttonTop");
        QTest::newRow("short text keeps the base") << 15 << 220 << 150 << 220 << 150;
        // 65 + 300 + 70 + 20
        QTest::newRow("20 lines grow the form") << 300 << 220 << 150 << 455 << 385;
        QTest::newRow("short text after a long one") << 15 << 455 << 385 << 220 << 150;
        QTest::newRow("text just filling the base") << 65 << 220 << 150 << 220 << 150;
        QTest::newRow("one pixel over the base") << 66 << 220 << 150 << 221 << 151;
        // The same height as before: the buttons keep their place.
        QTest::newRow("same long height again") << 300 << 455 << 385 << 455 << 385;
    }
    void heights()
    {
        QFETCH(int, textHeight);
        QFETCH(int, currentHeight);
        QFETCH(int, currentButtonTop);
        QFETCH(int, height);
        QFETCH(int, buttonTop);
        MessageLayoutInput in = input(u"R"_s, 100, QSize(100, textHeight));
        in.currentHeight = currentHeight;
        in.currentButtonTop = currentButtonTop;
        const MessageLayout out = layOutMessage(in);
        QCOMPARE(out.height, height);
        QCOMPARE(out.buttonTop, buttonTop);
    }

    void cancelling_data()
    {
        QTest::addColumn<Slots>("visible");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("IN") << Slots{true, true, false, false, false} << false;
        QTest::newRow("R") << Slots{false, false, true, false, false} << true;
        QTest::newRow("I alone") << Slots{true, false, false, false, false} << true;
        QTest::newRow("INM") << Slots{true, true, false, false, true} << true;
        QTest::newRow("RE") << Slots{false, false, true, true, false} << false;
    }
    void cancelling()
    {
        QFETCH(Slots, visible);
        QFETCH(bool, allowed);
        QCOMPARE(messageMayBeCancelled(visible), allowed);
    }
};

REGISTER_TEST(TestMessageLayout)
#include "test_message_layout.moc"
