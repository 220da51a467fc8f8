#include "core/text_utils.h"
#include "test_main.h"
#include "ui/dos_edit.h"
#include "ui/edit_mask.h"

#include <QTest>

using namespace Qt::StringLiterals;

class TestEditMask : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void translate_data()
    {
        QTest::addColumn<QString>("mask");
        QTest::addColumn<QString>("inputMask");
        QTest::addColumn<bool>("keepLiterals");
        QTest::addColumn<QString>("emptyText");
        QTest::newRow("date, required digits")
            << u"0000.00.00;1; "_s << u"9999.99.99; "_s << true << u"    .  .  "_s;
        QTest::newRow("date, optional digits")
            << u"9999.99.99;1; "_s << u"0000.00.00; "_s << true << u"    .  .  "_s;
        QTest::newRow("time") << u"00:00:00;1; "_s << u"99:99:99; "_s << true << u"  :  :  "_s;
        QTest::newRow("literal digits")
            << u"99:99:\\0\\0;1; "_s << u"00:00:\\0\\0; "_s << true << u"  :  :00"_s;
        QTest::newRow("year and month") << u"9999.99;1; "_s << u"0000.00; "_s << true << u"    .  "_s;
        QTest::newRow("letters, literals dropped, default blank")
            << u">LL-aa;0"_s << u">AA-nn;_"_s << false << u"__-__"_s;
        QTest::newRow("mask alone") << u"000"_s << u"999;_"_s << true << u"___"_s;
        QTest::newRow("case off, any character, sign") << u"<>Cc#"_s << u"!Xx#;_"_s << true << u"___"_s;
        QTest::newRow("Qt letters as literals") << u"\\A\\N-0;1;*"_s << u"\\A\\N-9;*"_s << true << u"AN-*"_s;
        QTest::newRow("date separator") << u"00/00;1;_"_s << u"99.99;_"_s << true << u"__.__"_s;
        QTest::newRow("no mask") << QString() << QString() << true << QString();
    }
    void translate()
    {
        QFETCH(QString, mask);
        QFETCH(QString, inputMask);
        QFETCH(bool, keepLiterals);
        QFETCH(QString, emptyText);
        const EditMask translated = translateEditMask(mask);
        QCOMPARE(translated.inputMask, inputMask);
        QCOMPARE(translated.keepLiterals, keepLiterals);
        QCOMPARE(translated.emptyText, emptyText);
    }

    // The date edit holds its text as the date functions expect it.
    void dateEditText()
    {
        TdosDatum date;
        QCOMPARE(date.maskedText(), QString::fromUtf16(kBlankDate));
        QVERIFY(IsValidDate(date.maskedText(), false));
        date.show();
        date.setFocus();
        date.setCursorPosition(0);
        QTest::keyClicks(&date, u"20240229"_s);
        QCOMPARE(date.maskedText(), u"2024.02.29"_s);
        QVERIFY(IsValidDate(date.maskedText(), false));
        date.setMaskedText(u"2023.1 .05"_s);
        QCOMPARE(date.maskedText(), u"2023.1 .05"_s);
        QVERIFY(!IsValidDate(date.maskedText(), false));
    }

    void lettersRefuseDigits()
    {
        TdosEdit edit;
        edit.setEditMask(u"LL;0;_"_s);
        edit.show();
        edit.setFocus();
        edit.setCursorPosition(0);
        for (const QChar c : u"1á2B"_s)
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(c), Qt::NoModifier);
        QCOMPARE(edit.maskedText(), u"áB"_s);
        edit.setMaskedText(u"xy"_s);
        QCOMPARE(edit.displayText(), u"xy"_s);
    }
};

REGISTER_TEST(TestEditMask)
#include "test_edit_mask.moc"
